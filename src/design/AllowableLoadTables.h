#pragma once
// The allowable-load tables of the design guide: Var of square pads of each catalogue
// thickness at three angles of rotation, not sliding and sliding, each cell the text the
// grid shows for those inputs typed into the fields.
//
// Imperial: sides 4 to 24 in. in 2 in. steps, kips. SI: sides 100 to 600 mm in 50 mm steps,
// KN. Angles 0.005, 0.01 and 0.02 rad. Var depends on neither dh nor Vap.

#include <string>
#include <vector>

#include "Units.h"

namespace bpd {

struct AllowableLoadColumn {
    std::string angle;  // the angle's text, rad ("0.005")
    bool sliding = false;
};

struct AllowableLoadTable {
    UnitSystem units = UnitSystem::Imperial;
    int position = 0;                           // catalogue position of the thickness
    std::vector<std::string> sides;             // side of each square pad, as typed ("4", "100")
    std::vector<AllowableLoadColumn> columns;   // the angles in order, each not sliding first
    std::vector<std::vector<std::string>> var;  // var[side][column]: the grid's Var text
};

// One table per catalogue thickness, thinnest first.
std::vector<AllowableLoadTable> allowableLoadTables(UnitSystem units);

// The grid's Var text of one square pad (sides in the units of the system).
std::string allowableLoad(UnitSystem units, int position, const std::string& side,
                          const AllowableLoadColumn& column);

}  // namespace bpd
