// The marker search and the timestamp taken from a time page: markers in any
// letter case, the quote placeholder, start positions, and two-byte characters
// that hide a marker's first letter.
#include <QtTest>

#include "time_page.h"

namespace {
QByteArray bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}
std::string text(const QByteArray& b) {
    return std::string(b.constData(), std::size_t(b.size()));
}

const QByteArray kQuote("#\xD2\xFD\xBA\xC5");  // #引号
}  // namespace

class TestTimePage : public QObject {
    Q_OBJECT
private slots:
    void textBetween_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("left");
        QTest::addColumn<QByteArray>("right");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("first right marker") << QByteArray("f(12)34)") << QByteArray("f(")
                                            << QByteArray(")") << 0 << false << QByteArray("12");
        QTest::newRow("right marker behind the left")
            << QByteArray("x)f(1)") << QByteArray("f(") << QByteArray(")") << 0 << false
            << QByteArray("1");
        QTest::newRow("markers touching") << QByteArray("f()") << QByteArray("f(")
                                          << QByteArray(")") << 0 << false << QByteArray();
        QTest::newRow("no left marker") << QByteArray("g(1)") << QByteArray("f(") << QByteArray(")")
                                        << 0 << false << QByteArray();
        QTest::newRow("no right marker") << QByteArray("f(1") << QByteArray("f(") << QByteArray(")")
                                         << 0 << false << QByteArray();
        QTest::newRow("quotes for both markers")
            << QByteArray("a\"b\"c\"") << kQuote << kQuote << 0 << false << QByteArray("b");
        QTest::newRow("quote inside a marker")
            << QByteArray("<a id=\"x1\">") << QByteArray("id=" + kQuote) << kQuote << 0 << false
            << QByteArray("x1");
        QTest::newRow("case ignored") << QByteArray("WINDOW(5)") << QByteArray("window(")
                                      << QByteArray(")") << 0 << false << QByteArray("5");
        QTest::newRow("case kept") << QByteArray("WINDOW(5)") << QByteArray("window(")
                                   << QByteArray(")") << 0 << true << QByteArray();
        QTest::newRow("case ignored for letters only")
            << QByteArray("a[1]") << QByteArray("A{") << QByteArray("]") << 0 << false
            << QByteArray();
        QTest::newRow("start behind the first marker")
            << QByteArray("a(1)a(2)") << QByteArray("a(") << QByteArray(")") << 2 << false
            << QByteArray("2");
        QTest::newRow("start at the marker") << QByteArray("a(1)a(2)") << QByteArray("a(")
                                             << QByteArray(")") << 5 << false << QByteArray("2");
        QTest::newRow("start below 1") << QByteArray("a(1)a(2)") << QByteArray("a(")
                                       << QByteArray(")") << -7 << false << QByteArray("1");
        QTest::newRow("start behind the end") << QByteArray("a(1)") << QByteArray("a(")
                                              << QByteArray(")") << 5 << false << QByteArray();
        QTest::newRow("two-byte text between")
            << QByteArray("f(\xC4\xEA)") << QByteArray("f(") << QByteArray(")") << 0 << false
            << QByteArray("\xC4\xEA");
        QTest::newRow("lead byte hides the left marker")
            << QByteArray(
                   "\xB0"
                   "f(1)")
            << QByteArray("f(") << QByteArray(")") << 0 << false << QByteArray();
        QTest::newRow("lead byte hides the right marker")
            << QByteArray("f(\xB0)1)") << QByteArray("f(") << QByteArray(")") << 0 << false
            << QByteArray("\xB0)1");
        QTest::newRow("lead byte as the last byte")
            << QByteArray("ab1\xB0") << QByteArray("b") << QByteArray("\xB0") << 0 << false
            << QByteArray();
    }
    void textBetween() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, left);
        QFETCH(QByteArray, right);
        QFETCH(int, start);
        QFETCH(bool, caseSensitive);
        QFETCH(QByteArray, result);
        QCOMPARE(
            bytes(TextBetween(::text(text), ::text(left), ::text(right), start, caseSensitive)),
            result);
    }

    void timestampTextFromPage_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("timestamp");
        QTest::newRow("13 digits")
            << QByteArray("<html><script>window.baidu_time(1428301499000);</script></html>")
            << QByteArray("1428301499000");
        QTest::newRow("capitals") << QByteArray("WINDOW.BAIDU_TIME(1428301499000)")
                                  << QByteArray("1428301499000");
        QTest::newRow("empty between") << QByteArray("window.baidu_time()") << QByteArray();
        QTest::newRow("no marker") << QByteArray("<html></html>") << QByteArray();
        QTest::newRow("no )") << QByteArray("window.baidu_time(1428301499000") << QByteArray();
        QTest::newRow("several )") << QByteArray("window.baidu_time(12)34)") << QByteArray("12");
        QTest::newRow("zero byte before")
            << QByteArray("a\0window.baidu_time(1)", 22) << QByteArray();
        QTest::newRow("zero byte behind")
            << QByteArray("window.baidu_time(1)\0", 21) << QByteArray("1");
        QTest::newRow("lead byte before") << QByteArray("\x80window.baidu_time(1)") << QByteArray();
        QTest::newRow("three-byte UTF-8 before")  // 时
            << QByteArray("\xE6\x97\xB6window.baidu_time(1)") << QByteArray();
        QTest::newRow("GBK character before")  // 年
            << QByteArray("\xC4\xEAwindow.baidu_time(1)") << QByteArray("1");
        QTest::newRow("hidden, then found")
            << QByteArray("\x80window.baidu_time(1) window.baidu_time(2)") << QByteArray("2");
    }
    void timestampTextFromPage() {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, timestamp);
        QCOMPARE(bytes(TimestampTextFromPage(text(page))), timestamp);
    }

    void bytesToText_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("no zero byte") << QByteArray("abc") << QByteArray("abc");
        QTest::newRow("cut at zero") << QByteArray("ab\0cd", 5) << QByteArray("ab");
        QTest::newRow("zero first") << QByteArray("\0ab", 3) << QByteArray();
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void bytesToText() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, output);
        QCOMPARE(bytes(BytesToText(text(input))), output);
    }
};

QTEST_APPLESS_MAIN(TestTimePage)
#include "test_time_page.moc"
