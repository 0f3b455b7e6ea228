// Design > Calculation Sheet over a loaded main window: the name offered, the sheet written
// from the fields as they stand and opened in the PDF viewer, a cancelled dialog, a viewer
// that does not start, and real write faults that keep the old file.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "CalculationSheetCommand.h"
#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "ScratchFilesystem.h"
#include "UserFolders.h"
#include "tst_form1_support.h"

using bpd::mainwindow::CalculationSheetCommand;
using bpdtest::LoadedForm;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void storeProjectName(LoadedForm& f, const QString& name) {
    QVariant value(name);
    QVERIFY(bpd::reports::WriteRegistryValue(*f.fixture.store, bpd::reports::HKEY_CURRENT_USER,
                                             bpd::reports::kProjectDataKey, bpd::reports::REG_SZ,
                                             bpd::reports::kProjectNameValue, value));
}

// The PDF's text as a reader extracts it (poppler-utils).
QString pdfText(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(20000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace

class TestSheetCommand : public QObject {
    Q_OBJECT

private slots:
    void theNameOfferedComesFromTheProjectName_data() {
        QTest::addColumn<QString>("project");
        QTest::addColumn<QString>("file");
        QTest::newRow("named") << "Bridge 7"
                               << "Bridge 7 Calculation Sheet.pdf";
        QTest::newRow("none") << ""
                              << "Calculation Sheet.pdf";
        QTest::newRow("blanks only") << "   "
                                     << "Calculation Sheet.pdf";
        QTest::newRow("slashes") << "A/B\\C"
                                 << "A-B-C Calculation Sheet.pdf";
    }
    void theNameOfferedComesFromTheProjectName() {
        QFETCH(QString, project);
        QFETCH(QString, file);
        LoadedForm f;
        storeProjectName(f, project);
        f.ui().Calculation_Sheet->trigger();  // the fake answers nothing: cancelled
        QCOMPARE(f.fixture.files->questions.size(), qsizetype(1));
        QCOMPARE(f.fixture.files->questions[0].suggestedPath,
                 QDir(bpd::platform::UserFolders::documents()).filePath(file));
        QCOMPARE(f.fixture.files->questions[0].filter, QStringLiteral("PDF files (*.pdf)"));
    }

    // The sheet shows the bearing as the window shows it, in the window's units, with the
    // project data of the store, and opens in the PDF viewer.
    void theSheetIsWrittenAndOpened_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("imperial, 1/4, sliding")
            << false
            << QStringList{"Bridge 7", "w1 = 5.0000 in.", "1/4 in.",
                           "SF = (w1 × b1) / ((w1 + b1) × 2 × t) = (5.00 × 4.00) / ((5.00 + "
                           "4.00) × 2 × 0.25) = 4.44"};
        QTest::newRow("si, 1/4, sliding") << true << QStringList{"Bridge 7", "127", "6.350 mm"};
    }
    void theSheetIsWrittenAndOpened() {
        QFETCH(bool, si);
        QFETCH(QStringList, lines);
        LoadedForm f;
        storeProjectName(f, QStringLiteral("Bridge 7"));
        bpdtest::typeAndTab(f.ui().w1Text, QStringLiteral("5"));
        f.ui().CheckSliding->setChecked(true);
        if (si) f.ui().SI->trigger();
        (si ? f.ui().tCombo_SI : f.ui().tCombo)->setCurrentIndex(2);
        const QString path = f.fixture.path(QStringLiteral("sheet.pdf"));
        f.fixture.files->answer = path;
        f.ui().Calculation_Sheet->trigger();

        QVERIFY(readAll(path).startsWith("%PDF-"));
        QCOMPARE(f.shell->opens.size(), qsizetype(1));
        QCOMPARE(f.shell->opens[0].target, path);
        QVERIFY(f.shell->opens[0].existedWhenOpened);
        QVERIFY2(f.messages->calls.isEmpty(), qPrintable(f.messages->texts().join(u'|')));
        const QString text = pdfText(path);
        for (const QString& line : lines) QVERIFY2(text.contains(line), qPrintable(line));
        // One thickness, as the selector chose.
        QCOMPARE(text.count(QStringLiteral("SF = ")), 1);
    }

    void aCancelledDialogWritesNothing() {
        LoadedForm f;
        f.ui().Calculation_Sheet->trigger();
        QCOMPARE(f.fixture.files->questions.size(), qsizetype(1));
        QVERIFY(f.shell->opens.isEmpty());
        QVERIFY(f.messages->calls.isEmpty());
        QVERIFY(QDir(f.fixture.path(QString())).entryList({QStringLiteral("*.pdf")}).isEmpty());
    }

    // Written but not opened: the user is told why and where the sheet is.
    void aViewerThatDoesNotOpenIsReported_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("reason");
        QTest::newRow("no program") << int(bpd::platform::ShellResult::NoAssociation)
                                    << "No program to open PDF files is set up on this desktop.";
        QTest::newRow("not started") << int(bpd::platform::ShellResult::Failed)
                                     << "The calculation sheet could not be opened.";
    }
    void aViewerThatDoesNotOpenIsReported() {
        QFETCH(int, result);
        QFETCH(QString, reason);
        LoadedForm f;
        f.shell->openResult = bpd::platform::ShellResult(result);
        const QString path = f.fixture.path(QStringLiteral("sheet.pdf"));
        f.fixture.files->answer = path;
        f.ui().Calculation_Sheet->trigger();
        QVERIFY(QFileInfo::exists(path));
        QCOMPARE(f.messages->calls.size(), qsizetype(1));
        QVERIFY(f.messages->calls[0].text.startsWith(reason));
        QVERIFY(f.messages->calls[0].text.endsWith(QDir::toNativeSeparators(path)));
    }

    // A full disk: the old sheet is kept byte for byte and the user is told why.
    void aFullDiskKeepsTheOldSheetAndSaysSo() {
        bpd::testing::ScratchFilesystem disk(256);
        LoadedForm f;
        const QString path = disk.filePath(QStringLiteral("sheet.pdf"));
        f.fixture.files->answer = path;
        f.ui().Calculation_Sheet->trigger();
        const QByteArray old = readAll(path);
        QVERIFY(old.startsWith("%PDF-"));
        disk.fill(old.size());
        bpdtest::typeAndTab(f.ui().VapText, QStringLiteral("8"));
        f.ui().Calculation_Sheet->trigger();
        disk.liftLimit();
        QCOMPARE(readAll(path), old);
        QCOMPARE(f.shell->opens.size(), qsizetype(1));  // the first sheet only
        QCOMPARE(f.messages->calls.size(), qsizetype(1));
        const QString told = f.messages->calls[0].text;
        QVERIFY2(told.startsWith(QStringLiteral("The calculation sheet could not be written to\n") +
                                 QDir::toNativeSeparators(path)),
                 qPrintable(told));
        QVERIFY2(
            told.contains(u"No space left on device"_qs) || told.contains(u"File too large"_qs),
            qPrintable(told + disk.how()));
    }

    // A symlink at the name is replaced by the sheet; the file it pointed to is untouched.
    void aSymlinkAtTheNameIsNotFollowed() {
        LoadedForm f;
        const QString victim = f.fixture.path(QStringLiteral("victim.txt"));
        const QString path = f.fixture.path(QStringLiteral("sheet.pdf"));
        QFile precious(victim);
        QVERIFY(precious.open(QIODevice::WriteOnly) && precious.write("precious") == 8);
        precious.close();
        QVERIFY(QFile::link(victim, path));
        f.fixture.files->answer = path;
        f.ui().Calculation_Sheet->trigger();
        QCOMPARE(readAll(victim), QByteArray("precious"));
        QVERIFY(!QFileInfo(path).isSymLink());
        QVERIFY(readAll(path).startsWith("%PDF-"));
    }

    // A field holding a refused text: nothing is asked or written, the user is told.
    void aRefusedFieldStopsTheSheet() {
        LoadedForm f;
        f.ui().dhText->setText(QStringLiteral("abc"));
        f.fixture.files->answer = f.fixture.path(QStringLiteral("sheet.pdf"));
        f.ui().Calculation_Sheet->trigger();
        QVERIFY(f.fixture.files->questions.isEmpty());
        QVERIFY(!QFileInfo::exists(f.fixture.files->answer));
        QCOMPARE(f.messages->calls.size(), qsizetype(1));
        QVERIFY(f.messages->calls[0].text.contains(u"correct dh first"_qs));
    }
};

QTEST_MAIN(TestSheetCommand)
#include "tst_sheetcommand.moc"
