#pragma once
// Reading the time page: its bytes as a text, the marker search, and the
// timestamp text between "window.baidu_time(" and ")". Pure functions; the
// fetch itself is the HTTP client's, the conversion timestamp_conversion's.
// Texts are GBK byte texts: a byte of 0x80 or above begins a two-byte
// character, and searches match only where a character begins.

#include <string>
#include <string_view>

// The address of the time page on a host ("host" or "host:port").
//   TimePageUrl("127.0.0.1:8080") -> "http://127.0.0.1:8080/special/time/"
std::string TimePageUrl(std::string_view host);

// The bytes up to the first zero byte; all of them when there is none.
//   BytesToText("ab\0cd") -> "ab"      BytesToText("\0ab") -> ""
std::string BytesToText(std::string_view bytes);

// The bytes between the first left marker found from start (1-based; 0 or
// below means 1) and the first right marker behind it. In both markers
// "#引号" stands for a double quote. ASCII letter case is ignored unless
// caseSensitive.
//   TextBetween("f(12)34)", "f(", ")")           -> "12"
//   TextBetween("a\"b\"c", "#引号", "#引号")      -> "b"
//   TextBetween("xAy", "a", "y", 1, true)        -> ""
// Failure cases: a marker that is not found, or a start behind the last byte,
// give "". A lead byte (0x80 and above) hides the byte after it from the
// search, so "\xB0" "ab" does not match "ab" at the "a".
std::string TextBetween(std::string_view text, std::string_view leftMarker,
                        std::string_view rightMarker, int start = 0, bool caseSensitive = false);

// The timestamp text of a time page's bytes: BytesToText, then TextBetween
// with "window.baidu_time(" and ")" from the start, letter case ignored.
//   TimestampTextFromPage("window.baidu_time(1428301499000)") -> "1428301499000"
//   TimestampTextFromPage("WINDOW.BAIDU_TIME(7)")              -> "7"
// Failure cases: no marker, no ")" behind it, or a zero byte before it give "".
std::string TimestampTextFromPage(std::string_view pageBytes);
