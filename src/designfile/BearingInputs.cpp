#include "BearingInputs.h"

#include <cmath>

#include "NumberFormat.h"
#include "ThicknessCatalogue.h"

namespace bpd::designfile {

namespace {

// Beyond 2^53 a double no longer tells one whole number from the next.
constexpr double kLargestQuantity = 9007199254740992.0;

std::string fieldText(const std::optional<double>& value) {
    if (!value) return {};
    return formatInputPattern(formatShortest(*value), NumberLocale::c());
}

}  // namespace

SizingRequest sizingRequest(UnitSystem units, const DesignBearing& bearing,
                            const std::vector<PlanSize>& sizes, bool keepWidth) {
    const InputValues values = fieldValues(bearing);
    SizingRequest request;
    request.units = units;
    request.A = values.A;
    request.dh = values.dh;
    request.Vap = values.Vap;
    request.sliding = bearing.sliding;
    if (keepWidth) request.b1 = planSizeOf(values.b1);
    request.sizes = sizes;
    request.selection = thicknessPosition(units, bearing);
    return request;
}

bool isQuantity(double quantity) {
    return quantity >= 1 && quantity <= kLargestQuantity && quantity == std::floor(quantity);
}

InputTexts fieldTexts(const DesignBearing& bearing) {
    InputTexts texts;
    for (const InputRule& input : kInputs) input.of(texts) = fieldText(input.of(bearing.values));
    return texts;
}

int thicknessPosition(UnitSystem units, const DesignBearing& bearing) {
    return ThicknessCatalogue::positionOfLabel(units, bearing.thickness);
}

std::optional<BearingProblem> bearingProblem(UnitSystem units, const DesignBearing& bearing,
                                             std::size_t position) {
    BearingProblem problem{position, bearing.mark, {}, {}};
    auto found = [&](std::string_view field, std::string_view reason) {
        problem.field = field;
        problem.reason = reason;
        return problem;
    };
    if (!bearing.mark) return found("mark", "missing");
    if (!isQuantity(bearing.quantity))
        return found("quantity", "must be a whole number of at least 1");
    const InputTexts texts = fieldTexts(bearing);
    for (const InputRule& input : kInputs) {
        if (!input.of(bearing.values)) return found(input.name, "missing");
        const InputProblem p =
            inputProblem(parseNumber(input.of(texts), NumberLocale::c()), input.zeroAllowed);
        if (p != InputProblem::None) return found(input.name, inputReason(p));
    }
    if (thicknessPosition(units, bearing) < 0) {
        std::string labels;
        for (const std::string_view label : ThicknessCatalogue::selectorEntries(units)) {
            if (!labels.empty()) labels += ' ';
            labels += label;
        }
        return found("thickness", "is not one of " + labels);
    }
    return std::nullopt;
}

std::string describeProblem(const BearingProblem& problem) {
    std::string text = "bearing " + std::to_string(problem.position);
    if (problem.mark) text += " (" + *problem.mark + ')';
    return text + ": " + problem.field + ": " + problem.reason;
}

AnalysisRequest analysisRequest(UnitSystem units, const DesignBearing& bearing) {
    AnalysisRequest request;
    request.units = units;
    request.texts = fieldTexts(bearing);
    request.sliding = bearing.sliding;
    request.selection = thicknessPosition(units, bearing);
    return request;
}

InputValues fieldValues(const DesignBearing& bearing) {
    const InputTexts texts = fieldTexts(bearing);
    InputValues values;
    for (const InputRule& input : kInputs)
        input.of(values) = parseNumber(input.of(texts), NumberLocale::c()).value_or(0);
    return values;
}

long long quantityOf(const DesignBearing& bearing) {
    return static_cast<long long>(bearing.quantity);
}

}  // namespace bpd::designfile
