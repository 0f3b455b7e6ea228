// The design file reader on arbitrary bytes: it must never crash or hang, and whatever it
// takes must write out to a file that reads back to the same bearings and writes to the same
// bytes again (the byte-identical round trip of files the program wrote).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "BearingInputs.h"
#include "DesignFileReader.h"
#include "DesignFileWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace bpd::designfile;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ReadResult first = readDesignText(bytes, "\"fuzz.bpd\"");
    if (first.document.has_value() == !first.refusal.empty()) std::abort();
    if (!first.document) return 0;

    const std::string written = writeDesignText(*first.document);
    const ReadResult second = readDesignText(written, "\"fuzz.bpd\"");
    if (!second.document) std::abort();
    if (second.document->bearings.size() != first.document->bearings.size()) std::abort();
    if (second.problems.size() != first.problems.size()) std::abort();
    if (writeDesignText(*second.document) != written) std::abort();

    // Every bearing without a problem gives the window's run.
    for (const bpd::designfile::DesignBearing& bearing : second.document->bearings) {
        if (bearingProblem(second.document->units, bearing, 1)) continue;
        const bpd::AnalysisRequest request = analysisRequest(second.document->units, bearing);
        if (request.selection < 0) std::abort();
    }
    return 0;
}
