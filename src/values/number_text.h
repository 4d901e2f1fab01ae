#pragma once
// Number texts: the conversions between the byte texts of the controls and
// numbers, and the folding of full-width characters that comes before each
// reading. Texts are GBK bytes; none of these functions fails, keeps state or
// depends on the C locale. Showing and reading the texts is left to callers.

#include <cstdint>
#include <string>
#include <string_view>

// Replaces the full-width forms a Chinese input method types by their ASCII
// bytes: 0xA3 0xA1..0xFE become 0x21..0x7E (so "１２．５" becomes "12.5", and
// the full-width yen sign 0xA3 0xA4 becomes "$"), the ideographic space
// 0xA1 0xA1 becomes " ", 0xA1 0xAB becomes "~", and the stars 0xA1 0xEE/0xEF
// become "*". Every other double-byte character, such as 元, is kept. A lead
// byte (0x80 or above) cut off at the end of the text is dropped.
std::string FoldFullWidth(std::string_view text);

// Reads the decimal number at the start of the folded text, after white space
// (0x09..0x0D, 0x20): an optional sign, digits with an optional ".", and an
// optional exponent with the letter e, E, d or D. The rest is ignored.
//   "123.45" -> 123.45   "  -12.5kg" -> -12.5   "1d3" -> 1000   ".5" -> 0.5
//   "1e" -> 1 (an exponent without digits is not taken)   "1,234" -> 1
//   "1e400" -> +inf   "-1e400" -> -inf   "1e-400" -> 0   "-0" -> -0.0
// A text without a mantissa digit reads as +0: "", ".", "-", "abc", "--5",
// "- 5", "0x1A" (reads 0), "inf", "1.#INF" reads 1. Exponents above 5200 count
// as 5201. The result is the double nearest to the decimal value.
double TextToNumber(std::string_view text);

// Reads the integer at the start of the folded text, after white space: an
// optional sign and the digits up to the first other byte.
//   "123" -> 123   "  -45" -> -45   "12.9" -> 12   "1e3" -> 1   "１２" -> 12
//   "", "abc", "--5", "- 5" -> 0   "0x10" -> 0
// A digit run beyond the 64-bit range saturates by its sign, it never wraps:
//   "3000000000" -> 3000000000   thirty 9s -> INT64_MAX   "-" + thirty 9s -> INT64_MIN
std::int64_t TextToInteger(std::string_view text);

// Shows a double with 13 significant digits: the 17-digit decimal form is
// rounded half up to 13 digits, trailing zeros are removed, and the exponent
// form (decimal exponent below -4 or 13 and above) has a three-digit exponent.
//   100.0/30 -> "3.333333333333"   0.1+0.2 -> "0.3"   3000 -> "3000"   -5 -> "-5"
//   9999999999999.5 -> "1e+013"   0.00001 -> "1e-005"   1.2345678901235 -> "1.234567890124"
//   +0 and -0 -> "0"   +inf -> "1.#INF"   -inf -> "-1.#INF"
//   the negative default NaN (inf - inf) -> "-1.#IND"; other quiet NaNs -> "1.#QNAN" or
//   "-1.#QNAN", signalling NaNs -> "1.#SNAN" or "-1.#SNAN" by their sign bit.
// The result is ASCII and at most 20 bytes long.
std::string NumberToText(double x);
