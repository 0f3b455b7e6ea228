#pragma once
// What the schedule asks of the main window, handed to it by the window that owns it (the
// schedule's library does not know the main window's).

#include <QString>

#include "InputRules.h"
#include "Units.h"

namespace bpd::schedule {

// A bearing's inputs as the main window's fields hold them: the texts as typed (the user's
// separators), in the units of `units`, the Sliding box and the thickness selector's position
// (0: "All").
struct WindowInputs {
    UnitSystem units = UnitSystem::Imperial;
    FiveInputs<QString> texts;
    bool sliding = false;
    int position = 0;
};

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    // Switches the main window to inputs.units as its Units menu does, types the five texts
    // into its fields as a user would, sets Sliding and selects the thickness, so the grid
    // runs again; then shows the window. False when the window refused (it said why).
    virtual bool enterInputs(const WindowInputs& inputs) = 0;
    // The main window's inputs as they stand.
    virtual WindowInputs currentInputs() const = 0;
};

}  // namespace bpd::schedule
