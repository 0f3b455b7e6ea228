// The Help menu's document commands (full path rule, open in the program folder, the Open With
// fallback with the current directory saved and restored) and the Open With dialog. The desktop
// shell itself is tested in tst_xdgdesktopshell.

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "HelpDocuments.h"
#include "OpenWithDialog.h"
#include "TestServices.h"
#include "XdgDesktopShell.h"

using namespace bpd::dialogs;
using bpd::platform::DesktopApplication;
using bpd::platform::ShellResult;
using bpd::platform::XdgDesktopShell;
using bpd::testing::TestServices;

namespace {

void writeFile(const QString& path, const QByteArray& text, bool executable = false) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    if (executable)
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

// An Open With choice as the shell lists it: a desktop entry of the type.
DesktopApplication entry(const QString& id, const QString& name) {
    DesktopApplication application;
    application.id = id;
    application.name = name;
    application.filePath = QStringLiteral("/usr/share/applications/") + id;
    return application;
}

}  // namespace

class TestHelpDocuments : public QObject {
    Q_OBJECT

private slots:
    // The real shell reads the desktop from the environment once: here a desktop with the
    // system's MIME types and no programs at all.
    void initTestCase() {
        QVERIFY(QDir().mkpath(desktop.filePath(QStringLiteral("system"))));
        QVERIFY(QFile::link(QStringLiteral("/usr/share/mime"),
                            desktop.filePath(QStringLiteral("system/mime"))));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(desktop.filePath(QStringLiteral("system"))));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(desktop.filePath(QStringLiteral("xdg"))));
    }

    void fullPathRule_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("normal folder") << QStringLiteral("/opt/tools/bpd")
                                       << QStringLiteral("/opt/tools/bpd/Help/Pelgro_BPD.chm");
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/Help/Pelgro_BPD.chm");
        QTest::newRow("drive root")
            << QStringLiteral("D:/") << QStringLiteral("D:/Help/Pelgro_BPD.chm");
        QTest::newRow("drive root, backslash")
            << QStringLiteral("D:\\") << QStringLiteral("D:\\Help/Pelgro_BPD.chm");
    }
    void fullPathRule() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        QCOMPARE(HelpDocuments::fullPath(folder, QStringLiteral("Help/Pelgro_BPD.chm")), expected);
    }

    void commandsOpenTheirDocumentInTheProgramFolder_data() {
        QTest::addColumn<bool>("guide");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("document");
        QTest::newRow("help, normal folder")
            << false << QStringLiteral("/opt/tools/bpd")
            << QStringLiteral("/opt/tools/bpd/Help/Pelgro_BPD.chm");
        QTest::newRow("help, root")
            << false << QStringLiteral("/") << QStringLiteral("/Help/Pelgro_BPD.chm");
        QTest::newRow("guide") << true << QStringLiteral("/opt/tools/bpd")
                               << QStringLiteral("/opt/tools/bpd/Help/DG3-RavelonDesignGuide.pdf");
    }
    void commandsOpenTheirDocumentInTheProgramFolder() {
        QFETCH(bool, guide);
        QFETCH(QString, folder);
        QFETCH(QString, document);
        TestServices fakes;
        int offered = 0;
        HelpDocuments help(nullptr, *fakes.shell, *fakes.messages, folder,
                           [&](const QString&, const QString&, QWidget*) { ++offered; });
        guide ? help.Pelgro_Ravelon_Design_Guide_Click() : help.Help_Topics_Click();
        QCOMPARE(fakes.shell->opens.size(), qsizetype(1));
        QCOMPARE(fakes.shell->opens[0].target, document);
        QCOMPARE(fakes.shell->opens[0].workingDirectory, folder);
        QVERIFY(fakes.shell->opens[0].mode == bpd::platform::ShowMode::Maximized);
        QCOMPARE(offered, 0);
        QVERIFY(fakes.shell->directoryChanges.isEmpty());
        QVERIFY(fakes.messages->calls.empty());
    }

    void fallbackWhenNothingIsAssociated_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("guide");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("hint");
        QTest::newRow("guide, no association")
            << int(ShellResult::NoAssociation) << true
            << QStringLiteral("DG3-RavelonDesignGuide.pdf")
            << QStringLiteral("Install evince to read the design guide");
        QTest::newRow("help, incomplete association")
            << int(ShellResult::IncompleteAssociation) << false << QStringLiteral("Pelgro_BPD.chm")
            << QStringLiteral("Install xchm to read the help file");
    }
    void fallbackWhenNothingIsAssociated() {
        QFETCH(int, result);
        QFETCH(bool, guide);
        QFETCH(QString, name);
        QFETCH(QString, hint);
        TestServices fakes;
        fakes.shell->openResult = static_cast<ShellResult>(result);
        const QString before = fakes.shell->current;
        QStringList offered;
        QString directoryWhileOffered, offeredHint;
        HelpDocuments help(nullptr, *fakes.shell, *fakes.messages, QStringLiteral("/opt/tools/bpd"),
                           [&](const QString& document, const QString& installHint, QWidget*) {
                               offered << document;
                               offeredHint = installHint;
                               directoryWhileOffered = fakes.shell->current;
                           });
        guide ? help.Pelgro_Ravelon_Design_Guide_Click() : help.Help_Topics_Click();
        QCOMPARE(offered, QStringList{QStringLiteral("/opt/tools/bpd/Help/") + name});
        QCOMPARE(offeredHint, hint);
        QCOMPARE(directoryWhileOffered, QStringLiteral("/opt/tools/bpd/Help"));
        QCOMPARE(fakes.shell->current, before);  // restored
        QCOMPARE(fakes.shell->directoryChanges,
                 (QStringList{QStringLiteral("/opt/tools/bpd/Help"), before}));
        QVERIFY(fakes.messages->calls.empty());
    }

    // A missing document passes silently; a viewer that cannot be started is reported.
    void otherFailures_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("reported");
        QTest::newRow("document missing") << int(ShellResult::NotFound) << false;
        QTest::newRow("launcher failed") << int(ShellResult::Failed) << true;
    }
    void otherFailures() {
        QFETCH(int, result);
        QFETCH(bool, reported);
        TestServices fakes;
        fakes.shell->openResult = static_cast<ShellResult>(result);
        int offered = 0;
        HelpDocuments help(nullptr, *fakes.shell, *fakes.messages, QStringLiteral("/opt/tools/bpd"),
                           [&](const QString&, const QString&, QWidget*) { ++offered; });
        help.Help_Topics_Click();
        help.Pelgro_Ravelon_Design_Guide_Click();
        QCOMPARE(offered, 0);
        QVERIFY(fakes.shell->directoryChanges.isEmpty());
        QVERIFY(fakes.shell->starts.empty());
        const QStringList expected{
            QStringLiteral("The program that opens\n/opt/tools/bpd/Help/Pelgro_BPD.chm\n"
                           "could not be started."),
            QStringLiteral("The program that opens\n/opt/tools/bpd/Help/"
                           "DG3-RavelonDesignGuide.pdf\ncould not be started.")};
        QCOMPARE(fakes.messages->texts(), reported ? expected : QStringList());
    }

    void realCurrentDirectoryIsRestored() {
        // The real shell's current directory around the fallback, with a real Help folder.
        QTemporaryDir program;
        QDir(program.path()).mkpath(QStringLiteral("Help"));
        writeFile(program.path() + QStringLiteral("/Help/DG3-RavelonDesignGuide.pdf"),
                  "%PDF-1.4\n");
        XdgDesktopShell shell;  // nothing opens PDF
        bpd::testing::FakeMessages messages;
        const QString before = QDir::currentPath();
        QString during, offered;
        HelpDocuments help(nullptr, shell, messages, program.path(),
                           [&](const QString& document, const QString&, QWidget*) {
                               during = QDir::currentPath();
                               offered = document;
                           });
        help.Pelgro_Ravelon_Design_Guide_Click();
        QCOMPARE(QFileInfo(during).canonicalFilePath(),
                 QFileInfo(program.path() + QStringLiteral("/Help")).canonicalFilePath());
        QVERIFY(QFileInfo(offered).isFile());
        QCOMPARE(QDir::currentPath(), before);
    }

    // --- the Open With dialog

    void openWithListsTheDeclaringProgramsAndStartsTheChoice() {
        TestServices fakes;
        fakes.shell->applications[QStringLiteral("application/pdf")] = {
            entry(QStringLiteral("reader.desktop"), QStringLiteral("Reader"))};
        fakes.shell->applications[QStringLiteral("text/plain")] = {
            entry(QStringLiteral("editor.desktop"), QStringLiteral("Editor"))};
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/DG3-RavelonDesignGuide.pdf"),
                              *fakes.shell, *fakes.messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open With"));
        QCOMPARE(dialog.mimeType(), QStringLiteral("application/pdf"));
        QCOMPARE(dialog.choices().size(), 1);
        QCOMPARE(dialog.choices().first().name, QStringLiteral("Reader"));
        dialog.accept();
        QCOMPARE(fakes.shell->starts.size(), qsizetype(1));
        QCOMPARE(fakes.shell->starts[0].program,
                 QStringLiteral("/usr/share/applications/reader.desktop"));
        QCOMPARE(fakes.shell->starts[0].arguments,
                 QStringList{"/opt/bpd/Help/DG3-RavelonDesignGuide.pdf"});
        QCOMPARE(fakes.shell->starts[0].workingDirectory, QStringLiteral("/opt/bpd/Help"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void openWithBrowsedProgram() {
        TestServices fakes;  // nothing declares CHM
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/Pelgro_BPD.chm"), *fakes.shell,
                              *fakes.messages);
        QVERIFY(dialog.choices().isEmpty());
        auto* ok = dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        QVERIFY(!ok->isEnabled());
        dialog.addProgram(QStringLiteral("/usr/local/bin/my \"chm\" viewer"));
        QVERIFY(ok->isEnabled());
        dialog.accept();
        QCOMPARE(fakes.shell->starts.size(), qsizetype(1));
        QCOMPARE(fakes.shell->starts[0].program,
                 QStringLiteral("/usr/local/bin/my \"chm\" viewer"));
        QCOMPARE(fakes.shell->starts[0].arguments, QStringList{"/opt/bpd/Help/Pelgro_BPD.chm"});
    }

    // Enter presses OK, once: after Browse... has added a program (Browse... then had the
    // focus), and in the list of declaring programs. The note with the install hint stands
    // beside Browse... only while nothing is on offer.
    void enterPressesOkOnce_data() {
        QTest::addColumn<bool>("declared");
        QTest::newRow("after Browse...") << false;
        QTest::newRow("in the list") << true;
    }
    void enterPressesOkOnce() {
        QFETCH(bool, declared);
        TestServices fakes;
        fakes.shell->startSucceeds = false;  // the dialog stays, so a second press would show
        if (declared)
            fakes.shell->applications[QStringLiteral("application/vnd.ms-htmlhelp")] = {
                entry(QStringLiteral("chm.desktop"), QStringLiteral("CHM Viewer"))};
        // The program to browse for.
        const QString viewer = fakes.path(QStringLiteral("bin/chm-viewer"));
        writeFile(viewer, "#!/bin/sh\n", true);
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/Pelgro_BPD.chm"), *fakes.shell,
                              *fakes.messages);
        dialog.setInstallHint(QStringLiteral("Install xchm to read the help file"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* note = dialog.findChild<QLabel*>(QStringLiteral("noApplicationsLabel"));
        auto* browse = dialog.findChild<QPushButton*>(QStringLiteral("browseButton"));
        QCOMPARE(note->isVisible(), !declared);
        int fileDialogs = 0;
        QPointer<QFileDialog> answering;
        // Answers each file dialog: the recorder the first time, Cancel after. The path is
        // typed into the file name field as a user would (selectFile() leaves the field as it
        // is once it has the focus); a dialog that does not take it at once is given it again.
        QTimer chooser;
        connect(&chooser, &QTimer::timeout, [&] {
            auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!files) return;
            if (files != answering) {
                answering = files;
                ++fileDialogs;
            }
            if (fileDialogs == 1) {
                if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                    name->setText(viewer);
                else
                    files->selectFile(viewer);
                static_cast<QDialog*>(files)->accept();
            } else {
                files->reject();
            }
        });
        chooser.start(20);
        if (!declared) {
            QVERIFY(note->text().contains(
                QStringLiteral("Install xchm to read the help file, or use Browse...")));
            QCOMPARE(note->parentWidget(), browse->parentWidget());
            QTest::mouseClick(browse, Qt::LeftButton);
            QCOMPARE(fileDialogs, 1);
            QCOMPARE(dialog.choices().size(), qsizetype(1));
            QVERIFY(!note->isVisible());
        }
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Return);
        QCOMPARE(fileDialogs, declared ? 0 : 1);
        QCOMPARE(fakes.messages->calls.size(), qsizetype(1));  // one start tried, once
        QVERIFY(fakes.messages->calls[0].text.contains(dialog.choices().last().name));
    }

    void openWithStartFailureIsReportedAndTheDialogStays() {
        TestServices fakes;
        fakes.shell->startSucceeds = false;
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/Pelgro_BPD.chm"), *fakes.shell,
                              *fakes.messages);
        dialog.show();
        dialog.addProgram(QStringLiteral("/nowhere/viewer"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(fakes.messages->calls.size(), qsizetype(1));
        QVERIFY(fakes.messages->calls[0].text.contains(QStringLiteral("viewer")));
    }

private:
    QTemporaryDir desktop;
};

QTEST_MAIN(TestHelpDocuments)
#include "tst_helpdocuments.moc"
