// Round trips between UTF-8 and GB18030, and the UTF-8 check used to tell a
// file saved by a Linux editor from one saved in code page 936.
#include <QtTest>

#include "text_encoding.h"

class TestTextEncoding : public QObject {
    Q_OBJECT
private slots:
    void conversions_data() {
        QTest::addColumn<QByteArray>("utf8");
        QTest::addColumn<QByteArray>("gb18030");
        QTest::newRow("ascii") << QByteArray("abc 123") << QByteArray("abc 123");
        QTest::newRow("empty") << QByteArray() << QByteArray();
        QTest::newRow("吃饭：") << QByteArray("\xE5\x90\x83\xE9\xA5\xAD\xEF\xBC\x9A")
                                << QByteArray("\xB3\xD4\xB7\xB9\xA3\xBA");
        // 𠀀 lies outside code page 936; GB18030 keeps it as four bytes.
        QTest::newRow("four-byte")
            << QByteArray("\xF0\xA0\x80\x80") << QByteArray("\x95\x32\x82\x36");
    }
    void conversions() {
        QFETCH(QByteArray, utf8);
        QFETCH(QByteArray, gb18030);
        QCOMPARE(QByteArray::fromStdString(Gb18030FromUtf8(utf8.toStdString())), gb18030);
        QCOMPARE(QByteArray::fromStdString(Utf8FromGb18030(gb18030.toStdString())), utf8);
    }

    void invalidBytesBecomeQuestionMarks() {
        QCOMPARE(QByteArray::fromStdString(Gb18030FromUtf8("a\xFF"
                                                           "b")),
                 QByteArray("a?b"));
        QCOMPARE(QByteArray::fromStdString(Utf8FromGb18030("a\xB3")), QByteArray("a?"));
    }

    void validUtf8_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ascii") << QByteArray("[a]\r\nb=1") << true;
        QTest::newRow("chinese") << QByteArray("\xE6\x95\xB0\xE6\x8D\xAE") << true;
        QTest::newRow("gbk 数据") << QByteArray("\xCA\xFD\xBE\xDD") << false;
        QTest::newRow("cut off") << QByteArray("\xE6\x95") << false;
        QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
    }
    void validUtf8() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(IsValidUtf8(bytes.toStdString()), valid);
    }
};

QTEST_APPLESS_MAIN(TestTextEncoding)
#include "test_text_encoding.moc"
