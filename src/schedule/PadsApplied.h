#pragma once
// One undo step: the pads the sizing proposed and the user accepted, applied to several
// bearings at once.

#include <QUndoCommand>
#include <vector>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class PadsApplied : public QUndoCommand {
public:
    struct Change {
        int row;
        designfile::DesignBearing before, after;
    };
    PadsApplied(ScheduleModel& model, std::vector<Change> changes, const QString& text);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    std::vector<Change> changes_;
};

}  // namespace bpd::schedule
