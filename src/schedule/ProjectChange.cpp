#include "ProjectChange.h"

#include "ScheduleModel.h"

namespace bpd::schedule {

ProjectChange::ProjectChange(ScheduleModel& model, designfile::ProjectInfo before,
                             designfile::ProjectInfo after)
    : QUndoCommand(QStringLiteral("Project Data")),
      model_(model),
      before_(std::move(before)),
      after_(std::move(after)) {}

void ProjectChange::redo() {
    model_.replaceProject(after_);
}

void ProjectChange::undo() {
    model_.replaceProject(before_);
}

}  // namespace bpd::schedule
