#pragma once
// One undo step: one or more bearings deleted; undo puts each back at its place.

#include <QUndoCommand>
#include <utility>
#include <vector>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class BearingRemoval : public QUndoCommand {
public:
    // rows: distinct rows of the model.
    BearingRemoval(ScheduleModel& model, std::vector<int> rows, const QString& text);
    void redo() override;
    void undo() override;

private:
    ScheduleModel& model_;
    std::vector<int> rows_;                           // ascending
    std::vector<designfile::DesignBearing> removed_;  // in rows_ order, kept by redo
};

}  // namespace bpd::schedule
