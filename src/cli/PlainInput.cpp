#include "PlainInput.h"

#include "EchoedText.h"
#include "InputRules.h"
#include "NumberFormat.h"

namespace bpd::cli {

namespace {}  // namespace

InputReading readInput(std::string_view text, bool zeroAllowed) {
    InputReading reading;
    const std::optional<double> number = parseNumber(text, NumberLocale::plain());
    switch (inputProblem(number, zeroAllowed)) {
        case InputProblem::NotANumber:
            reading.problem = '"' + echoed(text) + "\" is not a number";
            if (text.find(',') != std::string_view::npos)
                reading.problem += " (the decimal separator is a point; no grouping)";
            break;
        case InputProblem::Negative:
            reading.problem = "must be 0 or positive";
            break;
        case InputProblem::NotPositive:
            reading.problem = "must be positive";
            break;
        case InputProblem::None:
            reading.value = number;
            break;
    }
    return reading;
}

}  // namespace bpd::cli
