#pragma once
// Setting and posting the month's total, and the balance rule shared with the
// tally. Every value lives as a control text and is read anew by each step;
// nothing survives between calls. The window runs these on its buttons.

#include <string>

#include "control_texts.h"

// "修改" and "确定": the text of 编辑框1, unchanged, becomes the total in
// 透明标签1; 编辑框3 gets that amount / 30 and 编辑框10 the balance.
//   编辑框1 "3000", 编辑框9 ""    -> total "3000", daily "100", balance "3000"
//   编辑框1 "3000元"             -> total "3000元", daily "100", balance "3000"
//   编辑框1 "", 编辑框9 "150"     -> total "", daily "0", balance "-150"
void ApplyBudget(ControlTexts& window);

// "入账": the total becomes NumberToText(amount in 编辑框1 + total); then
// 编辑框3 gets the new total / 30 and 编辑框10 the balance.
//   total "3000", 编辑框1 "500"  -> total "3500", daily "116.6666666667", balance "3500"
//   total "", 编辑框1 "200"      -> total "200", daily "6.666666666667"
void PostCredit(ControlTexts& window);

// NumberToText(total in 透明标签1 - total spending in 编辑框9), both read now.
std::string BalanceText(const ControlTexts& window);
