#include "PlainInput.h"

#include "EchoedText.h"
#include "InputRules.h"
#include "NumberFormat.h"

namespace bpd::cli {

const NumberLocale& decimalCommaNumbers() {
    static const NumberLocale numbers{",", ""};
    return numbers;
}

InputReading readInput(std::string_view text, bool zeroAllowed, const NumberLocale& numbers) {
    InputReading reading;
    const std::optional<double> number = parseNumber(text, numbers);
    const InputProblem problem = inputProblem(number, zeroAllowed);
    if (problem == InputProblem::None) {
        reading.value = number;
    } else if (problem == InputProblem::NotANumber) {
        // The text itself is named: a number that does not read is shown to its writer.
        reading.problem = '"' + echoed(text) + "\" ";
        reading.problem += inputReason(problem);
        const bool comma = numbers.decimalSeparator == ",";
        if (text.find(comma ? '.' : ',') != std::string_view::npos)
            reading.problem += comma ? " (the decimal separator is a comma; no grouping)"
                                     : " (the decimal separator is a point; no grouping)";
    } else {
        reading.problem = inputReason(problem);
    }
    return reading;
}

}  // namespace bpd::cli
