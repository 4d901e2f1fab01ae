// What each edit box admits when typed into, pasted into or given an input
// method's commit, and the IntegerValue step when 编辑框3 or 编辑框10 lose
// the focus; on the real window.
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include "input_modes.h"
#include "window_fixture.h"

Q_DECLARE_METATYPE(Control)

class TestInputModes : public QObject {
    Q_OBJECT
private slots:
    void integerValueText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("value");
        const struct {
            const char* text;
            const char* value;
        } rows[] = {
            {"33.33333333333", "33"},
            {"-12abc", "-12"},
            {"007", "7"},
            {"abc", ""},
            {"0", ""},
            {"-0", ""},
            {"", ""},
            {"99999999999", "2147483647"},
            {"2147483647", "2147483647"},
            {"2147483648", "2147483647"},
            {"-2147483648", "-2147483648"},
            {"-2147483649", "-2147483648"},
            {"999999999999999999999999999999", "2147483647"},
            {" \t\r\n+5", "5"},
            {"- 5", ""},
            {"+-5", ""},
            {"1e5", "1"},
            {"３", ""},  // a full-width digit is no digit here
        };
        for (const auto& row : rows)
            QTest::newRow(QByteArray(row.text).replace('\n', "\\n").replace('\r', "\\r"))
                << QByteArray(row.text) << QByteArray(row.value);
    }
    void integerValueText() {
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, value);
        QCOMPARE(QByteArray::fromStdString(IntegerValueText(text.toStdString())), value);
    }

    void typing_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("letter refused by DecimalChars") << u"编辑框1"_qs << u"a"_qs << QString();
        QTest::newRow("DecimalChars") << u"编辑框1"_qs << u"-1.5"_qs << u"-1.5"_qs;
        QTest::newRow("point refused by IntegerChars") << u"编辑框4"_qs << u"-1.5"_qs << u"-15"_qs;
        QTest::newRow("signs and points anywhere")
            << u"编辑框9"_qs << u"1-.2.3-"_qs << u"1-.2.3-"_qs;
        QTest::newRow("IntegerChars") << u"编辑框8"_qs << u"--1 +2e3"_qs << u"--123"_qs;
        QTest::newRow("IntegerValue while typing") << u"编辑框3"_qs << u"12.5x"_qs << u"125"_qs;
        QTest::newRow("plus refused") << u"编辑框10"_qs << u"+7"_qs << u"7"_qs;
        QTest::newRow("Chinese refused") << u"编辑框5"_qs << u"3元"_qs << u"3"_qs;
        QTest::newRow("full-width digit refused") << u"编辑框1"_qs << u"３"_qs << QString();
        QTest::newRow("AnyText") << u"编辑框2"_qs << u"吃饭 12.5元!"_qs << u"吃饭 12.5元!"_qs;
    }
    void typing() {
        QFETCH(QString, box);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QWidget* widget = fixture.control(box);
        widget->setFocus();
        // Key events as a keyboard gives them, one character each, Chinese too.
        for (const QChar character : typed)
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(character),
                                Qt::NoModifier);
        QCOMPARE(shownText(widget), shown);
    }

    // Editing keys and clipboard shortcuts are no typed characters.
    void editingKeysPass() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        auto* box = fixture.control<QLineEdit>(u"编辑框4"_qs);
        box->setFocus();
        QTest::keyClicks(box, u"123"_qs);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClick(box, Qt::Key_Left);
        QTest::keyClick(box, Qt::Key_Delete);
        QCOMPARE(box->text(), u"1"_qs);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), u"1"_qs);
    }

    void pasteIsNotFiltered() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        auto* box = fixture.control<QLineEdit>(u"编辑框4"_qs);
        box->setFocus();
        QGuiApplication::clipboard()->setText(u"abc元"_qs);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->text(), u"abc元"_qs);
        QCOMPARE(fixture.text(Control::编辑框4), QByteArray("abc元"));
    }

    void inputMethodCommits_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Chinese into DecimalChars") << u"编辑框1"_qs << u"元"_qs << QString();
        QTest::newRow("full-width digits into IntegerChars")
            << u"编辑框4"_qs << u"１２"_qs << QString();
        QTest::newRow("ASCII digits into IntegerChars") << u"编辑框4"_qs << u"12"_qs << u"12"_qs;
        QTest::newRow("Chinese into AnyText") << u"编辑框2"_qs << u"吃饭"_qs << u"吃饭"_qs;
    }
    void inputMethodCommits() {
        QFETCH(QString, box);
        QFETCH(QString, commit);
        QFETCH(QString, shown);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QWidget* widget = fixture.control(box);
        widget->setFocus();
        QInputMethodEvent preedit(u"chifan"_qs, {});
        QCoreApplication::sendEvent(widget, &preedit);
        QInputMethodEvent event;
        event.setCommitString(commit);
        QCoreApplication::sendEvent(widget, &event);
        QCOMPARE(shownText(widget), shown);
    }

    // Clicking into the box and then into 编辑框1 runs the step on what the
    // box holds; a text that is already its value is left as it is.
    void integerValueOnFocusLoss_data() {
        QTest::addColumn<Control>("control");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("daily suggestion") << Control::编辑框3 << u"编辑框3"_qs
                                          << QByteArray("33.33333333333") << QByteArray("33");
        QTest::newRow("zero becomes empty")
            << Control::编辑框3 << u"编辑框3"_qs << QByteArray("0") << QByteArray();
        QTest::newRow("balance clamped") << Control::编辑框10 << u"编辑框10"_qs
                                         << QByteArray("-99999999999") << QByteArray("-2147483648");
        QTest::newRow("exponent form") << Control::编辑框10 << u"编辑框10"_qs
                                       << QByteArray("1.234567890123e+016") << QByteArray("1");
    }
    void integerValueOnFocusLoss() {
        QFETCH(Control, control);
        QFETCH(QString, box);
        QFETCH(QByteArray, text);
        QFETCH(QByteArray, after);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        fixture.window().WriteControlText(control, text.toStdString());
        QTest::mouseClick(fixture.control(box), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), fixture.control(box));
        QCOMPARE(fixture.text(control), text);
        QTest::mouseClick(fixture.control(u"编辑框1"_qs), Qt::LeftButton);
        QCOMPARE(fixture.text(control), after);
    }

    void valueTextIsNotRewritten() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        auto* box = fixture.control<QLineEdit>(u"编辑框10"_qs);
        box->setFocus();
        QTest::keyClicks(box, u"2410"_qs);
        box->setCursorPosition(1);
        QSignalSpy changes(box, &QLineEdit::textChanged);
        fixture.control(u"编辑框1"_qs)->setFocus();
        QCOMPARE(box->text(), u"2410"_qs);
        QCOMPARE(changes.count(), 0);
        QCOMPARE(box->cursorPosition(), 1);
    }
};

QTEST_MAIN(TestInputModes)
#include "test_input_modes.moc"
