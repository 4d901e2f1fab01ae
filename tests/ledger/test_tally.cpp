// The tally on the real window: its notice comes first and holds everything
// back until closed; then the sum of the five categories, the balance and the
// summary in the notebook, exactly as joined.
#include <QAbstractButton>
#include <QtTest>
#include <clocale>

#include "window_fixture.h"

namespace {

const QByteArray kCrLf = "\r\n";

// The summary the notebook must show, from the category texts as they stand.
QByteArray summaryOf(const QList<QByteArray>& boxes, const QByteArray& spending,
                     const QByteArray& balance, const QByteArray& clock) {
    const char* captions[] = {"吃饭：", "逛街：", "请客：", "看电影：", "服装："};
    QByteArray summary;
    for (int i = 0; i < 5; ++i) summary += captions[i] + boxes[i] + kCrLf + kCrLf;
    return summary + "消费：" + spending + kCrLf + kCrLf + "↓当前余额↓" + kCrLf + balance + kCrLf +
           kCrLf + clock;
}

const Control kBoxes[] = {Control::编辑框4, Control::编辑框5, Control::编辑框6, Control::编辑框7,
                          Control::编辑框8};

}  // namespace

class TestTally : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C"); }

    void tally_data() {
        QTest::addColumn<QByteArray>("total");
        QTest::addColumn<QList<QByteArray>>("boxes");
        QTest::addColumn<QByteArray>("spendingBefore");
        QTest::addColumn<QByteArray>("spending");
        QTest::addColumn<QByteArray>("balance");
        using L = QList<QByteArray>;
        QTest::newRow("five amounts") << QByteArray("3000") << L{"120", "80", "50", "40", "300"}
                                      << QByteArray() << QByteArray("590") << QByteArray("2410");
        QTest::newRow("all empty") << QByteArray("3000") << L{"", "", "", "", ""} << QByteArray()
                                   << QByteArray("0") << QByteArray("3000");
        QTest::newRow("meals count decimals")
            << QByteArray("3000") << L{"12.5", "", "", "", ""} << QByteArray() << QByteArray("12.5")
            << QByteArray("2987.5");
        QTest::newRow("shopping drops the fraction")
            << QByteArray("3000") << L{"", "12.9", "", "", ""} << QByteArray() << QByteArray("12")
            << QByteArray("2988");
        QTest::newRow("negative amount") << QByteArray("3000") << L{"100", "-20", "", "", ""}
                                         << QByteArray() << QByteArray("80") << QByteArray("2920");
        QTest::newRow("large meals")
            << QByteArray("3000") << L{"3000000000", "", "", "", ""} << QByteArray()
            << QByteArray("3000000000") << QByteArray("-2999997000");
        QTest::newRow("large shopping does not wrap")
            << QByteArray("3000") << L{"", "3000000000", "", "", ""} << QByteArray()
            << QByteArray("3000000000") << QByteArray("-2999997000");
        QTest::newRow("exponent read by each rule")
            << QByteArray("3000") << L{"1e3", "", "", "", "1e3"} << QByteArray()
            << QByteArray("1001") << QByteArray("1999");
        QTest::newRow("old spending ignored")
            << QByteArray("3000") << L{"10", "", "", "", ""} << QByteArray("999")
            << QByteArray("10") << QByteArray("2990");
        QTest::newRow("spending above the total")
            << QByteArray("100") << L{"150", "", "", "", ""} << QByteArray() << QByteArray("150")
            << QByteArray("-50");
        // The balance reads the sum back as 编辑框9 shows it, in 13 digits.
        QTest::newRow("balance from the rounded sum")
            << QByteArray("1234567890124") << L{"1234567890123.45", "", "", "", ""} << QByteArray()
            << QByteArray("1234567890123") << QByteArray("1");
    }
    void tally() {
        QFETCH(QByteArray, total);
        QFETCH(QList<QByteArray>, boxes);
        QFETCH(QByteArray, spendingBefore);
        QFETCH(QByteArray, spending);
        QFETCH(QByteArray, balance);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        主窗口& window = fixture.window();
        window.WriteControlText(Control::透明标签1, total.toStdString());
        window.WriteControlText(Control::编辑框9, spendingBefore.toStdString());
        window.WriteControlText(Control::编辑框2, "我的笔记");
        for (int i = 0; i < 5; ++i) window.WriteControlText(kBoxes[i], boxes[i].toStdString());

        auto notice = answerNextModalBox();
        QTest::mouseClick(fixture.control(u"按钮2"_qs), Qt::LeftButton);
        QVERIFY(notice->answered);

        QCOMPARE(fixture.text(Control::编辑框9), spending);
        QCOMPARE(fixture.text(Control::编辑框10), balance);
        QCOMPARE(fixture.text(Control::编辑框2),
                 summaryOf(boxes, spending, balance, fixture.text(Control::标签12)));
        for (int i = 0; i < 5; ++i) QCOMPARE(fixture.text(kBoxes[i]), boxes[i]);
    }

    // The person's way through: amount, "确定", five amounts, "统计".
    void typedTallyGivesTheSixteenLines() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QTest::keyClicks(fixture.control(u"编辑框1"_qs), u"3000"_qs);
        QTest::mouseClick(fixture.control(u"按钮6"_qs), Qt::LeftButton);
        const char16_t* boxes[] = {u"编辑框4", u"编辑框5", u"编辑框6", u"编辑框7", u"编辑框8"};
        const char16_t* amounts[] = {u"120", u"80", u"50", u"40", u"300"};
        for (int i = 0; i < 5; ++i)
            QTest::keyClicks(fixture.control(QString::fromUtf16(boxes[i])),
                             QString::fromUtf16(amounts[i]));
        auto notice = answerNextModalBox();
        QTest::mouseClick(fixture.control(u"按钮2"_qs), Qt::LeftButton);
        QVERIFY(notice->answered);

        const QByteArray clock = fixture.text(Control::标签12);
        QVERIFY(clock.startsWith("当前北京时间为："));
        const QList<QByteArray> lines = fixture.text(Control::编辑框2).split('\n');
        const QList<QByteArray> expected = {
            "吃饭：120\r",  "\r",     "逛街：80\r",  "\r",  "请客：50\r",  "\r",
            "看电影：40\r", "\r",     "服装：300\r", "\r",  "消费：590\r", "\r",
            "↓当前余额↓\r", "2410\r", "\r",          clock,
        };
        QCOMPARE(lines, expected);
        QCOMPARE(fixture.text(Control::编辑框9), QByteArray("590"));
        QCOMPARE(fixture.text(Control::编辑框10), QByteArray("2410"));
    }

    // Nothing changes until the notice is closed, on every press.
    void noticeComesFirst() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        主窗口& window = fixture.window();
        window.WriteControlText(Control::编辑框4, "120");
        window.WriteControlText(Control::编辑框9, "999");
        window.WriteControlText(Control::编辑框10, "1");
        window.WriteControlText(Control::编辑框2, "我的笔记");
        const auto snapshot = [&] {
            return fixture.text(Control::编辑框9) + "|" + fixture.text(Control::编辑框10) + "|" +
                   fixture.text(Control::编辑框2);
        };
        for (int press = 0; press < 2; ++press) {
            const QByteArray before = snapshot();
            QByteArray whileOpen;
            QTimer peek;
            peek.setSingleShot(true);
            connect(&peek, &QTimer::timeout, [&] { whileOpen = snapshot(); });
            peek.start(100);
            auto notice = answerNextModalBox(300);
            QTest::mouseClick(fixture.control(u"按钮2"_qs), Qt::LeftButton);
            QVERIFY(notice->answered);
            QCOMPARE(notice->caption, u"温馨提示"_qs);
            QCOMPARE(notice->text, u"只有统计完的数据方能保存"_qs);
            QCOMPARE(notice->icon, QMessageBox::NoIcon);
            QCOMPARE(whileOpen, before);
            QCOMPARE(fixture.text(Control::编辑框9), QByteArray("120"));
        }
    }
};

QTEST_MAIN(TestTally)
#include "test_tally.moc"
