#pragma once
// What each edit box admits when typed into, and the IntegerValue step that
// tidies 编辑框3 and 编辑框10 when they lose the focus. Pure rules; the
// widgets and the focus hooks are input_filter.h's.

#include <string>
#include <string_view>

#include "window_definition.h"

// Whether a typed character (a Unicode code point) is admitted:
//   AnyText: everything; IntegerChars and IntegerValue: 0-9 and "-";
//   DecimalChars: 0-9, "-" and ".". Nothing outside ASCII passes but in AnyText.
// Only printable characters are asked about; see isPrintableTyped().
bool admitsTyped(InputMode mode, char32_t character);

// Control characters (below 0x20, and DEL) are keys such as Backspace and
// the clipboard shortcuts, which every box lets through.
bool isPrintableTyped(char32_t character);

// The IntegerValue step's text: leading white space (0x09-0x0D, 0x20) is
// skipped, one "+" or "-" taken, then the digits up to the first other byte;
// the value is clamped to the 32-bit signed range and written in decimal,
// with 0 giving the empty text.
//   "33.33333333333" -> "33"     "-12abc" -> "-12"     "007" -> "7"
//   "abc", "0", "-0", "" -> ""   "99999999999" -> "2147483647"
//   "-99999999999" -> "-2147483648"   "  +5" -> "5"   "- 5" -> ""
// No failure case: every text gives a text.
std::string IntegerValueText(std::string_view text);
