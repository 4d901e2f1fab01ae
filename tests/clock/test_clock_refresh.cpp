// The clock refresh against a real time page on 127.0.0.1, in UTC+8: the
// caption for a good page, the machine's local time whenever the network
// gives no valid date-time, and at most one refresh waiting behind a running one.
#include <QtTest>

#include <ctime>
#include <memory>
#include <vector>

#include "clock_refresh.h"
#include "http_client.h"
#include "local_http_server.h"
#include "local_time_caption.h"

using Response = LocalHttpServer::Response;

namespace {

const QByteArray kLocalTime("(local time)");

QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

struct Captions {
    std::vector<QByteArray> shown;
    ClockRefresh::ShowCaption sink() {
        return [this](const std::string& caption) { shown.push_back(bytes(caption)); };
    }
};

// The time page of 6 April 2015, sent in pieces with pauses between them.
Response slowTimePage(std::size_t pieceSize, int pauseMs) {
    return Response::slow(Response::page("window.baidu_time(1428301499000)").bytes, pieceSize,
                          pauseMs);
}

bool settle(const ClockRefresh& refresh) {
    return QTest::qWaitFor([&] { return !refresh.busy(); }, 8000);
}

}  // namespace

class TestClockRefresh : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "Asia/Shanghai");
        tzset();
        for (const char* name : {"http_proxy", "all_proxy", "ALL_PROXY"}) qunsetenv(name);
    }

    void caption_data() {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("caption");
        const QByteArray april6 = kCaptionPrefix + "2015年4月6日14时24分59秒";
        QTest::newRow("page") << QByteArray("<script>window.baidu_time(1428301499000);</script>")
                              << 200 << april6;
        QTest::newRow("capitals") << QByteArray("WINDOW.BAIDU_TIME(1428301499000)") << 200
                                  << april6;
        QTest::newRow("404 with the marker")
            << QByteArray("window.baidu_time(1428301499000)") << 404 << april6;
        QTest::newRow("page says 0")
            << QByteArray("window.baidu_time(0)") << 200 << kCaptionPrefix + "1970年1月1日8时";
        QTest::newRow("no marker") << QByteArray("<html></html>") << 200 << kLocalTime;
        QTest::newRow("404 without marker") << QByteArray("not found") << 404 << kLocalTime;
        QTest::newRow("empty timestamp") << QByteArray("window.baidu_time()") << 200 << kLocalTime;
        QTest::newRow("blank timestamp") << QByteArray("window.baidu_time( )") << 200 << kLocalTime;
        QTest::newRow("ideographic space")
            << QByteArray("window.baidu_time(\xA1\xA1)") << 200 << kLocalTime;
        QTest::newRow("not a number") << QByteArray("window.baidu_time(abc)") << 200 << kLocalTime;
        QTest::newRow("script in it")
            << QByteArray("window.baidu_time(0'+'1)") << 200 << kLocalTime;
        QTest::newRow("beyond time values")
            << QByteArray("window.baidu_time(1e16)") << 200 << kLocalTime;
        QTest::newRow("year below 100")
            << QByteArray("window.baidu_time(-6e13)") << 200 << kLocalTime;
        QTest::newRow("year above 9999")
            << QByteArray("window.baidu_time(2.6e14)") << 200 << kLocalTime;
    }
    void caption() {
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QByteArray, caption);
        LocalHttpServer server;
        server.setDefault(Response::page(body.toStdString(), status));
        Captions captions;
        ClockRefresh refresh(server.host(), captions.sink());

        const std::time_t before = std::time(nullptr);
        refresh.RefreshClock();
        QVERIFY(refresh.busy());
        QVERIFY(settle(refresh));
        const std::time_t after = std::time(nullptr);

        QCOMPARE(captions.shown.size(), 1u);
        if (caption == kLocalTime)
            QVERIFY2(showsLocalTime(captions.shown[0], before, after), captions.shown[0]);
        else
            QCOMPARE(captions.shown[0], caption);
        QCOMPARE(server.requests().at(0).path(), std::string("/special/time/"));
    }

    void unreachableHostShowsLocalTime() {
        std::string host;
        {
            LocalHttpServer closed;
            host = closed.host();
        }
        Captions captions;
        ClockRefresh refresh(host, captions.sink());
        const std::time_t before = std::time(nullptr);
        refresh.RefreshClock();
        QVERIFY(settle(refresh));
        QCOMPARE(captions.shown.size(), 1u);
        QVERIFY2(showsLocalTime(captions.shown[0], before, std::time(nullptr)), captions.shown[0]);
    }

    void atMostOneRefreshWaits() {
        LocalHttpServer server;
        // About a third of a second per answer, so the calls below come while it runs.
        server.setDefault(slowTimePage(16, 50));
        Captions captions;
        ClockRefresh refresh(server.host(), captions.sink());

        for (int i = 0; i < 4; ++i) refresh.RefreshClock();
        QTRY_COMPARE(server.requestCount(), 1u);
        QVERIFY(captions.shown.empty());  // nothing shown before a refresh has ended
        QVERIFY(settle(refresh));
        QCOMPARE(server.requestCount(), 2u);
        QCOMPARE(captions.shown.size(), 2u);

        // Once idle, each call is a refresh of its own.
        refresh.RefreshClock();
        QVERIFY(settle(refresh));
        refresh.RefreshClock();
        QVERIFY(settle(refresh));
        QCOMPARE(server.requestCount(), 4u);
        QCOMPARE(captions.shown.size(), 4u);
    }

    void endsQuietlyWhenDestroyedDuringAFetch() {
        LocalHttpServer server;
        // About a second per answer: the refresh is gone long before it ends.
        server.setDefault(slowTimePage(8, 80));
        Captions captions;
        {
            ClockRefresh refresh(server.host(), captions.sink());
            refresh.RefreshClock();
            QTRY_COMPARE(server.requestCount(), 1u);
        }
        QVERIFY(QTest::qWaitFor([] { return HttpClientIdle(); }, 8000));
        QVERIFY(captions.shown.empty());
    }
};

QTEST_GUILESS_MAIN(TestClockRefresh)
#include "test_clock_refresh.moc"
