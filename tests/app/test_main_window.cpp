// The real main window on the offscreen platform: what start-up shows and
// where, the control texts as the ledger sees them, message boxes, the clock's
// timer going on while a box is open, and closing.
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTextEdit>
#include <QtTest>
#include <functional>
#include <utility>

#include "file_bytes.h"
#include "main_window.h"
#include "window_fixture.h"

Q_DECLARE_METATYPE(Control)

namespace {

// Runs a check at the moment the window is first shown.
class ShowWatcher : public QObject {
public:
    ShowWatcher(QWidget& window, std::function<void()> onShow) : m_onShow(std::move(onShow)) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show && m_onShow) std::exchange(m_onShow, nullptr)();
        return false;
    }

private:
    std::function<void()> m_onShow;
};

}  // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpFillsTheWindowBeforeShowingIt() {
        WindowFixture fixture;
        writeBytes(fixture.directory() + u"/文本.ini"_qs, "[保存]\r\n数据=3000\r\n");
        QByteArray clock, total;
        ShowWatcher watcher(fixture.window(), [&] {
            clock = fixture.text(Control::标签12);
            total = fixture.text(Control::透明标签1);
        });
        QVERIFY(fixture.start());
        QVERIFY(clock.startsWith("当前北京时间为："));
        QCOMPARE(total, QByteArray("3000"));

        主窗口& window = fixture.window();
        QCOMPARE(window.windowTitle(), u"岚禾|记账器   v1.0"_qs);
        QCOMPARE(QApplication::focusWidget(), fixture.control(u"编辑框1"_qs));
        const QSize screen = window.screen()->geometry().size();
        QCOMPARE(window.pos(), centredOrigin(screen, {634, 484}));
        for (QLineEdit* box : window.findChildren<QLineEdit*>())
            QVERIFY2(box->text().isEmpty(), qPrintable(box->objectName()));
        QVERIFY(fixture.control<QTextEdit>(u"编辑框2"_qs)->toPlainText().isEmpty());
    }

    // A tick due while the window is still hidden waits for it to be shown:
    // the created event fetches the time once, the tick right after showing.
    void earlyTickWaitsForTheWindow() {
        WindowFixture fixture;
        fixture.window();
        QTest::qSleep(1200);  // blocks, so 时钟1's first tick is overdue
        std::size_t fetchedWhenShown = 0;
        ShowWatcher watcher(fixture.window(),
                            [&] { fetchedWhenShown = fixture.timePage().requestCount(); });
        QVERIFY(fixture.start());
        QCOMPARE(fetchedWhenShown, std::size_t(1));
        QTRY_COMPARE_WITH_TIMEOUT(fixture.timePage().requestCount(), std::size_t(2), 500);
    }

    void windowCannotBeResizedMinimisedOrMaximised() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        主窗口& window = fixture.window();
        QCOMPARE(window.minimumSize(), QSize(634, 484));
        QCOMPARE(window.maximumSize(), QSize(634, 484));
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(flags & Qt::WindowSystemMenuHint);
        QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(!(flags & Qt::WindowStaysOnTopHint));
        QVERIFY(!window.windowIcon().isNull());
    }

    void centring_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPoint>("origin");
        QTest::newRow("800 x 600") << QSize(800, 600) << QPoint(83, 58);
        QTest::newRow("odd leftover") << QSize(1025, 769) << QPoint(195, 142);
        QTest::newRow("one pixel short rounds to zero") << QSize(633, 483) << QPoint(0, 0);
        QTest::newRow("smaller screen") << QSize(630, 479) << QPoint(-2, -2);
    }
    void centring() {
        QFETCH(QSize, screen);
        QFETCH(QPoint, origin);
        QCOMPARE(centredOrigin(screen, {634, 484}), origin);
    }

    // The places in the window's client area, independent of how the
    // controls are nested, and what lies on top there: stacking and clipping.
    void placesInWindow_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        const struct {
            const char16_t* name;
            QRect place;
        } places[] = {
            {u"按钮6", {555, 342, 41, 20}},    {u"按钮5", {555, 387, 41, 20}},
            {u"标签14", {261, 425, 272, 16}},  {u"按钮4", {544, 416, 48, 32}},
            {u"编辑框10", {510, 164, 53, 19}}, {u"标签13", {499, 128, 80, 16}},
            {u"按钮2", {72, 320, 48, 24}},     {u"标签11", {136, 320, 32, 24}},
            {u"标签10", {74, 265, 32, 24}},    {u"编辑框9", {176, 320, 64, 24}},
            {u"编辑框8", {116, 264, 64, 24}},  {u"编辑框7", {114, 224, 64, 24}},
            {u"编辑框6", {113, 184, 64, 24}},  {u"编辑框5", {112, 144, 64, 24}},
            {u"标签9", {62, 225, 47, 24}},     {u"标签8", {73, 186, 32, 24}},
            {u"标签7", {73, 144, 32, 24}},     {u"编辑框4", {111, 101, 64, 24}},
            {u"标签6", {72, 103, 32, 24}},     {u"分组框2", {40, 59, 216, 296}},
            {u"标签12", {46, 379, 240, 24}},   {u"按钮3", {290, 380, 41, 22}},
            {u"标签5", {500, 57, 80, 16}},     {u"标签4", {572, 92, 23, 16}},
            {u"编辑框3", {509, 90, 53, 19}},   {u"标签3", {469, 92, 32, 16}},
            {u"标签2", {328, 66, 64, 24}},     {u"编辑框2", {272, 90, 168, 264}},
            {u"选择夹1", {28, 26, 424, 336}},  {u"标签1", {337, 382, 109, 16}},
            {u"按钮1", {555, 364, 41, 20}},    {u"编辑框1", {454, 378, 88, 24}},
            {u"透明标签1", {551, 12, 48, 16}}, {u"分组框1", {22, 14, 586, 400}},
        };
        for (const auto& row : places) {
            const QString name = QString::fromUtf16(row.name);
            QTest::newRow(qPrintable(name)) << name << row.place;
        }
    }
    void placesInWindow() {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        WindowFixture fixture;
        QWidget* control = fixture.control(name);
        QVERIFY(control);
        主窗口& window = fixture.window();
        QCOMPARE(QRect(control->mapTo(&window, QPoint(0, 0)), control->size()), place);
        // Each is on top near its top-left corner; the transparent label
        // loses its top two rows to its group box.
        const auto onTopAt = [&](QPoint offset) {
            QWidget* top = window.childAt(place.topLeft() + offset);
            return top == control || control->isAncestorOf(top);
        };
        QVERIFY(onTopAt({3, 10}));
        if (name == u"透明标签1"_qs) QVERIFY(!onTopAt({4, 1}));
    }

    // A red caption stays on its own control.
    void colours_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("group box caption") << u"分组框1"_qs << QColor(255, 0, 0);
        QTest::newRow("black label in the red box") << u"标签5"_qs << QColor(0, 0, 0);
        QTest::newRow("blue label in the red box") << u"标签12"_qs << QColor(0, 96, 192);
        QTest::newRow("tab control in the red box") << u"选择夹1"_qs << QColor(0, 0, 0);
        QTest::newRow("total") << u"透明标签1"_qs << QColor(255, 0, 0);
    }
    void colours() {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        WindowFixture fixture;
        QCOMPARE(fixture.control(name)->palette().color(QPalette::WindowText), colour);
    }

    void controlTexts_data() {
        QTest::addColumn<Control>("control");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QString>("shown");
        QTest::newRow("notebook lines")
            << Control::编辑框2 << u"编辑框2"_qs << QByteArray("吃饭：120\r\n\r\n消费")
            << u"吃饭：120\n\n消费"_qs;
        QTest::newRow("no IntegerValue step on write")
            << Control::编辑框3 << u"编辑框3"_qs << QByteArray("33.33333333333")
            << u"33.33333333333"_qs;
        QTest::newRow("no filter on write")
            << Control::编辑框4 << u"编辑框4"_qs << QByteArray("3000元") << u"3000元"_qs;
        QTest::newRow("label") << Control::标签12 << u"标签12"_qs
                               << QByteArray("当前北京时间为：2015年4月6日")
                               << u"当前北京时间为：2015年4月6日"_qs;
        QTest::newRow("total") << Control::透明标签1 << u"透明标签1"_qs << QByteArray("3000")
                               << u"3000"_qs;
        QTest::newRow("empty total")
            << Control::透明标签1 << u"透明标签1"_qs << QByteArray() << QString();
        QTest::newRow("outside code page 936")
            << Control::编辑框2 << u"编辑框2"_qs << QByteArray("\x95\x32\x82\x36")
            << QString::fromUcs4(U"\U00020000");
    }
    void controlTexts() {
        QFETCH(Control, control);
        QFETCH(QString, name);
        QFETCH(QByteArray, written);
        QFETCH(QString, shown);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QWidget* focused = QApplication::focusWidget();
        fixture.window().WriteControlText(control, written.toStdString());
        QCOMPARE(fixture.text(control), written);
        QCOMPARE(shownText(fixture.control(name)), shown);
        QCOMPARE(QApplication::focusWidget(), focused);
    }

    void messageBoxes_data() {
        QTest::addColumn<QByteArray>("caption");
        QTest::addColumn<QString>("shownCaption");
        QTest::newRow("caller's caption") << QByteArray("温馨提示") << u"温馨提示"_qs;
        QTest::newRow("no caption given") << QByteArray() << u"信息："_qs;
    }
    void messageBoxes() {
        QFETCH(QByteArray, caption);
        QFETCH(QString, shownCaption);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        // As the ledger sees it, with the interface's default caption.
        ControlTexts& window = fixture.window();
        auto seen = answerNextModalBox();
        if (caption.isEmpty())
            window.ShowMessage("数据已保存！");
        else
            window.ShowMessage("数据已保存！", 0, caption.toStdString());
        QVERIFY(seen->answered);
        QCOMPARE(seen->caption, shownCaption);
        QCOMPARE(seen->text, u"数据已保存！"_qs);
        QCOMPARE(seen->icon, QMessageBox::NoIcon);
    }

    // While the tally's notice is open the window takes no input, but 时钟1
    // goes on ticking and each tick fetches the time page.
    void clockTicksWhileABoxIsOpen() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        auto* clock = fixture.window().findChild<QTimer*>(u"时钟1"_qs);
        QVERIFY(clock && clock->isActive());
        QCOMPARE(clock->interval(), 1000);
        QSignalSpy ticks(clock, &QTimer::timeout);
        const std::size_t fetched = fixture.timePage().requestCount();
        auto seen = answerNextModalBox(2500);
        QTest::mouseClick(fixture.control(u"按钮2"_qs), Qt::LeftButton);
        QVERIFY(seen->answered);
        QCOMPARE(seen->caption, u"温馨提示"_qs);
        QVERIFY2(ticks.count() >= 2, qPrintable(QString::number(ticks.count())));
        QTRY_VERIFY_WITH_TIMEOUT(fixture.timePage().requestCount() >= fetched + 2, 500);
    }

    void closingWritesNothing() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        fixture.window().WriteControlText(Control::编辑框2, "笔记");
        QVERIFY(fixture.window().close());
        QVERIFY(!fixture.window().isVisible());
        QVERIFY(QDir(fixture.directory()).isEmpty());
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
