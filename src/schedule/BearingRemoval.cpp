#include "BearingRemoval.h"

#include <algorithm>

#include "ScheduleModel.h"

namespace bpd::schedule {

BearingRemoval::BearingRemoval(ScheduleModel& model, std::vector<int> rows, const QString& text)
    : QUndoCommand(text), model_(model), rows_(std::move(rows)) {
    std::sort(rows_.begin(), rows_.end());
}

void BearingRemoval::redo() {
    // From the last, so the earlier rows keep their numbers.
    removed_.assign(rows_.size(), {});
    for (std::size_t i = rows_.size(); i-- > 0;) removed_[i] = model_.takeBearing(rows_[i]);
}

void BearingRemoval::undo() {
    for (std::size_t i = 0; i < rows_.size(); ++i) model_.insertBearing(rows_[i], removed_[i]);
}

}  // namespace bpd::schedule
