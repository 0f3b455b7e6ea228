#include "PrinterService.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cstdio>

namespace bpd::platform {

namespace {
constexpr double kTwipsPerPoint = 20.0;
constexpr double kTwipsPerInch = 1440.0;
}  // namespace

bool PrinterService::hasPrinter() const { return !QPrinterInfo::availablePrinters().isEmpty(); }

QString PrinterService::defaultPrinterName() const {
    return QPrinterInfo::defaultPrinterName();
}

std::unique_ptr<PrintJob> PrinterService::beginDefault() {
    if (!hasPrinter())
        return nullptr;
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        info = QPrinterInfo::availablePrinters().constFirst();
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(QStringLiteral("Pelgro Bearing Pad Design"));
    return std::make_unique<QPrinterJob>(std::move(printer));
}

std::unique_ptr<PrintJob> PrinterService::beginPdf(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(QStringLiteral("Pelgro Bearing Pad Design"));
    const QFileInfo target(path);
    printer->setOutputFileName(target.dir().filePath(QStringLiteral(".") + target.fileName() +
                                                     QStringLiteral(".part")));
    return std::make_unique<QPrinterJob>(std::move(printer), path);
}

QString PrinterService::choosePdfPath(QWidget* parent, const QString& suggestedPath) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save the page as PDF"), suggestedPath,
                                        QStringLiteral("PDF files (*.pdf)"));
}

QPrinterJob::QPrinterJob(std::unique_ptr<QPrinter> printer, QString finalPath)
    : printer_(std::move(printer)), finalPath_(std::move(finalPath)) {}

QPrinterJob::~QPrinterJob() = default;

QSizeF QPrinterJob::printableTwips() const {
    const QRectF page = printer_->pageRect(QPrinter::Point);
    return page.size() * kTwipsPerPoint;
}

bool QPrinterJob::paint(const QImage& image, const QRectF& twips) {
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        error_ = QStringLiteral("The printer could not start the page.");
        return false;
    }
    painter.setRenderHint(QPainter::LosslessImageRendering);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // Device units from twips; the painter's origin is the printable area's corner.
    const double perTwip = printer_->resolution() / kTwipsPerInch;
    const QSizeF printable = printableTwips();
    painter.setClipRect(QRectF(0, 0, printable.width() * perTwip, printable.height() * perTwip));
    painter.drawImage(QRectF(twips.x() * perTwip, twips.y() * perTwip, twips.width() * perTwip,
                             twips.height() * perTwip),
                      image);
    painted_ = painter.end();
    if (!painted_)
        error_ = QStringLiteral("The page could not be finished.");
    return painted_;
}

bool QPrinterJob::end() {
    if (!painted_)
        return false;
    if (printer_->printerState() == QPrinter::Error || printer_->printerState() == QPrinter::Aborted) {
        error_ = QStringLiteral("The printer reported an error.");
        return false;
    }
    if (!finalPath_.isEmpty()) {
        const QByteArray from = QFile::encodeName(printer_->outputFileName());
        if (std::rename(from.constData(), QFile::encodeName(finalPath_).constData()) != 0) {
            error_ = QStringLiteral("The file %1 could not be written.").arg(QDir::toNativeSeparators(finalPath_));
            QFile::remove(printer_->outputFileName());
            return false;
        }
    }
    return true;
}

}  // namespace bpd::platform
