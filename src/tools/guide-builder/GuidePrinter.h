#pragma once
// Prints the laid-out guide page by page: the body of each page, and from the second page on
// a running head (the guide's title, the current section) and a foot (the owner, the page
// number). The title page has neither.
//
// Usage:
//     GuidePrinter printer(layout, body);     // body: the text area of a page, in inches
//     printer.print(writer, title, owner);   // writer's page at zero margins

#include <QRectF>
#include <QString>

class QPagedPaintDevice;

namespace bpd::guide {

class GuideLayout;

class GuidePrinter {
public:
    GuidePrinter(GuideLayout& layout, const QRectF& body) : layout_(layout), body_(body) {}
    // False when the device cannot be painted on.
    bool print(QPagedPaintDevice& device, const QString& title, const QString& owner);

private:
    QString sectionOn(int page) const;

    GuideLayout& layout_;
    QRectF body_;
};

}  // namespace bpd::guide
