#pragma once
// The real main window for tests: built on a fresh temporary directory (the
// program directory, where 文本.ini and 文本.txt live) with its clock fetching
// a fixed time page from a local server, started as the program starts it.
// answerNextModalBox() plays the person who closes the next message box.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "local_http_server.h"
#include "main_window.h"
#include "transparent_label.h"

// 2015-04-06 06:24:59 UTC.
inline constexpr const char* kFixtureTimePage = "window.baidu_time(1428301499000)";

class WindowFixture {
public:
    WindowFixture() {
        for (const char* name : {"http_proxy", "all_proxy", "ALL_PROXY"}) qunsetenv(name);
        m_timePage.setResponse("/special/time/", LocalHttpServer::Response::page(kFixtureTimePage));
    }

    // The program directory; write 文本.ini here before start().
    QString directory() const { return m_directory.path(); }
    LocalHttpServer& timePage() { return m_timePage; }

    // Built hidden on first use, not started.
    主窗口& window() {
        if (!m_window)
            m_window = std::make_unique<主窗口>(directory().toStdString(), m_timePage.host());
        return *m_window;
    }

    // Runs the created event and shows the window; true once it is active.
    bool start() {
        window().start();
        return QTest::qWaitForWindowActive(m_window.get());
    }

    template <typename Widget = QWidget>
    Widget* control(const QString& name) {
        return window().findChild<Widget*>(name);
    }

    QByteArray text(Control control) const {
        return QByteArray::fromStdString(m_window->ReadControlText(control));
    }

private:
    QTemporaryDir m_directory;
    LocalHttpServer m_timePage;
    std::unique_ptr<主窗口> m_window;
};

// What a box or label shows, as Qt holds it.
inline QString shownText(QWidget* widget) {
    if (auto* box = qobject_cast<QLineEdit*>(widget)) return box->text();
    if (auto* box = qobject_cast<QTextEdit*>(widget)) return box->toPlainText();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    if (auto* label = dynamic_cast<TransparentLabel*>(widget)) return label->text();
    return u"(no text)"_qs;
}

struct ModalBoxSeen {
    bool answered = false;
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Waits (events going on) for the next modal box, records it, keeps it open
// for holdMs and then presses its OK button. Call it before the action that
// opens the box; the result fills in when the box has been answered.
inline std::shared_ptr<ModalBoxSeen> answerNextModalBox(int holdMs = 0, int timeoutMs = 5000) {
    auto seen = std::make_shared<ModalBoxSeen>();
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (waited->elapsed() > timeoutMs) poll->deleteLater();
            return;
        }
        poll->stop();
        poll->deleteLater();
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box) {
            seen->caption = box->windowTitle();
            seen->text = box->text();
            seen->icon = box->icon();
        }
        QTimer::singleShot(holdMs, modal, [=] {
            if (box && box->button(QMessageBox::Ok))
                box->button(QMessageBox::Ok)->click();
            else
                modal->close();
            seen->answered = true;
        });
    });
    poll->start(10);
    return seen;
}
