#include "PlainInput.h"

#include "EchoedText.h"
#include "InputRules.h"
#include "NumberFormat.h"

namespace bpd::cli {

InputReading readInput(std::string_view text, bool zeroAllowed) {
    InputReading reading;
    const std::optional<double> number = parseNumber(text, NumberLocale::plain());
    const InputProblem problem = inputProblem(number, zeroAllowed);
    if (problem == InputProblem::None) {
        reading.value = number;
    } else if (problem == InputProblem::NotANumber) {
        // The text itself is named: a number that does not read is shown to its writer.
        reading.problem = '"' + echoed(text) + "\" ";
        reading.problem += inputReason(problem);
        if (text.find(',') != std::string_view::npos)
            reading.problem += " (the decimal separator is a point; no grouping)";
    } else {
        reading.problem = inputReason(problem);
    }
    return reading;
}

}  // namespace bpd::cli
