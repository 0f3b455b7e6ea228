// The design check in SI units: converted inputs, the same chain, converted texts.

#include <gtest/gtest.h>

#include <vector>

#include "ResultTable.h"
#include "TableTestSupport.h"

namespace bpd {
namespace {

using test::cell;
using test::cLocale;
using test::joined;
using test::request;
constexpr auto kSI = UnitSystem::SI;

AnalysisRequest switchedOpening(bool sliding = false, int selection = 0) {
    return request(kSI, "101.6", "101.6", ".01", "1.80594", "31.72", sliding, selection);
}

TEST(SiTable, HeaderAndLabels) {
    const ResultTable table = analyze(switchedOpening(), cLocale());
    EXPECT_EQ(joined(table.header),
              "Status|t(mm)|SF|Vnr(KN)|Snr(N/m2)|R|Var(KN)|W2(mm)|Es(%)|Sap(N/m2)|N(N)|"
              "Ss(N/m2)|G(N/m2)|");
    EXPECT_EQ(table.rowCount, 8);
    EXPECT_EQ(table.labels, (std::vector<std::string>{"3.175", "6.350", "9.525", "12.700", "15.875",
                                                      "19.050", "25.400"}));
}

TEST(SiTable, SwitchedOpeningInputs) {
    const ResultTable table = analyze(switchedOpening(), cLocale());
    ASSERT_EQ(table.rows.size(), 7u);
    for (const ResultRow& row : table.rows) EXPECT_EQ(row.cells[0], "Pass");
    EXPECT_EQ(joined(table.rows[0].cells),
              "Pass|3.175|8.00|370.34|35870371.55|.714|264.53|101.60|56.88|3072357.53|2870.74|"
              "278056.34|488847.28|");
    EXPECT_EQ(joined(table.rows[6].cells),
              "Pass|25.400|1.00|141.60|13715142.02|.973|137.81|101.60|7.11|3072357.53|1014.96|"
              "98307.76|1382668.91|");
}

TEST(SiTable, SlidingCapsTheThinPads) {
    const ResultTable table = analyze(switchedOpening(true), cLocale());
    ASSERT_EQ(table.rows.size(), 7u);
    const char* vars[] = {"127.11", "142.37", "154.75"};
    const char* snrs[] = {"35870371.55", "23210240.39", "18990196.67"};
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(cell(table, r, "Vnr"), "177.96") << r;
        EXPECT_EQ(cell(table, r, "Var"), vars[r - 1]) << r;
        EXPECT_EQ(cell(table, r, "Snr"), snrs[r - 1]) << r;
        EXPECT_EQ(cell(table, r, "Status"), "Pass");
    }
    // The thicker pads stay below the SI form of the 2500 psi limit and are unchanged.
    const ResultTable plain = analyze(switchedOpening(false), cLocale());
    for (std::size_t r = 3; r < 7; ++r) {
        EXPECT_EQ(joined(table.rows[r].cells), joined(plain.rows[r].cells)) << r + 1;
    }
}

TEST(SiTable, RectangularPadWithRotation) {
    const ResultTable table = analyze(request(kSI, "400", "300", ".005", "5", "500"), cLocale());
    ASSERT_EQ(table.rows.size(), 7u);
    EXPECT_EQ(cell(table, 1, "W2"), "254.00");
    EXPECT_EQ(cell(table, 1, "Snr"), "151174983.50");
    EXPECT_EQ(cell(table, 1, "Vnr"), "4466.46");
    EXPECT_EQ(cell(table, 1, "Es"), "157.48");
    EXPECT_EQ(cell(table, 1, "Status"), "FAIL!");
    EXPECT_FALSE(table.rows[0].values.shearPasses);
    EXPECT_EQ(cell(table, 2, "Es"), "78.74");
    EXPECT_EQ(cell(table, 2, "Status"), "FAIL!");
    EXPECT_FALSE(table.rows[1].values.shearPasses);
    EXPECT_EQ(cell(table, 3, "SF"), "9.00");
    EXPECT_EQ(cell(table, 3, "Vnr"), "4684.62");
    EXPECT_EQ(cell(table, 3, "Var"), "4515.30");
    EXPECT_EQ(cell(table, 3, "Es"), "52.49");
    for (int r = 3; r <= 7; ++r) EXPECT_EQ(cell(table, r, "Status"), "Pass") << r;
}

TEST(SiTable, SingleSelectionUsesTheSiLabel) {
    const ResultTable table = analyze(switchedOpening(false, 4), cLocale());
    EXPECT_EQ(table.rowCount, 2);
    EXPECT_EQ(table.labels, std::vector<std::string>{"12.700"});
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(cell(table, 1, "t"), "12.700");
    const ResultTable all = analyze(switchedOpening(), cLocale());
    EXPECT_EQ(joined(table.rows[0].cells), joined(all.rows[3].cells));
}

TEST(SiTable, ComputesOnConvertedInputsInInches) {
    // The same chain as Imperial on w1 * IN_PER_MM etc.: values stay Imperial in the rows.
    const ResultTable table = analyze(switchedOpening(), cLocale());
    const PadResult& r = table.rows[0].values;
    EXPECT_EQ(r.W2, 101.6 * IN_PER_MM);
    EXPECT_EQ(r.Es, 1.80594 * IN_PER_MM / 0.125 * 100);
}

TEST(SiTable, ConversionBeyondTheRangeOfADoubleIsAFault) {
    // The applied stress is finite in psi but leaves the range of a double in N/m2.
    const ResultTable table =
        analyze(request(kSI, "101.6", "101.6", ".01", "1.80594", "1e305"), cLocale());
    ASSERT_TRUE(table.fault);
    EXPECT_EQ(table.fault->kind, RunFault::Kind::Arithmetic);
    EXPECT_EQ(table.fault->tableRow, 1);
    EXPECT_EQ(table.fault->thickness, "3.175");
    EXPECT_EQ(table.fault->quantity, "Sap");
    EXPECT_TRUE(table.rows.empty());
}

}  // namespace
}  // namespace bpd
