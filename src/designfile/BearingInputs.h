#pragma once
// What a check makes of a bearing of a design file: each value is taken as the main window
// takes it when typed into its field: written out, re-formatted to four decimals (".0000",
// NumberFormat.h) and then tested by the window's input rules (InputRules.h). So a bearing
// gives the same rows in the window, in the schedule and in bpd-check.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <vector>

#include "DesignDocument.h"
#include "PadSizing.h"
#include "ResultTable.h"

namespace bpd::designfile {

// Why a bearing cannot be checked: its first problem in the order of its members.
struct BearingProblem {
    std::size_t position = 0;         // 1-based, in file order
    std::optional<std::string> mark;  // the bearing's mark, when it has one
    std::string field;                // "mark", "quantity", "w1", ..., "thickness"
    std::string reason;               // "must be positive", "missing", ...
};

// The first problem of the bearing at position (1-based), or none when it can be checked.
std::optional<BearingProblem> bearingProblem(UnitSystem units, const DesignBearing& bearing,
                                             std::size_t position);

// "bearing 3 (B3): w1: must be positive" (the mark as given; "bearing 3: ..." without one).
std::string describeProblem(const BearingProblem& problem);

// The five texts the window's fields would hold once the values were typed into them and
// re-formatted ("9.0000", ".0100"); an absent value gives the empty text.
InputTexts fieldTexts(const DesignBearing& bearing);

// The selector position of the bearing's thickness (0 for "All"), or -1 for a label that is
// not one of the file's units.
int thicknessPosition(UnitSystem units, const DesignBearing& bearing);

// The run of a bearing without a problem, as the window makes it from its fields.
AnalysisRequest analysisRequest(UnitSystem units, const DesignBearing& bearing);

// The values that run reads from the field texts (the re-formatted numbers).
InputValues fieldValues(const DesignBearing& bearing);

// The sizing of a bearing without a problem: its A, dh, Vap, Sliding and thickness as the
// fields give them, over the free dimension's sizes; keepWidth keeps its b1.
SizingRequest sizingRequest(UnitSystem units, const DesignBearing& bearing,
                            const std::vector<PlanSize>& sizes, bool keepWidth = false);

// A bearing's quantity rule: a whole number of at least 1 (and at most 2^53, where a double
// still tells one whole number from the next).
bool isQuantity(double quantity);

// The quantity as a count, for a bearing without a problem.
long long quantityOf(const DesignBearing& bearing);

}  // namespace bpd::designfile
