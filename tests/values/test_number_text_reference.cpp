// NumberToText and TextToNumber checked against references that take another
// route: NumberToText against the exact decimal expansion of each double (big
// integers in base 10^9), rounded half up to 17 and then to 13 digits; and
// TextToNumber against the C library's strtod in the C locale. The inputs are
// random but seeded, so every run checks the same few hundred thousand values.
#include <QtTest>

#include <algorithm>
#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "number_text.h"

namespace {

// A non-negative integer as base-10^9 limbs, least significant first.
using Limbs = std::vector<std::uint32_t>;
constexpr std::uint64_t kBase = 1'000'000'000;

void multiplyInPlace(Limbs& a, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : a) {
        const std::uint64_t v = limb * std::uint64_t{factor} + carry;
        limb = static_cast<std::uint32_t>(v % kBase);
        carry = v / kBase;
    }
    for (; carry; carry /= kBase) a.push_back(static_cast<std::uint32_t>(carry % kBase));
}

// a * m for m below 10^18, by m's two base-10^9 limbs.
Limbs multiply(const Limbs& a, std::uint64_t m) {
    Limbs r(a.size() + 3, 0);
    const std::uint64_t parts[] = {m % kBase, m / kBase};
    for (std::size_t shift = 0; shift < 2; ++shift) {
        std::uint64_t carry = 0;
        std::size_t i = 0;
        for (; i < a.size(); ++i) {
            const std::uint64_t v = a[i] * parts[shift] + r[i + shift] + carry;
            r[i + shift] = static_cast<std::uint32_t>(v % kBase);
            carry = v / kBase;
        }
        for (std::size_t j = i + shift; carry; ++j) {
            const std::uint64_t v = r[j] + carry;
            r[j] = static_cast<std::uint32_t>(v % kBase);
            carry = v / kBase;
        }
    }
    while (r.size() > 1 && r.back() == 0) r.pop_back();
    return r;
}

// The decimal digits of the top `limbs` limbs, and the count of all digits.
std::pair<std::string, int> decimalDigits(const Limbs& a, std::size_t limbs) {
    std::string s = std::to_string(a.back());
    const int count = int(s.size() + 9 * (a.size() - 1));
    const std::size_t stop = a.size() > limbs ? a.size() - limbs : 0;
    for (std::size_t i = a.size() - 1; i-- > stop;) {
        const std::string limb = std::to_string(a[i]);
        s += std::string(9 - limb.size(), '0') + limb;
    }
    return {s, count};
}

// Powers of 2 and 5 as far as a double (or the midpoint of two) needs them.
struct Powers {
    std::vector<Limbs> two{Limbs{1}}, five{Limbs{1}};
    Powers() {
        while (two.size() <= 1100) multiplyInPlace(two.emplace_back(two.back()), 2);
        while (five.size() <= 1100) multiplyInPlace(five.emplace_back(five.back()), 5);
    }
};

const Powers& powers() {
    static const Powers p;
    return p;
}

// m * 2^e2 exactly: its significant digits d1d2... (the leading ones only
// when `limbs` limits them) and the exponent E of d1, so that the value is
// d1.d2d3... * 10^E.
struct Exact {
    std::string digits;
    int exponent = 0;
};

Exact exactDecimal(std::uint64_t m, int e2, std::size_t limbs = SIZE_MAX) {
    // m * 2^-k = m * 5^k / 10^k.
    const Limbs& power = e2 >= 0 ? powers().two[e2] : powers().five[-e2];
    auto [digits, count] = decimalDigits(multiply(power, m), limbs);
    return {digits, count - 1 + std::min(e2, 0)};
}

// The significand and binary exponent of a finite positive double.
std::pair<std::uint64_t, int> decompose(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    const int field = int(bits >> 52 & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0) return {fraction, -1074};
    return {fraction | std::uint64_t{1} << 52, field - 1075};
}

// Keeps n digits, adding one to the last when digit n+1 is 5 or more.
void roundHalfUp(std::string& digits, std::size_t n, int& exponent) {
    if (digits.size() <= n) digits.resize(n + 1, '0');
    const bool up = digits[n] >= '5';
    digits.resize(n);
    if (!up) return;
    std::size_t carried = 0;
    for (auto it = digits.rbegin(); it != digits.rend() && *it == '9'; ++it, ++carried) *it = '0';
    if (carried < n) {
        ++digits[n - 1 - carried];
    } else {
        digits.insert(digits.begin(), '1');
        digits.pop_back();
        ++exponent;
    }
}

// The text of a finite double other than zero, laid out from the rounded
// digits: the point is placed in a zero-padded digit string.
std::string referenceText(double x) {
    const auto [m, e2] = decompose(std::fabs(x));
    // Three limbs hold at least the 18 digits that the rounding looks at.
    Exact e = exactDecimal(m, e2, 3);
    roundHalfUp(e.digits, 17, e.exponent);
    roundHalfUp(e.digits, 13, e.exponent);
    std::string s = e.digits;
    if (e.exponent < -4 || e.exponent >= 13) {
        s.insert(1, ".");
    } else if (e.exponent >= 0) {
        s.insert(std::size_t(e.exponent) + 1, ".");
    } else {
        s = "0." + std::string(-e.exponent - 1, '0') + s;
    }
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    if (e.exponent < -4 || e.exponent >= 13) {
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "e%c%03d", e.exponent < 0 ? '-' : '+',
                      std::abs(e.exponent));
        s += exponentText;
    }
    return (x < 0 ? "-" : "") + s;
}

// The same number syntax both readers share; 'd' and 'D' are ours only.
std::string forStrtod(std::string text) {
    for (char& c : text)
        if (c == 'd' || c == 'D') c = 'e';
    return text;
}

class Generator {
public:
    explicit Generator(std::uint64_t seed) : m_rng(seed) {}
    int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    std::uint64_t bits() { return m_rng(); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    std::string digits(int count) {
        std::string s;
        for (int i = 0; i < count; ++i) s += char('0' + between(0, 9));
        return s;
    }
    std::string exponent(int low, int high) {
        std::string s(1, "eEdD"[between(0, 3)]);
        const int e = between(low, high);
        if (e < 0)
            s += '-';
        else if (chance(30))
            s += '+';
        std::string magnitude = std::to_string(std::abs(e));
        if (chance(20)) magnitude.insert(0, std::size_t(between(1, 3)), '0');
        return s + magnitude;
    }

private:
    std::mt19937_64 m_rng;
};

// Empty when TextToNumber and strtod give the same bits for text, else why not.
QByteArray strtodMismatch(const std::string& text) {
    const double got = TextToNumber(text);
    const double want = std::strtod(forStrtod(text).c_str(), nullptr);
    if (std::bit_cast<std::uint64_t>(got) == std::bit_cast<std::uint64_t>(want)) return {};
    return QString("%1: got %2, strtod %3")
        .arg(QString::fromStdString(text))
        .arg(got, 0, 'g', 17)
        .arg(want, 0, 'g', 17)
        .toUtf8();
}

}  // namespace

class TestNumberTextReference : public QObject {
    Q_OBJECT

    // Compares one double with the reference and the round trip back through
    // TextToNumber, which must land within half a unit of the 13th digit.
    static bool agrees(double x, QByteArray& why) {
        const std::string got = NumberToText(x);
        const std::string want = referenceText(x);
        const double back = TextToNumber(got);
        const bool close = std::fabs(back - x) <= std::fabs(x) * 5.1e-13;
        if (got == want && got.size() <= 20 && close) return true;
        char bits[32];
        std::snprintf(bits, sizeof bits, "%016llx",
                      static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(x)));
        why = "bits " + QByteArray(bits) + ": got " + QByteArray::fromStdString(got) +
              ", reference " + QByteArray::fromStdString(want);
        return false;
    }

private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C"); }

    void referenceSelfCheck_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("17 digits first") << 1.2345678901235 << QByteArray("1.234567890124");
        QTest::newRow("carry") << 9999999999999.5 << QByteArray("1e+013");
        QTest::newRow("subnormal") << 4.9406564584124654e-324 << QByteArray("4.940656458412e-324");
        QTest::newRow("1/3") << 1.0 / 3 << QByteArray("0.3333333333333");
    }
    // The reference itself gives the known texts, so a fault cannot hide in
    // both routes alike.
    void referenceSelfCheck() {
        QFETCH(double, value);
        QFETCH(QByteArray, shown);
        QCOMPARE(QByteArray::fromStdString(referenceText(value)), shown);
    }

    void numberToTextOnRandomBits() {
        Generator g(0x5EED0001);
        QByteArray why;
        for (int checked = 0; checked < 200000;) {
            const double x = std::bit_cast<double>(g.bits());
            if (!std::isfinite(x) || x == 0) continue;
            if (!agrees(x, why)) QFAIL(why.constData());
            ++checked;
        }
    }

    // Decimal inputs like the amounts people type and the sums they give,
    // and values whose 14th digit sits at the rounding boundary.
    void numberToTextOnRandomDecimals() {
        Generator g(0x5EED0002);
        const char* tails[] = {"", "0", "000001", "49999", "4999999", "5", "50001", "9999"};
        QByteArray why;
        for (int i = 0; i < 160000; ++i) {
            std::string text;
            double x = 0;
            switch (i % 4) {
                case 0:  // any precision, any magnitude
                    text = g.digits(g.between(1, 20)) + "e" + std::to_string(g.between(-345, 308));
                    break;
                case 1:  // around the 13-digit boundary
                    text = (g.chance(20) ? std::string(13, '9') : g.digits(13)) + "5" +
                           tails[g.between(0, 7)] + "e" + std::to_string(g.between(-30, 30));
                    break;
                case 2:  // amounts in cents
                    text = g.digits(g.between(1, 14)) + "." + g.digits(2);
                    break;
                default: {  // quotients as the daily suggestion makes them
                    const int total = g.between(1, 2000000), days = g.between(1, 400);
                    text = std::to_string(total) + "/" + std::to_string(days);
                    x = double(total) / days;
                    break;
                }
            }
            if (i % 4 != 3) x = std::strtod(text.c_str(), nullptr);
            if (g.chance(50)) x = -x;
            if (x == 0 || !std::isfinite(x)) continue;
            if (!agrees(x, why))
                QFAIL((why + " from " + QByteArray::fromStdString(text)).constData());
        }
    }

    void textToNumberMatchesStrtod() {
        Generator g(0x5EED0003);
        for (int i = 0; i < 100000; ++i) {
            std::string text = g.chance(30) ? std::string(1, "+-"[g.between(0, 1)]) : "";
            if (g.chance(10)) text += std::string(std::size_t(g.between(1, 5)), '0');
            const std::string whole = g.digits(g.between(0, 25));
            const bool point = g.chance(60);
            std::string fraction = point ? g.digits(g.between(0, 25)) : "";
            if (whole.empty() && fraction.empty()) fraction = g.digits(1);
            text += whole + (point || whole.empty() ? "." : "") + fraction;
            if (g.chance(70)) text += g.exponent(-370, 330);
            if (g.chance(3)) text = g.digits(g.between(600, 1000)) + g.exponent(-1400, -300);
            const QByteArray why = strtodMismatch(text);
            if (!why.isEmpty()) QFAIL(why.constData());
        }
    }

    // The exact midpoints between neighbouring doubles, and texts just above
    // and below them, where a reader that rounds from too few digits fails.
    void textToNumberAtMidpoints() {
        Generator g(0x5EED0004);
        for (int i = 0; i < 30000; ++i) {
            const double x = std::fabs(std::bit_cast<double>(g.bits()));
            if (!std::isfinite(x)) continue;
            const auto [m, e2] = decompose(x);
            const Exact mid = exactDecimal(2 * m + 1, e2 - 1);
            std::string digits = mid.digits;
            switch (i % 3) {
                case 1:
                    digits += "0000000000000000001";
                    break;
                case 2:
                    digits.back() = '4';
                    digits += "9999999999999999999";
                    break;
            }
            const std::string text = std::string(g.chance(50) ? "-" : "") + digits.substr(0, 1) +
                                     "." + digits.substr(1) + "e" + std::to_string(mid.exponent);
            const QByteArray why = strtodMismatch(text);
            if (!why.isEmpty()) QFAIL(why.constData());
        }
    }
};

QTEST_APPLESS_MAIN(TestNumberTextReference)
#include "test_number_text_reference.moc"
