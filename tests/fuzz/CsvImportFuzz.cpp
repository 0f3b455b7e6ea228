// The schedule's CSV import on arbitrary files: every line is taken or refused with a line
// number inside the file, and the bearings taken, written out by the export and read again,
// come back whole with the same values.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CsvExport.h"
#include "CsvImport.h"

using namespace bpd::designfile;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto units = size % 2 ? bpd::UnitSystem::SI : bpd::UnitSystem::Imperial;
    const CsvImport read = readBearingCsv(text, units);

    const auto lines = static_cast<std::int64_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    if (read.badLineCount < static_cast<std::int64_t>(read.badLines.size())) std::abort();
    if (static_cast<std::int64_t>(read.bearings.size()) + read.badLineCount > lines) std::abort();
    for (const CsvBadLine& bad : read.badLines)
        if (bad.line < 1 || bad.line > lines || bad.reason.empty()) std::abort();

    std::vector<ScheduleLine> written;
    for (const DesignBearing& bearing : read.bearings) written.push_back({bearing, {}, {}, {}, {}});
    const CsvImport again = readBearingCsv(writeBearingCsv(written), units);
    if (again.badLineCount != 0 || again.bearings.size() != read.bearings.size()) std::abort();
    for (std::size_t i = 0; i < read.bearings.size(); ++i) {
        const DesignBearing& a = read.bearings[i];
        const DesignBearing& b = again.bearings[i];
        if (a.values.w1 != b.values.w1 || a.values.b1 != b.values.b1 || a.values.A != b.values.A ||
            a.values.dh != b.values.dh || a.values.Vap != b.values.Vap ||
            a.quantity != b.quantity || a.sliding != b.sliding || a.thickness != b.thickness)
            std::abort();
    }
    return 0;
}
