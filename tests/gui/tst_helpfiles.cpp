// The help file and the design guide as the build leaves them beside the program: a valid
// compiled help file that lists every page, and a PDF of several pages whose worked examples
// carry the numbers the engine computes.

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QtTest>
#include <array>

#include "GuideExamples.h"
#include "ResultTable.h"
#include "ThicknessCatalogue.h"

namespace {

QString helpFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Help");
}

quint32 le32(const QByteArray& data, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | quint8(data.at(at + i));
    return value;
}
quint64 le64(const QByteArray& data, qsizetype at) {
    return quint64(le32(data, at)) | (quint64(le32(data, at + 4)) << 32);
}
// The CHM directory's variable-length integers: 7 bits a byte, high bit set on all but the last.
bool encint(const QByteArray& data, qsizetype& at, qsizetype end, quint64& value) {
    value = 0;
    while (at < end) {
        const quint8 byte = quint8(data.at(at++));
        value = (value << 7) | (byte & 0x7f);
        if (!(byte & 0x80)) return true;
    }
    return false;
}

// The names in the directory of an ITSF (compiled HTML help) file; empty when it is not one.
QStringList chmDirectory(const QByteArray& data, QString& error) {
    if (data.size() < 0x60 || !data.startsWith("ITSF")) {
        error = QStringLiteral("no ITSF signature");
        return {};
    }
    if (le32(data, 4) != 3 || le32(data, 8) != 0x60) {
        error = QStringLiteral("unexpected ITSF version or header length");
        return {};
    }
    const quint64 dirOffset = le64(data, 0x48);
    const quint64 dirLength = le64(data, 0x50);
    if (dirOffset + dirLength > quint64(data.size()) ||
        data.mid(qsizetype(dirOffset), 4) != "ITSP") {
        error = QStringLiteral("no ITSP directory header");
        return {};
    }
    const qsizetype header = qsizetype(dirOffset);
    const qsizetype headerLength = le32(data, header + 8);
    const qsizetype chunkSize = le32(data, header + 0x10);
    const qsizetype chunks = le32(data, header + 0x2c);
    QStringList names;
    for (qsizetype c = 0; c < chunks; ++c) {
        const qsizetype chunk = header + headerLength + c * chunkSize;
        if (chunk + chunkSize > data.size()) {
            error = QStringLiteral("directory chunk beyond the file");
            return {};
        }
        if (data.mid(chunk, 4) != "PMGL") continue;  // index chunks repeat the names
        const qsizetype end = chunk + chunkSize - le32(data, chunk + 4);
        qsizetype at = chunk + 0x14;
        while (at < end) {
            quint64 length = 0, section = 0, offset = 0, size = 0;
            if (!encint(data, at, end, length) || at + qsizetype(length) > end) break;
            names << QString::fromUtf8(data.mid(at, qsizetype(length)));
            at += qsizetype(length);
            if (!encint(data, at, end, section) || !encint(data, at, end, offset) ||
                !encint(data, at, end, size)) {
                error = QStringLiteral("truncated directory entry");
                return {};
            }
        }
    }
    return names;
}

// What a poppler tool prints for the guide; error says why when it cannot run.
QString toolOutput(const QString& name, const QStringList& args, QString& error) {
    const QString tool = QStandardPaths::findExecutable(name);
    if (tool.isEmpty()) {
        error = name + QStringLiteral(" (poppler-utils) is not installed");
        return {};
    }
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        error = QString::fromLocal8Bit(process.readAllStandardError());
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& path, QString& error) {
    return toolOutput(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), path, QStringLiteral("-")}, error);
}

QString guidePath() {
    return helpFolder() + QStringLiteral("/DG3-RavelonDesignGuide.pdf");
}

// The contents list as printed (between its title and "About this guide"): each entry's title
// and page number.
QList<QPair<QString, int>> contentsOf(const QString& contentsPage) {
    const qsizetype start = contentsPage.indexOf(QLatin1String("Contents"));
    const QString list =
        contentsPage.mid(start, contentsPage.indexOf(QLatin1String("About this guide")) - start);
    static const QRegularExpression entry(QStringLiteral("^\\s*(\\S.*\\S)\\s{3,}(\\d+)\\s*$"),
                                          QRegularExpression::MultilineOption);
    QList<QPair<QString, int>> entries;
    for (auto it = entry.globalMatch(list); it.hasNext();) {
        const auto match = it.next();
        entries.append({match.captured(1), match.captured(2).toInt()});
    }
    return entries;
}

}  // namespace

class TestHelpFiles : public QObject {
    Q_OBJECT

private slots:
    void helpFileListsEveryPage() {
        QFile file(helpFolder() + QStringLiteral("/Pelgro_BPD.chm"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QString error;
        const QStringList names = chmDirectory(file.readAll(), error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const char* page :
             {"/index.html",      "/starting.html",   "/mainwindow.html",  "/inputs.html",
              "/results.html",    "/units.html",      "/method.html",      "/menus.html",
              "/settings.html",   "/textreport.html", "/spreadsheet.html", "/print.html",
              "/conditions.html", "/about.html",      "/helpdocs.html",    "/messages.html",
              "/sizing.html",     "/schedule.html",   "/calcsheet.html",   "/help.css",
              "/Pelgro_BPD.hhc",  "/Pelgro_BPD.hhk",  "/#SYSTEM"})
            QVERIFY2(names.contains(QLatin1String(page)), page);
    }

    void helpSourcesCoverEveryMenuItemAndMessage() {
        // The compiled pages are compressed; their sources sit beside the build's copy.
        const QString sources = QStringLiteral(BPD_HELP_SOURCE_DIR);
        QString all;
        for (const QString& name : QDir(sources).entryList({QStringLiteral("*.html")})) {
            QFile page(sources + u'/' + name);
            QVERIFY(page.open(QIODevice::ReadOnly));
            all += QString::fromUtf8(page.readAll());
        }
        for (const char* text :
             {"General",
              "Imperial",
              "SI",
              "Excel",
              "NotePad",
              "Loading",
              "Rotation",
              "NonUniform Bearing",
              "Pelgro Bearing Pad Design Program Help",
              "Pelgro Ravelon Design Guide",
              "About Pelgro-BPD",
              "Smallest Passing Pad",
              "Calculation Sheet",
              "Use This Pad",
              "Ctrl+F",
              "Ctrl+K",
              "Ctrl+G",
              "Ctrl+M",
              "Ctrl+I",
              "Ctrl+E",
              "Ctrl+N",
              "Ctrl+L",
              "Ctrl+R",
              "Ctrl+U",
              "Ctrl+H",
              "Ctrl+D",
              "Ctrl+A",
              "Invalid input. Please enter numeric data.",
              "Invalid input. Please enter 0 or positive value.",
              "Invalid input. Please enter positive value.",
              "System Information Is Unavailable At This Time",
              "Bearing Length (w1)",
              "Bearing Width (b1)",
              "Thickness (t)",
              "Angle of Rotation (A)",
              "Horizontal Deformation (dh)",
              "Applied Vertical Load (Vap)",
              "Sliding",
              "Analyze",
              "Print Screen",
              "General Setttings",
              "Open With",
              "System Info",
              "Shear modulus, slope of the shear stress strain curve at any point."})
            QVERIFY2(all.contains(QLatin1String(text)), text);
    }

    void designGuideHasPagesAndTheEnginesNumbers() {
        const QString path = guidePath();
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        QVERIFY(file.read(5) == "%PDF-");
        QString error;
        const QString text = pdfText(path, error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY2(text.count(u'\f') >= 5, "the guide has several pages");
        for (const char* heading :
             {"Shape factor", "stress cap", "loaded length", "reduction factor", "75 percent limit",
              "Units and conversion factors", "Worked example", "0.039370079", "0.22477064229463"})
            QVERIFY2(text.contains(QLatin1String(heading), Qt::CaseInsensitive), heading);

        // Every row of the worked example's table, as the engine writes it, stands in the guide.
        QString flat = text;
        flat.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        for (const auto& example : bpd::guide::examples()) {
            const bpd::ResultTable table = bpd::guide::tableOf(example);
            QVERIFY(!table.fault);
            QCOMPARE(table.rows.size(), std::size_t(7));
            for (const auto& row : table.rows) {
                QStringList cells;
                for (const auto& cell : row.cells) cells << QString::fromStdString(cell);
                QVERIFY2(flat.contains(cells.join(u' ')),
                         qPrintable(example.name + QStringLiteral(": ") + cells.join(u' ')));
            }
        }
        // The worked example's published figures (1/8 in. pad of the opening inputs).
        for (const char* figure : {"SF = 8.00", "Vnr = 83.24 kips", "Snr = 5202.56 psi", "R = .714",
                                   "Var = 59.46 kips", "Es = 56.88 %", "Sap = 445.63 psi",
                                   "N = 645.28 lbs", "Ss = 40.33 psi", "G = 70.90 psi"})
            QVERIFY2(flat.contains(QLatin1String(figure)), figure);
    }

    // Every cell of the appendix's allowable-load tables, as the guide's renderer lays it out
    // and as the PDF prints it, is the Var the engine shows for the inputs its headings name.
    void allowableLoadTablesHoldTheEnginesVar() {
        QFile source(QStringLiteral(BPD_GUIDE_SOURCE));
        QVERIFY(source.open(QIODevice::ReadOnly));
        QStringList errors;
        QTextDocument document;
        document.setHtml(
            bpd::guide::expandPlaceholders(QString::fromUtf8(source.readAll()), errors));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u' ')));
        QString error;
        QString printed =
            pdfText(helpFolder() + QStringLiteral("/DG3-RavelonDesignGuide.pdf"), error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        printed.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
        printed.replace(QStringLiteral(" \u00d7 "), QStringLiteral("\u00d7"));  // "4×4", "10 × 10"

        static const QRegularExpression title(QStringLiteral(
            "^Pad thickness t = (\\S+) (in\\.|mm) \\x{2014} allowable load with rotation Var "
            "\\((kips|KN)\\)$"));
        const QStringList imperialSides = {"4",  "6",  "8",  "10", "12", "14",
                                           "16", "18", "20", "22", "24"};
        const QStringList siSides = {"100", "150", "200", "250", "300", "350",
                                     "400", "450", "500", "550", "600"};
        const QStringList angles = {"A = 0.005 rad", "A = 0.01 rad", "A = 0.02 rad"};
        QList<int> positions[2];
        for (QTextFrame* frame : document.rootFrame()->childFrames()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            if (!table) continue;
            auto text = [table](int row, int column) {
                const QTextTableCell cell = table->cellAt(row, column);
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                return cursor.selectedText();
            };
            const QRegularExpressionMatch heading = title.match(text(0, 0));
            if (!heading.hasMatch()) continue;
            const bool si = heading.captured(2) == u"mm";
            const bpd::UnitSystem units = si ? bpd::UnitSystem::SI : bpd::UnitSystem::Imperial;
            QCOMPARE(heading.captured(3), si ? QStringLiteral("KN") : QStringLiteral("kips"));
            const int position =
                bpd::ThicknessCatalogue::positionOfLabel(units, heading.captured(1).toStdString());
            QVERIFY2(position >= 1, qPrintable(text(0, 0)));
            positions[si] << position;
            // The title and both heading rows repeat at the top of every page it runs onto.
            QCOMPARE(table->format().headerRowCount(), 3);
            QCOMPARE(table->columns(), 7);
            QCOMPARE(table->rows(), 3 + 11);
            for (int row = 3; row < table->rows(); ++row) {
                const QString side = (si ? siSides : imperialSides).at(row - 3);
                QCOMPARE(text(row, 0), side + QStringLiteral(" \u00d7 ") + side);
                QString line = side + QStringLiteral("\u00d7") + side;
                for (int column = 1; column < 7; ++column) {
                    QCOMPARE(text(1, column), angles.at((column - 1) / 2));
                    const bool sliding = column % 2 == 0;
                    QCOMPARE(text(2, column),
                             sliding ? QStringLiteral("sliding") : QStringLiteral("not sliding"));
                    bpd::AnalysisRequest request;
                    request.units = units;
                    const std::string s = side.toStdString();
                    const std::string angle =
                        angles.at((column - 1) / 2).split(u' ').at(2).toStdString();
                    request.texts = {s, s, angle, "1", "0"};  // Var needs no dh nor Vap
                    request.sliding = sliding;
                    request.selection = position;
                    const bpd::ResultTable expected = bpd::analyze(request, bpd::NumberLocale::c());
                    QVERIFY(!expected.fault && expected.rows.size() == 1);
                    QCOMPARE(text(row, column), QString::fromStdString(expected.rows[0].cells[6]));
                    line += u' ' + text(row, column);
                }
                QVERIFY2(printed.contains(line), qPrintable(line));
            }
        }
        const QList<int> catalogue = {1, 2, 3, 4, 5, 6, 7};
        QCOMPARE(positions[0], catalogue);
        QCOMPARE(positions[1], catalogue);
    }

    // The guide a reader navigates: the contents list gives the page of every section, the
    // PDF's bookmarks and the contents rows lead there, and the section starts on that page.
    void designGuideContentsBookmarksAndLinksLeadToTheirPages() {
        QString error;
        const QStringList pages = pdfText(guidePath(), error).split(u'\f');
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QList<QPair<QString, int>> contents = contentsOf(pages.value(1));
        QVERIFY2(contents.size() >= 12, qPrintable(pages.value(1)));
        QString xml = toolOutput(QStringLiteral("pdftohtml"),
                                 {QStringLiteral("-xml"), QStringLiteral("-i"),
                                  QStringLiteral("-q"), QStringLiteral("-stdout"), guidePath()},
                                 error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        xml.remove(QRegularExpression(QStringLiteral("</?[bi]>")));
        for (const auto& [title, page] : contents) {
            QVERIFY2(page >= 3 && page <= pages.size(), qPrintable(title));
            QVERIFY2(pages.at(page - 1).contains(title),
                     qPrintable(QStringLiteral("%1 not on page %2").arg(title).arg(page)));
            const QString bookmark =
                QStringLiteral("<item page=\"%1\">%2</item>").arg(page).arg(title.toHtmlEscaped());
            QVERIFY2(xml.contains(bookmark), qPrintable(bookmark));
            const QString link =
                QStringLiteral("#%1\">%2</a>").arg(page).arg(title.toHtmlEscaped());
            QVERIFY2(xml.contains(link),
                     qPrintable(QStringLiteral("no link to page %1: %2").arg(page).arg(title)));
        }
    }

    // A table that runs onto a page brings its header: no row of the thickness table or of a
    // results grid stands on a page without that table's header line above it.
    void designGuideTablesNeverLoseTheirHeader_data() {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("row");
        QTest::newRow("thicknesses")
            << "Thickness \\(in\\.\\)\\s+Thickness \\(mm\\)"
            << "^\\s*(1/8|1/4|3/8|1/2|5/8|3/4|1)\\s+\\d+\\.\\d{3}\\s+\\d+\\s*$";
        QTest::newRow("results grid") << "Status\\s+t\\((in\\.|mm)\\)\\s+SF"
                                      << "^\\s*(Pass|FAIL!)\\s+[\\d/.]+\\s+\\d+\\.\\d\\d\\s";
    }
    void designGuideTablesNeverLoseTheirHeader() {
        QFETCH(QString, header);
        QFETCH(QString, row);
        QString error;
        const QStringList pages = pdfText(guidePath(), error).split(u'\f');
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QRegularExpression headerLine(header);
        const QRegularExpression rowLine(row);
        int rows = 0;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            bool headed = false;
            for (const QString& line : pages.at(p).split(u'\n')) {
                headed = headed || headerLine.match(line).hasMatch();
                if (!rowLine.match(line).hasMatch()) continue;
                ++rows;
                QVERIFY2(headed, qPrintable(QStringLiteral("page %1: %2").arg(p + 1).arg(line)));
            }
        }
        QVERIFY(rows >= 7);
    }

    // The figures are the program's own drawings, their words in the guide's text.
    void designGuideShowsTheProgramsArtwork() {
        QString error;
        const QString text = pdfText(guidePath(), error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        for (const char* words :
             {"Span Direction", "Sliding layer", "Loading Conditions Defining Shape Factor",
              "Causing Non-Uniform Bearing", "Non-Uniform Bearing", "Loaded length under rotation",
              "Shear strain (%)", "Rotation reduction factor", "Quiet support for every span."})
            QVERIFY2(text.contains(QLatin1String(words)), words);
    }

    void guideExamplesAreTheOpeningInputs() {
        const auto& examples = bpd::guide::examples();
        QCOMPARE(examples.first().name, QStringLiteral("default"));
        const auto table = bpd::guide::tableOf(examples.first());
        QCOMPARE(QString::fromStdString(table.rows.back().cells[12]), QStringLiteral("200.55"));
        QStringList errors;
        QCOMPARE(bpd::guide::expandPlaceholders(
                     QStringLiteral("{{cell:default:1:3}} {{input:si:w1}}"), errors),
                 QStringLiteral("83.24 101.6"));
        QVERIFY(errors.isEmpty());
        bpd::guide::expandPlaceholders(
            QStringLiteral("{{cell:nowhere:1:3}} {{cell:default:9:3}} {{input:default:x}}"),
            errors);
        QCOMPARE(errors.size(), 3);
    }
};

QTEST_MAIN(TestHelpFiles)
#include "tst_helpfiles.moc"
