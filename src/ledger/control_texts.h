#pragma once
// The ledger's view of the main window: the controls by the names of the
// window definition, and the three operations through which every operation
// reads, writes and tells the person. The window implements it with widgets;
// the ledger and its tests know nothing of widgets.
//
// Every text here is a byte text in GB18030 (a superset of code page 936).

#include <string>
#include <string_view>

// In the order of the window definition's control table.
enum class Control {
    按钮6,
    按钮5,
    标签14,
    按钮4,
    编辑框10,
    标签13,
    按钮2,
    标签11,
    标签10,
    编辑框9,
    编辑框8,
    编辑框7,
    编辑框6,
    编辑框5,
    标签9,
    标签8,
    标签7,
    编辑框4,
    标签6,
    分组框2,
    时钟1,
    标签12,
    按钮3,
    标签5,
    标签4,
    编辑框3,
    标签3,
    标签2,
    编辑框2,
    选择夹1,
    标签1,
    按钮1,
    编辑框1,
    透明标签1,
    分组框1,
};
inline constexpr int kControlCount = 35;

// The caption of a message box whose caller gives none.
inline constexpr std::string_view kDefaultMessageCaption = "信息：";

class ControlTexts {
public:
    virtual ~ControlTexts() = default;

    // An edit box gives its content as shown (line breaks as CR LF), a label
    // its caption.
    virtual std::string ReadControlText(Control control) const = 0;

    // Replaces the whole content or caption; passes through no input filter
    // and raises nothing the program handles.
    virtual void WriteControlText(Control control, std::string_view text) = 0;

    // A modal box with one OK button; returns when the person has closed it.
    // The clock's ticks go on being delivered meanwhile. The style is the
    // platform's message-box style; the program always passes 0.
    virtual void ShowMessage(std::string_view text, int style = 0,
                             std::string_view caption = kDefaultMessageCaption) = 0;
};
