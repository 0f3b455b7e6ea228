// The design assistant of the engine: utilisation, the plan-size grid, the smallest passing
// pad against an exhaustive search through the window's own text path, the reasons when
// none passes, and the advice for a failing row.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "NumberFormat.h"
#include "PadSizing.h"
#include "RowAdvice.h"
#include "RowExplanation.h"
#include "TableTestSupport.h"
#include "ThicknessCatalogue.h"

namespace bpd {
namespace {

using test::cLocale;

double plain(const std::string& text) {
    return parseNumber(text, NumberLocale::plain()).value();
}

std::vector<std::string> texts(const std::vector<PlanSize>& sizes) {
    std::vector<std::string> out;
    for (const PlanSize& s : sizes) out.push_back(s.text);
    return out;
}

// ---- the plan-size grid ----

TEST(PlanSizes, ExactDecimalMultiplesUpToTheMaximum) {
    std::string error;
    const auto imperial = planSizes("0.5", "48", error).value();
    ASSERT_EQ(imperial.size(), 96u);
    EXPECT_EQ(imperial.front().text, "0.5");
    EXPECT_EQ(imperial[8].text, "4.5");
    EXPECT_EQ(imperial.back().text, "48");
    EXPECT_EQ(planSizes("10", "1200", error).value().size(), 120u);
    // 3 x 0.1 is 0.3, not 0.30000000000000004 (which would lie above the maximum).
    EXPECT_EQ(texts(planSizes("0.1", "0.3", error).value()),
              (std::vector<std::string>{"0.1", "0.2", "0.3"}));
    EXPECT_EQ(planSizes("0.1", "0.3", error).value()[2].value, 0.3);
    EXPECT_EQ(texts(planSizes("2.5e-1", "1.1", error).value()),
              (std::vector<std::string>{"0.25", "0.5", "0.75", "1"}));
    EXPECT_EQ(planSizes("48", "48", error).value().size(), 1u);
}

TEST(PlanSizes, RefusesWhatIsNoGrid) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"0", "48", "the step must be greater than 0"},
        {"-0.5", "48", "the step must be greater than 0"},
        {"0.5", "0.4", "the maximum must be at least one step"},
        {"0.001", "48",
         "more than 1000 sizes a dimension: choose a larger step or a smaller maximum"},
        {"4,5", "48", "the step and the maximum must be plain numbers"},
    };
    for (const auto& [step, maximum, reason] : cases) {
        std::string error;
        EXPECT_FALSE(planSizes(step, maximum, error)) << step << " " << maximum;
        EXPECT_EQ(error, reason);
    }
    std::string error;
    EXPECT_EQ(planSizes("0.048", "48", error).value().size(), kMaxPlanSizes);
}

// ---- utilisation and the governing check ----

TEST(RowExplanation, UtilisationGoverningCheckAndFailures) {
    struct Case {
        const char *w1, *A, *dh, *Vap;
        int row;
        const char *ucomp, *ushear, *governs;
        bool compressionFails, shearFails, byMethod;
    };
    const Case cases[] = {
        {"4", ".01", "0.0711", "7.13", 1, "12.0", "75.8", "shear", false, false, false},
        {"4", ".01", "0.0711", "7.13", 7, "23.0", "9.5", "compression", false, false, false},
        {"4", ".01", "0.1", "45", 1, "75.7", "106.7", "shear", false, true, false},
        {"4", ".01", "0.1", "45", 2, "104.4", "53.3", "compression", true, false, false},
        // No load: the shear check passes by the method, whatever Es (80 % here).
        {"4", ".01", "0.1", "0", 1, "0.0", "0.0", "compression", false, false, true},
        // Es exactly 75 % is the limit: utilisation 100.0 and the check passes.
        {"4", ".01", "0.75", "1", 7, "3.2", "100.0", "shear", false, false, false},
    };
    for (const Case& c : cases) {
        const ResultTable table =
            analyze(test::request(UnitSystem::Imperial, c.w1, c.w1, c.A, c.dh, c.Vap), cLocale());
        const ResultRow& row = table.rows.at(static_cast<std::size_t>(c.row - 1));
        const RowExplanation e = explainRow(row.values, plain(c.Vap));
        const auto shown = explanationTexts(e);
        SCOPED_TRACE(std::string(c.dh) + " " + c.Vap + " row " + std::to_string(c.row));
        EXPECT_EQ(shown[0], c.ucomp);
        EXPECT_EQ(shown[1], c.ushear);
        EXPECT_EQ(shown[2], c.governs);
        EXPECT_EQ(e.compressionFails, c.compressionFails);
        EXPECT_EQ(e.shearFails, c.shearFails);
        EXPECT_EQ(e.shearByMethod, c.byMethod);
    }
}

TEST(RowExplanation, VarOfZeroUnderALoadIsInfinite) {
    // A tiny pad at a huge angle: R x Vnr underflows to 0 without an arithmetic fault.
    const ResultTable table = analyze(
        test::request(UnitSystem::Imperial, "1e-10", "1e-10", "2e152", "0.1", "1", false, 1),
        cLocale());
    ASSERT_FALSE(table.fault);
    ASSERT_EQ(table.rows.at(0).values.Var, 0.0);
    const RowExplanation e = explainRow(table.rows[0].values, 1);
    EXPECT_TRUE(std::isinf(e.compression));
    EXPECT_EQ(explanationTexts(e)[0], "inf");
    EXPECT_EQ(explanationTexts(e)[2], "compression");
}

TEST(RowExplanation, PercentTexts) {
    const std::pair<double, const char*> cases[] = {
        {0.834, "83.4"}, {0, "0.0"},          {1, "100.0"},
        {0.0004, "0.0"}, {12.3456, "1234.6"}, {std::numeric_limits<double>::infinity(), "inf"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(formatUtilisation(value), text) << value;
}

// ---- sizing against an exhaustive search ----

struct SizingCase {
    const char* name;
    UnitSystem units;
    const char *A, *dh, *Vap;
    bool sliding;
    const char *step, *maximum;
    const char* fixedW1;  // nullptr: free
    const char* fixedB1;
    int selection;
};

// Every candidate through analyze(), the window's path from typed texts to the row, and
// the least under the rule (area, thickness, |w1 - b1|, w1).
struct Exhaustive {
    std::optional<std::tuple<std::string, std::string, int, RowTexts>> pad;
    std::int64_t candidates = 0;
};

Exhaustive exhaustiveSearch(const SizingCase& c, const std::vector<PlanSize>& sizes) {
    Exhaustive out;
    std::optional<std::tuple<std::int64_t, int, int, int>> best;
    const int n = static_cast<int>(sizes.size());
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            if ((c.fixedW1 || c.fixedB1) && i != j) continue;  // one free index then
            const std::string w1 = c.fixedW1 ? c.fixedW1 : sizes[static_cast<std::size_t>(i)].text;
            const std::string b1 = c.fixedB1 ? c.fixedB1 : sizes[static_cast<std::size_t>(j)].text;
            for (int p = 1; p <= ThicknessCatalogue::count; ++p) {
                if (c.selection != 0 && c.selection != p) continue;
                ++out.candidates;
                const ResultTable table = analyze(
                    test::request(c.units, w1.c_str(), b1.c_str(), c.A, c.dh, c.Vap, c.sliding, p),
                    cLocale());
                if (table.fault || table.rows.empty() || table.rows[0].cells[0] != "Pass") continue;
                const bool fixed = c.fixedW1 || c.fixedB1;
                const std::tuple<std::int64_t, int, int, int> key{
                    fixed ? j : std::int64_t{i + 1} * (j + 1), p, fixed ? 0 : std::abs(i - j), i};
                if (!best || key < *best) {
                    best = key;
                    out.pad = std::make_tuple(w1, b1, p, table.rows[0].cells);
                }
            }
        }
    }
    return out;
}

class SizingTest : public ::testing::TestWithParam<SizingCase> {};

TEST_P(SizingTest, FindsWhatTheExhaustiveSearchFinds) {
    const SizingCase& c = GetParam();
    std::string error;
    const std::vector<PlanSize> sizes = planSizes(c.step, c.maximum, error).value();
    SizingRequest request;
    request.units = c.units;
    request.A = plain(c.A);
    request.dh = plain(c.dh);
    request.Vap = plain(c.Vap);
    request.sliding = c.sliding;
    if (c.fixedW1) request.w1 = planSizeOf(plain(c.fixedW1));
    if (c.fixedB1) request.b1 = planSizeOf(plain(c.fixedB1));
    request.sizes = sizes;
    request.selection = c.selection;

    const SizingResult found = sizePad(request);
    const Exhaustive expected = exhaustiveSearch(c, sizes);
    ASSERT_EQ(found.pad.has_value(), expected.pad.has_value());
    if (!found.pad) {
        EXPECT_EQ(found.padsChecked, expected.candidates);  // nothing left unvisited
        return;
    }
    const auto& [w1, b1, position, cells] = *expected.pad;
    EXPECT_EQ(found.pad->w1.text, w1);
    EXPECT_EQ(found.pad->b1.text, b1);
    EXPECT_EQ(found.pad->position, position);
    EXPECT_EQ(test::joined(found.pad->row.cells), test::joined(cells));
    EXPECT_LE(found.padsChecked, expected.candidates);
}

const SizingCase kSizingCases[] = {
    {"OpeningInputs", UnitSystem::Imperial, ".01", "0.0711", "7.13", false, "0.5", "48", nullptr,
     nullptr, 0},
    {"ShearGovernsThinPads", UnitSystem::Imperial, ".01", "0.1", "45", false, "0.5", "48", nullptr,
     nullptr, 0},
    {"SiDefaultGrid", UnitSystem::SI, ".005", "5", "500", false, "10", "1200", nullptr, nullptr, 0},
    {"NoLoadTakesTheFirstPad", UnitSystem::Imperial, ".01", "0.1", "0", false, "1", "12", nullptr,
     nullptr, 0},
    {"SlidingAtLargeRotation", UnitSystem::Imperial, ".02", "0.3", "60", true, "1", "16", nullptr,
     nullptr, 0},
    {"NoRotation", UnitSystem::Imperial, "0", "0.2", "120", false, "1", "16", nullptr, nullptr, 0},
    {"FixedLength", UnitSystem::Imperial, ".01", "0.1", "45", false, "0.5", "48", "3", nullptr, 0},
    {"FixedWidthSi", UnitSystem::SI, ".01", "2.54", "200", false, "10", "600", nullptr, "100", 0},
    {"OneThickness", UnitSystem::Imperial, ".01", "0.1", "45", false, "0.5", "24", nullptr, nullptr,
     5},
    {"DecimalStep", UnitSystem::Imperial, ".01", "0.0711", "20", false, "0.3", "12", nullptr,
     nullptr, 0},
    {"NothingPassesShear", UnitSystem::Imperial, ".01", "0.8", "10", false, "1", "10", nullptr,
     nullptr, 0},
    {"NothingCarriesTheLoad", UnitSystem::Imperial, ".02", "0.1", "5000", false, "2", "24", nullptr,
     nullptr, 0},
};

BPD_CASE_TABLE(Cases, SizingTest, SizingCase, kSizingCases);

TEST(Sizing, StopsAtTheFirstPassingPadInTheOrderOfTheRule) {
    SizingRequest request;
    request.A = 0.01;
    request.dh = 0.1;
    request.Vap = 0;
    std::string error;
    request.sizes = planSizes("0.5", "48", error).value();
    const SizingResult found = sizePad(request);
    ASSERT_TRUE(found.pad);
    EXPECT_EQ(found.padsChecked, 1);
    EXPECT_EQ(planSizeText(found.pad->w1, found.pad->b1, UnitSystem::Imperial), "0.5 x 0.5 in.");
}

// ---- reasons when no pad passes ----

TEST(Sizing, SaysWhyNoPadPasses) {
    struct Case {
        UnitSystem units;
        double A, dh, Vap;
        int selection;
        const char* reason;
    };
    const Case cases[] = {
        {UnitSystem::Imperial, .01, 2, 45, 0,
         "the shear check needs t >= dh / 0.75 = 2.6667 in., beyond the thickest catalogue pad "
         "(1 in.)"},
        {UnitSystem::Imperial, .01, 0.1, 45, 1,
         "the shear check needs t >= dh / 0.75 = .1333 in., beyond the chosen pad (1/8 in.)"},
        {UnitSystem::SI, .01, 50, 45, 0,
         "the shear check needs t >= dh / 0.75 = 66.6667 mm, beyond the thickest catalogue pad "
         "(25.400 mm)"},
        {UnitSystem::Imperial, .02, .5, 1e5, 0,
         "the load Vap = 100000 kips exceeds what the pads that pass the shear check carry at "
         "this rotation: at most Var = 7350.37 kips (30 x 48 in., t = 1 in.)"},
        {UnitSystem::Imperial, .01, .1, 1e307, 0,
         "the check stops with an arithmetic fault (first at 0.5 x 0.5 in., t = 1/8 in.: Sap: "
         "overflow)"},
    };
    for (const Case& c : cases) {
        SizingRequest request;
        request.units = c.units;
        request.A = c.A;
        request.dh = c.dh;
        request.Vap = c.Vap;
        request.selection = c.selection;
        std::string error;
        request.sizes =
            planSizes(defaultSizingStep(c.units), defaultSizingMaximum(c.units), error).value();
        const SizingResult result = sizePad(request);
        ASSERT_FALSE(result.pad) << c.reason;
        EXPECT_EQ(describeNoPass(result.noPass), c.reason);
    }
}

// ---- advice for failing rows ----

TEST(RowAdvice, WhatFailsAndWhatWouldPass) {
    struct Case {
        const char *w1, *dh, *Vap;
        int row;
        const char* advice;
    };
    const Case cases[] = {
        {"4", "0.1", "45", 1,
         "t = 1/8 in.: shear fails (Es 80.00 % > 75 %, Ushear 106.7 %); the thinnest catalogue "
         "pad that passes shear is 1/4 in.; with t = 1/4 in. the smallest passing pad is 3.5 x 5 "
         "in."},
        {"4", "0.1", "45", 2,
         "t = 1/4 in.: compression fails (Vap 45 > Var 43.09 kips, Ucomp 104.4 %); with "
         "t = 1/4 in. the smallest passing pad is 3.5 x 5 in."},
        {"6", "0.1", "45", 1,
         "t = 1/8 in.: shear fails (Es 80.00 % > 75 %, Ushear 106.7 %); the thinnest catalogue "
         "pad that passes shear is 1/4 in., and it passes at this plan size"},
        {"4", "0.8", "45", 7,
         "t = 1 in.: compression fails (Vap 45 > Var 30.98 kips, Ucomp 145.3 %) and shear fails "
         "(Es 80.00 % > 75 %, Ushear 106.7 %); no catalogue pad passes shear (it needs "
         "t >= 1.0667 in.)"},
    };
    for (const Case& c : cases) {
        const ResultTable table =
            analyze(test::request(UnitSystem::Imperial, c.w1, c.w1, ".01", c.dh, c.Vap), cLocale());
        const ResultRow& row = table.rows.at(static_cast<std::size_t>(c.row - 1));
        ASSERT_FALSE(row.values.passes());
        const InputValues values{plain(c.w1), plain(c.w1), 0.01, plain(c.dh), plain(c.Vap)};
        EXPECT_EQ(adviseFailingRow(UnitSystem::Imperial, values, false, row), c.advice);
    }
}

}  // namespace
}  // namespace bpd
