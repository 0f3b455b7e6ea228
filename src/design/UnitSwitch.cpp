#include "UnitSwitch.h"

namespace bpd {

double convertToSystem(double value, QuantityKind kind, UnitSystem target) {
    const bool imperial = target == UnitSystem::Imperial;
    if (kind == QuantityKind::Load) return imperial ? knToKips(value) : kipsToKn(value);
    return imperial ? mmToInches(value) : inchesToMm(value);
}

SwitchedTexts switchedTexts(const InputTexts& texts, UnitSystem target,
                            const NumberLocale& locale) {
    SwitchedTexts result{texts, std::nullopt};
    // All four are read first, so that a text that does not convert changes nothing at all.
    std::array<double, kSwitchedInputs.size()> values{};
    for (std::size_t i = 0; i < kSwitchedInputs.size(); ++i) {
        const std::optional<double> value = parseNumber(kSwitchedInputs[i].rule.of(texts), locale);
        if (!value) {
            result.notNumeric = kSwitchedInputs[i].rule.input;
            return result;
        }
        values[i] = *value;
    }
    for (std::size_t i = 0; i < kSwitchedInputs.size(); ++i) {
        const SwitchedInput& input = kSwitchedInputs[i];
        input.rule.of(result.texts) =
            formatConverted(convertToSystem(values[i], input.kind, target), input.decimals, locale);
    }
    return result;
}

}  // namespace bpd
