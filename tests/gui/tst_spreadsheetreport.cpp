// The spreadsheet report, read back from the written .xlsx: cells, bold, the text format of
// the thickness column, merges, wrapping, widths and alignment; new files per export; the
// paths taken when nothing can open the workbook or the folder cannot be written; the same
// cells under comma-decimal locales; real full and read-only disks and planted symlinks; the
// read-back that stands between the library's file and the reserved name.

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

#include <cerrno>
#include <cstring>

#include "DesktopSpreadsheet.h"
#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "ReportResults.h"
#include "ScratchFilesystem.h"
#include "SpreadsheetReport.h"
#include "TestServices.h"
#include "WorkbookCheck.h"

using namespace bpd::reports;

namespace {

const QStringList kHeader = {"Status", "t(mm)",    "SF",     "Vnr(KN)", "Snr(N/m2)",
                             "R",      "Var(KN)",  "W2(mm)", "Es",      "Sap(N/m2)",
                             "N(KN)",  "Ss(N/m2)", "G(N/m2)"};
const QStringList kContactLines = {"Pelgro Precast, 1 Main Street",
                                   "Springfield, ST 12345, USA",
                                   "Phone: 555-0100",
                                   "Fax:555-0101",
                                   "E-Mail: info@example.com",
                                   "Website: www.example.com"};

ReportInputs inputsWithRows(int bodyRows) {
    ReportInputs inputs;
    inputs.sliding = true;
    inputs.w1Text = QStringLiteral("101.6000");
    inputs.b1Text = QStringLiteral("4.0000");
    inputs.AText = QStringLiteral(".01");
    inputs.dhText = QStringLiteral(".0711");
    inputs.VapText = QStringLiteral("7.1300");
    inputs.unitLength = {"mm", "mm", "mm", "mm"};
    inputs.unitAngle = QStringLiteral("rad.");
    inputs.unitsForce = QStringLiteral("KN");
    QList<QStringList> rows = {kHeader};
    for (int r = 0; r < bodyRows; ++r)
        rows << QStringList{r % 2 ? "FAIL!" : "Pass",
                            r ? QString::number(3.175 * (r + 1)) : "3.175",
                            "4.00",
                            "48.00",
                            "3000.00",
                            ".667",
                            "32.00",
                            "4.00",
                            ".28",
                            "445.63",
                            ".36",
                            "22.22",
                            "80.00"};
    inputs.results = bpd::testing::resultTable(rows);
    return inputs;
}

struct Style {
    bool bold = false;
    int numFmt = 0;
    QString numFmtCode;  // custom formats only
    QString horizontal;
    bool wrap = false;
};

struct CellRead {
    QString value;  // shared string resolved, or the number as written
    bool isString = false;
    int style = 0;
    bool present = false;
};

// The parts of the workbook the report writes, from its XML.
struct Workbook {
    QMap<QString, CellRead> cells;  // "A1" -> cell
    QList<Style> styles;
    QStringList merges;
    QMap<int, double> widths;  // column (1-based) -> width
    QMap<int, int> rowStyles;  // row -> style of the whole row
    QMap<int, double> rowHeights;

    Style styleOf(const QString& ref) const { return styles.value(cells.value(ref).style); }
    QString text(const QString& ref) const { return cells.value(ref).value; }
};

QByteArray unzip(const QString& file, const QString& member) {
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    if (!process.waitForFinished(10000)) return {};
    return process.readAllStandardOutput();
}

Workbook readWorkbook(const QString& file) {
    Workbook book;
    QStringList strings;
    {
        QXmlStreamReader xml(unzip(file, QStringLiteral("xl/sharedStrings.xml")));
        QString current;
        bool inSi = false;
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == QLatin1String("si")) {
                inSi = true;
                current.clear();
            } else if (xml.isStartElement() && xml.name() == QLatin1String("t") && inSi) {
                current += xml.readElementText();
            } else if (xml.isEndElement() && xml.name() == QLatin1String("si")) {
                strings << current;
                inSi = false;
            }
        }
    }
    {
        QXmlStreamReader xml(unzip(file, QStringLiteral("xl/styles.xml")));
        QList<bool> fontBold;
        QMap<int, QString> codes;
        bool inFonts = false, inCellXfs = false;
        while (!xml.atEnd()) {
            xml.readNext();
            const auto name = xml.name();
            if (xml.isStartElement()) {
                if (name == QLatin1String("numFmt"))
                    codes.insert(xml.attributes().value(QLatin1String("numFmtId")).toInt(),
                                 xml.attributes().value(QLatin1String("formatCode")).toString());
                else if (name == QLatin1String("fonts"))
                    inFonts = true;
                else if (name == QLatin1String("cellXfs"))
                    inCellXfs = true;
                else if (inFonts && name == QLatin1String("font"))
                    fontBold << false;
                else if (inFonts && name == QLatin1String("b"))
                    fontBold.last() = true;
                else if (inCellXfs && name == QLatin1String("xf")) {
                    Style style;
                    style.bold =
                        fontBold.value(xml.attributes().value(QLatin1String("fontId")).toInt());
                    style.numFmt = xml.attributes().value(QLatin1String("numFmtId")).toInt();
                    style.numFmtCode = codes.value(style.numFmt);
                    book.styles << style;
                } else if (inCellXfs && name == QLatin1String("alignment")) {
                    book.styles.last().horizontal =
                        xml.attributes().value(QLatin1String("horizontal")).toString();
                    book.styles.last().wrap =
                        xml.attributes().value(QLatin1String("wrapText")) == QLatin1String("1");
                }
            } else if (xml.isEndElement()) {
                if (name == QLatin1String("fonts"))
                    inFonts = false;
                else if (name == QLatin1String("cellXfs"))
                    inCellXfs = false;
            }
        }
    }
    {
        QXmlStreamReader xml(unzip(file, QStringLiteral("xl/worksheets/sheet1.xml")));
        QString ref;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            const auto attributes = xml.attributes();
            if (xml.name() == QLatin1String("col")) {
                for (int c = attributes.value(QLatin1String("min")).toInt();
                     c <= attributes.value(QLatin1String("max")).toInt(); ++c)
                    book.widths.insert(c, attributes.value(QLatin1String("width")).toDouble());
            } else if (xml.name() == QLatin1String("row")) {
                const int row = attributes.value(QLatin1String("r")).toInt();
                if (attributes.value(QLatin1String("customFormat")) == QLatin1String("1"))
                    book.rowStyles.insert(row, attributes.value(QLatin1String("s")).toInt());
                if (attributes.hasAttribute(QLatin1String("ht")))
                    book.rowHeights.insert(row, attributes.value(QLatin1String("ht")).toDouble());
            } else if (xml.name() == QLatin1String("c")) {
                ref = attributes.value(QLatin1String("r")).toString();
                CellRead& cell = book.cells[ref];
                cell.present = true;
                cell.style = attributes.value(QLatin1String("s")).toInt();
                cell.isString = attributes.value(QLatin1String("t")) == QLatin1String("s");
            } else if (xml.name() == QLatin1String("v")) {
                CellRead& cell = book.cells[ref];
                const QString v = xml.readElementText();
                cell.value = cell.isString ? strings.value(v.toInt()) : v;
            } else if (xml.name() == QLatin1String("mergeCell")) {
                book.merges << attributes.value(QLatin1String("ref")).toString();
            }
        }
    }
    return book;
}

// The width as the file stores it: whole pixels of the default font's 7-pixel digit plus the
// 5-pixel cell margin, in 1/256 digit widths.
double stored(double width) {
    const int pixels = int(width * 7 + 0.5) + 5;
    return int(pixels / 7.0 * 256) / 256.0;
}

QString ref(int row, int column) {
    return QString(QChar('A' + column - 1)) + QString::number(row);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Everything a workbook shows, one line per cell, for comparing two workbooks whole.
QString dump(const Workbook& book) {
    QStringList lines;
    for (auto it = book.cells.cbegin(); it != book.cells.cend(); ++it) {
        const Style style = book.styleOf(it.key());
        lines << QStringLiteral("%1 %2 '%3' bold=%4 fmt=%5 '%6' %7 wrap=%8")
                     .arg(it.key(), it.value().isString ? "text" : "number", it.value().value)
                     .arg(style.bold)
                     .arg(style.numFmt)
                     .arg(style.numFmtCode, style.horizontal)
                     .arg(style.wrap);
    }
    for (auto it = book.widths.cbegin(); it != book.widths.cend(); ++it)
        lines << QStringLiteral("width %1 %2").arg(it.key()).arg(it.value());
    lines << book.merges;
    return lines.join(QLatin1Char('\n'));
}

// The texts of the window under a locale: every decimal point of the input boxes and of the
// grid's value columns becomes the locale's separator (the thickness labels stay); the values
// the texts show stay the same.
ReportInputs inLocale(ReportInputs inputs, const QLocale& locale) {
    const QString point = locale.decimalPoint();
    inputs.numberLocale = {point.toStdString(), locale.groupSeparator().toStdString()};
    for (QString* text :
         {&inputs.w1Text, &inputs.b1Text, &inputs.AText, &inputs.dhText, &inputs.VapText})
        text->replace(QLatin1Char('.'), point);
    for (bpd::ResultRow& row : inputs.results.rows)
        for (std::size_t c = bpd::kFirstValueColumn; c < row.cells.size(); ++c)
            row.cells[c] =
                QString::fromStdString(row.cells[c]).replace(QLatin1Char('.'), point).toStdString();
    return inputs;
}

// The names an export within the next seconds may choose, for planting things under them.
QStringList namesAround(const QString& folder, const QString& suffix) {
    QStringList names;
    const QDateTime now = QDateTime::currentDateTime();
    for (int s = -1; s <= 5; ++s)
        names << folder + QStringLiteral("/Bearing Pad Report ") +
                     now.addSecs(s).toString(QStringLiteral("yyyy-MM-dd HH.mm.ss")) + suffix;
    return names;
}

QStringList entries(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                               QDir::NoDotAndDotDot);
    names.removeAll(QStringLiteral("filler"));
    return names;
}

}  // namespace

class TestSpreadsheetReport : public QObject {
    Q_OBJECT

    std::unique_ptr<bpd::testing::TestServices> fixture_;
    std::unique_ptr<bpd::platform::DesktopSpreadsheet> spreadsheet_;

    // A spreadsheet application over the fixture's recording shell, with its own folder.
    void useReportsFolder(const QString& folder) {
        spreadsheet_ =
            std::make_unique<bpd::platform::DesktopSpreadsheet>(*fixture_->shell, folder);
    }

    QString exportOnce(const ReportInputs& inputs, ProjectData& projectData) {
        SpreadsheetReport report(nullptr, *spreadsheet_, *fixture_->store, *fixture_->messages);
        const auto outcome = report.Excel_Click(inputs, projectData, kContactLines);
        return outcome.written ? outcome.path : QString();
    }

private slots:
    void init() {
        fixture_ = std::make_unique<bpd::testing::TestServices>();
        useReportsFolder(fixture_->path(QStringLiteral("reports")));
    }
    void cleanup() {
        spreadsheet_.reset();
        fixture_.reset();
    }

    void sectionsLabelsAndInputs() {
        QVariant value = QStringLiteral("Pelgro Łódź");
        QVERIFY(WriteRegistryValue(*fixture_->store, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ,
                                   kCompanyValue, value));
        ProjectData projectData{QStringLiteral("old"), QStringLiteral("Bridge 7"), {}, {}};
        const QString file = exportOnce(inputsWithRows(1), projectData);
        QVERIFY(!file.isEmpty());
        QCOMPARE(projectData.sCompany, QStringLiteral("Pelgro Łódź"));
        const Workbook book = readWorkbook(file);

        const QList<QPair<QString, QString>> expected = {{"A1", "PROJECT DATA:"},
                                                         {"A2", "Company Name"},
                                                         {"A3", "Project Name"},
                                                         {"A4", "Engineer"},
                                                         {"A5", "Description"},
                                                         {"B2", "Pelgro Łódź"},
                                                         {"B3", "Bridge 7"},
                                                         {"A7", "INPUT DATA:"},
                                                         {"A8", "Slide Bearing"},
                                                         {"A9", "Bearing Length"},
                                                         {"A10", "Bearing Width"},
                                                         {"A11", "Angle of Rotation"},
                                                         {"A12", "Horizontal Deformation"},
                                                         {"A13", "Applied Load"},
                                                         {"B8", "Yes"},
                                                         {"C9", "mm"},
                                                         {"C10", "mm"},
                                                         {"C11", "rad."},
                                                         {"C12", "mm"},
                                                         {"C13", "KN"},
                                                         {"A15", "OUTPUT DATA:"}};
        for (const auto& [cell, text] : expected) {
            QVERIFY2(book.cells.value(cell).isString, qPrintable(cell));
            QCOMPARE(book.text(cell), text);
        }
        for (const char* bold : {"A1", "A2", "A3", "A4", "A5", "A7", "A15"})
            QVERIFY2(book.styleOf(bold).bold, qPrintable(bold));
        for (const char* plain : {"A8", "B8", "B9", "C9", "B2"})
            QVERIFY2(!book.styleOf(plain).bold, qPrintable(plain));
        // Input values are stored as the numbers a spreadsheet makes of typed-in texts, shown
        // exactly as the boxes show them.
        QCOMPARE(book.text("B9"), QStringLiteral("101.6"));
        QVERIFY(!book.cells.value("B9").isString);
        QCOMPARE(book.styleOf("B9").numFmtCode, QStringLiteral("0.0000"));
        QCOMPARE(book.text("B11"), QStringLiteral("0.01"));
        QCOMPARE(book.styleOf("B11").numFmtCode, QStringLiteral("#.00"));
        QCOMPARE(book.styleOf("A7").horizontal, QString());
        QCOMPARE(book.styleOf("A15").horizontal, QStringLiteral("left"));
    }

    void gridRowsFormatsAndAlignment_data() {
        QTest::addColumn<int>("bodyRows");
        QTest::newRow("one thickness") << 1;
        QTest::newRow("All") << 7;
    }
    void gridRowsFormatsAndAlignment() {
        QFETCH(int, bodyRows);
        ProjectData projectData;
        const ReportInputs inputs = inputsWithRows(bodyRows);
        const Workbook book = readWorkbook(exportOnce(inputs, projectData));

        for (int c = 1; c <= 13; ++c) {
            QCOMPARE(book.text(ref(16, c)), kHeader.at(c - 1));
            QVERIFY(book.styleOf(ref(16, c)).bold);
        }
        for (int r = 1; r <= bodyRows; ++r) {
            QCOMPARE(book.text(ref(16 + r, 1)), inputs.cell(r, 0));
            QVERIFY(!book.styleOf(ref(16 + r, 1)).bold);
            // The thickness stays the text it was: text format, stored as a string.
            QCOMPARE(book.styleOf(ref(16 + r, 2)).numFmt, 49);
            QVERIFY(book.cells.value(ref(16 + r, 2)).isString);
            QCOMPARE(book.text(ref(16 + r, 2)), inputs.cell(r, 1));
            QCOMPARE(book.text(ref(16 + r, 6)), QStringLiteral("0.667"));
            QCOMPARE(book.styleOf(ref(16 + r, 6)).numFmtCode, QStringLiteral("#.000"));
            QCOMPARE(book.styleOf(ref(16 + r, 5)).numFmtCode, QStringLiteral("0.00"));
            QCOMPARE(book.styleOf(ref(16 + r, 6)).horizontal, QStringLiteral("left"));
        }
        QCOMPARE(book.styleOf("B16").numFmt, 49);
        // A8:M23 is aligned left whatever the grid's size; rows 24 and 25 stay empty.
        for (int r = 8; r <= 23; ++r)
            for (int c = 1; c <= 13; ++c)
                QVERIFY2(book.styleOf(ref(r, c)).horizontal == QLatin1String("left"),
                         qPrintable(ref(r, c)));
        for (int r = 17 + bodyRows; r <= 23; ++r) QVERIFY(book.text(ref(r, 1)).isEmpty());
        for (int c = 1; c <= 13; ++c) {
            QVERIFY(!book.cells.value(ref(24, c)).present);
            QVERIFY(!book.cells.value(ref(25, c)).present);
        }
        for (int k = 1; k <= 6; ++k) {
            QCOMPARE(book.text(ref(25 + k, 6)), kContactLines.at(k - 1));
            QVERIFY(book.styleOf(ref(25 + k, 6)).bold);
        }
    }

    void projectRowsAreMergedWrappedAndLeft() {
        QVariant value = QString(300, QLatin1Char('W'));
        QVERIFY(WriteRegistryValue(*fixture_->store, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ,
                                   kCompanyValue, value));
        ProjectData projectData;
        const Workbook book = readWorkbook(exportOnce(inputsWithRows(1), projectData));
        QCOMPARE(book.merges, QStringList({"B2:M2", "B3:M3", "B4:M4", "B5:M5"}));
        for (int row = 2; row <= 5; ++row) {
            QVERIFY(book.rowStyles.contains(row));
            QVERIFY(book.styles.value(book.rowStyles.value(row)).wrap);
            QVERIFY(book.styleOf(ref(row, 1)).wrap);
            QVERIFY(book.styleOf(ref(row, 1)).bold);
            QVERIFY(book.styleOf(ref(row, 2)).wrap);
            QCOMPARE(book.styleOf(ref(row, 2)).horizontal, QStringLiteral("left"));
        }
        QVERIFY(!book.rowStyles.contains(1));
        QVERIFY(!book.rowStyles.contains(6));
        // The long name wraps inside B2:M2 (the row grows) instead of widening column B.
        QVERIFY(book.rowHeights.value(2) > 15.0);
        QVERIFY(book.widths.value(2) < 20.0);
    }

    void columnsFitTheInputAndOutputSectionsOnly() {
        ProjectData projectData;
        ReportInputs inputs = inputsWithRows(7);
        bpd::testing::setResultCell(inputs.results, 3, 4, QStringLiteral("123456789.00"));
        const Workbook book = readWorkbook(exportOnce(inputs, projectData));
        QCOMPARE(book.widths.value(1),
                 stored(SpreadsheetReport::fittedWidth(22, false)));  // "Horizontal Deformation"
        QCOMPARE(book.widths.value(2), stored(SpreadsheetReport::fittedWidth(
                                           8, false)));  // "101.6000" > "t(mm)" bold, "22.225"
        QCOMPARE(book.widths.value(5), stored(SpreadsheetReport::fittedWidth(
                                           12, false)));  // "123456789.00" > "Snr(N/m2)" bold
        QCOMPARE(book.widths.value(6), stored(SpreadsheetReport::fittedWidth(
                                           4, false)));  // ".667" (contact lines ignored)
        QCOMPARE(book.widths.size(), 13);
    }

    void eachExportIsANewWorkbookAndEarlierOnesStay() {
        ProjectData projectData;
        const QString first = exportOnce(inputsWithRows(1), projectData);
        const QString second = exportOnce(inputsWithRows(7), projectData);
        QVERIFY(!first.isEmpty() && !second.isEmpty());
        QVERIFY(first != second);
        QVERIFY(QFile::exists(first));
        QCOMPARE(readWorkbook(first).text("A17"), QStringLiteral("Pass"));
        QCOMPARE(readWorkbook(second).text("A23"), QStringLiteral("Pass"));
        QCOMPARE(spreadsheet_->latestWorkbook(), second);
        QCOMPARE(fixture_->shell->opens.size(), 2);
        QCOMPARE(fixture_->shell->opens.at(1).target, second);
        QCOMPARE(fixture_->shell->opens.at(1).mode, bpd::platform::ShowMode::Maximized);
        QVERIFY(fixture_->shell->opens.at(1).existedWhenOpened);
        QVERIFY(first.startsWith(fixture_->path(QStringLiteral("reports/"))));
        QVERIFY(first.endsWith(QStringLiteral(".xlsx")));
        // Nothing half-written stays behind.
        QCOMPARE(QDir(fixture_->path(QStringLiteral("reports")))
                     .entryList(QDir::Files | QDir::Hidden)
                     .size(),
                 2);
        spreadsheet_->quit();
        QVERIFY(spreadsheet_->latestWorkbook().isEmpty());
        QVERIFY(QFile::exists(second));
    }

    void withoutASpreadsheetProgramTheWorkbookIsStillWritten() {
        fixture_->shell->openResult = bpd::platform::ShellResult::NoAssociation;
        ProjectData projectData;
        const QString file = exportOnce(inputsWithRows(1), projectData);
        QVERIFY(QFile::exists(file));
        QCOMPARE(fixture_->messages->calls.size(), 1);
        QCOMPARE(fixture_->messages->calls.at(0).kind, QStringLiteral("information"));
        QVERIFY(fixture_->messages->calls.at(0).text.contains(file));
    }

    void aFolderThatCannotBeWrittenIsReported() {
        QFile blocker(fixture_->path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        useReportsFolder(fixture_->path(QStringLiteral("blocker/reports")));
        ProjectData projectData;
        QVERIFY(exportOnce(inputsWithRows(1), projectData).isEmpty());
        QVERIFY(fixture_->shell->opens.isEmpty());
        QCOMPARE(fixture_->messages->calls.size(), 1);
        QCOMPARE(fixture_->messages->calls.at(0).kind, QStringLiteral("warning"));
        QVERIFY(fixture_->messages->calls.at(0).text.contains(
            fixture_->path(QStringLiteral("blocker/reports"))));
    }

    void numbersAsASpreadsheetReadsThem_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("number");
        QTest::newRow("four decimals") << "C"
                                       << "4.0000" << true;
        QTest::newRow("no leading zero") << "C"
                                         << ".99" << true;
        QTest::newRow("negative") << "C"
                                  << "-3" << true;
        QTest::newRow("exponent") << "C"
                                  << "1E+05" << true;
        QTest::newRow("fraction") << "C"
                                  << "1/8" << false;
        QTest::newRow("word") << "C"
                              << "Pass" << false;
        QTest::newRow("decimal comma") << "C"
                                       << "4,00" << false;
        QTest::newRow("grouped") << "C"
                                 << "1,234.5" << false;
        QTest::newRow("empty") << "C"
                               << "" << false;
        QTest::newRow("lonely point") << "C"
                                      << "." << false;
        QTest::newRow("de four decimals") << "de_DE"
                                          << "4,0000" << true;
        QTest::newRow("de no leading zero") << "de_DE"
                                            << ",714" << true;
        QTest::newRow("de decimal point") << "de_DE"
                                          << "4.5" << false;
        QTest::newRow("de grouped") << "de_DE"
                                    << "1.234,5" << false;
        QTest::newRow("fr decimals") << "fr_FR"
                                     << "-0,0711" << true;
        QTest::newRow("fr lonely comma") << "fr_FR"
                                         << "," << false;
    }
    void numbersAsASpreadsheetReadsThem() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(bool, number);
        const QLocale qt(locale);
        const bpd::NumberLocale separators{QString(qt.decimalPoint()).toStdString(),
                                           QString(qt.groupSeparator()).toStdString()};
        double value = 0;
        QCOMPARE(SpreadsheetReport::readsAsNumber(text, separators, &value), number);
        if (number) {
            QString plain = text;
            QCOMPARE(value, plain.replace(qt.decimalPoint(), QStringLiteral(".")).toDouble());
        }
    }

    // A comma-decimal desktop gets the cells, number formats and widths of the C locale; the
    // input column holds numbers only, also after Units > SI and back (whole numbers there).
    void commaLocalesGiveTheSameCells_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("inputTexts");  // w1, b1, A, dh, Vap as the boxes show them
        const QStringList validated = {"101.6000", "4.0000", ".01", ".0711", "7.1300"};
        const QStringList siAndBack = {"4", "4", ".01", "0.0711", "7.13"};
        QTest::newRow("de_DE") << "de_DE" << validated;
        QTest::newRow("fr_FR") << "fr_FR" << validated;
        QTest::newRow("de_DE after SI and back") << "de_DE" << siAndBack;
    }
    void commaLocalesGiveTheSameCells() {
        QFETCH(QString, locale);
        QFETCH(QStringList, inputTexts);
        ReportInputs inputs = inputsWithRows(7);
        inputs.w1Text = inputTexts[0];
        inputs.b1Text = inputTexts[1];
        inputs.AText = inputTexts[2];
        inputs.dhText = inputTexts[3];
        inputs.VapText = inputTexts[4];
        ProjectData projectData;
        const Workbook c = readWorkbook(exportOnce(inputs, projectData));
        const ReportInputs local = inLocale(inputs, QLocale(locale));
        QVERIFY(local.cell(1, 5).contains(QLocale(locale).decimalPoint()));
        const Workbook comma = readWorkbook(exportOnce(local, projectData));
        for (int row = 9; row <= 13; ++row)
            QVERIFY2(!comma.cells.value(ref(row, 2)).isString, qPrintable(ref(row, 2)));
        QCOMPARE(dump(comma), dump(c));
    }

    // A failed export names the file and the reason, opens nothing, gives the reserved name
    // back and leaves the earlier workbook byte-identical.
    void aFailedWriteIsToldAndKeepsEarlierWorkbooks_data() {
        QTest::addColumn<int>("freeBytes");  // -1: the disk turns read-only
        QTest::newRow("full disk") << 0;
        QTest::newRow("room for part of the workbook") << 8192;
        QTest::newRow("read-only disk") << -1;
    }
    void aFailedWriteIsToldAndKeepsEarlierWorkbooks() {
        QFETCH(int, freeBytes);
        bpd::testing::ScratchFilesystem disk(256);
        const QString folder = disk.filePath(QStringLiteral("reports"));
        useReportsFolder(folder);
        ProjectData projectData;
        const QString earlier = exportOnce(inputsWithRows(1), projectData);
        QVERIFY(!earlier.isEmpty());
        const QByteArray earlierBytes = readAll(earlier);
        fixture_->shell->opens.clear();

        const bool fill = freeBytes >= 0;
        int reason = 0;
        if (fill) {
            disk.fill(freeBytes);
            const QString filler = disk.filePath(QStringLiteral("filler"));
            if (disk.isTmpfs())
                QVERIFY(QFile::resize(filler, QFileInfo(filler).size() - freeBytes));
            reason = disk.isTmpfs() ? ENOSPC : EFBIG;
        } else {
            disk.makeReadOnly();
            reason = disk.isTmpfs() ? EROFS : EACCES;
        }
        const QString file = exportOnce(inputsWithRows(7), projectData);
        disk.liftLimit();
        QVERIFY2(file.isEmpty(), qPrintable(disk.how()));
        QVERIFY(fixture_->shell->opens.isEmpty());
        QCOMPARE(fixture_->messages->calls.size(), 1);
        const QString message = fixture_->messages->calls.at(0).text;
        QCOMPARE(fixture_->messages->calls.at(0).kind, QStringLiteral("warning"));
        QVERIFY2(message.contains(QString::fromLocal8Bit(std::strerror(reason))),
                 qPrintable(message + " / " + disk.how()));
        if (fill)  // the name was reserved before the data failed to fit
            QVERIFY2(message.contains(folder + QStringLiteral("/Bearing Pad Report ")) &&
                         message.contains(QStringLiteral(".xlsx")),
                     qPrintable(message));
        else
            QVERIFY2(message.contains(folder), qPrintable(message));
        QCOMPARE(entries(folder), QStringList{QFileInfo(earlier).fileName()});
        QCOMPARE(readAll(earlier), earlierBytes);
    }

    // Symlinks planted under names an export may pick, the library's temporary ".part" names
    // of earlier versions or the workbook's own, are passed by: the files they point at, or
    // would create, stay as they were, and the workbook is a file of its own.
    void plantedSymlinksAreNeverWrittenThrough_data() {
        QTest::addColumn<bool>("partNames");  // else the workbook's names
        QTest::newRow(".xlsx.part beside the workbook") << true;
        QTest::newRow("the workbook's names, dangling or not") << false;
    }
    void plantedSymlinksAreNeverWrittenThrough() {
        QFETCH(bool, partNames);
        const QString folder = fixture_->path(QStringLiteral("reports"));
        QVERIFY(QDir().mkpath(folder));
        const QString victim = fixture_->path(QStringLiteral("victim.xlsx"));
        {
            QFile f(victim);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("the user's own file") > 0);
        }
        const QString absent = fixture_->path(QStringLiteral("created-through-a-link"));
        QMap<QString, QString> planted;  // link -> target
        for (const QString& name : namesAround(folder, QStringLiteral(".xlsx"))) {
            const QFileInfo info(name);
            if (partNames) {
                planted.insert(info.path() + "/." + info.fileName() + ".part", victim);
            } else {
                planted.insert(name, absent);
                planted.insert(name.chopped(5) + " (2).xlsx", victim);
            }
        }
        for (auto it = planted.cbegin(); it != planted.cend(); ++it)
            QVERIFY(QFile::link(it.value(), it.key()));
        ProjectData projectData;
        const QString file = exportOnce(inputsWithRows(7), projectData);
        QVERIFY(!file.isEmpty());
        QVERIFY(!QFileInfo(file).isSymLink());
        QCOMPARE(WorkbookCheck::problem(file), QString());
        QCOMPARE(readAll(victim), QByteArray("the user's own file"));
        QVERIFY(!QFileInfo::exists(absent));
        for (auto it = planted.cbegin(); it != planted.cend(); ++it)
            QCOMPARE(QFileInfo(it.key()).symLinkTarget(), it.value());
    }

    // The read-back refuses every damaged copy of a sound workbook.
    void theReadBackRefusesDamagedWorkbooks_data() {
        QTest::addColumn<int>("cutBytes");       // taken off the end
        QTest::addColumn<int>("flipAt");         // byte inverted, -1 none
        QTest::addColumn<QByteArray>("rename");  // a part's name changed in every header
        QTest::addColumn<QString>("problem");
        QTest::newRow("sound") << 0 << -1 << QByteArray() << QString();
        QTest::newRow("end record cut") << 1 << -1 << QByteArray() << "not a complete zip";
        QTest::newRow("half the file") << -2 << -1 << QByteArray() << "not a complete zip";
        QTest::newRow("empty") << -1 << -1 << QByteArray() << "not a complete zip";
        QTest::newRow("data damaged")
            << 0 << 60 << QByteArray() << "[Content_Types].xml is damaged";
        QTest::newRow("local header damaged") << 0 << 0 << QByteArray() << "is damaged";
        QTest::newRow("part missing")
            << 0 << -1 << QByteArray("xl/styles.xml") << "lacks its part xl/styles.xml";
    }
    void theReadBackRefusesDamagedWorkbooks() {
        QFETCH(int, cutBytes);
        QFETCH(int, flipAt);
        QFETCH(QByteArray, rename);
        QFETCH(QString, problem);
        ProjectData projectData;
        const QString sound = exportOnce(inputsWithRows(7), projectData);
        QByteArray bytes = readAll(sound);
        if (cutBytes == -1)
            bytes.clear();
        else if (cutBytes == -2)
            bytes.truncate(bytes.size() / 2);
        else
            bytes.chop(cutBytes);
        if (flipAt >= 0) bytes[flipAt] = char(~bytes[flipAt]);
        if (!rename.isEmpty())
            bytes.replace(rename, QByteArray(rename).replace("styles", "stylez"));
        const QString damaged = fixture_->path(QStringLiteral("damaged.xlsx"));
        QFile out(damaged);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();
        const QString found = WorkbookCheck::problem(damaged);
        if (problem.isEmpty())
            QCOMPARE(found, QString());
        else
            QVERIFY2(found.contains(problem), qPrintable(found));
    }
};

QTEST_MAIN(TestSpreadsheetReport)
#include "tst_spreadsheetreport.moc"
