#include "PadCheck.h"

#include <cfenv>
#include <cmath>

namespace bpd {

namespace {

constexpr int kFaultFlags = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

// Forces the value to be computed here, between the flag operations around it, and not moved
// across them by the optimiser.
inline double settle(double v) {
    asm volatile("" : "+m"(v));
    return v;
}

ArithmeticFault::Cause causeOf(int flags) {
    if (flags & FE_DIVBYZERO) return ArithmeticFault::Cause::DivisionByZero;
    if (flags & FE_INVALID) return ArithmeticFault::Cause::InvalidOperation;
    return ArithmeticFault::Cause::Overflow;
}

const double kEmaxPow = std::pow(kEmax, 1.8);  // 765.0819998...
const double kRoot75 = std::sqrt(75.0);

// The chain of one thickness. With checkEachStore the flags are tested as each value is
// stored and the first fault ends the chain; without, the caller tests them once at the end.
template <bool checkEachStore>
PadOutcome runChain(const PadInput& in, double t, double kt) {
    PadOutcome out;
    PadResult& r = out.result;
    std::feclearexcept(kFaultFlags);
    const double w1 = settle(in.w1), b1 = settle(in.b1), A = settle(in.A), dh = settle(in.dh),
                 Vap = settle(in.Vap);
    t = settle(t);
    kt = settle(kt);

#define BPD_STORE(field, expr)                                                   \
    do {                                                                         \
        const double value_ = settle(expr);                                      \
        if constexpr (checkEachStore) {                                          \
            if (const int flags_ = std::fetestexcept(kFaultFlags); flags_ != 0) { \
                out.fault = ArithmeticFault{#field, causeOf(flags_)};            \
                return out;                                                      \
            }                                                                    \
        }                                                                        \
        r.field = value_;                                                        \
    } while (false)

    BPD_STORE(SF, (w1 * b1) / ((w1 + b1) * 2 * t));
    BPD_STORE(Vnr, kEmaxPow * (r.SF * 0.6 + 2) * b1 * w1 / 1000);
    if (A != 0) {
        BPD_STORE(W2, (t * kEc) / (std::tan(A) * 100));
        if (r.W2 > w1) r.W2 = w1;
    } else {
        r.W2 = w1;
    }
    BPD_STORE(Snr, r.Vnr * 1000 / (r.W2 * b1));
    // The stress cap: Snr keeps its uncapped value beside the capped Vnr.
    const double limit = in.sliding ? kSlidingStressLimitPsi : kStressLimitPsi;
    if (r.Snr > limit) BPD_STORE(Vnr, r.W2 * b1 * limit / 1000);
    BPD_STORE(R, 1 / (std::pow(A, 2) * kt + 1));
    BPD_STORE(Var, r.R * r.Vnr);
    r.compressionPasses = Vap <= r.Var;
    BPD_STORE(Es, dh / t * 100);
    BPD_STORE(Sap, Vap / (r.W2 * b1) * 1000);
    BPD_STORE(N, r.Sap * 0.012 * std::sqrt(r.Es) * b1 * r.W2);
    BPD_STORE(Ss, r.N / (r.W2 * b1));
    BPD_STORE(G, r.Ss * 100 / r.Es);
    BPD_STORE(Nmax, r.Sap * 0.012 * kRoot75 * b1 * r.W2);
    r.shearPasses = r.N <= r.Nmax;
#undef BPD_STORE
    return out;
}

}  // namespace

std::string_view causeText(ArithmeticFault::Cause cause) {
    switch (cause) {
        case ArithmeticFault::Cause::Overflow:
            return "overflow";
        case ArithmeticFault::Cause::DivisionByZero:
            return "division by zero";
        case ArithmeticFault::Cause::InvalidOperation:
            return "invalid operation";
    }
    return {};
}

PadOutcome checkPad(const PadInput& input, double t, double kt) {
    // The common case runs the chain once and tests the flags once; only a faulting chain is
    // run again, value by value, to name the value that faulted.
    PadOutcome outcome = runChain<false>(input, t, kt);
    if (std::fetestexcept(kFaultFlags) == 0) return outcome;
    return runChain<true>(input, t, kt);
}

}  // namespace bpd
