#pragma once
// A design document made up on the fly, the same for every run: the benchmarks' bridge.

#include <cstdint>
#include <string>

#include "DesignDocument.h"

namespace bpd::bench {

// Values of four decimals at most from a fixed-seed generator, as an engineer types them.
inline designfile::DesignDocument generatedDocument(int bearings) {
    designfile::DesignDocument document;
    document.project = {"Acme Precast", "SR 14 over Mill Creek", "J. Doe", "Spans 1-40", {}};
    std::uint64_t state = 20240611;
    auto next = [&](double lo, double hi) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        const double unit = static_cast<double>(state >> 11) / 9007199254740992.0;
        return static_cast<double>(static_cast<std::int64_t>((lo + unit * (hi - lo)) * 1e4)) / 1e4;
    };
    for (int i = 0; i < bearings; ++i) {
        designfile::DesignBearing& b = document.bearings.emplace_back();
        // Appended, not added: GCC 12 at -O3 warns falsely on short + chains.
        b.mark = std::string("B").append(std::to_string(i + 1));
        b.location = std::string("Pier ")
                         .append(std::to_string(i / 8 + 1))
                         .append(", girder ")
                         .append(std::to_string(i % 8 + 1));
        b.quantity = 1 + i % 4;
        b.values = {next(4, 24), next(4, 24), next(0, 0.02), next(0.05, 1), next(1, 200)};
        b.sliding = i % 5 == 0;
    }
    return document;
}

}  // namespace bpd::bench
