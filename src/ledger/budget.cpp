#include "budget.h"

// Placeholder until the ledger is written.
void ApplyBudget(ControlTexts&) {}
void PostCredit(ControlTexts&) {}
std::string BalanceText(const ControlTexts&) { return {}; }
