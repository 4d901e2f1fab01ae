#pragma once
// Date-time texts.

#include <string>
#include <string_view>

struct DateTime {
    int year = 100, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

DateTime TextToDateTime(std::string_view text);
std::string DateTimeToText(const DateTime& dt);
