# Front door: `make run` and `make test`. Both install what is missing first.
JOBS ?= $(shell nproc)

.PHONY: run test build deps asan clean

deps:
	@bash scripts/install-deps

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: starting under xvfb-run."; \
	  xvfb-run -a build/bin/lanhe-ledger; \
	else build/bin/lanhe-ledger; fi

test: build
	ctest --preset release -j $(JOBS) --no-tests=error

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS) --no-tests=error

clean:
	rm -rf build build-debug build-asan
