#pragma once
// A real HTTP server on 127.0.0.1 for tests. It listens on a free port, serves
// each connection on a thread of its own with canned responses chosen per
// request, and records every request line and its headers. It knows nothing of
// Qt, so tests may drive any client, blocking or not, against it.
//
// Responses are sent byte for byte as given, so a test controls the status
// line, the headers and whether a Content-Length is there at all. How a
// response is sent is its mode: at once, never (the connection is accepted and
// held), in slow pieces, without end, or cut by a reset (RST) part way.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

class LocalHttpServer {
public:
    struct Response {
        enum class Mode { Answer, Silent, Slow, Endless, ResetMidway };

        std::string bytes;  // status line, headers and body, sent as they stand
        Mode mode = Mode::Answer;
        std::size_t pieceSize = 1;  // Slow: bytes per piece
        int pauseMs = 0;            // Slow: pause between pieces; ResetMidway: before the reset

        // A complete answer; Content-Length is written only when asked for, and
        // the body ends where the server closes the connection either way.
        static Response page(std::string_view body, int status = 200, bool contentLength = true,
                             std::string_view extraHeaders = {});
        static Response redirect(std::string_view location, int status = 302);
        // Accepts, reads the request and never answers.
        static Response silent();
        static Response slow(std::string bytes, std::size_t pieceSize, int pauseMs);
        // Sends the bytes, then filler without end until the client goes away.
        static Response endless(std::string bytes);
        // Sends the bytes, waits pauseMs so the client can read them, then resets.
        static Response resetAfter(std::string bytes, int pauseMs = 200);
    };

    struct Request {
        std::string line;  // "GET /special/time/ HTTP/1.0"
        std::vector<std::pair<std::string, std::string>> headers;

        std::string path() const;
        // The value of the first header of that name (case ignored), or "".
        std::string header(std::string_view name) const;
        bool hasHeader(std::string_view name) const;
    };

    LocalHttpServer();
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    std::uint16_t port() const { return m_port; }
    std::string host() const;                      // "127.0.0.1:port"
    std::string url(std::string_view path) const;  // "http://127.0.0.1:port" + path

    // The response for the next request not yet answered; queued ones go first.
    void enqueue(Response response);
    // The response for every request of that path once the queue is empty.
    void setResponse(std::string path, Response response);
    // The response for everything else; at first a 404 page.
    void setDefault(Response response);

    std::vector<Request> requests() const;
    std::size_t requestCount() const;
    void clearRequests();

    // Closes every connection, also held ones, and joins their threads.
    void stop();

private:
    void acceptLoop();
    void serve(int fd);
    Response responseFor(const Request& request);
    bool stopping() const { return m_stop.load(); }
    void pause(int ms) const;

    int m_listenFd = -1;
    std::uint16_t m_port = 0;
    std::atomic<bool> m_stop = false;
    std::thread m_acceptThread;

    mutable std::mutex m_mutex;
    std::deque<Response> m_queue;
    std::map<std::string, Response> m_byPath;
    Response m_default;
    std::vector<Request> m_requests;
    std::set<int> m_openFds;
    std::vector<std::thread> m_connectionThreads;
};
