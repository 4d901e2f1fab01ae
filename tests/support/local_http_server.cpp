#include "local_http_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <stdexcept>

namespace {

constexpr int kPollMs = 20;
constexpr std::size_t kMaxRequestBytes = 64 * 1024;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

const char* reasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 404:
            return "Not Found";
        case 500:
            return "Internal Server Error";
        default:
            return "Status";
    }
}

// Sends everything unless the peer goes away; never raises SIGPIPE.
bool sendAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

LocalHttpServer::Request parseRequest(std::string_view head) {
    LocalHttpServer::Request request;
    std::size_t lineEnd = head.find("\r\n");
    request.line = std::string(head.substr(0, lineEnd));
    while (lineEnd != std::string_view::npos) {
        const std::size_t begin = lineEnd + 2;
        lineEnd = head.find("\r\n", begin);
        const std::string_view line = head.substr(begin, lineEnd - begin);
        const std::size_t colon = line.find(':');
        if (line.empty() || colon == std::string_view::npos) continue;
        request.headers.emplace_back(std::string(trimmed(line.substr(0, colon))),
                                     std::string(trimmed(line.substr(colon + 1))));
    }
    return request;
}

}  // namespace

LocalHttpServer::Response LocalHttpServer::Response::page(std::string_view body, int status,
                                                          bool contentLength,
                                                          std::string_view extraHeaders) {
    std::string bytes = "HTTP/1.0 " + std::to_string(status) + " " + reasonPhrase(status) + "\r\n";
    bytes += "Content-Type: text/html\r\n";
    if (contentLength) bytes += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    bytes += extraHeaders;
    bytes += "\r\n";
    bytes += body;
    return {std::move(bytes)};
}

LocalHttpServer::Response LocalHttpServer::Response::redirect(std::string_view location,
                                                              int status) {
    return page("moved", status, true, "Location: " + std::string(location) + "\r\n");
}

LocalHttpServer::Response LocalHttpServer::Response::silent() {
    return {{}, Mode::Silent};
}

LocalHttpServer::Response LocalHttpServer::Response::slow(std::string bytes, std::size_t pieceSize,
                                                          int pauseMs) {
    return {std::move(bytes), Mode::Slow, std::max<std::size_t>(pieceSize, 1), pauseMs};
}

LocalHttpServer::Response LocalHttpServer::Response::endless(std::string bytes) {
    return {std::move(bytes), Mode::Endless};
}

LocalHttpServer::Response LocalHttpServer::Response::resetAfter(std::string bytes, int pauseMs) {
    return {std::move(bytes), Mode::ResetMidway, 1, pauseMs};
}

std::string LocalHttpServer::Request::path() const {
    const std::size_t begin = line.find(' ');
    if (begin == std::string::npos) return {};
    const std::size_t end = line.find(' ', begin + 1);
    return line.substr(begin + 1, end == std::string::npos ? std::string::npos : end - begin - 1);
}

std::string LocalHttpServer::Request::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (equalsIgnoringCase(key, name)) return value;
    return {};
}

bool LocalHttpServer::Request::hasHeader(std::string_view name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& h) { return equalsIgnoringCase(h.first, name); });
}

LocalHttpServer::LocalHttpServer() : m_default(Response::page("not found", 404)) {
    m_listenFd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_listenFd < 0) throw std::runtime_error("socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (::bind(m_listenFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listenFd, 16) != 0 ||
        ::getsockname(m_listenFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(m_listenFd);
        throw std::runtime_error("bind/listen on 127.0.0.1");
    }
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

LocalHttpServer::~LocalHttpServer() {
    stop();
}

std::string LocalHttpServer::host() const {
    return "127.0.0.1:" + std::to_string(m_port);
}

std::string LocalHttpServer::url(std::string_view path) const {
    return "http://" + host() + std::string(path);
}

void LocalHttpServer::enqueue(Response response) {
    std::lock_guard lock(m_mutex);
    m_queue.push_back(std::move(response));
}

void LocalHttpServer::setResponse(std::string path, Response response) {
    std::lock_guard lock(m_mutex);
    m_byPath[std::move(path)] = std::move(response);
}

void LocalHttpServer::setDefault(Response response) {
    std::lock_guard lock(m_mutex);
    m_default = std::move(response);
}

std::vector<LocalHttpServer::Request> LocalHttpServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::size_t LocalHttpServer::requestCount() const {
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

void LocalHttpServer::clearRequests() {
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

void LocalHttpServer::stop() {
    if (m_stop.exchange(true)) return;
    if (m_acceptThread.joinable()) m_acceptThread.join();
    ::close(m_listenFd);
    std::vector<std::thread> threads;
    {
        // Wakes connection threads blocked in send or recv.
        std::lock_guard lock(m_mutex);
        for (int fd : m_openFds) ::shutdown(fd, SHUT_RDWR);
        threads.swap(m_connectionThreads);
    }
    for (auto& thread : threads) thread.join();
}

void LocalHttpServer::acceptLoop() {
    while (!stopping()) {
        pollfd listening{m_listenFd, POLLIN, 0};
        if (::poll(&listening, 1, kPollMs) <= 0) continue;
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard lock(m_mutex);
        m_openFds.insert(fd);
        m_connectionThreads.emplace_back([this, fd] { serve(fd); });
    }
}

void LocalHttpServer::pause(int ms) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!stopping() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(std::min(ms, kPollMs)));
}

LocalHttpServer::Response LocalHttpServer::responseFor(const Request& request) {
    std::lock_guard lock(m_mutex);
    m_requests.push_back(request);
    if (!m_queue.empty()) {
        Response response = std::move(m_queue.front());
        m_queue.pop_front();
        return response;
    }
    const auto it = m_byPath.find(request.path());
    return it != m_byPath.end() ? it->second : m_default;
}

void LocalHttpServer::serve(int fd) {
    // Reads the request head; a GET carries no body.
    std::string head;
    bool complete = false;
    while (!stopping() && head.size() < kMaxRequestBytes) {
        pollfd connection{fd, POLLIN, 0};
        if (::poll(&connection, 1, kPollMs) <= 0) continue;
        char buffer[4096];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) break;
        head.append(buffer, static_cast<std::size_t>(n));
        if (head.find("\r\n\r\n") != std::string::npos) {
            complete = true;
            break;
        }
    }

    if (complete) {
        const Response response = responseFor(parseRequest(head.substr(0, head.find("\r\n\r\n"))));
        switch (response.mode) {
            case Response::Mode::Answer:
                sendAll(fd, response.bytes);
                break;
            case Response::Mode::Silent:
                // Held open until the client gives up or the server stops.
                while (!stopping()) {
                    pollfd connection{fd, POLLIN, 0};
                    if (::poll(&connection, 1, kPollMs) <= 0) continue;
                    char buffer[256];
                    if (::recv(fd, buffer, sizeof buffer, 0) <= 0) break;
                }
                break;
            case Response::Mode::Slow:
                for (std::size_t at = 0; at < response.bytes.size() && !stopping();
                     at += response.pieceSize) {
                    if (!sendAll(fd,
                                 std::string_view(response.bytes).substr(at, response.pieceSize)))
                        break;
                    pause(response.pauseMs);
                }
                break;
            case Response::Mode::Endless: {
                const std::string filler(64 * 1024, 'x');
                if (sendAll(fd, response.bytes))
                    while (!stopping() && sendAll(fd, filler)) {
                    }
                break;
            }
            case Response::Mode::ResetMidway: {
                sendAll(fd, response.bytes);
                pause(response.pauseMs);
                const linger hard{1, 0};
                ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
                break;
            }
        }
    }

    std::lock_guard lock(m_mutex);
    m_openFds.erase(fd);
    ::close(fd);
}
