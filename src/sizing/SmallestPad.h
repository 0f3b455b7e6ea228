#pragma once
// The question the Smallest Passing Pad dialog asks of the engine: the main window's inputs
// as its fields show them, and which plan dimensions the search may change. The answer holds
// only texts for the dialog to show and the texts to type back into the window's fields; the
// search itself is the engine's (sizePad over the default grid of the units), the same as
// bpd-check --size.

#include <QString>

#include "NumberFormat.h"
#include "Units.h"

namespace bpd::sizing {

// The main window's inputs, as its fields, selector and check box show them.
struct SizingInputs {
    UnitSystem units = UnitSystem::Imperial;
    QString w1, b1, A, dh, Vap;
    bool sliding = false;
    int selection = 0;    // the thickness selector: 0 "All", 1..7 one catalogue thickness
    NumberLocale locale;  // the separators the fields are read and typed with
};

enum class SizingMode {
    BothFree,   // w1 and b1 sized
    KeepWidth,  // b1 as the field shows it (a beam's width fixes it), w1 sized
    KeepLength  // w1 as the field shows it, b1 sized
};

struct SizingAnswer {
    bool found = false;
    QString pad;          // "4.5 x 5 in., t = 1/4 in."
    QString governing;    // "compression, 83.4 %"
    QString utilisation;  // "compression 83.4 %, shear 75.8 %"
    QString reason;       // none found: why, as the engine says it
    // What "Use This Pad" types: w1 and b1 under the fields' separators, and the thickness
    // selector's position.
    QString w1Text, b1Text;
    int position = 0;
};

class SmallestPad {
public:
    static SizingAnswer find(const SizingInputs& inputs, SizingMode mode);
};

}  // namespace bpd::sizing
