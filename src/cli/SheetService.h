#pragma once
// The calculation sheet of one bearing as bpd-check asks for it (--sheet). The command stays
// free of Qt: the program hands it a service that draws the PDF (PdfSheetService, linked into
// bpd-check only); the tests hand it one that records the request.

#include <optional>
#include <string>

#include "CalculationSteps.h"

namespace bpd::cli {

struct SheetRequest {
    std::string path;
    BearingInputs bearing;
    // The project data given as options; an absent one comes from the settings store.
    std::optional<std::string> company, projectName, engineer, description;
};

class SheetService {
public:
    virtual ~SheetService() = default;
    // Writes the sheet; an empty text when it was written, else the reason it was not (the
    // file at the path is then as it was).
    virtual std::string write(const SheetRequest& request) = 0;
};

}  // namespace bpd::cli
