#pragma once
// The window's rules for the five numeric inputs, for callers that read them from text:
// each must read as a number; w1, b1 and dh must be positive; A and Vap 0 or positive.
// Values come from scripts and spreadsheets of any locale, where "4,500" may mean 4.5, so
// only plain numbers are read: a point as the decimal separator and no grouping.

#include <optional>
#include <string>
#include <string_view>

namespace bpd::cli {

struct InputReading {
    std::optional<double> value;  // set when the text is acceptable
    std::string problem;          // otherwise why not ("is not a number", ...)
};

// zeroAllowed: true for A and Vap, false for w1, b1 and dh.
InputReading readInput(std::string_view text, bool zeroAllowed);

// True for the inputs that may be 0 ("A", "Vap").
bool zeroAllowedFor(std::string_view name);

}  // namespace bpd::cli
