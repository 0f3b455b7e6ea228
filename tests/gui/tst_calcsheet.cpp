// The calculation sheet as a reader gets it: every line of the calculation read back from the
// PDF (pdftotext), the title block and "Page N of M" on every page, the title, author, page
// size and embedded fonts (pdfinfo, pdffonts), the inputs' digest, and the write under real
// faults (a full disk, a symlink at the target).

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "BearingSheet.h"
#include "CalculationDocument.h"
#include "InputsDigest.h"
#include "PackageCover.h"
#include "PageFrame.h"
#include "PdfStructure.h"
#include "ScratchFilesystem.h"

Q_DECLARE_METATYPE(bpd::BearingInputs)

using namespace bpd;
using namespace bpd::calcsheet;

namespace {

SheetHeading heading() {
    SheetHeading h;
    h.project.sCompany = QStringLiteral("Pelgro Precast Ltd");
    h.project.sProjectName = QStringLiteral("Mill Creek Bridge");
    h.project.sEngineer = QStringLiteral("A. Engineer");
    h.project.sDescription = QStringLiteral("Abutment A bearings");
    h.program = QStringLiteral("Pelgro Bearing Pad Design");
    h.version = QStringLiteral("9.8.7");
    h.made = QDateTime(QDate(2026, 12, 9), QTime(23, 45), Qt::UTC);
    return h;
}

BearingInputs bearing(UnitSystem units, InputValues values, bool sliding = false,
                      int selection = 0) {
    return {units, values, sliding, selection};
}

const InputValues kDefaults{4, 4, 0.01, 0.0711, 7.13};

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString simplified(const QString& text) {
    return QString(text).simplified();
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every line the sheet holds for the calculation, as the engine writes it.
QStringList calculationLines(const BearingCalculation& c) {
    QStringList lines;
    for (const std::string& l : c.conversions) lines << QString::fromStdString(l);
    lines << QString::fromStdString(c.rounding);
    for (const ThicknessCalculation& t : c.thicknesses) {
        for (const CalculationStep& s : t.steps) lines << QString::fromStdString(s.line);
        lines << QString::fromStdString(t.compressionCheck) << QString::fromStdString(t.shearCheck)
              << QString::fromStdString(t.governing);
        if (!t.advice.empty()) lines << QString::fromStdString(t.advice);
    }
    if (!c.fault.empty()) lines << QString::fromStdString(c.fault);
    return lines;
}

}  // namespace

class TestCalcSheet : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
            QSKIP("poppler-utils (pdftotext, pdfinfo) is not installed");
    }

    void everyLineReadsBackFromThePdf_data() {
        QTest::addColumn<BearingInputs>("bearing");
        QTest::newRow("defaults, All") << bearing(UnitSystem::Imperial, kDefaults);
        QTest::newRow("sliding: the stress cap") << bearing(UnitSystem::Imperial, kDefaults, true);
        QTest::newRow("A = 0") << bearing(UnitSystem::Imperial, {4, 4, 0, 0.0711, 7.13});
        QTest::newRow("A = 0.1: W2 below w1, capped, failing")
            << bearing(UnitSystem::Imperial, {4, 4, 0.1, 0.0711, 7.13});
        QTest::newRow("Vap = 0") << bearing(UnitSystem::Imperial, {4, 4, 0.01, 0.0711, 0});
        QTest::newRow("shear and compression fail")
            << bearing(UnitSystem::Imperial, {4, 4, 0.01, 0.1, 45});
        QTest::newRow("one thickness") << bearing(UnitSystem::Imperial, kDefaults, false, 2);
        QTest::newRow("SI") << bearing(UnitSystem::SI, {101.6, 101.6, 0.01, 1.80594, 31.72});
        QTest::newRow("SI, W2 below w1")
            << bearing(UnitSystem::SI, {400, 300, 0.005, 5, 500}, true);
    }
    void everyLineReadsBackFromThePdf() {
        QFETCH(BearingInputs, bearing);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        QVERIFY2(
            CalculationDocument::writeBearingSheet(
                path, bearing, heading(), QLocale(QLocale::English, QLocale::UnitedStates), &error),
            qPrintable(error));
        const QString text =
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        QVERIFY(!text.isEmpty());
        const QString flat = simplified(text);
        const BearingCalculation calculation = calculateBearing(bearing);
        const QStringList lines = calculationLines(calculation);
        QVERIFY(lines.size() > 15);
        for (const QString& line : lines)
            QVERIFY2(flat.contains(simplified(line)), qPrintable(u"missing: "_qs + line));
        for (const InputLine& input : calculation.inputs)
            QVERIFY(flat.contains(QString::fromStdString(input.text)));
        for (const ThicknessCalculation& t : calculation.thicknesses)
            QVERIFY(flat.contains(u"Verdict for t = "_qs + QString::fromStdString(t.thickness) +
                                  u": "_qs + QString::fromStdString(t.verdict)));

        // Every page: the title block, the boxes to sign, its number of the total.
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        const int count = static_cast<int>(pages.size());
        QVERIFY(count >= 1);
        const QString info = run(QStringLiteral("pdfinfo"), {path});
        QVERIFY(info.contains(QRegularExpression(u"Pages:\\s+%1\\n"_qs.arg(count))));
        for (int p = 0; p < count; ++p) {
            const QString page = simplified(pages[p]);
            QVERIFY2(page.contains(PageFrame::pageText(p + 1, count)), qPrintable(page.left(300)));
            for (const QString& field :
                 {u"Pelgro Precast Ltd"_qs, u"Mill Creek Bridge"_qs, u"A. Engineer"_qs,
                  u"Abutment A bearings"_qs, u"Designed by"_qs, u"Checked by"_qs, u"Date"_qs,
                  u"Version 9.8.7"_qs, u"Made 2026-12-09 23:45 UTC"_qs,
                  u"Inputs digest "_qs + InputsDigest::of(calculation.canonicalInputs)})
                QVERIFY2(page.contains(field), qPrintable(field));
        }
        QVERIFY(!text.contains(PageFrame::pageText(count + 1, count)));
    }

    void titleAuthorPageSizeAndFontsAsSet_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("size");
        QTest::newRow("US: letter")
            << QLocale(QLocale::English, QLocale::UnitedStates) << u"612 x 792 pts (letter)"_qs;
        QTest::newRow("Germany: A4")
            << QLocale(QLocale::German, QLocale::Germany) << u"595 x 842 pts (A4)"_qs;
        QTest::newRow("UK: A4") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                                << u"595 x 842 pts (A4)"_qs;
    }
    void titleAuthorPageSizeAndFontsAsSet() {
        QFETCH(QLocale, locale);
        QFETCH(QString, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        QVERIFY2(CalculationDocument::writeBearingSheet(
                     path, bearing(UnitSystem::Imperial, kDefaults), heading(), locale, &error),
                 qPrintable(error));
        const QString info = run(QStringLiteral("pdfinfo"), {path});
        QVERIFY(info.contains(
            QRegularExpression(u"Title:\\s+Calculation sheet: Mill Creek Bridge\\n"_qs)));
        QVERIFY(info.contains(QRegularExpression(u"Author:\\s+A. Engineer\\n"_qs)));
        QVERIFY(info.contains(
            QRegularExpression(u"Creator:\\s+Pelgro Bearing Pad Design 9.8.7\\n"_qs)));
        QVERIFY2(info.contains(
                     QRegularExpression(u"Page size:\\s+"_qs + QRegularExpression::escape(size))),
                 qPrintable(info));
        // The XMP agrees with the Info dictionary and claims PDF/A-1b.
        const QString meta = run(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), path});
        QVERIFY(meta.contains(u"pdfaid:part=\"1\""_qs));
        QVERIFY(meta.contains(u"<rdf:li>A. Engineer</rdf:li>"_qs));
        QVERIFY(meta.contains(u"Calculation sheet: Mill Creek Bridge"_qs));
        QVERIFY(meta.contains(u"xmp:CreateDate=\"2026-12-09T23:45:00+00:00\""_qs));
        QVERIFY(info.contains(QRegularExpression(u"CreationDate:\\s+\\S.*2026"_qs)));
        // Every font embedded.
        const QString fonts = run(QStringLiteral("pdffonts"), {path});
        const QStringList rows = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty());
        for (const QString& row : rows) QVERIFY2(row.contains(u" yes "_qs), qPrintable(row));
        QCOMPARE(platform::PdfStructure::problemInFile(path), QString());
    }

    // Without engineer or company the file names no author, in neither place; the update
    // keeps the original bytes in front and the structure whole.
    void noAuthorIsNamedWhenThereIsNone() {
        SheetHeading h = heading();
        h.project.sEngineer.clear();
        h.project.sCompany = u"  "_qs;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        QVERIFY(CalculationDocument::writeBearingSheet(
            path, bearing(UnitSystem::Imperial, kDefaults), h, QLocale::c(), &error));
        const QString info = run(QStringLiteral("pdfinfo"), {path});
        QVERIFY2(!info.contains(u"Author:"_qs), qPrintable(info));
        QVERIFY(!run(QStringLiteral("pdfinfo"), {QStringLiteral("-meta"), path})
                     .contains(u"dc:creator"_qs));
        h.project.sCompany = u"Pelgro Precast Ltd"_qs;
        QVERIFY(CalculationDocument::writeBearingSheet(
            path, bearing(UnitSystem::Imperial, kDefaults), h, QLocale::c(), &error));
        QVERIFY(run(QStringLiteral("pdfinfo"), {path})
                    .contains(QRegularExpression(u"Author:\\s+Pelgro Precast Ltd\\n"_qs)));
        QCOMPARE(platform::PdfStructure::problemInFile(path), QString());
    }

    // A schedule: the cover's summary, then each bearing's sheet with its mark and location,
    // the page numbers running through the package.
    void aPackageNumbersItsPagesThroughAndSummarisesEveryBearing() {
        const QList<PackageBearing> bearings = {
            {bearing(UnitSystem::Imperial, kDefaults, false, 1), u"B1"_qs, u"Pier 1 north"_qs, 4},
            {bearing(UnitSystem::Imperial, {4, 4, 0.01, 0.1, 45}, false, 2), u"B2"_qs,
             u"Abutment A"_qs, 2},
            {bearing(UnitSystem::SI, {101.6, 101.6, 0.01, 1.80594, 31.72}), u"B3"_qs, u"Pier 2"_qs,
             1},
        };
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("package.pdf"));
        QString error;
        QVERIFY2(CalculationDocument::writePackage(path, bearings, heading(), QLocale::c(), &error),
                 qPrintable(error));
        const QString text =
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        const int count = static_cast<int>(pages.size());
        QVERIFY(run(QStringLiteral("pdfinfo"), {path})
                    .contains(QRegularExpression(u"Pages:\\s+%1\\n"_qs.arg(count))));
        for (int p = 0; p < count; ++p)
            QVERIFY2(simplified(pages[p]).contains(PageFrame::pageText(p + 1, count)),
                     qPrintable(pages[p].left(200)));

        // The cover: one row per bearing, its status and the page its sheet starts on.
        // Read as laid out, so that each row of the table stays one line.
        const QString cover = simplified(
            run(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                 QStringLiteral("-l"), QStringLiteral("1"), path, QStringLiteral("-")}));
        QVERIFY(cover.contains(u"Calculation package: 3 bearings"_qs));
        QVERIFY2(
            cover.contains(
                u"B1 Pier 1 north 4 4.0000 × 4.0000 in., t = 1/8 Pass shear (t = 1/8) 75.8 % 2"_qs),
            qPrintable(cover));
        QVERIFY(cover.contains(
            u"B2 Abutment A 2 4.0000 × 4.0000 in., t = 1/4 FAIL! compression (t = 1/4) 104.4 %"_qs));
        QVERIFY(cover.contains(
            u"B3 Pier 2 1 101.6000 × 101.6000 mm, t = All Pass shear (t = 3.175) 75.8 %"_qs));

        // Each sheet: its bearing's steps, its mark and location on each of its pages.
        int page = 1;
        for (const PackageBearing& b : bearings) {
            const BearingCalculation c = calculateBearing(b.bearing);
            QString sheet;
            const int first = page;
            while (page < count &&
                   (page == first ||
                    !simplified(pages[page]).contains(u"Calculation sheet: elastomeric"_qs))) {
                QVERIFY(simplified(pages[page]).contains(u"Mark: "_qs + b.mark));
                QVERIFY(simplified(pages[page]).contains(u"Location: "_qs + b.location));
                QVERIFY(simplified(pages[page])
                            .contains(u"Inputs digest "_qs + InputsDigest::of(c.canonicalInputs)));
                sheet += pages[page++];
            }
            for (const QString& line : calculationLines(c))
                QVERIFY2(simplified(sheet).contains(simplified(line)), qPrintable(line));
        }
        QCOMPARE(page, count);

        // A bookmark for the summary and one per bearing, each at its sheet's first page.
        const QString xml = run(QStringLiteral("pdftohtml"),
                                {QStringLiteral("-xml"), QStringLiteral("-i"),
                                 QStringLiteral("-stdout"), QStringLiteral("-q"), path});
        QStringList outline;
        static const QRegularExpression item(u"<item page=\"(\\d+)\">([^<]*)</item>"_qs);
        for (auto it = item.globalMatch(xml); it.hasNext();) {
            const auto m = it.next();
            outline << m.captured(1) + u" "_qs + m.captured(2);
        }
        QCOMPARE(outline, (QStringList{u"1 Summary"_qs, u"2 B1, Pier 1 north"_qs,
                                       u"3 B2, Abutment A"_qs, u"4 B3, Pier 2"_qs}));
        QCOMPARE(platform::PdfStructure::problemInFile(path), QString());
        // The identifier survives both updates (PDF/A wants it in the last trailer).
        const QByteArray bytes = readAll(path);
        const qsizetype last = bytes.lastIndexOf("trailer");
        QVERIFY(bytes.indexOf("/ID", last) > last);
    }

    void theDigestFollowsTheInputsOnly() {
        const auto digestOf = [](const BearingInputs& b) {
            return InputsDigest::of(calculateBearing(b).canonicalInputs);
        };
        const QString base = digestOf(bearing(UnitSystem::Imperial, kDefaults));
        QCOMPARE(base.size(), 16);
        QCOMPARE(digestOf(bearing(UnitSystem::Imperial, kDefaults)), base);
        QVERIFY(digestOf(bearing(UnitSystem::Imperial, {4, 4, 0.01, 0.0711, 7.14})) != base);
        QVERIFY(digestOf(bearing(UnitSystem::Imperial, kDefaults, true)) != base);
        QVERIFY(digestOf(bearing(UnitSystem::SI, kDefaults)) != base);
        QVERIFY(digestOf(bearing(UnitSystem::Imperial, kDefaults, false, 3)) != base);
    }

    // The disk fills up: the old sheet stays byte for byte, no temporary file is left, and
    // the reason is the system's.
    void aFullDiskKeepsTheOldSheet() {
        testing::ScratchFilesystem disk(256);
        const QString path = disk.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        QVERIFY(CalculationDocument::writeBearingSheet(
            path, bearing(UnitSystem::Imperial, kDefaults, false, 1), heading(), QLocale::c(),
            &error));
        const QByteArray old = readAll(path);
        disk.fill(old.size());
        const bool written = CalculationDocument::writeBearingSheet(
            path, bearing(UnitSystem::Imperial, kDefaults), heading(), QLocale::c(), &error);
        disk.liftLimit();
        QVERIFY2(!written, qPrintable(disk.how()));
        QVERIFY2(
            error.contains(u"No space left on device"_qs) || error.contains(u"File too large"_qs),
            qPrintable(error));
        QCOMPARE(readAll(path), old);
        QStringList left =
            QDir(disk.path())
                .entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral("filler"));
        QCOMPARE(left, QStringList{QStringLiteral("sheet.pdf")});
    }

    void aSymlinkAtTheTargetIsReplacedNotFollowed() {
        QTemporaryDir dir;
        const QString victim = dir.filePath(QStringLiteral("victim.txt"));
        const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
        QFile precious(victim);
        QVERIFY(precious.open(QIODevice::WriteOnly) && precious.write("precious") == 8);
        precious.close();
        QVERIFY(QFile::link(victim, path));
        QString error;
        QVERIFY2(
            CalculationDocument::writeBearingSheet(path, bearing(UnitSystem::Imperial, kDefaults),
                                                   heading(), QLocale::c(), &error),
            qPrintable(error));
        QCOMPARE(readAll(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(path).isSymLink());
        QVERIFY(readAll(path).startsWith("%PDF-"));
    }

    void aFolderThatDoesNotExistIsReported() {
        QTemporaryDir dir;
        QString error;
        QVERIFY(!CalculationDocument::writeBearingSheet(
            dir.filePath(QStringLiteral("missing/sheet.pdf")),
            bearing(UnitSystem::Imperial, kDefaults), heading(), QLocale::c(), &error));
        QVERIFY2(error.contains(u"No such file or directory"_qs), qPrintable(error));
    }
};

QTEST_MAIN(TestCalcSheet)
#include "tst_calcsheet.moc"
