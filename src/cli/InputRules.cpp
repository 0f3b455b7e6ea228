#include "InputRules.h"

#include "EchoedText.h"
#include "NumberFormat.h"

namespace bpd::cli {

namespace {
const NumberLocale kPlainNumbers{".", ""};
}  // namespace

InputReading readInput(std::string_view text, bool zeroAllowed) {
    InputReading reading;
    const std::optional<double> number = parseNumber(text, kPlainNumbers);
    if (!number) {
        reading.problem = '"' + echoed(text) + "\" is not a number";
        if (text.find(',') != std::string_view::npos)
            reading.problem += " (the decimal separator is a point; no grouping)";
    } else if (zeroAllowed && *number < 0) {
        reading.problem = "must be 0 or positive";
    } else if (!zeroAllowed && *number <= 0) {
        reading.problem = "must be positive";
    } else {
        reading.value = number;
    }
    return reading;
}

bool zeroAllowedFor(std::string_view name) {
    return name == "A" || name == "Vap";
}

}  // namespace bpd::cli
