#pragma once
// Date-time texts: reading the date-time texts the clock assembles and writing
// the Chinese form it shows. Texts are GBK bytes; neither function fails or
// keeps state. Time zones and where a date-time comes from are left to callers.

#include <iosfwd>
#include <string>
#include <string_view>

// A Gregorian date and time of day to the whole second, without time zone.
// The default value, 100-01-01 00:00:00, is also the failure date-time.
struct DateTime {
    int year = 100, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    bool operator==(const DateTime&) const = default;
};

// Writes "2015-04-06 14:24:59" (year with at least four digits), for
// diagnostics such as test failures; the program never shows this form.
std::ostream& operator<<(std::ostream& out, const DateTime& dt);

// Reads year, month, day, hour, minute and second from the folded text, each
// a run of at most 4 (year) or 2 digits, an empty run reading as 0, with one
// optional separator after each of the first five: "-", "/", ".", ":" or the
// field's own 年, 月, 日 (after the day also a space), 时, 分. After the
// seconds the text must end or go on with 秒.
//   "2015-4-6 14:24:59", "2015年4月6日14时24分59秒" -> 2015-04-06 14:24:59
//   "2015/4/6", "２０１５－４－６", "20150406" -> 2015-04-06 00:00:00
//   "2015-4-6 123:45" -> 2015-04-06 12:03:45 (a run stops at its limit)
//   "2015-4-6 12:30:15秒后" -> 2015-04-06 12:30:15 (the rest is ignored)
// Gives the failure date-time, 100-01-01 00:00:00, for "", for a field out of
// range ("2015-2-29", "99-1-1", "2015-4-6 24:00:00", "2015-4" with its day 0),
// and for any other byte after the seconds ("...:15.5", "...:15 ", "2015-4-6T12:30"),
// and for white space other than the one space after the day (" 2015-4-6").
DateTime TextToDateTime(std::string_view text);

// Writes the Chinese form: "%d年%d月%d日", then the time down to its last
// non-zero part, "%d时%d分%d秒", "%d时%d分", "%d时" or nothing at midnight.
//   2015-04-06 14:24:59 -> "2015年4月6日14时24分59秒"   2015-04-06 00:30:00 ->
//   "2015年4月6日0时30分" 2015-04-06 14:00:09 -> "2015年4月6日14时0分9秒"   2015-04-06 00:00:00 ->
//   "2015年4月6日"
// Shows a date-time later than 9999-12-31 00:00:00 as that moment, and one
// before 100-01-02 00:00:00 as 100-01-01 00:00:00 ("100年1月1日"). Fields
// beyond their ranges carry into the next larger field first, so 2015-04-31
// shows as 2015年5月1日. The result is at most 26 bytes.
std::string DateTimeToText(const DateTime& dt);
