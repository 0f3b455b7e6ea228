#pragma once
// The three forms of a sized pad (--size) on standard output: w1 and b1, the grid's 13
// cells of the pad and its three explanation fields.

#include <ostream>
#include <string>

#include "PadSizing.h"
#include "TableOutput.h"

namespace bpd::cli {

// text: aligned header and row; csv: the header "w1,b1,Status,...,G,Ucomp,Ushear,Governs"
// and one line; json: {"units", "sliding", "w1", "b1", "header", "row"}.
void writeSizedPad(std::ostream& out, OutputFormat format, UnitSystem units, bool sliding,
                   const SizedPad& pad);

// The CSV header of sized lines after the leading fields ("w1,b1,Status,...,Governs").
std::string sizedCsvHeader(UnitSystem units);

// One CSV line's fields after the leading ones: w1,b1, the 13 cells and the explanation.
void appendSizedCsvFields(std::string& out, const SizedPad& pad);

}  // namespace bpd::cli
