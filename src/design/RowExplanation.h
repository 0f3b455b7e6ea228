#pragma once
// How close a computed row is to its two limits and which of them governs.
//
// The compression utilisation is Vap / Var. The shear check N <= Nmax is Es <= 75 % whenever
// a load is applied (kShearStrainLimitPercent), so its utilisation is Es / 75; with no applied
// load N and Nmax are both 0 and the shear check passes by the method, whatever Es.

#include <array>
#include <string>
#include <string_view>

#include "PadCheck.h"
#include "ResultTable.h"

namespace bpd {

enum class DesignCheck { Compression, Shear };

struct RowExplanation {
    double compression = 0;      // Vap / Var; infinite when Var = 0 < Vap; 0 when Vap = 0
    double shear = 0;            // Es / 75; 0 when the check passes by the method
    bool shearByMethod = false;  // N = Nmax = 0: no applied load, the check passes whatever Es
    DesignCheck governing = DesignCheck::Compression;  // the larger; compression on a tie
    bool compressionFails = false;
    bool shearFails = false;
};

// VapKips: the applied load as the chain used it (kips, after any SI conversion).
RowExplanation explainRow(const PadResult& values, double VapKips);

// The failing check the results grid names when the mouse is over a failing row: compression
// when the applied load as its field reads now (vap, in the table's units) is strictly above
// Var as the row shows it (rounded to two decimals), else shear. So a row that fails both
// checks names compression, and a load above Var but not above its shown text names shear.
DesignCheck shownFailure(const ResultTable& table, int row, double vap);

// "compression", "shear".
std::string_view checkName(DesignCheck check);

// A utilisation (a ratio) as a percentage: 0.834 -> 83.4, unrounded.
double utilisationPercent(double utilisation);

// A utilisation as a percentage with one decimal: 0.834 -> "83.4", 0 -> "0.0"; an infinite
// one is "inf".
std::string formatUtilisation(double utilisation);

// The three columns an explained row adds, and their texts for one row:
// "Ucomp", "Ushear", "Governs" / "83.4", "12.0", "compression".
inline constexpr int kExplanationColumns = 3;
const std::array<std::string_view, kExplanationColumns>& explanationHeader();
std::array<std::string, kExplanationColumns> explanationTexts(const RowExplanation& explanation);

}  // namespace bpd
