#pragma once
// The five inputs as scripts give them: values come from scripts and spreadsheets of any
// locale, where "4,500" may mean 4.5, so only plain numbers are read (a point as the decimal
// separator, no grouping), under the window's rules for each input (InputRules.h).

#include <optional>
#include <string>
#include <string_view>

#include "NumberFormat.h"

namespace bpd::cli {

struct InputReading {
    std::optional<double> value;  // set when the text is acceptable
    std::string problem;          // otherwise why not ("is not a number", ...)
};

// The numbers of the form spreadsheet programs write under comma-decimal locales: a comma
// as the decimal separator, no grouping.
const NumberLocale& decimalCommaNumbers();

// zeroAllowed: the input's rule (InputRule::zeroAllowed); numbers: plain, or decimal-comma.
InputReading readInput(std::string_view text, bool zeroAllowed,
                       const NumberLocale& numbers = NumberLocale::plain());

}  // namespace bpd::cli
