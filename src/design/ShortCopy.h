#pragma once
// Copies a short text without a library call, for the writers that lay many short texts end
// to end (the result cells, the batch mode's CSV rows): a call to memcpy per cell costs
// about a tenth of the batch. Two overlapping moves per size class; longer texts go to
// memcpy.

#include <cstddef>
#include <cstring>

namespace bpd {

inline char* copyShort(char* dst, const char* src, std::size_t n) {
    if (n >= 8) {
        if (n <= 16) {
            std::memcpy(dst, src, 8);
            std::memcpy(dst + n - 8, src + n - 8, 8);
        } else {
            std::memcpy(dst, src, n);
        }
    } else if (n >= 4) {
        std::memcpy(dst, src, 4);
        std::memcpy(dst + n - 4, src + n - 4, 4);
    } else if (n > 0) {
        dst[0] = src[0];
        dst[n / 2] = src[n / 2];
        dst[n - 1] = src[n - 1];
    }
    return dst + n;
}

}  // namespace bpd
