#pragma once
// The calculation sheet of one bearing as bpd-check asks for it (--sheet). The command stays
// free of Qt: the program hands it a service that draws the PDF (PdfSheetService, linked into
// bpd-check only); the tests hand it one that records the request.

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "CalculationSteps.h"

namespace bpd::cli {

struct SheetRequest {
    std::string path;
    BearingInputs bearing;
    // The project data given as options; an absent one comes from the settings store.
    std::optional<std::string> company, projectName, engineer, description;
};

// The calculation package of a design file (--project with --sheet): every bearing that can
// be checked, in file order, with the file's project data.
struct PackageEntry {
    BearingInputs bearing;
    std::string mark, location;
    long long quantity = 1;
};
struct PackageRequest {
    std::string path;
    std::vector<PackageEntry> bearings;
    std::string company, projectName, engineer, description;
};

class SheetService {
public:
    virtual ~SheetService() = default;
    // Writes the sheet or the package; an empty text when it was written, else the reason it
    // was not (the file at the path is then as it was).
    virtual std::string write(const SheetRequest& request) = 0;
    virtual std::string writePackage(const PackageRequest& request) = 0;
};

// Writes through sheets (absent: this build draws no sheets) and, when that fails, says so on
// err: "bpd-check: cannot write the sheet "PATH": REASON (the file is as it was)". True when
// written.
bool sheetWritten(SheetService* sheets, const std::string& path,
                  const std::function<std::string(SheetService&)>& write, std::ostream& err);

}  // namespace bpd::cli
