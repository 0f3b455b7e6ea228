#include "UnitChange.h"

#include "BearingInputs.h"
#include "NumberFormat.h"
#include "ScheduleModel.h"
#include "ThicknessCatalogue.h"
#include "UnitSwitch.h"

namespace bpd::schedule {

UnitChange::UnitChange(ScheduleModel& model, designfile::DesignDocument before, UnitSystem target)
    : QUndoCommand(target == UnitSystem::SI ? QStringLiteral("Switch to SI")
                                            : QStringLiteral("Switch to Imperial")),
      model_(model),
      before_(std::move(before)),
      after_(converted(before_, target)) {}

void UnitChange::redo() {
    model_.replaceDocument(after_);
}

void UnitChange::undo() {
    model_.replaceDocument(before_);
}

designfile::DesignDocument UnitChange::converted(const designfile::DesignDocument& document,
                                                 UnitSystem target) {
    designfile::DesignDocument result = document;
    result.units = target;
    if (target == document.units) return result;
    const NumberLocale& plain = NumberLocale::plain();
    for (designfile::DesignBearing& bearing : result.bearings) {
        const InputTexts fields = designfile::fieldTexts(bearing);
        for (const SwitchedInput& input : kSwitchedInputs) {
            std::optional<double>& value = input.rule.of(bearing.values);
            const std::optional<double> shown = parseNumber(input.rule.of(fields), plain);
            if (!value || !shown) continue;
            value = parseNumber(
                formatConverted(convertToSystem(*shown, input.kind, target), input.decimals, plain),
                plain);
        }
        const int position = ThicknessCatalogue::positionOfLabel(document.units, bearing.thickness);
        if (position >= 0) bearing.thickness = ThicknessCatalogue::label(target, position);
    }
    return result;
}

}  // namespace bpd::schedule
