#pragma once
// The main window 主窗口: builds its controls from the window definition,
// wires their events to the ledger and clock operations, and gives the ledger
// its control texts and message boxes. It keeps no values of its own: every
// value lives in a control text.

#include <QWidget>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "clock_refresh.h"
#include "control_texts.h"
#include "window_builder.h"
#include "window_definition.h"

class InputFilter;

class 主窗口 : public QWidget, public ControlTexts {
public:
    // Builds the window and every control hidden, and starts 时钟1. The clock
    // asks timePageHost ("host" or "host:port"), by default the host fixed at
    // build time. Throws WindowDefinitionError when the definition is faulty.
    explicit 主窗口(std::string programDirectory,
                    std::optional<std::string> timePageHost = std::nullopt,
                    std::span<const ControlDefinition> definition = windowDefinition());
    ~主窗口() override;

    // The created event (RefreshClock, then LoadTotal), then shows the window
    // centred and active with the focus in the first control of the Tab order.
    void start();

    std::string ReadControlText(Control control) const override;
    void WriteControlText(Control control, std::string_view text) override;
    void ShowMessage(std::string_view text, int style, std::string_view caption) override;

protected:
    void moveEvent(QMoveEvent* event) override;

private:
    const ControlDefinition& row(Control control) const;
    QObject* object(Control control) const;
    void wireEvents();
    void runOperation(Operation operation);
    void applyIntegerValue(Control control);
    void waitForClock();
    void fitFrame();

    std::string m_programDirectory;
    std::span<const ControlDefinition> m_definition;
    ControlObjects m_controls{};
    std::vector<InputFilter*> m_inputFilters;
    std::unique_ptr<ClockRefresh> m_clock;
    // Ticks before the window is shown wait, and at most one of them runs.
    bool m_running = false;
    bool m_tickWaiting = false;
};

// The one font of the window and its message boxes; no control has its own.
QFont interfaceFont();

// The top-left corner that centres a window of the given size on a screen:
// (screen - window) / 2, rounding toward zero, negative where the screen is
// the smaller. (800 x 600, 634 x 484) -> (83, 58); (633, 483) -> (0, 0);
// (630, 480) -> (-2, -2).
QPoint centredOrigin(QSize screen, QSize window);
