#include "SheetService.h"

#include "EchoedText.h"

namespace bpd::cli {

bool sheetWritten(SheetService* sheets, const std::string& path,
                  const std::function<std::string(SheetService&)>& write, std::ostream& err) {
    const std::string name = '"' + echoed(path) + '"';
    if (!sheets) {
        err << "bpd-check: cannot write the sheet " << name
            << ": calculation sheets are not available in this build\n";
        return false;
    }
    const std::string problem = write(*sheets);
    if (problem.empty()) return true;
    err << "bpd-check: cannot write the sheet " << name << ": " << echoed(problem)
        << " (the file is as it was)\n";
    return false;
}

}  // namespace bpd::cli
