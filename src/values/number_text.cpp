// The number-text rules. Parsing and layout are written here; the two exact
// steps, decimal to nearest double and double to 17 decimal digits, are left
// to std::from_chars and std::to_chars, which ignore the C locale.
#include "number_text.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

// One row of the folding table: a double-byte character lead+trail with trail
// in [first, last] becomes result + step * (trail - first).
struct FoldRow {
    unsigned char lead, first, last;
    char result;
    int step;
};

constexpr FoldRow kFoldTable[] = {
    {0xA3, 0xA1, 0xFE, 0x21, 1},  // the full-width forms of GB2312 row 3
    {0xA1, 0xA1, 0xA1, ' ', 0},   // ideographic space
    {0xA1, 0xAB, 0xAB, '~', 0},   // full-width tilde
    {0xA1, 0xEE, 0xEF, '*', 0},   // white star, black star
};

// Exponents above this read as kExponentCap; no finite double is near either.
constexpr long long kExponentLimit = 5200;
constexpr long long kExponentCap = 5201;
// Beyond this magnitude a negative exponent cannot change a result that is
// zero already; saturating there keeps the arithmetic from overflowing.
constexpr long long kExponentSaturation = 1'000'000'000'000'000LL;

bool isWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The start of both readers: white space, then one optional sign.
struct Lead {
    std::size_t pos = 0;
    bool negative = false;
};

Lead readLead(const std::string& t) {
    Lead lead;
    while (lead.pos < t.size() && isWhiteSpace(t[lead.pos])) ++lead.pos;
    if (lead.pos < t.size() && (t[lead.pos] == '+' || t[lead.pos] == '-')) {
        lead.negative = t[lead.pos] == '-';
        ++lead.pos;
    }
    return lead;
}

// Returns the magnitude of the digit run at pos, saturated at limit, and
// moves pos past the run.
unsigned long long readDigits(const std::string& t, std::size_t& pos, unsigned long long limit) {
    unsigned long long v = 0;
    for (; pos < t.size() && isDigit(t[pos]); ++pos) {
        const unsigned digit = t[pos] - '0';
        v = v > (limit - digit) / 10 ? limit : v * 10 + digit;
    }
    return v;
}

std::string threeDigits(int n) {
    return {char('0' + n / 100), char('0' + n / 10 % 10), char('0' + n % 10)};
}

std::string withoutTrailingZeros(std::string s) {
    s.erase(s.find_last_not_of('0') + 1);
    return s;
}

}  // namespace

std::string FoldFullWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char lead = text[i];
        if (lead < 0x80) {
            out += char(lead);
            continue;
        }
        if (i + 1 == text.size()) break;  // a cut-off character is dropped
        const unsigned char trail = text[++i];
        const FoldRow* row = nullptr;
        for (const FoldRow& r : kFoldTable)
            if (r.lead == lead && trail >= r.first && trail <= r.last) row = &r;
        if (row)
            out += char(row->result + row->step * (trail - row->first));
        else
            out += {char(lead), char(trail)};
    }
    return out;
}

double TextToNumber(std::string_view text) {
    const std::string t = FoldFullWidth(text);
    auto [pos, negative] = readLead(t);

    // The significant digits without leading zeros; the value is
    // 0.<digits> times 10 to the power pointPos.
    std::string digits;
    long long pointPos = 0;
    bool anyDigit = false;
    for (; pos < t.size() && isDigit(t[pos]); ++pos) {
        anyDigit = true;
        if (!digits.empty() || t[pos] != '0') digits += t[pos];
    }
    pointPos = static_cast<long long>(digits.size());
    if (pos < t.size() && t[pos] == '.') {
        for (++pos; pos < t.size() && isDigit(t[pos]); ++pos) {
            anyDigit = true;
            if (!digits.empty() || t[pos] != '0')
                digits += t[pos];
            else
                --pointPos;
        }
    }
    if (!anyDigit) return 0.0;

    long long exponent = 0;
    if (pos < t.size() && std::string_view("eEdD").find(t[pos]) != std::string_view::npos) {
        std::size_t p = pos + 1;
        bool negativeExponent = false;
        if (p < t.size() && (t[p] == '+' || t[p] == '-')) negativeExponent = t[p++] == '-';
        if (p < t.size() && isDigit(t[p])) {
            exponent = static_cast<long long>(readDigits(t, p, kExponentSaturation));
            if (negativeExponent)
                exponent = -exponent;
            else if (exponent > kExponentLimit)
                exponent = kExponentCap;
        }
    }

    const double zero = negative ? -0.0 : 0.0;
    const double infinity = negative ? -HUGE_VAL : HUGE_VAL;
    digits = withoutTrailingZeros(std::move(digits));
    if (digits.empty()) return zero;
    // The decimal exponent of d1.d2d3...; far outside [-400, 400] no digit
    // count can bring the value back into the range of doubles worth parsing.
    const long long scientificExponent = pointPos - 1 + exponent;
    if (scientificExponent > 400) return infinity;
    if (scientificExponent < -400) return zero;

    std::string normal;
    normal.reserve(digits.size() + 8);
    normal += digits[0];
    normal += '.';
    normal.append(digits, 1);
    normal += 'e';
    normal += std::to_string(scientificExponent);
    double magnitude = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), magnitude,
                                        std::chars_format::scientific);
    if (result.ec == std::errc::result_out_of_range)
        return scientificExponent > 0 ? infinity : zero;
    return negative ? -magnitude : magnitude;
}

std::int64_t TextToInteger(std::string_view text) {
    const std::string t = FoldFullWidth(text);
    auto [pos, negative] = readLead(t);
    constexpr unsigned long long maxMagnitude = std::numeric_limits<std::int64_t>::max();
    const unsigned long long v = readDigits(t, pos, negative ? maxMagnitude + 1 : maxMagnitude);
    if (!negative) return static_cast<std::int64_t>(v);
    return v > maxMagnitude ? std::numeric_limits<std::int64_t>::min()
                            : -static_cast<std::int64_t>(v);
}

std::string NumberToText(double x) {
    if (x == 0) return "0";
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const bool negative = bits >> 63;
    const std::string sign = negative ? "-" : "";
    if (std::isinf(x)) return sign + "1.#INF";
    if (std::isnan(x)) {
        constexpr std::uint64_t quietBit = std::uint64_t{1} << 51;
        const std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
        if (negative && significand == quietBit) return "-1.#IND";
        return sign + (significand & quietBit ? "1.#QNAN" : "1.#SNAN");
    }

    // d.dddddddddddddddde[+-]EEE: the 17 significant digits and exponent E.
    char buf[32];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific, 16).ptr;
    std::string digits = std::string(1, buf[0]) + std::string(buf + 2, 16);
    const char* e = buf + 18;  // the 'e'
    int exponent = 0;
    std::from_chars(e + 2, end, exponent);
    if (e[1] == '-') exponent = -exponent;

    // Half up from the 17 digits to 13, carrying to the left.
    const bool roundUp = digits[13] >= '5';
    digits.resize(13);
    if (roundUp) {
        int i = 12;
        while (i >= 0 && digits[i] == '9') digits[i--] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits = "1000000000000";
            ++exponent;
        }
    }

    std::string out = sign;
    auto appendFraction = [&out](const std::string& fraction) {
        const std::string kept = withoutTrailingZeros(fraction);
        if (!kept.empty()) out += '.' + kept;
    };
    if (exponent < -4 || exponent >= 13) {
        out += digits[0];
        appendFraction(digits.substr(1));
        out += exponent < 0 ? "e-" : "e+";
        out += threeDigits(std::abs(exponent));
    } else if (exponent >= 0) {
        out.append(digits, 0, exponent + 1);
        appendFraction(digits.substr(exponent + 1));
    } else {
        out += '0';
        appendFraction(std::string(-exponent - 1, '0') + digits);
    }
    return out;
}
