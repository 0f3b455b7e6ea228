#pragma once
// The seven standard pad thicknesses (1/8 in. to 1 in., no 7/8 in.) and their labels.
// Position 0 of each selector is "All"; positions 1..7 are catalogue positions.
// Thicknesses are always inches, for both unit systems; labels are display texts only.

#include <array>
#include <string_view>

#include "Units.h"

namespace bpd {

class ThicknessCatalogue {
public:
    static constexpr int count = 7;
    static constexpr int allPosition = 0;

    // The eight selector entries, "All" first, in catalogue order.
    static std::array<std::string_view, count + 1> selectorEntries(UnitSystem system);
    // Entry of a selector position 0..count ("All" at 0); empty outside that range.
    static std::string_view label(UnitSystem system, int position);
    // Thickness of catalogue position 1..count, in inches (0 outside that range).
    static double thicknessInches(int position);
    // Rotation coefficient kt of catalogue position 1..count (0 outside that range).
    static double rotationCoefficient(int position);
    // Position 0..count whose label equals text, or -1.
    static int positionOfLabel(UnitSystem system, std::string_view text);
    // The contents of colThickness: the seven thicknesses in inches, position p at index p-1.
    static std::array<double, count> thicknesses();
};

}  // namespace bpd
