#pragma once
// The five inputs as scripts give them: values come from scripts and spreadsheets of any
// locale, where "4,500" may mean 4.5, so only plain numbers are read (a point as the decimal
// separator, no grouping), under the window's rules for each input (InputRules.h).

#include <optional>
#include <string>
#include <string_view>

namespace bpd::cli {

struct InputReading {
    std::optional<double> value;  // set when the text is acceptable
    std::string problem;          // otherwise why not ("is not a number", ...)
};

// zeroAllowed: the input's rule (InputRule::zeroAllowed).
InputReading readInput(std::string_view text, bool zeroAllowed);

}  // namespace bpd::cli
