#include "PrinterService.h"

#include <QFileDialog>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "CupsQueue.h"
#include "PdfFileJob.h"

namespace bpd::platform {

namespace {
constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerInch = 1440.0;
}  // namespace

bool PrinterService::hasPrinter() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

QString PrinterService::defaultPrinterName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<PrintJob> PrinterService::beginDefault() {
    if (!hasPrinter()) return nullptr;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) info = QPrinterInfo::availablePrinters().constFirst();
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(QStringLiteral("Pelgro Bearing Pad Design"));
    return std::make_unique<QPrinterJob>(std::move(printer));
}

std::unique_ptr<PrintJob> PrinterService::beginPdf(const QString& path) {
    return std::make_unique<PdfFileJob>(path);
}

QString PrinterService::choosePdfPath(QWidget* parent, const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save the page as PDF"),
                                        suggestedPath, QStringLiteral("PDF files (*.pdf)"));
}

QSizeF PrintJob::printableTwipsOf(const QPagedPaintDevice& device) {
    return device.pageLayout().paintRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

QString PrintJob::drawPage(QPagedPaintDevice& device, const QImage& image, const QRectF& twips) {
    QPainter painter;
    if (!painter.begin(&device)) return QStringLiteral("The printer could not start the page.");
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Device units from twips; the painter's origin is the printable area's corner.
    const double perTwip = device.logicalDpiX() / kTwipsPerInch;
    const QSizeF printable = printableTwipsOf(device);
    painter.setClipRect(QRectF(0, 0, printable.width() * perTwip, printable.height() * perTwip));
    painter.drawImage(QRectF(twips.x() * perTwip, twips.y() * perTwip, twips.width() * perTwip,
                             twips.height() * perTwip),
                      image);
    return painter.end() ? QString() : QStringLiteral("The page could not be finished.");
}

QPrinterJob::QPrinterJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

QPrinterJob::~QPrinterJob() = default;

QSizeF QPrinterJob::printableTwips() const {
    return printableTwipsOf(*printer_);
}

bool QPrinterJob::paint(const QImage& image, const QRectF& twips) {
    const CupsQueue queue(printer_->printerName());
    error_ = queue.refusal();
    if (error_.isEmpty()) error_ = drawPage(*printer_, image, twips);
    // Qt sends the page to the print system as the painter ends, and keeps no answer.
    if (error_.isEmpty()) error_ = queue.lastJobRefusal();
    painted_ = error_.isEmpty();
    return painted_;
}

bool QPrinterJob::end() {
    if (!painted_) return false;
    if (printer_->printerState() == QPrinter::Error ||
        printer_->printerState() == QPrinter::Aborted) {
        error_ = QStringLiteral("The printer reported an error.");
        return false;
    }
    return true;
}

}  // namespace bpd::platform
