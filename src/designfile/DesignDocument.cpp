#include "DesignDocument.h"

namespace bpd::designfile {

std::string_view unitsName(UnitSystem units) {
    return units == UnitSystem::SI ? "si" : "imperial";
}

std::optional<UnitSystem> unitsOfName(std::string_view name) {
    if (name == "imperial") return UnitSystem::Imperial;
    if (name == "si") return UnitSystem::SI;
    return std::nullopt;
}

}  // namespace bpd::designfile
