// Any bytes through the date-time reader, and the round trip of every valid
// date-time with a non-zero second away from the two limited days.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "datetime_text.h"

namespace {

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysIn(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DateTime read = TextToDateTime(text);
    if (DateTimeToText(read).size() > 26) std::abort();

    if (size >= 7) {
        DateTime d;
        d.year = 100 + (data[0] | data[1] << 8) % 9900;
        d.month = 1 + data[2] % 12;
        d.day = 1 + data[3] % daysIn(d.year, d.month);
        d.hour = data[4] % 24;
        d.minute = data[5] % 60;
        d.second = 1 + data[6] % 59;
        const bool limited = (d.year == 100 && d.month == 1 && d.day == 1) ||
                             (d.year == 9999 && d.month == 12 && d.day == 31);
        if (!limited && !(TextToDateTime(DateTimeToText(d)) == d)) std::abort();
    }
    return 0;
}
