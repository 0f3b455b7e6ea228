#pragma once
// Keyed picture lists, the way the windows address their artwork.
//
// A list holds pictures in a fixed order; each is found by its key (exactly as written,
// case-sensitive) or by its 1-based index. Pictures are rendered from the SVG artwork at
// their natural pixel size (at the screen's device pixel ratio, so lines stay sharp while
// the logical size stays the natural one). Asking for a key or index that the list does
// not hold is a programming error: it aborts with a message naming the key, never a blank.

#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
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
    QSize size(const QString& key) const;
    QPixmap picture(const QString& key, qreal devicePixelRatio = 0) const;  // 0: the screen's
    QPixmap picture(int index, qreal devicePixelRatio = 0) const;           // 1-based

private:
    const Entry& entry(const QString& key) const;
    const Entry& entry(int index) const;
    std::vector<Entry> entries_;
};

// Single pictures outside the lists.
QPixmap ownerLogo(qreal devicePixelRatio = 0);      // 44 x 29
QPixmap developerLogo(qreal devicePixelRatio = 0);  // 40 x 40
QIcon windowIcon();                                 // 32 x 32

}  // namespace bpd::platform
