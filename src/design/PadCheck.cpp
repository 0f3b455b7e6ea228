#include "PadCheck.h"

#include <cfenv>
#include <cmath>

#if defined(__x86_64__) && defined(__SSE2__)
#include <immintrin.h>
#endif

namespace bpd {

namespace {

// The sticky flags of the floating-point unit. On x86-64 all double arithmetic, libm's
// included, runs in SSE, whose flags sit in MXCSR: reading and clearing them directly costs
// a few cycles where feclearexcept also saves and reloads the x87 environment.
#if defined(__x86_64__) && defined(__SSE2__)
constexpr unsigned kMxcsrInvalid = 0x1, kMxcsrDivByZero = 0x4, kMxcsrOverflow = 0x8;
constexpr unsigned kMxcsrFaults = kMxcsrInvalid | kMxcsrDivByZero | kMxcsrOverflow;

inline void clearFaultFlags() {
    _mm_setcsr(_mm_getcsr() & ~kMxcsrFaults);
}

inline int raisedFaultFlags() {
    const unsigned csr = _mm_getcsr();
    if ((csr & kMxcsrFaults) == 0) return 0;
    int flags = 0;
    if (csr & kMxcsrInvalid) flags |= FE_INVALID;
    if (csr & kMxcsrDivByZero) flags |= FE_DIVBYZERO;
    if (csr & kMxcsrOverflow) flags |= FE_OVERFLOW;
    return flags;
}
#else
constexpr int kFaultFlags = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;
inline void clearFaultFlags() {
    std::feclearexcept(kFaultFlags);
}
inline int raisedFaultFlags() {
    return std::fetestexcept(kFaultFlags);
}
#endif

// Forces the value to be computed here, between the flag operations around it, and not moved
// across them by the optimiser. The single pass settles its inputs after clearing the flags
// and its whole result before they are read; the checking pass settles every value.
inline double settle(double v) {
    asm volatile("" : "+m"(v));
    return v;
}

ArithmeticFault::Cause causeOf(int flags) {
    if (flags & FE_DIVBYZERO) return ArithmeticFault::Cause::DivisionByZero;
    if (flags & FE_INVALID) return ArithmeticFault::Cause::InvalidOperation;
    return ArithmeticFault::Cause::Overflow;
}

const double kEmaxPow = std::pow(kEmax, 1.8);                              // 765.0819998...
const double kRootShearStrainLimit = std::sqrt(kShearStrainLimitPercent);  // 8.660254...

// The chain of one thickness. With checkEachStore the flags are tested as each value is
// stored and the first fault ends the chain; without, the caller tests them once at the end.
template <bool checkEachStore>
PadOutcome runChain(const PadInput& in, double t, double kt) {
    PadOutcome out;
    PadResult& r = out.result;
    clearFaultFlags();
    const double w1 = settle(in.w1), b1 = settle(in.b1), A = settle(in.A), dh = settle(in.dh),
                 Vap = settle(in.Vap);
    t = settle(t);
    kt = settle(kt);

#define BPD_STORE(field, expr)                                        \
    do {                                                              \
        if constexpr (checkEachStore) {                               \
            const double value_ = settle(expr);                       \
            if (const int flags_ = raisedFaultFlags(); flags_ != 0) { \
                out.fault = ArithmeticFault{#field, causeOf(flags_)}; \
                return out;                                           \
            }                                                         \
            r.field = value_;                                         \
        } else {                                                      \
            r.field = (expr);                                         \
        }                                                             \
    } while (false)

    BPD_STORE(SF, (w1 * b1) / ((w1 + b1) * 2 * t));
    BPD_STORE(Vnr, kEmaxPow * (r.SF * 0.6 + 2) * b1 * w1 / 1000);
    r.VnrUncapped = r.Vnr;
    if (A != 0) {
        BPD_STORE(W2, (t * kEc) / (std::tan(A) * 100));
        r.W2Rotation = r.W2;
        if (r.W2 > w1) r.W2 = w1;
    } else {
        r.W2 = w1;
        r.W2Rotation = w1;
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
    BPD_STORE(Nmax, r.Sap * 0.012 * kRootShearStrainLimit * b1 * r.W2);
    r.shearPasses = r.N <= r.Nmax;
#undef BPD_STORE
    // Every value is computed before the caller reads the flags.
    asm volatile("" : "+m"(r));
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
    if (raisedFaultFlags() == 0) return outcome;
    return runChain<true>(input, t, kt);
}

}  // namespace bpd
