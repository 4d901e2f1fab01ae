#pragma once
// Number texts: the conversions between byte texts and numbers.

#include <cstdint>
#include <string>
#include <string_view>

std::string FoldFullWidth(std::string_view text);
double TextToNumber(std::string_view text);
std::int64_t TextToInteger(std::string_view text);
std::string NumberToText(double x);
