#include "CalculationDocument.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <memory>

#include "AtomicFile.h"
#include "BearingSheet.h"
#include "InputsDigest.h"
#include "PageFrame.h"
#include "PdfInfo.h"
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

QByteArray CalculationDocument::bearingSheetPdf(const BearingCalculation& calculation,
                                                const SheetHeading& heading,
                                                const QPageSize& pageSize) {
    PdfInfo::Fields info;
    info.title = titleFor(heading);
    info.author = authorFor(heading);
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

        const QRectF page(QPointF(0, 0), pageSize.size(QPageSize::Point));
        const PageFrame frame(heading, page);
        const BearingSheet sheet(calculation, frame.body().size(), writer);
        const QString digest = InputsDigest::of(calculation.canonicalInputs);

        QPainter painter(&writer);
        for (int p = 0; p < sheet.pageCount(); ++p) {
            if (p > 0) writer.newPage();
            frame.paint(painter, p + 1, sheet.pageCount(), digest);
            sheet.paintPage(painter, p, frame.body().topLeft());
        }
        painter.end();
    }
    QString error;
    return PdfInfo::withInfo(bytes, info, error);
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
