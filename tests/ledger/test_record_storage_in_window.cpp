// The starting total and "保存" in the real window, on the offscreen platform,
// with the program directory a fresh temporary directory: what the person
// sees at start-up, in the file after a save, and in the boxes.
#include <QAbstractButton>
#include <QInputMethodEvent>
#include <QtTest>

#include "file_bytes.h"
#include "window_fixture.h"

namespace {

QString iniPath(const WindowFixture& fixture) {
    return fixture.directory() + "/" + QString::fromUtf8(u8(u8"文本.ini"));
}

QString txtPath(const WindowFixture& fixture) {
    return fixture.directory() + "/" + QString::fromUtf8(u8(u8"文本.txt"));
}

void click(WindowFixture& fixture, const QString& button) {
    auto* widget = fixture.control<QAbstractButton>(button);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
}

// Chinese comes in as an input method's committed text.
void commitText(QWidget* widget, const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(widget, &event);
}

// Presses "保存" and answers its box.
std::shared_ptr<ModalBoxSeen> save(WindowFixture& fixture) {
    auto seen = answerNextModalBox();
    click(fixture, u"按钮4"_qs);
    return seen;
}

}  // namespace

class TestRecordStorageInWindow : public QObject {
    Q_OBJECT
private slots:
    // 透明标签1 shows the stored text as it is; the daily box and the balance
    // keep their first texts.
    void totalAtStart_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("3000") << true << QByteArray("[保存]\r\n数据=3000\r\n")
                              << QByteArray("3000");
        QTest::newRow("3000元") << true << QByteArray("[保存]\r\n数据=3000元\r\n")
                                << QByteArray("3000元");
        QTest::newRow("no file") << false << QByteArray() << QByteArray();
    }
    void totalAtStart() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, shown);
        WindowFixture fixture;
        if (exists) writeBytes(iniPath(fixture), ini);
        fixture.window();  // built hidden, as before the created event
        const QByteArray daily = fixture.text(Control::编辑框3);
        const QByteArray balance = fixture.text(Control::编辑框10);
        QVERIFY(fixture.start());
        QCOMPARE(fixture.text(Control::透明标签1), shown);
        QCOMPARE(fixture.text(Control::编辑框3), daily);
        QCOMPARE(fixture.text(Control::编辑框10), balance);
    }

    // Lines typed into the notebook go under 金额消费= as they read back, CR
    // LF pairs included, and the save is confirmed with the default caption.
    void saveTypedNotebook() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QWidget* notebook = fixture.control(u"编辑框2"_qs);
        QVERIFY(notebook);
        notebook->setFocus();
        commitText(notebook, u"吃饭：12"_qs);
        QTest::keyClick(notebook, Qt::Key_Return);
        commitText(notebook, u"购物：3"_qs);
        QCOMPARE(fixture.text(Control::编辑框2), QByteArray("吃饭：12\r\n购物：3"));

        auto seen = save(fixture);
        QVERIFY(seen->answered);
        QCOMPARE(seen->caption, u"信息："_qs);
        QCOMPARE(seen->text, u"数据已保存！"_qs);
        QCOMPARE(readBytes(txtPath(fixture)),
                 QByteArray("[金额消费记录]\r\n金额消费=吃饭：12\r\n购物：3\r\n"));
        QCOMPARE(fixture.text(Control::编辑框2), QByteArray("吃饭：12\r\n购物：3"));
    }

    void emptyNotebookSavesEmptyValue() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QVERIFY(save(fixture)->answered);
        QCOMPARE(readBytes(txtPath(fixture)), QByteArray("[金额消费记录]\r\n金额消费=\r\n"));
    }

    // Pressing "保存" again replaces the record; the earlier one's lines go.
    void savingAgainReplacesTheRecord() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        fixture.window().WriteControlText(Control::编辑框2, "一\r\n二\r\n三");
        QVERIFY(save(fixture)->answered);
        fixture.window().WriteControlText(Control::编辑框2, "四");
        QVERIFY(save(fixture)->answered);
        QCOMPARE(readBytes(txtPath(fixture)), QByteArray("[金额消费记录]\r\n金额消费=四\r\n"));
    }

    // A 文本.txt that is a directory cannot be replaced: the error box names
    // it, nothing says the record was saved, and the notebook keeps its text.
    void failedSaveShowsTheError() {
        WindowFixture fixture;
        QVERIFY(QDir().mkdir(txtPath(fixture)));
        QVERIFY(fixture.start());
        fixture.window().WriteControlText(Control::编辑框2, "吃饭：12");
        auto seen = save(fixture);
        QVERIFY(seen->answered);
        QCOMPARE(seen->caption, u"错误"_qs);
        QVERIFY2(seen->text.startsWith(u"数据保存失败！"_qs), qPrintable(seen->text));
        QVERIFY2(seen->text.contains(txtPath(fixture)), qPrintable(seen->text));
        QVERIFY(!seen->text.contains(u"数据已保存！"_qs));
        QVERIFY(QFileInfo(txtPath(fixture)).isDir());
        QCOMPARE(fixture.text(Control::编辑框2), QByteArray("吃饭：12"));
    }

    // Only 文本.ini gives the total at the next start, whatever was saved.
    void savedRecordHasNoEffectOnNextStart() {
        WindowFixture fixture;
        writeBytes(iniPath(fixture), "[保存]\r\n数据=1000\r\n");
        QVERIFY(fixture.start());
        fixture.window().WriteControlText(Control::编辑框2, "[保存]\r\n数据=5");
        QVERIFY(save(fixture)->answered);
        fixture.window().close();

        主窗口 next(fixture.directory().toStdString(), fixture.timePage().host());
        next.start();
        QCOMPARE(QByteArray::fromStdString(next.ReadControlText(Control::透明标签1)),
                 QByteArray("1000"));
    }
};

QTEST_MAIN(TestRecordStorageInWindow)
#include "test_record_storage_in_window.moc"
