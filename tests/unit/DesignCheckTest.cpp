// The design check in Imperial units: the result tables, the stress cap, both checks and
// their boundaries, the run's faults.

#include <gtest/gtest.h>

#include <cmath>
#include <span>
#include <stdexcept>
#include <vector>

#include "PadCheck.h"
#include "ResultTable.h"
#include "TableTestSupport.h"
#include "ThicknessCatalogue.h"

namespace bpd {
namespace {

using test::cell;
using test::cLocale;
using test::joined;
using test::request;
constexpr auto kImperial = UnitSystem::Imperial;

// The opening inputs of the window.
AnalysisRequest defaults(bool sliding = false, int selection = 0) {
    return request(kImperial, "4.00", "4.00", ".01", "0.0711", "7.13", sliding, selection);
}

const RowTexts kDefaultRows[7] = {
    {"Pass", "1/8", "8.00", "83.24", "5202.56", ".714", "59.46", "4.00", "56.88", "445.63",
     "645.28", "40.33", "70.90"},
    {"Pass", "1/4", "4.00", "53.86", "3366.36", ".800", "43.09", "4.00", "28.44", "445.63",
     "456.28", "28.52", "100.27"},
    {"Pass", "3/8", "2.67", "44.07", "2754.30", ".870", "38.32", "4.00", "18.96", "445.63",
     "372.55", "23.28", "122.81"},
    {"Pass", "1/2", "2.00", "39.17", "2448.26", ".952", "37.31", "4.00", "14.22", "445.63",
     "322.64", "20.17", "141.81"},
    {"Pass", "5/8", "1.60", "36.23", "2264.64", ".962", "34.84", "4.00", "11.38", "445.63",
     "288.58", "18.04", "158.55"},
    {"Pass", "3/4", "1.33", "34.28", "2142.23", ".969", "33.20", "4.00", "9.48", "445.63", "263.44",
     "16.46", "173.68"},
    {"Pass", "1", "1.00", "31.83", "1989.21", ".973", "30.98", "4.00", "7.11", "445.63", "228.14",
     "14.26", "200.55"},
};

TEST(ImperialTable, HeaderRowCountAndLabels) {
    const ResultTable table = analyze(defaults(), cLocale());
    EXPECT_EQ(joined(table.header),
              "Status|t(in.)|SF|Vnr(kips)|Snr(psi)|R|Var(kips)|W2(in.)|Es(%)|Sap(psi)|N(lbs)|"
              "Ss(psi)|G(psi)|");
    EXPECT_EQ(table.rowCount, 8);
    EXPECT_EQ(table.labels,
              (std::vector<std::string>{"1/8", "1/4", "3/8", "1/2", "5/8", "3/4", "1"}));
    EXPECT_FALSE(table.fault);
}

TEST(ImperialTable, OpeningInputsGiveTheSevenPassingRows) {
    const ResultTable table = analyze(defaults(), cLocale());
    ASSERT_EQ(table.rows.size(), 7u);
    for (std::size_t r = 0; r < 7; ++r) {
        EXPECT_EQ(joined(table.rows[r].cells), joined(kDefaultRows[r])) << "row " << r + 1;
        EXPECT_EQ(table.rows[r].values.W2, 4.0);  // the rotation length exceeds w1
        EXPECT_TRUE(table.rows[r].values.passes());
    }
}

// Cases given as the cells that differ from, or are asserted beside, the statuses.
struct CellText {
    int row;
    const char* column;
    const char* text;
};

struct TableCase {
    const char* name;
    AnalysisRequest request;
    const char* statuses;  // one letter per computed row: P pass, F fail
    std::vector<CellText> cells;
    std::vector<int> unchangedDefaultRows;  // rows identical to the opening table
};
class ImperialCaseTest : public ::testing::TestWithParam<TableCase> {};

TEST_P(ImperialCaseTest, WritesTheExpectedTexts) {
    const TableCase& c = GetParam();
    const ResultTable table = analyze(c.request, cLocale());
    ASSERT_FALSE(table.fault);
    std::string statuses;
    for (const ResultRow& row : table.rows) statuses += row.cells[0] == "Pass" ? 'P' : 'F';
    EXPECT_EQ(statuses, c.statuses);
    for (const CellText& expected : c.cells) {
        EXPECT_EQ(cell(table, expected.row, expected.column), expected.text)
            << "row " << expected.row << ", " << expected.column;
    }
    for (int r : c.unchangedDefaultRows) {
        EXPECT_EQ(joined(table.rows[static_cast<std::size_t>(r - 1)].cells),
                  joined(kDefaultRows[r - 1]))
            << "row " << r;
    }
}

const TableCase kImperialCases[] = {
    {"SlidingCapsTheThinPads",
     defaults(true),
     "PPPPPPP",
     {{1, "Vnr", "40.00"},
      {2, "Vnr", "40.00"},
      {3, "Vnr", "40.00"},
      {1, "Var", "28.57"},
      {2, "Var", "32.00"},
      {3, "Var", "34.78"},
      {1, "Snr", "5202.56"},
      {2, "Snr", "3366.36"},
      {3, "Snr", "2754.30"}},
     {4, 5, 6, 7}},
    {"NoRotation",
     request(kImperial, "4.00", "4.00", "0", "0.0711", "7.13"),
     "PPPPPPP",
     {{1, "W2", "4.00"},
      {7, "W2", "4.00"},
      {1, "R", "1.000"},
      {4, "R", "1.000"},
      {7, "R", "1.000"},
      {1, "Var", "83.24"},
      {2, "Var", "53.86"},
      {3, "Var", "44.07"},
      {4, "Var", "39.17"},
      {5, "Var", "36.23"},
      {6, "Var", "34.28"},
      {7, "Var", "31.83"}},
     {}},
    {"LargeRotationShortensTheLoadedLength",
     request(kImperial, "4.00", "4.00", ".1", "0.0711", "7.13"),
     "FFFFPPP",
     {{1, "W2", ".50"},
      {2, "W2", "1.00"},
      {3, "W2", "1.50"},
      {4, "W2", "1.99"},
      {5, "W2", "2.49"},
      {6, "W2", "2.99"},
      {7, "W2", "3.99"},
      {1, "Snr", "41759.75"},
      {1, "Vnr", "16.94"},
      {1, "R", ".024"},
      {1, "Var", ".41"},
      {2, "Snr", "13510.51"},
      {2, "Vnr", "33.89"},
      {2, "Var", "1.30"},
      {3, "Var", "2.75"},
      {4, "Var", "6.53"},
      {5, "Var", "7.25"},
      {6, "Var", "8.06"},
      {7, "Var", "8.49"}},
     {}},
    {"LargeDeformationAndLoad",
     request(kImperial, "4.00", "4.00", ".01", "0.1", "45"),
     "FFFFFFF",
     {{1, "Es", "80.00"},
      {1, "N", "4829.91"},
      {2, "Var", "43.09"},
      {3, "Var", "38.32"},
      {4, "Var", "37.31"},
      {5, "Var", "34.84"},
      {6, "Var", "33.20"},
      {7, "Var", "30.98"}},
     {}},
    {"NoLoad",
     request(kImperial, "4.00", "4.00", ".01", "0.0711", "0"),
     "PPPPPPP",
     {{1, "Sap", ".00"},
      {1, "N", ".00"},
      {1, "Ss", ".00"},
      {1, "G", ".00"},
      {7, "Sap", ".00"},
      {7, "N", ".00"},
      {7, "Ss", ".00"},
      {7, "G", ".00"}},
     {}},
    // tan A < 0: a negative loaded length stands and every later value follows it.
    {"NegativeTangent",
     request(kImperial, "4.00", "4.00", "2", "0.0711", "7.13"),
     "FFFFFFF",
     {{1, "W2", "-.02"},
      {1, "Snr", "-909423.66"},
      {1, "Vnr", "83.24"},
      {1, "R", ".000"},
      {1, "Var", ".01"},
      {1, "Sap", "-77896.67"},
      {1, "N", "645.28"},
      {1, "Ss", "-7049.85"},
      {1, "G", "-12394.25"},
      {7, "W2", "-.18"},
      {7, "Snr", "-43465.10"},
      {7, "R", ".001"},
      {7, "G", "-4382.03"}},
     {}},
    {"SingleSelection",
     defaults(false, 4),
     "P",
     {{1, "t", "1/2"}, {1, "SF", "2.00"}, {1, "R", ".952"}, {1, "G", "141.81"}},
     {}},
    {"SingleSelectionLastPosition",
     defaults(false, 7),
     "P",
     {{1, "t", "1"}, {1, "R", ".973"}, {1, "Es", "7.11"}},
     {}},
};

BPD_CASE_TABLE(Cases, ImperialCaseTest, TableCase, kImperialCases);

TEST(ImperialTable, LargeDeformationFailsOneCheckPerRow) {
    const ResultTable table =
        analyze(request(kImperial, "4.00", "4.00", ".01", "0.1", "45"), cLocale());
    ASSERT_EQ(table.rows.size(), 7u);
    EXPECT_TRUE(table.rows[0].values.compressionPasses);
    EXPECT_FALSE(table.rows[0].values.shearPasses);
    for (std::size_t r = 1; r < 7; ++r) {
        EXPECT_FALSE(table.rows[r].values.compressionPasses) << r + 1;
        EXPECT_TRUE(table.rows[r].values.shearPasses) << r + 1;
    }
}

TEST(ImperialTable, SingleSelectionHasOneBodyRowLabelledByTheSelector) {
    const ResultTable table = analyze(defaults(false, 3), cLocale());
    EXPECT_EQ(table.rowCount, 2);
    EXPECT_EQ(table.labels, std::vector<std::string>{"3/8"});
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(joined(table.rows[0].cells), joined(kDefaultRows[2]));
}

TEST(ImperialTable, UsesTheThicknessesItIsGiven) {
    // colThickness decides t; kt stays bound to the position.
    const std::vector<double> allHalfInch(7, 0.5);
    const ResultTable table = analyze(defaults(), allHalfInch, cLocale());
    ASSERT_EQ(table.rows.size(), 7u);
    for (const ResultRow& row : table.rows) EXPECT_EQ(row.cells[2], "2.00");
    EXPECT_EQ(table.rows[0].cells[1], "1/8");
    EXPECT_EQ(table.rows[3].cells[5], ".952");
    EXPECT_EQ(table.rows[0].cells[5], ".714");
}

TEST(ImperialTable, ProgrammingErrorsThrow) {
    const std::vector<double> six(6, 0.5);
    EXPECT_THROW(analyze(defaults(), six, cLocale()), std::invalid_argument);
    EXPECT_THROW(analyze(defaults(false, 8), cLocale()), std::invalid_argument);
    EXPECT_THROW(analyze(defaults(false, -1), cLocale()), std::invalid_argument);
}

TEST(ImperialTable, LocaleSeparatorInTextsAndInputs) {
    const NumberLocale german{",", "."};
    const ResultTable table =
        analyze(request(kImperial, "4,00", "4", ",01", "0,0711", "7,13"), german);
    ASSERT_EQ(table.rows.size(), 7u);
    EXPECT_EQ(cell(table, 1, "Var"), "59,46");
    EXPECT_EQ(cell(table, 1, "R"), ",714");
    EXPECT_EQ(cell(table, 1, "Snr"), "5202,56");
}

// ---- boundaries -------------------------------------------------------------------------

PadInput openingInput() {
    PadInput in;
    in.w1 = 4;
    in.b1 = 4;
    in.A = 0.01;
    in.dh = 0.0711;
    in.Vap = 7.13;
    return in;
}

TEST(Boundaries, ShearStrainOfExactly75PercentPasses) {
    PadInput in = openingInput();
    in.dh = 0.75;
    const PadOutcome at = checkPad(in, 1.0, 275);
    ASSERT_FALSE(at.fault);
    EXPECT_EQ(at.result.Es, 75.0);
    EXPECT_EQ(at.result.N, at.result.Nmax);
    EXPECT_TRUE(at.result.shearPasses);

    // A strain one unit in the last place above 75 has the same square root in double
    // precision; any deformation a user can type above .75 fails.
    in.dh = 0.7500001;
    const PadOutcome above = checkPad(in, 1.0, 275);
    EXPECT_GT(above.result.Es, 75.0);
    EXPECT_FALSE(above.result.shearPasses);
    EXPECT_FALSE(above.result.passes());

    const ResultTable table =
        analyze(request(kImperial, "4.00", "4.00", ".01", ".75", "7.13", false, 7), cLocale());
    EXPECT_EQ(cell(table, 1, "Es"), "75.00");
    EXPECT_EQ(cell(table, 1, "Status"), "Pass");
    const ResultTable over =
        analyze(request(kImperial, "4.00", "4.00", ".01", ".7501", "7.13", false, 7), cLocale());
    EXPECT_EQ(cell(over, 1, "Status"), "FAIL!");
}

TEST(Boundaries, LoadExactlyEqualToTheAllowableLoadPasses) {
    PadInput in = openingInput();
    const double var = checkPad(in, 0.125, 4000).result.Var;
    in.Vap = var;
    const PadOutcome at = checkPad(in, 0.125, 4000);
    EXPECT_EQ(at.result.Var, var);
    EXPECT_TRUE(at.result.compressionPasses);
    in.Vap = std::nextafter(var, 1e9);
    EXPECT_FALSE(checkPad(in, 0.125, 4000).result.compressionPasses);
}

TEST(Boundaries, ZeroLoadPassesBothChecks) {
    PadInput in = openingInput();
    in.Vap = 0;
    for (int p = 1; p <= ThicknessCatalogue::count; ++p) {
        const PadResult r = checkPad(in, ThicknessCatalogue::thicknessInches(p),
                                     ThicknessCatalogue::rotationCoefficient(p))
                                .result;
        EXPECT_EQ(r.N, 0.0);
        EXPECT_EQ(r.Nmax, 0.0);
        EXPECT_TRUE(r.passes()) << p;
    }
}

TEST(Boundaries, ZeroAngleTakesTheWholeLengthAndNoReduction) {
    PadInput in = openingInput();
    in.A = 0;
    const PadResult r = checkPad(in, 0.125, 4000).result;
    EXPECT_EQ(r.W2, in.w1);
    EXPECT_EQ(r.R, 1.0);
    EXPECT_EQ(r.Var, r.Vnr);
}

// The loaded length under rotation L = t x ec / (tan A x 100) is capped at w1: W2 is L while
// L is w1 or less and w1 once L exceeds it, to the last bit. A cap left out, one that takes
// the larger of the two, or one that compares with or caps to b1 fails a row.
TEST(Boundaries, LoadedLengthIsCappedAtTheBearingLengthToTheLastBit) {
    PadInput in = openingInput();
    in.A = std::atan(0.05);  // L near 4 in. for t = 1/2
    in.b1 = 2;
    in.w1 = 1000;
    const double L = checkPad(in, 0.5, 500).result.W2;
    ASSERT_NEAR(L, 4.0, 1e-9);
    const double below = std::nextafter(L, 0.0), above = std::nextafter(L, 1000.0);
    const struct {
        const char* name;
        double w1;
        double W2;
    } rows[] = {
        {"w1 equal to L", L, L},
        {"L one bit longer than w1", below, below},
        {"L one bit shorter than w1", above, L},
    };
    for (const auto& row : rows) {
        in.w1 = row.w1;
        const PadOutcome out = checkPad(in, 0.5, 500);
        ASSERT_FALSE(out.fault) << row.name;
        EXPECT_EQ(out.result.W2, row.W2) << row.name;
    }
}

// Finds a square pad, no rotation, whose computed Snr is exactly the limit, by bisection on
// the width and a walk over the neighbouring doubles.
std::optional<PadInput> padWithStressExactlyAt(double limit, bool sliding) {
    PadInput in;
    in.A = 0;
    in.dh = 0.0711;
    in.Vap = 1;
    in.sliding = sliding;
    auto snr = [&](double w) {
        in.w1 = in.b1 = w;
        return checkPad(in, 0.125, 4000).result.Snr;
    };
    double lo = 0.01, hi = 100;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (snr(mid) < limit ? lo : hi) = mid;
    }
    double w = lo;
    for (int i = 0; i < 4000; ++i, w = std::nextafter(w, 1000.0)) {
        if (snr(w) == limit) {
            in.w1 = in.b1 = w;
            return in;
        }
    }
    return std::nullopt;
}

TEST(Boundaries, StressExactlyAtTheLimitLeavesTheLoadUncapped) {
    for (const bool sliding : {false, true}) {
        const double limit = sliding ? kSlidingStressLimitPsi : kStressLimitPsi;
        const std::optional<PadInput> in = padWithStressExactlyAt(limit, sliding);
        ASSERT_TRUE(in) << "no width found for " << limit;
        const PadResult at = checkPad(*in, 0.125, 4000).result;
        ASSERT_EQ(at.Snr, limit);
        // Uncapped: Vnr is still the load of the stress formula.
        const double uncapped = std::pow(40.0, 1.8) * (at.SF * 0.6 + 2) * in->b1 * in->w1 / 1000;
        EXPECT_EQ(at.Vnr, uncapped);

        PadInput wider = *in;
        do {
            wider.w1 = wider.b1 = std::nextafter(wider.w1, 1000.0);
        } while (checkPad(wider, 0.125, 4000).result.Snr == limit);
        const PadResult above = checkPad(wider, 0.125, 4000).result;
        ASSERT_GT(above.Snr, limit);
        EXPECT_EQ(above.Vnr, above.W2 * wider.b1 * limit / 1000);
    }
}

TEST(Boundaries, CappedRowKeepsTheUncappedStress) {
    PadInput in = openingInput();
    in.sliding = true;
    const PadResult r = checkPad(in, 0.125, 4000).result;
    EXPECT_EQ(r.Vnr, r.W2 * in.b1 * 2500 / 1000);
    EXPECT_GT(r.Snr, 5202.0);  // step 8's value, not recomputed from the capped load
}

// ---- faults -----------------------------------------------------------------------------

TEST(RunFaults, TextThatIsNotANumberStopsBeforeAnyRow) {
    struct Case {
        InputTexts texts;
        const char* quantity;
    };
    const Case cases[] = {
        {{"abc", "4", ".01", ".0711", "7.13"}, "w1"},
        {{"abc", "", ".01", ".0711", "7.13"}, "b1"},  // b1 is read first
        {{"4", "4", "x", ".0711", "7.13"}, "A"},
        {{"4", "4", ".01", "", "7.13"}, "dh"},
        {{"4", "4", ".01", ".0711", "7.13 kips"}, "Vap"},
    };
    for (const Case& c : cases) {
        AnalysisRequest r = defaults();
        r.texts = c.texts;
        const ResultTable table = analyze(r, cLocale());
        ASSERT_TRUE(table.fault);
        EXPECT_EQ(table.fault->kind, RunFault::Kind::InputNotNumeric);
        EXPECT_EQ(table.fault->quantity, c.quantity);
        EXPECT_EQ(table.fault->tableRow, 0);
        EXPECT_TRUE(table.rows.empty());
        EXPECT_EQ(table.rowCount, 8);  // header and labels are written before the inputs
        EXPECT_EQ(table.labels.size(), 7u);
        EXPECT_EQ(table.header[1], "t(in.)");
    }
}

TEST(RunFaults, OverflowInTheFirstValue) {
    const ResultTable table =
        analyze(request(kImperial, "1e200", "1e200", ".01", ".0711", "7.13"), cLocale());
    ASSERT_TRUE(table.fault);
    EXPECT_EQ(table.fault->kind, RunFault::Kind::Arithmetic);
    EXPECT_EQ(table.fault->tableRow, 1);
    EXPECT_EQ(table.fault->thickness, "1/8");
    EXPECT_EQ(table.fault->quantity, "SF");
    EXPECT_EQ(table.fault->cause, ArithmeticFault::Cause::Overflow);
    EXPECT_TRUE(table.rows.empty());
}

TEST(RunFaults, RowsBeforeTheFaultStay) {
    // tan A * 100 is 1e-307: the rotation length overflows from t = 1/2 on.
    const ResultTable table =
        analyze(request(kImperial, "4", "4", "1e-309", ".0711", "7.13"), cLocale());
    ASSERT_TRUE(table.fault);
    EXPECT_EQ(table.fault->tableRow, 4);
    EXPECT_EQ(table.fault->thickness, "1/2");
    EXPECT_EQ(table.fault->quantity, "W2");
    EXPECT_EQ(table.fault->cause, ArithmeticFault::Cause::Overflow);
    ASSERT_EQ(table.rows.size(), 3u);
    EXPECT_EQ(table.rows[2].cells[1], "3/8");
    EXPECT_EQ(table.rows[0].cells[7], "4.00");  // W2 capped at w1 in the rows that ran
}

TEST(RunFaults, OverflowInsideAnExpressionCountsEvenWhenTheValueIsFinite) {
    // A^2 overflows, so R = 1 / (inf * kt + 1) would quietly be 0.
    const ResultTable table =
        analyze(request(kImperial, "4", "4", "1e200", ".0711", "7.13"), cLocale());
    ASSERT_TRUE(table.fault);
    EXPECT_EQ(table.fault->tableRow, 1);
    EXPECT_EQ(table.fault->quantity, "R");
    EXPECT_EQ(table.fault->cause, ArithmeticFault::Cause::Overflow);
}

TEST(RunFaults, InvalidOperationAndDivisionByZeroAreNamed) {
    PadInput in = openingInput();
    in.dh = -1;  // the window rejects it; the chain itself reports sqrt of a negative strain
    PadOutcome out = checkPad(in, 0.125, 4000);
    ASSERT_TRUE(out.fault);
    EXPECT_EQ(out.fault->quantity, "N");
    EXPECT_EQ(out.fault->cause, ArithmeticFault::Cause::InvalidOperation);
    EXPECT_EQ(out.result.Sap, checkPad(openingInput(), 0.125, 4000).result.Sap);  // kept

    in = openingInput();
    in.b1 = 0;  // SF and Vnr are 0; the stress is 0 / 0
    out = checkPad(in, 0.125, 4000);
    ASSERT_TRUE(out.fault);
    EXPECT_EQ(out.fault->quantity, "Snr");
    EXPECT_EQ(out.fault->cause, ArithmeticFault::Cause::InvalidOperation);

    in = openingInput();
    in.w1 = 4;
    in.b1 = -4;  // (w1 + b1) is 0: a division by zero
    out = checkPad(in, 0.125, 4000);
    ASSERT_TRUE(out.fault);
    EXPECT_EQ(out.fault->quantity, "SF");
    EXPECT_EQ(out.fault->cause, ArithmeticFault::Cause::DivisionByZero);
    EXPECT_EQ(causeText(out.fault->cause), "division by zero");
}

TEST(RunFaults, AFaultDoesNotLeakIntoTheNextRun) {
    (void)analyze(request(kImperial, "1e200", "1e200", ".01", ".0711", "7.13"), cLocale());
    const ResultTable table = analyze(defaults(), cLocale());
    EXPECT_FALSE(table.fault);
    EXPECT_EQ(table.rows.size(), 7u);
}

}  // namespace
}  // namespace bpd
