#pragma once
// bpd-check's calculation sheets and packages: the PDF drawn by the sheet library (Qt Gui), with
// the project data the options do not give read from the program's settings store. Qt starts only
// when a sheet is asked for, on the offscreen platform (no display needed), so bpd-check
// without --sheet runs as before.

#include <memory>

#include "SheetHeading.h"
#include "SheetService.h"

class QGuiApplication;

namespace bpd::cli {

class PdfSheetService : public SheetService {
public:
    explicit PdfSheetService(std::string version);
    ~PdfSheetService() override;

    std::string write(const SheetRequest& request) override;
    std::string writePackage(const PackageRequest& request) override;

private:
    void start();
    calcsheet::SheetHeading heading(const reports::ProjectData& project) const;

    std::string version_;
    std::unique_ptr<QGuiApplication> application_;
};

}  // namespace bpd::cli
