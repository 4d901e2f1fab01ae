#include "main_window.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include "budget.h"
#include "input_filter.h"
#include "input_modes.h"
#include "keyboard.h"
#include "message_box.h"
#include "qt_text.h"
#include "record_storage.h"
#include "tally.h"

QPoint centredOrigin(QSize screen, QSize window) {
    return {(screen.width() - window.width()) / 2, (screen.height() - window.height()) / 2};
}

QFont interfaceFont() {
    // Its Latin characters are six pixels wide at this size, half as wide as
    // the ideographs of the font the window's places were laid out for, so
    // the clock text fits 标签12 and nine spaces leave room for the total
    // at the end of 分组框1's caption.
    QFont font(u"WenQuanYi Micro Hei Mono"_qs);
    font.setPixelSize(10);
    return font;
}

主窗口::主窗口(std::string programDirectory, std::optional<std::string> timePageHost,
               std::span<const ControlDefinition> definition)
    : m_programDirectory(std::move(programDirectory)), m_definition(definition) {
    auto showCaption = [this](const std::string& caption) {
        WriteControlText(Control::标签12, caption);
    };
    m_clock = timePageHost ? std::make_unique<ClockRefresh>(*timePageHost, showCaption)
                           : std::make_unique<ClockRefresh>(showCaption);
    const WindowSettings& settings = windowSettings();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(qtText(settings.title));
    setWindowIcon(QIcon(u":/lanhe-ledger.png"_qs));
    setFont(interfaceFont());
    // Without a frame the client area is the whole window; fitFrame() takes
    // the frame off once the window manager has given one.
    setFixedSize(settings.width, settings.height);
    m_controls = buildControls(this, definition);
    wireEvents();
}

主窗口::~主窗口() {
    // Widgets losing the focus while Qt tears them down must not reach back
    // into a half-destroyed window.
    for (InputFilter* filter : m_inputFilters) delete filter;
}

const ControlDefinition& 主窗口::row(Control control) const {
    return m_definition[static_cast<std::size_t>(control)];
}

QObject* 主窗口::object(Control control) const {
    return m_controls[static_cast<std::size_t>(control)];
}

void 主窗口::wireEvents() {
    for (const ControlDefinition& control : m_definition) {
        QObject* built = object(control.name);
        const Operation operation = control.onEvent;
        if (control.kind == ControlKind::Timer) {
            connect(static_cast<QTimer*>(built), &QTimer::timeout, this, [this, operation] {
                if (m_running)
                    runOperation(operation);
                else
                    m_tickWaiting = true;
            });
        } else if (control.kind == ControlKind::Button && operation != Operation::None) {
            connect(static_cast<QAbstractButton*>(built), &QAbstractButton::clicked, this,
                    [this, operation] { runOperation(operation); });
        } else if (control.kind == ControlKind::EditBox) {
            std::function<void()> onFocusLost;
            if (control.mode == InputMode::IntegerValue)
                onFocusLost = [this, name = control.name] { applyIntegerValue(name); };
            auto* filter = new InputFilter(control.mode, std::move(onFocusLost), built);
            built->installEventFilter(filter);
            m_inputFilters.push_back(filter);
        }
    }
    std::vector<QWidget*> order;
    for (Control control : tabOrder(m_definition))
        order.push_back(static_cast<QWidget*>(object(control)));
    QWidget* multiLineBox = nullptr;
    for (const ControlDefinition& control : m_definition)
        if (control.multiLine) multiLineBox = static_cast<QWidget*>(object(control.name));
    new WindowKeyboard(this, std::move(order), multiLineBox);
}

void 主窗口::runOperation(Operation operation) {
    switch (operation) {
        case Operation::ApplyBudget:
            ApplyBudget(*this);
            break;
        case Operation::PostCredit:
            PostCredit(*this);
            break;
        case Operation::Tally:
            Tally(*this);
            break;
        case Operation::SaveRecord:
            SaveRecord(*this, m_programDirectory);
            break;
        case Operation::RefreshClock:
            m_clock->RefreshClock();
            break;
        case Operation::None:
            break;
    }
}

void 主窗口::applyIntegerValue(Control control) {
    const std::string text = ReadControlText(control);
    const std::string value = IntegerValueText(text);
    if (value != text) WriteControlText(control, value);
}

// The program passes style 0 only: one OK button and no icon.
void 主窗口::ShowMessage(std::string_view text, int, std::string_view caption) {
    showMessageBox(text, caption);
}

void 主窗口::waitForClock() {
    // The first fetch may finish on the event loop; the window waits for it a
    // second at most, taking no input meanwhile.
    constexpr int kWaitMs = 1000;
    if (!m_clock->busy()) return;
    QElapsedTimer waited;
    waited.start();
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!m_clock->busy() || waited.elapsed() >= kWaitMs) loop.quit();
    });
    poll.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void 主窗口::start() {
    m_clock->RefreshClock();
    waitForClock();
    LoadTotal(*this, m_programDirectory);

    const WindowSettings& settings = windowSettings();
    move(centredOrigin(screen()->geometry().size(), {settings.width, settings.height}));
    static_cast<QWidget*>(object(tabOrder(m_definition).front()))->setFocus(Qt::OtherFocusReason);
    show();
    raise();
    activateWindow();
    m_running = true;
    if (m_tickWaiting)
        QTimer::singleShot(0, this, [this] { runOperation(Operation::RefreshClock); });
}

void 主窗口::fitFrame() {
    const WindowSettings& settings = windowSettings();
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client(settings.width - frame.width(), settings.height - frame.height());
    if (isVisible() && client != size()) setFixedSize(client);
}

void 主窗口::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager tells the frame's size when it places the window.
    fitFrame();
}
