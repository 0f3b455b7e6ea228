#include "QPrinterJob.h"

#include <QPrinter>

#include "CupsQueue.h"

namespace bpd::platform {

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
