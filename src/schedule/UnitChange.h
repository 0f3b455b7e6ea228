#pragma once
// One undo step: the whole schedule switched to the other unit system, every bearing
// converted as the main window's unit switch converts its fields (UnitSwitch.h).

#include <QUndoCommand>

#include "DesignDocument.h"

namespace bpd::schedule {

class ScheduleModel;

class UnitChange : public QUndoCommand {
public:
    UnitChange(ScheduleModel& model, designfile::DesignDocument before, UnitSystem target);
    void redo() override;
    void undo() override;

    // The document in target's units: w1, b1, dh and Vap each converted from the value its
    // field would hold and rounded to that field's decimals; A as it was; the thickness
    // label of the same catalogue position. A missing value stays missing.
    static designfile::DesignDocument converted(const designfile::DesignDocument& document,
                                                UnitSystem target);

private:
    ScheduleModel& model_;
    designfile::DesignDocument before_, after_;
};

}  // namespace bpd::schedule
