#include "time_page.h"

// Narrow literals here stay ASCII (GBK bytes as escapes), so the file compiles
// the same under any execution character set.

#include <cstddef>

namespace {

constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";  // #引号
constexpr std::string_view kLeftMarker = "window.baidu_time(";
constexpr std::string_view kRightMarker = ")";
constexpr std::size_t kNotFound = std::string_view::npos;

bool isLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

char foldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool matchesAt(std::string_view text, std::size_t at, std::string_view sought, bool caseSensitive) {
    if (text.size() - at < sought.size()) return false;
    for (std::size_t i = 0; i < sought.size(); ++i) {
        const char a = text[at + i], b = sought[i];
        if (caseSensitive ? a != b : foldAscii(a) != foldAscii(b)) return false;
    }
    return true;
}

// The 0-based index of the first match at a character start from `from`, or
// kNotFound. A lead byte with nothing behind it ends the scan.
std::size_t find(std::string_view text, std::string_view sought, std::size_t from,
                 bool caseSensitive) {
    for (std::size_t at = from; at < text.size();) {
        if (isLeadByte(text[at]) && at + 1 == text.size()) return kNotFound;
        if (matchesAt(text, at, sought, caseSensitive)) return at;
        at += isLeadByte(text[at]) ? 2 : 1;
    }
    return kNotFound;
}

std::string withQuotes(std::string_view marker) {
    std::string out;
    for (std::size_t at = 0; at < marker.size();) {
        if (matchesAt(marker, at, kQuotePlaceholder, true)) {
            out += '"';
            at += kQuotePlaceholder.size();
            continue;
        }
        const std::size_t width = isLeadByte(marker[at]) && at + 1 < marker.size() ? 2 : 1;
        out.append(marker.substr(at, width));
        at += width;
    }
    return out;
}

}  // namespace

std::string TimePageUrl(std::string_view host) {
    return "http://" + std::string(host) + "/special/time/";
}

std::string BytesToText(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find('\0')));
}

std::string TextBetween(std::string_view text, std::string_view leftMarker,
                        std::string_view rightMarker, int start, bool caseSensitive) {
    const std::string left = withQuotes(leftMarker);
    const std::string right = withQuotes(rightMarker);
    const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;

    const std::size_t p = find(text, left, from, caseSensitive);
    if (p == kNotFound) return {};
    const std::size_t d = p + left.size();
    const std::size_t c = find(text, right, d, caseSensitive);
    if (c == kNotFound) return {};
    return std::string(text.substr(d, c - d));
}

std::string TimestampTextFromPage(std::string_view pageBytes) {
    return TextBetween(BytesToText(pageBytes), kLeftMarker, kRightMarker, 0, false);
}
