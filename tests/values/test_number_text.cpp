// The number-text rules on their edge cases: the folding table, the two
// readers and the 13-digit form. Full-width texts are written as Chinese
// literals, which the compiler turns into GB18030 bytes.
#include <QtTest>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>

#include "number_text.h"

namespace {

QByteArray bytes(const std::string& s) {
    return QByteArray::fromStdString(s);
}
std::string text(const QByteArray& b) {
    return b.toStdString();
}

// The long texts behind the exponent-cap rows: 10^-(zeros+1) scaled back up.
QByteArray tinyTimesTenTo(int zeros, const char* exponent) {
    return "0." + QByteArray(zeros, '0') + "1e" + exponent;
}

}  // namespace

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    // The readers must not follow a locale that a GUI toolkit may switch on.
    void initTestCase() { std::setlocale(LC_ALL, "C"); }

    void foldFullWidth_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("folded");
        QTest::newRow("ascii") << QByteArray("ab 1.5") << QByteArray("ab 1.5");
        QTest::newRow("digits and point") << QByteArray("１２３．５") << QByteArray("123.5");
        QTest::newRow("signs and letters") << QByteArray("＋－Ｅｅ：／") << QByteArray("+-Ee:/");
        QTest::newRow("row 3 first") << QByteArray("\xA3\xA1") << QByteArray("!");
        QTest::newRow("yen to dollar") << QByteArray("\xA3\xA4") << QByteArray("$");
        QTest::newRow("macron to tilde") << QByteArray("\xA3\xFE") << QByteArray("~");
        QTest::newRow("row 3 outside")
            << QByteArray("\xA3\xA0\xA3\xFF") << QByteArray("\xA3\xA0\xA3\xFF");
        QTest::newRow("ideographic space") << QByteArray(
                                                  "\xA1\xA1"
                                                  "1")
                                           << QByteArray(" 1");
        QTest::newRow("full-width tilde") << QByteArray("\xA1\xAB") << QByteArray("~");
        QTest::newRow("stars") << QByteArray("\xA1\xEE\xA1\xEF") << QByteArray("**");
        QTest::newRow("row 1 other")
            << QByteArray("\xA1\xA2\xA1\xAC") << QByteArray("\xA1\xA2\xA1\xAC");
        QTest::newRow("chinese kept") << QByteArray("100元") << QByteArray("100元");
        // The byte after a lead byte belongs to it, even when it is ASCII.
        QTest::newRow("ascii trail") << QByteArray(
                                            "\x81"
                                            "1x")
                                     << QByteArray(
                                            "\x81"
                                            "1x");
        QTest::newRow("cut off lead") << QByteArray("12\xA3") << QByteArray("12");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }
    void foldFullWidth() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, folded);
        QCOMPARE(bytes(FoldFullWidth(text(input))), folded);
    }

    // Results are compared as NumberToText shows them.
    void textToNumber_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("plain") << QByteArray("123.45") << QByteArray("123.45");
        QTest::newRow("spaces, unit") << QByteArray("  -12.5kg") << QByteArray("-12.5");
        QTest::newRow("plus") << QByteArray("+7") << QByteArray("7");
        QTest::newRow("leading zeros") << QByteArray("00012") << QByteArray("12");
        QTest::newRow("1e3") << QByteArray("1e3") << QByteArray("1000");
        QTest::newRow("1E3") << QByteArray("1E3") << QByteArray("1000");
        QTest::newRow("1d3") << QByteArray("1d3") << QByteArray("1000");
        QTest::newRow("1D-2") << QByteArray("1D-2") << QByteArray("0.01");
        QTest::newRow("1e") << QByteArray("1e") << QByteArray("1");
        QTest::newRow("1e+") << QByteArray("1e+") << QByteArray("1");
        QTest::newRow(".5") << QByteArray(".5") << QByteArray("0.5");
        QTest::newRow("5.") << QByteArray("5.") << QByteArray("5");
        QTest::newRow("empty") << QByteArray() << QByteArray("0");
        QTest::newRow("point alone") << QByteArray(".") << QByteArray("0");
        QTest::newRow("minus alone") << QByteArray("-") << QByteArray("0");
        QTest::newRow("abc") << QByteArray("abc") << QByteArray("0");
        QTest::newRow("--5") << QByteArray("--5") << QByteArray("0");
        QTest::newRow("+-5") << QByteArray("+-5") << QByteArray("0");
        QTest::newRow("space after sign") << QByteArray("- 5") << QByteArray("0");
        QTest::newRow("tab, line feed, space") << QByteArray("\t\n 42") << QByteArray("42");
        QTest::newRow("ideographic space") << QByteArray("　42") << QByteArray("42");
        QTest::newRow("full-width") << QByteArray("１２３．５") << QByteArray("123.5");
        QTest::newRow("full-width minus") << QByteArray("－５") << QByteArray("-5");
        QTest::newRow("grouping") << QByteArray("1,234") << QByteArray("1");
        QTest::newRow("two points") << QByteArray("1.2.3") << QByteArray("1.2");
        QTest::newRow("inner space") << QByteArray("12 34") << QByteArray("12");
        QTest::newRow("sign after mantissa") << QByteArray("5+3") << QByteArray("5");
        QTest::newRow("hex") << QByteArray("0x1A") << QByteArray("0");
        QTest::newRow("inf") << QByteArray("inf") << QByteArray("0");
        QTest::newRow("nan") << QByteArray("nan") << QByteArray("0");
        QTest::newRow("yuan") << QByteArray("100元") << QByteArray("100");
        QTest::newRow("full-width yen") << QByteArray("￥100") << QByteArray("0");
        QTest::newRow("1e400") << QByteArray("1e400") << QByteArray("1.#INF");
        QTest::newRow("-1e400") << QByteArray("-1e400") << QByteArray("-1.#INF");
        QTest::newRow("1e-400") << QByteArray("1e-400") << QByteArray("0");
        QTest::newRow("-0") << QByteArray("-0") << QByteArray("0");
        QTest::newRow("shown 1e+013") << QByteArray("1e+013") << QByteArray("1e+013");
        QTest::newRow("shown 1.#INF") << QByteArray("1.#INF") << QByteArray("1");
        QTest::newRow("shown -1.#IND") << QByteArray("-1.#IND") << QByteArray("-1");
        QTest::newRow("largest finite")
            << QByteArray("1.7976931348623157e308") << QByteArray("1.797693134862e+308");
        QTest::newRow("just overflows")
            << QByteArray("1.7976931348623159e308") << QByteArray("1.#INF");
        QTest::newRow("smallest subnormal")
            << QByteArray("4.9406564584124654e-324") << QByteArray("4.940656458412e-324");
        QTest::newRow("below half the subnormal")
            << QByteArray("2.4703282292062327e-324") << QByteArray("0");
        QTest::newRow("zeros move the point") << QByteArray("000.000125e3") << QByteArray("0.125");
        QTest::newRow("huge exponent digits")
            << QByteArray("1e99999999999999999999999") << QByteArray("1.#INF");
        QTest::newRow("tiny exponent digits")
            << QByteArray("1e-99999999999999999999999") << QByteArray("0");
        QTest::newRow("zero, huge exponent") << QByteArray("0e999999") << QByteArray("0");
        // An exponent above 5200 counts as 5201, so a mantissa of 10^-5201
        // comes back to 1 for any such exponent.
        QTest::newRow("exponent 5200 kept") << tinyTimesTenTo(5199, "5200") << QByteArray("1");
        QTest::newRow("exponent 5201") << tinyTimesTenTo(5200, "5201") << QByteArray("1");
        QTest::newRow("exponent capped") << tinyTimesTenTo(5200, "99999") << QByteArray("1");
        QTest::newRow("long mantissa") << QByteArray(400, '9') + "e-400" << QByteArray("1");
    }
    void textToNumber() {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, shown);
        QCOMPARE(bytes(NumberToText(TextToNumber(text(input)))), shown);
    }

    // Only a mantissa with digits carries its sign into a zero result.
    void signOfZero_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<bool>("negative");
        QTest::newRow("-0") << QByteArray("-0") << true;
        QTest::newRow("-0.000e5") << QByteArray("-0.000e5") << true;
        QTest::newRow("-1e-400") << QByteArray("-1e-400") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("minus alone") << QByteArray("-") << false;
        QTest::newRow("minus point") << QByteArray("-.") << false;
        QTest::newRow("minus word") << QByteArray("-abc") << false;
    }
    void signOfZero() {
        QFETCH(QByteArray, input);
        QFETCH(bool, negative);
        const double v = TextToNumber(text(input));
        QCOMPARE(v, 0.0);
        QCOMPARE(std::signbit(v), negative);
    }

    void textToInteger_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<qint64>("value");
        const QByteArray nines(30, '9');
        QTest::newRow("plain") << QByteArray("123") << qint64(123);
        QTest::newRow("spaces, minus") << QByteArray("  -45") << qint64(-45);
        QTest::newRow("plus") << QByteArray("+7") << qint64(7);
        QTest::newRow("fraction") << QByteArray("12.9") << qint64(12);
        QTest::newRow("exponent") << QByteArray("1e3") << qint64(1);
        QTest::newRow("empty") << QByteArray() << qint64(0);
        QTest::newRow("abc") << QByteArray("abc") << qint64(0);
        QTest::newRow("--5") << QByteArray("--5") << qint64(0);
        QTest::newRow("space after sign") << QByteArray("- 5") << qint64(0);
        QTest::newRow("hex") << QByteArray("0x10") << qint64(0);
        QTest::newRow("full-width") << QByteArray("１２") << qint64(12);
        QTest::newRow("full-width minus") << QByteArray("－１２") << qint64(-12);
        QTest::newRow("ideographic space") << QByteArray("　8") << qint64(8);
        QTest::newRow("int32 max") << QByteArray("2147483647") << qint64(2147483647);
        QTest::newRow("past int32 max") << QByteArray("2147483648") << qint64(2147483648);
        QTest::newRow("int32 min") << QByteArray("-2147483648") << qint64(-2147483648);
        QTest::newRow("3000000000") << QByteArray("3000000000") << qint64(3000000000);
        QTest::newRow("2^32") << QByteArray("4294967296") << qint64(4294967296);
        QTest::newRow("99999999999") << QByteArray("99999999999") << qint64(99999999999);
        QTest::newRow("int64 max")
            << QByteArray("9223372036854775807") << std::numeric_limits<qint64>::max();
        QTest::newRow("past int64 max")
            << QByteArray("9223372036854775808") << std::numeric_limits<qint64>::max();
        QTest::newRow("int64 min")
            << QByteArray("-9223372036854775808") << std::numeric_limits<qint64>::min();
        QTest::newRow("past int64 min")
            << QByteArray("-9223372036854775809") << std::numeric_limits<qint64>::min();
        QTest::newRow("thirty 9s") << nines << std::numeric_limits<qint64>::max();
        QTest::newRow("minus thirty 9s") << "-" + nines << std::numeric_limits<qint64>::min();
        QTest::newRow("leading zeros") << QByteArray(40, '0') + "17" << qint64(17);
    }
    void textToInteger() {
        QFETCH(QByteArray, input);
        QFETCH(qint64, value);
        QCOMPARE(TextToInteger(text(input)), value);
    }

    void numberToText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("100/30") << 100.0 / 30 << QByteArray("3.333333333333");
        QTest::newRow("1000/30") << 1000.0 / 30 << QByteArray("33.33333333333");
        QTest::newRow("3500/30") << 3500.0 / 30 << QByteArray("116.6666666667");
        QTest::newRow("1/3") << 1.0 / 3 << QByteArray("0.3333333333333");
        QTest::newRow("2/3") << 2.0 / 3 << QByteArray("0.6666666666667");
        QTest::newRow("0.1+0.2") << 0.1 + 0.2 << QByteArray("0.3");
        QTest::newRow("3000") << 3000.0 << QByteArray("3000");
        QTest::newRow("3000.5") << 3000.5 << QByteArray("3000.5");
        QTest::newRow("-5") << -5.0 << QByteArray("-5");
        QTest::newRow("1234567.891") << 1234567.891 << QByteArray("1234567.891");
        QTest::newRow("1e12") << 1e12 << QByteArray("1000000000000");
        QTest::newRow("9999999999999") << 9999999999999.0 << QByteArray("9999999999999");
        QTest::newRow("9999999999999.5") << 9999999999999.5 << QByteArray("1e+013");
        QTest::newRow("1e13") << 1e13 << QByteArray("1e+013");
        QTest::newRow("123456789012345") << 123456789012345.0 << QByteArray("1.234567890123e+014");
        QTest::newRow("0.0001") << 0.0001 << QByteArray("0.0001");
        QTest::newRow("0.000123456") << 0.000123456 << QByteArray("0.000123456");
        QTest::newRow("0.00001") << 0.00001 << QByteArray("1e-005");
        QTest::newRow("1.5e300") << 1.5e300 << QByteArray("1.5e+300");
        QTest::newRow("largest finite")
            << std::numeric_limits<double>::max() << QByteArray("1.797693134862e+308");
        QTest::newRow("smallest subnormal")
            << std::numeric_limits<double>::denorm_min() << QByteArray("4.940656458412e-324");
        QTest::newRow("17 digits first") << 1.2345678901235 << QByteArray("1.234567890124");
        QTest::newRow("zero") << 0.0 << QByteArray("0");
        QTest::newRow("negative zero") << -0.0 << QByteArray("0");
        QTest::newRow("+inf") << HUGE_VAL << QByteArray("1.#INF");
        QTest::newRow("-inf") << -HUGE_VAL << QByteArray("-1.#INF");
        QTest::newRow("longest text")
            << -1.2345678901234e-100 << QByteArray("-1.234567890123e-100");
        QTest::newRow("-0.00001234") << -0.00001234 << QByteArray("-1.234e-005");
        QTest::newRow("carry in plain form") << 0.99999999999996 << QByteArray("1");
        QTest::newRow("carry to exponent form") << 0.000099999999999996 << QByteArray("0.0001");
        QTest::newRow("1e-5 boundary") << 0.000099999999999 << QByteArray("9.9999999999e-005");
        QTest::newRow("1e100") << 1e100 << QByteArray("1e+100");
        QTest::newRow("1e-300") << 1e-300 << QByteArray("1e-300");
    }
    void numberToText() {
        QFETCH(double, value);
        QFETCH(QByteArray, shown);
        QCOMPARE(bytes(NumberToText(value)), shown);
    }

    // NaNs are given by their bits, since their payload decides the text.
    void specialValues_data() {
        QTest::addColumn<quint64>("bits");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("negative default NaN")
            << Q_UINT64_C(0xFFF8000000000000) << QByteArray("-1.#IND");
        QTest::newRow("positive default NaN")
            << Q_UINT64_C(0x7FF8000000000000) << QByteArray("1.#QNAN");
        QTest::newRow("negative quiet payload")
            << Q_UINT64_C(0xFFF8000000000001) << QByteArray("-1.#QNAN");
        QTest::newRow("positive quiet payload")
            << Q_UINT64_C(0x7FFFFFFFFFFFFFFF) << QByteArray("1.#QNAN");
        QTest::newRow("positive signalling")
            << Q_UINT64_C(0x7FF0000000000001) << QByteArray("1.#SNAN");
        QTest::newRow("negative signalling")
            << Q_UINT64_C(0xFFF7FFFFFFFFFFFF) << QByteArray("-1.#SNAN");
    }
    void specialValues() {
        QFETCH(quint64, bits);
        QFETCH(QByteArray, shown);
        QCOMPARE(bytes(NumberToText(std::bit_cast<double>(bits))), shown);
    }

    void infinityLessInfinity() {
        volatile double inf = HUGE_VAL;
        QCOMPARE(bytes(NumberToText(inf - inf)), QByteArray("-1.#IND"));
    }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
