#pragma once
// The three forms of one bearing's result table on standard output.

#include <array>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ResultTable.h"
#include "RowExplanation.h"

namespace bpd::cli {

enum class OutputFormat { Text, Csv, Json };

// With explained rows (one per computed row, --explain) each row also carries Ucomp,
// Ushear and Governs; without, the forms are those of the plain check.

// Aligned columns, left-aligned as in the results grid, two blanks apart.
void writeTextTable(std::ostream& out, const ResultTable& table,
                    std::span<const RowExplanation> explained = {});
// The 13 header texts, then one line of 13 cell texts per computed row.
void writeCsvTable(std::ostream& out, const ResultTable& table,
                   std::span<const RowExplanation> explained = {});
// {"units", "sliding", "thickness", "header", "rows": [{"status","t","SF",...,"G"}], "fault"}
void writeJsonTable(std::ostream& out, const ResultTable& table, UnitSystem units, bool sliding,
                    std::string_view thickness, std::span<const RowExplanation> explained = {});

// Lines of cells, each column as wide as its widest cell and two blanks from the next; the
// last column is not padded.
void writeAlignedLines(std::ostream& out, const std::vector<std::vector<std::string_view>>& lines);

// The JSON members an explained row adds: , "Ucomp": "83.4", "Ushear": "12.0", "Governs": ...
void appendJsonExplanation(std::string& out, const RowExplanation& explanation);

// The keys of a row's cells in the JSON forms: "status", "t", "SF", ..., "G".
const std::array<std::string_view, kResultColumns>& jsonColumnKeys();

// A JSON string literal.
void appendJsonString(std::string& out, std::string_view text);

// "row 2 (t = 1/4): Vnr: overflow" / "Vap: not a number".
std::string describeFault(const RunFault& fault);

}  // namespace bpd::cli
