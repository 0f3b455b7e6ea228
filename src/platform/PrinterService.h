#pragma once
// The printer behind the window print: the default printer, or a PDF file when there is none.
// SystemPrinter is the program's; the tests record the pages instead.

#include <QString>
#include <memory>

#include "PrintJob.h"

class QWidget;

namespace bpd::platform {

class PrinterService {
public:
    virtual ~PrinterService() = default;

    // True when at least one printer is installed.
    virtual bool hasPrinter() const = 0;
    virtual QString defaultPrinterName() const = 0;
    // A landscape job on the default printer; nullptr when there is no printer.
    virtual std::unique_ptr<PrintJob> beginDefault() = 0;
    // A landscape job that writes a PDF file, which replaces `path` only when the job ends
    // and the whole file was written (PdfFileJob).
    virtual std::unique_ptr<PrintJob> beginPdf(const QString& path) = 0;
    // Asks the user where to save a PDF file; empty when cancelled.
    virtual QString choosePdfPath(QWidget* parent, const QString& suggestedPath) = 0;
};

}  // namespace bpd::platform
