// Any bytes through the marker search and the timestamp extraction. Whatever
// is found lies inside the text; where the bytes are plain ASCII a naive scan
// says exactly what must be found.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "time_page.h"

namespace {

bool isAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The byte-by-byte search that is right for ASCII text and markers.
std::size_t naiveFind(std::string_view text, std::string_view sought, std::size_t from,
                      bool caseSensitive) {
    for (std::size_t at = from; at + sought.size() <= text.size(); ++at) {
        bool same = true;
        for (std::size_t i = 0; i < sought.size() && same; ++i)
            same =
                caseSensitive ? text[at + i] == sought[i] : lower(text[at + i]) == lower(sought[i]);
        if (same) return at;
    }
    return std::string_view::npos;
}

std::optional<std::string> naiveBetween(std::string_view text, std::string_view left,
                                        std::string_view right, std::size_t from,
                                        bool caseSensitive) {
    const std::size_t p = naiveFind(text, left, from, caseSensitive);
    if (p == std::string_view::npos) return std::string();
    const std::size_t d = p + left.size();
    const std::size_t c = naiveFind(text, right, d, caseSensitive);
    if (c == std::string_view::npos) return std::string();
    return std::string(text.substr(d, c - d));
}

void checkInside(std::string_view result, std::string_view text) {
    if (result.size() > text.size()) std::abort();
    if (!result.empty() && text.find(result) == std::string_view::npos) std::abort();
}

}  // namespace

// Layout: a flag byte (bit 0 case-sensitive, the rest a signed start), the
// lengths of the two markers (0..15), the markers, then the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view all(reinterpret_cast<const char*>(data), size);

    const std::string fromPage = TimestampTextFromPage(all);
    checkInside(fromPage, all);
    const std::string_view pageText = all.substr(0, all.find('\0'));
    if (isAscii(pageText)) {
        if (naiveBetween(pageText, "window.baidu_time(", ")", 0, false) != fromPage) std::abort();
    }

    if (size < 3) return 0;
    const bool caseSensitive = data[0] & 1;
    const int start = static_cast<std::int8_t>(data[0]) >> 1;
    std::string_view rest = all.substr(3);
    const std::string_view left = rest.substr(0, std::min<std::size_t>(data[1] % 16, rest.size()));
    rest.remove_prefix(left.size());
    const std::string_view right = rest.substr(0, std::min<std::size_t>(data[2] % 16, rest.size()));
    rest.remove_prefix(right.size());
    const std::string_view text = rest;

    const std::string between = TextBetween(text, left, right, start, caseSensitive);
    checkInside(between, text);
    // The quote placeholder holds GBK bytes, so ASCII markers are taken as
    // they stand.
    if (isAscii(text) && isAscii(left) && isAscii(right)) {
        const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
        if (naiveBetween(text, left, right, from, caseSensitive) != between) std::abort();
    }
    return 0;
}
