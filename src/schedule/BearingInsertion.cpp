#include "BearingInsertion.h"

#include "ScheduleModel.h"

namespace bpd::schedule {

BearingInsertion::BearingInsertion(ScheduleModel& model, int row, designfile::DesignBearing bearing,
                                   const QString& text)
    : QUndoCommand(text), model_(model), row_(row), bearing_(std::move(bearing)) {}

void BearingInsertion::redo() {
    model_.insertBearing(row_, bearing_);
}

void BearingInsertion::undo() {
    model_.takeBearing(row_);
}

}  // namespace bpd::schedule
