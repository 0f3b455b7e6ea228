#include "InputRules.h"

namespace bpd {

InputProblem inputProblem(std::optional<double> number, bool zeroAllowed) {
    if (!number) return InputProblem::NotANumber;
    if (zeroAllowed && *number < 0) return InputProblem::Negative;
    if (!zeroAllowed && *number <= 0) return InputProblem::NotPositive;
    return InputProblem::None;
}

}  // namespace bpd
