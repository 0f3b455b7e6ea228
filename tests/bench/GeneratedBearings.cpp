#include "GeneratedBearings.h"

#include <cstdio>

namespace bpd::bench {

GeneratedBearings::GeneratedBearings(std::int64_t bearings, bool pooled, std::uint64_t seed)
    : remaining_(bearings), state_(seed) {
    if (!pooled) return;
    pool_.resize(4096);
    for (std::string& line : pool_) appendLine(line);
}

// Typical entries: plan sizes of 2 to 30 in., small rotations, loads up to 200 kips.
void GeneratedBearings::appendLine(std::string& out) {
    char line[128];
    const int n =
        std::snprintf(line, sizeof line, "%.2f,%.2f,%.4f,%.4f,%.2f,%d\n", next(2, 30), next(2, 30),
                      next(0, 0.04), next(0.01, 1.5), next(0, 200), next(0, 1) < 0.3 ? 1 : 0);
    out.append(line, static_cast<std::size_t>(n));
}

double GeneratedBearings::next(double lo, double hi) {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;  // 64-bit LCG
    const double unit = static_cast<double>(state_ >> 11) / 9007199254740992.0;
    return lo + (hi - lo) * unit;
}

GeneratedBearings::int_type GeneratedBearings::underflow() {
    chunk_.clear();
    if (!headerDone_) {
        chunk_ = "w1,b1,A,dh,Vap,sliding\n";
        headerDone_ = true;
    }
    for (int i = 0; i < 512 && remaining_ > 0; ++i, --remaining_) {
        if (pool_.empty()) {
            appendLine(chunk_);
        } else {
            chunk_ += pool_[poolNext_];
            poolNext_ = (poolNext_ + 1) % pool_.size();
        }
    }
    if (chunk_.empty()) return traits_type::eof();
    setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
    return traits_type::to_int_type(chunk_[0]);
}

}  // namespace bpd::bench
