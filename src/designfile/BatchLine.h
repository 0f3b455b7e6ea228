#pragma once
// The batch file's lines: a header naming the columns (w1, b1, A, dh, Vap, sliding and
// optionally thickness, mark, location and quantity, in any order), then one bearing per line.
// The check reads the bearing's inputs; mark, location and quantity go into a design file
// (--save-project) and are otherwise passed over.
//
// The rules are the checker's and the schedule's import's (CsvImport.h): one home for both.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DesignDocument.h"
#include "InputRules.h"
#include "NumberFormat.h"
#include "Units.h"

namespace bpd::cli {

// The longest line read; a longer one is reported, so one endless line cannot exhaust memory.
inline constexpr std::size_t kMaxLineLength = 1 << 16;

// Where each column sits in a line (0-based), -1 for an absent optional column.
struct BatchColumns {
    FiveInputs<int> inputs{-1, -1, -1, -1, -1};
    int sliding = -1, thickness = -1;
    int mark = -1, location = -1, quantity = -1;
    int fieldCount = 0;
};

struct BatchBearing {
    InputValues values;  // in the units of the run
    bool sliding = false;
    int selection = 0;  // 0 = "All", 1..7 a catalogue position
    // When sizing: whether the line fixes w1 or b1 (at most one; values holds it).
    bool w1Given = true, b1Given = true;
    std::string mark, location;  // empty when the column is absent
    double quantity = 1;         // a whole number of at least 1; 1 when absent or empty
};

// Splits one CSV line into fields (commas, or the separator given; double quotes with ""
// inside a quoted field; blanks around a field dropped). Reuses the strings of fields. False
// on an unclosed quote or text after a closing quote.
bool splitCsvLine(std::string_view line, std::vector<std::string>& fields, char separator = ',');

// One CSV field, quoted only when it holds a comma, a quote or a line break.
void appendCsvField(std::string& out, std::string_view field);

// Reads the header line; on failure returns false and says why in error. When sizing, the
// columns w1 and b1 may be left out.
bool readBatchHeader(std::string_view line, BatchColumns& columns, std::string& error,
                     bool sizing = false);
// The same for a header already split (a byte order mark removed); a column named in
// passedOver (lower case) is allowed and its fields are not read.
bool readBatchColumns(const std::vector<std::string>& names, BatchColumns& columns,
                      std::string& error, bool sizing = false,
                      std::span<const std::string_view> passedOver = {});

// Reads one bearing line (already split); on failure returns false and says why in error.
// Numbers are plain (PlainInput.h) and follow the window's rules (InputRules.h); sliding is
// 0/1, yes/no or true/false; thickness is a label of either unit system or "All" (empty:
// "All"; with decimal commas also an SI label's number, "12,7"). When sizing, w1 and b1 may
// be empty or absent (the dimensions to size); at most one of them may be given. numbers:
// the separators of the numbers (plain unless the file is in the decimal-comma form).
bool readBatchBearing(const std::vector<std::string>& fields, const BatchColumns& columns,
                      BatchBearing& bearing, std::string& error, bool sizing = false,
                      const NumberLocale& numbers = NumberLocale::plain());

// A checked line as a design file's bearing, in the run's units (its thickness as the label
// of those units).
designfile::DesignBearing designBearingOf(const BatchBearing& bearing, UnitSystem units);

// True for a line holding nothing but blanks (skipped by the batch run).
bool isBlankLine(std::string_view line);

}  // namespace bpd::cli
