// Any bytes through the number readers and the folding, and the round trip
// of every finite double through its text.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string folded = FoldFullWidth(text);
    if (folded.size() > text.size()) std::abort();
    TextToInteger(text);

    const double x = TextToNumber(text);
    const std::string shown = NumberToText(x);
    if (shown.size() > 20) std::abort();
    if (std::isfinite(x) && NumberToText(TextToNumber(shown)) != shown) std::abort();

    if (size >= sizeof(double)) {
        double bits;
        std::memcpy(&bits, data, sizeof bits);
        if (std::isfinite(bits)) {
            const std::string once = NumberToText(bits);
            if (NumberToText(TextToNumber(once)) != once) std::abort();
        }
    }
    return 0;
}
