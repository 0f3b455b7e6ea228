// The Help menu's document commands (full path rule, open in the program folder, the Open With
// fallback with the current directory saved and restored) and the desktop shell behind them
// (association from mimeapps.list and desktop entries, detached start, Open With dialog).

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

#include "DesktopApplications.h"
#include "HelpDocuments.h"
#include "OpenWithDialog.h"
#include "TestServices.h"
#include "XdgDesktopShell.h"

using namespace bpd::dialogs;
using bpd::platform::DesktopApplication;
using bpd::platform::DesktopApplications;
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

// A desktop with its own data and configuration folders and a recording viewer program.
struct FakeDesktop {
    QTemporaryDir root;
    QString data() const { return root.path() + QStringLiteral("/data"); }
    QString config() const { return root.path() + QStringLiteral("/config"); }
    QString recorder() const { return root.path() + QStringLiteral("/bin/record-open"); }
    QString record() const { return root.path() + QStringLiteral("/opened.txt"); }

    FakeDesktop() {
        // Writes its working directory and arguments, one a line, then ends.
        writeFile(
            recorder(),
            QStringLiteral("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '%1.tmp'\n"
                           "mv '%1.tmp' '%1'\n")
                .arg(record())
                .toUtf8(),
            true);
        QDir().mkpath(data() + QStringLiteral("/applications"));
        QDir().mkpath(config());
    }
    void addEntry(const QString& id, const QString& name, const QString& mimeTypes,
                  const QString& exec = {}, const QString& extraLines = {}) {
        writeFile(
            data() + QStringLiteral("/applications/") + id,
            QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nMimeType=%3\n%4")
                .arg(name, exec.isEmpty() ? recorder() + QStringLiteral(" --view %f") : exec,
                     mimeTypes, extraLines)
                .toUtf8());
    }
    void setDefault(const QString& mimeType, const QString& id) {
        writeFile(config() + QStringLiteral("/mimeapps.list"),
                  QStringLiteral("[Default Applications]\n%1=%2;\n").arg(mimeType, id).toUtf8());
    }
    XdgDesktopShell shell() const { return XdgDesktopShell({data()}, {config()}); }
    QStringList recorded() const {
        QFile file(record());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
};

}  // namespace

class TestHelpDocuments : public QObject {
    Q_OBJECT

private slots:
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
        FakeDesktop desktop;  // declares nothing for PDF
        XdgDesktopShell shell = desktop.shell();
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

    // --- the desktop shell

    void desktopEntriesAreParsed() {
        FakeDesktop desktop;
        writeFile(desktop.data() + QStringLiteral("/applications/kde/viewer.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Help Viewer\n"
                  "Exec=\"/usr/bin/my viewer\" --title \"A \\\\\"quoted\\\\\" name\" %U\n"
                  "MimeType=application/vnd.ms-htmlhelp;application/x-chm;\n"
                  "[Desktop Action New]\nName=Other\nExec=ignored\n");
        writeFile(desktop.data() + QStringLiteral("/applications/gone.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Gone\nExec=x\nHidden=true\n"
                  "MimeType=application/pdf;\n");
        writeFile(desktop.data() + QStringLiteral("/applications/link.desktop"),
                  "[Desktop Entry]\nType=Link\nName=Site\nURL=http://example.com\n");
        const DesktopApplications apps({desktop.data()});
        QCOMPARE(apps.all().size(), 1);
        const DesktopApplication& app = apps.all().first();
        QCOMPARE(app.id, QStringLiteral("kde-viewer.desktop"));
        QCOMPARE(app.name, QStringLiteral("Help Viewer"));
        QCOMPARE(app.mimeTypes, (QStringList{"application/vnd.ms-htmlhelp", "application/x-chm"}));
        const auto command = DesktopApplications::commandFor(app, QStringLiteral("/tmp/a b.chm"));
        QVERIFY(command);
        QCOMPARE(command->program, QStringLiteral("/usr/bin/my viewer"));
        QCOMPARE(command->arguments, (QStringList{"--title", "A \"quoted\" name", "/tmp/a b.chm"}));
        QVERIFY(apps.forMimeType(QStringLiteral("application/pdf")).isEmpty());
    }

    void execWithoutFieldCodeGetsTheFileAppended() {
        DesktopApplication app;
        app.exec = QStringLiteral("viewer --single");
        const auto command = DesktopApplications::commandFor(app, QStringLiteral("/d/x.pdf"));
        QCOMPARE(command->arguments, (QStringList{"--single", "/d/x.pdf"}));
        app.exec = QStringLiteral("browser %u");
        QCOMPARE(DesktopApplications::commandFor(app, QStringLiteral("http://www.pelgro.com"))
                     ->arguments,
                 QStringList{"http://www.pelgro.com"});
    }

    // A quoted argument with a field code is a command line for a shell: the name goes in
    // shell-quoted, so nothing in it runs.
    void fieldCodesInQuotedArgumentsAreShellQuoted_data() {
        QTest::addColumn<QString>("exec");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("command in a folder name")
            << "sh -c \"view --page 1 %f\""
            << "/tmp/$(touch pwned)/a.pdf"
            << QStringList{"-c", "view --page 1 '/tmp/$(touch pwned)/a.pdf'"};
        QTest::newRow("quotes in the name")
            << "sh -c \"view %f\""
            << "/tmp/it's \"here\".pdf" << QStringList{"-c", "view '/tmp/it'\\''s \"here\".pdf'"};
        QTest::newRow("web address")
            << "sh -c \"open %u\""
            << "http://a.example/?q=$(id)" << QStringList{"-c", "open 'http://a.example/?q=$(id)'"};
        QTest::newRow("unquoted: the name as it is")
            << "viewer --file=%f"
            << "/tmp/$(x) y.pdf" << QStringList{"--file=/tmp/$(x) y.pdf"};
    }
    void fieldCodesInQuotedArgumentsAreShellQuoted() {
        QFETCH(QString, exec);
        QFETCH(QString, target);
        QFETCH(QStringList, arguments);
        DesktopApplication app;
        app.exec = exec;
        const auto command = DesktopApplications::commandFor(app, target);
        QVERIFY(command);
        QCOMPARE(command->arguments, arguments);
    }

    void aFolderNameNeverRunsACommand() {
        FakeDesktop desktop;
        desktop.addEntry(QStringLiteral("reader.desktop"), QStringLiteral("Reader"),
                         QStringLiteral("application/pdf;"),
                         QStringLiteral("sh -c \"%1 --view %f\"").arg(desktop.recorder()));
        const QString document =
            desktop.root.path() + QStringLiteral("/$(touch injected)/guide.pdf");
        writeFile(document, "%PDF-1.4\n");
        XdgDesktopShell shell = desktop.shell();
        QCOMPARE(int(shell.open(document, desktop.root.path(), bpd::platform::ShowMode::Normal)),
                 int(ShellResult::Opened));
        QTRY_COMPARE(desktop.recorded().mid(1), (QStringList{QStringLiteral("--view"), document}));
        QVERIFY(!QFile::exists(desktop.root.path() + QStringLiteral("/injected")));
    }

    // Text-mode programs run in the desktop's terminal; without one the next entry is chosen.
    void terminalEntries_data() {
        QTest::addColumn<bool>("haveTerminal");
        QTest::addColumn<bool>("otherViewer");
        QTest::addColumn<QString>("chosen");       // "" when nothing can open the type
        QTest::addColumn<QStringList>("started");  // the arguments after the working directory
        QTest::newRow("no terminal: the next entry")
            << false << true << "viewer.desktop" << QStringList{"--view", "DOC"};
        QTest::newRow("a terminal: run in it")
            << true << true << "vim.desktop" << QStringList{"-e", "RECORDER", "--view", "DOC"};
        QTest::newRow("no terminal, no other entry") << false << false << "" << QStringList();
    }
    void terminalEntries() {
        QFETCH(bool, haveTerminal);
        QFETCH(bool, otherViewer);
        QFETCH(QString, chosen);
        QFETCH(QStringList, started);
        FakeDesktop desktop;
        desktop.addEntry(QStringLiteral("vim.desktop"), QStringLiteral("Vim"),
                         QStringLiteral("text/plain;"), {}, QStringLiteral("Terminal=true\n"));
        if (otherViewer)
            desktop.addEntry(QStringLiteral("viewer.desktop"), QStringLiteral("Viewer"),
                             QStringLiteral("text/plain;"));
        desktop.setDefault(QStringLiteral("text/plain"), QStringLiteral("vim.desktop"));
        const QString document = desktop.root.path() + QStringLiteral("/report.txt");
        writeFile(document, "PROJECT DATA:\r\n");
        // The recorder stands in for the terminal too: it records the command it was given.
        XdgDesktopShell shell({desktop.data()}, {desktop.config()}, {},
                              haveTerminal ? desktop.recorder() : QString());
        const auto association = shell.associationFor(QStringLiteral("text/plain"));
        QCOMPARE(association.application.id, chosen);
        const ShellResult result =
            shell.open(document, desktop.root.path(), bpd::platform::ShowMode::Normal);
        if (chosen.isEmpty()) {
            QCOMPARE(int(result), int(ShellResult::IncompleteAssociation));
            return;
        }
        QCOMPARE(int(result), int(ShellResult::Opened));
        started.replaceInStrings(QStringLiteral("RECORDER"), desktop.recorder());
        started.replaceInStrings(QStringLiteral("DOC"), document);
        QTRY_COMPARE(desktop.recorded().mid(1), started);
    }

    void associationDecidesBeforeOpening_data() {
        QTest::addColumn<QString>("entries");  // "id=mime" separated by blanks
        QTest::addColumn<QString>("defaultId");
        QTest::addColumn<int>("result");
        QTest::newRow("nothing declares PDF") << QStringLiteral("editor.desktop=text/plain")
                                              << QString() << int(ShellResult::NoAssociation);
        QTest::newRow("an entry declares PDF") << QStringLiteral("reader.desktop=application/pdf")
                                               << QString() << int(ShellResult::Opened);
        QTest::newRow("default names an entry")
            << QStringLiteral("reader.desktop=application/pdf other.desktop=application/pdf")
            << QStringLiteral("other.desktop") << int(ShellResult::Opened);
        QTest::newRow("default names a missing entry")
            << QString() << QStringLiteral("gone.desktop")
            << int(ShellResult::IncompleteAssociation);
    }
    void associationDecidesBeforeOpening() {
        QFETCH(QString, entries);
        QFETCH(QString, defaultId);
        QFETCH(int, result);
        FakeDesktop desktop;
        for (const QString& entry : entries.split(u' ', Qt::SkipEmptyParts)) {
            const QStringList parts = entry.split(u'=');
            desktop.addEntry(parts[0], parts[0], parts[1] + u';');
        }
        if (!defaultId.isEmpty()) desktop.setDefault(QStringLiteral("application/pdf"), defaultId);
        const QString document = desktop.root.path() + QStringLiteral("/guide.pdf");
        writeFile(document, "%PDF-1.4\n");
        XdgDesktopShell shell = desktop.shell();
        const auto association = shell.associationFor(QStringLiteral("application/pdf"));
        QCOMPARE(int(association.result), result);
        if (!defaultId.isEmpty() && result == int(ShellResult::Opened))
            QCOMPARE(association.application.id, defaultId);
        QCOMPARE(int(shell.open(document, desktop.root.path(), bpd::platform::ShowMode::Maximized)),
                 result);
        if (result == int(ShellResult::Opened)) {
            // Started detached: the recorder writes its directory and arguments.
            QTRY_COMPARE(desktop.recorded(),
                         (QStringList{QFileInfo(desktop.root.path()).canonicalFilePath(),
                                      QStringLiteral("--view"), document}));
        } else {
            QTest::qWait(100);
            QVERIFY(desktop.recorded().isEmpty());
        }
    }

    void aliasesAndParentTypesCount() {
        FakeDesktop desktop;
        desktop.addEntry(QStringLiteral("chm.desktop"), QStringLiteral("CHM Viewer"),
                         QStringLiteral("application/x-chm;"));
        desktop.addEntry(QStringLiteral("editor.desktop"), QStringLiteral("Editor"),
                         QStringLiteral("text/plain;"));
        XdgDesktopShell shell = desktop.shell();
        const auto chm = shell.associationFor(QStringLiteral("application/vnd.ms-htmlhelp"));
        QCOMPARE(int(chm.result), int(ShellResult::Opened));
        QCOMPARE(chm.application.id, QStringLiteral("chm.desktop"));
        const auto source = shell.associationFor(QStringLiteral("text/x-csrc"));
        QCOMPARE(source.application.id, QStringLiteral("editor.desktop"));
        // Nothing falls back to the catch-all type.
        desktop.addEntry(QStringLiteral("hex.desktop"), QStringLiteral("Hex"),
                         QStringLiteral("application/octet-stream;"));
        QCOMPARE(int(shell.associationFor(QStringLiteral("application/pdf")).result),
                 int(ShellResult::NoAssociation));
        // The Open With dialog lists the alias-declaring viewer for the help file.
        bpd::testing::FakeMessages messages;
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/Pelgro_BPD.chm"), shell, messages);
        QCOMPARE(dialog.choices().size(), 1);
        QCOMPARE(dialog.choices().first().name, QStringLiteral("CHM Viewer"));
    }

    // An alias-only entry sorts first by name, yet the entry of the type itself wins.
    void theTypeItselfWinsOverAnAlias() {
        FakeDesktop desktop;
        desktop.addEntry(QStringLiteral("display-im6.q16.desktop"), QStringLiteral("ImageMagick"),
                         QStringLiteral("image/pdf;image/png;"));
        desktop.addEntry(QStringLiteral("org.gnome.Evince.desktop"), QStringLiteral("Evince"),
                         QStringLiteral("application/pdf;"));
        const auto pdf = desktop.shell().associationFor(QStringLiteral("application/pdf"));
        QCOMPARE(pdf.application.id, QStringLiteral("org.gnome.Evince.desktop"));
        const QStringList order = [&] {
            QStringList ids;
            for (const auto& app : DesktopApplications({desktop.data()})
                                       .forMimeType(QStringLiteral("application/pdf")))
                ids << app.id;
            return ids;
        }();
        QCOMPARE(order, (QStringList{QStringLiteral("org.gnome.Evince.desktop"),
                                     QStringLiteral("display-im6.q16.desktop")}));
    }

    void missingDocumentIsNotFound() {
        FakeDesktop desktop;
        desktop.addEntry(QStringLiteral("reader.desktop"), QStringLiteral("Reader"),
                         QStringLiteral("application/pdf;"));
        XdgDesktopShell shell = desktop.shell();
        QCOMPARE(int(shell.open(desktop.root.path() + QStringLiteral("/none.pdf"), {},
                                bpd::platform::ShowMode::Normal)),
                 int(ShellResult::NotFound));
    }

    void webAddressesUseTheSchemeHandler() {
        FakeDesktop desktop;
        XdgDesktopShell shell = desktop.shell();
        QCOMPARE(shell.mimeTypeOf(QStringLiteral("http://www.pelgro.com")),
                 QStringLiteral("x-scheme-handler/http"));
        QCOMPARE(shell.mimeTypeOf(QStringLiteral("/x/Pelgro_BPD.chm")),
                 QStringLiteral("application/vnd.ms-htmlhelp"));
        QCOMPARE(int(shell.open(QStringLiteral("http://www.pelgro.com"), {},
                                bpd::platform::ShowMode::Maximized)),
                 int(ShellResult::NoAssociation));
        desktop.addEntry(QStringLiteral("browser.desktop"), QStringLiteral("Browser"),
                         QStringLiteral("x-scheme-handler/http;"),
                         desktop.recorder() + QStringLiteral(" %u"));
        QCOMPARE(int(shell.open(QStringLiteral("http://www.pelgro.com"), {},
                                bpd::platform::ShowMode::Maximized)),
                 int(ShellResult::Opened));
        QTRY_COMPARE(desktop.recorded().value(1), QStringLiteral("http://www.pelgro.com"));
    }

    void startProgramAndFileTest() {
        FakeDesktop desktop;
        XdgDesktopShell shell = desktop.shell();
        QVERIFY(!shell.startProgram(desktop.root.path() + QStringLiteral("/no-such-program"), {},
                                    {}, bpd::platform::ShowMode::Normal));
        QVERIFY(shell.fileExists(desktop.recorder()));
        QVERIFY(!shell.fileExists(desktop.root.path()));  // a folder is not a file
        QVERIFY(!shell.fileExists(desktop.root.path() + QStringLiteral("/missing")));
    }

    // --- the Open With dialog

    void openWithListsTheDeclaringProgramsAndStartsTheChoice() {
        TestServices fakes;
        FakeDesktop desktop;
        desktop.addEntry(QStringLiteral("reader.desktop"), QStringLiteral("Reader"),
                         QStringLiteral("application/pdf;"));
        desktop.addEntry(QStringLiteral("editor.desktop"), QStringLiteral("Editor"),
                         QStringLiteral("text/plain;"));
        fakes.shell->applicationFolders = {desktop.data()};
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/DG3-RavelonDesignGuide.pdf"),
                              *fakes.shell, *fakes.messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Open With"));
        QCOMPARE(dialog.mimeType(), QStringLiteral("application/pdf"));
        QCOMPARE(dialog.choices().size(), 1);
        QCOMPARE(dialog.choices().first().name, QStringLiteral("Reader"));
        dialog.accept();
        QCOMPARE(fakes.shell->starts.size(), qsizetype(1));
        QCOMPARE(fakes.shell->starts[0].program, desktop.recorder());
        QCOMPARE(fakes.shell->starts[0].arguments,
                 (QStringList{"--view", "/opt/bpd/Help/DG3-RavelonDesignGuide.pdf"}));
        QCOMPARE(fakes.shell->starts[0].workingDirectory, QStringLiteral("/opt/bpd/Help"));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }

    void openWithBrowsedProgram() {
        TestServices fakes;
        FakeDesktop desktop;  // nothing declares CHM
        fakes.shell->applicationFolders = {desktop.data()};
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
        FakeDesktop desktop;
        if (declared)
            desktop.addEntry(QStringLiteral("chm.desktop"), QStringLiteral("CHM Viewer"),
                             QStringLiteral("application/x-chm;"));
        fakes.shell->applicationFolders = {desktop.data()};
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
                    name->setText(desktop.recorder());
                else
                    files->selectFile(desktop.recorder());
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
        FakeDesktop desktop;
        fakes.shell->applicationFolders = {desktop.data()};
        OpenWithDialog dialog(QStringLiteral("/opt/bpd/Help/Pelgro_BPD.chm"), *fakes.shell,
                              *fakes.messages);
        dialog.show();
        dialog.addProgram(QStringLiteral("/nowhere/viewer"));
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(fakes.messages->calls.size(), qsizetype(1));
        QVERIFY(fakes.messages->calls[0].text.contains(QStringLiteral("viewer")));
    }
};

QTEST_MAIN(TestHelpDocuments)
#include "tst_helpdocuments.moc"
