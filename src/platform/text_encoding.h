#pragma once
// Conversions between the program's byte texts (GB18030, a superset of code
// page 936) and UTF-8, the encoding of Qt's strings and of file names here.
// Backed by the C library's iconv; no Qt.
//
//   Gb18030FromUtf8("\xE5\x90\x83")  -> "\xB3\xD4"   (吃)
//   Utf8FromGb18030("\xB3\xD4")      -> "\xE5\x90\x83"
//   Utf8FromGb18030("abc")           -> "abc"
// Failure cases: bytes that are not valid in the source encoding become "?"
// (one per unreadable byte) and the rest is converted; GB18030 covers all of
// Unicode, so valid UTF-8 never loses a character.

#include <string>
#include <string_view>

std::string Gb18030FromUtf8(std::string_view utf8);
std::string Utf8FromGb18030(std::string_view gb18030);

// True when the bytes are well-formed UTF-8 (ASCII included).
bool IsValidUtf8(std::string_view bytes);
