#include "SystemPrinter.h"

#include <QFileDialog>
#include <QPageLayout>
#include <QPrinter>
#include <QPrinterInfo>

#include "PdfFileJob.h"
#include "QPrinterJob.h"

namespace bpd::platform {

bool SystemPrinter::hasPrinter() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString SystemPrinter::defaultPrinterName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<PrintJob> SystemPrinter::beginDefault() {
    if (!hasPrinter()) return nullptr;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) info = QPrinterInfo::availablePrinters().constFirst();
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(QStringLiteral("Pelgro Bearing Pad Design"));
    return std::make_unique<QPrinterJob>(std::move(printer));
}

std::unique_ptr<PrintJob> SystemPrinter::beginPdf(const QString& path) {
    return std::make_unique<PdfFileJob>(path);
}

QString SystemPrinter::choosePdfPath(QWidget* parent, const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save the page as PDF"),
                                        suggestedPath, QStringLiteral("PDF files (*.pdf)"));
}

}  // namespace bpd::platform
