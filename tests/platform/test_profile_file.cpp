// Reads and writes of settings files on real files in a temporary directory:
// the format's rules, the double-byte walk, UTF-8 files, the replace of an
// earlier multi-line value, and failed writes that must leave the old file
// untouched.
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "file_bytes.h"
#include "profile_file.h"

namespace {

std::string text(const QByteArray& bytes) {
    return bytes.toStdString();
}

QByteArray fromStd(const std::string& bytes) {
    return QByteArray::fromStdString(bytes);
}

const QByteArray kBom("\xEF\xBB\xBF");

}  // namespace

enum class Failure { TargetIsDirectory, NoWritePermission, FileSizeLimit, FullFileSystem };
Q_DECLARE_METATYPE(Failure)

class TestProfileFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString filePath() const { return m_dir.filePath(QString::fromUtf8(u8(u8"文本.ini"))); }
    std::string stdPath() const { return filePath().toStdString(); }

private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QFile::remove(filePath());
    }

    void reads_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("defaultValue");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray total("[保存]\r\n数据=3000\r\n");
        QTest::newRow("found") << true << total << QByteArray("保存") << QByteArray("数据")
                               << QByteArray() << QByteArray("3000");
        QTest::newRow("missing file") << false << QByteArray() << QByteArray("保存")
                                      << QByteArray("数据") << QByteArray() << QByteArray();
        QTest::newRow("missing file, default")
            << false << QByteArray() << QByteArray("保存") << QByteArray("数据") << QByteArray("0")
            << QByteArray("0");
        QTest::newRow("empty file") << true << QByteArray() << QByteArray("保存")
                                    << QByteArray("数据") << QByteArray() << QByteArray();
        QTest::newRow("missing section")
            << true << QByteArray("[其他]\r\n数据=1\r\n") << QByteArray("保存")
            << QByteArray("数据") << QByteArray("d") << QByteArray("d");
        QTest::newRow("missing key")
            << true << QByteArray("[保存]\r\n其他=1\r\n") << QByteArray("保存")
            << QByteArray("数据") << QByteArray() << QByteArray();
        QTest::newRow("key of the next section")
            << true << QByteArray("[保存]\r\n[其他]\r\n数据=1\r\n") << QByteArray("保存")
            << QByteArray("数据") << QByteArray() << QByteArray();
        QTest::newRow("key before any section")
            << true << QByteArray("数据=1\r\n[保存]\r\n") << QByteArray("保存")
            << QByteArray("数据") << QByteArray() << QByteArray();
        QTest::newRow("letter case")
            << true << QByteArray("[SaVe]\r\nToTaL=7\r\n") << QByteArray("sAVE")
            << QByteArray("total") << QByteArray() << QByteArray("7");
        // 癆 is B0 41 and 癮 is B0 61: their trail bytes spell "A" and "a".
        QTest::newRow("trail bytes do not fold")
            << true << QByteArray("[s]\r\n\xB0\x41=1\r\n") << QByteArray("s")
            << QByteArray("\xB0\x61") << QByteArray() << QByteArray();
        QTest::newRow("blanks") << true << QByteArray(" \t[ 保存 ]\t\r\n  数据 \t=  3000元 \t\r\n")
                                << QByteArray("保存") << QByteArray("数据") << QByteArray()
                                << QByteArray("3000元");
        QTest::newRow("double quotes")
            << true << QByteArray("[s]\r\nk = \" 30 \" \r\n") << QByteArray("s") << QByteArray("k")
            << QByteArray() << QByteArray(" 30 ");
        QTest::newRow("single quotes") << true << QByteArray("[s]\r\nk='吃'\r\n") << QByteArray("s")
                                       << QByteArray("k") << QByteArray() << QByteArray("吃");
        QTest::newRow("unmatched quotes")
            << true << QByteArray("[s]\r\nk=\"30'\r\n") << QByteArray("s") << QByteArray("k")
            << QByteArray() << QByteArray("\"30'");
        QTest::newRow("lone quote") << true << QByteArray("[s]\r\nk=\"\r\n") << QByteArray("s")
                                    << QByteArray("k") << QByteArray() << QByteArray("\"");
        QTest::newRow("line without equals sign")
            << true << QByteArray("[保存]\r\n数据\r\n") << QByteArray("保存") << QByteArray("数据")
            << QByteArray("d") << QByteArray("d");
        QTest::newRow("empty value is no default")
            << true << QByteArray("[保存]\r\n数据=\r\n") << QByteArray("保存") << QByteArray("数据")
            << QByteArray("d") << QByteArray();
        QTest::newRow("comment") << true << QByteArray("[保存]\r\n;数据=1\r\n")
                                 << QByteArray("保存") << QByteArray("数据") << QByteArray()
                                 << QByteArray();
        QTest::newRow("equals sign in value")
            << true << QByteArray("[s]\r\nk=a=b\r\n") << QByteArray("s") << QByteArray("k")
            << QByteArray() << QByteArray("a=b");
        QTest::newRow("first of two keys")
            << true << QByteArray("[s]\r\nk=1\r\nK=2\r\n") << QByteArray("s") << QByteArray("k")
            << QByteArray() << QByteArray("1");
        QTest::newRow("section given twice")
            << true << QByteArray("[s]\r\na=1\r\n[t]\r\n[s]\r\nk=2") << QByteArray("s")
            << QByteArray("k") << QByteArray() << QByteArray("2");
        QTest::newRow("LF lines") << true << QByteArray("[保存]\n数据=3000\n其他=1\n")
                                  << QByteArray("保存") << QByteArray("数据") << QByteArray()
                                  << QByteArray("3000");
        QTest::newRow("CR lines") << true << QByteArray("[保存]\r数据=3000\r其他=1\r")
                                  << QByteArray("保存") << QByteArray("数据") << QByteArray()
                                  << QByteArray("3000");
        QTest::newRow("no line end at the end")
            << true << QByteArray("[保存]\r\n数据=3000") << QByteArray("保存") << QByteArray("数据")
            << QByteArray() << QByteArray("3000");
        // 乚 is 81 5D, 乕 is 81 5B, 乗 is 81 5C: "]", "[" and "\" as trail bytes.
        QTest::newRow("trail byte ] in a section name")
            << true << QByteArray("[a\x81\x5D]\r\nk=1\r\n") << QByteArray("a\x81\x5D")
            << QByteArray("k") << QByteArray() << QByteArray("1");
        QTest::newRow("trail byte [ in a key")
            << true << QByteArray("[s]\r\n\x81\x5B=1\r\n") << QByteArray("s")
            << QByteArray("\x81\x5B") << QByteArray() << QByteArray("1");
        QTest::newRow("trail byte \\ in a key and value")
            << true << QByteArray("[s]\r\n\x81\x5C=\x81\x5C\r\n") << QByteArray("s")
            << QByteArray("\x81\x5C") << QByteArray() << QByteArray("\x81\x5C");
        // 腯 is C4 5D: the name must not end at its trail byte.
        QTest::newRow("trail byte ] before the real one")
            << true << QByteArray("[\xC4\x5D]\r\nk=1\r\n") << QByteArray("\xC4\x5D")
            << QByteArray("k") << QByteArray() << QByteArray("1");
        QTest::newRow("value over the limit")
            << true << QByteArray("[s]\r\nk=") + QByteArray(10300, 'x') << QByteArray("s")
            << QByteArray("k") << QByteArray() << QByteArray(10239, 'x');
        QTest::newRow("value at the limit")
            << true << QByteArray("[s]\r\nk=") + QByteArray(10239, 'x') + "\r\n"
            << QByteArray("s") << QByteArray("k") << QByteArray() << QByteArray(10239, 'x');

        QTest::newRow("UTF-8") << true << u8(u8"[保存]\r\n数据=3000元\r\n") << QByteArray("保存")
                               << QByteArray("数据") << QByteArray() << QByteArray("3000元");
        QTest::newRow("UTF-8 with BOM")
            << true << kBom + u8(u8"[保存]\r\n数据=3000元\r\n") << QByteArray("保存")
            << QByteArray("数据") << QByteArray() << QByteArray("3000元");
        QTest::newRow("code page 936 twin")
            << true << QByteArray("[\xB1\xA3\xB4\xE6]\r\n\xCA\xFD\xBE\xDD=3000\xD4\xAA\r\n")
            << QByteArray("保存") << QByteArray("数据") << QByteArray() << QByteArray("3000元");
        QTest::newRow("BOM before ASCII")
            << true << kBom + "[save]\r\ntotal=5\r\n"
            << QByteArray("save") << QByteArray("total") << QByteArray() << QByteArray("5");
    }
    void reads() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, defaultValue);
        QFETCH(QByteArray, expected);
        if (exists) writeBytes(filePath(), file);
        QCOMPARE(fromStd(ReadProfileValue(stdPath(), text(section), text(key), text(defaultValue))),
                 expected);
    }

    // Leading bytes 1 to 32 of each argument are skipped; an argument that is
    // then empty reads nothing, not even the default.
    void readArguments_data() {
        QTest::addColumn<QByteArray>("pathPrefix");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("plain") << QByteArray() << QByteArray("保存") << QByteArray("数据")
                               << QByteArray("3000");
        QTest::newRow("control bytes in front")
            << QByteArray(" \t\r\n\x01") << QByteArray("\x1F 保存") << QByteArray("\n数据")
            << QByteArray("3000");
        QTest::newRow("empty section")
            << QByteArray() << QByteArray() << QByteArray("数据") << QByteArray();
        QTest::newRow("blank key")
            << QByteArray() << QByteArray("保存") << QByteArray(" \t") << QByteArray();
    }
    void readArguments() {
        QFETCH(QByteArray, pathPrefix);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, expected);
        writeBytes(filePath(), "[保存]\r\n数据=3000\r\n");
        QCOMPARE(
            fromStd(ReadProfileValue(text(pathPrefix) + stdPath(), text(section), text(key), "d")),
            expected);
        QCOMPARE(fromStd(ReadProfileValue(" \t", "保存", "数据", "d")), QByteArray());
    }

    void writes_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("new file") << false << QByteArray() << QByteArray("吃饭：12")
                                  << QByteArray("[金额消费记录]\r\n金额消费=吃饭：12\r\n");
        QTest::newRow("empty file") << true << QByteArray() << QByteArray("1")
                                    << QByteArray("[金额消费记录]\r\n金额消费=1\r\n");
        QTest::newRow("empty value") << false << QByteArray() << QByteArray()
                                     << QByteArray("[金额消费记录]\r\n金额消费=\r\n");
        QTest::newRow("lines of the value")
            << false << QByteArray() << QByteArray("吃饭：12\r\n购物：3\r\n\r\n余额")
            << QByteArray(
                   "[金额消费记录]\r\n金额消费=吃饭：12\r\n购物："
                   "3\r\n\r\n余额\r\n");
        QTest::newRow("new section after an open last line")
            << true << QByteArray("[保存]\r\n数据=3000") << QByteArray("v")
            << QByteArray("[保存]\r\n数据=3000\r\n[金额消费记录]\r\n金额消费=v\r\n");
        QTest::newRow("new section in an LF file")
            << true << QByteArray("[a]\nb=1\n\n") << QByteArray("v")
            << QByteArray("[a]\nb=1\n\n[金额消费记录]\r\n金额消费=v\r\n");
        QTest::newRow("new key at the end of its section")
            << true << QByteArray("[金额消费记录]\r\n其他=1\r\n\r\n[a]\r\nb=2\r\n")
            << QByteArray("v")
            << QByteArray("[金额消费记录]\r\n其他=1\r\n金额消费=v\r\n\r\n[a]\r\nb=2\r\n");
        QTest::newRow("one-line value replaced")
            << true << QByteArray("[金额消费记录]\r\n金额消费=旧\r\n[a]\r\nb=2\r\n")
            << QByteArray("新") << QByteArray("[金额消费记录]\r\n金额消费=新\r\n[a]\r\nb=2\r\n");
        QTest::newRow("multi-line value replaced")
            << true
            << QByteArray(
                   "[a]\r\nb=2\r\n[金额消费记录]\r\n金额消费=旧1\r\n旧2\r\n\r\n旧3\r\n[c]\r\nd=4")
            << QByteArray("新1\r\n新2")
            << QByteArray("[a]\r\nb=2\r\n[金额消费记录]\r\n金额消费=新1\r\n新2\r\n[c]\r\nd=4");
        QTest::newRow("multi-line value at the end replaced")
            << true << QByteArray("[金额消费记录]\r\n金额消费=旧1\r\n旧2\r\n旧3")
            << QByteArray("新") << QByteArray("[金额消费记录]\r\n金额消费=新\r\n");
        QTest::newRow("names in another case and blanks")
            << true << QByteArray("[ 金额消费记录 ]\r\n  金额消费 = 旧\r\n") << QByteArray("新")
            << QByteArray("[ 金额消费记录 ]\r\n金额消费=新\r\n");
        QTest::newRow("other lines kept byte for byte")
            << true
            << QByteArray(
                   ";note\n  x = 1 \n[a]\rb = "
                   "\"2\"\r\n\t\r\n[金额消费记录]\r\n金额消费=旧\r\n[c]\n乚\x81\x5D\n")
            << QByteArray("新")
            << QByteArray(
                   ";note\n  x = 1 \n[a]\rb = "
                   "\"2\"\r\n\t\r\n[金额消费记录]\r\n金额消费=新\r\n[c]\n乚\x81\x5D\n");
        QTest::newRow("UTF-8 file stays UTF-8")
            << true << kBom + u8(u8"[保存]\r\n数据=3000\r\n") << QByteArray("吃饭：12")
            << kBom + u8(u8"[保存]\r\n数据=3000\r\n[金额消费记录]\r\n金额消费=吃饭：12\r\n");
    }
    void writes() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        if (exists) writeBytes(filePath(), file);
        ProfileWriteResult result =
            WriteProfileValue(stdPath(), "金额消费记录", "金额消费", text(value));
        QVERIFY(result.written);
        QCOMPARE(result.error, 0);
        QCOMPARE(readBytes(filePath()), expected);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{filePath().section('/', -1)});
    }

    // Records of different lengths, each replacing the last: the file ends
    // with the last record only, the other section untouched.
    void tenSavesLeaveOneRecord() {
        const QByteArray start("[保存]\r\n数据=1000\r\n");
        writeBytes(filePath(), start);
        std::string record;
        for (int save = 0; save < 10; ++save) {
            record.clear();
            for (int line = 0; line < (save * 7) % 5 + 1; ++line)
                record += "吃饭：" + std::to_string(save * 10 + line) + "\r\n";
            QVERIFY(WriteProfileValue(stdPath(), "金额消费记录", "金额消费", record).written);
        }
        QCOMPARE(readBytes(filePath()),
                 start + "[金额消费记录]\r\n金额消费=" + fromStd(record) + "\r\n");
        QCOMPARE(fromStd(ReadProfileValue(stdPath(), "保存", "数据")), QByteArray("1000"));
    }

    void replaceKeepsTheFileMode() {
        writeBytes(filePath(), "[a]\r\nb=1\r\n");
        QCOMPARE(::chmod(stdPath().c_str(), 0640), 0);
        QVERIFY(WriteProfileValue(stdPath(), "a", "b", "2").written);
        struct stat info {};
        QCOMPARE(::stat(stdPath().c_str(), &info), 0);
        QCOMPARE(info.st_mode & 07777, 0640u);
    }

    // A write through a symbolic link replaces the file it points to.
    void symbolicLinkStaysALink() {
        const QString target = m_dir.filePath("target.txt");
        writeBytes(target, "[a]\r\nb=1\r\n");
        QVERIFY(QFile::link(target, filePath()));
        QVERIFY(WriteProfileValue(stdPath(), "a", "b", "2").written);
        QVERIFY(QFileInfo(filePath()).isSymLink());
        QCOMPARE(readBytes(target), QByteArray("[a]\r\nb=2\r\n"));
        QFile::remove(target);
    }

    void failures_data() {
        QTest::addColumn<Failure>("failure");
        QTest::addColumn<int>("error");
        QTest::newRow("target is a directory") << Failure::TargetIsDirectory << EISDIR;
        QTest::newRow("no write permission") << Failure::NoWritePermission << EACCES;
        QTest::newRow("file size limit") << Failure::FileSizeLimit << EFBIG;
        QTest::newRow("full file system") << Failure::FullFileSystem << ENOSPC;
    }
    // The old file (or directory) is left byte for byte, and no temporary
    // file is left behind.
    void failures() {
        QFETCH(Failure, failure);
        QFETCH(int, error);
        QTemporaryDir outer;
        QVERIFY(outer.isValid());
        const QString dir = outer.filePath("d");
        QVERIFY(QDir().mkdir(dir));
        const QString path = dir + "/" + QString::fromUtf8(u8(u8"文本.txt"));
        const QByteArray old("[金额消费记录]\r\n金额消费=旧1\r\n旧2\r\n");
        const std::string record(64 * 1024, 'x');

        bool mounted = false;
        auto unmount = qScopeGuard([&] {
            if (mounted) ::umount2(QFile::encodeName(dir).constData(), MNT_DETACH);
        });
        if (failure == Failure::FullFileSystem) {
            mounted = mountTinyFileSystem(dir);
            if (!mounted) QSKIP("mounting a tmpfs needs root and a private mount namespace");
        }
        if (failure == Failure::TargetIsDirectory) {
            QVERIFY(QDir().mkdir(path));
        } else {
            writeBytes(path, old);
        }

        ProfileWriteResult result;
        switch (failure) {
            case Failure::TargetIsDirectory:
            case Failure::FullFileSystem:
                result = WriteProfileValue(path.toStdString(), "金额消费记录", "金额消费", record);
                break;
            case Failure::NoWritePermission:
                QVERIFY(QFile::setPermissions(outer.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                                QFile::ExeOwner | QFile::ReadOther |
                                                                QFile::ExeOther));
                QVERIFY(QFile::setPermissions(
                    dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
                result = writeAsNobody(path.toStdString(), record);
                QVERIFY(QFile::setPermissions(
                    dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
                break;
            case Failure::FileSizeLimit:
                result = writeUnderSizeLimit(path.toStdString(), record);
                break;
        }

        QVERIFY(!result.written);
        QCOMPARE(result.error, error);
        QCOMPARE(QByteArray::fromStdString(result.reason), QByteArray(std::strerror(error)));
        if (failure == Failure::TargetIsDirectory) {
            QVERIFY(QFileInfo(path).isDir());
        } else {
            QCOMPARE(readBytes(path), old);
        }
        QCOMPARE(QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{path.section('/', -1)});
    }

private:
    // Root writes anywhere, so the write runs with the effective ids of
    // nobody; anyone else is refused the read-only directory as is.
    static ProfileWriteResult writeAsNobody(const std::string& path, const std::string& record) {
        if (::geteuid() != 0) return WriteProfileValue(path, "金额消费记录", "金额消费", record);
        const uid_t nobody = 65534;
        if (::setegid(nobody) != 0 || ::seteuid(nobody) != 0) return {};
        ProfileWriteResult result = WriteProfileValue(path, "金额消费记录", "金额消费", record);
        if (::seteuid(0) != 0 || ::setegid(0) != 0) qFatal("cannot take back root");
        return result;
    }

    static ProfileWriteResult writeUnderSizeLimit(const std::string& path,
                                                  const std::string& record) {
        rlimit saved{};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = 4096;
        auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ProfileWriteResult result = WriteProfileValue(path, "金额消费记录", "金额消费", record);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        ::signal(SIGXFSZ, oldHandler);
        return result;
    }

    // A 16 KiB tmpfs over dir, seen by this process only.
    static bool mountTinyFileSystem(const QString& dir) {
        static const bool privateNamespace =
            ::unshare(CLONE_NEWNS) == 0 &&
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        return privateNamespace &&
               ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0, "size=16k") == 0;
    }
};

QTEST_APPLESS_MAIN(TestProfileFile)
#include "test_profile_file.moc"
