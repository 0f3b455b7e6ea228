// The schedule's Import CSV and Export as a user meets them: the review lists the lines that
// cannot be read before anything changes, a cancel changes nothing, an import is one undo
// step; both exports read back (the CSV through the import, the workbook's cells as numbers);
// a write that fails for real keeps the old file and says why; a big export leaves the window
// responsive.

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>

#include "CsvImport.h"
#include "CsvImportDialog.h"
#include "ScheduleDocuments.h"
#include "ScheduleFiles.h"
#include "ScheduleModel.h"
#include "ScheduleTransfer.h"
#include "ScheduleWindow.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"

using bpd::schedule::CsvImportDialog;
using bpd::schedule::ScheduleModel;
using bpd::schedule::ScheduleTransfer;
using bpd::schedule::ScheduleWindow;
using bpd::testing::ScratchFilesystem;
using bpd::testing::TestServices;

using bpd::testing::bytesOf;
using bpd::testing::writeBytes;

namespace {

// A window whose file names come from the test: every question answers `path`.
void answerWith(ScheduleWindow& w, const QString& path) {
    ScheduleWindow::FileDialogs d;
    d.open = [](QWidget*) { return QString(); };
    d.saveAs = [](QWidget*, const QString&) { return QString(); };
    d.importCsv = [path](QWidget*) { return path; };
    d.exportCsv = [path](QWidget*, const QString&) { return path; };
    d.exportWorkbook = [path](QWidget*, const QString&) { return path; };
    w.setFileDialogs(d);
}

void trigger(ScheduleWindow& w, const char* action) {
    auto* a = w.findChild<QAction*>(QLatin1String(action));
    QVERIFY2(a, action);
    a->trigger();
}

void importFile(ScheduleWindow& w, const QString& path) {
    answerWith(w, path);
    trigger(w, "actionImportCsv");
}

// Exports through the menu and waits for the worker.
bool exported(ScheduleWindow& w, const char* action, const QString& path) {
    QSignalSpy done(&w.transfer(), &ScheduleTransfer::exported);
    answerWith(w, path);
    trigger(w, action);
    return done.wait(30000) && done.first().at(1).toString().isEmpty();
}

QString cell(const ScheduleModel& m, int row, int column) {
    return m.data(m.index(row, column)).toString();
}

// The values of every input column, line by line, as the table shows them.
QStringList tableTexts(const ScheduleModel& m) {
    QStringList lines;
    for (int row = 0; row < m.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < ScheduleModel::ColumnCount; ++column)
            cells << cell(m, row, column);
        lines << cells.join(QLatin1Char('|'));
    }
    return lines;
}

QByteArray unzip(const QString& file, const QString& member) {
    QProcess process;
    process.start(QStringLiteral("unzip"), {QStringLiteral("-p"), file, member});
    if (!process.waitForFinished(10000)) return {};
    return process.readAllStandardOutput();
}

// The sheet's cells: reference -> the value, strings resolved, and whether it is a number.
struct SheetCell {
    QString value;
    bool number = false;
};
QMap<QString, SheetCell> sheetCells(const QString& file) {
    QStringList strings;
    QXmlStreamReader shared(unzip(file, QStringLiteral("xl/sharedStrings.xml")));
    while (!shared.atEnd())
        if (shared.readNext() == QXmlStreamReader::StartElement &&
            shared.name() == QLatin1String("t"))
            strings << shared.readElementText();
    QMap<QString, SheetCell> cells;
    QXmlStreamReader xml(unzip(file, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString ref;
    bool isString = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("c")) {
            ref = xml.attributes().value(QLatin1String("r")).toString();
            isString = xml.attributes().value(QLatin1String("t")) == QLatin1String("s");
        } else if (xml.name() == QLatin1String("v")) {
            const QString v = xml.readElementText();
            cells[ref] = {isString ? strings.value(v.toInt()) : v, !isString};
        }
    }
    return cells;
}

const char* kMixed =
    "mark,w1,b1,A,dh,Vap,sliding,thickness\n"
    "N1,9,14,.01,.5,100,0,All\n"
    "N2,9;14;.01;.5;100;0;All\n"
    "N3,0,14,.01,.5,100,0,All\n"
    ",9,14,.01,.5,60,yes,3/4\n";

}  // namespace

class TestCsvTransfer : public QObject {
    Q_OBJECT

private slots:
    void reviewListsBadLinesThenImportsTheGoodOnesAsOneStep() {
        TestServices s;
        ScheduleWindow w(s.services());
        w.model().setDocument(bpd::testing::threeBearings());
        const QString path = s.path(QStringLiteral("mixed.csv"));
        writeBytes(path, kMixed);
        importFile(w, path);

        auto* review = w.findChild<CsvImportDialog*>();
        QVERIFY(review);
        QVERIFY(review->isVisible());
        QCOMPARE(w.model().rowCount(), 3);  // nothing before the user decides
        QCOMPARE(w.model().undoStack().count(), 0);
        auto* lines = review->findChild<QTableWidget*>(QStringLiteral("badLines"));
        QCOMPARE(lines->rowCount(), 2);
        QCOMPARE(lines->item(0, 0)->text(), QStringLiteral("3"));
        QCOMPARE(lines->item(0, 1)->text(), QStringLiteral("expected 8 fields, found 2"));
        QCOMPARE(lines->item(1, 0)->text(), QStringLiteral("4"));
        QVERIFY(lines->item(1, 1)->text().startsWith(QStringLiteral("w1: ")));
        QCOMPARE(review->importButton()->text(), QStringLiteral("&Import 2 Bearings"));

        QTest::mouseClick(review->importButton(), Qt::LeftButton);
        QCOMPARE(w.model().rowCount(), 5);
        QCOMPARE(cell(w.model(), 3, ScheduleModel::Mark), QStringLiteral("N1"));
        // A line without a mark gets the next free one after the mark before it.
        QCOMPARE(cell(w.model(), 4, ScheduleModel::Mark), QStringLiteral("N2"));
        QCOMPARE(cell(w.model(), 4, ScheduleModel::Thickness), QStringLiteral("3/4"));
        QCOMPARE(cell(w.model(), 4, ScheduleModel::Status), QStringLiteral("Pass"));
        QVERIFY(w.isWindowModified());
        QCOMPARE(w.model().undoStack().count(), 1);
        QCOMPARE(w.model().undoStack().undoText(), QStringLiteral("Import CSV"));
        w.model().undoStack().undo();
        QCOMPARE(w.model().rowCount(), 3);
        QVERIFY(!w.isWindowModified());
        w.model().undoStack().redo();
        QCOMPARE(w.model().rowCount(), 5);
    }

    void cancelChangesNothing() {
        TestServices s;
        ScheduleWindow w(s.services());
        w.model().setDocument(bpd::testing::threeBearings());
        const QStringList before = tableTexts(w.model());
        const QString path = s.path(QStringLiteral("mixed.csv"));
        writeBytes(path, kMixed);
        importFile(w, path);
        auto* review = w.findChild<CsvImportDialog*>();
        QVERIFY(review);
        QTest::mouseClick(review->findChild<QPushButton*>(QStringLiteral("cancelButton")),
                          Qt::LeftButton);
        QCOMPARE(tableTexts(w.model()), before);
        QCOMPARE(w.model().undoStack().count(), 0);
        QVERIFY(!w.isWindowModified());
        QVERIFY(s.messages->calls.isEmpty());
    }

    // Every line reads: imported at once, in the schedule's units; a file of nothing but
    // refusals offers nothing to import.
    void cleanFilesImportAtOnceAndRefusedOnesOfferNothing() {
        TestServices s;
        ScheduleWindow w(s.services());
        QVERIFY(w.model().switchUnits(bpd::UnitSystem::SI));
        w.model().undoStack().clear();
        const QString path = s.path(QStringLiteral("si.csv"));
        writeBytes(path,
                   "\xEF\xBB\xBFMark;w1;b1;A;dh;Vap;sliding;thickness\r\n"
                   "P1;229;356;0,01;12,5;445,25;0;12,7\r\n");
        importFile(w, path);
        QVERIFY(!w.findChild<CsvImportDialog*>());
        QCOMPARE(w.model().rowCount(), 1);
        QCOMPARE(cell(w.model(), 0, ScheduleModel::Dh), QLocale().toString(12.5, 'f', 4));
        QCOMPARE(cell(w.model(), 0, ScheduleModel::Thickness), QStringLiteral("12.700"));
        QCOMPARE(w.model().undoStack().count(), 1);

        writeBytes(path, "w1;b1;A;dh;Vap;sliding\n9;14;0.01;0,5;100;0\n");
        importFile(w, path);
        auto* review = w.findChild<CsvImportDialog*>();
        QVERIFY(review);
        QVERIFY(!review->importButton()->isEnabled());
        auto* note = review->findChild<QLabel*>(QStringLiteral("formNote"));
        QVERIFY(note);
        QVERIFY2(note->text().contains(QStringLiteral("line 2 has a decimal point")),
                 qPrintable(note->text()));
    }

    void unreadableFileIsReported() {
        TestServices s;
        ScheduleWindow w(s.services());
        importFile(w, s.path(QStringLiteral("absent.csv")));
        QCOMPARE(s.messages->calls.size(), 1);
        QVERIFY2(s.messages->calls[0].text.startsWith(
                     QStringLiteral("\"absent.csv\" could not be read: ")),
                 qPrintable(s.messages->calls[0].text));
        QCOMPARE(w.model().undoStack().count(), 0);
    }

    // The CSV export, imported into a new schedule, gives the same table (results included).
    void csvExportReadsBack() {
        TestServices s;
        ScheduleWindow w(s.services());
        bpd::designfile::DesignDocument d = bpd::testing::threeBearings();
        d.bearings[0].location = "Pier 2, \"north\"";
        w.model().setDocument(d);
        const QString path = s.path(QStringLiteral("out.csv"));
        QVERIFY(exported(w, "actionExportCsv", path));
        const QList<QByteArray> lines = bytesOf(path).split('\n');
        QCOMPARE(lines[0], QByteArray("mark,location,quantity,w1,b1,A,dh,Vap,sliding,thickness,"
                                      "status,thinnest,governs,utilisation"));
        QVERIFY2(lines[2].endsWith(("," + cell(w.model(), 1, ScheduleModel::Status) + "," +
                                    cell(w.model(), 1, ScheduleModel::Thinnest) + "," +
                                    cell(w.model(), 1, ScheduleModel::Governs) + "," +
                                    cell(w.model(), 1, ScheduleModel::Utilisation))
                                       .toUtf8()),
                 lines[2].constData());

        ScheduleWindow again(s.services());
        importFile(again, path);
        QVERIFY(!again.findChild<CsvImportDialog*>());
        QCOMPARE(tableTexts(again.model()), tableTexts(w.model()));
    }

    // The workbook: the captions, then the inputs, the quantity and the utilisation stored as
    // numbers, the texts as texts.
    void workbookStoresNumbersAsNumbers() {
        TestServices s;
        ScheduleWindow w(s.services());
        w.model().setDocument(bpd::testing::threeBearings());
        const QString path = s.path(QStringLiteral("out.xlsx"));
        QVERIFY(exported(w, "actionExportWorkbook", path));
        const QMap<QString, SheetCell> cells = sheetCells(path);
        QCOMPARE(cells.value(QStringLiteral("A1")).value, QStringLiteral("Mark"));
        QCOMPARE(cells.value(QStringLiteral("D1")).value, QStringLiteral("w1 (in.)"));
        struct Expected {
            const char* ref;
            QString value;
            bool number;
        };
        const QString utilisation = cell(w.model(), 0, ScheduleModel::Utilisation);
        const QList<Expected> expected = {
            {"A2", QStringLiteral("B1"), false},
            {"B2", QStringLiteral("Pier 1"), false},
            {"C2", QStringLiteral("2"), true},
            {"D2", QStringLiteral("9"), true},
            {"E2", QStringLiteral("4"), true},
            {"F2", QStringLiteral("0.01"), true},
            {"G2", QStringLiteral("0.2"), true},
            {"H2", QStringLiteral("30"), true},
            {"I4", QStringLiteral("Yes"), false},
            {"J3", QStringLiteral("1/4"), false},
            {"K3", QStringLiteral("FAIL!"), false},
            {"K2", QStringLiteral("Pass"), false},
            {"L2", cell(w.model(), 0, ScheduleModel::Thinnest), false},
            {"M2", cell(w.model(), 0, ScheduleModel::Governs), false},
        };
        for (const Expected& e : expected) {
            const SheetCell got = cells.value(QLatin1String(e.ref));
            QVERIFY2(got.value == e.value && got.number == e.number,
                     qPrintable(QStringLiteral("%1: %2 (%3)")
                                    .arg(QLatin1String(e.ref), got.value,
                                         got.number ? "number" : "text")));
        }
        const SheetCell n2 = cells.value(QStringLiteral("N2"));
        QVERIFY(n2.number);
        QCOMPARE(QString::number(n2.value.toDouble(), 'f', 1), utilisation);
    }

    void failedExportKeepsTheOldFile_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("fault");
        for (const char* action : {"actionExportCsv", "actionExportWorkbook"}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, full disk").arg(action)))
                << action << "full";
            QTest::newRow(qPrintable(QStringLiteral("%1, read-only folder").arg(action)))
                << action << "read-only";
        }
    }
    void failedExportKeepsTheOldFile() {
        QFETCH(QString, action);
        QFETCH(QString, fault);
        TestServices s;
        ScratchFilesystem scratch;
        qInfo("faults made with %s", qPrintable(scratch.how()));
        const QString path = scratch.filePath(QStringLiteral("schedule.out"));
        const QByteArray old("the old contents\n");
        writeBytes(path, old);
        ScheduleWindow w(s.services());
        w.model().setDocument(bpd::testing::threeBearings());
        if (fault == "full")
            scratch.fill(old.size());
        else
            scratch.makeReadOnly();
        const bool written = exported(w, qPrintable(action), path);
        scratch.liftLimit();
        QVERIFY(!written);
        QCOMPARE(bytesOf(path), old);
        QCOMPARE(s.messages->calls.size(), 1);
        QCOMPARE(s.messages->calls[0].kind, QStringLiteral("warning"));
        QVERIFY2(s.messages->calls[0].text.startsWith(
                     QStringLiteral("\"schedule.out\" could not be written: ")),
                 qPrintable(s.messages->calls[0].text));
        QVERIFY(s.messages->calls[0].text.contains(QStringLiteral("keeps what it held")));
    }

    // 10,000 bearings: the window's own thread only takes the data; the event loop keeps
    // turning while the worker writes.
    void bigExportLeavesTheWindowResponsive_data() {
        QTest::addColumn<QString>("action");
        QTest::newRow("CSV") << "actionExportCsv";
        QTest::newRow("workbook") << "actionExportWorkbook";
    }
    void bigExportLeavesTheWindowResponsive() {
        QFETCH(QString, action);
        TestServices s;
        ScheduleWindow w(s.services());
        bpd::designfile::DesignDocument d = bpd::testing::threeBearings();
        const auto three = d.bearings;
        d.bearings.clear();
        for (int i = 0; i < 10000; ++i) {
            d.bearings.push_back(three[static_cast<std::size_t>(i % 3)]);
            d.bearings.back().mark = std::string("B").append(std::to_string(i + 1));
        }
        w.model().setDocument(d);
        // The table lays out its new lines at the next turns of the event loop: before the
        // measurement, which is the export's.
        QTest::qWait(500);
        answerWith(w, s.path(QStringLiteral("big.out")));
        QSignalSpy done(&w.transfer(), &ScheduleTransfer::exported);

        QElapsedTimer clock;
        qint64 lastTick = 0, longestPause = 0;
        QTimer ticks;
        ticks.setInterval(5);
        connect(&ticks, &QTimer::timeout, this, [&] {
            longestPause = std::max(longestPause, clock.elapsed() - lastTick);
            lastTick = clock.elapsed();
        });
        clock.start();
        trigger(w, qPrintable(action));
        const qint64 onWindowThread = clock.elapsed();
        QCOMPARE(done.count(), 0);  // the writing goes on while the window's thread returns
        lastTick = onWindowThread;
        ticks.start();
        QVERIFY(done.wait(60000));
        const qint64 total = clock.elapsed();
        QVERIFY(done.first().at(1).toString().isEmpty());
        qInfo(
            "10000 bearings, %s: %lld ms on the window's thread, %lld ms in all, the longest "
            "pause of its event loop while writing %lld ms",
            qPrintable(action), onWindowThread, total, longestPause);
        QVERIFY(QFileInfo(s.path(QStringLiteral("big.out"))).size() > 100000);
    }
};

QTEST_MAIN(TestCsvTransfer)
#include "tst_csvtransfer.moc"
