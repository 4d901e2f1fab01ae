#pragma once
// Runs the program's one window: builds 主窗口 on the program directory,
// starts it and runs the event loop. Needs a QApplication.

#include <optional>
#include <span>
#include <string>

#include "window_definition.h"

// Exit code 0 after the window has been closed; -1 after the load-failure
// box when the window could not be built. The time page host is 主窗口's.
int runMainWindow(const std::string& programDirectory,
                  std::optional<std::string> timePageHost = std::nullopt,
                  std::span<const ControlDefinition> definition = windowDefinition());
