#include "WindowPrint.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include "MessageService.h"
#include "PrinterService.h"
#include "Twips.h"
#include "UserFolders.h"

namespace bpd::reports {

namespace {

using platform::kMessageTitle;
using platform::kTwipsPerInch;

void setVisible(QWidget* widget, bool visible) {
    if (widget) widget->setVisible(visible);
}

void setPicture(QWidget* pictureBox, const QPixmap& picture, bool sizeToPicture) {
    auto* label = qobject_cast<QLabel*>(pictureBox);
    if (!label) return;
    label->setPixmap(picture);
    if (sizeToPicture) label->resize(picture.deviceIndependentSize().toSize());
}

}  // namespace

WindowPrint::WindowPrint(PrintDress dress, platform::PrinterService& printer,
                         platform::MessageService& messages, Capture capture)
    : dress_(dress),
      printer_(printer),
      messages_(messages),
      capture_(capture ? std::move(capture) : Capture(&WindowPrint::captureWithFrame)) {}

QRectF WindowPrint::placeImage(QSizeF printable, QSizeF image) {
    // Single precision, as the page measures are kept.
    const float w = static_cast<float>(image.width());
    const float h = static_cast<float>(image.height());
    const float x = (static_cast<float>(printable.width()) - w) / 2.0f;
    const float y = (static_cast<float>(printable.height()) - h) / 2.0f;
    return QRectF(x, y, w, h);
}

QSizeF WindowPrint::imageTwips(QSizeF logicalPixels, double dpiX, double dpiY) {
    return QSizeF(logicalPixels.width() * kTwipsPerInch / dpiX,
                  logicalPixels.height() * kTwipsPerInch / dpiY);
}

QImage WindowPrint::captureWithFrame(QWidget* window) {
    if (!window) return {};
    if (QScreen* screen = window->screen()) {
        const QRect frame = window->frameGeometry();
        const QPoint offset = frame.topLeft() - screen->geometry().topLeft();
        const QPixmap shot =
            screen->grabWindow(0, offset.x(), offset.y(), frame.width(), frame.height());
        if (!shot.isNull() && shot.deviceIndependentSize().toSize() == frame.size())
            return shot.toImage();
    }
    // No screen grab on this window system: the window's own rendering, without a frame.
    return window->grab().toImage();
}

WindowPrint::Result WindowPrint::PrintBtn_Click() {
    error_.clear();
    // Remember the normal state so every control goes back exactly as it was.
    const bool gridShown = dress_.MSFlexGrid1 && !dress_.MSFlexGrid1->isHidden();
    const bool pictureShown = dress_.Picture2 && !dress_.Picture2->isHidden();
    const bool analyzeShown = dress_.AnalyzeBtn && !dress_.AnalyzeBtn->isHidden();
    const bool printShown = dress_.PrintBtn && !dress_.PrintBtn->isHidden();
    const bool contactShown = dress_.Label7 && !dress_.Label7->isHidden();

    if (dress_.MSFlexGrid1) setPicture(dress_.Picture2, dress_.MSFlexGrid1->grab(), false);
    setVisible(dress_.MSFlexGrid1, false);
    setVisible(dress_.Picture2, true);
    setVisible(dress_.AnalyzeBtn, false);
    setVisible(dress_.PrintBtn, false);
    setVisible(dress_.Label7, true);
    QApplication::setOverrideCursor(Qt::WaitCursor);

    Result result = PrintWindowImage();

    setVisible(dress_.AnalyzeBtn, analyzeShown);
    setVisible(dress_.PrintBtn, printShown);
    setVisible(dress_.MSFlexGrid1, gridShown);
    setVisible(dress_.Picture2, pictureShown);
    setVisible(dress_.Label7, contactShown);
    QApplication::restoreOverrideCursor();

    if (result == Result::NoPrinter)
        result = offerPdf();
    else if (result == Result::Failed)
        messages_.warning(dress_.window, kMessageTitle,
                          QStringLiteral("The window could not be printed.\n%1").arg(error_));
    return result;
}

WindowPrint::Result WindowPrint::PrintWindowImage() {
    // Let the dress reach the screen before the picture is taken.
    if (dress_.window) dress_.window->repaint();
    QCoreApplication::processEvents();

    image_ = capture_(dress_.window);
    if (image_.isNull()) {
        error_ = QStringLiteral("No picture of the window could be taken.");
        return Result::Failed;
    }
    setPicture(dress_.HiddenPict, QPixmap::fromImage(image_), true);

    if (!printer_.hasPrinter()) return Result::NoPrinter;
    std::unique_ptr<platform::PrintJob> job = printer_.beginDefault();
    if (!job) return Result::NoPrinter;
    return printOn(job.get());
}

WindowPrint::Result WindowPrint::printOn(platform::PrintJob* job) {
    const double dpiX = dress_.window ? dress_.window->logicalDpiX() : 96.0;
    const double dpiY = dress_.window ? dress_.window->logicalDpiY() : 96.0;
    const QSizeF logical = QSizeF(image_.size()) / image_.devicePixelRatio();
    const QRectF place = placeImage(job->printableTwips(), imageTwips(logical, dpiX, dpiY));
    if (!job->paint(image_, place) || !job->end()) {
        error_ = job->errorString();
        return Result::Failed;
    }
    return Result::Printed;
}

WindowPrint::Result WindowPrint::offerPdf() {
    if (!messages_.question(
            dress_.window, kMessageTitle,
            QStringLiteral("No printer is installed, so the window was not printed.\n"
                           "Save the page as a PDF file instead?")))
        return Result::NoPrinter;
    const QString path =
        printer_.choosePdfPath(dress_.window, platform::UserFolders::documents() +
                                                  QStringLiteral("/Pelgro Bearing Pad Design.pdf"));
    if (path.isEmpty()) return Result::Cancelled;
    std::unique_ptr<platform::PrintJob> job = printer_.beginPdf(path);
    if (!job || printOn(job.get()) != Result::Printed) {
        messages_.warning(dress_.window, kMessageTitle,
                          QStringLiteral("The PDF file %1 could not be written.\n%2")
                              .arg(QDir::toNativeSeparators(path), error_));
        return Result::Failed;
    }
    return Result::SavedAsPdf;
}

}  // namespace bpd::reports
