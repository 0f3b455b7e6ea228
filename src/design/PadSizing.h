#pragma once
// The smallest passing pad: of all plan sizes w1 x b1 (both free, or one of them fixed) and
// catalogue thicknesses, the pad of least plan area whose row the grid shows as "Pass" for
// those texts typed into the fields: the same reading, the same SI conversion at the edge,
// the same chain and the same status. Ties go to the thinnest pad, then to the smaller
// |w1 - b1|, then to the smaller w1.
//
// The search visits the pads in exactly that order and stops at the first that passes, so
// no pad it leaves unvisited could be the answer. When none passes it has visited them all
// and says why: the shear check, which depends on dh / t alone, needs a thicker pad than the
// catalogue has; or the load exceeds what the pads that pass the shear check carry.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "PlanSizes.h"
#include "ResultTable.h"
#include "RowExplanation.h"
#include "Units.h"

namespace bpd {

struct SizingRequest {
    UnitSystem units = UnitSystem::Imperial;
    double A = 0, dh = 0, Vap = 0;  // as read, in the units of the system
    bool sliding = false;
    std::optional<PlanSize> w1, b1;  // a fixed dimension (at most one)
    std::vector<PlanSize> sizes;     // the sizes of a free dimension, ascending
    int selection = 0;               // 0: every catalogue thickness; 1..7: that one only
};

struct SizedPad {
    PlanSize w1, b1;
    int position = 0;  // catalogue position of the thickness
    ResultRow row;     // the grid's row of the pad
    RowExplanation explanation;
};

// Why no pad passes.
struct NoPassingPad {
    enum class Cause {
        Shear,  // no thickness tried passes the shear check
        Load,   // the pads that pass the shear check carry less than Vap
        Fault,  // the pads that would pass stop the check with an arithmetic fault
    };
    Cause cause = Cause::Shear;
    UnitSystem units = UnitSystem::Imperial;
    bool oneThickness = false;      // the search kept to one catalogue thickness
    int thickestPosition = 0;       // the thickest thickness tried
    double neededThickness = 0;     // Shear: dh / 0.75, in the length unit of the system
    std::string Vap;                // Load: the applied load's text
    std::string largestVar;         // Load: the largest Var shown among the shear-passing pads
    PlanSize largestW1, largestB1;  // Load: the pad that carries it
    int largestPosition = 0;
    RunFault fault;  // Fault: the first fault met
    PlanSize faultW1, faultB1;
};

struct SizingResult {
    std::optional<SizedPad> pad;
    NoPassingPad noPass;  // when pad is empty
    std::int64_t padsChecked = 0;
};

// Throws std::invalid_argument when both dimensions are fixed, when no dimension is free
// and sizes is empty, or the selection is outside 0..7 (programming errors).
SizingResult sizePad(const SizingRequest& request);

// One sentence: "the shear check needs t >= dh / 0.75 = 1.3333 in., beyond the thickest
// catalogue pad (1 in.)", "the load Vap = 900 kips exceeds what the pads carry at this
// rotation: ...", ...
std::string describeNoPass(const NoPassingPad& reason);

// The thinnest pad the shear check admits, dh / 0.75, in the length unit of the system (dh
// as read; in SI converted at the edge and back).
double shearThicknessNeeded(UnitSystem units, double dh);

// "4.5 x 5 in." / "110 x 120 mm".
std::string planSizeText(const PlanSize& w1, const PlanSize& b1, UnitSystem units);

// "1/4 in." / "6.350 mm".
std::string thicknessText(int position, UnitSystem units);

}  // namespace bpd
