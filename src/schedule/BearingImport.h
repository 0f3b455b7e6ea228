#pragma once
// One undo step: bearings appended to the schedule (Import CSV).

#include <QUndoCommand>
#include <vector>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class BearingImport : public QUndoCommand {
public:
    BearingImport(ScheduleModel& model, std::vector<designfile::DesignBearing> bearings,
                  const QString& text);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    std::vector<designfile::DesignBearing> bearings_;
};

}  // namespace bpd::schedule
