#pragma once
// Switching the main window between Imperial and SI units: captions, tooltips, the four
// converted field texts, the selector of the target system at the same catalogue position,
// the check marks, the unit system name and the target's design check.
//
// A switch never stops half-way: when one of the four converted fields holds a text that
// does not read as a number, nothing changes, the numeric-data message is shown and that
// field gets the focus.

#include "Form1Controls.h"
#include "Units.h"

namespace bpd::mainwindow {

class UnitSwitcher {
public:
    // What the switch asks of the window it switches, besides its controls.
    class Window {
    public:
        virtual UnitSystem unitSystem() const = 0;
        virtual void setUnitSystem(UnitSystem units) = 0;
        // Shows the numeric-data message and gives the field the focus.
        virtual void rejectNonNumeric(QLineEdit* field) = 0;
        // The design check of the unit system whose menu item is marked (the target's, once
        // the switch has moved the mark).
        virtual void RunAnalysis() = 0;

    protected:
        ~Window() = default;
    };

    UnitSwitcher(const Form1Controls& controls, Window& window);

    void SwitchUnitSystem(UnitSystem target);

private:
    bool convertFields(UnitSystem target);  // false: rejected, nothing changed
    void relabel(UnitSystem target);
    void swapSelector(UnitSystem target);

    const Form1Controls& controls_;
    Window& window_;
};

}  // namespace bpd::mainwindow
