// The timestamp text as a local date text, in fixed zones: the ECMAScript
// reading of the number, the cut toward zero, the limits of a time value,
// the texts that give no date, and the reassembly of the engine's fields.
#include <QtTest>

#include <cstdlib>
#include <ctime>
#include <optional>

#include "timestamp_conversion.h"

namespace {

// Runs the body with TZ set to zone and puts the machine's zone back after.
class ZoneScope {
public:
    explicit ZoneScope(const char* zone)
        : m_saved(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneScope() {
        if (m_had)
            qputenv("TZ", m_saved);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_saved;
    bool m_had;
};

QByteArray shown(const std::optional<std::string>& dateText) {
    return dateText ? QByteArray::fromStdString(*dateText) : QByteArray("(no date)");
}

constexpr char kShanghai[] = "Asia/Shanghai";
constexpr char kUtc[] = "UTC";
constexpr char kNewYork[] = "America/New_York";
const QByteArray kNoDate("(no date)");

}  // namespace

class TestTimestampConversion : public QObject {
    Q_OBJECT
private slots:
    void timestampToDateText_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<QByteArray>("timestamp");
        QTest::addColumn<QByteArray>("dateText");
        struct Row {
            const char* name;
            const char* zone;
            QByteArray timestamp;
            QByteArray dateText;
        };
        const Row rows[] = {
            {"UTC+8", kShanghai, "1428301499000", "2015-4-6 14:24:59"},
            {"UTC", kUtc, "1428301499000", "2015-4-6 06:24:59"},
            {"New York summer", kNewYork, "1428301499000", "2015-4-6 02:24:59"},
            {"New York winter", kNewYork, "1420070400000", "2014-12-31 19:00:00"},
            {"empty in UTC+8", kShanghai, "", "1970-1-1 08:00:00"},
            {"0 in UTC+8", kShanghai, "0", "1970-1-1 08:00:00"},
            {"empty in UTC", kUtc, "", "1970-1-1 00:00:00"},
            {"blank in UTC", kUtc, " \t ", "1970-1-1 00:00:00"},
            {"0 in New York", kNewYork, "0", "1969-12-31 19:00:00"},
            {"white space around", kShanghai, " \t1428301499000\f\v ", "2015-4-6 14:24:59"},
            {"ideographic space around", kShanghai,
             "\xA1\xA1"
             "1428301499000\xA1\xA1",
             "2015-4-6 14:24:59"},
            {"fraction cut", kUtc, "1428301499999.9", "2015-4-6 06:24:59"},
            {"hex", kUtc, "0x10", "1970-1-1 00:00:00"},
            {"hex timestamp", kUtc, "0X14C8D674A78", "2015-4-6 06:24:59"},
            {"exponent", kUtc, "1e12", "2001-9-9 01:46:40"},
            {"signed exponent", kUtc, "+1.5E+12", "2017-7-14 02:40:00"},
            {"leading point", kUtc, ".5e4", "1970-1-1 00:00:05"},
            {"tiny", kUtc, "1e-400", "1970-1-1 00:00:00"},
            {"-1", kUtc, "-1", "1969-12-31 23:59:59"},
            {"-1000.5 cut toward zero", kUtc, "-1000.5", "1969-12-31 23:59:59"},
            {"-1001", kUtc, "-1001", "1969-12-31 23:59:58"},
            {"largest", kUtc, "8.64e15", "275760-9-13 00:00:00"},
            {"smallest", kUtc, "-8.64e15", "-271821-4-20 00:00:00"},
            {"just above", kUtc, "8640000000000001", kNoDate},
            {"far above", kUtc, "1e400", kNoDate},
            {"Infinity", kUtc, "Infinity", kNoDate},
            {"abc", kShanghai, "abc", kNoDate},
            {"unit behind", kShanghai, "1428301499000ms", kNoDate},
            {"space inside", kShanghai, "1428 301499000", kNoDate},
            {"signed hex", kUtc, "-0x10", kNoDate},
            {"bare 0x", kUtc, "0x", kNoDate},
            {"bare exponent", kUtc, "1e", kNoDate},
            {"bare point", kUtc, ".", kNoDate},
            {"line break", kShanghai, "1428301499000\n", kNoDate},
            {"carriage return", kShanghai, "14283\r01499000", kNoDate},
            {"quote", kShanghai, "1428301499000'", kNoDate},
            {"script", kShanghai, "0');alert('", kNoDate},
            {"backslash", kShanghai, "1\\x30", kNoDate},
            {"two-byte character", kShanghai, "\xC4\xEA", kNoDate},
        };
        for (const Row& row : rows)
            QTest::newRow(row.name) << QByteArray(row.zone) << row.timestamp << row.dateText;
    }
    void timestampToDateText() {
        QFETCH(QByteArray, zone);
        QFETCH(QByteArray, timestamp);
        QFETCH(QByteArray, dateText);
        ZoneScope scope(zone.constData());
        QCOMPARE(shown(TimestampToDateText(timestamp.toStdString())), dateText);
    }

    void blankTimestamp_data() {
        QTest::addColumn<QByteArray>("timestamp");
        QTest::addColumn<bool>("blank");
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("white space") << QByteArray(" \t\r\n") << true;
        QTest::newRow("ideographic space") << QByteArray("\xA1\xA1 ") << true;
        QTest::newRow("0") << QByteArray(" 0 ") << false;
        QTest::newRow("lead byte alone") << QByteArray("\xA1") << false;
    }
    void blankTimestamp() {
        QFETCH(QByteArray, timestamp);
        QFETCH(bool, blank);
        QCOMPARE(IsBlankTimestamp(timestamp.toStdString()), blank);
    }

    void engineDateText_data() {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QByteArray>("engineText");
        QTest::newRow("UTC+8") << QByteArray(kShanghai) << qint64(1428301499000)
                               << QByteArray("Mon Apr 6 14:24:59 UTC+0800 2015");
        QTest::newRow("UTC-4") << QByteArray(kNewYork) << qint64(1428301499000)
                               << QByteArray("Mon Apr 6 02:24:59 UTC-0400 2015");
        QTest::newRow("UTC") << QByteArray(kUtc) << qint64(0)
                             << QByteArray("Thu Jan 1 00:00:00 UTC+0000 1970");
        QTest::newRow("beyond") << QByteArray(kUtc) << qint64(8640000000000001) << kNoDate;
    }
    void engineDateText() {
        QFETCH(QByteArray, zone);
        QFETCH(qint64, milliseconds);
        QFETCH(QByteArray, engineText);
        ZoneScope scope(zone.constData());
        QCOMPARE(shown(EngineDateText(milliseconds)), engineText);
    }

    void dateTextFromEngineText_data() {
        QTest::addColumn<QByteArray>("engineText");
        QTest::addColumn<QByteArray>("dateText");
        QTest::newRow("six fields")
            << QByteArray("Mon Apr 6 14:24:59 UTC+0800 2015") << QByteArray("2015-4-6 14:24:59");
        QTest::newRow("Dec") << QByteArray("Sun Dec 6 14:24:59 UTC+0800 2015")
                             << QByteArray("2015-12-6 14:24:59");
        QTest::newRow("Sept unchanged") << QByteArray("Sun Sept 6 14:24:59 UTC+0800 2015")
                                        << QByteArray("2015-Sept-6 14:24:59");
        QTest::newRow("dec unchanged")
            << QByteArray("Sun dec 6 14:24:59 UTC+0800 2015") << QByteArray("2015-dec-6 14:24:59");
        QTest::newRow("seventh field") << QByteArray("Mon Apr 6 14:24:59 UTC+0800 2015 (CST)")
                                       << QByteArray("2015-4-6 14:24:59");
        QTest::newRow("space first")
            << QByteArray(" Apr 6 14:24:59 UTC+0800 2015") << QByteArray("2015-4-6 14:24:59");
        QTest::newRow("two spaces")
            << QByteArray("Mon  Apr 6 14:24:59 UTC+0800 2015") << QByteArray("UTC+0800--Apr 6");
        QTest::newRow("space last") << QByteArray("Mon Apr 6 14:24:59 UTC+0800 ") << kNoDate;
        QTest::newRow("five fields") << QByteArray("Mon Apr 6 14:24:59 2015") << kNoDate;
        QTest::newRow("empty") << QByteArray() << kNoDate;
        QTest::newRow("space as a trail byte")
            << QByteArray("\x81 Apr 6 14:24:59 UTC+0800 2015") << kNoDate;
    }
    void dateTextFromEngineText() {
        QFETCH(QByteArray, engineText);
        QFETCH(QByteArray, dateText);
        QCOMPARE(shown(DateTextFromEngineText(engineText.toStdString())), dateText);
    }
};

QTEST_APPLESS_MAIN(TestTimestampConversion)
#include "test_timestamp_conversion.moc"
