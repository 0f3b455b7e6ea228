#include "InputRules.h"

namespace bpd {

InputProblem inputProblem(std::optional<double> number, bool zeroAllowed) {
    if (!number) return InputProblem::NotANumber;
    if (zeroAllowed && *number < 0) return InputProblem::Negative;
    if (!zeroAllowed && *number <= 0) return InputProblem::NotPositive;
    return InputProblem::None;
}

std::string_view inputReason(InputProblem problem) {
    switch (problem) {
        case InputProblem::NotANumber:
            return "is not a number";
        case InputProblem::Negative:
            return "must be 0 or positive";
        case InputProblem::NotPositive:
            return "must be positive";
        case InputProblem::None:
            break;
    }
    return {};
}

std::string_view inputMessage(InputProblem problem) {
    switch (problem) {
        case InputProblem::NotANumber:
            return "Invalid input. Please enter numeric data.";
        case InputProblem::Negative:
            return "Invalid input. Please enter 0 or positive value.";
        case InputProblem::NotPositive:
            return "Invalid input. Please enter positive value.";
        case InputProblem::None:
            break;
    }
    return {};
}

}  // namespace bpd
