#pragma once
// Bookmarks and internal links for a PDF the program wrote with QPdfWriter (the design guide,
// a calculation package), which makes neither. They are added as an incremental update (the
// PDF's own way of amending a file): the original bytes stay as they are, followed by the new
// outline and link objects, the catalog and the pages' annotation arrays amended, and a
// cross-reference section for those.
//
// Usage:
//     QString error;
//     const QByteArray out = PdfNavigation::withNavigation(pdf, bookmarks, links, error);
//     if (out.isEmpty()) ... error says what the file lacks

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QString>

namespace bpd::platform {

class PdfNavigation {
public:
    // A place on a page: PDF points from the page's lower left corner.
    struct Destination {
        int page = 0;  // 0 is the first page
        qreal x = 0;
        qreal y = 0;
    };
    struct Bookmark {
        QString title;
        int level = 1;  // 1 at the top, 2 below the last level-1 bookmark
        Destination to;
    };
    struct Link {
        int page = 0;
        QRectF rect;  // PDF points from the page's lower left corner
        Destination to;
    };

    // The PDF opening with its bookmarks shown; empty, and error set, when the file's
    // structure is not the one QPdfWriter writes.
    static QByteArray withNavigation(const QByteArray& pdf, const QList<Bookmark>& bookmarks,
                                     const QList<Link>& links, QString& error);
};

}  // namespace bpd::platform
