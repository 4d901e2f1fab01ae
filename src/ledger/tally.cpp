#include "tally.h"

#include <string>

#include "budget.h"
#include "number_text.h"

namespace {

enum class Reading { Number, Integer };

struct Category {
    Control label;
    Control box;
    Reading reading;
};

// In the order in which they are summed and listed.
constexpr Category kCategories[] = {
    {Control::标签6, Control::编辑框4, Reading::Number},    // 吃饭
    {Control::标签7, Control::编辑框5, Reading::Integer},   // 逛街
    {Control::标签8, Control::编辑框6, Reading::Integer},   // 请客
    {Control::标签9, Control::编辑框7, Reading::Integer},   // 看电影
    {Control::标签10, Control::编辑框8, Reading::Integer},  // 服装
};

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kBlankLine = "\r\n\r\n";

double amountOf(const ControlTexts& window, const Category& category) {
    const std::string text = window.ReadControlText(category.box);
    return category.reading == Reading::Number ? TextToNumber(text)
                                               : static_cast<double>(TextToInteger(text));
}

}  // namespace

void Tally(ControlTexts& window) {
    window.ShowMessage("只有统计完的数据方能保存", 0, "温馨提示");

    // Adding to 0.0 leaves the first amount as it is, so this is
    // ((((meals + shopping) + treating) + movies) + clothing).
    double sum = 0.0;
    for (const Category& category : kCategories) sum += amountOf(window, category);
    window.WriteControlText(Control::编辑框9, NumberToText(sum));
    const std::string balance = BalanceText(window);

    std::string summary;
    for (const Category& category : kCategories)
        summary += window.ReadControlText(category.label) + window.ReadControlText(category.box) +
                   kBlankLine;
    summary += window.ReadControlText(Control::标签11) + window.ReadControlText(Control::编辑框9) +
               kBlankLine;
    summary += window.ReadControlText(Control::标签13) + kLineEnd + balance + kBlankLine;
    summary += window.ReadControlText(Control::标签12);
    window.WriteControlText(Control::编辑框2, summary);

    window.WriteControlText(Control::编辑框10, BalanceText(window));
}
