#include "PrintJob.h"

#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include "Twips.h"

namespace bpd::platform {

namespace {
constexpr double kTwipsPerPoint = 20.0;
}  // namespace

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

}  // namespace bpd::platform
