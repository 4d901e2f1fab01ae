// Any bytes through the timestamp conversion, in Beijing time. A date text
// that comes out always has the "year-month-day hh:mm:ss" form, reads back as
// that very date-time where the reader's range allows, and for a plain
// integer text names the moment that localtime_r gives.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

#include "datetime_text.h"
#include "timestamp_conversion.h"

namespace {

// The six fields of "Y-M-D hh:mm:ss", or nothing when the text has another form.
std::optional<DateTime> fieldsOf(const std::string& dateText) {
    DateTime d;
    int consumed = 0;
    if (std::sscanf(dateText.c_str(), "%d-%d-%d %2d:%2d:%2d%n", &d.year, &d.month, &d.day, &d.hour,
                    &d.minute, &d.second, &consumed) != 6 ||
        static_cast<std::size_t>(consumed) != dateText.size())
        return std::nullopt;
    return d;
}

bool withinReader(const DateTime& d) {
    const auto key = [](const DateTime& x) { return (x.year * 100LL + x.month) * 100 + x.day; };
    return key(d) >= 1000102 && key(d) <= 99991230;
}

// A text of an optional "-" and 1 to 15 digits, read by hand.
std::optional<std::int64_t> plainInteger(std::string_view text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string_view digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || digits.size() > 15) return std::nullopt;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b < 0 ? 1 : 0);
}

void checkDateText(const std::string& dateText, std::optional<std::int64_t> milliseconds) {
    const std::optional<DateTime> fields = fieldsOf(dateText);
    if (!fields) std::abort();
    if (withinReader(*fields) && !(TextToDateTime(dateText) == *fields)) std::abort();
    if (milliseconds) {
        const std::time_t t = static_cast<std::time_t>(floorDiv(*milliseconds, 1000));
        std::tm local{};
        if (!localtime_r(&t, &local)) std::abort();
        const DateTime expected{static_cast<int>(local.tm_year + 1900),
                                local.tm_mon + 1,
                                local.tm_mday,
                                local.tm_hour,
                                local.tm_min,
                                local.tm_sec};
        if (!(*fields == expected)) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", "Asia/Shanghai", 1);
    tzset();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    if (const std::optional<std::string> date = TimestampToDateText(text))
        checkDateText(*date, plainInteger(text));
    else if (plainInteger(text))
        std::abort();  // 15 digits stay well inside the time values

    if (const std::optional<std::string> date = DateTextFromEngineText(text)) {
        if (date->size() > text.size()) std::abort();
    }

    if (size >= sizeof(std::int64_t)) {
        std::int64_t milliseconds;
        std::memcpy(&milliseconds, data, sizeof milliseconds);
        milliseconds %= 9000000000000000;  // a little beyond the time values on both sides
        const std::optional<std::string> engineText = EngineDateText(milliseconds);
        if (engineText.has_value() != (std::llabs(milliseconds) <= 8640000000000000)) std::abort();
        if (engineText) {
            const std::optional<std::string> date = DateTextFromEngineText(*engineText);
            if (!date) std::abort();
            checkDateText(*date, milliseconds);
        }
    }
    return 0;
}
