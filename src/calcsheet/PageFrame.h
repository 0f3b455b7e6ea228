#pragma once
// The frame of every page of a calculation sheet: the title block at the top (company,
// project, engineer, description, the bearing's mark and location when it has them, empty
// "Designed by" / "Checked by" / "Date" boxes to sign, the program and its version, "Page N of
// M") and a footer line (when the sheet was made, the version, the inputs' digest).
//
// Usage:
//     PageFrame frame(heading, pageRect);        // pageRect in points
//     frame.paint(painter, 2, 5, digest);         // page 2 of 5
//     frame.body();                               // where the content goes

#include <QRectF>
#include <QString>

#include "SheetHeading.h"

class QPainter;

namespace bpd::calcsheet {

class PageFrame {
public:
    PageFrame(SheetHeading heading, QRectF page);

    QRectF body() const { return body_; }
    // pageNumber counts from 1; digest: the inputs' digest of the bearing on this page.
    void paint(QPainter& painter, int pageNumber, int pageCount, const QString& digest) const;

    // "Page 2 of 5".
    static QString pageText(int pageNumber, int pageCount);

private:
    void paintTitleBlock(QPainter& painter, int pageNumber, int pageCount) const;
    void paintFooter(QPainter& painter, const QString& digest) const;

    SheetHeading heading_;
    QRectF page_, titleBlock_, footer_, body_;
};

}  // namespace bpd::calcsheet
