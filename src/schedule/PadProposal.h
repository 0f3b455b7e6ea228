#pragma once
// The sizing of one schedule line, as bpd-check --size sizes a bearing of a design file (the
// engine's sizePad over the default plan sizes of the file's units, for the bearing's
// thickness choice), with b1 kept when the user keeps the width. What it proposes is shown
// as texts and, when a pad passes, as the bearing with that pad. Qt-free apart from its
// texts; safe to call on any thread.

#include <QString>
#include <vector>

#include "DesignDocument.h"
#include "LineCheck.h"
#include "PlanSizes.h"

namespace bpd::schedule {

struct PadProposal {
    int row = -1;    // the line in the model when proposed
    QString mark;    // "B1", or "bearing 3" without a mark
    QString oldPad;  // "9 x 4 in., t = All"
    bool found = false;
    QString newPad;                   // "5.5 x 4 in., t = 1/4 in."
    QString governs;                  // "compression"
    QString utilisation;              // "83.4 %"
    QString reason;                   // nothing passes, or the line cannot be checked: why
    designfile::DesignBearing after;  // the bearing with the new pad (when found)
    LineCheck afterLine;              // and its line's check
};

class PadProposer {
public:
    // keepWidth: b1 stays as it is (a beam's width fixes it) and only w1 is sized.
    PadProposer(UnitSystem units, bool keepWidth);

    // row: the bearing's line (0-based).
    PadProposal propose(const designfile::DesignBearing& bearing, int row) const;

private:
    UnitSystem units_;
    bool keepWidth_;
    std::vector<PlanSize> sizes_;
};

}  // namespace bpd::schedule
