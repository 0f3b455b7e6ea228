#pragma once
// Helpers shared by the table tests: case tables named by their cases, cells by column name,
// rows as one comparable text.

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "ResultTable.h"

namespace bpd::test {

// The test name of a table case: its `name` member.
template <class Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    return std::string(info.param.name);
}

}  // namespace bpd::test

// Runs a parameterised suite over a case table whose cases carry a `name`: each test is
// named after its case, and a failure prints that name instead of the case's bytes. Use it
// in the namespace of the case type (the printer is found beside the type).
#define BPD_CASE_TABLE(Prefix, Suite, Case, cases)                   \
    [[maybe_unused]] void PrintTo(const Case& c, std::ostream* os) { \
        *os << c.name;                                               \
    }                                                                \
    INSTANTIATE_TEST_SUITE_P(Prefix, Suite, ::testing::ValuesIn(cases), ::bpd::test::caseName<Case>)

namespace bpd::test {

inline int columnIndex(std::string_view name) {
    constexpr std::array<std::string_view, kResultColumns> names{
        "Status", "t", "SF", "Vnr", "Snr", "R", "Var", "W2", "Es", "Sap", "N", "Ss", "G"};
    for (int c = 0; c < kResultColumns; ++c) {
        if (names[c] == name) return c;
    }
    ADD_FAILURE() << "no column " << name;
    return 0;
}

// Body row (1-based, as in the grid) and column name.
inline std::string cell(const ResultTable& table, int row, std::string_view column) {
    if (row < 1 || row > static_cast<int>(table.rows.size())) {
        ADD_FAILURE() << "no computed row " << row;
        return {};
    }
    return table.rows[static_cast<std::size_t>(row - 1)].cells[columnIndex(column)];
}

inline std::string joined(const RowTexts& cells) {
    std::string s;
    for (const std::string& c : cells) s += c + "|";
    return s;
}

inline AnalysisRequest request(UnitSystem units, const char* w1, const char* b1, const char* A,
                               const char* dh, const char* Vap, bool sliding = false,
                               int selection = 0) {
    AnalysisRequest r;
    r.units = units;
    r.texts = InputTexts{w1, b1, A, dh, Vap};
    r.sliding = sliding;
    r.selection = selection;
    return r;
}

inline const NumberLocale& cLocale() {
    return NumberLocale::c();
}

}  // namespace bpd::test
