#pragma once
// One landscape page on its way to paper or to a file, measured in twips (1440 per inch) from
// the top-left corner of the printable area. Images are drawn losslessly and cut at the
// printable area's edges.

#include <QRectF>
#include <QSizeF>
#include <QString>

class QImage;
class QPagedPaintDevice;

namespace bpd::platform {

class PrintJob {
public:
    virtual ~PrintJob() = default;
    // The printable width and height of the landscape page, in twips.
    virtual QSizeF printableTwips() const = 0;
    // Draws the image into the rectangle (twips); false when the page cannot be drawn.
    virtual bool paint(const QImage& image, const QRectF& twips) = 0;
    // Ends the document and sends it off; false when that fails.
    virtual bool end() = 0;
    virtual QString errorString() const = 0;

protected:
    // The printable area of a paged device, in twips.
    static QSizeF printableTwipsOf(const QPagedPaintDevice& device);
    // Draws the image into the rectangle (twips) as the device's one page; "" or the reason.
    static QString drawPage(QPagedPaintDevice& device, const QImage& image, const QRectF& twips);
};

}  // namespace bpd::platform
