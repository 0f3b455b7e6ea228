#pragma once
// One undo step: the file's project data (company, project name, engineer, description)
// replaced.

#include <QUndoCommand>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class ProjectChange : public QUndoCommand {
public:
    ProjectChange(ScheduleModel& model, designfile::ProjectInfo before,
                  designfile::ProjectInfo after);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    designfile::ProjectInfo before_, after_;
};

}  // namespace bpd::schedule
