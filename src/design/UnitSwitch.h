#pragma once
// The unit switch's arithmetic: the four fields it converts, in the order it reads and
// writes them (b1, w1, dh, Vap; the angle is radians in both systems and stays), each by one
// multiplication or division by its unit factor, rounded to the decimals that field keeps
// (ties to even) and written in the shortest plain form ("101.6", "4", "0.0711").

#include <array>
#include <optional>
#include <string>

#include "InputRules.h"
#include "NumberFormat.h"
#include "Units.h"

namespace bpd {

struct SwitchedInput {
    InputRule rule;
    QuantityKind kind;
    int decimals;  // kept by the converted text
};

// b1, w1, dh (length) and Vap (load), in this order.
inline constexpr std::array<SwitchedInput, 4> kSwitchedInputs{{
    {kInputs[1], QuantityKind::Length, 4},
    {kInputs[0], QuantityKind::Length, 4},
    {kInputs[3], QuantityKind::Length, 6},
    {kInputs[4], QuantityKind::Load, 4},
}};

// A value of that kind in the other system's unit, brought to target's: one multiplication
// or division by IN_PER_MM or KIPS_PER_KN, no rounding.
double convertToSystem(double value, QuantityKind kind, UnitSystem target);

// The texts after a switch to target: the four switched inputs converted and written, A as
// it was. When one of the four does not read as a number (under locale) nothing is
// converted: notNumeric names the first, in the order above.
struct SwitchedTexts {
    InputTexts texts;
    std::optional<Input> notNumeric;
};
SwitchedTexts switchedTexts(const InputTexts& texts, UnitSystem target, const NumberLocale& locale);

}  // namespace bpd
