#pragma once
// The number texts of the program, exact to the character.
//
// Every text is decided on the decimal value of the number, never by printf of a binary
// double: a value that rounds to 59.4550 prints 59.46. The window passes the separators of
// the user's locale; the command line passes the C locale (NumberLocale::c()).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bpd {

struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";

    // The plain "C" numbers of the command line, the tables and the engine's own texts:
    // "." and "," ...
    static const NumberLocale& c();
    // ... and "." without grouping, for texts that never group (plan sizes, plain input).
    static const NumberLocale& plain();
};

// The numeric test of the input fields: optional surrounding blanks, an optional sign,
// digits with at most one decimal separator, optional group separators, an optional
// exponent ("1e3"). Empty text, any other character, "inf", "nan", hexadecimal forms and
// values beyond the range of a double are not numbers. Group separators count only where
// they group the integer part: a first group of one to three digits (not starting with 0),
// then groups of exactly three ("1,234.5", "12,345,678"); "4,5", "12,34" or "0,500" under
// the C separators are not numbers. A value too small for a double reads as 0. Pass an
// empty group separator for plain numbers without grouping.
std::optional<double> parseNumber(std::string_view text, const NumberLocale& locale);

// A number text's exact decimal value, value = digits x 10^scale, as parseNumber reads it.
struct DecimalText {
    bool negative = false;
    std::string digits;      // significant digits, no leading zeros; empty for zero
    std::int64_t scale = 0;  // power of ten of the last digit
};
std::optional<DecimalText> readDecimalText(std::string_view text, const NumberLocale& locale);

// The shortest plain decimal text that reads back as value: "." as the separator, no
// exponent, no grouping, a leading "0" below 1 (4.5 -> "4.5", 110 -> "110", 0.0711 ->
// "0.0711"). Zero is "0" (never "-0"); a non-finite value gives the empty text.
std::string formatShortest(double value);

// The ".0000" input pattern: a text that reads as a number becomes that number with exactly
// four decimals, halves away from zero, no leading zero, a minus sign when negative
// (4 -> "4.0000", 0.01 -> ".0100", -0.5 -> "-.5000"); any other text comes back unchanged.
// The half is decided on the decimal digits of the text as typed ("1.00005" -> "1.0001"); a
// value that rounds to zero carries no minus sign.
std::string formatInputPattern(std::string_view text, const NumberLocale& locale);

// A result cell: round to roundDecimals (ties to even), then the mask with maskDecimals
// ("#.00" is 2, "#.000" is 3), the last digit rounded half away from zero; no leading zero,
// no group separator, never an exponent (8 -> "8.00", 0.7142857 -> ".714", 0 -> ".00").
// Decimals are clamped to 0..9. A non-finite value (never produced by a run, whose faults stop
// it first) is written "NaN", "Infinity" or "-Infinity".
std::string formatResult(double value, int roundDecimals, int maskDecimals,
                         const NumberLocale& locale);
// The same text appended to out.
void appendResult(std::string& out, double value, int roundDecimals, int maskDecimals,
                  const NumberLocale& locale);

// Room that writeResult needs besides the separator: a sign, the 309 digits of the largest
// double and 9 decimals. With a separator of up to 32 bytes kMaxResultText is enough.
inline constexpr std::size_t kMaxResultText = 360;
// The same text written to dst (room for kMaxResultText - 32 + separator bytes); returns
// the end of the text. For writers that lay many cells end to end without strings.
char* writeResult(char* dst, double value, int roundDecimals, int maskDecimals,
                  std::string_view decimalSeparator);

// The number a result cell shows: value rounded as formatResult rounds it, read back as the
// double nearest to that decimal (59.455 at 4 and 2 decimals -> 59.46). A non-finite value
// comes back as it is.
double shownResult(double value, int roundDecimals, int maskDecimals);

// A unit-switch conversion text: round to decimals places (ties to even), then the shortest
// plain decimal form with a leading "0" below 1 (101.6 -> "101.6", 4 -> "4", 0.0711 -> "0.0711").
// A zero result is "0" (never "-0"); decimals are clamped to 0..9; a non-finite value gives the
// empty text (which does not read as a number).
std::string formatConverted(double value, int decimals, const NumberLocale& locale);

}  // namespace bpd
