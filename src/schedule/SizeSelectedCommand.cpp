#include "SizeSelectedCommand.h"

#include "BackgroundJob.h"
#include "PadProposalsDialog.h"
#include "ScheduleModel.h"
#include "SizingOptionsDialog.h"

namespace bpd::schedule {

SizeSelectedCommand::SizeSelectedCommand(QWidget* window, ScheduleModel& model)
    : window_(window), model_(model) {
    dialogs_.keepWidth = [](QWidget* parent, int count) -> std::optional<bool> {
        SizingOptionsDialog dialog(count, parent);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        return dialog.keepWidth();
    };
    dialogs_.choose = [](QWidget* parent, const std::vector<PadProposal>& proposals) {
        PadProposalsDialog dialog(proposals, parent);
        return dialog.exec() == QDialog::Accepted ? dialog.accepted() : std::vector<int>{};
    };
}

std::optional<std::vector<PadProposal>> SizeSelectedCommand::propose(const std::vector<int>& rows,
                                                                     bool keepWidth) const {
    // The worker reads a copy: the model stays the user-interface thread's.
    const designfile::DesignDocument& document = model_.document();
    std::vector<designfile::DesignBearing> bearings;
    bearings.reserve(rows.size());
    for (const int row : rows) bearings.push_back(document.bearings[static_cast<std::size_t>(row)]);
    const PadProposer proposer(document.units, keepWidth);
    std::vector<PadProposal> proposals(rows.size());
    BackgroundJob job(window_, QStringLiteral("Sizing %1 bearings...").arg(rows.size()));
    const bool done = job.forEach(static_cast<int>(rows.size()), [&](int i) {
        const auto at = static_cast<std::size_t>(i);
        proposals[at] = proposer.propose(bearings[at], rows[at]);
    });
    if (!done) return std::nullopt;
    return proposals;
}

SizeSelectedCommand::Outcome SizeSelectedCommand::run(const std::vector<int>& rows) {
    if (rows.empty()) return Outcome::NothingSelected;
    const std::optional<bool> keepWidth =
        dialogs_.keepWidth(window_, static_cast<int>(rows.size()));
    if (!keepWidth) return Outcome::Cancelled;
    const std::optional<std::vector<PadProposal>> proposals = propose(rows, *keepWidth);
    if (!proposals) return Outcome::Cancelled;
    std::vector<ScheduleModel::CheckedBearing> pads;
    for (const int position : dialogs_.choose(window_, *proposals)) {
        const PadProposal& p = (*proposals)[static_cast<std::size_t>(position)];
        if (p.found) pads.push_back({p.row, p.after, p.afterLine});
    }
    return model_.applyPads(pads) ? Outcome::Applied : Outcome::NoneApplied;
}

}  // namespace bpd::schedule
