#pragma once
// The results of one schedule line: the bearing checked as the main window and bpd-check
// check it (BearingInputs.h), reduced to what the schedule shows.

#include <optional>
#include <string>

#include "BearingInputs.h"
#include "DesignDocument.h"
#include "RowExplanation.h"

namespace bpd::schedule {

struct LineCheck {
    std::optional<designfile::BearingProblem> problem;  // a bearing that cannot be checked
    bool passes = false;   // the chosen thickness passes; with "All", some thickness does
    std::string status;    // "Pass", "FAIL!", or the problem ("w1: missing")
    std::string thinnest;  // the thinnest passing catalogue label; empty when none passes
    // The row the line speaks for: the chosen thickness; with "All" the thinnest passing
    // one, or when none passes the one with the lowest governing utilisation.
    std::string governingThickness;
    std::optional<RowExplanation> explanation;  // that row's checks, as --explain gives them
    double utilisation = 0;  // its governing check's utilisation (a ratio; may be infinite)
    std::string why;         // a failing line: the engine's advice; a problem: its description
};

// position: the bearing's 1-based place, for the problem's description.
LineCheck checkLine(UnitSystem units, const designfile::DesignBearing& bearing,
                    std::size_t position);

// The governing check's utilisation as --explain writes it ("83.4"); empty without a row.
std::string governingUtilisation(const LineCheck& line);

}  // namespace bpd::schedule
