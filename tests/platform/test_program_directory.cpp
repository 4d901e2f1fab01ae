// The program's directory is where this very test executable lies, without a
// trailing slash, and stays the same on every call.
#include <QtTest>

#include "program_directory.h"

class TestProgramDirectory : public QObject {
    Q_OBJECT
private slots:
    void isTheExecutablesDirectory() {
        const QString directory = QFile::decodeName(QByteArray::fromStdString(ProgramDirectory()));
        QVERIFY(!directory.endsWith('/'));
        QVERIFY(QDir::isAbsolutePath(directory));
        QCOMPARE(QFileInfo(directory + "/test_program_directory").canonicalFilePath(),
                 QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
        QCOMPARE(ProgramDirectory(), directory.toStdString());
    }
};

QTEST_GUILESS_MAIN(TestProgramDirectory)
#include "test_program_directory.moc"
