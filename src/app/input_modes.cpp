#include "input_modes.h"

#include <algorithm>
#include <cstdint>

bool isPrintableTyped(char32_t character) {
    return character >= 0x20 && character != 0x7F;
}

bool admitsTyped(InputMode mode, char32_t character) {
    const bool digitOrMinus = (character >= U'0' && character <= U'9') || character == U'-';
    switch (mode) {
        case InputMode::AnyText:
            return true;
        case InputMode::IntegerChars:
        case InputMode::IntegerValue:
            return digitOrMinus;
        case InputMode::DecimalChars:
            return digitOrMinus || character == U'.';
        case InputMode::None:
            break;
    }
    return false;
}

std::string IntegerValueText(std::string_view text) {
    constexpr std::int64_t kMin = INT32_MIN;
    constexpr std::int64_t kMax = INT32_MAX;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Past kMax + 1 the magnitude only matters as "too large", so it stops growing.
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), kMax + 1);
    const std::int64_t value = std::clamp(negative ? -magnitude : magnitude, kMin, kMax);
    return value == 0 ? std::string() : std::to_string(value);
}
