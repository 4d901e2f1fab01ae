#include "timestamp_conversion.h"

// Narrow literals here stay ASCII (GBK bytes as escapes), so the file compiles
// the same under any execution character set. Nothing from the page is ever
// run: the number is read by hand and the date written from localtime_r.

#include <locale.h>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

// ECMAScript's time values end at 100 000 000 days either side of 1970.
constexpr double kMaxTimeValue = 8.64e15;

constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

struct MonthName {
    std::string_view abbreviation;
    std::string_view number;
};
constexpr MonthName kMonthNumber[] = {
    {"Jan", "1"}, {"Feb", "2"}, {"Mar", "3"}, {"Apr", "4"},  {"May", "5"},  {"Jun", "6"},
    {"Jul", "7"}, {"Aug", "8"}, {"Sep", "9"}, {"Oct", "10"}, {"Nov", "11"}, {"Dec", "12"},
};

constexpr std::string_view kIdeographicSpace = "\xA1\xA1";  // U+3000 in GBK

bool isLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The width of the white-space character at `at`, or 0 when there is none.
std::size_t whiteSpaceWidth(std::string_view text, std::size_t at) {
    switch (text[at]) {
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
        case ' ':
            return 1;
        default:
            return text.substr(at, 2) == kIdeographicSpace ? 2 : 0;
    }
}

// White space at both ends removed, scanning by characters from the front so
// that the second byte of a two-byte character is never taken for a first.
std::string_view trimWhiteSpace(std::string_view text) {
    std::size_t begin = 0, end = 0;
    bool leading = true;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t space = whiteSpaceWidth(text, at);
        const std::size_t width = space ? space : (isLeadByte(text[at]) ? 2 : 1);
        if (!space) {
            if (leading) begin = at;
            leading = false;
            end = std::min(at + width, text.size());
        }
        at += width;
    }
    return leading ? std::string_view() : text.substr(begin, end - begin);
}

// Digits, an optional fraction and an optional exponent, with at least one
// digit before the exponent, and nothing else.
bool isUnsignedDecimal(std::string_view s) {
    std::size_t at = 0, digits = 0;
    while (at < s.size() && isDigit(s[at])) ++at, ++digits;
    if (at < s.size() && s[at] == '.') {
        ++at;
        while (at < s.size() && isDigit(s[at])) ++at, ++digits;
    }
    if (digits == 0) return false;
    if (at < s.size() && (s[at] == 'e' || s[at] == 'E')) {
        ++at;
        if (at < s.size() && (s[at] == '+' || s[at] == '-')) ++at;
        const std::size_t exponentStart = at;
        while (at < s.size() && isDigit(s[at])) ++at;
        if (at == exponentStart) return false;
    }
    return at == s.size();
}

double parseDecimal(const std::string& literal) {
    // Read in the C locale, whatever LC_NUMERIC the application has set.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return strtod_l(literal.c_str(), nullptr, cLocale);
}

// ECMAScript ToNumber applied to a string. "Infinity" is not told apart from
// other non-numbers: neither is a valid time value.
double stringToNumber(std::string_view text) {
    const std::string_view s = trimWhiteSpace(text);
    if (s.empty()) return 0;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        double value = 0;
        for (char c : s.substr(2)) {
            const int digit = hexValue(c);
            if (digit < 0) return NAN;
            value = value * 16 + digit;
        }
        return value;
    }
    const bool signed_ = s[0] == '+' || s[0] == '-';
    if (!isUnsignedDecimal(signed_ ? s.substr(1) : s)) return NAN;
    return parseDecimal(std::string(s));
}

std::vector<std::string_view> splitAtSpaces(std::string_view text) {
    std::vector<std::string_view> fields;
    std::size_t fieldStart = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == ' ') {
            fields.push_back(text.substr(fieldStart, at - fieldStart));
            fieldStart = ++at;
            continue;
        }
        at += isLeadByte(text[at]) ? 2 : 1;
    }
    if (fieldStart < text.size()) fields.push_back(text.substr(fieldStart));
    return fields;
}

}  // namespace

bool IsBlankTimestamp(std::string_view timestampText) {
    return trimWhiteSpace(timestampText).empty();
}

std::optional<std::string> EngineDateText(std::int64_t milliseconds) {
    if (std::fabs(static_cast<double>(milliseconds)) > kMaxTimeValue) return std::nullopt;
    // Whole seconds toward minus infinity: -1 ms is 23:59:59 on the day before.
    std::int64_t seconds = milliseconds / 1000;
    if (milliseconds % 1000 < 0) --seconds;
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&time, &local)) return std::nullopt;

    const long offsetMinutes = std::labs(local.tm_gmtoff) / 60;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s %s %d %02d:%02d:%02d UTC%c%02ld%02ld %lld",
                  kWeekdays[local.tm_wday], kMonthNumber[local.tm_mon].abbreviation.data(),
                  local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_gmtoff < 0 ? '-' : '+', offsetMinutes / 60, offsetMinutes % 60,
                  static_cast<long long>(local.tm_year) + 1900);
    return std::string(buffer);
}

std::optional<std::string> DateTextFromEngineText(std::string_view engineText) {
    const std::vector<std::string_view> fields = splitAtSpaces(engineText);
    if (fields.size() < 6) return std::nullopt;
    std::string_view month = fields[1];
    for (const MonthName& row : kMonthNumber) {
        if (row.abbreviation == month) {
            month = row.number;
            break;
        }
    }
    std::string date(fields[5]);
    date.append("-").append(month).append("-").append(fields[2]).append(" ").append(fields[3]);
    return date;
}

std::optional<std::string> TimestampToDateText(std::string_view timestampText) {
    // Where a script engine would have failed on the statement, or read the
    // rest of the text as script, there is no date.
    if (timestampText.find_first_of("\n\r'\\") != std::string_view::npos) return std::nullopt;
    const double value = stringToNumber(timestampText);
    if (!std::isfinite(value) || std::fabs(value) > kMaxTimeValue) return std::nullopt;
    const auto engineText = EngineDateText(static_cast<std::int64_t>(std::trunc(value)));
    if (!engineText) return std::nullopt;
    return DateTextFromEngineText(*engineText);
}
