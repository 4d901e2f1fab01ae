#pragma once
// The main window's definition as data: its own settings and one row per
// control, in the order of the control list (the first row lies on top).
// The builder turns the rows into widgets; nothing here knows Qt.

#include <optional>
#include <span>

#include "control_texts.h"

enum class ControlKind { EditBox, Label, Button, GroupBox, TabControl, Timer, TransparentLabel };

// What an edit box admits when typed into (see input_modes.h).
enum class InputMode { None, AnyText, IntegerChars, DecimalChars, IntegerValue };

enum class TextColour { Black, Red, Blue };
enum class Alignment { Left, Right, Centre };
enum class EditFrame { None, Sunken, ThinSunken, Flat };

// The operation a control's one bound event (click or tick) runs.
enum class Operation { None, ApplyBudget, PostCredit, Tally, SaveRecord, RefreshClock };

// Pixels from the top-left corner of the parent: the window's client area, or
// the outer corner of a group box or of the tab control (tab row included).
struct Place {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct ControlDefinition {
    Control name;
    const char16_t* objectName;
    ControlKind kind;
    std::optional<Control> parent;  // none: the window itself
    Place place{};
    const char* text = "";  // caption or initial content; a tab control's page
    Operation onEvent = Operation::None;
    TextColour colour = TextColour::Black;
    Alignment alignment = Alignment::Left;
    EditFrame frame = EditFrame::None;
    InputMode mode = InputMode::None;
    bool multiLine = false;  // with both scroll bars; Enter starts a line
    int intervalMs = 0;      // timers only
};

struct WindowSettings {
    const char* title;
    int width;  // the whole window, frame included
    int height;
};

const WindowSettings& windowSettings();
std::span<const ControlDefinition> windowDefinition();
