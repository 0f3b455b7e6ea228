// The program's desktop shell on private desktops: recording stand-in programs in a private XDG
// tree, each call of the shell in a process of its own (desktop_shell_probe), because GIO reads
// the XDG folders and the desktop's name once per process. On each desktop set-up the program
// chosen for a PDF and a text file is the one `gio open` starts there; a folder name runs
// nothing; a text-mode program runs in a terminal or gives way; a program that cannot start
// says so; file types, web addresses and the Open With list.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

// The stand-ins of the system's applications: two for PDF (an image editor that also opens
// PDF, as GIMP does, and a document viewer) and two for text (a browser and a text editor).
// The ids sort the image editor and the browser first, as mimeinfo.cache then lists them.
const QString kImageEditor = QStringLiteral("bpd-image-editor.desktop");
const QString kPdfViewer = QStringLiteral("bpd-pdf-viewer.desktop");
const QString kBrowser = QStringLiteral("bpd-browser.desktop");
const QString kTextEditor = QStringLiteral("bpd-text-editor.desktop");

// A desktop of its own: HOME, the XDG folders and the PATH in a temporary folder. "system" is
// $XDG_DATA_DIRS (with the system's MIME types), "data" $XDG_DATA_HOME, "config"
// $XDG_CONFIG_HOME, "xdg" $XDG_CONFIG_DIRS, "bin" the whole PATH.
struct Desktop {
    QTemporaryDir root;
    QString currentDesktop;  // XDG_CURRENT_DESKTOP, unset when empty

    Desktop() {
        for (const char* folder : {"home", "config", "data/applications", "system/applications",
                                   "xdg", "bin", "work", "runtime"})
            QDir().mkpath(path(QString::fromLatin1(folder)));
        QFile(path(QStringLiteral("runtime")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                            QFileDevice::ExeOwner);
        QFile::link(QStringLiteral("/usr/share/mime"), path(QStringLiteral("system/mime")));
        QFile::link(QStringLiteral("/bin/sh"), path(QStringLiteral("bin/sh")));
        // Records its working directory and arguments, one a line; builtins only, as the PATH
        // holds nothing else.
        write(QStringLiteral("bin/record"),
              QStringLiteral("#!/bin/sh\n{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; "
                             "done; } > '%1.tmp'\n/bin/mv '%1.tmp' '%1'\n")
                  .arg(record()),
              true);
        write(QStringLiteral("guide.pdf"), "%PDF-1.4\n");
        write(QStringLiteral("report.txt"), "PROJECT DATA:\n");
    }
    QString path(const QString& relative) const { return root.filePath(relative); }
    QString recorder() const { return path(QStringLiteral("bin/record")); }
    QString record() const { return path(QStringLiteral("opened.txt")); }
    QString workFolder() const {
        return QFileInfo(path(QStringLiteral("work"))).canonicalFilePath();
    }

    void write(const QString& relative, const QString& text, bool executable = false) const {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile file(path(relative));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text.toUtf8());
        file.close();
        if (executable) QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
    }
    // A recording stand-in in the applications of `folder`: Exec=RECORDER NAME %f.
    void addProgram(const QString& folder, const QString& id, const QString& name,
                    const QString& mimeTypes, const QString& extraLines = {}) const {
        addEntry(folder, id, name, mimeTypes, recorder() + u' ' + name + QStringLiteral(" %f"),
                 extraLines);
    }
    void addEntry(const QString& folder, const QString& id, const QString& name,
                  const QString& mimeTypes, const QString& exec,
                  const QString& extraLines = {}) const {
        write(folder + QStringLiteral("/applications/") + id,
              QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\nMimeType=%3\n%4")
                  .arg(name, exec, mimeTypes, extraLines));
    }
    // The system's four stand-ins and its mimeinfo.cache, as a package installation makes it.
    void addSystemPrograms() const {
        addProgram(QStringLiteral("system"), kImageEditor, QStringLiteral("image-editor"),
                   QStringLiteral("image/png;application/pdf;"));
        addProgram(QStringLiteral("system"), kPdfViewer, QStringLiteral("document-viewer"),
                   QStringLiteral("application/pdf;"));
        addProgram(QStringLiteral("system"), kBrowser, QStringLiteral("browser"),
                   QStringLiteral("text/html;text/plain;"));
        addProgram(QStringLiteral("system"), kTextEditor, QStringLiteral("text-editor"),
                   QStringLiteral("text/plain;"));
        index(QStringLiteral("system"));
    }
    void index(const QString& folder) const {
        QCOMPARE(QProcess::execute(QStringLiteral("update-desktop-database"),
                                   {path(folder + QStringLiteral("/applications"))}),
                 0);
    }
    // The ids mimeinfo.cache of `folder` lists for a type, in its order.
    QStringList cached(const QString& folder, const QString& mimeType) const {
        QFile cache(path(folder + QStringLiteral("/applications/mimeinfo.cache")));
        if (!cache.open(QIODevice::ReadOnly)) return {};
        for (const QString& line : QString::fromUtf8(cache.readAll()).split(u'\n'))
            if (line.startsWith(mimeType + u'='))
                return line.mid(mimeType.size() + 1).split(u';', Qt::SkipEmptyParts);
        return {};
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("HOME"), path(QStringLiteral("home")));
        env.insert(QStringLiteral("PATH"), path(QStringLiteral("bin")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), path(QStringLiteral("xdg")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral("data")));
        env.insert(QStringLiteral("XDG_DATA_DIRS"), path(QStringLiteral("system")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("runtime")));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        if (!currentDesktop.isEmpty())
            env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), currentDesktop);
        return env;
    }
    // Runs a program on this desktop from the work folder; its standard output.
    QString run(const QString& program, const QStringList& arguments) const {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.setWorkingDirectory(workFolder());
        process.start(program, arguments);
        if (!process.waitForFinished(20000)) return QStringLiteral("(did not end)");
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    QString probe(const QStringList& arguments) const {
        return run(QStringLiteral(BPD_DESKTOP_SHELL_PROBE), arguments);
    }
    // What a stand-in recorded (its working directory, then its arguments), once it has;
    // empty when nothing starts within `wait` ms. The record is removed for the next start.
    QStringList takeRecord(int wait = 5000) const {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(record()) && timer.elapsed() < wait) QTest::qWait(20);
        QFile file(record());
        if (!file.open(QIODevice::ReadOnly)) return {};
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        file.remove();
        return lines.mid(0, lines.size() - 1);  // the last line end
    }
};

}  // namespace

class TestXdgDesktopShell : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty(),
                 "gio (libglib2.0-bin) is missing: ./bpd installs it");
        QVERIFY2(
            !QStandardPaths::findExecutable(QStringLiteral("update-desktop-database")).isEmpty(),
            "update-desktop-database (desktop-file-utils) is missing: ./bpd installs it");
    }

    // The program's choice for a PDF and a text file is the one `gio open` starts on the same
    // desktop (what GNOME's file manager and xdg-open on GNOME use).
    void chosenProgramIsTheDesktops_data() {
        QTest::addColumn<QString>("file");  // written in the desktop, relative
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("currentDesktop");
        QTest::addColumn<QString>("pdfProgram");
        QTest::addColumn<QString>("textProgram");
        const QString defaults = QStringLiteral(
            "[Default Applications]\napplication/pdf=%1\n"
            "text/plain=%2\n");
        const QString chosen = defaults.arg(kPdfViewer, kTextEditor);
        QTest::newRow("the user's mimeapps.list")
            << "config/mimeapps.list" << chosen << QString() << "document-viewer"
            << "text-editor";
        QTest::newRow("GNOME's list on GNOME")
            << "system/applications/gnome-mimeapps.list" << chosen << "GNOME"
            << "document-viewer"
            << "text-editor";
        QTest::newRow("GNOME's list on another desktop")
            << "system/applications/gnome-mimeapps.list" << chosen << "KDE"
            << "image-editor"
            << "browser";
        QTest::newRow("KDE's list on KDE") << "xdg/kde-mimeapps.list" << chosen << "KDE"
                                           << "document-viewer"
                                           << "text-editor";
        QTest::newRow("removed associations")
            << "config/mimeapps.list"
            << QStringLiteral("[Removed Associations]\napplication/pdf=%1;\ntext/plain=%2;\n")
                   .arg(kImageEditor, kBrowser)
            << QString() << "document-viewer"
            << "text-editor";
        QTest::newRow("only the system's mimeinfo.cache")
            << QString() << QString() << QString() << "image-editor"
            << "browser";
        QTest::newRow("a default naming no installed program")
            << "config/mimeapps.list" << defaults.arg(u"gone.desktop"_qs, u"gone.desktop"_qs)
            << QString() << "image-editor"
            << "browser";
    }
    void chosenProgramIsTheDesktops() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QString, currentDesktop);
        QFETCH(QString, pdfProgram);
        QFETCH(QString, textProgram);
        Desktop desktop;
        desktop.currentDesktop = currentDesktop;
        desktop.addSystemPrograms();
        // Both programs of a type are in the cache, the one chosen without a default first.
        QCOMPARE(desktop.cached(QStringLiteral("system"), QStringLiteral("application/pdf")),
                 (QStringList{kImageEditor, kPdfViewer}));
        QCOMPARE(desktop.cached(QStringLiteral("system"), QStringLiteral("text/plain")),
                 (QStringList{kBrowser, kTextEditor}));
        if (!file.isEmpty()) desktop.write(file, text);
        const QList<QPair<QString, QString>> documents{{QStringLiteral("guide.pdf"), pdfProgram},
                                                       {QStringLiteral("report.txt"), textProgram}};
        for (const auto& [name, program] : documents) {
            const QString document = desktop.path(name);
            QCOMPARE(desktop.probe({QStringLiteral("open"), document, desktop.workFolder()}),
                     QStringLiteral("Opened"));
            const QStringList ours = desktop.takeRecord();
            QCOMPARE(desktop.run(QStringLiteral("gio"), {QStringLiteral("open"), document}),
                     QString());
            const QStringList gios = desktop.takeRecord();
            QCOMPARE(ours.mid(1), gios.mid(1));
            QCOMPARE(ours.mid(1), (QStringList{program, document}));
            QCOMPARE(ours.value(0), desktop.workFolder());  // started in the given folder
        }
    }

    // A program that declares only an alias of the type (ImageMagick's viewer: image/pdf)
    // comes after the one that declares the type itself, though its id sorts first.
    void theTypeItselfWinsOverAnAlias() {
        Desktop desktop;
        desktop.addProgram(QStringLiteral("system"), QStringLiteral("display-im6.q16.desktop"),
                           QStringLiteral("imagemagick"), QStringLiteral("image/pdf;image/png;"));
        desktop.addProgram(QStringLiteral("system"), QStringLiteral("org.gnome.Evince.desktop"),
                           QStringLiteral("evince"), QStringLiteral("application/pdf;"));
        desktop.index(QStringLiteral("system"));
        const QString document = desktop.path(QStringLiteral("guide.pdf"));
        QCOMPARE(desktop.probe({QStringLiteral("open"), document}), QStringLiteral("Opened"));
        const QStringList ours = desktop.takeRecord();
        QCOMPARE(desktop.run(QStringLiteral("gio"), {QStringLiteral("open"), document}), QString());
        QCOMPARE(ours.mid(1), desktop.takeRecord().mid(1));
        QCOMPARE(ours.mid(1), (QStringList{QStringLiteral("evince"), document}));
        QCOMPARE(desktop.probe({QStringLiteral("apps"), QStringLiteral("application/pdf")})
                     .split(u'\n')
                     .size(),
                 2);  // both are on offer
    }

    // GIO puts the document into a quoted Exec argument shell-quoted: a folder named after a
    // command runs nothing.
    void aFolderNameNeverRunsACommand() {
        Desktop desktop;
        desktop.addEntry(QStringLiteral("data"), QStringLiteral("reader.desktop"),
                         QStringLiteral("Reader"), QStringLiteral("application/pdf;"),
                         QStringLiteral("sh -c \"%1 --view %f\"").arg(desktop.recorder()));
        desktop.write(QStringLiteral("config/mimeapps.list"),
                      QStringLiteral("[Default Applications]\napplication/pdf=reader.desktop\n"));
        const QString document = desktop.path(QStringLiteral("$(touch injected)/guide.pdf"));
        desktop.write(QStringLiteral("$(touch injected)/guide.pdf"), QStringLiteral("%PDF-1.4\n"));
        QCOMPARE(desktop.probe({QStringLiteral("open"), document, desktop.root.path()}),
                 QStringLiteral("Opened"));
        QCOMPARE(desktop.takeRecord().mid(1), (QStringList{QStringLiteral("--view"), document}));
        QVERIFY(!QFile::exists(desktop.path(QStringLiteral("injected"))));
        QVERIFY(!QFile::exists(desktop.path(QStringLiteral("work/injected"))));
    }

    // A text-mode program (Terminal=true) runs in the terminal GIO finds (here a recording
    // xterm); without one the type's next program opens the file, and without any other the
    // association cannot be used.
    void textModePrograms_data() {
        QTest::addColumn<bool>("haveTerminal");
        QTest::addColumn<bool>("otherProgram");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("started");  // RECORDER, DOC stand for the paths
        QTest::newRow("in the terminal")
            << true << true << "Opened" << QStringList{"-e", "RECORDER", "vim", "DOC"};
        QTest::newRow("no terminal: the next program")
            << false << true << "Opened" << QStringList{"viewer", "DOC"};
        QTest::newRow("no terminal, no other program")
            << false << false << "IncompleteAssociation" << QStringList{};
    }
    void textModePrograms() {
        QFETCH(bool, haveTerminal);
        QFETCH(bool, otherProgram);
        QFETCH(QString, result);
        QFETCH(QStringList, started);
        Desktop desktop;
        desktop.addProgram(QStringLiteral("system"), QStringLiteral("vim.desktop"),
                           QStringLiteral("vim"), QStringLiteral("text/plain;"),
                           QStringLiteral("Terminal=true\n"));
        if (otherProgram)
            desktop.addProgram(QStringLiteral("system"), QStringLiteral("viewer.desktop"),
                               QStringLiteral("viewer"), QStringLiteral("text/plain;"));
        desktop.index(QStringLiteral("system"));
        desktop.write(QStringLiteral("config/mimeapps.list"),
                      QStringLiteral("[Default Applications]\ntext/plain=vim.desktop\n"));
        if (haveTerminal)
            QVERIFY(QFile::copy(desktop.recorder(), desktop.path(QStringLiteral("bin/xterm"))));
        const QString document = desktop.path(QStringLiteral("report.txt"));
        QCOMPARE(desktop.probe({QStringLiteral("open"), document}), result);
        started.replaceInStrings(QStringLiteral("RECORDER"), desktop.recorder());
        started.replaceInStrings(QStringLiteral("DOC"), document);
        QCOMPARE(desktop.takeRecord(started.isEmpty() ? 500 : 5000).mid(1), started);
    }

    // startProgram: a plain program with its arguments as they are, a desktop entry (an Open
    // With choice) on its document, from the given folder; false for what cannot start.
    void startingPrograms_data() {
        QTest::addColumn<QString>("program");  // RECORDER, DESKTOP stand for the paths
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("started");  // empty: failed
        const QStringList awkward{"a b", "it's \"here\"", "100%f", "$(touch injected)", ""};
        QTest::newRow("a program on the PATH") << "record" << awkward << awkward;
        QTest::newRow("a program browsed for")
            << "DESKTOP/bin/my \"pdf\" viewer %f" << QStringList{"DESKTOP/guide.pdf"}
            << QStringList{"DESKTOP/guide.pdf"};
        QTest::newRow("a desktop entry on a document")
            << "DESKTOP/system/applications/bpd-pdf-viewer.desktop"
            << QStringList{"DESKTOP/guide.pdf"}
            << QStringList{"document-viewer", "DESKTOP/guide.pdf"};
        QTest::newRow("a missing program") << "/nowhere/viewer" << QStringList{} << QStringList{};
        QTest::newRow("a folder") << "DESKTOP/work" << QStringList{} << QStringList{};
        QTest::newRow("a desktop entry of a missing program")
            << "DESKTOP/system/applications/gone.desktop" << QStringList{"DESKTOP/guide.pdf"}
            << QStringList{};
        QTest::newRow("a text-mode entry without a terminal")
            << "DESKTOP/system/applications/vim.desktop" << QStringList{"DESKTOP/report.txt"}
            << QStringList{};
    }
    void startingPrograms() {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, started);
        Desktop desktop;
        desktop.addSystemPrograms();
        desktop.addEntry(QStringLiteral("system"), QStringLiteral("gone.desktop"),
                         QStringLiteral("Gone"), QStringLiteral("application/pdf;"),
                         QStringLiteral("/nowhere/viewer %f"));
        desktop.addProgram(QStringLiteral("system"), QStringLiteral("vim.desktop"),
                           QStringLiteral("vim"), QStringLiteral("text/plain;"),
                           QStringLiteral("Terminal=true\n"));
        QVERIFY(QFile::copy(desktop.recorder(),
                            desktop.path(QStringLiteral("bin/my \"pdf\" viewer %f"))));
        for (QStringList* list : {&arguments, &started})
            list->replaceInStrings(QStringLiteral("DESKTOP"), desktop.root.path());
        program.replace(QStringLiteral("DESKTOP"), desktop.root.path());
        const QString folder = desktop.path(QStringLiteral("home"));
        QCOMPARE(desktop.probe(QStringList{QStringLiteral("start"), folder, program} + arguments),
                 started.isEmpty() ? QStringLiteral("failed") : QStringLiteral("started"));
        const QStringList record = desktop.takeRecord(started.isEmpty() ? 500 : 5000);
        QCOMPARE(record.mid(1), started);
        if (!started.isEmpty()) QCOMPARE(record.value(0), QFileInfo(folder).canonicalFilePath());
        QVERIFY(!QFile::exists(desktop.path(QStringLiteral("home/injected"))));
    }

    void documentsAndAddresses() {
        Desktop desktop;
        const QString web = QStringLiteral("http://www.pelgro.com");
        QCOMPARE(desktop.probe({QStringLiteral("open"), desktop.path(QStringLiteral("none.pdf"))}),
                 QStringLiteral("NotFound"));
        QCOMPARE(desktop.probe({QStringLiteral("open"), desktop.path(QStringLiteral("guide.pdf"))}),
                 QStringLiteral("NoAssociation"));
        QCOMPARE(desktop.probe({QStringLiteral("open"), web}), QStringLiteral("NoAssociation"));
        desktop.addSystemPrograms();
        desktop.addEntry(QStringLiteral("system"), QStringLiteral("web.desktop"),
                         QStringLiteral("Web"), QStringLiteral("x-scheme-handler/http;"),
                         desktop.recorder() + QStringLiteral(" web %u"));
        desktop.index(QStringLiteral("system"));
        QCOMPARE(desktop.probe({QStringLiteral("open"), web}), QStringLiteral("Opened"));
        QCOMPARE(desktop.takeRecord().mid(1), (QStringList{QStringLiteral("web"), web}));
        const QString url =
            QUrl::fromLocalFile(desktop.path(QStringLiteral("guide.pdf"))).toString();
        QCOMPARE(desktop.probe({QStringLiteral("open"), url}), QStringLiteral("Opened"));
        QCOMPARE(desktop.takeRecord().mid(1),
                 (QStringList{QStringLiteral("image-editor"),
                              desktop.path(QStringLiteral("guide.pdf"))}));
    }

    // A file's type by its content and name, a missing one's by its name, an address's by
    // its scheme.
    void types_data() {
        QTest::addColumn<QString>("target");  // DESKTOP stands for its folder
        QTest::addColumn<QString>("type");
        QTest::newRow("web address") << "http://www.pelgro.com"
                                     << "x-scheme-handler/http";
        QTest::newRow("help file, by its name") << "/nowhere/Pelgro_BPD.chm"
                                                << "application/vnd.ms-htmlhelp";
        QTest::newRow("design guide") << "DESKTOP/guide.pdf"
                                      << "application/pdf";
        QTest::newRow("report, as a file: URL") << "file://DESKTOP/report.txt"
                                                << "text/plain";
    }
    void types() {
        QFETCH(QString, target);
        QFETCH(QString, type);
        Desktop desktop;
        target.replace(QStringLiteral("DESKTOP"), desktop.root.path());
        QCOMPARE(desktop.probe({QStringLiteral("type"), target}), type);
    }

    // Open With lists the programs GIO associates with the type: by an alias (x-chm for the
    // help file's type) and by a parent type (text/plain for C source), without the hidden.
    void openWithList_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("help file")
            << "application/vnd.ms-htmlhelp" << QStringList{"chm-viewer.desktop"};
        QTest::newRow("C source") << "text/x-csrc"
                                  << QStringList{"bpd-browser.desktop", "bpd-text-editor.desktop"};
        QTest::newRow("PDF") << "application/pdf"
                             << QStringList{"bpd-pdf-viewer.desktop", "bpd-image-editor.desktop"};
        QTest::newRow("nothing") << "application/x-nothing" << QStringList{};
    }
    void openWithList() {
        QFETCH(QString, type);
        QFETCH(QStringList, ids);
        Desktop desktop;
        desktop.addProgram(QStringLiteral("system"), QStringLiteral("chm-viewer.desktop"),
                           QStringLiteral("chm"), QStringLiteral("application/x-chm;"));
        desktop.addProgram(QStringLiteral("system"), QStringLiteral("chm-helper.desktop"),
                           QStringLiteral("helper"), QStringLiteral("application/x-chm;"),
                           QStringLiteral("NoDisplay=true\n"));
        desktop.addSystemPrograms();
        desktop.write(
            QStringLiteral("config/mimeapps.list"),
            QStringLiteral("[Default Applications]\napplication/pdf=%1\n").arg(kPdfViewer));
        QStringList listed;
        const QString answer = desktop.probe({QStringLiteral("apps"), type});
        for (const QString& line : answer.split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList fields = line.split(u'\t');
            listed << fields.value(0);
            QCOMPARE(fields.value(2),
                     desktop.path(QStringLiteral("system/applications/") + fields.value(0)));
        }
        QCOMPARE(listed, ids);
    }
};

QTEST_MAIN(TestXdgDesktopShell)
#include "tst_xdgdesktopshell.moc"
