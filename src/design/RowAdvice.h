#pragma once
// One line for a failing row: which check fails and by how much, and what would make the
// pad pass: the thinnest catalogue pad that passes the shear check at this plan size, and
// the plan size the sizing finds with the row's thickness (or with that thinnest one).

#include <string>

#include "ResultTable.h"
#include "Units.h"

namespace bpd {

// values: the bearing as read, in the units of the system; row: one of its failing rows.
// "t = 1/4 in.: compression fails (Vap 45 > Var 43.09 kips, Ucomp 104.4 %); with
// t = 1/4 in. the smallest passing pad is 4 x 4.5 in."
std::string adviseFailingRow(UnitSystem units, const InputValues& values, bool sliding,
                             const ResultRow& row);

}  // namespace bpd
