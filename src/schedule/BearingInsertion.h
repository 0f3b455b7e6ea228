#pragma once
// One undo step: a bearing inserted (Add Bearing, Duplicate).

#include <QUndoCommand>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class BearingInsertion : public QUndoCommand {
public:
    BearingInsertion(ScheduleModel& model, int row, designfile::DesignBearing bearing,
                     const QString& text);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    int row_;
    designfile::DesignBearing bearing_;
};

}  // namespace bpd::schedule
