#pragma once
// One undo step: a bearing's values replaced (an edited cell).

#include <QUndoCommand>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class BearingEdit : public QUndoCommand {
public:
    BearingEdit(ScheduleModel& model, int row, designfile::DesignBearing before,
                designfile::DesignBearing after, const QString& text);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    int row_;
    designfile::DesignBearing before_, after_;
};

}  // namespace bpd::schedule
