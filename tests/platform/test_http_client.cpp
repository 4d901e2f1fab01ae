// The HTTP client against a real server on 127.0.0.1: what it sends, which
// bodies it hands back (cut, capped, error pages, redirects), and that the
// event loop keeps running while a fetch waits on a server that never answers.
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "http_client.h"
#include "local_http_server.h"

using Response = LocalHttpServer::Response;
Q_DECLARE_METATYPE(Response)
Q_DECLARE_METATYPE(std::string)

namespace {

struct Fetch {
    bool done = false;
    std::string body;
};

std::shared_ptr<Fetch> startFetch(const std::string& url) {
    auto fetch = std::make_shared<Fetch>();
    HttpReadBytes(url, [fetch](std::string body) {
        fetch->body = std::move(body);
        fetch->done = true;
    });
    return fetch;
}

// Fetches and waits; an empty optional when no completion came in time.
std::optional<std::string> fetchBody(const std::string& url, int timeoutMs = 8000) {
    auto fetch = startFetch(url);
    if (!QTest::qWaitFor([&] { return fetch->done; }, timeoutMs)) return std::nullopt;
    return fetch->body;
}

}  // namespace

class TestHttpClient : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Requests to 127.0.0.1 must not go through a proxy of the machine.
        for (const char* name : {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
    }

    void requestLineAndHeaders() {
        LocalHttpServer server;
        server.setDefault(Response::page("x"));
        QVERIFY(fetchBody(server.url("/special/time/#top")));

        const auto requests = server.requests();
        QCOMPARE(requests.size(), 1u);
        const auto& request = requests[0];
        QCOMPARE(request.line, std::string("GET /special/time/ HTTP/1.0"));
        QCOMPARE(request.header("User-Agent"),
                 std::string("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"));
        QCOMPARE(request.header("Accept"), std::string("*/*"));
        QCOMPARE(request.header("Host"), server.host());
        QCOMPARE(request.header("Cache-Control"), std::string("no-cache"));
        QCOMPARE(request.header("Pragma"), std::string("no-cache"));
    }

    void bodies_data() {
        QTest::addColumn<Response>("response");
        QTest::addColumn<std::string>("body");
        const std::string page = "<script>window.baidu_time(1428301499000);</script>";
        QTest::newRow("with Content-Length") << Response::page(page) << page;
        QTest::newRow("without Content-Length") << Response::page(page, 200, false) << page;
        QTest::newRow("404 keeps its body") << Response::page(page, 404) << page;
        QTest::newRow("500 without length")
            << Response::page("oops", 500, false) << std::string("oops");
        QTest::newRow("zero bytes kept")
            << Response::page(std::string("a\0b", 3)) << std::string("a\0b", 3);
        QTest::newRow("empty body") << Response::page("") << std::string();
        QTest::newRow("no header end") << Response{"HTTP/1.0 200 OK\r\n"} << std::string();
        QTest::newRow("slow pieces")
            << Response::slow(Response::page("abcdef").bytes, 8, 30) << std::string("abcdef");
        QTest::newRow("reset midway")
            << Response::resetAfter("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\npartial")
            << std::string("partial");
    }
    void bodies() {
        QFETCH(Response, response);
        QFETCH(std::string, body);
        LocalHttpServer server;
        server.setDefault(response);
        const auto got = fetchBody(server.url("/special/time/"));
        QVERIFY(got);
        QCOMPARE(*got, body);
    }

    void redirects_data() {
        QTest::addColumn<std::string>("location");  // "%" stands for the server's host:port
        QTest::addColumn<std::string>("body");
        QTest::addColumn<int>("requests");
        QTest::newRow("followed") << std::string("http://%/next") << std::string("arrived") << 2;
        QTest::newRow("relative") << std::string("/next") << std::string("arrived") << 2;
        QTest::newRow("loop stops") << std::string("http://%/special/time/") << std::string() << 6;
        QTest::newRow("not to ftp") << std::string("ftp://127.0.0.1/next") << std::string() << 1;
        QTest::newRow("not to https") << std::string("https://%/next") << std::string() << 1;
    }
    void redirects() {
        QFETCH(std::string, location);
        QFETCH(std::string, body);
        QFETCH(int, requests);
        LocalHttpServer server;
        for (std::size_t at; (at = location.find('%')) != std::string::npos;)
            location.replace(at, 1, server.host());
        server.setResponse("/special/time/", Response::redirect(location));
        server.setResponse("/next", Response::page("arrived"));

        const auto got = fetchBody(server.url("/special/time/"));
        QVERIFY(got);
        if (!body.empty()) QCOMPARE(*got, body);
        QCOMPARE(server.requestCount(), std::size_t(requests));
    }

    void failuresGiveEmptyBodyLater_data() {
        QTest::addColumn<bool>("refusing");
        QTest::addColumn<std::string>("url");
        QTest::newRow("empty url") << false << std::string();
        QTest::newRow("not a url") << false << std::string("http://");
        QTest::newRow("other scheme") << false << std::string("file:///etc/hostname");
        QTest::newRow("refused") << true << std::string();
    }
    void failuresGiveEmptyBodyLater() {
        QFETCH(bool, refusing);
        QFETCH(std::string, url);
        if (refusing) {
            LocalHttpServer closed;
            url = closed.url("/special/time/");
        }  // the port is closed again here
        auto fetch = startFetch(url);
        QVERIFY(!fetch->done);  // never called back inside the call
        QVERIFY(QTest::qWaitFor([&] { return fetch->done; }, 5000));
        QCOMPARE(fetch->body, std::string());
        QVERIFY(HttpClientIdle());
    }

    void everyFetchGoesToTheServerWithItsCookies() {
        LocalHttpServer server;
        server.enqueue(Response::page("one", 200, true, "Set-Cookie: seen=1; Path=/\r\n"));
        server.setDefault(Response::page("two"));

        auto first = startFetch(server.url("/special/time/"));
        QVERIFY(!HttpClientIdle());
        QVERIFY(QTest::qWaitFor([&] { return first->done; }, 5000));
        QVERIFY(HttpClientIdle());
        QCOMPARE(first->body, std::string("one"));
        QCOMPARE(fetchBody(server.url("/special/time/")), std::optional<std::string>("two"));

        const auto requests = server.requests();
        QCOMPARE(requests.size(), 2u);
        QVERIFY(!requests[0].hasHeader("Cookie"));
        QCOMPARE(requests[1].header("Cookie"), std::string("seen=1"));
    }

    void silentServerEndsByTimeOutWhileTheLoopRuns() {
        LocalHttpServer server;
        server.setDefault(Response::silent());
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
        ticker.start(5);

        QElapsedTimer clock;
        clock.start();
        auto fetch = startFetch(server.url("/special/time/"));
        QVERIFY(QTest::qWaitFor([&] { return fetch->done; }, 10000));
        const qint64 elapsed = clock.elapsed();

        QCOMPARE(fetch->body, std::string());
        QCOMPARE(server.requestCount(), 1u);
        QVERIFY2(elapsed >= 1500 && elapsed < 6000, QByteArray::number(elapsed));
        // Hundreds of 5 ms ticks fit into the wait; a blocked loop gets one or two.
        QVERIFY2(ticks > elapsed / 5 / 4, QByteArray::number(ticks));
    }

    void endlessBodyStopsAtTheCap() {
        LocalHttpServer server;
        server.setDefault(Response::endless("HTTP/1.0 200 OK\r\n\r\nwindow.baidu_time(1)"));
        const auto got = fetchBody(server.url("/special/time/"));
        QVERIFY(got);
        QCOMPARE(got->size(), kHttpBodyCap);
        QCOMPARE(got->substr(0, 20), std::string("window.baidu_time(1)"));
    }
};

QTEST_GUILESS_MAIN(TestHttpClient)
#include "test_http_client.moc"
