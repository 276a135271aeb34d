// SPDX-License-Identifier: GPL-3.0-or-later
// The read-outs' and the calculator's number texts, checked against a second,
// independent way of writing a double: the exact decimal expansion of its
// binary value (big-integer arithmetic on mantissa and exponent), rounded to
// 18 significant digits to nearest-even on those exact digits, then cut with
// integer division and a half-up remainder test. The formatter under test
// goes through printf's digit string instead; any disagreement is a fault in
// one of them and is printed with the value.
#include "toolkit/decimal_format.h"

#include <QTest>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

__extension__ typedef unsigned __int128 u128;

// ---- exact decimal expansion -------------------------------------------

// A non-negative big integer in base 10^9, least significant limb first.
struct BigDecimal {
    std::vector<std::uint32_t> limbs{0};

    void multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (auto &limb : limbs) {
            const std::uint64_t product = std::uint64_t(limb) * factor + carry;
            limb = std::uint32_t(product % 1000000000u);
            carry = product / 1000000000u;
        }
        while (carry) {
            limbs.push_back(std::uint32_t(carry % 1000000000u));
            carry /= 1000000000u;
        }
    }

    std::string digits() const
    {
        std::string text = std::to_string(limbs.back());
        char chunk[16];
        for (std::size_t i = limbs.size() - 1; i-- > 0;) {
            std::snprintf(chunk, sizeof chunk, "%09u", unsigned(limbs[i]));
            text += chunk;
        }
        return text;
    }
};

// |value| = N x 10^-shift exactly, with N written in decimal.
struct ExactValue {
    std::string digits;  // N without leading zeros ("0" for zero)
    int shift = 0;
};

ExactValue exactExpansion(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = int((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t(1) << 52) - 1);
    int exponent;
    if (biased == 0) {
        exponent = -1074;  // subnormal
    } else {
        mantissa |= std::uint64_t(1) << 52;
        exponent = biased - 1075;
    }
    BigDecimal n;
    // Mantissa in two pieces so every factor stays below 2^32.
    n.limbs = {std::uint32_t(mantissa % 1000000000u), std::uint32_t((mantissa / 1000000000u) % 1000000000u),
               std::uint32_t(mantissa / 1000000000000000000u)};
    while (n.limbs.size() > 1 && n.limbs.back() == 0) n.limbs.pop_back();
    ExactValue exact;
    if (exponent >= 0) {
        for (int i = 0; i < exponent; ++i) n.multiply(2);
    } else {
        // m x 2^-k = m x 5^k / 10^k
        for (int i = 0; i < -exponent; ++i) n.multiply(5);
        exact.shift = -exponent;
    }
    exact.digits = n.digits();
    return exact;
}

// |value| ~ digits18 x 10^power with digits18 in [10^17, 10^18), or 0.
struct Rounded18 {
    std::uint64_t digits18 = 0;
    int power = 0;
};

Rounded18 roundTo18Significant(double value)
{
    const ExactValue exact = exactExpansion(value);
    Rounded18 r;
    if (exact.digits == "0") return r;
    const int length = int(exact.digits.size());
    if (length <= 18) {
        r.digits18 = std::stoull(exact.digits);
        for (int i = length; i < 18; ++i) r.digits18 *= 10;
        r.power = -exact.shift - (18 - length);
        return r;
    }
    r.digits18 = std::stoull(exact.digits.substr(0, 18));
    r.power = -exact.shift + (length - 18);
    const char first = exact.digits[18];
    const bool restZero = exact.digits.find_first_not_of('0', 19) == std::string::npos;
    bool up;
    if (first > '5')
        up = true;
    else if (first < '5')
        up = false;
    else if (!restZero)
        up = true;
    else
        up = (r.digits18 % 2) == 1;  // an exact tie goes to the even neighbour
    if (up && ++r.digits18 == 1000000000000000000ull) {
        r.digits18 = 100000000000000000ull;
        ++r.power;
    }
    return r;
}

u128 powerOfTen(int n)
{
    u128 p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

std::string toDecimal(u128 v)
{
    if (v == 0) return "0";
    std::string text;
    while (v) {
        text.insert(text.begin(), char('0' + int(v % 10)));
        v /= 10;
    }
    return text;
}

// digits18 x 10^power scaled by 10^shiftBy and rounded half up to an integer.
// Returns false when the result would not fit the reference's 128 bits.
bool scaleHalfUp(const Rounded18 &r, int shiftBy, u128 &out)
{
    const int t = r.power + shiftBy;
    if (t >= 0) {
        if (t > 20) return false;
        out = u128(r.digits18) * powerOfTen(t);
        return true;
    }
    const int k = -t;
    if (k > 19) {  // 10^19 exceeds twice any 18-digit number
        out = 0;
        return true;
    }
    const u128 divisor = powerOfTen(k);
    const u128 d = r.digits18;
    out = d / divisor + ((2 * (d % divisor) >= divisor) ? 1 : 0);
    return true;
}

// The expected read-out text (period separator, magnitude only).
bool referenceFixed(double value, int decimals, std::string &text)
{
    u128 scaled;
    if (!scaleHalfUp(roundTo18Significant(value), decimals, scaled)) return false;
    text = toDecimal(scaled);
    if (int(text.size()) < decimals + 1) text.insert(0, std::size_t(decimals + 1 - int(text.size())), '0');
    if (decimals > 0) text.insert(text.size() - std::size_t(decimals), ".");
    return true;
}

// The expected calculator text.
std::string referenceSpecificCharge(double value, const std::string &separator)
{
    const Rounded18 r = roundTo18Significant(value);
    const std::string zero = "0" + separator + "00";
    if (r.digits18 == 0) return zero;
    const int leading = r.power + 17;           // power of ten of the first digit
    const int cut = std::max(leading - 3, -2);  // last power of ten kept
    u128 kept;
    scaleHalfUp(r, -cut, kept);  // always a division here
    if (kept == 0) return zero;
    const std::string keptDigits = toDecimal(kept);
    const std::string sign = value < 0 ? "-" : "";
    const int integerDigits = int(keptDigits.size()) + cut;
    if (integerDigits <= 4) {
        const u128 hundredths = kept * powerOfTen(cut + 2);
        std::string cents = toDecimal(hundredths % 100);
        if (cents.size() < 2) cents.insert(0, "0");
        return sign + toDecimal(hundredths / 100) + separator + cents;
    }
    std::string mantissa = keptDigits;
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    const int exponent = int(keptDigits.size()) - 1 + cut;
    std::string text = sign + mantissa.substr(0, 1);
    if (mantissa.size() > 1) text += separator + mantissa.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%s%02d", exponent < 0 ? "-" : "", std::abs(exponent));
    return text + e;
}

// ---- values -----------------------------------------------------------

constexpr std::uint64_t kSeed = 0x5EED'E1EC'7201ull;
constexpr int kRandomValues = 100000;

// 10^d as the nearest double (exact for the non-negative powers used here).
double tenTo(int d)
{
    char text[16];
    std::snprintf(text, sizeof text, "1e%d", d);
    return std::strtod(text, nullptr);
}

double uniform01(std::mt19937_64 &rng)
{
    return double(rng() >> 11) * 0x1.0p-53;
}

// One value in the decade [10^d, 10^(d+1)), drawn in one of three ways.
double drawValue(std::mt19937_64 &rng, int decade)
{
    switch (rng() % 3) {
    case 0:  // uniform in the decade
        return (1.0 + 9.0 * uniform01(rng)) * tenTo(decade);
    case 1: {
        // A short decimal ending in 5 at some position: the nearest double
        // lies just above or below the tie, and 18 digits turn it into one.
        const int digits = 1 + int(rng() % 16);
        std::string text;
        text += char('1' + rng() % 9);
        for (int i = 1; i < digits; ++i) text += char('0' + rng() % 10);
        text += '5';
        const int exponent = decade - int(text.size()) + 1;
        text += "e" + std::to_string(exponent);
        return std::strtod(text.c_str(), nullptr);
    }
    default: {
        // Random bits of a double whose binade falls in the decade.
        const double low = tenTo(decade);
        const int e2 = std::ilogb(low) + int(rng() % 4);
        double v = std::ldexp(1.0 + uniform01(rng), e2);
        if (v < low) v = low * (1.0 + uniform01(rng));
        if (v >= 10 * low) v = low * (1.0 + 8.0 * uniform01(rng));
        return v;
    }
    }
}

std::string show(double v)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

struct Mismatches {
    QStringList lines;
    int count = 0;
    void add(const std::string &what, double value, const std::string &got, const std::string &expected)
    {
        ++count;
        if (lines.size() < 25)
            lines << QString::fromStdString(what + "(" + show(value) + "): got \"" + got + "\", expected \"" +
                                            expected + "\"");
    }
    void report() const
    {
        if (count) QFAIL(qPrintable(QString("%1 mismatches (seed %2):\n").arg(count).arg(kSeed) + lines.join('\n')));
    }
};

void checkFixed(Mismatches &m, double value, int decimals)
{
    std::string expected;
    if (!referenceFixed(value, decimals, expected)) return;
    const std::string got = FormatFixed(value, decimals);
    if (got != expected) m.add("FormatFixed/" + std::to_string(decimals), value, got, expected);
}

void checkSpecificCharge(Mismatches &m, double value, const std::string &separator)
{
    const std::string expected = referenceSpecificCharge(value, separator);
    const std::string got = FormatSpecificCharge(value, separator);
    if (got != expected) m.add("FormatSpecificCharge[" + separator + "]", value, got, expected);
}

// The edge values: ties at the cut, carries across a power of ten, the
// switch to scientific form and the read-outs' upper limit.
std::vector<double> boundaryValues()
{
    std::vector<double> v = {0.0,
                             0.125,
                             0.375,
                             0.625,
                             2.675,
                             1.005,
                             1.0005,
                             0.0005,
                             0.005,
                             0.015,
                             0.025,
                             0.045,
                             0.5,
                             1.5,
                             2.5,
                             9.5,
                             99.5,
                             999.5,
                             9999.5,
                             99999.5,
                             0.995,
                             9.995,
                             99.995,
                             999.995,
                             9999.995,
                             9999.994,
                             9999.996,
                             9999.9949999,
                             9999.99,
                             9999.0,
                             10000.0,
                             10000.5,
                             99995.0,
                             99994.0,
                             150000.0,
                             1234.5,
                             1234.4999,
                             1.7589e11,
                             1.75885e11,
                             1.75895e11,
                             1e15,
                             999999999999999.9,
                             999999999999999.5,
                             1e-6,
                             5e-7,
                             4.9999e-7,
                             0.45,
                             0.55,
                             0.1,
                             0.2,
                             0.3,
                             0.7,
                             0.05,
                             0.35,
                             1.0 / 3,
                             2.0 / 3,
                             123456789.125,
                             0.0049999,
                             0.00500001,
                             1e14 + 0.5,
                             4503599627370495.5};
    // Decimal ties at every position the read-outs and the calculator cut at.
    for (int p = -6; p <= 14; ++p)
        for (const char *mantissa : {"1.5", "2.5", "9.5", "9.95", "9.995", "1.0005", "4.4445", "9.99995"})
            v.push_back(std::strtod((std::string(mantissa) + "e" + std::to_string(p)).c_str(), nullptr));
    // Doubles whose exact expansion has 19 significant digits, the last a 5:
    // exact ties at the 18th digit, where the first stage must go to even.
    // i integer digits and 19 - i binary fraction digits do it.
    for (int integerDigits = 1; integerDigits <= 15; ++integerDigits) {
        const int k = 19 - integerDigits;
        for (std::uint64_t odd : {1ull, 3ull, 12345ull, 99999ull, (1ull << k) - 1}) {
            const double whole = tenTo(integerDigits - 1) * 1.5;
            v.push_back(std::floor(whole) + std::ldexp(double(odd | 1), -k));
        }
    }
    for (std::uint64_t odd = 52429; odd < 524288; odd += 4098) v.push_back(std::ldexp(double(odd | 1), -19));
    // The ammeter's and the phase read-out's values as the bench builds them:
    // repeated addition of a step, never an exact decimal.
    double coarse = 0, fine = 0, phase = 0.4;
    for (int i = 0; i < 1200; ++i) {
        coarse += 0.01;
        fine += 0.001;
        phase -= 0.05;
        v.push_back(coarse);
        v.push_back(fine);
        v.push_back(phase);
        v.push_back(coarse + fine);
    }
    return v;
}

}  // namespace

class TestFormatterCrosscheck : public QObject {
    Q_OBJECT
private slots:
    void referenceAgreesWithTheDocumentedTexts();
    void boundaries();
    void randomValuesOverEveryDecade();
};

// The reference itself is checked first on texts the instruments are known
// to show, so that a fault shared by both implementations cannot hide.
void TestFormatterCrosscheck::referenceAgreesWithTheDocumentedTexts()
{
    std::string t;
    QVERIFY(referenceFixed(0.125, 2, t));
    QCOMPARE(t, std::string("0.13"));
    QVERIFY(referenceFixed(0.0, 3, t));
    QCOMPARE(t, std::string("0.000"));
    QVERIFY(referenceFixed(1.234, 3, t));
    QCOMPARE(t, std::string("1.234"));
    QVERIFY(referenceFixed(-0.01, 3, t));
    QCOMPARE(t, std::string("0.010"));
    QVERIFY(referenceFixed(10, 3, t));
    QCOMPARE(t, std::string("10.000"));
    QVERIFY(referenceFixed(99.4, 0, t));
    QCOMPARE(t, std::string("99"));
    QVERIFY(referenceFixed(99.5, 0, t));
    QCOMPARE(t, std::string("100"));
    QVERIFY(referenceFixed(1e15, 1, t));
    QCOMPARE(t, std::string("1000000000000000.0"));
    QCOMPARE(referenceSpecificCharge(1.7589e11, ","), std::string("1,759E11"));
    QCOMPARE(referenceSpecificCharge(150000, ","), std::string("1,5E05"));
    QCOMPARE(referenceSpecificCharge(10000, ","), std::string("1E04"));
    QCOMPARE(referenceSpecificCharge(1234.5, ","), std::string("1235,00"));
    QCOMPARE(referenceSpecificCharge(0.5, ","), std::string("0,50"));
    QCOMPARE(referenceSpecificCharge(0, ","), std::string("0,00"));
    // The exact expansion really is exact: 0.1 is 7205759403792794 x 2^-56,
    // a little above one tenth.
    const ExactValue tenth = exactExpansion(0.1);
    QCOMPARE(tenth.shift, 56);
    QCOMPARE(tenth.digits, std::string("10000000000000000555111512312578270211815834045410156250"));
}

void TestFormatterCrosscheck::boundaries()
{
    Mismatches m;
    for (const double base : boundaryValues()) {
        for (const double value : {base, -base, std::nextafter(base, 0.0), std::nextafter(base, 1e300)}) {
            for (int decimals = 0; decimals <= 13; ++decimals) checkFixed(m, value, decimals);
            checkSpecificCharge(m, value, ",");
            checkSpecificCharge(m, value, ".");
        }
    }
    m.report();
}

void TestFormatterCrosscheck::randomValuesOverEveryDecade()
{
    std::mt19937_64 rng(kSeed);
    Mismatches m;
    constexpr int firstDecade = -6, lastDecade = 14;
    for (int i = 0; i < kRandomValues; ++i) {
        const int decade = firstDecade + i % (lastDecade - firstDecade + 1);
        double value = drawValue(rng, decade);
        if (rng() & 1) value = -value;
        checkFixed(m, value, int(rng() % 14));
        checkFixed(m, value, 1 + i % 3);  // the bench's read-outs show 1, 2 or 3 decimals
        checkSpecificCharge(m, value, (i & 1) ? "," : ".");
    }
    m.report();
}

QTEST_APPLESS_MAIN(TestFormatterCrosscheck)
#include "tst_formatter_crosscheck.moc"
