#pragma once
// The plan sizes a pad search tries for a free dimension: the multiples of a step, from one
// step up to a maximum, each with the text a user would type for it and the number the
// program reads from that text.
//
// The multiples are exact decimals (3 x 0.1 is "0.3", never 0.30000000000000004), so that
// in SI a size of 110 mm is the field text "110", converted to inches at the edge like any
// typed value.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Units.h"

namespace bpd {

struct PlanSize {
    std::string text;  // the shortest plain decimal text of value ("4.5", "110")
    double value = 0;  // as read from text, in the units of the search
};

// A search keeps to this many sizes a dimension (the pairs grow with its square).
inline constexpr std::size_t kMaxPlanSizes = 1000;

// The default grid: 0.5 in. up to 48 in., or 10 mm up to 1200 mm.
std::string_view defaultSizingStep(UnitSystem units);
std::string_view defaultSizingMaximum(UnitSystem units);

// step x 1, step x 2, ... while not above maximum, both plain numbers ("." and no grouping).
// Empty with a reason in error when step is not above 0, maximum is below step, or there
// would be more than kMaxPlanSizes sizes.
std::optional<std::vector<PlanSize>> planSizes(std::string_view step, std::string_view maximum,
                                               std::string& error);

// A size given as a number (a fixed dimension), with its shortest plain text.
PlanSize planSizeOf(double value);

}  // namespace bpd
