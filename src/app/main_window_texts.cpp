// The control-text operations of 主窗口: the ledger reads and writes edit
// boxes and labels here, in byte texts. Writes go straight to the widget,
// past the input filters, and move no focus.
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>

#include "main_window.h"
#include "qt_text.h"
#include "transparent_label.h"

std::string 主窗口::ReadControlText(Control control) const {
    const ControlDefinition& definition = row(control);
    QObject* widget = object(control);
    switch (definition.kind) {
        case ControlKind::EditBox:
            if (definition.multiLine)
                return byteLines(static_cast<QTextEdit*>(widget)->toPlainText());
            return byteText(static_cast<QLineEdit*>(widget)->text());
        case ControlKind::Label:
            return byteText(static_cast<QLabel*>(widget)->text());
        case ControlKind::TransparentLabel:
            return byteText(static_cast<TransparentLabel*>(widget)->text());
        default:
            // Buttons, containers and the timer hold no value.
            return {};
    }
}

void 主窗口::WriteControlText(Control control, std::string_view text) {
    const ControlDefinition& definition = row(control);
    QObject* widget = object(control);
    switch (definition.kind) {
        case ControlKind::EditBox:
            if (definition.multiLine)
                static_cast<QTextEdit*>(widget)->setPlainText(qtLines(text));
            else
                static_cast<QLineEdit*>(widget)->setText(qtText(text));
            break;
        case ControlKind::Label:
            static_cast<QLabel*>(widget)->setText(qtText(text));
            break;
        case ControlKind::TransparentLabel:
            static_cast<TransparentLabel*>(widget)->setText(qtText(text));
            break;
        default:
            return;
    }
    // A caption shows at once, even in the middle of a long operation.
    auto* shown = static_cast<QWidget*>(widget);
    if (definition.kind != ControlKind::EditBox && shown->isVisible()) shown->repaint();
}
