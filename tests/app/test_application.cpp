// The program's run from start to exit code: 0 after the window is closed,
// -1 after the load-failure box when the window cannot be built.
#include <QtTest>
#include <vector>

#include "application.h"
#include "window_fixture.h"

class TestApplication : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_timePage.setDefault(LocalHttpServer::Response::page(kFixtureTimePage));
    }

    void closedWindowEndsWithZero_data() {
        QTest::addColumn<bool>("byEsc");
        QTest::newRow("Esc") << true;
        QTest::newRow("close request") << false;
    }
    void closedWindowEndsWithZero() {
        QFETCH(bool, byEsc);
        QTemporaryDir directory;
        // Acts once the window is up, as the person would.
        QTimer person;
        connect(&person, &QTimer::timeout, [&] {
            QWidget* window = QApplication::activeWindow();
            if (!window) return;
            person.stop();
            if (byEsc)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                window->close();
        });
        person.start(10);
        // Should the window stay open, this ends the loop and fails.
        bool stillOpen = false;
        QTimer deadline;
        deadline.setSingleShot(true);
        connect(&deadline, &QTimer::timeout, [&] {
            stillOpen = true;
            QApplication::closeAllWindows();
        });
        deadline.start(5000);
        QCOMPARE(runMainWindow(directory.path().toStdString(), m_timePage.host()), 0);
        QVERIFY(!stillOpen);
        QVERIFY(directory.isValid() && QDir(directory.path()).isEmpty());
    }

    void faultyDefinitionShowsTheErrorBox() {
        std::vector<ControlDefinition> rows(windowDefinition().begin(), windowDefinition().end());
        rows[static_cast<std::size_t>(Control::按钮2)].parent = Control::标签1;
        auto seen = answerNextModalBox();
        QCOMPARE(runMainWindow(".", m_timePage.host(), rows), -1);
        QVERIFY(seen->answered);
        QCOMPARE(seen->caption, u"错误"_qs);
        QCOMPARE(seen->text, u"运行时出错!\n\n错误信息：载入启动窗口失败\n"_qs);
        QCOMPARE(seen->icon, QMessageBox::Critical);
    }

private:
    LocalHttpServer m_timePage;
};

QTEST_MAIN(TestApplication)
#include "test_application.moc"
