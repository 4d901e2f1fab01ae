# Front door: `make run` and `make test`. Both install what is missing first.
SHELL := /bin/bash
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

# Fuzzing with libFuzzer (clang). Each target runs FUZZ_SECONDS on a working
# corpus in build-fuzz/, seeded from fuzz/corpus/<target>/.
FUZZ_SECONDS ?= 60
.PHONY: fuzz fuzz-smoke
fuzz: deps
	CXX=clang++-14 cmake -S fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz -j $(JOBS)
	@set -e; for t in build-fuzz/fuzz_*; do \
	  [ -x "$$t" ] || continue; name=$$(basename $$t); \
	  mkdir -p build-fuzz/corpus/$$name fuzz/corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/ \
	    build-fuzz/corpus/$$name fuzz/corpus/$$name 2>&1 | tail -n 3; \
	  test $${PIPESTATUS[0]} -eq 0; \
	done
fuzz-smoke:
	$(MAKE) fuzz FUZZ_SECONDS=10
