#include "PdfFileJob.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>

#include "AtomicFile.h"
#include "PdfStructure.h"

namespace bpd::platform {

PdfFileJob::PdfFileJob(QString path) : path_(std::move(path)) {
    document_.open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(&document_);
    // The page of Qt's own PDF printer: its paper, margins and resolution, turned landscape.
    QPrinter pdfPrinter(QPrinter::HighResolution);
    pdfPrinter.setOutputFormat(QPrinter::PdfFormat);
    pdfPrinter.setPageOrientation(QPageLayout::Landscape);
    writer_->setResolution(pdfPrinter.resolution());
    writer_->setPageLayout(pdfPrinter.pageLayout());
    writer_->setTitle(QStringLiteral("Pelgro Bearing Pad Design"));
}

PdfFileJob::~PdfFileJob() = default;

QSizeF PdfFileJob::printableTwips() const {
    return printableTwipsOf(*writer_);
}

bool PdfFileJob::paint(const QImage& image, const QRectF& twips) {
    error_ = drawPage(*writer_, image, twips);
    painted_ = error_.isEmpty();
    return painted_;
}

bool PdfFileJob::end() {
    if (!painted_) return false;
    return AtomicFile::writeFile(path_, document_.data(), &error_, &PdfStructure::problemInFile);
}

}  // namespace bpd::platform
