// The unit switch's arithmetic: which fields it converts, by which factor, to how many
// decimals, and that a text that does not read as a number stops the switch before anything.

#include <gtest/gtest.h>

#include "TableTestSupport.h"
#include "UnitSwitch.h"

namespace bpd {
namespace {

using test::cLocale;

struct SwitchCase {
    const char* name;
    UnitSystem target;
    InputTexts before;
    InputTexts after;
};

class UnitSwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(UnitSwitchTest, ConvertsTheFourFieldsAndKeepsTheAngle) {
    const SwitchCase& c = GetParam();
    const SwitchedTexts switched = switchedTexts(c.before, c.target, cLocale());
    EXPECT_FALSE(switched.notNumeric);
    for (const InputRule& input : kInputs)
        EXPECT_EQ(input.of(switched.texts), input.of(c.after)) << input.name;
}

const SwitchCase kSwitchCases[] = {
    // The opening values: 4 in. is 101.59999932944 mm, kept to 4 decimals; dh keeps 6.
    {"OpeningToSi",
     UnitSystem::SI,
     {"4.00", "4.00", ".01", "0.0711", "7.13"},
     {"101.6", "101.6", ".01", "1.80594", "31.7212"}},
    // And back: the opening texts' two decimals are not restored.
    {"BackToImperial",
     UnitSystem::Imperial,
     {"101.6", "101.6", ".01", "1.80594", "31.7212"},
     {"4", "4", ".01", "0.0711", "7.13"}},
    // Validated texts; the angle is not even read.
    {"ValidatedToSi",
     UnitSystem::SI,
     {"12.5000", "1.0000", "abc", ".0000", ".0000"},
     {"317.5", "25.4", "abc", "0", "0"}},
    // Ties go to the even digit: 0.5 mm is 0.019685039500 in., 0.01968504 at 4 -> 0.0197.
    {"SmallToImperial",
     UnitSystem::Imperial,
     {"0.5", "1", "0", "0.5", "1"},
     {"0.0197", "0.0394", "0", "0.019685", "0.2248"}},
};

BPD_CASE_TABLE(Cases, UnitSwitchTest, SwitchCase, kSwitchCases);

TEST(UnitSwitch, EachDirectionIsOneOperationByItsFactor) {
    EXPECT_EQ(convertToSystem(4, QuantityKind::Length, UnitSystem::SI), 4 / IN_PER_MM);
    EXPECT_EQ(convertToSystem(101.6, QuantityKind::Length, UnitSystem::Imperial),
              101.6 * IN_PER_MM);
    EXPECT_EQ(convertToSystem(7.13, QuantityKind::Load, UnitSystem::SI), 7.13 / KIPS_PER_KN);
    EXPECT_EQ(convertToSystem(1, QuantityKind::Load, UnitSystem::Imperial), KIPS_PER_KN);
}

TEST(UnitSwitch, ConvertsInTheOrderB1W1DhVapWithTheirDecimals) {
    ASSERT_EQ(kSwitchedInputs.size(), 4u);
    EXPECT_EQ(kSwitchedInputs[0].rule.input, Input::b1);
    EXPECT_EQ(kSwitchedInputs[1].rule.input, Input::w1);
    EXPECT_EQ(kSwitchedInputs[2].rule.input, Input::dh);
    EXPECT_EQ(kSwitchedInputs[3].rule.input, Input::Vap);
    EXPECT_EQ(kSwitchedInputs[2].decimals, 6);
    EXPECT_EQ(kSwitchedInputs[3].kind, QuantityKind::Load);
}

// A text that does not read as a number names the first such field in the switch's order and
// leaves every text as it was.
TEST(UnitSwitch, AnUnreadableTextChangesNothing) {
    struct Bad {
        InputTexts texts;
        Input first;
    };
    const Bad cases[] = {
        {{"4", "", "1", "1", "1"}, Input::b1},
        {{"x", "4", "1", "1", "1"}, Input::w1},
        {{"x", "4", "1", "", "1"}, Input::w1},  // b1 is fine, w1 comes before dh
        {{"4", "4", "1", "1", "1,5"}, Input::Vap},
    };
    for (const Bad& bad : cases) {
        const SwitchedTexts switched = switchedTexts(bad.texts, UnitSystem::SI, cLocale());
        ASSERT_TRUE(switched.notNumeric);
        EXPECT_EQ(*switched.notNumeric, bad.first);
        for (const InputRule& input : kInputs)
            EXPECT_EQ(input.of(switched.texts), input.of(bad.texts)) << input.name;
    }
}

TEST(UnitSwitch, ReadsAndWritesTheLocalesSeparator) {
    const NumberLocale german{",", "."};
    const SwitchedTexts switched =
        switchedTexts({"4,00", "4,00", ",01", "0,0711", "7,13"}, UnitSystem::SI, german);
    ASSERT_FALSE(switched.notNumeric);
    EXPECT_EQ(switched.texts.w1, "101,6");
    EXPECT_EQ(switched.texts.dh, "1,80594");
    EXPECT_EQ(switched.texts.Vap, "31,7212");
    EXPECT_EQ(switched.texts.A, ",01");
}

}  // namespace
}  // namespace bpd
