#include "budget.h"

#include "number_text.h"

namespace {

// The daily suggestion's divisor, whatever the month.
constexpr double kDaysPerMonth = 30.0;

double numberIn(const ControlTexts& window, Control control) {
    return TextToNumber(window.ReadControlText(control));
}

}  // namespace

std::string BalanceText(const ControlTexts& window) {
    return NumberToText(numberIn(window, Control::透明标签1) - numberIn(window, Control::编辑框9));
}

void ApplyBudget(ControlTexts& window) {
    window.WriteControlText(Control::透明标签1, window.ReadControlText(Control::编辑框1));
    window.WriteControlText(Control::编辑框3,
                            NumberToText(numberIn(window, Control::编辑框1) / kDaysPerMonth));
    window.WriteControlText(Control::编辑框10, BalanceText(window));
}

void PostCredit(ControlTexts& window) {
    const double credit = numberIn(window, Control::编辑框1);
    const double total = numberIn(window, Control::透明标签1);
    window.WriteControlText(Control::透明标签1, NumberToText(credit + total));
    // The suggestion follows the new total, read back in its rounded form.
    window.WriteControlText(Control::编辑框3,
                            NumberToText(numberIn(window, Control::透明标签1) / kDaysPerMonth));
    window.WriteControlText(Control::编辑框10, BalanceText(window));
}
