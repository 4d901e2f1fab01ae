#include "number_text.h"

// Placeholder until the rules are written.
std::string FoldFullWidth(std::string_view text) { return std::string(text); }
double TextToNumber(std::string_view) { return 0; }
std::int64_t TextToInteger(std::string_view) { return 0; }
std::string NumberToText(double) { return "0"; }
