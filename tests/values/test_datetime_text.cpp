// The date-time text rules on their edge cases: the field reader with its
// separators and range checks, and the Chinese writer with its limits. The
// Chinese literals here compile to the GB18030 bytes the rules work on.
#include <QtTest>

#include <sstream>

#include "datetime_text.h"

Q_DECLARE_METATYPE(DateTime)

// Lets QCOMPARE print both date-times when they differ.
char* toString(const DateTime& dt) {
    std::ostringstream out;
    out << dt;
    return qstrdup(out.str().c_str());
}

namespace {

const DateTime kFailure{};

DateTime at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return {year, month, day, hour, minute, second};
}

}  // namespace

class TestDateTimeText : public QObject {
    Q_OBJECT
private slots:
    void textToDateTime_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<DateTime>("expected");
        const DateTime aprilSixth = at(2015, 4, 6);
        QTest::newRow("dashes, colons")
            << QByteArray("2015-4-6 14:24:59") << at(2015, 4, 6, 14, 24, 59);
        QTest::newRow("leading zeros")
            << QByteArray("2015-04-06 14:24:59") << at(2015, 4, 6, 14, 24, 59);
        QTest::newRow("slashes") << QByteArray("2015/4/6") << aprilSixth;
        QTest::newRow("points") << QByteArray("2015.4.6") << aprilSixth;
        QTest::newRow("chinese date") << QByteArray("2015年4月6日") << aprilSixth;
        QTest::newRow("chinese full")
            << QByteArray("2015年4月6日14时24分59秒") << at(2015, 4, 6, 14, 24, 59);
        QTest::newRow("chinese hour") << QByteArray("2015年4月6日14时") << at(2015, 4, 6, 14);
        QTest::newRow("mixed") << QByteArray("2015-4-6 12时30分") << at(2015, 4, 6, 12, 30);
        QTest::newRow("no seconds") << QByteArray("2015-4-6 14:24") << at(2015, 4, 6, 14, 24);
        QTest::newRow("single digits") << QByteArray("2015-4-6 9:5:7") << at(2015, 4, 6, 9, 5, 7);
        QTest::newRow("all dashes")
            << QByteArray("2015-4-6-12-30-15") << at(2015, 4, 6, 12, 30, 15);
        QTest::newRow("all colons")
            << QByteArray("2015:4:6:12:30:15") << at(2015, 4, 6, 12, 30, 15);
        QTest::newRow("full-width") << QByteArray("２０１５－４－６") << aprilSixth;
        QTest::newRow("ideographic space")
            << QByteArray("2015-4-6　14:24") << at(2015, 4, 6, 14, 24);
        QTest::newRow("digits only, date") << QByteArray("20150406") << aprilSixth;
        QTest::newRow("digits only, time")
            << QByteArray("20150406143000") << at(2015, 4, 6, 14, 30);
        QTest::newRow("three-digit hour")
            << QByteArray("2015-4-6 123:45") << at(2015, 4, 6, 12, 3, 45);
        QTest::newRow("after the seconds mark")
            << QByteArray("2015-4-6 12:30:15秒后") << at(2015, 4, 6, 12, 30, 15);
        QTest::newRow("leap day") << QByteArray("2016-2-29") << at(2016, 2, 29);
        QTest::newRow("leap day 2000") << QByteArray("2000-2-29") << at(2000, 2, 29);
        QTest::newRow("first of range") << QByteArray("0100-1-1") << at(100, 1, 1);
        QTest::newRow("last of range")
            << QByteArray("9999-12-31 23:59:59") << at(9999, 12, 31, 23, 59, 59);
        QTest::newRow("not a leap year") << QByteArray("2015-2-29") << kFailure;
        QTest::newRow("1900 not a leap year") << QByteArray("1900-2-29") << kFailure;
        QTest::newRow("april 31") << QByteArray("2015-4-31") << kFailure;
        QTest::newRow("month 13") << QByteArray("2015-13-1") << kFailure;
        QTest::newRow("month 0") << QByteArray("2015-0-1") << kFailure;
        QTest::newRow("year 99") << QByteArray("99-1-1") << kFailure;
        QTest::newRow("hour 24") << QByteArray("2015-4-6 24:00:00") << kFailure;
        QTest::newRow("minute 60") << QByteArray("2015-4-6 12:60") << kFailure;
        QTest::newRow("second 60") << QByteArray("2015-4-6 12:30:60") << kFailure;
        QTest::newRow("fraction of a second") << QByteArray("2015-4-6 12:30:15.5") << kFailure;
        QTest::newRow("trailing space") << QByteArray("2015-4-6 12:30:15 ") << kFailure;
        QTest::newRow("leading space") << QByteArray(" 2015-4-6") << kFailure;
        QTest::newRow("two spaces") << QByteArray("2015-4-6  12:30") << kFailure;
        QTest::newRow("day mark and space") << QByteArray("2015年4月6日 12:30") << kFailure;
        QTest::newRow("two separators") << QByteArray("2015--4-6") << kFailure;
        QTest::newRow("T") << QByteArray("2015-4-6T12:30") << kFailure;
        QTest::newRow("tab after the day") << QByteArray("2015-4-6\t12:30") << kFailure;
        QTest::newRow("no day") << QByteArray("2015-4") << kFailure;
        QTest::newRow("year only") << QByteArray("2015") << kFailure;
        QTest::newRow("empty") << QByteArray() << kFailure;
        QTest::newRow("cut-off character") << QByteArray("2015-4-6\xC3") << aprilSixth;
        QTest::newRow("other chinese after") << QByteArray("2015-4-6 12:30:15分") << kFailure;
    }
    void textToDateTime() {
        QFETCH(QByteArray, input);
        QFETCH(DateTime, expected);
        QCOMPARE(TextToDateTime(input.toStdString()), expected);
    }

    void dateTimeToText_data() {
        QTest::addColumn<DateTime>("value");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("seconds") << at(2015, 4, 6, 14, 24, 59)
                                 << QByteArray("2015年4月6日14时24分59秒");
        QTest::newRow("minutes") << at(2015, 4, 6, 14, 24) << QByteArray("2015年4月6日14时24分");
        QTest::newRow("hour") << at(2015, 4, 6, 14) << QByteArray("2015年4月6日14时");
        QTest::newRow("noon") << at(2015, 4, 6, 12) << QByteArray("2015年4月6日12时");
        QTest::newRow("zero minute")
            << at(2015, 4, 6, 14, 0, 9) << QByteArray("2015年4月6日14时0分9秒");
        QTest::newRow("zero hour") << at(2015, 4, 6, 0, 30) << QByteArray("2015年4月6日0时30分");
        QTest::newRow("zero hour, minute")
            << at(2015, 4, 6, 0, 0, 5) << QByteArray("2015年4月6日0时0分5秒");
        QTest::newRow("midnight") << at(2015, 4, 6) << QByteArray("2015年4月6日");
        QTest::newRow("failure") << kFailure << QByteArray("100年1月1日");
        QTest::newRow("first day, noon") << at(100, 1, 1, 12) << QByteArray("100年1月1日");
        QTest::newRow("second day, noon") << at(100, 1, 2, 12) << QByteArray("100年1月2日12时");
        QTest::newRow("last day") << at(9999, 12, 31) << QByteArray("9999年12月31日");
        QTest::newRow("last moment")
            << at(9999, 12, 31, 23, 59, 59) << QByteArray("9999年12月31日");
        QTest::newRow("longest text")
            << at(2015, 12, 31, 23, 59, 59) << QByteArray("2015年12月31日23时59分59秒");
        QTest::newRow("before the range") << at(50, 6, 1, 8) << QByteArray("100年1月1日");
        QTest::newRow("after the range") << at(12000, 1, 1) << QByteArray("9999年12月31日");
        QTest::newRow("day carries") << at(2015, 4, 31) << QByteArray("2015年5月1日");
        QTest::newRow("seconds carry")
            << at(2015, 12, 31, 23, 59, 60) << QByteArray("2016年1月1日");
        QTest::newRow("month carries") << at(2015, 13, 1) << QByteArray("2016年1月1日");
    }
    void dateTimeToText() {
        QFETCH(DateTime, value);
        QFETCH(QByteArray, shown);
        const std::string text = DateTimeToText(value);
        QCOMPARE(QByteArray::fromStdString(text), shown);
        QVERIFY(text.size() <= 26);
    }

    // Every date-time the reader accepts comes back from its own text in
    // the Chinese form, and the failure date-time from "100年1月1日".
    void roundTrip_data() {
        QTest::addColumn<DateTime>("value");
        QTest::newRow("full") << at(2015, 4, 6, 14, 24, 59);
        QTest::newRow("zero parts") << at(2015, 4, 6, 0, 0, 5);
        QTest::newRow("hour only") << at(2015, 4, 6, 14);
        QTest::newRow("failure") << kFailure;
        QTest::newRow("leap day") << at(2024, 2, 29, 23, 59);
    }
    void roundTrip() {
        QFETCH(DateTime, value);
        QCOMPARE(TextToDateTime(DateTimeToText(value)), value);
    }
};

QTEST_APPLESS_MAIN(TestDateTimeText)
#include "test_datetime_text.moc"
