#pragma once
// Switching the main window between Imperial and SI units: captions, tooltips, the four
// converted field texts, the selector of the target system at the same catalogue position,
// the check marks, the unit system name and the target's design check.
//
// A switch never stops half-way: when one of the four converted fields holds a text that
// does not read as a number, nothing changes, the numeric-data message is shown and that
// field gets the focus.

#include "Units.h"

namespace bpd::mainwindow {

class Form1;

class UnitSwitcher {
public:
    explicit UnitSwitcher(Form1& form);

    void SwitchUnitSystem(UnitSystem target);

private:
    bool convertFields(UnitSystem target);  // false: rejected, nothing changed
    void relabel(UnitSystem target);
    void swapSelector(UnitSystem target);

    Form1& form_;
};

}  // namespace bpd::mainwindow
