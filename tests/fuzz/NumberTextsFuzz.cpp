// The numeric test, the ".0000" input pattern and the result texts on arbitrary input.
//
// The first byte picks the locale (including multi-byte separators); the rest is the text.
// Beyond not crashing, the texts must agree with one another:
//  - a text that reads as a number keeps reading as (nearly) the same number after the
//    input pattern, and the pattern of a non-number is the text itself;
//  - the result text of a number reads back within half a unit of its last place;
//  - in a number, each group separator stands before exactly three digits, and the text
//    without its group separators is the same number (a separator only groups).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "NumberFormat.h"

namespace {

const bpd::NumberLocale kLocales[] = {
    {".", ","},
    {",", "."},
    {"\xD9\xAB", "\xE2\x80\xAF"},  // Arabic decimal separator, narrow no-break space
    {".", ""},
    {",", "\xC2\xA0"},  // no-break space as group separator
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void fail() {
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bpd::NumberLocale& locale = kLocales[data[0] % std::size(kLocales)];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::optional<double> number = bpd::parseNumber(text, locale);
    const std::string pattern = bpd::formatInputPattern(text, locale);
    if (!number) {
        if (pattern != text) fail();
        return 0;
    }
    if (!std::isfinite(*number)) fail();

    const std::string& group = locale.groupSeparator;
    if (!group.empty()) {
        std::string plain;
        std::size_t from = 0;
        for (std::size_t at = text.find(group); at != std::string_view::npos;
             at = text.find(group, from)) {
            const std::string_view after = text.substr(at + group.size());
            if (after.size() < 3 || !isDigit(after[0]) || !isDigit(after[1]) ||
                !isDigit(after[2]) || (after.size() > 3 && isDigit(after[3])))
                fail();
            plain.append(text.substr(from, at - from));
            from = at + group.size();
        }
        plain.append(text.substr(from));
        const std::optional<double> ungrouped =
            bpd::parseNumber(plain, bpd::NumberLocale{locale.decimalSeparator, ""});
        if (!ungrouped || *ungrouped != *number) fail();
    }

    // The pattern text is a number again, within half of its fourth decimal.
    const std::optional<double> reread = bpd::parseNumber(pattern, locale);
    if (!reread) fail();
    const double tolerance = 0.00005 + std::fabs(*number) * 1e-15;
    if (!(std::fabs(*reread - *number) <= tolerance)) fail();

    // Result texts read back within their rounding; never an exponent.
    for (const int decimals : {2, 3}) {
        const std::string cell = bpd::formatResult(*number, 4, decimals, locale);
        if (cell.find_first_of("eE") != std::string::npos) fail();
        const std::optional<double> back =
            bpd::parseNumber(cell, bpd::NumberLocale{locale.decimalSeparator, ""});
        if (!back) fail();
        const double unit = decimals == 2 ? 0.005 : 0.0005;
        if (!(std::fabs(*back - *number) <= unit + 0.00005 + std::fabs(*number) * 1e-15)) fail();
    }
    const std::string converted = bpd::formatConverted(*number, 6, locale);
    if (!bpd::parseNumber(converted, bpd::NumberLocale{locale.decimalSeparator, ""})) fail();
    return 0;
}
