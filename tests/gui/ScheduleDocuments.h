#pragma once
// Design documents for the schedule tests, built as a file would give them.

#include <optional>
#include <string>

#include "DesignDocument.h"

namespace bpd::testing {

// A complete bearing: w1 x b1 pad, rotation A, deformation dh, load Vap (Imperial unless the
// document says otherwise), thickness "All" or a catalogue label of the document's units.
inline designfile::DesignBearing bearing(std::string mark, double w1, double b1, double A,
                                         double dh, double Vap, std::string thickness = "All",
                                         bool sliding = false) {
    designfile::DesignBearing b;
    b.mark = std::move(mark);
    b.location = "Pier 1";
    b.quantity = 2;
    b.values = {w1, b1, A, dh, Vap};
    b.thickness = std::move(thickness);
    b.sliding = sliding;
    return b;
}

// Three bearings: B1 passes from 3/8 up, B2 fails at its 1/4 pad, B3 passes at 3/4.
inline designfile::DesignDocument threeBearings() {
    designfile::DesignDocument d;
    d.project.company = "Acme Precast";
    d.bearings = {bearing("B1", 9, 4, 0.01, 0.2, 30), bearing("B2", 9, 4, 0.01, 0.2, 100, "1/4"),
                  bearing("B3", 9, 14, 0.005, 0.5, 60, "3/4", true)};
    return d;
}

}  // namespace bpd::testing
