// Any file bytes through the settings-file layer: a value written into them
// reads back as written, and every line of the sections of other names stays
// as it was. Some inputs also go through a real file in a temporary directory.
//
// Names are kept to what the format can carry: no "[", "]", "=", CR or LF, no
// blanks at either end, no ";" first in a key, and no lead byte left without
// its trail byte at the end. Values carry no CR or LF, no blanks at either end
// and no matching quotes around them.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "profile_file.h"
#include "text_encoding.h"

namespace {

std::string g_path;

bool isLead(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Where the last character starts, walking one- and two-byte characters, and
// whether it is whole.
struct LastChar {
    std::size_t at = 0;
    bool whole = true;
};
LastChar lastChar(std::string_view s) {
    LastChar last;
    for (std::size_t at = 0; at < s.size(); at += isLead(s[at]) ? 2 : 1) {
        last.at = at;
        last.whole = !isLead(s[at]) || at + 1 < s.size();
    }
    return last;
}

bool endsInBlank(std::string_view s) {
    const LastChar last = lastChar(s);
    return !s.empty() && last.at + 1 == s.size() && isBlank(s[last.at]);
}

bool usableName(std::string_view name, bool isKey) {
    if (name.find_first_of(std::string_view("[]=\r\n", 5)) != std::string_view::npos) return false;
    if (!name.empty() && (isBlank(name[0]) || endsInBlank(name))) return false;
    if (isKey && !name.empty() && name[0] == ';') return false;
    return lastChar(name).whole;
}

bool usableValue(std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
    if (!value.empty() && (isBlank(value[0]) || endsInBlank(value))) return false;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'')) {
        const LastChar last = lastChar(value);
        if (last.at + 1 == value.size() && value[last.at] == value[0]) return false;
    }
    return true;
}

char fold(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t at = 0; at < a.size();) {
        if (isLead(a[at])) {
            if (a.substr(at, 2) != b.substr(at, 2)) return false;
            at += 2;
        } else {
            if (fold(a[at]) != fold(b[at])) return false;
            ++at;
        }
    }
    return true;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + (text.compare(stop, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// The section name of a line whose first non-blank byte is "[".
std::optional<std::string_view> sectionName(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && isBlank(line[at])) ++at;
    if (at == line.size() || line[at] != '[') return std::nullopt;
    std::string_view inside = line.substr(at + 1);
    for (std::size_t i = 0; i < inside.size(); i += isLead(inside[i]) ? 2 : 1) {
        if (inside[i] == ']') {
            inside = inside.substr(0, i);
            break;
        }
    }
    while (!inside.empty() && isBlank(inside[0])) inside.remove_prefix(1);
    while (endsInBlank(inside)) inside.remove_suffix(1);
    return inside;
}

// Every line outside the sections called `section`, keys before the first
// section included. Line ends are left out: the last line gains one when
// something is written behind it.
std::vector<std::string_view> otherLines(std::string_view text, std::string_view section) {
    std::vector<std::string_view> kept;
    bool ours = false;
    for (std::string_view line : linesOf(text)) {
        if (const std::optional<std::string_view> name = sectionName(line))
            ours = sameName(*name, section);
        if (!ours) kept.push_back(line);
    }
    return kept;
}

void checkText(std::string_view before, std::string_view section, std::string_view key,
               std::string_view value) {
    const std::string after = profileTextWith(before, section, key, value);
    if (profileValueIn(after, section, key) != value) std::abort();
    if (otherLines(before, section) != otherLines(after, section)) std::abort();
}

bool isPrintableAscii(std::string_view s) {
    for (char c : s)
        if (c < 0x20 || c > 0x7E) return false;
    return true;
}

std::string fileBytes() {
    std::ifstream in(g_path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// How the file layer reads bytes: as GB18030, or as UTF-8 brought to GB18030.
std::string textOfFile(const std::string& bytes, bool& utf8) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    std::string_view body = bytes;
    const bool mark = body.substr(0, 3) == kMark;
    if (mark) body.remove_prefix(3);
    bool high = false;
    for (char c : body) high = high || isLead(c);
    utf8 = (mark || high) && IsValidUtf8(body);
    return utf8 ? Gb18030FromUtf8(body) : std::string(bytes);
}

void checkFile(std::string_view before, std::string_view section, std::string_view key,
               std::string_view value) {
    {
        std::ofstream out(g_path, std::ios::binary | std::ios::trunc);
        out.write(before.data(), static_cast<std::streamsize>(before.size()));
    }
    const std::string oldBytes = fileBytes();
    if (!WriteProfileValue(g_path, section, key, value).written) std::abort();
    if (ReadProfileValue(g_path, section, key, "-") != value) std::abort();
    // Lines taken out with an earlier multi-line value may change how the
    // whole file reads; the other sections are compared where it does not.
    bool utf8Before = false, utf8After = false;
    const std::string oldText = textOfFile(oldBytes, utf8Before);
    const std::string newText = textOfFile(fileBytes(), utf8After);
    if (utf8Before == utf8After && otherLines(oldText, section) != otherLines(newText, section))
        std::abort();
    std::remove(g_path.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char dir[] = "/dev/shm/fuzz_profile_XXXXXX";
    char fallback[] = "/tmp/fuzz_profile_XXXXXX";
    const char* made = mkdtemp(dir);
    if (!made) made = mkdtemp(fallback);
    if (!made) std::abort();
    g_path = std::string(made) + "/t.ini";
    std::atexit([] { rmdir(g_path.substr(0, g_path.rfind('/')).c_str()); });
    return 0;
}

// Layout: the lengths of section (0..15), key (0..15) and value (0..63), a
// flag byte (bit 0: also through a file), the three texts, then the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 4, size - 4);
    const auto take = [&rest](std::size_t length) {
        const std::string_view part = rest.substr(0, length);
        rest.remove_prefix(part.size());
        return part;
    };
    const std::string_view section = take(data[0] % 16);
    const std::string_view key = take(data[1] % 16);
    const std::string_view value = take(data[2] % 64);
    const std::string_view before = rest;

    profileValueIn(before, section, key);
    if (!usableName(section, false) || !usableName(key, true) || !usableValue(value)) return 0;
    checkText(before, section, key, value);

    if ((data[3] & 1) && !section.empty() && !key.empty() && isPrintableAscii(section) &&
        isPrintableAscii(key) && isPrintableAscii(value))
        checkFile(before, section, key, value);
    return 0;
}
