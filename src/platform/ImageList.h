#pragma once
// Keyed picture lists, the way the windows address their artwork.
//
// A list holds pictures in a fixed order; each is found by its key (exactly as written,
// case-sensitive) or by its 1-based index. Pictures are rendered from the SVG artwork at
// their natural pixel size (at the screen's device pixel ratio, so lines stay sharp while
// the logical size stays the natural one). Asking for a key or index that the list does
// not hold is a programming error: it aborts with a message naming the key, never a blank.

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <utility>
#include <vector>

namespace bpd::platform {

class ImageList {
public:
    struct Entry {
        QString key;
        QString resource;  // ":/artwork/....svg"
        QSize size;        // natural size in pixels
    };

    explicit ImageList(std::vector<Entry> entries);

    // The main window's 23 previews ("B1", "A", "dh", ..., "B1s"), in the order of the table.
    static const ImageList& previews();
    // The disclaimer's banner: one image, key "I4", 522 x 282.
    static const ImageList& banner();
    // The conditions viewer's three reference sheets "I1", "I2", "I3", 449 x 657.
    static const ImageList& conditionSheets();

    int count() const;
    QStringList keys() const;
    bool contains(const QString& key) const;
    // The checked lookup behind every accessor: the 1-based index of key, 0 when absent.
    int indexOf(const QString& key) const;
    QString resource(const QString& key) const;
    QSize size(const QString& key) const;
    QPixmap picture(const QString& key, qreal devicePixelRatio = 0) const;  // 0: the screen's
    QPixmap picture(int index, qreal devicePixelRatio = 0) const;           // 1-based

    // The picture drawn into a plain image (white behind it), for tests and the contact sheet.
    QImage image(const QString& key, qreal devicePixelRatio = 1) const;

private:
    const Entry& entry(const QString& key) const;
    const Entry& entry(int index) const;
    std::vector<Entry> entries_;
    mutable std::map<std::pair<int, qreal>, QPixmap> cache_;  // (index, ratio) -> picture
};

// Single pictures outside the lists.
QPixmap ownerLogo(qreal devicePixelRatio = 0);      // 44 x 29
QPixmap developerLogo(qreal devicePixelRatio = 0);  // 40 x 40
QIcon windowIcon();                                 // 32 x 32 (also 16, 48 and 64 for the shell)
// The icon of a window that shows none: fully transparent, so the window manager neither shows
// a picture in the title bar nor puts a generic icon of its own in its place.
QIcon blankWindowIcon();

// Renders one SVG resource at a natural size and device pixel ratio (0: the screen's).
// opaque: white behind the drawing (the 24-bit bitmaps); otherwise a transparent background.
// Aborts with a message naming the resource when it is missing or not valid SVG.
QImage renderArtwork(const QString& resource, QSize size, qreal devicePixelRatio, bool opaque);

}  // namespace bpd::platform
