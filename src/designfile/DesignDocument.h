#pragma once
// A design file in memory: the project data and the bearings of one bridge, in the units of
// the file, with every member the program does not know kept with its place.
//
// Values are held as the file gives them; what a check makes of them (the window's reading,
// the ".0000" re-formatting included) is in BearingInputs.h.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "InputRules.h"
#include "Units.h"

namespace bpd::designfile {

inline constexpr std::string_view kFormatName = "pelgro-bpd-design";
inline constexpr int kFormatVersion = 1;

// A member this version does not know, kept for the next save.
struct UnknownMember {
    std::string name;
    std::string json;       // its value as compact JSON text (the writer's own layout)
    std::size_t place = 0;  // how many of the object's known members, in their fixed order,
                            // come before it: 0 = first
};
using UnknownMembers = std::vector<UnknownMember>;

struct ProjectInfo {
    std::string company, projectName, engineer, description;
    UnknownMembers unknown;
};

struct DesignBearing {
    std::optional<std::string> mark;  // required: absent only when the file lacks it
    std::string location;
    double quantity = 1;  // a whole number of at least 1 (held as read until checked)
    FiveInputs<std::optional<double>> values;  // w1, b1, A, dh, Vap as read; absent if missing
    bool sliding = false;
    std::string thickness = "All";  // "All" or a catalogue label of the file's units
    std::string note;
    UnknownMembers unknown;
};

struct DesignDocument {
    UnitSystem units = UnitSystem::Imperial;
    ProjectInfo project;
    std::vector<DesignBearing> bearings;
    UnknownMembers unknown;  // at the top level
};

// The known members of each object in the order the writer writes them.
inline constexpr std::string_view kTopMembers[] = {"format", "version", "units", "project",
                                                   "bearings"};
inline constexpr std::string_view kProjectMembers[] = {"company", "projectName", "engineer",
                                                       "description"};
inline constexpr std::string_view kBearingMembers[] = {
    "mark", "location", "quantity", "w1", "b1", "A", "dh", "Vap", "sliding", "thickness", "note"};

// "imperial" / "si": the file's names of the unit systems.
std::string_view unitsName(UnitSystem units);
std::optional<UnitSystem> unitsOfName(std::string_view name);

}  // namespace bpd::designfile
