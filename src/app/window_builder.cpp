#include "window_builder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <string>

#include "group_frame.h"
#include "qt_text.h"
#include "transparent_label.h"

namespace {

// Each name is its kind's word and an ordinal.
QStringView kindWord(ControlKind kind) {
    switch (kind) {
        case ControlKind::EditBox:
            return u"编辑框";
        case ControlKind::Label:
            return u"标签";
        case ControlKind::Button:
            return u"按钮";
        case ControlKind::GroupBox:
            return u"分组框";
        case ControlKind::TabControl:
            return u"选择夹";
        case ControlKind::Timer:
            return u"时钟";
        case ControlKind::TransparentLabel:
            return u"透明标签";
    }
    return {};
}

bool isContainer(ControlKind kind) {
    return kind == ControlKind::GroupBox || kind == ControlKind::TabControl;
}

[[noreturn]] void fault(std::size_t row, const char* what) {
    throw WindowDefinitionError("row " + std::to_string(row + 1) + ": " + what);
}

QColor colourOf(TextColour colour) {
    switch (colour) {
        case TextColour::Red:
            return QColor(255, 0, 0);
        case TextColour::Blue:
            return QColor(0, 96, 192);
        case TextColour::Black:
            break;
    }
    return QColor(0, 0, 0);
}

Qt::Alignment alignmentOf(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Centre:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

// Sunken is the three-dimensional edge, thin sunken a one-pixel one, flat a
// plain line; the text is black on white in every box.
QString editStyle(const char* widgetClass, EditFrame frame) {
    QString border = u"none"_qs;
    switch (frame) {
        case EditFrame::Sunken:
            border = u"2px inset rgb(160, 160, 160)"_qs;
            break;
        case EditFrame::ThinSunken:
            border = u"1px inset rgb(160, 160, 160)"_qs;
            break;
        case EditFrame::Flat:
            border = u"1px solid rgb(100, 100, 100)"_qs;
            break;
        case EditFrame::None:
            break;
    }
    return u"%1 { border: %2; background: white; color: black; }"_qs.arg(
        QLatin1StringView(widgetClass), border);
}

QWidget* makeEditBox(const ControlDefinition& row, QWidget* parent) {
    if (row.multiLine) {
        auto* box = new QTextEdit(parent);
        box->setAcceptRichText(false);
        box->setTabChangesFocus(true);
        box->setLineWrapMode(QTextEdit::NoWrap);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        box->setStyleSheet(editStyle("QTextEdit", row.frame));
        // The document's default option centres every paragraph, also those
        // that a later write or the Enter key makes.
        QTextOption option = box->document()->defaultTextOption();
        option.setAlignment(alignmentOf(row.alignment));
        box->document()->setDefaultTextOption(option);
        box->setPlainText(qtLines(row.text));
        return box;
    }
    auto* box = new QLineEdit(parent);
    box->setAlignment(alignmentOf(row.alignment) | Qt::AlignVCenter);
    box->setStyleSheet(editStyle("QLineEdit", row.frame));
    box->setText(qtText(row.text));
    return box;
}

QWidget* makeWidget(const ControlDefinition& row, QWidget* parent) {
    switch (row.kind) {
        case ControlKind::EditBox:
            return makeEditBox(row, parent);
        case ControlKind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setAutoFillBackground(true);
            label->setText(qtText(row.text));
            return label;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(qtText(row.text), parent);
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
        case ControlKind::GroupBox:
            return new GroupFrame(qtText(row.text), alignmentOf(row.alignment), parent);
        case ControlKind::TabControl: {
            auto* tabs = new QTabWidget(parent);
            tabs->addTab(new QWidget, qtText(row.text));
            tabs->setFocusPolicy(Qt::NoFocus);
            tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
            return tabs;
        }
        case ControlKind::TransparentLabel: {
            auto* label = new TransparentLabel(parent);
            label->setText(qtText(row.text));
            return label;
        }
        case ControlKind::Timer:
            break;
    }
    return nullptr;
}

}  // namespace

void checkDefinition(std::span<const ControlDefinition> definition) {
    if (definition.size() != kControlCount) fault(definition.size(), "wrong number of controls");
    for (std::size_t i = 0; i < definition.size(); ++i) {
        const ControlDefinition& row = definition[i];
        if (static_cast<std::size_t>(row.name) != i) fault(i, "control out of order");
        const QStringView name = row.objectName ? QStringView(row.objectName) : QStringView();
        if (!name.startsWith(kindWord(row.kind)) || name.size() == kindWord(row.kind).size())
            fault(i, "name does not fit the kind");
        if (row.parent) {
            const auto parent = static_cast<std::size_t>(*row.parent);
            if (parent <= i || parent >= definition.size()) fault(i, "parent does not follow");
            if (!isContainer(definition[parent].kind)) fault(i, "parent is no container");
        }
        const bool isTimer = row.kind == ControlKind::Timer;
        if (isTimer ? (row.intervalMs <= 0 || row.parent)
                    : (row.place.width <= 0 || row.place.height <= 0 || row.intervalMs != 0))
            fault(i, "place or interval does not fit the kind");
        if ((row.kind == ControlKind::EditBox) != (row.mode != InputMode::None))
            fault(i, "input mode does not fit the kind");
        if (row.multiLine && row.kind != ControlKind::EditBox)
            fault(i, "only edit boxes are multi-line");
    }
}

ControlObjects buildControls(QWidget* window, std::span<const ControlDefinition> definition) {
    checkDefinition(definition);
    ControlObjects objects{};
    // A parent follows its children in the list, and Qt stacks a later
    // sibling above an earlier one: building from the end does both. The
    // tab control's one page is the tab control itself, so its children are
    // placed from its outer corner, tab row included, above the page.
    for (auto row = definition.rbegin(); row != definition.rend(); ++row) {
        const auto index = static_cast<std::size_t>(row->name);
        if (row->kind == ControlKind::Timer) {
            auto* timer = new QTimer(window);
            timer->setObjectName(QString::fromUtf16(row->objectName));
            timer->setInterval(row->intervalMs);
            timer->start();
            objects[index] = timer;
            continue;
        }
        QWidget* parent =
            row->parent ? static_cast<QWidget*>(objects[static_cast<std::size_t>(*row->parent)])
                        : window;
        QWidget* widget = makeWidget(*row, parent);
        widget->setObjectName(QString::fromUtf16(row->objectName));
        widget->setGeometry(row->place.x, row->place.y, row->place.width, row->place.height);
        // Set on every widget, so a red group box caption does not pass on to
        // the children that have no colour of their own.
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, colourOf(row->colour));
        widget->setPalette(palette);
        objects[index] = widget;
    }
    return objects;
}
