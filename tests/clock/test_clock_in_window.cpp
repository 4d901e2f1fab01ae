// The clock in the real window, on the offscreen platform, in UTC+8, with its
// time page on 127.0.0.1: the caption at start-up and in the tally's summary,
// one fetch per click of "更新", the machine's time when there is no network,
// and input handled at once while a fetch hangs.
#include <QAbstractButton>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QtTest>

#include <ctime>

#include "http_client.h"
#include "local_time_caption.h"
#include "window_fixture.h"

using Response = LocalHttpServer::Response;

namespace {

const QByteArray kFixtureCaption = kCaptionPrefix + "2015年4月6日14时24分59秒";

bool clientIdle() {
    return HttpClientIdle();
}

}  // namespace

class TestClockInWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        qputenv("TZ", "Asia/Shanghai");
        tzset();
    }

    void captionAfterStartUpAndInTheSummary() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QCOMPARE(fixture.text(Control::标签12), kFixtureCaption);

        auto notice = answerNextModalBox();
        QTest::mouseClick(fixture.control<QAbstractButton>(u"按钮2"_qs), Qt::LeftButton);
        QTRY_VERIFY(notice->answered);
        const QByteArray summary = fixture.text(Control::编辑框2);
        QCOMPARE(summary.mid(summary.lastIndexOf('\n') + 1), kFixtureCaption);
    }

    void twoClicksOnUpdateMakeTwoFetches() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        // Only the clicks fetch from here on.
        fixture.control<QTimer>(u"时钟1"_qs)->stop();
        QVERIFY(QTest::qWaitFor(clientIdle, 5000));
        fixture.timePage().clearRequests();

        auto* update = fixture.control<QAbstractButton>(u"按钮3"_qs);
        QTest::mouseClick(update, Qt::LeftButton);
        QTest::mouseClick(update, Qt::LeftButton);
        QTRY_COMPARE(fixture.timePage().requestCount(), 2u);
        QVERIFY(QTest::qWaitFor(clientIdle, 5000));
        QTest::qWait(100);
        QCOMPARE(fixture.timePage().requestCount(), 2u);
        QCOMPARE(fixture.text(Control::标签12), kFixtureCaption);
    }

    void noNetworkShowsTheMachinesTime() {
        WindowFixture fixture;
        fixture.timePage().stop();  // its port now refuses connections
        const std::time_t before = std::time(nullptr);
        QVERIFY(fixture.start());
        const QByteArray first = fixture.text(Control::标签12);
        QVERIFY2(showsLocalTime(first, before, std::time(nullptr)), first);

        // Rewritten as the clock ticks, still the machine's time.
        QTRY_VERIFY_WITH_TIMEOUT(fixture.text(Control::标签12) != first, 3000);
        const QByteArray later = fixture.text(Control::标签12);
        QVERIFY2(showsLocalTime(later, std::time(nullptr), std::time(nullptr)), later);
    }

    void inputIsHandledWhileAFetchHangs() {
        WindowFixture fixture;
        fixture.timePage().setResponse("/special/time/", Response::silent());
        QElapsedTimer startUp;
        startUp.start();
        const std::time_t before = std::time(nullptr);
        QVERIFY(fixture.start());
        // The first fetch gives up within the clock's period, so the window
        // opens after about a second showing the machine's time.
        QVERIFY2(startUp.elapsed() < 1500, QByteArray::number(startUp.elapsed()));
        const QByteArray first = fixture.text(Control::标签12);
        QVERIFY2(showsLocalTime(first, before, std::time(nullptr)), first);

        // Keys and a click posted while the next fetch hangs are handled at once.
        QTRY_VERIFY_WITH_TIMEOUT(!HttpClientIdle(), 1500);
        auto* amount = fixture.control<QWidget>(u"编辑框1"_qs);
        for (char digit : {'3', '0', '0', '0'})
            QCoreApplication::postEvent(
                amount, new QKeyEvent(QEvent::KeyPress, Qt::Key_0 + (digit - '0'), Qt::NoModifier,
                                      QString(QLatin1Char(digit))));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.text(Control::编辑框1), QByteArray("3000"), 500);
        auto* confirm = fixture.control<QAbstractButton>(u"按钮6"_qs);
        QSignalSpy clicked(confirm, &QAbstractButton::clicked);
        QMetaObject::invokeMethod(confirm, "click", Qt::QueuedConnection);
        QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, 500);
        QCOMPARE(fixture.text(Control::透明标签1), QByteArray("3000"));

        // Every hanging fetch gives up before the next tick: the label goes on
        // showing the machine's time, changing as it does.
        QTRY_VERIFY_WITH_TIMEOUT(fixture.text(Control::标签12) != first, 2500);
        const QByteArray later = fixture.text(Control::标签12);
        QVERIFY2(showsLocalTime(later, std::time(nullptr), std::time(nullptr)), later);
    }
};

QTEST_MAIN(TestClockInWindow)
#include "test_clock_in_window.moc"
