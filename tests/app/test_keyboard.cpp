// The keys the window handles itself, on the real window: the Tab order and
// its wrapping, Esc closing from anywhere, Enter starting a line only in the
// notebook, and the focus coming back when the window is activated again.
#include <QLineEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <QtTest>

#include "keyboard.h"
#include "window_fixture.h"

namespace {

const QStringList kTabOrder = {
    u"编辑框1"_qs,  u"按钮1"_qs,   u"编辑框2"_qs, u"编辑框3"_qs, u"按钮3"_qs,   u"编辑框4"_qs,
    u"编辑框5"_qs,  u"编辑框6"_qs, u"编辑框7"_qs, u"编辑框8"_qs, u"编辑框9"_qs, u"按钮2"_qs,
    u"编辑框10"_qs, u"按钮4"_qs,   u"按钮5"_qs,   u"按钮6"_qs,
};

QString focusName() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused->objectName() : QString();
}

}  // namespace

class TestKeyboard : public QObject {
    Q_OBJECT
private slots:
    void orderFollowsTheControlList() {
        QStringList names;
        for (Control control : tabOrder(windowDefinition()))
            names << QString::fromUtf16(
                windowDefinition()[static_cast<std::size_t>(control)].objectName);
        QCOMPARE(names, kTabOrder);
    }

    void tabWalksTheOrder_data() {
        QTest::addColumn<bool>("backwards");
        QTest::newRow("Tab") << false;
        QTest::newRow("Shift+Tab") << true;
    }
    void tabWalksTheOrder() {
        QFETCH(bool, backwards);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QStringList expected;
        for (qsizetype i = 1; i <= kTabOrder.size(); ++i)
            expected << kTabOrder[backwards ? kTabOrder.size() - i : i % kTabOrder.size()];
        QStringList walked;
        for (qsizetype i = 0; i < kTabOrder.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            walked << focusName();
        }
        QCOMPARE(walked, expected);
    }

    void tabLeavesTheNotebook() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        auto* notebook = fixture.control<QTextEdit>(u"编辑框2"_qs);
        notebook->setFocus();
        QTest::keyClicks(notebook, u"ab"_qs);
        QTest::keyClick(notebook, Qt::Key_Tab);
        QCOMPARE(focusName(), u"编辑框3"_qs);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(focusName(), u"编辑框2"_qs);
        QCOMPARE(notebook->toPlainText(), u"ab"_qs);
    }

    void enterStartsALineInTheNotebook() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        auto* notebook = fixture.control<QTextEdit>(u"编辑框2"_qs);
        notebook->setFocus();
        QTest::keyClicks(notebook, u"ab"_qs);
        QTest::keyClick(notebook, Qt::Key_Return);
        QTest::keyClicks(notebook, u"cd"_qs);
        QCOMPARE(fixture.text(Control::编辑框2), QByteArray("ab\r\ncd"));
        // Both lines are laid out centred, also the one Enter made.
        for (QTextBlock line = notebook->document()->begin(); line.isValid(); line = line.next())
            QVERIFY(line.layout()->lineAt(0).naturalTextRect().left() > 40);
    }

    // Enter in a one-line box or on a button changes no text, runs nothing
    // (no default button: "确定" would write the daily suggestion) and keeps
    // the focus.
    void enterDoesNothingElsewhere_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::newRow("amount box") << u"编辑框1"_qs << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << u"编辑框1"_qs << int(Qt::Key_Enter);
        QTest::newRow("button 确定") << u"按钮6"_qs << int(Qt::Key_Return);
        QTest::newRow("button 修改") << u"按钮1"_qs << int(Qt::Key_Enter);
    }
    void enterDoesNothingElsewhere() {
        QFETCH(QString, focused);
        QFETCH(int, key);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QTest::keyClicks(fixture.control(u"编辑框1"_qs), u"3000"_qs);
        fixture.control(focused)->setFocus();
        QTest::keyClick(fixture.control(focused), Qt::Key(key));
        QCOMPARE(focusName(), focused);
        QCOMPARE(fixture.text(Control::编辑框1), QByteArray("3000"));
        QCOMPARE(fixture.text(Control::编辑框3), QByteArray());
        QCOMPARE(fixture.text(Control::透明标签1), QByteArray());
    }

    void escCloses_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("amount box") << u"编辑框1"_qs << int(Qt::NoModifier) << true;
        QTest::newRow("notebook") << u"编辑框2"_qs << int(Qt::NoModifier) << true;
        QTest::newRow("balance") << u"编辑框10"_qs << int(Qt::NoModifier) << true;
        QTest::newRow("button") << u"按钮4"_qs << int(Qt::NoModifier) << true;
        QTest::newRow("Shift+Esc") << u"编辑框1"_qs << int(Qt::ShiftModifier) << false;
        QTest::newRow("Ctrl+Esc") << u"编辑框1"_qs << int(Qt::ControlModifier) << false;
    }
    void escCloses() {
        QFETCH(QString, focused);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QWidget* widget = fixture.control(focused);
        widget->setFocus();
        QTest::keyClicks(widget, u"12"_qs);
        QTest::keyClick(widget, Qt::Key_Escape, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(fixture.window().isVisible(), !closes);
        QVERIFY(QDir(fixture.directory()).isEmpty());
    }

    void focusComesBackOnActivation() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        fixture.control(u"编辑框5"_qs)->setFocus();
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        fixture.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture.window()));
        QCOMPARE(focusName(), u"编辑框5"_qs);
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
