#include "keyboard.h"

#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

std::vector<Control> tabOrder(std::span<const ControlDefinition> definition) {
    std::vector<Control> order;
    for (auto row = definition.rbegin(); row != definition.rend(); ++row)
        if (row->kind == ControlKind::EditBox || row->kind == ControlKind::Button)
            order.push_back(row->name);
    return order;
}

WindowKeyboard::WindowKeyboard(QWidget* window, std::vector<QWidget*> order, QWidget* multiLineBox)
    : QObject(window), m_window(window), m_order(std::move(order)), m_multiLineBox(multiLineBox) {
    m_window->installEventFilter(this);
    for (QWidget* control : m_order) control->installEventFilter(this);
}

void WindowKeyboard::moveFocus(QObject* from, int step) {
    if (m_order.empty()) return;
    const auto found = std::find(m_order.begin(), m_order.end(), from);
    const int count = static_cast<int>(m_order.size());
    // From the window itself (no control focused) Tab starts at the first control.
    int next = step > 0 ? 0 : count - 1;
    if (found != m_order.end())
        next = (static_cast<int>(found - m_order.begin()) + step + count) % count;
    m_order[next]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool WindowKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    switch (key->key()) {
        case Qt::Key_Tab:
            moveFocus(watched, modifiers & Qt::ShiftModifier ? -1 : 1);
            return true;
        case Qt::Key_Backtab:
            moveFocus(watched, -1);
            return true;
        case Qt::Key_Escape:
            if (modifiers != Qt::NoModifier) return false;
            m_window->close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return watched != m_multiLineBox;
        default:
            return false;
    }
}
