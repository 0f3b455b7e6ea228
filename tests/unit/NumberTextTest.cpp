// Number texts: the numeric test, the ".0000" input pattern, result cells and unit-switch texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <random>
#include <string>

#include "NumberFormat.h"
#include "TableTestSupport.h"
#include "Units.h"

namespace bpd {
namespace {

const NumberLocale kC{".", ","};
const NumberLocale kGerman{",", "."};
const NumberLocale kPlain{".", ""};
// Multi-byte separators: Arabic decimal separator U+066B, narrow no-break space U+202F.
const NumberLocale kArabic{"\xD9\xAB", "\xE2\x80\xAF"};

// ---- the numeric test -------------------------------------------------------------------

struct ParseCase {
    const char* name;
    const char* text;
    std::optional<double> expected;
    const NumberLocale* locale = &kC;
};
class NumericTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(NumericTest, ReadsOrRejects) {
    const ParseCase& c = GetParam();
    const std::optional<double> got = parseNumber(c.text, *c.locale);
    ASSERT_EQ(got.has_value(), c.expected.has_value()) << "text: \"" << c.text << "\"";
    if (got) {
        EXPECT_EQ(*got, *c.expected) << "text: \"" << c.text << "\"";
    }
}

const ParseCase kParseCases[] = {
    {"Integer", "4", 4.0},
    {"SurroundingBlanks", "  4 \t", 4.0},
    {"MinusSign", "-4.5", -4.5},
    {"PlusSign", "+7.13", 7.13},
    {"NoLeadingDigit", ".01", 0.01},
    {"NoDigitAfterSeparator", "5.", 5.0},
    {"Zero", "0", 0.0},
    {"ZeroWithDecimals", ".0000", 0.0},
    {"GroupSeparators", "1,000,000.25", 1000000.25},
    {"Exponent", "1e3", 1000.0},
    {"ExponentUpperCaseNegative", "2.5E-3", 0.0025},
    {"ExponentPlus", "1.5e+2", 150.0},
    {"LargestDouble", "1.7976931348623157e308", std::numeric_limits<double>::max()},
    {"TinyReadsAsZero", "1e-400", 0.0},
    {"ManyDigitsCorrectlyRounded", "0.1000000000000000055511151231257827", 0.1},
    {"GermanLocale", "1.000,5", 1000.5, &kGerman},
    {"MultiByteSeparators",
     "1\xE2\x80\xAF"
     "000\xD9\xAB"
     "25",
     1000.25, &kArabic},
    {"EmptyText", "", std::nullopt},
    {"OnlyBlanks", "   ", std::nullopt},
    {"OnlySign", "-", std::nullopt},
    {"OnlySeparator", ".", std::nullopt},
    {"Letters", "abc", std::nullopt},
    {"UnitAfterNumber", "4 kips", std::nullopt},
    {"Inf", "inf", std::nullopt},
    {"Infinity", "-Infinity", std::nullopt},
    {"NaN", "nan", std::nullopt},
    {"Hexadecimal", "0x10", std::nullopt},
    {"HexadecimalFloat", "0x1p3", std::nullopt},
    {"BasicHexadecimal", "&H10", std::nullopt},
    {"TwoSeparators", "1.2.3", std::nullopt},
    {"DoubleSign", "--1", std::nullopt},
    {"ExponentWithoutDigits", "1e", std::nullopt},
    {"ExponentWithoutMantissa", "e3", std::nullopt},
    {"LeadingGroupSeparator", ",100", std::nullopt},
    {"TrailingGroupSeparator", "100,", std::nullopt},
    {"DoubledGroupSeparator", "1,,000", std::nullopt},
    {"GroupSeparatorInFraction", "1.000,5", std::nullopt},
    {"InnerBlank", "1 000", std::nullopt},
    {"BeyondDoubleRange", "1e400", std::nullopt},
    {"BeyondDoubleRangeNegative", "-1.8e308", std::nullopt},
    {"HugeExponent", "1e99999999999999999999", std::nullopt},
    // A group separator counts only where it groups: 1 to 3 digits, then groups of 3.
    {"GroupedWithDecimals", "1,234.5", 1234.5},
    {"GroupedWithExponent", "-12,345e1", -123450.0},
    {"GermanGroupedWithDecimals", "1.234,5", 1234.5, &kGerman},
    {"GermanTwoGroups", "12.345.678", 12345678.0, &kGerman},
    {"CommaAsDecimalInC", "4,5", std::nullopt},
    {"GroupOfTwo", "12,34", std::nullopt},
    {"GroupOfFour", "1,2345", std::nullopt},
    {"FirstGroupOfFour", "1234,567", std::nullopt},
    {"ShortGroupBeforeDecimals", "1,23.5", std::nullopt},
    {"ShortLastGroup", "1,234,56", std::nullopt},
    {"GroupAfterLeadingZero", "0,500", std::nullopt},
    {"PointInGermanLocaleIsNoNumber", "4.5", std::nullopt, &kGerman},
    {"NoGroupingWithoutGroupSeparator", "1,234", std::nullopt, &kPlain},
};

BPD_CASE_TABLE(Texts, NumericTest, ParseCase, kParseCases);

// ---- the ".0000" input pattern ----------------------------------------------------------

struct PatternCase {
    const char* name;
    const char* text;
    const char* expected;
    const NumberLocale* locale = &kC;
};
class InputPatternTest : public ::testing::TestWithParam<PatternCase> {};

TEST_P(InputPatternTest, Formats) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(formatInputPattern(c.text, *c.locale), c.expected) << "text: \"" << c.text << "\"";
}

const PatternCase kPatternCases[] = {
    {"Four", "4", "4.0000"},
    {"TwelveAndAHalf", "12.5", "12.5000"},
    {"OneHundredth", "0.01", ".0100"},
    {"Zero", "0", ".0000"},
    {"NegativeHalf", "-0.5", "-.5000"},
    {"RoundsHalfUp", "1.23456", "1.2346"},
    {"TooSmallToShow", "0.00004", ".0000"},
    {"HalfOnTheTypedDigits", "1.00005", "1.0001"},
    {"NegativeHalfAwayFromZero", "-1.00005", "-1.0001"},
    {"CarryIntoIntegerPart", "9.99995", "10.0000"},
    {"CarryFromZero", "0.99995", "1.0000"},
    {"NegativeRoundingToZeroHasNoSign", "-0.00004", ".0000"},
    {"OpeningWidth", "4.00", "4.0000"},
    {"OpeningDeformation", "0.0711", ".0711"},
    {"Blanks", "  7.13 ", "7.1300"},
    {"GroupSeparatorsDropped", "1,000", "1000.0000"},
    {"ExponentWrittenInFull", "1e20", "100000000000000000000.0000"},
    {"SmallExponent", "5e-5", ".0001"},
    {"EmptyStaysEmpty", "", ""},
    {"LettersStay", "abc", "abc"},
    {"InfStays", "inf", "inf"},
    {"OutOfRangeStays", "1e400", "1e400"},
    {"GermanSeparator", "4", "4,0000", &kGerman},
    {"GermanInput", "1.234,56789", "1234,5679", &kGerman},
    {"MultiByteSeparator",
     "0\xD9\xAB"
     "5",
     "\xD9\xAB"
     "5000",
     &kArabic},
};

BPD_CASE_TABLE(Texts, InputPatternTest, PatternCase, kPatternCases);

// ---- result cells: round (ties to even), then the mask (half away from zero) -----------

struct ResultCase {
    const char* name;
    double value;
    int roundDecimals;
    int maskDecimals;
    const char* expected;
    const NumberLocale* locale = &kC;
};
class ResultTextTest : public ::testing::TestWithParam<ResultCase> {};

TEST_P(ResultTextTest, Writes) {
    const ResultCase& c = GetParam();
    EXPECT_EQ(formatResult(c.value, c.roundDecimals, c.maskDecimals, *c.locale), c.expected)
        << "value " << c.value;
}

const ResultCase kResultCases[] = {
    {"Eight", 8.0, 4, 2, "8.00"},
    {"RotationFactor", 0.7142857, 4, 3, ".714"},
    {"Stress", 5202.5576, 4, 2, "5202.56"},
    {"Zero", 0.0, 4, 2, ".00"},
    {"ZeroRotationFactor", 0.0, 4, 3, ".000"},
    {"OneRotationFactor", 1.0, 4, 3, "1.000"},
    // 59.455 is 59.45499999999999829... in binary: it rounds to 59.4550 first, and the mask
    // then decides on that decimal value.
    {"DecidedOnTheRoundedDecimal", 59.455, 4, 2, "59.46"},
    {"DecidedOnTheRoundedDecimalToo", 2.675, 4, 2, "2.68"},
    {"JustBelowTheHalfAfterRounding", 59.45494, 4, 2, "59.45"},
    {"MaskHalfAwayFromZeroNegative", -59.455, 4, 2, "-59.46"},
    {"RotationMaskHalf", 0.0005, 4, 3, ".001"},
    // Es keeps 2 decimals: exact binary halves go to the even digit.
    {"StrainTieToEvenDown", 0.125, 2, 2, ".12"},
    {"StrainTieToEvenUp", 0.375, 2, 2, ".38"},
    {"StrainTieLarger", 56.875, 2, 2, "56.88"},
    {"StrainTieLargerDown", 56.625, 2, 2, "56.62"},
    {"StrainNoTie", 56.88, 2, 2, "56.88"},
    {"FourDecimalTieToEven", 0.03125, 4, 3, ".031"},
    {"NoLeadingZero", 0.41, 4, 2, ".41"},
    {"Negative", -0.02288, 4, 2, "-.02"},
    {"NegativeShownAsZeroHasNoSign", -0.004, 4, 2, ".00"},
    {"NegativeHalfRoundsAway", -0.005, 4, 2, "-.01"},
    {"NegativeZero", -0.0, 4, 2, ".00"},
    {"Subnormal", 5e-324, 4, 2, ".00"},
    {"MillionsInFull", 35870371.5512, 4, 2, "35870371.55"},
    {"StressLimitInNewtonsPerSquareMetre", 8500 / PSI_PER_NM2, 4, 2, "58605436.07"},
    {"SlidingStressLimitInNewtonsPerSquareMetre", 2500 / PSI_PER_NM2, 4, 2, "17236892.96"},
    {"NeverAnExponent", 1e20, 4, 2, "100000000000000000000.00"},
    {"NegativeHuge", -1e20, 4, 2, "-100000000000000000000.00"},
    {"TwoToTheEighty", 1208925819614629174706176.0, 4, 2, "1208925819614629174706176.00"},
    {"AboveSixtyFourBitsWithFraction", 1e15 + 0.375, 4, 2, "1000000000000000.38"},
    {"ScaledBeyondSixtyFourBits", 2e15 + 0.25, 4, 2, "2000000000000000.25"},
    {"LargestWithFraction", 4503599627370495.5, 4, 2, "4503599627370495.50"},
    {"GermanSeparator", 59.455, 4, 2, "59,46", &kGerman},
    {"MultiByteSeparator", 0.7142857, 4, 3,
     "\xD9\xAB"
     "714",
     &kArabic},
};

BPD_CASE_TABLE(Values, ResultTextTest, ResultCase, kResultCases);

TEST(ResultText, LargestDoubleIsWrittenDigitForDigit) {
    const std::string text = formatResult(std::numeric_limits<double>::max(), 4, 2, kC);
    EXPECT_EQ(text.size(), 309u + 3u);
    EXPECT_EQ(text.substr(0, 17), "17976931348623157");
    EXPECT_EQ(text.substr(text.size() - 8), "58368.00");
}

// The text of |value| by an independent route: glibc's printf rounds the exact binary value
// to `rounded` places with ties to even; the mask then rounds those decimal digits half away
// from zero.
std::string referenceCell(double value, int rounded, int masked, const std::string& separator) {
    char printed[400];
    std::snprintf(printed, sizeof printed, "%.*f", rounded, std::fabs(value));
    std::string digits = printed;  // value * 10^rounded
    digits.erase(std::remove(digits.begin(), digits.end(), '.'), digits.end());
    if (masked < rounded) {
        const std::size_t keep = digits.size() - static_cast<std::size_t>(rounded - masked);
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        for (std::size_t k = digits.size(); up; --k) {
            if (k == 0) {
                digits.insert(digits.begin(), '1');
                break;
            }
            if (digits[k - 1] != '9') {
                ++digits[k - 1];
                break;
            }
            digits[k - 1] = '0';
        }
    }
    digits.append(static_cast<std::size_t>(std::max(masked - rounded, 0)), '0');
    digits.insert(0, static_cast<std::size_t>(masked) + 1, '0');  // at least one integer digit
    const std::size_t point = digits.size() - static_cast<std::size_t>(masked);
    const std::size_t firstDigit = std::min(digits.find_first_not_of('0'), point);
    const bool shownAsZero = digits.find_first_not_of('0') == std::string::npos;
    std::string cell = std::signbit(value) && !shownAsZero ? "-" : "";
    cell += digits.substr(firstDigit, point - firstDigit);
    cell += separator;
    cell += digits.substr(point);
    return cell;
}

// A million values of every kind a cell meets (plain, decimal ties, binary ties, near the
// edges of 64-bit scaling and of 2^53, huge, tiny, signed zeros) with the decimals of the
// columns and others, under one- and multi-byte separators.
TEST(ResultText, AMillionValuesAgreeWithAnIndependentReference) {
    std::mt19937_64 random(20240611);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    auto pick = [&](int count) { return static_cast<int>(random() % count); };
    const std::string separators[] = {".", ",", "\xD9\xAB"};
    const int kColumnDecimals[][2] = {{4, 2}, {4, 3}, {2, 2}};
    for (int i = 0; i < 1'000'000; ++i) {
        double value = 0;
        switch (pick(6)) {
            case 0:  // any magnitude
                value = std::pow(10.0, uniform(-8, 22));
                break;
            case 1:  // a short decimal, often a tie of the mask or of the rounding
                value = static_cast<double>(random() % 100'000'000) / std::pow(10.0, pick(8));
                break;
            case 2:  // an exact binary tie: odd multiples of 2^-k
                value = static_cast<double>(2 * (random() % 1'000'000) + 1) / (1 << pick(12));
                break;
            case 3:  // around 2^64 / 10^4, where value * 10^4 leaves 64 bits, and 2^53
                value =
                    (pick(2) ? 1.8446744073709552e15 : 9007199254740992.0) * uniform(0.999, 1.001);
                break;
            case 4:  // the values of a usual table
                value = uniform(0, 60'000'000);
                break;
            default:  // raw bits: subnormals, huge values, zeros
                value = std::bit_cast<double>(random() >> pick(12));
                if (!std::isfinite(value)) value = 0;
                break;
        }
        if (pick(2)) value = -value;
        int rounded, masked;
        if (pick(4)) {
            const auto& column = kColumnDecimals[pick(3)];
            rounded = column[0];
            masked = column[1];
        } else {
            rounded = pick(10);
            masked = pick(10);
        }
        const std::string& separator = separators[pick(3)];
        const std::string expected = referenceCell(value, rounded, masked, separator);
        const NumberLocale locale{separator, ""};
        const std::string text = formatResult(value, rounded, masked, locale);
        if (text != expected) {
            ADD_FAILURE() << std::hexfloat << value << " rounded " << rounded << " masked "
                          << masked << ": " << text << " instead of " << expected;
            break;  // one is enough
        }
    }
}

TEST(ResultText, AppendAddsToTheBuffer) {
    std::string out = "x=";
    appendResult(out, 8.0, 4, 2, kC);
    EXPECT_EQ(out, "x=8.00");
}

// ---- unit-switch texts ------------------------------------------------------------------

struct ConvertedCase {
    const char* name;
    double value;
    int decimals;
    const char* expected;
    const NumberLocale* locale = &kC;
};
class ConvertedTextTest : public ::testing::TestWithParam<ConvertedCase> {};

TEST_P(ConvertedTextTest, Writes) {
    const ConvertedCase& c = GetParam();
    EXPECT_EQ(formatConverted(c.value, c.decimals, *c.locale), c.expected) << "value " << c.value;
}

const ConvertedCase kConvertedCases[] = {
    {"WidthToMillimetres", inchesToMm(4.0), 4, "101.6"},
    {"DeformationToMillimetres", inchesToMm(0.0711), 6, "1.80594"},
    {"LoadToKilonewtons", kipsToKn(7.13), 4, "31.7212"},
    {"WidthBackToInches", mmToInches(101.6), 4, "4"},
    {"DeformationBackToInches", mmToInches(1.80594), 6, "0.0711"},
    {"LoadBackToKips", knToKips(31.7212), 4, "7.13"},
    {"LeadingZeroBelowOne", 0.5, 4, "0.5"},
    {"NegativeBelowOne", -0.25, 4, "-0.25"},
    {"Zero", 0.0, 4, "0"},
    {"NegativeZero", -0.0, 4, "0"},
    {"RoundsToZero", 0.00004, 4, "0"},
    {"NegativeRoundsToZero", -0.00004, 4, "0"},
    {"TieToEvenDown", 0.03125, 4, "0.0312"},
    {"TieToEvenUp", 0.09375, 4, "0.0938"},
    {"SixDecimalTieToEven", 0.0078125, 6, "0.007812"},
    {"SixDecimalTieUp", 0.0234375, 6, "0.023438"},
    {"Whole", 12.0, 6, "12"},
    {"NeverAnExponent", 1e20, 4, "100000000000000000000"},
    {"GermanSeparator", 101.59999932944, 4, "101,6", &kGerman},
    {"NotFinite", std::numeric_limits<double>::infinity(), 4, ""},
};

BPD_CASE_TABLE(Values, ConvertedTextTest, ConvertedCase, kConvertedCases);

// Round trips that the window relies on: a pattern text reads back as the rounded number,
// and a converted text reads back as a number.
TEST(NumberTextRoundTrip, PatternTextReadsBack) {
    for (const char* text : {"4", "0.0711", "-0.5", "1.23456", "1e20", "123456.78915"}) {
        const std::string formatted = formatInputPattern(text, kC);
        const std::optional<double> original = parseNumber(text, kC);
        const std::optional<double> reread = parseNumber(formatted, kC);
        ASSERT_TRUE(original && reread) << text;
        EXPECT_NEAR(*reread, *original, 0.00005 * (1 + std::fabs(*original) * 1e-12)) << text;
    }
}

}  // namespace
}  // namespace bpd

namespace bpd {
namespace {

// Every text reads as the correctly rounded double of its decimal value, short or long.
TEST(NumericTestRounding, AgreesWithTheCorrectlyRoundedConversion) {
    std::uint64_t state = 12345;
    auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 33;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string digits = std::to_string(next() % 100000000);
        const std::size_t point = next() % (digits.size() + 1);
        std::string text(digits, 0, point);
        text += '.';
        text.append(digits, point, std::string::npos);
        const int extra = static_cast<int>(next() % 20);  // up to 27 digits in all
        for (int k = 0; k < extra; ++k) text += static_cast<char>('0' + next() % 10);
        if (next() % 3 == 0) {
            text += 'e';
            text += std::to_string(static_cast<int>(next() % 60) - 30);
        }
        if (text == "." || text.starts_with(".e")) continue;
        const std::optional<double> got = parseNumber(text, kC);
        ASSERT_TRUE(got) << text;
        EXPECT_EQ(*got, std::strtod(text.c_str(), nullptr)) << text;
    }
}

}  // namespace
}  // namespace bpd
