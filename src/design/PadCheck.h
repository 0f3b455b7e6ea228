#pragma once
// The design check of one pad thickness: the pure chain from the shape factor to the verdict.
//
// Inputs in Imperial units (in., kips, rad). Every step runs in IEEE double precision in the
// exact order of operations of the method; nothing is rounded here.

#include <optional>
#include <string>
#include <string_view>

namespace bpd {

struct PadInput {
    double w1 = 0;   // bearing length, in.
    double b1 = 0;   // bearing width, in.
    double A = 0;    // angle of rotation, rad
    double dh = 0;   // horizontal deformation, in.
    double Vap = 0;  // applied vertical load, kips
    bool sliding = false;
};

struct PadResult {
    double SF = 0, Vnr = 0, Snr = 0, R = 0, Var = 0, W2 = 0, Es = 0, Sap = 0, N = 0, Ss = 0, G = 0,
           Nmax = 0;
    // For the calculation sheet: Vnr before the stress cap, and the loaded length the rotation
    // gives before it is limited to w1 (w1 itself when A = 0).
    double VnrUncapped = 0, W2Rotation = 0;
    bool compressionPasses = false;  // Vap <= Var
    bool shearPasses = false;        // N <= Nmax
    bool passes() const { return compressionPasses && shearPasses; }
};

// An arithmetic fault (overflow, division by zero, invalid operation) met while a value was
// stored; quantity names the value ("SF", "Vnr", ..., "Nmax").
struct ArithmeticFault {
    enum class Cause { Overflow, DivisionByZero, InvalidOperation };
    std::string quantity;
    Cause cause = Cause::Overflow;
};

// "overflow", "division by zero", "invalid operation".
std::string_view causeText(ArithmeticFault::Cause cause);

struct PadOutcome {
    PadResult result;
    std::optional<ArithmeticFault> fault;  // set: result holds the values stored before it
};

inline constexpr double kEmax = 40;
inline constexpr double kEc = 40;
inline constexpr double kStressLimitPsi = 8500;         // sliding box clear
inline constexpr double kSlidingStressLimitPsi = 2500;  // sliding box checked
// The shear check's limit on the shear strain Es, in percent: N <= Nmax, with Nmax the shear
// load at this strain, is Es <= 75 whenever a load is applied.
inline constexpr double kShearStrainLimitPercent = 75;

// Steps in order: SF, Vnr, W2, Snr, the stress cap (Vnr again), R, Var, Es, Sap, N, Ss, G, Nmax.
// An overflow, division by zero or invalid operation anywhere in a value's expression is a
// fault of that value, even when the stored value itself comes out finite (x / inf).
PadOutcome checkPad(const PadInput& input, double t, double kt);

}  // namespace bpd
