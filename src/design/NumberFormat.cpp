#include "NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

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

// Decimal digits of v, most significant first, into the end of buf; returns the first digit.
char* writeDigitsBackwards(char* end, u128 v) {
    char* p = end;
    while (v > std::numeric_limits<std::uint64_t>::max()) {
        const u128 q = v / 10000000000000000000ULL;  // 10^19, one 128-bit division per chunk
        std::uint64_t chunk = static_cast<std::uint64_t>(v - q * 10000000000000000000ULL);
        for (int i = 0; i < 19; ++i) {
            *--p = static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
        v = q;
    }
    std::uint64_t w = static_cast<std::uint64_t>(v);
    do {
        *--p = static_cast<char>('0' + w % 10);
        w /= 10;
    } while (w != 0);
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

// Exact digits of a whole-numbered double (|v| >= 2^53). The value has no fraction, so this
// writes digits only; no rounding is decided here.
std::string wholeDigits(double ax) {
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::fixed, 0);
    return std::string(buf, res.ptr);
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

// "[-]int sep frac" from the digits of value * 10^decimals; no minus on zero.
void appendFixed(std::string& out, bool negative, std::string_view scaledDigits, int decimals,
                 const NumberLocale& locale, bool leadingZero, bool trimZeros) {
    if (negative && !scaledDigits.empty()) out += '-';
    const std::size_t n = scaledDigits.size();
    const std::size_t d = static_cast<std::size_t>(decimals);
    if (n > d)
        out.append(scaledDigits.substr(0, n - d));
    else if (leadingZero)
        out += '0';
    std::string frac;
    if (n >= d) {
        frac.assign(scaledDigits.substr(n - d));
    } else {
        frac.assign(d - n, '0');
        frac.append(scaledDigits);
    }
    if (trimZeros) {
        const std::size_t last = frac.find_last_not_of('0');
        frac.resize(last == std::string::npos ? 0 : last + 1);
        if (frac.empty()) return;
    }
    out += locale.decimalSeparator;
    out += frac;
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
    appendFixed(out, d->negative, roundedHalfAway(*d, 4), 4, locale, false, false);
    return out;
}

namespace {

// Two decimal digits at a time for the common case.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

char* writeDigitsBackwards64(char* end, std::uint64_t v) {
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

// The common case of a result cell: |value| < 10^14 and at most 4 decimals of rounding, so
// value * 10^d is an integer below 2^63 and all arithmetic fits 64 bits.
std::uint64_t scaledHalfEven64(double ax, int decimals) {
    const std::uint64_t bits = std::bit_cast<std::uint64_t>(ax);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & ((1ULL << 52) - 1);
    int exponent;
    if (biased == 0) {
        exponent = -1074;
    } else {
        mantissa |= 1ULL << 52;
        exponent = biased - 1075;
    }
    const std::uint64_t product = mantissa * kPow5[decimals];  // < 2^63 for decimals <= 4
    const int shift = exponent + decimals;
    if (shift >= 0) return product << shift;
    const int s = -shift;
    if (s >= 64) return 0;  // below one half
    const std::uint64_t quotient = product >> s;
    const std::uint64_t remainder = product - (quotient << s);
    const std::uint64_t half = 1ULL << (s - 1);
    if (remainder > half || (remainder == half && (quotient & 1) != 0)) return quotient + 1;
    return quotient;
}

char* copyText(char* dst, std::string_view text) {
    for (const char c : text) *dst++ = c;
    return dst;
}

// Any other value: whole numbers from 2^53 up, 128-bit scaling, more decimals, non-finite.
[[gnu::noinline]] char* writeResultAnyValue(char* dst, double value, int roundDecimals,
                                            int maskDecimals, std::string_view separator) {
    if (!std::isfinite(value)) {
        return copyText(dst, std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity"));
    }
    roundDecimals =
        roundDecimals < 0 ? 0 : (roundDecimals > kMaxDecimals ? kMaxDecimals : roundDecimals);
    maskDecimals =
        maskDecimals < 0 ? 0 : (maskDecimals > kMaxDecimals ? kMaxDecimals : maskDecimals);
    const bool negative = std::signbit(value);
    const double ax = std::fabs(value);

    if (ax >= kTwoPow53) {  // a whole number: its exact digits, then zero decimals
        if (negative) *dst++ = '-';
        dst = std::to_chars(dst, dst + 320, ax, std::chars_format::fixed, 0).ptr;
        dst = copyText(dst, separator);
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
    const u128 whole = scaled / unit;
    std::uint64_t frac = static_cast<std::uint64_t>(scaled - whole * unit);

    char buf[64];
    char* const end = buf + sizeof buf;
    char* first = end;
    if (whole != 0) first = writeDigitsBackwards(end, whole);
    if (negative && scaled != 0) *dst++ = '-';
    dst = copyText(dst, std::string_view(first, static_cast<std::size_t>(end - first)));
    dst = copyText(dst, separator);
    for (int i = maskDecimals - 1; i >= 0; --i) {
        dst[i] = static_cast<char>('0' + frac % 10);
        frac /= 10;
    }
    return dst + maskDecimals;
}

}  // namespace

namespace {

// Copies a short text without a library call.
inline char* copyShort(char* dst, const char* src, std::size_t n) {
    while (n >= 8) {
        std::memcpy(dst, src, 8);
        dst += 8;
        src += 8;
        n -= 8;
    }
    if (n & 4) {
        std::memcpy(dst, src, 4);
        dst += 4;
        src += 4;
    }
    if (n & 2) {
        std::memcpy(dst, src, 2);
        dst += 2;
        src += 2;
    }
    if (n & 1) *dst++ = *src;
    return dst;
}

inline int decimalDigits(std::uint64_t v) {
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

// The common case (every cell of a usual table): |value| < 10^14, so value * 10^R is an
// integer below 2^63, and all arithmetic runs in 64 bits with constant divisors.
template <int R, int M>
char* writeResultFast(char* dst, double value, std::string_view separator) {
    static_assert(R <= 4 && M <= 4);
    const double ax = std::fabs(value);
    // First the rounding to R places (ties to even, exact binary value) ...
    std::uint64_t scaled = scaledHalfEven64(ax, R);
    // ... then the mask, half away from zero on the decimal value of that rounded number.
    if constexpr (M < R) {
        constexpr std::uint64_t div = kPow10[R - M];
        scaled = (scaled + div / 2) / div;
    } else if constexpr (M > R) {
        scaled *= kPow10[M - R];
    }
    constexpr std::uint64_t unit = kPow10[M];
    const std::uint64_t whole = scaled / unit;
    std::uint64_t frac = scaled - whole * unit;

    // "[-][whole]<sep>frac": no leading zero, no minus on a value shown as zero.
    if (std::signbit(value) && scaled != 0) *dst++ = '-';
    if (whole != 0) {
        const int n = decimalDigits(whole);
        writeDigitsBackwards64(dst + n, whole);
        dst += n;
    }
    if (separator.size() == 1) {
        *dst++ = separator[0];
    } else {
        dst = copyShort(dst, separator.data(), separator.size());
    }
    for (int i = M - 1; i >= 0; --i) {
        dst[i] = static_cast<char>('0' + frac % 10);
        frac /= 10;
    }
    return dst + M;
}

}  // namespace

char* writeResult(char* dst, double value, int roundDecimals, int maskDecimals,
                  std::string_view decimalSeparator) {
    if (std::fabs(value) < 1e14) {  // false for NaN
        switch (roundDecimals * 10 + maskDecimals) {
            case 42:
                return writeResultFast<4, 2>(dst, value, decimalSeparator);
            case 43:
                return writeResultFast<4, 3>(dst, value, decimalSeparator);
            case 22:
                return writeResultFast<2, 2>(dst, value, decimalSeparator);
            default:
                break;
        }
    }
    return writeResultAnyValue(dst, value, roundDecimals, maskDecimals, decimalSeparator);
}

void appendResult(std::string& out, double value, int roundDecimals, int maskDecimals,
                  const NumberLocale& locale) {
    const std::string& separator = locale.decimalSeparator;
    if (separator.size() <= 32) {
        char buf[kMaxResultText];
        const char* end = writeResult(buf, value, roundDecimals, maskDecimals, separator);
        out.append(buf, static_cast<std::size_t>(end - buf));
        return;
    }
    std::string buf(kMaxResultText + separator.size(), '\0');
    const char* end = writeResult(buf.data(), value, roundDecimals, maskDecimals, separator);
    out.append(buf.data(), static_cast<std::size_t>(end - buf.data()));
}

std::string formatResult(double value, int roundDecimals, int maskDecimals,
                         const NumberLocale& locale) {
    std::string out;
    appendResult(out, value, roundDecimals, maskDecimals, locale);
    return out;
}

std::string formatConverted(double value, int decimals, const NumberLocale& locale) {
    if (!std::isfinite(value)) return {};
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;
    const bool negative = std::signbit(value);
    const double ax = std::fabs(value);
    std::string out;
    if (ax >= kTwoPow53) {
        if (negative) out += '-';
        out += wholeDigits(ax);
        return out;
    }
    const u128 scaled = scaledHalfEven(ax, decimals);
    char buf[64];
    char* end = buf + sizeof buf;
    const char* first = writeDigitsBackwards(end, scaled);
    const std::string_view digits =
        scaled == 0 ? std::string_view()
                    : std::string_view(first, static_cast<std::size_t>(end - first));
    if (digits.empty()) return "0";
    appendFixed(out, negative, digits, decimals, locale, true, true);
    return out;
}

}  // namespace bpd
