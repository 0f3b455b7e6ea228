#pragma once
// The five numeric inputs of a design check and the rules every reader of them applies:
// the window's fields, the command line's options and batch columns, and the run itself.
//
// Each input must read as a number; w1, b1 and dh must then be positive, A and Vap 0 or
// positive. The window shows them, and the command line reports on them, in the order w1,
// b1, A, dh, Vap; a run reads them in the order b1, w1, A, dh, Vap.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace bpd {

// One thing per input: its text, its number, its field, its column.
template <class T>
struct FiveInputs {
    T w1{}, b1{}, A{}, dh{}, Vap{};
};

// The inputs as the fields hold them, in the units of the chosen system.
using InputTexts = FiveInputs<std::string>;
// The inputs read as numbers, in the units of the chosen system.
using InputValues = FiveInputs<double>;

enum class Input { w1, b1, A, dh, Vap };

struct InputRule {
    Input input;
    std::string_view name;  // "w1", "b1", "A", "dh", "Vap"
    bool zeroAllowed;       // A and Vap may be 0; w1, b1 and dh must be positive

    // This input's member of a FiveInputs.
    template <class T>
    T& of(FiveInputs<T>& inputs) const {
        return inputs.*member<T>();
    }
    template <class T>
    const T& of(const FiveInputs<T>& inputs) const {
        return inputs.*member<T>();
    }

private:
    template <class T>
    constexpr T FiveInputs<T>::*member() const {
        constexpr T FiveInputs<T>::*members[] = {&FiveInputs<T>::w1, &FiveInputs<T>::b1,
                                                 &FiveInputs<T>::A, &FiveInputs<T>::dh,
                                                 &FiveInputs<T>::Vap};
        return members[static_cast<int>(input)];
    }
};

// The five inputs in the order the window shows them: w1, b1, A, dh, Vap.
inline constexpr std::array<InputRule, 5> kInputs{{
    {Input::w1, "w1", false},
    {Input::b1, "b1", false},
    {Input::A, "A", true},
    {Input::dh, "dh", false},
    {Input::Vap, "Vap", true},
}};

// The order in which a design check run reads them: b1, w1, A, dh, Vap.
inline constexpr std::array<InputRule, 5> kReadOrder{
    {kInputs[1], kInputs[0], kInputs[2], kInputs[3], kInputs[4]}};

// What is wrong with an input, tested in this order so that one problem is named.
enum class InputProblem {
    None,
    NotANumber,   // the text does not read as a number
    Negative,     // below 0 where 0 is allowed
    NotPositive,  // 0 or below where it is not
};

// The verdict on an input text as read (no number: it did not read as one).
InputProblem inputProblem(std::optional<double> number, bool zeroAllowed);

// The window's message for a refused input ("Invalid input. Please enter numeric data.", ...);
// empty for InputProblem::None. Every editor of the inputs shows these.
std::string_view inputMessage(InputProblem problem);

// The command line's and the design file's reason for a refused input, after its name
// ("w1: must be positive"); empty for InputProblem::None.
std::string_view inputReason(InputProblem problem);

}  // namespace bpd
