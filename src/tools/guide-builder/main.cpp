// pelgro-guide-builder SOURCE.html OUTPUT.pdf [TITLE]
// Renders the design guide's source to PDF at build time: the worked examples' numbers are put
// in by the program's own engine (GuideExamples.h), the figures are the program's own artwork
// (ArtworkObject.h), the contents list gets its page numbers once the guide is laid out
// (GuideLayout.h), and the PDF gets bookmarks and links from the contents (PdfNavigation.h).

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <cstdio>

#include "AtomicFile.h"
#include "GuideContents.h"
#include "GuideExamples.h"
#include "GuideLayout.h"
#include "GuidePrinter.h"
#include "PdfNavigation.h"

// The artwork resource lives in a static library: initialise it by name, outside any namespace.
static void initialiseArtwork() {
    Q_INIT_RESOURCE(artwork);
}

namespace {

constexpr int kDpi = 300;
constexpr qreal kCssDpi = 96;  // the layout's pixels
// The text area of a Letter page, in inches from its top left corner.
const QRectF kBody(0.85, 1.0, 8.5 - 2 * 0.85, 11.0 - 1.0 - 0.9);
const QString kOwner = QStringLiteral("Pelgro INC.");

int fail(const QString& message) {
    std::fprintf(stderr, "pelgro-guide-builder: %s\n", qPrintable(message));
    return 1;
}

// From the body of a page, in CSS pixels, to PDF points from the page's lower left corner.
QPointF toPdf(const QPointF& inBody, qreal pageHeightPoints) {
    const qreal points = 72.0 / kCssDpi;
    return {kBody.left() * 72 + inBody.x() * points,
            pageHeightPoints - (kBody.top() * 72 + inBody.y() * points)};
}

QByteArray navigable(const QByteArray& pdf, const bpd::guide::GuideLayout& layout,
                     qreal pageHeightPoints, QString& error) {
    using bpd::platform::PdfNavigation;
    QList<PdfNavigation::Bookmark> bookmarks;
    QList<PdfNavigation::Link> links;
    auto destination = [&](int page, qreal top) {
        const QPointF at = toPdf(QPointF(0, top - kCssDpi * 0.15), pageHeightPoints);
        return PdfNavigation::Destination{page, at.x(), at.y()};
    };
    if (!layout.contentsRows().isEmpty())
        bookmarks.append(
            {QStringLiteral("Contents"), 1, destination(layout.contentsRows().first().page, 0)});
    for (const auto& heading : layout.headings())
        bookmarks.append(
            {heading.title, heading.level - 1, destination(heading.page, heading.top)});
    for (const auto& row : layout.contentsRows()) {
        const auto& heading = layout.headings().at(row.heading);
        const QPointF topLeft = toPdf(row.rect.topLeft(), pageHeightPoints);
        const QPointF bottomRight = toPdf(row.rect.bottomRight(), pageHeightPoints);
        links.append({row.page, QRectF(topLeft, bottomRight).normalized(),
                      destination(heading.page, heading.top)});
    }
    return PdfNavigation::withNavigation(pdf, bookmarks, links, error);
}

}  // namespace

int main(int argc, char* argv[]) {
    // A build tool: it never shows a window, so it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    initialiseArtwork();
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: pelgro-guide-builder SOURCE.html OUTPUT.pdf [TITLE]\n");
        return 2;
    }
    const QString title = args.size() > 3 ? args.at(3) : QStringLiteral("Ravelon Design Guide");
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(QStringLiteral("cannot read %1: %2").arg(args.at(1), source.errorString()));
    QStringList errors;
    QString html = bpd::guide::expandPlaceholders(QString::fromUtf8(source.readAll()), errors);
    if (!errors.isEmpty())
        return fail(QStringLiteral("cannot expand %1").arg(errors.join(QStringLiteral(", "))));
    html = bpd::guide::withContentsTable(html, bpd::guide::contentsEntriesOf(html));

    QString error;
    QBuffer pdf;  // rendered in memory, then written whole or not at all
    pdf.open(QIODevice::WriteOnly);
    qreal pageHeightPoints = 0;
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Pelgro Bearing Pad Design"));
        writer.setResolution(kDpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Inch));
        pageHeightPoints = writer.pageLayout().fullRect(QPageLayout::Point).height();
        bpd::guide::GuideLayout layout(html, kBody.size() * kCssDpi);
        if (!layout.problems().isEmpty()) return fail(layout.problems().join(QStringLiteral("; ")));
        if (!bpd::guide::GuidePrinter(layout, kBody).print(writer, title, kOwner))
            return fail(QStringLiteral("cannot paint the PDF"));
        pdf.close();
        const QByteArray out = navigable(pdf.data(), layout, pageHeightPoints, error);
        if (out.isEmpty()) return fail(QStringLiteral("cannot add bookmarks: %1").arg(error));
        pdf.setData(out);
    }

    if (!bpd::platform::AtomicFile::writeFile(args.at(2), pdf.data(), &error))
        return fail(QStringLiteral("cannot write %1: %2").arg(args.at(2), error));
    return 0;
}
