#pragma once
// Edit > Size Selected...: asks whether to keep the width, sizes every selected bearing off
// the user-interface thread (BackgroundJob, Cancel changing nothing), shows the proposals and
// applies the accepted ones as one undo step. The two questions go through Dialogs, which
// tests replace.

#include <QPointer>
#include <functional>
#include <optional>
#include <vector>

#include "PadProposal.h"

#include <QWidget>

namespace bpd::schedule {

class ScheduleModel;

class SizeSelectedCommand {
public:
    struct Dialogs {
        // Keep the width? Nothing when the user cancelled. count: the bearings to size.
        std::function<std::optional<bool>(QWidget* parent, int count)> keepWidth;
        // The positions of the proposals the user accepts (empty: none, or cancelled).
        std::function<std::vector<int>(QWidget* parent, const std::vector<PadProposal>&)> choose;
    };
    enum class Outcome { NothingSelected, Cancelled, NoneApplied, Applied };

    SizeSelectedCommand(QWidget* window, ScheduleModel& model);
    void setDialogs(Dialogs dialogs) { dialogs_ = std::move(dialogs); }

    // rows: the selected lines of the model.
    Outcome run(const std::vector<int>& rows);

    // The proposals for the rows, made off this thread with a progress dialog when there are
    // more than a few; nothing when the user cancelled.
    std::optional<std::vector<PadProposal>> propose(const std::vector<int>& rows,
                                                    bool keepWidth) const;

private:
    QPointer<QWidget> window_;
    ScheduleModel& model_;
    Dialogs dialogs_;
};

}  // namespace bpd::schedule
