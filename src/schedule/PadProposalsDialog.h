#pragma once
// The sizing's proposals, one line per bearing: its mark, the pad it has, the pad proposed
// with its governing check and utilisation, or why none passes. Each proposed pad has a
// check box (all ticked at first); "Apply" applies the ticked ones.

#include <QDialog>
#include <vector>

#include "PadProposal.h"

class QPushButton;
class QTreeWidget;

namespace bpd::schedule {

class PadProposalsDialog : public QDialog {
    Q_OBJECT
public:
    enum Column { Mark, OldPad, NewPad, Governs, Utilisation, ColumnCount };

    explicit PadProposalsDialog(const std::vector<PadProposal>& proposals,
                                QWidget* parent = nullptr);

    // The positions (in the proposals given) of the ticked proposals.
    std::vector<int> accepted() const;
    QTreeWidget* list() const { return list_; }

private:
    void updateApply();

    QTreeWidget* list_;
    QPushButton* apply_;
};

}  // namespace bpd::schedule
