#pragma once
// Reading a design file: a file that cannot be taken as a whole is refused with one message
// naming it; a bearing whose values the input rules refuse is reported on its own
// (BearingInputs.h) and kept, and the others can be checked. Reading changes nothing and
// never crashes or hangs, whatever the bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BearingInputs.h"
#include "DesignDocument.h"

namespace bpd::designfile {

inline constexpr std::size_t kMaxFileBytes = std::size_t{64} << 20;

struct ReadResult {
    std::optional<DesignDocument> document;  // empty when the file is refused as a whole
    std::string refusal;                     // then the one message, naming the file
    std::vector<BearingProblem> problems;    // the bearings that cannot be checked, in order
};

// name: how messages name the file, e.g. "\"bridge.bpd\"" (the caller quotes and makes it
// safe to show).
ReadResult readDesignText(std::string_view bytes, std::string_view name);

// Reads at most kMaxFileBytes from path (a larger file is refused unread), then as above.
ReadResult readDesignFile(const std::string& path, std::string_view name);

}  // namespace bpd::designfile
