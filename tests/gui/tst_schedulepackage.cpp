// File > Export > Calculation Package of the schedule window: all bearings or the selected
// ones, made off the user-interface thread; the pages and bookmarks read back from the PDF
// (poppler-utils); Cancel leaves no file and keeps an existing one; a write that fails for
// real (a full disk) says why and keeps the old file.

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QProcess>
#include <QProgressDialog>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTimer>
#include <QtTest>

#include "BackgroundJob.h"
#include "CalculationDocument.h"
#include "DesignFileWriter.h"
#include "ScheduleDocuments.h"
#include "ScheduleFiles.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"

using bpd::schedule::BackgroundJob;
using bpd::schedule::ScheduleModel;
using bpd::schedule::ScheduleWindow;
using bpd::testing::TestServices;

using bpd::testing::bytesOf;
using bpd::testing::cancelWhenUnderway;
using bpd::testing::writeBytes;

namespace {

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The bookmarks of a PDF as "page title".
QStringList outline(const QString& path) {
    const QString xml =
        run(QStringLiteral("pdftohtml"), {QStringLiteral("-xml"), QStringLiteral("-i"),
                                          QStringLiteral("-stdout"), QStringLiteral("-q"), path});
    QStringList items;
    static const QRegularExpression item(QStringLiteral("<item page=\"(\\d+)\">([^<]*)</item>"));
    for (auto it = item.globalMatch(xml); it.hasNext();) {
        const auto m = it.next();
        items << m.captured(1) + u' ' + m.captured(2);
    }
    return items;
}

int pageCount(const QString& path) {
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    return pages.match(run(QStringLiteral("pdfinfo"), {path})).captured(1).toInt();
}

// A schedule window on a file of `document`.
struct Opened {
    TestServices services;
    std::unique_ptr<ScheduleWindow> window;
    explicit Opened(const bpd::designfile::DesignDocument& document) {
        window = std::make_unique<ScheduleWindow>(services.services());
        const QString path = services.path(QStringLiteral("bridge.bpd"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QByteArray::fromStdString(bpd::designfile::writeDesignText(document)));
        file.close();
        window->openFile(path);
    }
    void select(const std::vector<int>& rows) {
        QTableView* table = window->table();
        auto* proxy = static_cast<QSortFilterProxyModel*>(table->model());
        for (const int row : rows)
            table->selectionModel()->select(
                proxy->mapFromSource(window->model().index(row, 0)),
                QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void exportPackage() {
        window->findChild<QAction*>(QStringLiteral("actionExportPackage"))->trigger();
    }
};

bpd::designfile::DesignDocument manyBearings(int count) {
    bpd::designfile::DesignDocument d;
    d.project.projectName = "Long Bridge";
    for (int i = 0; i < count; ++i)
        d.bearings.push_back(bpd::testing::bearing(std::string("P").append(std::to_string(i + 1)),
                                                   9, 4, 0.01, 0.2, 30 + i % 40));
    return d;
}

}  // namespace

class TestSchedulePackage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const char* tool : {"pdfinfo", "pdftohtml"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                QSKIP("poppler-utils (pdfinfo, pdftohtml) is not installed");
    }

    // With some bearings selected the user is asked; Yes: those, No: all of them.
    void allOrTheSelectedBearings_data() {
        QTest::addColumn<std::vector<int>>("selected");
        QTest::addColumn<bool>("onlySelected");
        QTest::addColumn<QStringList>("bookmarks");
        QTest::addColumn<int>("questions");
        const QString b1 = QStringLiteral("B1, Pier 1"), b2 = QStringLiteral("B2, Pier 1"),
                      b3 = QStringLiteral("B3, Pier 1");
        QTest::newRow("none selected: all")
            << std::vector<int>{} << true << QStringList{b1, b2, b3} << 0;
        QTest::newRow("two selected, only those")
            << std::vector<int>{2, 0} << true << QStringList{b1, b3} << 1;
        QTest::newRow("two selected, all")
            << std::vector<int>{0, 2} << false << QStringList{b1, b2, b3} << 1;
        QTest::newRow("every one selected: no question")
            << std::vector<int>{0, 1, 2} << true << QStringList{b1, b2, b3} << 0;
    }
    void allOrTheSelectedBearings() {
        QFETCH(std::vector<int>, selected);
        QFETCH(bool, onlySelected);
        QFETCH(QStringList, bookmarks);
        QFETCH(int, questions);
        Opened o(bpd::testing::threeBearings());
        const QString path = o.services.path(QStringLiteral("package.pdf"));
        o.services.files->answer = path;
        o.services.messages->answerYes = onlySelected;
        o.select(selected);
        o.exportPackage();
        int asked = 0;
        for (const auto& call : o.services.messages->calls) asked += call.kind == u"question";
        QCOMPARE(asked, questions);
        QCOMPARE(o.services.files->questions.size(), 1);
        QCOMPARE(o.services.files->questions[0].filter, QStringLiteral("PDF files (*.pdf)"));
        QStringList pages = outline(path);
        QCOMPARE(pages.takeFirst(), QStringLiteral("1 Summary"));
        QStringList titles;
        int last = 1;
        for (const QString& item : pages) {
            const int page = item.section(u' ', 0, 0).toInt();
            QVERIFY2(page > last, qPrintable(item));  // each sheet after the one before
            last = page;
            titles << item.section(u' ', 1);
        }
        QCOMPARE(titles, bookmarks);
        QVERIFY(pageCount(path) >= last);
        // Opened as the other documents are, once complete on disk.
        QCOMPARE(o.services.shell->opens.size(), 1);
        QCOMPARE(o.services.shell->opens[0].target, path);
        QVERIFY(o.services.shell->opens[0].existedWhenOpened);
        QVERIFY(o.window->model().undoStack().isClean());
    }

    // The save dialog cancelled: nothing is made or opened.
    void noNameNoPackage() {
        Opened o(bpd::testing::threeBearings());
        o.services.files->answer.clear();
        o.exportPackage();
        QCOMPARE(o.services.files->questions.size(), 1);
        QVERIFY(o.services.files->questions[0].suggestedPath.endsWith(
            QStringLiteral("Calculation Package.pdf")));
        QVERIFY(o.services.shell->opens.isEmpty());
        QVERIFY(o.services.messages->calls.isEmpty());
    }

    // Cancel in the progress dialog: no file where there was none, the old bytes where there
    // was one, nothing opened, no message, no temporary file left beside it.
    void cancelLeavesNoFileBehind_data() {
        QTest::addColumn<bool>("existing");
        QTest::newRow("no file before") << false;
        QTest::newRow("an old package") << true;
    }
    void cancelLeavesNoFileBehind() {
        QFETCH(bool, existing);
        Opened o(manyBearings(120));
        o.window->show();
        QTemporaryDir target;
        const QString path = target.filePath(QStringLiteral("package.pdf"));
        if (existing) writeBytes(path, "%PDF-1.4 the old package");
        o.services.files->answer = path;
        cancelWhenUnderway(*o.window);
        o.exportPackage();
        QCOMPARE(QFile::exists(path), existing);
        if (existing) QCOMPARE(bytesOf(path), QByteArray("%PDF-1.4 the old package"));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files | QDir::Hidden).size(),
                 existing ? 1 : 0);
        QVERIFY(o.services.shell->opens.isEmpty());
        QVERIFY(o.services.messages->calls.isEmpty());
        QVERIFY(!o.window->findChild<QProgressDialog*>(BackgroundJob::kDialogName));
    }

    // The disk is full for real: the old package stays byte for byte, the user is told why.
    void aFullDiskKeepsTheOldPackage() {
        bpd::testing::ScratchFilesystem disk(256);
        Opened o(bpd::testing::threeBearings());
        const QString path = disk.filePath(QStringLiteral("package.pdf"));
        writeBytes(path, "%PDF-1.4 the old package");
        disk.fill(bytesOf(path).size());
        o.services.files->answer = path;
        o.exportPackage();
        disk.liftLimit();
        QCOMPARE(bytesOf(path), QByteArray("%PDF-1.4 the old package"));
        QCOMPARE(o.services.messages->calls.size(), 1);
        const QString text = o.services.messages->calls[0].text;
        QCOMPARE(o.services.messages->calls[0].kind, QStringLiteral("warning"));
        QVERIFY2(text.contains(u"No space left on device") || text.contains(u"File too large"),
                 qPrintable(text + QStringLiteral(" / ") + disk.how()));
        QVERIFY(text.contains(u"left as it was"));
        QVERIFY(o.services.shell->opens.isEmpty());
    }

    // The package's progress: every step told once, in order, up to packageSteps; the text
    // and pages the same as without it; a cancel at any step gives no bytes.
    void thePackageTellsItsProgressAndStopsWhenAsked_data() {
        QTest::addColumn<int>("cancelAt");  // the step after which cancelled() says yes; 0: never
        QTest::newRow("to the end") << 0;
        QTest::newRow("while calculating") << 1;
        QTest::newRow("while laying out") << 5;
        QTest::newRow("while painting, at the last step") << 9;
    }
    void thePackageTellsItsProgressAndStopsWhenAsked() {
        QFETCH(int, cancelAt);
        using bpd::calcsheet::CalculationDocument;
        QList<bpd::calcsheet::PackageBearing> bearings;
        for (const auto& b : bpd::testing::threeBearings().bearings)
            bearings.append({{bpd::UnitSystem::Imperial, bpd::designfile::fieldValues(b), b.sliding,
                              bpd::designfile::thicknessPosition(bpd::UnitSystem::Imperial, b)},
                             QString::fromStdString(*b.mark),
                             QString::fromStdString(b.location),
                             2});
        bpd::calcsheet::SheetHeading heading;
        heading.made = QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5), Qt::UTC);
        const QPageSize page(QPageSize::Letter);
        const int total = CalculationDocument::packageSteps(bearings.size());
        QCOMPARE(total, 9);
        QList<int> told;
        CalculationDocument::Progress progress;
        progress.advanced = [&](int done, int steps) {
            told << done;
            QCOMPARE(steps, total);
        };
        progress.cancelled = [&] { return cancelAt > 0 && told.size() >= cancelAt; };
        const QByteArray pdf = CalculationDocument::packagePdf(bearings, heading, page, progress);
        if (cancelAt > 0) {
            QVERIFY(pdf.isEmpty());
            QCOMPARE(told.size(), cancelAt);
            return;
        }
        QList<int> every;
        for (int i = 1; i <= total; ++i) every << i;
        QCOMPARE(told, every);
        const QByteArray plain = CalculationDocument::packagePdf(bearings, heading, page);
        QTemporaryDir dir;
        const QString with = dir.filePath(QStringLiteral("with.pdf")),
                      without = dir.filePath(QStringLiteral("without.pdf"));
        writeBytes(with, pdf);
        writeBytes(without, plain);
        QCOMPARE(pdf.size(), plain.size());
        QCOMPARE(outline(with), outline(without));
        const auto text = [](const QString& path) {
            return run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
        };
        QCOMPARE(text(with), text(without));
    }

    // A bearing that cannot be checked is left out, and the user is told which.
    void bearingsThatCannotBeCheckedAreLeftOut() {
        bpd::designfile::DesignDocument d = bpd::testing::threeBearings();
        d.bearings[1].values.Vap.reset();
        Opened o(d);
        o.services.messages->calls.clear();  // the opening's notice of the missing load
        const QString path = o.services.path(QStringLiteral("package.pdf"));
        o.services.files->answer = path;
        o.exportPackage();
        QStringList pages = outline(path);
        QCOMPARE(pages.size(), 3);
        QVERIFY(pages[1].endsWith(u"B1, Pier 1") && pages[2].endsWith(u"B3, Pier 1"));
        QCOMPARE(o.services.messages->calls.size(), 1);
        QVERIFY2(o.services.messages->calls[0].text.contains(u"left out of the package: B2."),
                 qPrintable(o.services.messages->calls[0].text));
    }
};

QTEST_MAIN(TestSchedulePackage)
#include "tst_schedulepackage.moc"
