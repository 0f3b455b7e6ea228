// The batch mode on arbitrary files: the line reader, the CSV splitter, the header and the
// bearing lines, and the engine behind them. The run must end with status 0 or 1, every
// output line must start with a line number, and a run without reports has one output row
// per thickness of every checked bearing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "BatchLine.h"
#include "BatchRun.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);

    // The pieces on their own, on the first line.
    const std::string firstLine = input.substr(0, input.find('\n'));
    std::vector<std::string> fields;
    bpd::cli::BatchColumns columns;
    std::string error;
    if (bpd::cli::splitCsvLine(firstLine, fields) &&
        bpd::cli::readBatchHeader(firstLine, columns, error)) {
        bpd::cli::BatchBearing bearing;
        (void)bpd::cli::readBatchBearing(fields, columns, bearing, error);
    }

    // The whole run, with a header that fits when the input brings none of its own.
    for (const bool withHeader : {false, true}) {
        std::istringstream in(withHeader ? "w1,b1,A,dh,Vap,sliding,thickness\n" + input : input);
        std::ostringstream out, err;
        bpd::cli::BatchTotals totals;
        const auto units = size % 2 ? bpd::UnitSystem::SI : bpd::UnitSystem::Imperial;
        const int status = bpd::cli::runBatch(in, "standard input", out, err, units, &totals);
        if (status != 0 && status != 1) std::abort();
        if ((status == 0) != err.str().empty()) std::abort();
        std::istringstream written(out.str());
        std::string line;
        std::int64_t rows = -1;  // the header line
        while (std::getline(written, line)) {
            if (rows >= 0 && (line.empty() || line[0] < '1' || line[0] > '9')) std::abort();
            ++rows;
        }
        if (rows >= 0 && rows != totals.rows) std::abort();
    }
    return 0;
}
