#pragma once
// The millisecond timestamp of the time page as a date text in the machine's
// local time. Made natively: the text is read as a number the way ECMAScript
// (3rd edition) reads a string, the date is written as the classic script
// engines write one ("Mon Apr 6 14:24:59 UTC+0800 2015"), and four of its
// fields are reassembled. Reading the result as a date-time is left to
// TextToDateTime. Local time comes from localtime_r, so TZ applies.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The timestamp text as a date text "year-month-day hh:mm:ss".
//   "1428301499000" (TZ=Asia/Shanghai) -> "2015-4-6 14:24:59"
//   "1428301499000" (TZ=UTC)           -> "2015-4-6 06:24:59"
//   "", "0", " 0 " (TZ=UTC)            -> "1970-1-1 00:00:00"
//   "0x10" (TZ=UTC)                    -> "1970-1-1 00:00:00" (16 ms)
//   "-1" (TZ=UTC)                      -> "1969-12-31 23:59:59"
// Failure cases, giving no value: a text that is no number ("abc", "1ms",
// "-0x10"), a magnitude above 8.64e15 ms or an infinity, and any text holding
// a line break, a single quote or a backslash.
std::optional<std::string> TimestampToDateText(std::string_view timestampText);

// True when the text holds nothing but white space (ASCII or ideographic):
// it reads as 0 like "0", yet a page that gives it has said nothing.
//   "" -> true   " \t" -> true   " 0 " -> false
bool IsBlankTimestamp(std::string_view timestampText);

// The engine's date text of a time value in ms since 1970 UTC, in local time:
//   1428301499000 (TZ=Asia/Shanghai) -> "Mon Apr 6 14:24:59 UTC+0800 2015"
// Failure cases: a magnitude above 8.64e15 gives no value.
std::optional<std::string> EngineDateText(std::int64_t milliseconds);

// The date text assembled from an engine date text: field 6, "-", field 2 as a
// month number, "-", field 3, " ", field 4, the fields split at single spaces.
//   "Mon Apr 6 14:24:59 UTC+0800 2015"     -> "2015-4-6 14:24:59"
//   "Mon Dec 6 14:24:59 UTC+0800 2015 x"   -> "2015-12-6 14:24:59"
//   "Mon Sept 6 14:24:59 UTC+0800 2015"    -> "2015-Sept-6 14:24:59"
// Failure cases: fewer than six fields give no value.
std::optional<std::string> DateTextFromEngineText(std::string_view engineText);
