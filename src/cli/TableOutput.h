#pragma once
// The three forms of one bearing's result table on standard output.

#include <ostream>
#include <string>
#include <string_view>

#include "ResultTable.h"

namespace bpd::cli {

enum class OutputFormat { Text, Csv, Json };

// Aligned columns, left-aligned as in the results grid, two blanks apart.
void writeTextTable(std::ostream& out, const ResultTable& table);
// The 13 header texts, then one line of 13 cell texts per computed row.
void writeCsvTable(std::ostream& out, const ResultTable& table);
// {"units", "sliding", "thickness", "header", "rows": [{"status","t","SF",...,"G"}], "fault"}
void writeJsonTable(std::ostream& out, const ResultTable& table, UnitSystem units, bool sliding,
                    std::string_view thickness);

// One CSV field, quoted only when it holds a comma, a quote or a line break.
void appendCsvField(std::string& out, std::string_view field);
// A JSON string literal.
void appendJsonString(std::string& out, std::string_view text);

// "row 2 (t = 1/4): Vnr: overflow" / "Vap: not a number".
std::string describeFault(const RunFault& fault);

}  // namespace bpd::cli
