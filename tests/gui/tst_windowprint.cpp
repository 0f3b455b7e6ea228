// The window print: the print dress and its restoring (also when printing fails), the
// placement arithmetic, landscape and natural size, the missing printer and the PDF instead,
// jobs refused by a real print system of the test's own, and PDF files on a real full or
// read-only disk.

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <cerrno>
#include <cstring>

#include "PdfFileJob.h"
#include "PdfStructure.h"
#include "PrivateCups.h"
#include "ScratchFilesystem.h"
#include "SystemPrinter.h"
#include "TestServices.h"
#include "WindowPrint.h"

using namespace bpd::reports;

namespace {

// A stand-in main window with the widgets of the print dress, in their normal states.
struct MainWindow {
    QWidget window;
    QWidget* grid;
    QLabel* picture2;
    QPushButton* analyze;
    QPushButton* print;
    QLabel* label7;
    QLabel* hiddenPict;

    MainWindow() {
        window.resize(848, 374);
        grid = new QLabel(QStringLiteral("grid"), &window);
        grid->setGeometry(8, 168, 833, 145);
        picture2 = new QLabel(&window);
        picture2->setGeometry(8, 168, 833, 145);
        picture2->hide();
        analyze = new QPushButton(QStringLiteral("Analyze"), &window);
        print = new QPushButton(QStringLiteral("Print Screen"), &window);
        label7 = new QLabel(QStringLiteral("Pelgro Precast, 1 Main Street ..."), &window);
        label7->hide();
        hiddenPict = new QLabel(&window);
        hiddenPict->setGeometry(744, 328, 81, 33);
        hiddenPict->hide();
        window.show();
    }
    PrintDress dress() {
        return PrintDress{&window, grid, picture2, analyze, print, label7, hiddenPict};
    }
    // Grid, picture, Analyze, Print Screen, contact line, hidden picture.
    QList<bool> shown() const {
        return {grid->isVisible(),  picture2->isVisible(), analyze->isVisible(),
                print->isVisible(), label7->isVisible(),   hiddenPict->isVisible()};
    }
};

const QList<bool> kNormal = {true, false, true, true, false, false};
const QList<bool> kDressed = {false, true, false, false, true, false};

QImage whitePage(QWidget*) {
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The real printer service, with a hook between starting the job and drawing the page.
struct HookedSystemPrinter : bpd::platform::SystemPrinter {
    std::function<void()> afterBegin;
    std::unique_ptr<bpd::platform::PrintJob> beginDefault() override {
        auto job = SystemPrinter::beginDefault();
        if (afterBegin) afterBegin();
        return job;
    }
};

}  // namespace

class TestWindowPrint : public QObject {
    Q_OBJECT
private slots:
    void placement_data() {
        QTest::addColumn<QSizeF>("page");
        QTest::addColumn<QSizeF>("image");
        QTest::addColumn<QRectF>("expected");
        // 8 x 4 in on 10 x 7.5 in: 1 in from the left, 1.75 in from the top.
        QTest::newRow("smaller than the page")
            << QSizeF(14400, 10800) << QSizeF(11520, 5760) << QRectF(1440, 2520, 11520, 5760);
        QTest::newRow("exactly the page")
            << QSizeF(14400, 10800) << QSizeF(14400, 10800) << QRectF(0, 0, 14400, 10800);
        QTest::newRow("larger: cut, centred")
            << QSizeF(14400, 10800) << QSizeF(17280, 12960) << QRectF(-1440, -1080, 17280, 12960);
        QTest::newRow("odd difference")
            << QSizeF(15000, 11000) << QSizeF(12720, 6495) << QRectF(1140, 2252.5, 12720, 6495);
    }
    void placement() {
        QFETCH(QSizeF, page);
        QFETCH(QSizeF, image);
        QFETCH(QRectF, expected);
        QCOMPARE(WindowPrint::placeImage(page, image), expected);
    }

    void naturalSizeIsFifteenTwipsPerPixelAt96Dpi() {
        QCOMPARE(WindowPrint::imageTwips(QSizeF(848, 374), 96, 96), QSizeF(12720, 5610));
        QCOMPARE(WindowPrint::imageTwips(QSizeF(960, 480), 120, 120), QSizeF(11520, 5760));
    }

    void thePictureIsTakenInThePrintDressAndPrintedCentred() {
        bpd::testing::TestServices fixture;
        MainWindow main;
        QApplication::clipboard()->setText(QStringLiteral("the user's clipboard"));
        QList<bool> atCapture;
        Qt::CursorShape cursorAtCapture = Qt::ArrowCursor;
        bool pictureOfGrid = false;
        WindowPrint print(main.dress(), *fixture.printer, *fixture.messages, [&](QWidget* window) {
            atCapture = main.shown();
            cursorAtCapture = QApplication::overrideCursor()
                                  ? QApplication::overrideCursor()->shape()
                                  : Qt::ArrowCursor;
            pictureOfGrid = !main.picture2->pixmap().isNull();
            QImage image(window->size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            return image;
        });
        QCOMPARE(main.shown(), kNormal);
        QCOMPARE(print.PrintBtn_Click(), WindowPrint::Result::Printed);

        QCOMPARE(atCapture, kDressed);
        QCOMPARE(cursorAtCapture, Qt::WaitCursor);
        QVERIFY(pictureOfGrid);
        QCOMPARE(main.shown(), kNormal);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("the user's clipboard"));

        // HiddenPict holds the picture at its size; the page gets it at natural size, centred.
        QCOMPARE(main.hiddenPict->size(), QSize(848, 374));
        QCOMPARE(fixture.printer->painted.size(), 1);
        QCOMPARE(fixture.printer->ended, 1);
        const double dpi = main.window.logicalDpiX();
        const QSizeF twips(848 * 1440 / dpi, 374 * 1440 / dpi);
        QCOMPARE(fixture.printer->painted.at(0),
                 QRectF((15840 - twips.width()) / 2, (11520 - twips.height()) / 2, twips.width(),
                        twips.height()));
        QCOMPARE(fixture.printer->images.at(0).size(), QSize(848, 374));
        QVERIFY(fixture.messages->calls.isEmpty());
    }

    void aFailingPrinterIsReportedAndTheWindowRestored() {
        bpd::testing::TestServices fixture;
        fixture.printer->failEnd = true;
        MainWindow main;
        WindowPrint print(main.dress(), *fixture.printer, *fixture.messages,
                          [](QWidget*) { return QImage(100, 50, QImage::Format_RGB32); });
        QCOMPARE(print.PrintBtn_Click(), WindowPrint::Result::Failed);
        QCOMPARE(main.shown(), kNormal);
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(fixture.messages->calls.size(), 1);
        QCOMPARE(fixture.messages->calls.at(0).kind, QStringLiteral("warning"));
        QVERIFY(fixture.messages->calls.at(0).text.contains(QStringLiteral("paper jam")));
    }

    void aFailedCaptureStillRestoresTheWindow() {
        bpd::testing::TestServices fixture;
        MainWindow main;
        WindowPrint print(main.dress(), *fixture.printer, *fixture.messages,
                          [](QWidget*) { return QImage(); });
        QCOMPARE(print.PrintBtn_Click(), WindowPrint::Result::Failed);
        QCOMPARE(main.shown(), kNormal);
        QVERIFY(fixture.printer->painted.isEmpty());
    }

    void missingWidgetsSkipOnlyTheirOwnSteps() {
        bpd::testing::TestServices fixture;
        MainWindow main;
        PrintDress dress = main.dress();
        dress.Picture2 = nullptr;
        dress.HiddenPict = nullptr;
        WindowPrint print(dress, *fixture.printer, *fixture.messages,
                          [](QWidget*) { return QImage(10, 10, QImage::Format_RGB32); });
        QCOMPARE(print.PrintBtn_Click(), WindowPrint::Result::Printed);
        QCOMPARE(main.shown(), kNormal);
    }

    void withoutAPrinterTheUserIsAskedAndMayDecline() {
        bpd::testing::TestServices fixture;
        fixture.printer->installed = false;
        MainWindow main;
        WindowPrint print(main.dress(), *fixture.printer, *fixture.messages,
                          [](QWidget*) { return QImage(100, 50, QImage::Format_RGB32); });
        QCOMPARE(print.PrintBtn_Click(), WindowPrint::Result::NoPrinter);
        QCOMPARE(main.shown(), kNormal);
        QCOMPARE(fixture.messages->calls.size(), 1);
        QCOMPARE(fixture.messages->calls.at(0).kind, QStringLiteral("question"));
        QVERIFY(fixture.messages->calls.at(0).text.contains(QStringLiteral("No printer")));
        QCOMPARE(fixture.printer->pdfJobs, 0);
    }

    void withoutAPrinterThePageCanBeSavedAsALandscapePdf() {
        bpd::testing::TestServices fixture;
        fixture.printer->installed = false;
        fixture.messages->answerYes = true;
        fixture.printer->pdfPath = fixture.path(QStringLiteral("window.pdf"));
        MainWindow main;
        // A photo-like picture, which a lossy writer would store as JPEG.
        QImage stripes(848, 374, QImage::Format_RGB32);
        quint32 seed = 12345;
        for (int y = 0; y < stripes.height(); ++y)
            for (int x = 0; x < stripes.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                stripes.setPixel(x, y, qRgb(x % 256, y % 256, int(seed >> 24)));
            }
        WindowPrint print(main.dress(), *fixture.printer, *fixture.messages,
                          [&](QWidget*) { return stripes; });
        QCOMPARE(print.PrintBtn_Click(), WindowPrint::Result::SavedAsPdf);
        QCOMPARE(fixture.printer->pdfJobs, 1);
        QCOMPARE(main.shown(), kNormal);

        QFile pdf(fixture.printer->pdfPath);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(!bytes.contains("/DCTDecode"));  // lossless: no JPEG for the window's picture
        QVERIFY(QDir(fixture.path(QString())).entryList(QDir::Files | QDir::Hidden).size() == 1);

        // Landscape: the page is wider than high.
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {fixture.printer->pdfPath});
        if (!info.waitForFinished(10000) || info.exitCode() != 0) QSKIP("pdfinfo is not available");
        const QString out = QString::fromLocal8Bit(info.readAllStandardOutput());
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+)")).match(out);
        QVERIFY(size.hasMatch());
        QVERIFY(size.captured(1).toDouble() > size.captured(2).toDouble());
    }

    void theRealPdfJobIsLandscapeInTwips() {
        bpd::platform::SystemPrinter printer;
        QTemporaryDir dir;
        auto job = printer.beginPdf(dir.filePath(QStringLiteral("page.pdf")));
        QVERIFY(job);
        const QSizeF page = job->printableTwips();
        QVERIFY(page.width() > page.height());
        QVERIFY(page.width() > 10 * 1440 &&
                page.width() < 12 * 1440);  // A4 or Letter, less margins
    }

    // Qt's CUPS engine drops the print system's answer: a refused job must not pass for printed.
    void jobsThePrintSystemRefusesAreReported_data() {
        QTest::addColumn<QStringList>("admin");  // a CUPS command run before printing
        QTest::addColumn<bool>("removeAfterBegin");
        QTest::addColumn<QString>("reason");  // "" for a printed page
        QTest::newRow("accepting") << QStringList() << false << QString();
        QTest::newRow("not accepting jobs")
            << QStringList{"cupsreject", "-r", "out of paper", "office"} << false
            << QStringLiteral("The printer \"office\" is not accepting jobs: out of paper.");
        QTest::newRow("stopped") << QStringList{"cupsdisable", "-r", "toner empty", "office"}
                                 << false
                                 << QStringLiteral(
                                        "The printer \"office\" is stopped: toner empty.");
        QTest::newRow("removed while printing")
            << QStringList() << true
            << QStringLiteral("\"office\" is not known to the print system");
    }
    void jobsThePrintSystemRefusesAreReported() {
        QFETCH(QStringList, admin);
        QFETCH(bool, removeAfterBegin);
        QFETCH(QString, reason);
        bpd::testing::PrivateCups cups;
        if (!cups.started()) QSKIP(qPrintable(cups.why()));
        QVERIFY(cups.addQueue(QStringLiteral("office")));
        if (!admin.isEmpty()) QVERIFY(cups.admin(admin.takeFirst(), admin));
        bpd::testing::TestServices fixture;
        HookedSystemPrinter printer;
        if (removeAfterBegin)
            printer.afterBegin = [&] {
                QVERIFY(cups.admin(QStringLiteral("lpadmin"), {"-x", "office"}));
            };
        MainWindow main;
        WindowPrint print(main.dress(), printer, *fixture.messages, &whitePage);

        const WindowPrint::Result result = print.PrintBtn_Click();
        QCOMPARE(main.shown(), kNormal);
        QString jobs;
        cups.admin(QStringLiteral("lpstat"), {"-W", "all", "-o"}, &jobs);
        if (reason.isEmpty()) {
            QCOMPARE(result, WindowPrint::Result::Printed);
            QVERIFY(fixture.messages->calls.isEmpty());
            QVERIFY2(jobs.contains(QStringLiteral("office-")), qPrintable(jobs));
            return;
        }
        QCOMPARE(result, WindowPrint::Result::Failed);
        QCOMPARE(fixture.messages->calls.size(), 1);
        QCOMPARE(fixture.messages->calls.at(0).kind, QStringLiteral("warning"));
        QVERIFY2(fixture.messages->calls.at(0).text.contains(reason),
                 qPrintable(fixture.messages->calls.at(0).text));
        QVERIFY2(!jobs.contains(QStringLiteral("office-")), qPrintable(jobs));  // nothing queued
    }

    // A PDF the user chose to replace is replaced whole or not at all, and the user is told.
    void aPdfThatCannotBeWrittenKeepsTheOldFile_data() {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<int>("error");
        QTest::newRow("full disk") << false << ENOSPC;
        QTest::newRow("read-only disk") << true << EROFS;
    }
    void aPdfThatCannotBeWrittenKeepsTheOldFile() {
        QFETCH(bool, readOnly);
        QFETCH(int, error);
        bpd::testing::TestServices fixture;
        fixture.printer->installed = false;
        fixture.messages->answerYes = true;
        bpd::testing::ScratchFilesystem disk(64);
        if (readOnly && !disk.isTmpfs()) QSKIP("mount refused: no read-only disk to be had");
        const QString target = disk.filePath(QStringLiteral("window.pdf"));
        const QByteArray old =
            "%PDF-1.4\n% last week's page\n" + QByteArray(2000, 'o') + "\n%%EOF\n";
        QFile oldFile(target);
        QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
        oldFile.close();
        readOnly ? disk.makeReadOnly() : disk.fill(old.size());
        fixture.printer->pdfPath = target;
        MainWindow main;
        WindowPrint print(main.dress(), *fixture.printer, *fixture.messages, &whitePage);

        const WindowPrint::Result result = print.PrintBtn_Click();
        disk.liftLimit();
        QCOMPARE(result, WindowPrint::Result::Failed);
        QCOMPARE(main.shown(), kNormal);
        QCOMPARE(readAll(target), old);
        QStringList left =
            QDir(disk.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        left.removeAll(QStringLiteral("filler"));
        QCOMPARE(left, QStringList{QStringLiteral("window.pdf")});
        const QString text = fixture.messages->calls.last().text;
        QCOMPARE(fixture.messages->calls.last().kind, QStringLiteral("warning"));
        QVERIFY2(text.contains(target), qPrintable(text));
        if (disk.isTmpfs())
            QVERIFY2(text.contains(QString::fromLocal8Bit(std::strerror(error))), qPrintable(text));
    }

    // The read-back that guards the rename: whole documents pass, damaged ones say why.
    void pdfStructureReadBack_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("problem");  // "" when sound
        QTest::newRow("as written") << "none"
                                    << "";
        QTest::newRow("cut at 8 KiB") << "cut"
                                      << "its end is missing";
        QTest::newRow("a piece lost in the middle") << "gap"
                                                    << "not where the end says";
        QTest::newRow("an object overwritten") << "object"
                                               << "object 2 is not where";
        QTest::newRow("no header") << "header"
                                   << "does not begin as a PDF";
        QTest::newRow("end marker only") << "tail"
                                         << "cross-reference table is not where";
    }
    void pdfStructureReadBack() {
        QFETCH(QString, damage);
        QFETCH(QString, problem);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page.pdf"));
        bpd::platform::PdfFileJob job(path);
        QImage image(848, 374, QImage::Format_RGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
        QVERIFY(job.paint(image, QRectF(0, 0, 12720, 5610)));
        QVERIFY2(job.end(), qPrintable(job.errorString()));
        QByteArray bytes = readAll(path);
        QVERIFY(bytes.size() > 16 * 1024);
        if (damage == u"cut") bytes.truncate(8192);
        if (damage == u"gap") bytes.remove(bytes.size() / 3, 100);
        if (damage == u"object") bytes.replace(bytes.indexOf("\n2 0 obj") + 1, 7, "2 0 xxx");
        if (damage == u"header") bytes.replace(0, 5, "<html");
        if (damage == u"tail") bytes = "%PDF-1.4\nstartxref\n99\n%%EOF\n";
        const QString found = bpd::platform::PdfStructure::problemIn(bytes);
        if (problem.isEmpty())
            QVERIFY2(found.isEmpty(), qPrintable(found));
        else
            QVERIFY2(found.contains(problem), qPrintable(found));
    }

    void theDefaultCaptureCoversTheWholeWindow() {
        MainWindow main;
        QVERIFY(QTest::qWaitForWindowExposed(&main.window));
        const QImage image = WindowPrint::captureWithFrame(&main.window);
        QVERIFY(!image.isNull());
        const QSize logical = (QSizeF(image.size()) / image.devicePixelRatio()).toSize();
        QVERIFY(logical.width() >= main.window.width());
        QVERIFY(logical.height() >= main.window.height());
    }
};

QTEST_MAIN(TestWindowPrint)
#include "tst_windowprint.moc"
