#include "text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

namespace {

// Runs one iconv conversion over the whole input; an invalid or cut-off
// sequence is replaced by "?" and the walk goes on after its first byte.
std::string convert(const char* to, const char* from, std::string_view input) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(input);

    std::string out;
    out.reserve(input.size() * 3 / 2 + 4);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr);
        if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
            out.push_back('?');
            ++in;
            --inLeft;
        }
    }
    char* outPtr = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    out.append(buffer, outPtr);
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Gb18030FromUtf8(std::string_view utf8) {
    return convert("GB18030", "UTF-8", utf8);
}

std::string Utf8FromGb18030(std::string_view gb18030) {
    return convert("UTF-8", "GB18030", gb18030);
}

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<std::uint8_t>(bytes[i]);
        size_t length = 0;
        std::uint32_t cp = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            const auto b = static_cast<std::uint8_t>(bytes[i + k]);
            if ((b & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
        static constexpr std::uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMinimum[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return false;
        i += length;
    }
    return true;
}
