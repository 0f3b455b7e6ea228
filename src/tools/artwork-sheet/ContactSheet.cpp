#include "ContactSheet.h"

#include "ImageList.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <QVector>

namespace bpd::tools {

namespace {

using platform::ImageList;

struct Tile {
    QString label;
    QImage image;  // at natural size, device pixel ratio 1
    int zoom = 1;  // drawn enlarged by this factor (small pictures)
};

constexpr int kMargin = 24;
constexpr int kGap = 20;
constexpr int kLabelHeight = 20;
constexpr int kPageWidth = 1440;

QFont labelFont(int pixelSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QVector<Tile> listTiles(const ImageList& list, const QString& listName) {
    QVector<Tile> tiles;
    const QStringList keys = list.keys();
    for (int i = 0; i < keys.size(); ++i) {
        const QImage image = list.image(keys[i]);
        tiles.push_back({QStringLiteral("%1 #%2 \"%3\"  %4 x %5")
                             .arg(listName)
                             .arg(i + 1)
                             .arg(keys[i])
                             .arg(image.width())
                             .arg(image.height()),
                         image, 1});
    }
    return tiles;
}

QVector<Tile> singleTiles(int zoom) {
    const QImage owner = platform::ownerLogo(1).toImage();
    const QImage developer = platform::developerLogo(1).toImage();
    const QImage icon = platform::windowIcon().pixmap(32, 32).toImage();
    QVector<Tile> tiles;
    for (const auto& [name, image] : {std::pair{QStringLiteral("owner's logo"), owner},
                                      std::pair{QStringLiteral("developer's logo"), developer},
                                      std::pair{QStringLiteral("window icon"), icon}}) {
        const QString size = QStringLiteral("%1 x %2").arg(image.width()).arg(image.height());
        tiles.push_back({QStringLiteral("%1  %2").arg(name, size), image, 1});
        if (zoom > 1)
            tiles.push_back({QStringLiteral("%1 (x%2)").arg(name).arg(zoom), image, zoom});
    }
    return tiles;
}

// Places tiles left to right, wrapping at the page width; returns the height used.
int placeRow(QPainter* painter, const QVector<Tile>& tiles, int top) {
    int x = kMargin;
    int y = top;
    int rowHeight = 0;
    for (const Tile& tile : tiles) {
        const QSize size = tile.image.size() * tile.zoom;
        const int width = qMax(size.width(), 150);
        if (x + width > kPageWidth - kMargin && x > kMargin) {
            x = kMargin;
            y += rowHeight + kGap;
            rowHeight = 0;
        }
        if (painter != nullptr) {
            painter->setPen(QColor(40, 40, 40));
            painter->setFont(labelFont(12, false));
            painter->drawText(QPoint(x, y + 14), tile.label);
            const QRect target(QPoint(x, y + kLabelHeight), size);
            painter->drawImage(target, tile.image);
            painter->setPen(QColor(170, 170, 170));
            painter->drawRect(
                target.adjusted(-1, -1, 0, 0));  // the picture's extent, just outside it
        }
        x += width + kGap;
        rowHeight = qMax(rowHeight, size.height() + kLabelHeight);
    }
    return y + rowHeight - top;
}

}  // namespace

QImage renderContactSheet(int smallPictureZoom) {
    const QVector<std::pair<QString, QVector<Tile>>> sections = {
        {QStringLiteral("Main window previews (ImageList::previews)"),
         listTiles(ImageList::previews(), QStringLiteral("preview"))},
        {QStringLiteral(
             "Reference sheets (ImageList::conditionSheets); the viewer cuts the bottom 8 rows"),
         listTiles(ImageList::conditionSheets(), QStringLiteral("sheet"))},
        {QStringLiteral("Disclaimer banner (ImageList::banner)"),
         listTiles(ImageList::banner(), QStringLiteral("banner"))},
        {QStringLiteral("Logos and window icon"), singleTiles(smallPictureZoom)},
    };
    constexpr int kHeadingHeight = 30;

    int height = kMargin;
    for (const auto& section : sections)
        height += kHeadingHeight + placeRow(nullptr, section.second, 0) + kGap * 2;

    QImage sheet(kPageWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(236, 236, 236));
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::TextAntialiasing);
    int y = kMargin;
    for (const auto& section : sections) {
        painter.setPen(Qt::black);
        painter.setFont(labelFont(16, true));
        painter.drawText(QPoint(kMargin, y + 18), section.first);
        y += kHeadingHeight;
        y += placeRow(&painter, section.second, y) + kGap * 2;
    }
    return sheet;
}

}  // namespace bpd::tools
