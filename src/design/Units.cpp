#include "Units.h"

namespace bpd {

std::string_view unitSystemName(UnitSystem system) {
    return system == UnitSystem::Imperial ? "Imperial" : "SI";
}

std::string_view unitCaption(UnitSystem system, QuantityKind kind) {
    const bool imperial = system == UnitSystem::Imperial;
    switch (kind) {
        case QuantityKind::Length:
            return imperial ? "in." : "mm";
        case QuantityKind::Angle:
            return "rad.";  // radians in both systems, never converted
        case QuantityKind::Load:
            return imperial ? "kips" : "KN";
    }
    return {};
}

double mmToInches(double mm) {
    return mm * IN_PER_MM;
}
double inchesToMm(double inches) {
    return inches / IN_PER_MM;
}
double knToKips(double kn) {
    return kn * KIPS_PER_KN;
}
double kipsToKn(double kips) {
    return kips / KIPS_PER_KN;
}

}  // namespace bpd
