#pragma once
// One undo step: the pads the sizing proposed and the user accepted, applied to several
// bearings at once.

#include <QUndoCommand>
#include <vector>

#include "ScheduleModel.h"

namespace bpd::schedule {

class PadsApplied : public QUndoCommand {
public:
    using Bearings = std::vector<ScheduleModel::CheckedBearing>;
    PadsApplied(ScheduleModel& model, Bearings before, Bearings after, const QString& text);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    Bearings before_, after_;
};

}  // namespace bpd::schedule
