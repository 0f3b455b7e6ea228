#include "NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "ShortCopy.h"

namespace bpd {

namespace {

using u128 = unsigned __int128;

constexpr std::uint64_t kPow10[] = {1ULL,         10ULL,        100ULL,     1000ULL,
                                    10000ULL,     100000ULL,    1000000ULL, 10000000ULL,
                                    100000000ULL, 1000000000ULL};
constexpr std::uint64_t kPow5[] = {1, 5, 25, 125, 625, 3125, 15625, 78125, 390625, 1953125};
constexpr int kMaxDecimals = 9;

// Magnitudes from 2^53 upwards are whole numbers: nothing to round, only digits to write.
constexpr double kTwoPow53 = 9007199254740992.0;

int clampDecimals(int decimals) {
    return decimals < 0 ? 0 : (decimals > kMaxDecimals ? kMaxDecimals : decimals);
}

char* copyText(char* dst, std::string_view text) {
    return copyShort(dst, text.data(), text.size());
}

// Two decimal digits at a time.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

int decimalDigits(std::uint64_t v) {
    int n = 1;
    while (v >= 10000) {
        v /= 10000;
        n += 4;
    }
    if (v >= 1000) return n + 3;
    if (v >= 100) return n + 2;
    if (v >= 10) return n + 1;
    return n;
}

// The decimal digits of v, most significant first, ending at end; returns the first digit.
char* writeDigitsBackwards(char* end, std::uint64_t v) {
    char* p = end;
    while (v >= 100) {
        const std::uint64_t pair = (v % 100) * 2;
        v /= 100;
        *--p = kDigitPairs[pair + 1];
        *--p = kDigitPairs[pair];
    }
    if (v >= 10) {
        *--p = kDigitPairs[v * 2 + 1];
        *--p = kDigitPairs[v * 2];
    } else {
        *--p = static_cast<char>('0' + v);
    }
    return p;
}

// round(ax * 10^decimals) with exact halves to even, decided on the exact binary value of ax.
// ax is finite, non-negative and below 2^53, so the product is an exact 128-bit integer
// before the shift: the mantissa (53 bits) times 5^decimals, times a power of two.
u128 scaledHalfEven(double ax, int decimals) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(ax);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & ((1ULL << 52) - 1);
    int exponent;
    if (biased == 0) {
        exponent = -1074;  // subnormal
    } else {
        mantissa |= 1ULL << 52;
        exponent = biased - 1075;
    }
    const u128 product = static_cast<u128>(mantissa) * kPow5[decimals];
    const int shift = exponent + decimals;  // ax * 10^d = product * 2^shift
    if (shift >= 0) return product << shift;
    const int s = -shift;
    if (s >= 128) return 0;  // far below one half
    const u128 quotient = product >> s;
    const u128 remainder = product - (quotient << s);
    const u128 half = static_cast<u128>(1) << (s - 1);
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) return quotient + 1;
    return quotient;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool startsWith(std::string_view text, std::size_t pos, const std::string& prefix) {
    return !prefix.empty() && text.compare(pos, prefix.size(), prefix) == 0;
}

// Group separators of an integer part, where they count only as grouping: a first group of
// one to three digits that does not start with 0, then groups of exactly three. Anything
// else (a decimal separator typed out of habit, "4.5" under a comma locale) is no number.
class IntegerGroups {
public:
    void digit(char c) {
        if (count_ == 0 && !grouped_) leadingZero_ = c == '0';
        ++count_;
    }
    // A group separator after the digits so far; false where it cannot group.
    bool separator() {
        const bool fits = grouped_ ? count_ == 3 : (count_ >= 1 && count_ <= 3 && !leadingZero_);
        grouped_ = true;
        count_ = 0;
        return fits;
    }
    // The integer part ends here: its last group, if grouped, has three digits.
    bool complete() const { return !grouped_ || count_ == 3; }

private:
    int count_ = 0;  // digits since the last group separator
    bool grouped_ = false;
    bool leadingZero_ = false;
};

// The numeric test: [blanks][sign]digits[sep digits][e[sign]digits][blanks], with group
// separators where they group the integer part. At least one digit in the mantissa.
std::optional<DecimalText> readDecimal(std::string_view text, const NumberLocale& locale) {
    std::size_t i = 0, n = text.size();
    while (i < n && isBlank(text[i])) ++i;
    while (n > i && isBlank(text[n - 1])) --n;
    if (i == n) return std::nullopt;

    DecimalText d;
    if (text[i] == '+' || text[i] == '-') {
        d.negative = text[i] == '-';
        ++i;
    }
    int mantissaDigits = 0;
    std::int64_t fractionDigits = 0;
    bool seenSeparator = false;
    IntegerGroups groups;
    std::string& digits = d.digits;
    while (i < n) {
        const char c = text[i];
        if (isDigit(c)) {
            ++mantissaDigits;
            if (seenSeparator)
                ++fractionDigits;
            else
                groups.digit(c);
            if (!(digits.empty() && c == '0')) digits.push_back(c);  // leading zeros add nothing
            ++i;
            continue;
        }
        if (!seenSeparator && startsWith(text, i, locale.decimalSeparator)) {
            if (!groups.complete()) return std::nullopt;
            seenSeparator = true;
            i += locale.decimalSeparator.size();
            continue;
        }
        if (!seenSeparator && startsWith(text, i, locale.groupSeparator)) {
            if (!groups.separator()) return std::nullopt;
            i += locale.groupSeparator.size();
            continue;
        }
        break;
    }
    if (mantissaDigits == 0 || !groups.complete()) return std::nullopt;

    std::int64_t exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negativeExponent = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            ++i;
        }
        if (i >= n || !isDigit(text[i])) return std::nullopt;
        while (i < n && isDigit(text[i])) {
            // Saturate: anything this large is out of range (or zero) anyway.
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (text[i] - '0');
            ++i;
        }
        if (negativeExponent) exponent = -exponent;
    }
    if (i != n) return std::nullopt;
    d.scale = exponent - fractionDigits;
    return d;
}

// Power of ten of the leading digit plus one (the value lies in [10^(m-1), 10^m)).
std::int64_t magnitude(const DecimalText& d) {
    return static_cast<std::int64_t>(d.digits.size()) + d.scale;
}

std::optional<double> toDouble(const DecimalText& d) {
    if (d.digits.empty()) return d.negative ? -0.0 : 0.0;
    const std::int64_t mag = magnitude(d);
    if (mag > 400) return std::nullopt;              // far beyond the range of a double
    if (mag < -400) return d.negative ? -0.0 : 0.0;  // far below the smallest subnormal
    // Short texts (the usual entries) convert exactly in double arithmetic: at most 15
    // digits are an exact integer and 10^k up to 10^22 is exact, so the one multiplication
    // or division rounds correctly.
    static constexpr double kExactPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (d.digits.size() <= 15 && d.scale >= -22 && d.scale <= 22) {
        std::uint64_t integer = 0;
        for (const char c : d.digits) integer = integer * 10 + static_cast<std::uint64_t>(c - '0');
        double value = static_cast<double>(integer);
        value = d.scale >= 0 ? value * kExactPow10[d.scale] : value / kExactPow10[-d.scale];
        return d.negative ? -value : value;
    }
    // Normalised form "digits e scale" for the exact, correctly rounded conversion; a short
    // text stays on the stack.
    char small[64];
    std::string large;
    char* first = small;
    std::size_t capacity = sizeof small;
    if (d.digits.size() + 24 > sizeof small) {
        large.resize(d.digits.size() + 24);
        first = large.data();
        capacity = large.size();
    }
    std::memcpy(first, d.digits.data(), d.digits.size());
    char* last = first + d.digits.size();
    *last++ = 'e';
    last = std::to_chars(last, first + capacity, d.scale).ptr;
    const std::string_view buf(first, static_cast<std::size_t>(last - first));
    double value = 0;
    const auto parsed = std::from_chars(buf.data(), buf.data() + buf.size(), value);
    if (parsed.ec == std::errc::result_out_of_range) {
        if (mag > 0) return std::nullopt;  // overflow: not a number of this program
        value = 0.0;                       // underflow: a tiny number reads as zero
    } else if (parsed.ec != std::errc() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return d.negative ? -value : value;
}

// Digits of the decimal rounded to `decimals` places, halves away from zero: returns the
// integer digits of value * 10^decimals (no leading zeros, empty for zero).
std::string roundedHalfAway(const DecimalText& d, int decimals) {
    const std::int64_t shift = d.scale + decimals;  // value * 10^decimals = digits * 10^shift
    if (shift >= 0) {
        if (d.digits.empty()) return {};
        std::string s = d.digits;
        s.append(static_cast<std::size_t>(shift), '0');
        return s;
    }
    const std::int64_t drop = -shift;
    if (drop > static_cast<std::int64_t>(d.digits.size())) return {};  // below one half
    const std::size_t keep = d.digits.size() - static_cast<std::size_t>(drop);
    std::string s = d.digits.substr(0, keep);
    if (d.digits[keep] >= '5') {
        // add one unit in the last kept place
        std::size_t k = s.size();
        while (k > 0 && s[k - 1] == '9') s[--k] = '0';
        if (k == 0)
            s.insert(s.begin(), '1');
        else
            ++s[k - 1];
    }
    const std::size_t firstNonZero = s.find_first_not_of('0');
    return firstNonZero == std::string::npos ? std::string() : s.substr(firstNonZero);
}

// "[-]int sep frac" from the digits of value * 10^decimals; no minus on zero, no leading zero.
void appendFixed(std::string& out, bool negative, std::string_view scaledDigits, int decimals,
                 const NumberLocale& locale) {
    if (negative && !scaledDigits.empty()) out += '-';
    const std::size_t n = scaledDigits.size();
    const std::size_t d = static_cast<std::size_t>(decimals);
    if (n > d) out.append(scaledDigits.substr(0, n - d));
    out += locale.decimalSeparator;
    if (n < d) out.append(d - n, '0');
    out.append(n >= d ? scaledDigits.substr(n - d) : scaledDigits);
}

}  // namespace

std::optional<DecimalText> readDecimalText(std::string_view text, const NumberLocale& locale) {
    return readDecimal(text, locale);
}

std::string formatShortest(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0";
    char buf[400];  // the 309 digits of the largest double, or 324 decimals of the smallest
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    return std::string(buf, res.ptr);
}

std::optional<double> parseNumber(std::string_view text, const NumberLocale& locale) {
    const std::optional<DecimalText> d = readDecimal(text, locale);
    if (!d) return std::nullopt;
    return toDouble(*d);
}

std::string formatInputPattern(std::string_view text, const NumberLocale& locale) {
    const std::optional<DecimalText> d = readDecimal(text, locale);
    if (!d || !toDouble(*d)) return std::string(text);
    std::string out;
    appendFixed(out, d->negative, roundedHalfAway(*d, 4), 4, locale);
    return out;
}

char* writeResult(char* dst, double value, int roundDecimals, int maskDecimals,
                  std::string_view decimalSeparator) {
    if (!std::isfinite(value)) {
        return copyText(dst, std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity"));
    }
    roundDecimals = clampDecimals(roundDecimals);
    maskDecimals = clampDecimals(maskDecimals);
    const bool negative = std::signbit(value);
    const double ax = std::fabs(value);
    if (ax >= kTwoPow53) {  // a whole number: its exact digits, then zero decimals
        if (negative) *dst++ = '-';
        dst = std::to_chars(dst, dst + 320, ax, std::chars_format::fixed, 0).ptr;
        dst = copyText(dst, decimalSeparator);
        for (int i = 0; i < maskDecimals; ++i) *dst++ = '0';
        return dst;
    }

    // First the rounding to roundDecimals places (ties to even, exact binary value) ...
    u128 scaled = scaledHalfEven(ax, roundDecimals);
    // ... then the mask, half away from zero on the decimal value of that rounded number.
    if (maskDecimals < roundDecimals) {
        const std::uint64_t div = kPow10[roundDecimals - maskDecimals];
        scaled = (scaled + div / 2) / div;
    } else if (maskDecimals > roundDecimals) {
        scaled *= kPow10[maskDecimals - roundDecimals];
    }
    const std::uint64_t unit = kPow10[maskDecimals];
    const std::uint64_t whole = static_cast<std::uint64_t>(scaled / unit);  // below 2^53
    std::uint64_t frac = static_cast<std::uint64_t>(scaled - whole * unit);

    // "[-][whole]<sep>frac": no leading zero, no minus on a value shown as zero.
    if (negative && scaled != 0) *dst++ = '-';
    if (whole != 0) {
        dst += decimalDigits(whole);
        writeDigitsBackwards(dst, whole);
    }
    dst = copyText(dst, decimalSeparator);
    for (int i = maskDecimals - 1; i >= 0; --i) {
        dst[i] = static_cast<char>('0' + frac % 10);
        frac /= 10;
    }
    return dst + maskDecimals;
}

void appendResult(std::string& out, double value, int roundDecimals, int maskDecimals,
                  const NumberLocale& locale) {
    const std::string& separator = locale.decimalSeparator;
    char buf[kMaxResultText];
    std::string large;
    char* first = buf;
    if (separator.size() > 32) {
        large.resize(kMaxResultText + separator.size());
        first = large.data();
    }
    const char* end = writeResult(first, value, roundDecimals, maskDecimals, separator);
    out.append(first, static_cast<std::size_t>(end - first));
}

std::string formatResult(double value, int roundDecimals, int maskDecimals,
                         const NumberLocale& locale) {
    std::string out;
    appendResult(out, value, roundDecimals, maskDecimals, locale);
    return out;
}

const NumberLocale& NumberLocale::c() {
    static const NumberLocale locale{".", ","};
    return locale;
}

const NumberLocale& NumberLocale::plain() {
    static const NumberLocale locale{".", ""};
    return locale;
}

double shownResult(double value, int roundDecimals, int maskDecimals) {
    if (!std::isfinite(value)) return value;
    char text[kMaxResultText];
    const char* end = writeResult(text, value, roundDecimals, maskDecimals, ".");
    return parseNumber(std::string_view(text, static_cast<std::size_t>(end - text)),
                       NumberLocale::plain())
        .value_or(value);
}

std::string formatConverted(double value, int decimals, const NumberLocale& locale) {
    if (!std::isfinite(value)) return {};
    decimals = clampDecimals(decimals);
    // The cell text with `decimals` places both ways, then without the fraction's trailing
    // zeros (and the separator when none is left) and with a "0" before the separator.
    std::string text = formatResult(value, decimals, decimals, locale);
    const std::size_t separatorAt =
        text.size() - static_cast<std::size_t>(decimals) - locale.decimalSeparator.size();
    const std::size_t lastDigit = text.find_last_not_of('0');
    text.resize(lastDigit < separatorAt + locale.decimalSeparator.size() ? separatorAt
                                                                         : lastDigit + 1);
    const std::size_t integerAt = text.starts_with('-') ? 1 : 0;
    if (text.size() == integerAt ||
        text.compare(integerAt, locale.decimalSeparator.size(), locale.decimalSeparator) == 0)
        text.insert(integerAt, 1, '0');
    return text;
}

}  // namespace bpd
