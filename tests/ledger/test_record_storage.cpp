// The starting total and the saved record on real files in a temporary
// program directory, with the window stood in for by a plain store of control
// texts that also keeps the message boxes it was asked to show.
#include <QtTest>
#include <cstring>
#include <map>
#include <vector>

#include "file_bytes.h"
#include "record_storage.h"
#include "text_encoding.h"

namespace {

struct Message {
    std::string text;
    int style = 0;
    std::string caption;
};

class TextStore : public ControlTexts {
public:
    std::map<Control, std::string> texts;
    std::vector<Message> messages;

    std::string ReadControlText(Control control) const override {
        auto found = texts.find(control);
        return found == texts.end() ? std::string() : found->second;
    }
    void WriteControlText(Control control, std::string_view text) override {
        texts[control] = std::string(text);
    }
    void ShowMessage(std::string_view text, int style, std::string_view caption) override {
        messages.push_back({std::string(text), style, std::string(caption)});
    }
};

QByteArray bytes(const std::string& text) {
    return QByteArray::fromStdString(text);
}

}  // namespace

class TestRecordStorage : public QObject {
    Q_OBJECT

    QTemporaryDir m_temp;
    // A directory with a Chinese name, so that the path in the error box
    // shows whether it was converted to the program's texts.
    QString m_dir;

    QString iniPath() const { return m_dir + "/" + QString::fromUtf8(u8(u8"文本.ini")); }
    QString txtPath() const { return m_dir + "/" + QString::fromUtf8(u8(u8"文本.txt")); }
    std::string directory() const { return QFile::encodeName(m_dir).toStdString(); }

private slots:
    void init() {
        QVERIFY(m_temp.isValid());
        m_dir = m_temp.filePath(QString::fromUtf8(u8(u8"账本")));
        QVERIFY(QDir(m_dir).removeRecursively());
        QVERIFY(QDir().mkpath(m_dir));
    }

    void loadTotal_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QByteArray>("total");
        QTest::newRow("3000") << true << QByteArray("[保存]\r\n数据=3000\r\n")
                              << QByteArray("3000");
        QTest::newRow("3000元 unchanged")
            << true << QByteArray("[保存]\r\n数据=3000元\r\n") << QByteArray("3000元");
        QTest::newRow("UTF-8 file")
            << true << u8(u8"[保存]\n数据=3000元\n") << QByteArray("3000元");
        QTest::newRow("no file") << false << QByteArray() << QByteArray();
        QTest::newRow("no section")
            << true << QByteArray("[其他]\r\n数据=3000\r\n") << QByteArray();
        QTest::newRow("no key") << true << QByteArray("[保存]\r\n其他=3000\r\n") << QByteArray();
    }
    // The label is overwritten even when nothing is found; the daily box and
    // the balance stay as they were.
    void loadTotal() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, ini);
        QFETCH(QByteArray, total);
        if (exists) writeBytes(iniPath(), ini);
        TextStore window;
        window.texts = {
            {Control::透明标签1, "old"}, {Control::编辑框3, "3"}, {Control::编辑框10, "10"}};
        LoadTotal(window, directory());
        QCOMPARE(bytes(window.texts[Control::透明标签1]), total);
        QCOMPARE(bytes(window.texts[Control::编辑框3]), QByteArray("3"));
        QCOMPARE(bytes(window.texts[Control::编辑框10]), QByteArray("10"));
        QVERIFY(window.messages.empty());
    }

    void saveRecord_data() {
        QTest::addColumn<QByteArray>("notebook");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("summary") << QByteArray("吃饭：12\r\n购物：3\r\n\r\n当前余额：985")
                                 << QByteArray(
                                        "[金额消费记录]\r\n金额消费=吃饭：12\r\n购物：3\r\n\r\n"
                                        "当前余额：985\r\n");
        QTest::newRow("empty notebook")
            << QByteArray() << QByteArray("[金额消费记录]\r\n金额消费=\r\n");
    }
    void saveRecord() {
        QFETCH(QByteArray, notebook);
        QFETCH(QByteArray, file);
        TextStore window;
        window.texts[Control::编辑框2] = notebook.toStdString();
        SaveRecord(window, directory());
        QCOMPARE(readBytes(txtPath()), file);
        QCOMPARE(window.messages.size(), 1u);
        QCOMPARE(bytes(window.messages[0].text), QByteArray("数据已保存！"));
        QCOMPARE(bytes(window.messages[0].caption), QByteArray("信息："));
        QCOMPARE(window.messages[0].style, 0);
        QCOMPARE(bytes(window.texts[Control::编辑框2]), notebook);
    }

    // The record goes only to 文本.txt; the next start still reads 文本.ini.
    void savedRecordIsNotLoaded() {
        const QByteArray ini("[保存]\r\n数据=1000\r\n");
        writeBytes(iniPath(), ini);
        TextStore window;
        window.texts[Control::编辑框2] = "[保存]\r\n数据=5";
        SaveRecord(window, directory());
        SaveRecord(window, directory());
        QCOMPARE(readBytes(iniPath()), ini);

        TextStore nextStart;
        LoadTotal(nextStart, directory());
        QCOMPARE(bytes(nextStart.texts[Control::透明标签1]), QByteArray("1000"));
    }

    // A 文本.txt that is a directory cannot be replaced: the box says so with
    // the path and the reason, nothing claims the record was saved, and the
    // notebook keeps its text.
    void failedSaveSaysSo() {
        QVERIFY(QDir().mkdir(txtPath()));
        TextStore window;
        window.texts[Control::编辑框2] = "吃饭：12";
        SaveRecord(window, directory());
        QCOMPARE(window.messages.size(), 1u);
        QCOMPARE(bytes(window.messages[0].caption), QByteArray("错误"));
        QCOMPARE(bytes(window.messages[0].text),
                 QByteArray("数据保存失败！\r\n") +
                     bytes(Gb18030FromUtf8(QFile::encodeName(txtPath()).toStdString())) + "\r\n" +
                     bytes(Gb18030FromUtf8(std::strerror(EISDIR))));
        QVERIFY(bytes(window.messages[0].text).contains("账本/文本.txt"));
        QVERIFY(QFileInfo(txtPath()).isDir());
        QCOMPARE(bytes(window.texts[Control::编辑框2]), QByteArray("吃饭：12"));
    }
};

QTEST_APPLESS_MAIN(TestRecordStorage)
#include "test_record_storage.moc"
