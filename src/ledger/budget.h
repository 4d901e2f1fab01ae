#pragma once
// Setting and posting the month's total, and the balance rule shared with the
// tally. Every value lives as a control text; nothing survives between calls.

#include <string>

#include "control_texts.h"

void ApplyBudget(ControlTexts& window);
void PostCredit(ControlTexts& window);
std::string BalanceText(const ControlTexts& window);
