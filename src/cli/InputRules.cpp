#include "InputRules.h"

namespace bpd::cli {

InputReading readInput(std::string_view text, bool zeroAllowed, const NumberLocale& locale) {
    InputReading reading;
    const std::optional<double> number = parseNumber(text, locale);
    if (!number) {
        reading.problem.reserve(text.size() + 20);
        reading.problem += '"';
        reading.problem += text;
        reading.problem += "\" is not a number";
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
