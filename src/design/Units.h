#pragma once
// The two unit systems and the only unit factors of the program.
//
// All engineering arithmetic runs in Imperial units (in., kips, psi); SI values are
// converted at the edges with exactly these factors, never with 25.4 or 4.448...

#include <string_view>

namespace bpd {

enum class UnitSystem { Imperial, SI };

inline constexpr double IN_PER_MM = 0.039370079;         // inches per millimetre
inline constexpr double KIPS_PER_KN = 0.22477064229463;  // kips per kilonewton (lbs per newton)
inline constexpr double PSI_PER_NM2 = 0.00014503774;     // psi per newton per square metre

enum class QuantityKind { Length, Angle, Load };

// "Imperial" / "SI": the menu captions and the values of sUnitSystem.
std::string_view unitSystemName(UnitSystem system);

// The caption beside an input: "in." / "mm", "rad." / "rad.", "kips" / "KN".
std::string_view unitCaption(UnitSystem system, QuantityKind kind);

// One multiplication or division, no rounding (callers round).
double mmToInches(double mm);
double inchesToMm(double inches);
double knToKips(double kn);
double kipsToKn(double kips);

}  // namespace bpd
