#pragma once
// The short digest of a bearing's inputs printed in every footer, so that two printed
// versions of a sheet can be told apart: the first 16 hex digits of the SHA-256 of the
// engine's canonical input text (BearingCalculation::canonicalInputs). The same inputs give
// the same digest on every machine; it is no seal against tampering.

#include <QString>
#include <string_view>

namespace bpd::calcsheet {

class InputsDigest {
public:
    static QString of(std::string_view canonicalInputs);
};

}  // namespace bpd::calcsheet
