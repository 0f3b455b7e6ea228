#include "SmallestPad.h"

#include <optional>
#include <string>

#include "InputRules.h"
#include "PadSizing.h"
#include "PlanSizes.h"

namespace bpd::sizing {

namespace {

QString fromEngine(const std::string& text) {
    return QString::fromStdString(text);
}

// The number a field's text reads as, if the field would accept it.
std::optional<double> accepted(const QString& text, const NumberLocale& locale, bool zeroAllowed) {
    const std::optional<double> value = parseNumber(text.toStdString(), locale);
    if (inputProblem(value, zeroAllowed) != InputProblem::None) return std::nullopt;
    return value;
}

SizingAnswer refused(const char* field) {
    SizingAnswer answer;
    answer.reason = QStringLiteral(
                        "The %1 field does not hold a value the check accepts; "
                        "correct it in the main window first.")
                        .arg(QLatin1String(field));
    return answer;
}

}  // namespace

SizingAnswer SmallestPad::find(const SizingInputs& inputs, SizingMode mode) {
    SizingRequest request;
    request.units = inputs.units;
    request.sliding = inputs.sliding;
    request.selection = inputs.selection;
    const std::optional<double> A = accepted(inputs.A, inputs.locale, true);
    const std::optional<double> dh = accepted(inputs.dh, inputs.locale, false);
    const std::optional<double> Vap = accepted(inputs.Vap, inputs.locale, true);
    if (!A) return refused("A");
    if (!dh) return refused("dh");
    if (!Vap) return refused("Vap");
    request.A = *A;
    request.dh = *dh;
    request.Vap = *Vap;
    if (mode == SizingMode::KeepLength) {
        const std::optional<double> w1 = accepted(inputs.w1, inputs.locale, false);
        if (!w1) return refused("w1");
        request.w1 = planSizeOf(*w1);
    }
    if (mode == SizingMode::KeepWidth) {
        const std::optional<double> b1 = accepted(inputs.b1, inputs.locale, false);
        if (!b1) return refused("b1");
        request.b1 = planSizeOf(*b1);
    }
    std::string error;
    request.sizes =
        planSizes(defaultSizingStep(inputs.units), defaultSizingMaximum(inputs.units), error)
            .value();

    const SizingResult result = sizePad(request);
    SizingAnswer answer;
    if (!result.pad) {
        answer.reason =
            QStringLiteral("No pad passes: ") + fromEngine(describeNoPass(result.noPass)) + u'.';
        return answer;
    }
    const SizedPad& pad = *result.pad;
    const RowExplanation& explained = pad.explanation;
    const double governing =
        explained.governing == DesignCheck::Compression ? explained.compression : explained.shear;
    answer.found = true;
    answer.pad = fromEngine(planSizeText(pad.w1, pad.b1, inputs.units) +
                            ", t = " + thicknessText(pad.position, inputs.units));
    answer.governing = fromEngine(std::string(checkName(explained.governing)) + ", " +
                                  formatUtilisation(governing) + " %");
    answer.utilisation =
        fromEngine(std::string(checkName(DesignCheck::Compression)) + " " +
                   formatUtilisation(explained.compression) + " %, " +
                   std::string(checkName(DesignCheck::Shear)) + " " +
                   (explained.shearByMethod ? std::string("passes by the method (Vap = 0)")
                                            : formatUtilisation(explained.shear) + " %"));
    answer.w1Text = fromEngine(formatConverted(pad.w1.value, 4, inputs.locale));
    answer.b1Text = fromEngine(formatConverted(pad.b1.value, 4, inputs.locale));
    answer.position = pad.position;
    return answer;
}

}  // namespace bpd::sizing
