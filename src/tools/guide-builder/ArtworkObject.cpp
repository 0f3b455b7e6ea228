#include "ArtworkObject.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

#include "VectorArtwork.h"

namespace bpd::guide {

namespace {

const QString kScheme = QStringLiteral("artwork:");
constexpr qreal kCssDpi = 96;

QString resourceOf(const QTextFormat& format) {
    const QString name = format.toImageFormat().name();
    return name.startsWith(kScheme)
               ? QStringLiteral(":/artwork/%1.svg").arg(name.mid(kScheme.size()))
               : QString();
}

}  // namespace

void ArtworkObject::install(QTextDocument& document) {
    document.documentLayout()->registerHandler(QTextFormat::ImageObject,
                                               new ArtworkObject(&document));
}

bool ArtworkObject::allArtworkExists(const QTextDocument& document, QStringList& missing) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat()) continue;
            const QString resource = resourceOf(format);
            if (resource.isEmpty() || !QFile::exists(resource))
                missing << format.toImageFormat().name();
        }
    }
    return missing.isEmpty();
}

QSizeF ArtworkObject::intrinsicSize(QTextDocument* document, int, const QTextFormat& format) {
    const QTextImageFormat image = format.toImageFormat();
    QSizeF size(image.width(), image.height());
    const VectorArtwork drawing(resourceOf(format));
    const QSizeF natural = drawing.isValid() ? drawing.naturalSize() : QSizeF(100, 100);
    if (size.width() <= 0 && size.height() <= 0)
        size = natural;
    else if (size.height() <= 0)
        size.setHeight(size.width() * natural.height() / natural.width());
    else if (size.width() <= 0)
        size.setWidth(size.height() * natural.width() / natural.height());
    const QPaintDevice* device = document->documentLayout()->paintDevice();
    return device ? size * (device->logicalDpiX() / kCssDpi) : size;
}

void ArtworkObject::drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int,
                               const QTextFormat& format) {
    const VectorArtwork drawing(resourceOf(format));
    if (drawing.isValid())
        drawing.paint(painter, rect);
    else
        painter->fillRect(rect, Qt::lightGray);
}

}  // namespace bpd::guide
