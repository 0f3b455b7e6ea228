#include "BearingImport.h"

#include "ScheduleModel.h"

namespace bpd::schedule {

BearingImport::BearingImport(ScheduleModel& model, std::vector<designfile::DesignBearing> bearings,
                             const QString& text)
    : QUndoCommand(text), model_(model), bearings_(std::move(bearings)) {}

void BearingImport::redo() {
    model_.appendBearings(bearings_);
}

void BearingImport::undo() {
    model_.removeLastBearings(static_cast<int>(bearings_.size()));
}

}  // namespace bpd::schedule
