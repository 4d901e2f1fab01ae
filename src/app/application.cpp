#include "application.h"

#include <QApplication>
#include <memory>

#include "main_window.h"
#include "message_box.h"

int runMainWindow(const std::string& programDirectory, std::optional<std::string> timePageHost,
                  std::span<const ControlDefinition> definition) {
    std::unique_ptr<主窗口> window;
    try {
        window = std::make_unique<主窗口>(programDirectory, std::move(timePageHost), definition);
    } catch (const std::exception&) {
        showLoadFailure();
        return -1;
    }
    window->start();
    QApplication::exec();
    return 0;
}
