#include "PadsApplied.h"

#include "ScheduleModel.h"

namespace bpd::schedule {

PadsApplied::PadsApplied(ScheduleModel& model, Bearings before, Bearings after, const QString& text)
    : QUndoCommand(text), model_(model), before_(std::move(before)), after_(std::move(after)) {}

void PadsApplied::redo() {
    model_.replaceBearings(after_);
}

void PadsApplied::undo() {
    model_.replaceBearings(before_);
}

}  // namespace bpd::schedule
