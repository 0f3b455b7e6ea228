#pragma once
// Design files on the command line: --project checks every bearing of a file in the file's
// units; --batch ... --save-project turns a batch CSV into a design file.

#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "PlanSizes.h"
#include "SheetService.h"
#include "TableOutput.h"
#include "Units.h"

namespace bpd::cli {

struct ProjectOptions {
    OutputFormat format = OutputFormat::Csv;
    bool explain = false;  // each row also carries Ucomp, Ushear and Governs
    bool size = false;     // each bearing's smallest passing pad instead of its rows
    std::optional<std::string> step, maximum;  // when sizing: --step and --max as given
                                               // (absent: the defaults of the file's units)
    std::optional<std::string> sheet;          // the calculation package's PDF, after the rows
};

// Checks the file's bearings in file order; each row (or sized pad) starts with the bearing's
// mark. Returns 0 when every bearing was checked, 1 when a bearing was reported on err
// (position, mark and reason; the others are still checked), 2 when the file is refused as a
// whole. A failed output stops the run; the caller reports it. With a sheet, the package of
// every bearing that could be checked is then written through sheets; 3 when it cannot be.
int runProject(const std::string& path, std::ostream& out, std::ostream& err,
               const ProjectOptions& options, SheetService* sheets = nullptr);

// Reads a batch CSV (inputName names it in messages) and writes its bearings, with their
// mark, location and quantity columns, to the design file target in the given units.
// Returns 0 when written, 1 when a line was reported (nothing is written then), 2 when the
// input could not be read, 3 when the file could not be written (it keeps its old bytes).
int saveProject(std::istream& in, std::string_view inputName, const std::string& target,
                UnitSystem units, std::ostream& err);

}  // namespace bpd::cli
