#include "BearingEdit.h"

#include "ScheduleModel.h"

namespace bpd::schedule {

BearingEdit::BearingEdit(ScheduleModel& model, int row, designfile::DesignBearing before,
                         designfile::DesignBearing after, const QString& text)
    : QUndoCommand(text),
      model_(model),
      row_(row),
      before_(std::move(before)),
      after_(std::move(after)) {}

void BearingEdit::redo() {
    model_.replaceBearing(row_, after_);
}

void BearingEdit::undo() {
    model_.replaceBearing(row_, before_);
}

}  // namespace bpd::schedule
