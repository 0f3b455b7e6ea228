// The calculation steps of a bearing against the grid: every result to the character over the
// golden cases, the special steps where they act (the stress cap, the w1 limit of W2, A = 0,
// Vap = 0, SI), the checks and their boundaries, and the numbers put into each formula
// re-evaluated.

#include "CalculationSteps.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "GoldenCases.h"
#include "NumberFormat.h"
#include "ResultTable.h"
#include "RowAdvice.h"
#include "TableTestSupport.h"
#include "ThicknessCatalogue.h"

namespace bpd {
namespace {

BearingInputs bearing(UnitSystem units, InputValues values, bool sliding = false,
                      int selection = 0) {
    return {units, values, sliding, selection};
}

const InputValues kDefaults{4, 4, 0.01, 0.0711, 7.13};
const InputValues kSiDefaults{101.6, 101.6, 0.01, 1.80594, 31.72};

InputValues with(InputValues v, Input input, double value) {
    kInputs[static_cast<int>(input)].of(v) = value;
    return v;
}

// "Vnr(kips)" -> "kips".
std::string unitOf(const std::string& header) {
    const std::size_t open = header.find('(');
    return open == std::string::npos ? "" : header.substr(open + 1, header.size() - open - 2);
}

std::vector<std::string> lines(const ThicknessCalculation& t) {
    std::vector<std::string> out;
    for (const CalculationStep& s : t.steps) out.push_back(s.line);
    return out;
}

bool hasLine(const ThicknessCalculation& t, const std::string& line) {
    for (const CalculationStep& s : t.steps)
        if (s.line == line) return true;
    return false;
}

// Every step whose result is a grid value carries that cell's text and unit; every grid
// value from SF to G has such a step, the last one of its quantity; the verdict is the
// status cell.
void expectGridTexts(const BearingInputs& b, const ResultTable& grid, const std::string& what) {
    const BearingCalculation c = calculateBearing(b);
    ASSERT_EQ(c.thicknesses.size(), grid.rows.size()) << what;
    const RowTexts header = headerTexts(b.units);
    for (std::size_t r = 0; r < grid.rows.size(); ++r) {
        const ThicknessCalculation& t = c.thicknesses[r];
        const RowTexts& cells = grid.rows[r].cells;
        EXPECT_EQ(t.label, cells[1]) << what;
        EXPECT_EQ(t.verdict, cells[0]) << what;
        std::set<int> columns;
        for (const CalculationStep& s : t.steps) {
            if (s.column < 0) continue;
            columns.insert(s.column);
            const std::string unit = unitOf(header[s.column]);
            EXPECT_EQ(s.result, unit.empty() ? cells[s.column] : cells[s.column] + " " + unit)
                << what << ", t = " << t.label << ": " << s.line;
            EXPECT_TRUE(s.line.ends_with(s.result)) << s.line;
            EXPECT_EQ(s.quantity, header[s.column].substr(0, header[s.column].find('(')));
        }
        EXPECT_EQ(columns.size(), 11u) << what << ", t = " << t.label;
    }
}

TEST(CalculationSteps, EveryResultIsTheGridTextOverTheGoldenCases) {
    const std::vector<test::GoldenCase> cases = test::loadGoldenCases();
    ASSERT_FALSE(cases.empty());
    int si = 0;
    for (const test::GoldenCase& gc : cases) {
        AnalysisRequest request;
        request.units = test::unitsOf(gc);
        request.texts = gc.texts;
        request.sliding = gc.sliding;
        request.selection = gc.selection;
        const ResultTable grid = analyze(request, test::cLocale());
        InputValues values;
        for (const InputRule& input : kInputs)
            input.of(values) = parseNumber(input.of(gc.texts), test::cLocale()).value();
        si += request.units == UnitSystem::SI;
        expectGridTexts(bearing(request.units, values, gc.sliding, gc.selection), grid,
                        gc.units + " " + gc.texts.w1 + " " + gc.texts.b1 + " " + gc.texts.A + " " +
                            gc.texts.dh + " " + gc.texts.Vap);
    }
    EXPECT_GT(si, 0);
}

struct SpecialCase {
    const char* what;
    BearingInputs bearing;
};

const SpecialCase kSpecialCases[] = {
    {"defaults", bearing(UnitSystem::Imperial, kDefaults)},
    {"sliding", bearing(UnitSystem::Imperial, kDefaults, true)},
    {"A = 0", bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0))},
    {"A = 0.1, caps", bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0.1))},
    {"Vap = 0", bearing(UnitSystem::Imperial, with(kDefaults, Input::Vap, 0))},
    {"failing", bearing(UnitSystem::Imperial, InputValues{4, 4, 0.01, 0.1, 45})},
    {"one thickness", bearing(UnitSystem::Imperial, kDefaults, false, 4)},
    {"SI defaults", bearing(UnitSystem::SI, kSiDefaults)},
    {"SI sliding", bearing(UnitSystem::SI, kSiDefaults, true)},
    {"SI W2 below w1", bearing(UnitSystem::SI, InputValues{400, 300, 0.005, 5, 500})},
};

TEST(CalculationSteps, EveryResultIsTheGridTextInTheSpecialCases) {
    for (const SpecialCase& sc : kSpecialCases) {
        ResultTable grid;
        analyzeValues(sc.bearing.units, sc.bearing.values, sc.bearing.sliding, sc.bearing.selection,
                      ThicknessCatalogue::thicknesses(), test::cLocale(), grid);
        expectGridTexts(sc.bearing, grid, sc.what);
    }
}

TEST(CalculationSteps, StepsRunInTheOrderOfTheChain) {
    // With the cap acting Vnr comes twice: before the cap and capped.
    const struct {
        BearingInputs bearing;
        std::size_t row;
        std::vector<std::string> quantities;
    } cases[] = {
        {bearing(UnitSystem::Imperial, kDefaults),
         0,
         {"SF", "Vnr", "W2", "W2", "Snr", "", "R", "Var", "Es", "Sap", "N", "Ss", "G", "Nmax"}},
        {bearing(UnitSystem::Imperial, kDefaults, true),
         0,
         {"SF", "Vnr", "W2", "W2", "Snr", "Vnr", "R", "Var", "Es", "Sap", "N", "Ss", "G", "Nmax"}},
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0.1)),
         6,
         {"SF", "Vnr", "W2", "Snr", "", "R", "Var", "Es", "Sap", "N", "Ss", "G", "Nmax"}},
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0)),
         0,
         {"SF", "Vnr", "W2", "Snr", "", "R", "Var", "Es", "Sap", "N", "Ss", "G", "Nmax"}},
    };
    for (const auto& c : cases) {
        const BearingCalculation calc = calculateBearing(c.bearing);
        std::vector<std::string> quantities;
        for (const CalculationStep& s : calc.thicknesses.at(c.row).steps)
            quantities.push_back(s.quantity);
        EXPECT_EQ(quantities, c.quantities);
    }
}

TEST(CalculationSteps, TheSpecialStepsWhereTheyAct) {
    const struct {
        BearingInputs bearing;
        std::size_t row;
        const char* line;
    } cases[] = {
        {bearing(UnitSystem::Imperial, kDefaults), 0,
         "SF = (w1 × b1) / ((w1 + b1) × 2 × t) = (4.00 × 4.00) / ((4.00 + 4.00) × 2 × 0.125) = "
         "8.00"},
        {bearing(UnitSystem::Imperial, kDefaults), 0,
         "W2 = 5.00 in. > w1 = 4.00 in.: W2 = w1 = 4.00 in."},
        {bearing(UnitSystem::Imperial, kDefaults), 0,
         "Snr = 5202.56 psi ≤ 8500 psi: the stress cap does not act, Vnr = 83.24 kips"},
        {bearing(UnitSystem::Imperial, kDefaults, true), 0,
         "Snr = 5202.56 psi > 2500 psi (sliding): Vnr = W2 × b1 × 2500 / 1000 = 4.00 × 4.00 × "
         "2500 / 1000 = 40.00 kips"},
        {bearing(UnitSystem::Imperial, kDefaults, true), 0,
         "Var = R × Vnr = .714 × 40.00 = 28.57 kips"},
        {bearing(UnitSystem::Imperial, kDefaults, true), 3,
         "Snr = 2448.26 psi ≤ 2500 psi (sliding): the stress cap does not act, Vnr = 39.17 kips"},
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0)), 0,
         "A = 0: W2 = w1 = 4.00 in."},
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0)), 0,
         "R = 1 / (A^2 × kt + 1) = 1 / (0.00^2 × 4000 + 1) = 1.000"},
        // A = 0.1: W2 stays below w1 and position 1 is capped at 8500 psi.
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0.1)), 0,
         "W2 = (t × ec) / (tan A × 100) = (0.125 × 40) / (tan 0.10 × 100) = .50 in."},
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::A, 0.1)), 0,
         "Snr = 41759.75 psi > 8500 psi: Vnr = W2 × b1 × 8500 / 1000 = .50 × 4.00 × 8500 / "
         "1000 = 16.94 kips"},
        {bearing(UnitSystem::Imperial, kDefaults), 0,
         "Nmax = Sap × 0.012 × √75 × b1 × W2 = 445.63 × 0.012 × √75 × 4.00 × 4.00 = 740.97 "
         "lbs"},
        // SI: the chain on the converted inputs, each result in the method's unit and the
        // grid's.
        {bearing(UnitSystem::SI, kSiDefaults), 0,
         "Vnr = emax^1.8 × (SF × 0.6 + 2) × b1 × w1 / 1000 = 40^1.8 × (8.00 × 0.6 + 2) × "
         "4.0000 × 4.0000 / 1000 = 83.24 kips = 370.34 KN"},
        {bearing(UnitSystem::SI, kSiDefaults), 0,
         "Snr = Vnr × 1000 / (W2 × b1) = 83.24 × 1000 / (4.00 × 4.0000) = 5202.56 psi = "
         "35870371.55 N/m2"},
        {bearing(UnitSystem::SI, kSiDefaults), 0,
         "Es = dh / t × 100 = 0.0711 / 0.125 × 100 = 56.88 %"},
        {bearing(UnitSystem::SI, kSiDefaults, true), 0,
         "Snr = 5202.56 psi > 2500 psi (sliding): Vnr = W2 × b1 × 2500 / 1000 = 4.00 × 4.0000 "
         "× 2500 / 1000 = 40.00 kips = 177.96 KN"},
    };
    for (const auto& c : cases) {
        const BearingCalculation calc = calculateBearing(c.bearing);
        const ThicknessCalculation& t = calc.thicknesses.at(c.row);
        EXPECT_TRUE(hasLine(t, c.line))
            << "no line\n  " << c.line << "\namong\n  " << ::testing::PrintToString(lines(t));
    }
}

TEST(CalculationSteps, TheChecksTheGoverningCheckAndTheVerdict) {
    const struct {
        BearingInputs bearing;
        std::size_t row;
        const char *compression, *shear, *governing, *verdict;
    } cases[] = {
        {bearing(UnitSystem::Imperial, kDefaults), 0,
         "Vap = 7.13 kips ≤ Var = 59.46 kips: OK (12.0 %)", "Es = 56.88 % ≤ 75 %: OK (75.8 %)",
         "Governing check: shear (75.8 %)", "Pass"},
        {bearing(UnitSystem::Imperial, InputValues{4, 4, 0.01, 0.1, 45}), 0,
         "Vap = 45.00 kips ≤ Var = 59.46 kips: OK (75.7 %)", "Es = 80.00 % > 75 %: FAIL! (106.7 %)",
         "Governing check: shear (106.7 %)", "FAIL!"},
        {bearing(UnitSystem::Imperial, InputValues{4, 4, 0.01, 0.1, 45}), 1,
         "Vap = 45.00 kips > Var = 43.09 kips: FAIL! (104.4 %)", "Es = 40.00 % ≤ 75 %: OK (53.3 %)",
         "Governing check: compression (104.4 %)", "FAIL!"},
        // Es exactly 75 passes.
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::dh, 0.75), false, 7), 0,
         "Vap = 7.13 kips ≤ Var = 30.98 kips: OK (23.0 %)", "Es = 75.00 % ≤ 75 %: OK (100.0 %)",
         "Governing check: shear (100.0 %)", "Pass"},
        {bearing(UnitSystem::Imperial, with(kDefaults, Input::Vap, 0)), 0,
         "Vap = 0.00 kips ≤ Var = 59.46 kips: OK (0.0 %)",
         "Vap = 0: N = Nmax = 0, the shear check passes by the method whatever Es (Es = 56.88 "
         "%): OK (0.0 %)",
         "Governing check: compression (0.0 %)", "Pass"},
        {bearing(UnitSystem::SI, kSiDefaults), 0, "Vap = 31.72 KN ≤ Var = 264.53 KN: OK (12.0 %)",
         "Es = 56.88 % ≤ 75 %: OK (75.8 %)", "Governing check: shear (75.8 %)", "Pass"},
    };
    for (const auto& c : cases) {
        const ThicknessCalculation t = calculateBearing(c.bearing).thicknesses.at(c.row);
        EXPECT_EQ(t.compressionCheck, c.compression);
        EXPECT_EQ(t.shearCheck, c.shear);
        EXPECT_EQ(t.governing, c.governing);
        EXPECT_EQ(t.verdict, c.verdict);
    }
}

TEST(CalculationSteps, VapEqualToVarPassesTheCompressionCheck) {
    // The load that equals Var of position 7 to the last bit.
    const BearingCalculation first =
        calculateBearing(bearing(UnitSystem::Imperial, kDefaults, false, 7));
    ResultTable grid;
    analyzeValues(UnitSystem::Imperial, kDefaults, false, 7, ThicknessCatalogue::thicknesses(),
                  test::cLocale(), grid);
    const double Var = grid.rows.at(0).values.Var;
    const ThicknessCalculation t =
        calculateBearing(bearing(UnitSystem::Imperial, with(kDefaults, Input::Vap, Var), false, 7))
            .thicknesses.at(0);
    EXPECT_TRUE(t.compressionCheck.find(" ≤ Var = 30.98 kips: OK (100.0 %)") != std::string::npos)
        << t.compressionCheck;
    const ThicknessCalculation over =
        calculateBearing(bearing(UnitSystem::Imperial,
                                 with(kDefaults, Input::Vap, std::nextafter(Var, 1e9)), false, 7))
            .thicknesses.at(0);
    EXPECT_TRUE(over.compressionCheck.find(" > Var = 30.98 kips: FAIL! (100.0 %)") !=
                std::string::npos)
        << over.compressionCheck;
    EXPECT_EQ(first.thicknesses.size(), 1u);
}

TEST(CalculationSteps, AFailingThicknessCarriesTheEnginesAdvice) {
    const BearingInputs b = bearing(UnitSystem::Imperial, InputValues{4, 4, 0.01, 0.1, 45});
    const BearingCalculation calc = calculateBearing(b);
    ResultTable grid;
    analyzeValues(b.units, b.values, b.sliding, 0, ThicknessCatalogue::thicknesses(),
                  test::cLocale(), grid);
    for (std::size_t r = 0; r < grid.rows.size(); ++r) {
        ASSERT_FALSE(calc.thicknesses[r].passes);
        EXPECT_EQ(calc.thicknesses[r].advice,
                  adviseFailingRow(b.units, b.values, b.sliding, grid.rows[r]));
    }
    EXPECT_EQ(calculateBearing(bearing(UnitSystem::Imperial, kDefaults)).thicknesses[0].advice, "");
}

TEST(CalculationSteps, InputsAsTheFieldsShowThemAndTheSiConversion) {
    const BearingCalculation imperial =
        calculateBearing(bearing(UnitSystem::Imperial, kDefaults, true, 2));
    std::vector<std::string> shown;
    for (const InputLine& i : imperial.inputs)
        shown.push_back(i.name + "=" + i.text + " " + i.unit);
    EXPECT_EQ(shown, (std::vector<std::string>{"w1=4.0000 in.", "b1=4.0000 in.", "A=.0100 rad.",
                                               "dh=.0711 in.", "Vap=7.1300 kips", "Sliding=Yes ",
                                               "t=1/4 "}));
    EXPECT_TRUE(imperial.conversions.empty());

    const BearingCalculation si = calculateBearing(bearing(UnitSystem::SI, kSiDefaults));
    EXPECT_EQ(si.inputs[0].text + " " + si.inputs[0].unit, "101.6000 mm");
    EXPECT_EQ(si.inputs[4].text + " " + si.inputs[4].unit, "31.7200 KN");
    EXPECT_EQ(si.inputs[6].text, "All");
    EXPECT_EQ(si.conversions,
              (std::vector<std::string>{
                  "b1 = 101.60 mm × 0.039370079 = 4.0000 in.",
                  "w1 = 101.60 mm × 0.039370079 = 4.0000 in.", "A = 0.01 rad. (no conversion)",
                  "dh = 1.80594 mm × 0.039370079 = 0.0711 in.",
                  "Vap = 31.72 KN × 0.22477064229463 = 7.1297 kips",
                  "Results back in SI: in. / 0.039370079 = mm; kips / 0.22477064229463 = KN; lbs "
                  "/ 0.22477064229463 = N; psi / 0.00014503774 = N/m2"}));
    EXPECT_NE(si.rounding, imperial.rounding);
}

TEST(CalculationSteps, TheChartHoldsEveryCatalogueThickness) {
    for (int selection = 0; selection <= ThicknessCatalogue::count; ++selection) {
        const BearingCalculation calc = calculateBearing(
            bearing(UnitSystem::Imperial, InputValues{4, 4, 0.01, 0.1, 45}, false, selection));
        ASSERT_EQ(calc.chart.size(), 7u);
        EXPECT_EQ(calc.chart[0].label, "1/8");
        EXPECT_NEAR(calc.chart[0].explanation.shear, 80.0 / 75, 1e-12);
        EXPECT_EQ(calc.chart[0].explanation.governing, DesignCheck::Shear);
        EXPECT_EQ(calc.chart[1].explanation.governing, DesignCheck::Compression);
        EXPECT_FALSE(calc.chart[6].passes);
        EXPECT_EQ(calc.thicknesses.size(), selection == 0 ? 7u : 1u);
    }
}

TEST(CalculationSteps, TheCanonicalInputsTellEveryInputApart) {
    const BearingInputs base = bearing(UnitSystem::Imperial, kDefaults);
    const std::string text = calculateBearing(base).canonicalInputs;
    EXPECT_EQ(calculateBearing(base).canonicalInputs, text);
    std::vector<BearingInputs> changed;
    for (const InputRule& input : kInputs) {
        BearingInputs b = base;
        input.of(b.values) = std::nextafter(input.of(b.values), 1e9);
        changed.push_back(b);
    }
    changed.push_back(bearing(UnitSystem::SI, kDefaults));
    changed.push_back(bearing(UnitSystem::Imperial, kDefaults, true));
    changed.push_back(bearing(UnitSystem::Imperial, kDefaults, false, 1));
    std::set<std::string> texts{text};
    for (const BearingInputs& b : changed) texts.insert(calculateBearing(b).canonicalInputs);
    EXPECT_EQ(texts.size(), changed.size() + 1);
}

// Evaluates a formula with its numbers put in: + - × / ^ √ tan and parentheses.
class Formula {
public:
    explicit Formula(std::string_view text) : s_(text) {}
    double value() {
        const double v = sum();
        skip();
        if (!s_.empty()) ADD_FAILURE() << "left over: " << s_;
        return v;
    }

private:
    void skip() {
        while (s_.starts_with(' ')) s_.remove_prefix(1);
    }
    bool take(std::string_view token) {
        skip();
        if (!s_.starts_with(token)) return false;
        s_.remove_prefix(token.size());
        return true;
    }
    double sum() {
        double v = product();
        for (;;) {
            if (take("+"))
                v += product();
            else if (take("- "))
                v -= product();
            else
                return v;
        }
    }
    double product() {
        double v = power();
        for (;;) {
            if (take("×"))
                v *= power();
            else if (take("/"))
                v /= power();
            else
                return v;
        }
    }
    double power() {
        const double v = unary();
        return take("^") ? std::pow(v, unary()) : v;
    }
    double unary() {
        if (take("√")) return std::sqrt(unary());
        if (take("tan")) return std::tan(unary());
        if (take("(")) {
            const double v = sum();
            if (!take(")")) ADD_FAILURE() << "no ) at " << s_;
            return v;
        }
        skip();
        std::size_t n = 0;
        while (n < s_.size() && (std::isdigit(static_cast<unsigned char>(s_[n])) || s_[n] == '.' ||
                                 (n == 0 && s_[n] == '-')))
            ++n;
        const std::optional<double> v = parseNumber(s_.substr(0, n), test::cLocale());
        if (!v) {
            ADD_FAILURE() << "no number at " << s_;
            return 0;
        }
        s_.remove_prefix(n);
        return *v;
    }

    std::string_view s_;
};

TEST(CalculationSteps, TheNumbersPutInGiveTheResult) {
    // The shown numbers are rounded, so the formula with them gives the result to within the
    // rounding of its inputs; a number in the wrong place is far off.
    for (const SpecialCase& sc : kSpecialCases) {
        for (const ThicknessCalculation& t : calculateBearing(sc.bearing).thicknesses) {
            for (const CalculationStep& s : t.steps) {
                if (s.substituted.empty()) continue;
                // The result in the method's unit follows the numbers in the line.
                const std::size_t at = s.line.find(" = " + s.substituted + " = ");
                ASSERT_NE(at, std::string::npos) << s.line;
                const std::string after = s.line.substr(at + s.substituted.size() + 6);
                const double shown =
                    parseNumber(after.substr(0, after.find(' ')), test::cLocale()).value();
                const double computed = Formula(s.substituted).value();
                EXPECT_NEAR(computed, shown, 0.02 * std::abs(shown) + 0.006)
                    << sc.what << ", t = " << t.label << ": " << s.line;
            }
        }
    }
}

}  // namespace
}  // namespace bpd
