// The date-time text rules: a field reader driven by a table of digit limits
// and separators, the range checks of the Gregorian calendar, and the Chinese
// writer. GBK characters are written as byte escapes so that any compiler
// takes the file as it is.
#include "datetime_text.h"

#include <cstdio>
#include <ostream>

#include "number_text.h"

namespace {

constexpr std::string_view kYearMark = "\xC4\xEA";    // 年
constexpr std::string_view kMonthMark = "\xD4\xC2";   // 月
constexpr std::string_view kDayMark = "\xC8\xD5";     // 日
constexpr std::string_view kHourMark = "\xCA\xB1";    // 时
constexpr std::string_view kMinuteMark = "\xB7\xD6";  // 分
constexpr std::string_view kSecondMark = "\xC3\xEB";  // 秒

// How each field is read: at most maxDigits digits, then one of the
// separators is skipped if it comes next. The seconds take no separator.
struct FieldRule {
    int maxDigits;
    std::string_view separators[6];
};

constexpr FieldRule kFieldRules[] = {
    {4, {"-", "/", ".", ":", kYearMark}},     {2, {"-", "/", ".", ":", kMonthMark}},
    {2, {"-", "/", ".", ":", " ", kDayMark}}, {2, {"-", "/", ".", ":", kHourMark}},
    {2, {"-", "/", ".", ":", kMinuteMark}},   {2, {}},
};

bool isLeapYear(long long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(long long year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool inRange(const DateTime& dt) {
    return dt.year >= 100 && dt.year <= 9999 && dt.month >= 1 && dt.month <= 12 && dt.day >= 1 &&
           dt.day <= daysInMonth(dt.year, dt.month) && dt.hour >= 0 && dt.hour <= 23 &&
           dt.minute >= 0 && dt.minute <= 59 && dt.second >= 0 && dt.second <= 59;
}

long long floorDiv(long long a, long long b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// Days since 1970-01-01 of a proleptic Gregorian date; the day may lie
// beyond its month, which then counts on into the following ones.
long long daysFromCivil(long long year, long long month, long long day) {
    year += floorDiv(month - 1, 12);
    month -= 12 * floorDiv(month - 1, 12);
    year -= month <= 2;
    const long long era = floorDiv(year, 400);
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

DateTime civilFromSeconds(long long seconds) {
    const long long days = floorDiv(seconds, 86400);
    const long long secondOfDay = seconds - days * 86400;
    const long long shifted = days + 719468;
    const long long era = floorDiv(shifted, 146097);
    const long long dayOfEra = shifted - era * 146097;
    const long long yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long mp = (5 * dayOfYear + 2) / 153;
    const int month = int(mp < 10 ? mp + 3 : mp - 9);
    return {int(yearOfEra + era * 400 + (month <= 2)),
            month,
            int(dayOfYear - (153 * mp + 2) / 5 + 1),
            int(secondOfDay / 3600),
            int(secondOfDay / 60 % 60),
            int(secondOfDay % 60)};
}

long long secondsFromCivil(const DateTime& dt) {
    return daysFromCivil(dt.year, dt.month, dt.day) * 86400 + dt.hour * 3600LL + dt.minute * 60LL +
           dt.second;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const DateTime& dt) {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", dt.year, dt.month, dt.day,
                  dt.hour, dt.minute, dt.second);
    return out << buf;
}

DateTime TextToDateTime(std::string_view text) {
    const std::string t = FoldFullWidth(text);
    if (t.empty()) return {};
    const std::string_view rest(t);

    int fields[6] = {};
    std::size_t pos = 0;
    for (int f = 0; f < 6; ++f) {
        const FieldRule& rule = kFieldRules[f];
        for (int n = 0; n < rule.maxDigits && pos < t.size() && t[pos] >= '0' && t[pos] <= '9'; ++n)
            fields[f] = fields[f] * 10 + (t[pos++] - '0');
        for (std::string_view separator : rule.separators) {
            if (!separator.empty() && rest.substr(pos).starts_with(separator)) {
                pos += separator.size();
                break;
            }
        }
    }
    if (pos != t.size() && !rest.substr(pos).starts_with(kSecondMark)) return {};

    const DateTime dt{fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]};
    return inRange(dt) ? dt : DateTime{};
}

std::string DateTimeToText(const DateTime& given) {
    static const long long kFirstShownDay = daysFromCivil(100, 1, 2) * 86400;
    static const long long kLastShown = daysFromCivil(9999, 12, 31) * 86400;
    const long long seconds = secondsFromCivil(given);
    const DateTime dt = seconds < kFirstShownDay ? DateTime{}
                        : seconds > kLastShown   ? civilFromSeconds(kLastShown)
                                                 : civilFromSeconds(seconds);

    std::string out = std::to_string(dt.year) + std::string(kYearMark) + std::to_string(dt.month) +
                      std::string(kMonthMark) + std::to_string(dt.day) + std::string(kDayMark);
    // The time of day goes down to its last non-zero part.
    struct Part {
        int value;
        std::string_view mark;
    };
    const Part time[] = {{dt.hour, kHourMark}, {dt.minute, kMinuteMark}, {dt.second, kSecondMark}};
    const int shownParts = dt.second ? 3 : dt.minute ? 2 : dt.hour ? 1 : 0;
    for (int i = 0; i < shownParts; ++i)
        out += std::to_string(time[i].value) + std::string(time[i].mark);
    return out;
}
