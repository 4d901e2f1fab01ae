#include "http_client.h"

// libcurl's multi interface driven by the Qt event loop: curl tells us which
// sockets to watch and when to wake it, QSocketNotifier and a single-shot
// QTimer hand those events back through curl_multi_socket_action. Everything
// runs on the thread of the application object; there is no thread of ours.

#include <curl/curl.h>

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace {

// Connecting may take at most this much of a fetch's time limit.
constexpr long kConnectTimeoutMs = 2000;
constexpr long kMaxRedirects = 5;
constexpr char kUserAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr const char* kRequestHeaders[] = {"Accept: */*", "Cache-Control: no-cache",
                                           "Pragma: no-cache"};

// Completions not yet delivered, counted for HttpClientIdle.
int g_pendingDeliveries = 0;

void deliverLater(QObject* context, HttpDone done, std::string body) {
    ++g_pendingDeliveries;
    QTimer::singleShot(0, context, [done = std::move(done), body = std::move(body)]() mutable {
        --g_pendingDeliveries;
        if (done) done(std::move(body));
    });
}

struct Transfer {
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    std::string body;
    HttpDone done;

    ~Transfer() {
        if (easy) curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
    }
};

size_t writeBody(char* data, size_t size, size_t count, void* userp) {
    auto* transfer = static_cast<Transfer*>(userp);
    const size_t n = size * count;
    const size_t room = kHttpBodyCap - transfer->body.size();
    if (n > room) {
        // A short count makes curl stop the transfer; what fits is kept.
        transfer->body.append(data, room);
        return room;
    }
    transfer->body.append(data, n);
    return n;
}

class HttpClient {
public:
    HttpClient() {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        m_multi = curl_multi_init();
        m_share = curl_share_init();
        if (m_share) {
            curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
            curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        }
        if (m_multi) {
            curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &HttpClient::onSocket);
            curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
            curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &HttpClient::onTimer);
            curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
        }
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, &m_context,
                         [this] { act(CURL_SOCKET_TIMEOUT, 0); });
    }

    ~HttpClient() {
        // Transfers still running are dropped without a completion: their
        // owners go away with the application.
        for (auto& [easy, transfer] : m_transfers) curl_multi_remove_handle(m_multi, easy);
        m_transfers.clear();
        m_watches.clear();
        if (m_multi) curl_multi_cleanup(m_multi);
        if (m_share) curl_share_cleanup(m_share);
        curl_global_cleanup();
    }

    bool ok() const { return m_multi && m_share; }
    bool idle() const { return m_transfers.empty(); }
    QObject* context() { return &m_context; }

    void start(const std::string& url, HttpDone done, std::chrono::milliseconds timeLimit) {
        auto transfer = std::make_unique<Transfer>();
        transfer->done = std::move(done);
        transfer->easy = curl_easy_init();
        if (url.empty() || !transfer->easy) {
            deliverLater(&m_context, std::move(transfer->done), {});
            return;
        }
        for (const char* header : kRequestHeaders)
            transfer->headers = curl_slist_append(transfer->headers, header);

        CURL* easy = transfer->easy;
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
        curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer->headers);
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
        curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
        curl_easy_setopt(easy, CURLOPT_SHARE, m_share);
        curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        const long limitMs = static_cast<long>(timeLimit.count());
        curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, std::min(kConnectTimeoutMs, limitMs));
        curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, limitMs);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &writeBody);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());

        if (curl_multi_add_handle(m_multi, easy) != CURLM_OK) {
            deliverLater(&m_context, std::move(transfer->done), {});
            return;
        }
        m_transfers.emplace(easy, std::move(transfer));
    }

private:
    struct Watch {
        std::unique_ptr<QSocketNotifier> read, write;
    };

    static int onSocket(CURL*, curl_socket_t socket, int what, void* clientp, void*) {
        static_cast<HttpClient*>(clientp)->watch(socket, what);
        return 0;
    }

    static int onTimer(CURLM*, long timeoutMs, void* clientp) {
        auto* self = static_cast<HttpClient*>(clientp);
        if (timeoutMs < 0)
            self->m_timer.stop();
        else
            self->m_timer.start(static_cast<int>(timeoutMs));
        return 0;
    }

    static void retire(std::unique_ptr<QSocketNotifier>& notifier) {
        // The notifier may be the one whose signal is being handled right now.
        if (!notifier) return;
        notifier->setEnabled(false);
        notifier.release()->deleteLater();
    }

    void watch(curl_socket_t socket, int what) {
        if (what == CURL_POLL_REMOVE) {
            auto it = m_watches.find(socket);
            if (it == m_watches.end()) return;
            retire(it->second.read);
            retire(it->second.write);
            m_watches.erase(it);
            return;
        }
        Watch& w = m_watches[socket];
        const bool wantRead = what == CURL_POLL_IN || what == CURL_POLL_INOUT;
        const bool wantWrite = what == CURL_POLL_OUT || what == CURL_POLL_INOUT;
        if (wantRead && !w.read) w.read = notifier(socket, QSocketNotifier::Read, CURL_CSELECT_IN);
        if (wantWrite && !w.write)
            w.write = notifier(socket, QSocketNotifier::Write, CURL_CSELECT_OUT);
        if (w.read) w.read->setEnabled(wantRead);
        if (w.write) w.write->setEnabled(wantWrite);
    }

    std::unique_ptr<QSocketNotifier> notifier(curl_socket_t socket, QSocketNotifier::Type type,
                                              int event) {
        auto n = std::make_unique<QSocketNotifier>(socket, type);
        QObject::connect(n.get(), &QSocketNotifier::activated, &m_context,
                         [this, socket, event] { act(socket, event); });
        return n;
    }

    void act(curl_socket_t socket, int events) {
        int running = 0;
        curl_multi_socket_action(m_multi, socket, events, &running);

        // Collect first, then call back: a completion may start the next fetch.
        std::vector<std::unique_ptr<Transfer>> finished;
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(m_multi, &queued)) {
            if (msg->msg != CURLMSG_DONE) continue;
            auto it = m_transfers.find(msg->easy_handle);
            if (it == m_transfers.end()) continue;
            curl_multi_remove_handle(m_multi, msg->easy_handle);
            finished.push_back(std::move(it->second));
            m_transfers.erase(it);
        }
        for (auto& transfer : finished) {
            HttpDone done = std::move(transfer->done);
            std::string body = std::move(transfer->body);
            transfer.reset();
            if (done) done(std::move(body));
        }
    }

    CURLM* m_multi = nullptr;
    CURLSH* m_share = nullptr;
    QObject m_context;
    QTimer m_timer;
    std::map<curl_socket_t, Watch> m_watches;
    std::map<CURL*, std::unique_ptr<Transfer>> m_transfers;
};

HttpClient* g_client = nullptr;

void closeClient() {
    delete g_client;
    g_client = nullptr;
}

// Opens the client on first use; a client that cannot be opened is tried
// again by the next fetch.
HttpClient* client() {
    if (!g_client) {
        auto opened = std::make_unique<HttpClient>();
        if (!opened->ok()) return nullptr;
        g_client = opened.release();
        qAddPostRoutine(closeClient);
    }
    return g_client;
}

}  // namespace

void HttpReadBytes(std::string_view url, HttpDone done, std::chrono::milliseconds timeLimit) {
    // A fragment never goes to the server.
    const std::string sent(url.substr(0, url.find('#')));
    if (HttpClient* c = client())
        c->start(sent, std::move(done), timeLimit);
    else
        deliverLater(QCoreApplication::instance(), std::move(done), {});
}

bool HttpClientIdle() {
    return g_pendingDeliveries == 0 && (!g_client || g_client->idle());
}
