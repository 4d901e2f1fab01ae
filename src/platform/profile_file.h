#pragma once
// Settings files in the format of Windows private profile files: "[section]"
// lines and "key=value" lines, read and written as byte texts in GB18030 (a
// superset of code page 936). The pure functions work on a file's whole text;
// ReadProfileValue and WriteProfileValue add the file, its encoding and the
// atomic replace. What a value means is left to the callers. No Qt.
//
// Format, as this reader and writer see it:
// - Lines end in CR LF, LF or CR. Each line is walked in characters: a byte of
//   0x80 or above starts a double-byte character with the byte after it, so a
//   trail byte such as "[", "\", "]" or "A" is never taken for syntax or folded.
// - A line whose first non-blank character is "[" is a section line; the name
//   runs to the first "]" (or the line's end). One whose first non-blank
//   character is ";" is a comment. Any other line with "=" is a key line; a
//   line without "=" is no key and reads as nothing.
// - Names compare without regard to ASCII letter case. Blanks (spaces, tabs)
//   around names and values are not part of them; a value in one matching
//   pair of single or double quotes reads without them. "key=" is a key with
//   the empty value. Keys before the first section belong to no section.
// - A key's value is its line's rest. When a key is written again, the lines
//   after its line up to the next section line are taken as the rest of the
//   earlier (multi-line) value and replaced with it.

#include <optional>
#include <string>
#include <string_view>

// The value of the first matching key in any section of that name.
//   profileValueIn("[a]\r\nk = v\r\n", "A", "K")  -> "v"
//   profileValueIn("[a]\nk=' v '", "a", "k")      -> " v "
//   profileValueIn("[a]\nk=", "a", "k")           -> ""
// Failure cases: no such section, no such key (a line without "=" is none),
// or an empty text give std::nullopt.
std::optional<std::string> profileValueIn(std::string_view text, std::string_view section,
                                          std::string_view key);

// The text with key=value in that section, written unchanged (a value with
// line breaks runs over several lines). The first matching key line and the
// lines after it up to the next section line are replaced by "key=value" and
// CR LF; a new key goes after the last non-blank line of the first matching
// section; a new section goes at the end. Every other line is kept byte for
// byte.
//   profileTextWith("", "a", "k", "v")                        -> "[a]\r\nk=v\r\n"
//   profileTextWith("[a]\r\nk=1\r\n2\r\n[b]\r\n", "a", "k", "3") -> "[a]\r\nk=3\r\n[b]\r\n"
//   profileTextWith("[b]\nj=1", "a", "k", "")                 -> "[b]\nj=1\r\n[a]\r\nk=\r\n"
// No failure cases.
std::string profileTextWith(std::string_view text, std::string_view section, std::string_view key,
                            std::string_view value);

// The most bytes a read value holds (a 10240-byte buffer with its zero byte).
inline constexpr std::size_t kProfileValueLimit = 10239;

// The value of key in section of the file at path (in the file system's
// encoding), cut to kProfileValueLimit bytes. Leading bytes 1 to 32 of path,
// section and key are skipped; if one of them is then empty the result is the
// empty text. A file whose bytes are valid UTF-8 and not ASCII only (a
// byte-order mark allowed) is read as UTF-8 and converted to GB18030.
//   ReadProfileValue("/d/a.ini", "保存", "数据")        -> "3000" for "[保存]\r\n数据=3000"
//   ReadProfileValue("/d/none.ini", "保存", "数据", "0") -> "0"
// Failure cases: a missing or unreadable file, section or key gives
// defaultValue (cut likewise); an empty argument gives "" even with a default.
std::string ReadProfileValue(std::string_view path, std::string_view section, std::string_view key,
                             std::string_view defaultValue = {});

struct ProfileWriteResult {
    bool written = false;
    // When not written: errno of the step that failed and its text from
    // strerror, in the locale's encoding.
    int error = 0;
    std::string reason;
};

// Writes key=value into section of the file at path, creating the file and
// the section as needed; the texts are used unchanged. The new file is written
// beside the old one, synced and renamed over it, so a failure at any step
// leaves the old file as it was. A UTF-8 file (as ReadProfileValue sees it)
// stays UTF-8, its byte-order mark kept; the old file's mode is kept.
// Failure cases: the old file cannot be read (other than missing: a directory,
// no permission), or the new one cannot be created, written, synced or renamed
// (no write permission, a full file system, a file size limit): written is
// false with the errno and its text, and nothing is changed.
ProfileWriteResult WriteProfileValue(std::string_view path, std::string_view section,
                                     std::string_view key, std::string_view value);
