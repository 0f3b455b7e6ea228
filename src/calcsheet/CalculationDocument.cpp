#include "CalculationDocument.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <functional>
#include <vector>

#include "AtomicFile.h"
#include "BearingSheet.h"
#include "InputsDigest.h"
#include "PackageCover.h"
#include "PageFrame.h"
#include "PdfInfo.h"
#include "PdfNavigation.h"
#include "PdfStructure.h"
#include "SheetStyle.h"

namespace bpd::calcsheet {

QPageSize CalculationDocument::pageSizeFor(const QLocale& locale) {
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                             : QPageSize::A4);
}

QString CalculationDocument::titleFor(const SheetHeading& heading) {
    const QString name = heading.project.sProjectName.trimmed();
    return name.isEmpty() ? QStringLiteral("Calculation sheet")
                          : QStringLiteral("Calculation sheet: ") + name;
}

namespace {

// The writer of a sheet or a package: PDF/A-1b at 72 dots per inch, no margins (the frame
// keeps its own), the metadata in the XMP packet and, after painting, in the Info dictionary.
// bookmarks, when given, are filled by paint and added to the file before its Info. Empty
// when stopped says, once painted, that the painting was cut short.
QByteArray render(const SheetHeading& heading, const QPageSize& pageSize,
                  const std::function<void(QPdfWriter&, const QRectF&)>& paint,
                  QList<platform::PdfNavigation::Bookmark>* bookmarks = nullptr,
                  const std::function<bool()>& stopped = {}) {
    PdfInfo::Fields info;
    info.title = CalculationDocument::titleFor(heading);
    info.author = CalculationDocument::authorFor(heading);
    info.creator = heading.program + QLatin1Char(' ') + heading.version;
    info.producer = QStringLiteral("Qt ") + QString::fromLatin1(qVersion());
    info.created = heading.made;
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
        writer.setResolution(SheetStyle::kDotsPerInch);
        writer.setPageSize(pageSize);
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        writer.setDocumentXmpMetadata(PdfInfo::xmp(info));
        paint(writer, QRectF(QPointF(0, 0), pageSize.size(QPageSize::Point)));
    }
    if (stopped && stopped()) return {};
    QString error;
    if (bookmarks && !bookmarks->isEmpty()) {
        bytes = platform::PdfNavigation::withNavigation(bytes, *bookmarks, {}, error);
        if (bytes.isEmpty()) return {};
    }
    return PdfInfo::withInfo(bytes, info, error);
}

}  // namespace

QByteArray CalculationDocument::bearingSheetPdf(const BearingCalculation& calculation,
                                                const SheetHeading& heading,
                                                const QPageSize& pageSize) {
    return render(heading, pageSize, [&](QPdfWriter& writer, const QRectF& page) {
        const PageFrame frame(heading, page);
        const BearingSheet sheet(calculation, frame.body().size(), writer);
        const QString digest = InputsDigest::of(calculation.canonicalInputs);
        QPainter painter(&writer);
        for (int p = 0; p < sheet.pageCount(); ++p) {
            if (p > 0) writer.newPage();
            frame.paint(painter, p + 1, sheet.pageCount(), digest);
            sheet.paintPage(painter, p, frame.body().topLeft());
        }
    });
}

QByteArray CalculationDocument::packagePdf(const QList<PackageBearing>& bearings,
                                           const SheetHeading& heading, const QPageSize& pageSize,
                                           const Progress& progress) {
    const int steps = packageSteps(bearings.size());
    int done = 0;
    bool stopped = false;
    // One step done; true when the package is to stop here.
    const auto step = [&]() {
        if (progress.advanced) progress.advanced(++done, steps);
        if (!stopped && progress.cancelled && progress.cancelled()) stopped = true;
        return stopped;
    };
    std::vector<BearingCalculation> calculations;
    calculations.reserve(static_cast<std::size_t>(bearings.size()));
    std::string everyInput;
    for (const PackageBearing& b : bearings) {
        calculations.push_back(calculateBearing(b.bearing));
        everyInput += calculations.back().canonicalInputs + '\n';
        if (step()) return {};
    }
    QList<platform::PdfNavigation::Bookmark> bookmarks;
    const auto paint = [&](QPdfWriter& writer, const QRectF& page) {
        const PageFrame coverFrame(heading, page);
        const QSizeF body = coverFrame.body().size();
        const PackageCover cover(bearings, calculations, body);
        // Every sheet laid out first: the page numbers run through the package.
        std::vector<BearingSheet> sheets;
        sheets.reserve(calculations.size());
        QList<int> firstPages;
        int total = cover.pageCount();
        for (BearingCalculation& c : calculations) {
            firstPages << total + 1;
            sheets.emplace_back(std::move(c), body, writer);
            total += sheets.back().pageCount();
            if (step()) return;
        }
        QPainter painter(&writer);
        int number = 0;
        const auto next = [&]() {
            if (number++ > 0) writer.newPage();
        };
        const QString packageDigest = InputsDigest::of(everyInput);
        // A bookmark for the summary and one per bearing, at the top of its first page.
        const auto bookmark = [&](const QString& title, int firstPage) {
            bookmarks << platform::PdfNavigation::Bookmark{
                title, 1, {firstPage - 1, 0, page.height()}};
        };
        bookmark(QStringLiteral("Summary"), 1);
        for (qsizetype i = 0; i < bearings.size(); ++i) {
            const PackageBearing& b = bearings[i];
            QString title = b.mark.isEmpty() ? QStringLiteral("Bearing %1").arg(i + 1) : b.mark;
            if (!b.location.isEmpty()) title += QStringLiteral(", ") + b.location;
            bookmark(title, firstPages[i]);
        }
        for (int p = 0; p < cover.pageCount(); ++p) {
            next();
            coverFrame.paint(painter, number, total, packageDigest);
            cover.paintPage(painter, p, coverFrame.body().topLeft(), firstPages);
        }
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            SheetHeading own = heading;
            own.mark = bearings[static_cast<qsizetype>(i)].mark;
            own.location = bearings[static_cast<qsizetype>(i)].location;
            const PageFrame frame(own, page);
            const QString digest = InputsDigest::of(sheets[i].calculation().canonicalInputs);
            for (int p = 0; p < sheets[i].pageCount(); ++p) {
                next();
                frame.paint(painter, number, total, digest);
                sheets[i].paintPage(painter, p, frame.body().topLeft());
            }
            if (step()) return;
        }
    };
    return render(heading, pageSize, paint, &bookmarks, [&] { return stopped; });
}

bool CalculationDocument::writePackage(const QString& path, const QList<PackageBearing>& bearings,
                                       const SheetHeading& heading, const QLocale& locale,
                                       QString* error, const Progress& progress) {
    const QByteArray pdf = packagePdf(bearings, heading, pageSizeFor(locale), progress);
    if (pdf.isEmpty()) {
        const bool cancelled = progress.cancelled && progress.cancelled();
        if (error) *error = cancelled ? QString() : QStringLiteral("the PDF could not be made");
        return false;
    }
    return platform::AtomicFile::writeFile(path, pdf, error, platform::PdfStructure::problemInFile);
}

QString CalculationDocument::authorFor(const SheetHeading& heading) {
    const QString engineer = heading.project.sEngineer.trimmed();
    return engineer.isEmpty() ? heading.project.sCompany.trimmed() : engineer;
}

bool CalculationDocument::writeBearingSheet(const QString& path, const BearingInputs& bearing,
                                            const SheetHeading& heading, const QLocale& locale,
                                            QString* error) {
    const QByteArray pdf = bearingSheetPdf(calculateBearing(bearing), heading, pageSizeFor(locale));
    if (pdf.isEmpty()) {
        if (error) *error = QStringLiteral("the PDF could not be made");
        return false;
    }
    return platform::AtomicFile::writeFile(path, pdf, error, platform::PdfStructure::problemInFile);
}

}  // namespace bpd::calcsheet
