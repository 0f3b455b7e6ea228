// The result table as data: the cells as the grid shows them, the numbers the value cells
// show, and the failing check the grid's hover names (Var as shown, not as computed).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "NumberFormat.h"
#include "ResultTable.h"
#include "RowExplanation.h"
#include "TableTestSupport.h"

namespace bpd {
namespace {

using test::cLocale;
using test::request;

const NumberLocale kGerman{",", "."};
constexpr double kInf = std::numeric_limits<double>::infinity();

// Every value cell's number is the number its text reads as, in both systems and whatever
// the separators the texts were written with.
TEST(ShownNumbers, AreTheNumbersTheTextsShow) {
    const AnalysisRequest requests[] = {
        request(UnitSystem::Imperial, "4", "4", ".01", "0.0711", "7.13"),
        request(UnitSystem::Imperial, "4", "4", ".1", "0.1", "45", true),
        request(UnitSystem::SI, "400", "300", ".005", "5", "500"),
    };
    for (const AnalysisRequest& r : requests) {
        for (const NumberLocale* locale : {&cLocale(), &kGerman}) {
            AnalysisRequest local = r;
            for (const InputRule& input : kInputs)
                std::replace(input.of(local.texts).begin(), input.of(local.texts).end(), '.',
                             locale->decimalSeparator[0]);
            const ResultTable table = analyze(local, *locale);
            ASSERT_EQ(table.rows.size(), 7u);
            for (int row = 1; row < table.rowCount; ++row) {
                for (int c = kFirstValueColumn; c < kResultColumns; ++c) {
                    const std::optional<double> shown = table.shownNumber(row, c);
                    ASSERT_TRUE(shown) << row << "," << c;
                    EXPECT_EQ(*shown, parseNumber(table.cellText(row, c), *locale).value())
                        << "row " << row << " column " << c << " " << table.cellText(row, c);
                }
            }
        }
    }
}

TEST(ShownNumbers, RoundLikeTheirTexts) {
    EXPECT_EQ(shownResult(59.4550, 4, 2), 59.46);    // the mask's half goes away from zero
    EXPECT_EQ(shownResult(0.7142857, 4, 3), 0.714);  // R
    EXPECT_EQ(shownResult(56.875, 2, 2), 56.88);     // Es: ties to even at 2, then the mask
    EXPECT_EQ(shownResult(-0.005, 4, 2), -0.01);
    EXPECT_EQ(shownResult(0, 4, 2), 0.0);
    EXPECT_EQ(shownResult(kInf, 4, 2), kInf);
}

TEST(ResultCells, AsTheGridShowsThem) {
    const ResultTable table =
        analyze(request(UnitSystem::Imperial, "4", "4", ".01", "0.0711", "7.13"), cLocale());
    EXPECT_EQ(table.cellText(0, 0), "Status");
    EXPECT_EQ(table.cellText(0, 12), "G(psi)");
    EXPECT_EQ(table.cellText(1, kStatusColumn), "Pass");
    EXPECT_EQ(table.cellText(1, kLabelColumn), "1/8");
    EXPECT_EQ(table.cellText(7, kVarColumn), "30.98");
    // Outside the table: nothing.
    EXPECT_EQ(table.cellText(8, 1), "");
    EXPECT_EQ(table.cellText(1, 13), "");
    EXPECT_EQ(table.cellText(-1, 0), "");
    // The header, status and label cells show no number.
    EXPECT_FALSE(table.shownNumber(0, kVarColumn));
    EXPECT_FALSE(table.shownNumber(1, kStatusColumn));
    EXPECT_FALSE(table.shownNumber(1, kLabelColumn));
    EXPECT_EQ(table.shownNumber(7, kVarColumn), 30.98);
    EXPECT_EQ(table.computedRow(0), nullptr);
    EXPECT_EQ(table.computedRow(8), nullptr);
    ASSERT_NE(table.computedRow(7), nullptr);
    EXPECT_EQ(table.computedRow(7)->cells[1], "1");
}

TEST(ResultCells, RowsAfterAFaultShowOnlyTheirLabels) {
    // The rotation length overflows from t = 1/2 on: rows 4..7 keep their labels only.
    const ResultTable table =
        analyze(request(UnitSystem::Imperial, "4", "4", "1e-309", ".0711", "7.13"), cLocale());
    ASSERT_TRUE(table.fault);
    EXPECT_EQ(table.cellText(3, kStatusColumn), "Pass");
    EXPECT_EQ(table.computedRow(4), nullptr);
    EXPECT_EQ(table.cellText(4, kLabelColumn), "1/2");
    EXPECT_EQ(table.cellText(7, kLabelColumn), "1");
    EXPECT_EQ(table.cellText(4, kStatusColumn), "");
    EXPECT_EQ(table.cellText(4, kVarColumn), "");
    EXPECT_FALSE(table.shownNumber(4, kVarColumn));
}

// dh = 0.1 and Vap = 45 at 4 x 4 in.: row 1 (Var 59.46) fails the shear check only, rows 2..7
// (Var 43.09 down to 30.98) fail the compression check only.
ResultTable largeDeformation(const char* vap = "45") {
    return analyze(request(UnitSystem::Imperial, "4", "4", ".01", "0.1", vap), cLocale());
}

TEST(ShownFailure, NamesTheCheckTheRowFails) {
    const ResultTable table = largeDeformation();
    EXPECT_EQ(shownFailure(table, 1, 45), DesignCheck::Shear);
    for (int row = 2; row <= 7; ++row)
        EXPECT_EQ(shownFailure(table, row, 45), DesignCheck::Compression) << row;
    // Both fail at 80 kips on row 1: compression is named.
    const ResultTable both = largeDeformation("80");
    ASSERT_FALSE(both.rows[0].values.compressionPasses);
    ASSERT_FALSE(both.rows[0].values.shearPasses);
    EXPECT_EQ(shownFailure(both, 1, 80), DesignCheck::Compression);
}

TEST(ShownFailure, StrictlyAboveVarAsShown) {
    const ResultTable table = largeDeformation();
    for (int row = 1; row <= 7; ++row) {
        const double shown = table.shownNumber(row, kVarColumn).value();
        EXPECT_EQ(shownFailure(table, row, shown), DesignCheck::Shear) << row;
        EXPECT_EQ(shownFailure(table, row, std::nextafter(shown, kInf)), DesignCheck::Compression)
            << row;
        EXPECT_EQ(shownFailure(table, row, std::nextafter(shown, -kInf)), DesignCheck::Shear)
            << row;
    }
}

// A load between Var and its shown text is judged by the text: the hover and the check itself
// disagree there, and the hover keeps the text's side.
TEST(ShownFailure, ALoadBetweenVarAndItsTextFollowsTheText) {
    const ResultTable table = largeDeformation();
    int between = 0;
    for (int row = 1; row <= 7; ++row) {
        const double exact = table.rows[static_cast<std::size_t>(row - 1)].values.Var;
        const double shown = table.shownNumber(row, kVarColumn).value();
        if (exact == shown) continue;
        const double vap = (exact + shown) / 2;
        ASSERT_NE(vap > exact, vap > shown);
        EXPECT_EQ(shownFailure(table, row, vap),
                  vap > shown ? DesignCheck::Compression : DesignCheck::Shear)
            << "row " << row << " Var " << exact << " shown " << shown;
        ++between;
    }
    EXPECT_GT(between, 0);
}

TEST(ShownFailure, InTheUnitsOfTheTable) {
    // 400 x 300 mm, 500 KN: Var shows in KN, and the load is compared in KN.
    const ResultTable table =
        analyze(request(UnitSystem::SI, "400", "300", ".005", "5", "500"), cLocale());
    EXPECT_EQ(table.cellText(3, kVarColumn), "4515.30");
    EXPECT_EQ(shownFailure(table, 3, 4515.30), DesignCheck::Shear);
    EXPECT_EQ(shownFailure(table, 3, 4515.31), DesignCheck::Compression);
}

}  // namespace
}  // namespace bpd
