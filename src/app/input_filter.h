#pragma once
// Applies an edit box's input mode to what is typed into it: printable keys
// and input-method commits that the mode refuses are dropped silently, while
// pasted text and editing keys pass. When the box loses the focus (not to a
// context menu) it calls the given hook, which runs the IntegerValue step.

#include <QObject>
#include <functional>

#include "window_definition.h"

class InputFilter : public QObject {
public:
    InputFilter(InputMode mode, std::function<void()> onFocusLost, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool admits(const QString& typed) const;

    InputMode m_mode = InputMode::AnyText;
    std::function<void()> m_onFocusLost;
};
