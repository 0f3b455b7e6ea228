#include "PadsApplied.h"

#include "ScheduleModel.h"

namespace bpd::schedule {

PadsApplied::PadsApplied(ScheduleModel& model, std::vector<Change> changes, const QString& text)
    : QUndoCommand(text), model_(model), changes_(std::move(changes)) {}

void PadsApplied::redo() {
    for (const Change& change : changes_) model_.replaceBearing(change.row, change.after);
}

void PadsApplied::undo() {
    for (const Change& change : changes_) model_.replaceBearing(change.row, change.before);
}

}  // namespace bpd::schedule
