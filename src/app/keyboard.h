#pragma once
// The keys the window handles before the focused control sees them: Tab and
// Shift+Tab walk the Tab order (wrapping), Esc closes the window, and Enter
// does nothing outside the multi-line box. Every other key goes on unchanged.

#include <QObject>
#include <vector>

#include "window_definition.h"

class QWidget;

// The edit boxes and buttons, read from the end of the control list to its
// start: the order in which Tab moves the focus, 编辑框1 first.
std::vector<Control> tabOrder(std::span<const ControlDefinition> definition);

class WindowKeyboard : public QObject {
public:
    // Watches the window and every control of the order; Enter reaches only
    // multiLineBox.
    WindowKeyboard(QWidget* window, std::vector<QWidget*> order, QWidget* multiLineBox);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void moveFocus(QObject* from, int step);

    QWidget* m_window = nullptr;
    std::vector<QWidget*> m_order;
    QWidget* m_multiLineBox = nullptr;
};
