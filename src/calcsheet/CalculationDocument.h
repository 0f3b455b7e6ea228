#pragma once
// A calculation sheet as a PDF file: the writer (QPdfWriter at 72 dots per inch, letter or
// A4 by the user's locale, PDF/A-1b, fonts embedded, title and author), the pages of the
// bearing sheets with their frames and page numbers through the document, and the write
// through AtomicFile with the file's structure read back before it replaces the target.
// QPdfWriter writes to any QIODevice, so the PDF is made in memory and written in AtomicFile's
// ordinary mode (its library mode is for writers that insist on opening a file by name).
//
// Usage (the window's Design > Calculation Sheet, bpd-check --sheet):
//     QString error;
//     if (!CalculationDocument::writeBearingSheet(path, bearing, heading, QLocale(), &error))
//         ... error says why; the file at path is as it was

#include <QByteArray>
#include <QLocale>
#include <QPageSize>
#include <QString>
#include <functional>

#include "CalculationSteps.h"
#include "PackageCover.h"
#include "SheetHeading.h"

namespace bpd::calcsheet {

class CalculationDocument {
public:
    // Letter where the locale measures in US units, else A4.
    static QPageSize pageSizeFor(const QLocale& locale);

    // The PDF of one bearing's sheet.
    static QByteArray bearingSheetPdf(const BearingCalculation& calculation,
                                      const SheetHeading& heading, const QPageSize& pageSize);

    // Runs the check of the bearing and writes its sheet to path. False with the reason.
    static bool writeBearingSheet(const QString& path, const BearingInputs& bearing,
                                  const SheetHeading& heading, const QLocale& locale,
                                  QString* error);

    // How far a package has come, for a progress bar, and whether to stop. Both are called
    // on the thread that makes the package; either may be empty. A package has
    // packageSteps(bearings) steps: each bearing is calculated, laid out and painted.
    struct Progress {
        std::function<void(int done, int total)> advanced;
        std::function<bool()> cancelled;
    };
    static int packageSteps(qsizetype bearings) { return 3 * static_cast<int>(bearings); }

    // A package of bearings (a schedule): a cover with the summary of every bearing, then
    // each bearing's sheet with its mark and location, the page numbers running through.
    // Empty when progress.cancelled stopped it; the bytes do not depend on progress.
    static QByteArray packagePdf(const QList<PackageBearing>& bearings, const SheetHeading& heading,
                                 const QPageSize& pageSize, const Progress& progress = {});
    // False with the reason; with an empty reason when cancelled before the write began (the
    // file at path is as it was either way).
    static bool writePackage(const QString& path, const QList<PackageBearing>& bearings,
                             const SheetHeading& heading, const QLocale& locale, QString* error,
                             const Progress& progress = {});

    // The document's title: "Calculation sheet: <project name>" (or without the name).
    static QString titleFor(const SheetHeading& heading);
    // The document's author: the engineer, else the company.
    static QString authorFor(const SheetHeading& heading);
};

}  // namespace bpd::calcsheet
