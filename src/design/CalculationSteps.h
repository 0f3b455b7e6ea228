#pragma once
// The calculation of one bearing as a checker reviews it: for each computed thickness every
// step of the chain in the order it runs, each with its formula, the formula with the numbers
// put in and the result exactly as the results grid shows it (with its unit); the stress cap,
// the w1 limit of W2 and A = 0 where they act; in SI the conversion of the inputs into the
// method's units; the two checks with their limits and utilisation (RowExplanation), the
// governing check, the verdict and, for a failing thickness, the advice (RowAdvice).
//
// Numbers put into a formula are the texts the sheet shows for them: an input as given with
// at least two decimals (4 -> "4.00"), an input converted from SI to four decimals, a computed
// quantity as the grid shows it. The arithmetic runs on the unrounded values, as the check
// does; the texts here are only read off the check's own results.

#include <string>
#include <vector>

#include "InputRules.h"
#include "RowExplanation.h"
#include "Units.h"

namespace bpd {

// One bearing as the window or the command line holds it.
struct BearingInputs {
    UnitSystem units = UnitSystem::Imperial;
    InputValues values;  // as read, in the units of the system
    bool sliding = false;
    int selection = 0;  // 0: every catalogue thickness ("All"); 1..7: that one only
};

struct CalculationStep {
    std::string quantity;     // as the grid's header names it: "SF", "Vnr", ...; "Nmax"
    std::string formula;      // "(w1 × b1) / ((w1 + b1) × 2 × t)"; empty for a bare value
    std::string substituted;  // the formula with the numbers put in
    std::string result;       // "8.00", "83.24 kips": the grid's text with its unit
    int column = -1;          // the grid column result comes from; -1: not a grid value
    std::string line;         // the whole line as the sheet prints it
};

struct ThicknessCalculation {
    std::string label;      // the grid's column 1: "1/8" / "3.175"
    std::string thickness;  // "1/8 in." / "3.175 mm"
    std::vector<CalculationStep> steps;
    std::string compressionCheck;  // "Vap = 7.13 kips ≤ Var = 59.46 kips: OK (12.0 %)"
    std::string shearCheck;        // "Es = 56.88 % ≤ 75 %: OK (75.8 %)"
    std::string governing;         // "Governing check: shear (75.8 %)"
    std::string verdict;           // "Pass" / "FAIL!", the grid's status text
    std::string advice;            // a failing thickness: what would pass; else empty
    RowExplanation explanation;
    bool passes = false;
};

// One bar pair of the utilisation chart: a catalogue thickness at this plan size.
struct UtilisationBar {
    std::string label;
    RowExplanation explanation;
    bool passes = false;
};

struct InputLine {
    std::string name;  // "w1", ..., "Vap", "Sliding", "t"
    std::string text;  // as the field shows it: "4.0000", "Yes", "All"
    std::string unit;  // "in.", "rad.", "kips", ...; empty for Sliding and t
};

struct BearingCalculation {
    UnitSystem units = UnitSystem::Imperial;
    std::vector<InputLine> inputs;         // w1, b1, A, dh, Vap, Sliding, t
    std::vector<std::string> conversions;  // SI: the inputs into in. and kips, and back
    std::string rounding;                  // how the shown numbers are rounded
    std::vector<ThicknessCalculation> thicknesses;
    std::vector<UtilisationBar> chart;  // every catalogue thickness, thinnest first
    std::string fault;                  // where the check stopped, if it did; else empty
    std::string canonicalInputs;        // one text per distinct input set (the digest's)
};

// Runs the check of the bearing (the grid's own run) and lays out its steps.
BearingCalculation calculateBearing(const BearingInputs& bearing);

}  // namespace bpd
