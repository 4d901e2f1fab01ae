#pragma once
// The HTTP client: one GET of a URL, answered through a callback from the Qt
// event loop, so the user-interface thread never waits on the network. What
// the bytes mean is left to the caller; this file only fetches them.
//
//   HttpReadBytes("http://host/special/time/", done)  -> done(body of the answer)
//   HttpReadBytes("http://host/a#b", done)            -> sends GET /a
// Failure cases, all silent: an empty URL, a URL that cannot be parsed, a
// scheme other than http, no connection, a time-out, or a broken read give
// the body bytes received so far (often none). The status is never looked at,
// so an error page's body comes back like any other. Bodies stop at
// kHttpBodyCap bytes. A QCoreApplication must exist; `done` always runs later
// from its event loop, never inside the call.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

inline constexpr std::size_t kHttpBodyCap = 1024 * 1024;
// How long one fetch may take, connecting included, unless the caller says.
inline constexpr std::chrono::milliseconds kHttpTimeLimit{3000};

using HttpDone = std::function<void(std::string body)>;

// Starts one fetch. The first call opens the client (shared DNS cache and
// in-memory cookies), which then lives until the application object ends.
// Past timeLimit the fetch ends with the bytes it has.
void HttpReadBytes(std::string_view url, HttpDone done,
                   std::chrono::milliseconds timeLimit = kHttpTimeLimit);

// True when no fetch is in flight and no completion is still to be delivered.
bool HttpClientIdle();
