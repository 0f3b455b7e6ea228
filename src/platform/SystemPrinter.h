#pragma once
// The print system's printers (CUPS through Qt), and Qt's file dialog for a PDF file's name.
//
// Whether a printer exists is decided by the installed printers, not by QPrinter::isValid(),
// which answers true without any. A job the print system refuses fails with its reason.

#include "PrinterService.h"

namespace bpd::platform {

class SystemPrinter : public PrinterService {
public:
    bool hasPrinter() const override;
    QString defaultPrinterName() const override;
    std::unique_ptr<PrintJob> beginDefault() override;
    std::unique_ptr<PrintJob> beginPdf(const QString& path) override;
    QString choosePdfPath(QWidget* parent, const QString& suggestedPath) override;
};

}  // namespace bpd::platform
