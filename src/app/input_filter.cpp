#include "input_filter.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "input_modes.h"

InputFilter::InputFilter(InputMode mode, std::function<void()> onFocusLost, QObject* parent)
    : QObject(parent), m_mode(mode), m_onFocusLost(std::move(onFocusLost)) {}

bool InputFilter::admits(const QString& typed) const {
    for (const char32_t character : typed.toUcs4())
        if (isPrintableTyped(character) && !admitsTyped(m_mode, character)) return false;
    return true;
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            // Shortcuts such as Ctrl+V pass whatever text they carry (a
            // control character, or on some platforms the letter); a refused
            // character is swallowed before the box sees it.
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
            return !admits(key->text());
        }
        case QEvent::InputMethod: {
            auto* input = static_cast<QInputMethodEvent*>(event);
            if (admits(input->commitString())) return false;
            // Drop the commit but let the box end its preedit text.
            QInputMethodEvent emptied;
            QCoreApplication::sendEvent(watched, &emptied);
            return true;
        }
        case QEvent::FocusOut:
            if (m_onFocusLost && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                m_onFocusLost();
            return false;
        default:
            return false;
    }
}
