#include "NumberFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace bpd {

namespace {

using u128 = unsigned __int128;

constexpr std::uint64_t kPow10[] = {1ULL,
                                    10ULL,
                                    100ULL,
                                    1000ULL,
                                    10000ULL,
                                    100000ULL,
                                    1000000ULL,
                                    10000000ULL,
                                    100000000ULL,
                                    1000000000ULL};
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

void appendZeros(std::string& out, int n) { out.append(static_cast<std::size_t>(n), '0'); }

// A number read from text, kept as its decimal digits: value = digits * 10^scale.
struct DecimalText {
    bool negative = false;
    std::string digits;      // significant digits, no leading zeros; empty for zero
    std::int64_t scale = 0;  // power of ten of the last digit
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWith(std::string_view text, std::size_t pos, const std::string& prefix) {
    return !prefix.empty() && text.compare(pos, prefix.size(), prefix) == 0;
}

// The numeric test: [blanks][sign]digits[sep digits][e[sign]digits][blanks], with group
// separators between digits of the integer part. At least one digit in the mantissa.
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
    std::string& digits = d.digits;
    while (i < n) {
        const char c = text[i];
        if (isDigit(c)) {
            ++mantissaDigits;
            if (seenSeparator) ++fractionDigits;
            if (!(digits.empty() && c == '0')) digits.push_back(c);  // leading zeros add nothing
            ++i;
            continue;
        }
        if (!seenSeparator && startsWith(text, i, locale.decimalSeparator)) {
            seenSeparator = true;
            i += locale.decimalSeparator.size();
            continue;
        }
        if (!seenSeparator && startsWith(text, i, locale.groupSeparator)) {
            // Only between digits of the integer part.
            const std::size_t next = i + locale.groupSeparator.size();
            if (i == 0 || !isDigit(text[i - 1]) || next >= n || !isDigit(text[next])) {
                return std::nullopt;
            }
            i = next;
            continue;
        }
        break;
    }
    if (mantissaDigits == 0) return std::nullopt;

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
    if (mag > 400) return std::nullopt;                    // far beyond the range of a double
    if (mag < -400) return d.negative ? -0.0 : 0.0;         // far below the smallest subnormal
    // Normalised form "digits e scale" for the exact, correctly rounded conversion.
    std::string buf;
    buf.reserve(d.digits.size() + 24);
    buf += d.digits;
    buf += 'e';
    char expBuf[24];
    const auto res = std::to_chars(expBuf, expBuf + sizeof expBuf, d.scale);
    buf.append(expBuf, res.ptr);
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
        if (k == 0) s.insert(s.begin(), '1');
        else ++s[k - 1];
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
    if (n > d) out.append(scaledDigits.substr(0, n - d));
    else if (leadingZero) out += '0';
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

void appendResult(std::string& out, double value, int roundDecimals, int maskDecimals,
                  const NumberLocale& locale) {
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
        return;
    }
    if (roundDecimals < 0) roundDecimals = 0;
    if (roundDecimals > kMaxDecimals) roundDecimals = kMaxDecimals;
    if (maskDecimals < 0) maskDecimals = 0;
    if (maskDecimals > kMaxDecimals) maskDecimals = kMaxDecimals;
    const bool negative = std::signbit(value);
    const double ax = std::fabs(value);

    if (ax >= kTwoPow53) {
        if (negative) out += '-';
        out += wholeDigits(ax);
        out += locale.decimalSeparator;
        appendZeros(out, maskDecimals);
        return;
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

    char buf[64];
    char* end = buf + sizeof buf;
    const std::uint64_t unit = kPow10[maskDecimals];
    const u128 whole = scaled / unit;
    const std::uint64_t frac = static_cast<std::uint64_t>(scaled - whole * unit);

    if (negative && scaled != 0) out += '-';
    if (whole != 0) {
        const char* first = writeDigitsBackwards(end, whole);
        out.append(first, static_cast<std::size_t>(end - first));
    }
    out += locale.decimalSeparator;
    if (maskDecimals > 0) {
        char fracBuf[16];
        std::uint64_t f = frac;
        for (int i = maskDecimals - 1; i >= 0; --i) {
            fracBuf[i] = static_cast<char>('0' + f % 10);
            f /= 10;
        }
        out.append(fracBuf, static_cast<std::size_t>(maskDecimals));
    }
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
        scaled == 0 ? std::string_view() : std::string_view(first, static_cast<std::size_t>(end - first));
    if (digits.empty()) return "0";
    appendFixed(out, negative, digits, decimals, locale, true, true);
    return out;
}

}  // namespace bpd
