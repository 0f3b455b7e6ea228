#pragma once
// The desktop shell of the tests: nothing is opened or started, each call is kept for the
// test to read. The Open With choices are read from the desktop entries of the folders a test
// gives (none by default), as the real shell reads them.

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include "DesktopApplications.h"
#include "DesktopShell.h"

namespace bpd::testing {

class FakeShell : public platform::DesktopShell {
public:
    struct OpenCall {
        QString target, workingDirectory;
        platform::ShowMode mode;
        bool existedWhenOpened;  // the document was complete on disk when it was handed over
    };
    struct StartCall {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };

    platform::ShellResult openResult = platform::ShellResult::Opened;
    bool startSucceeds = true;
    QString current = QStringLiteral("/home/user/projects");
    QStringList existingFiles;       // files that exist besides the real ones
    QStringList applicationFolders;  // data folders whose applications/ the choices come from
    QList<OpenCall> opens;
    QList<StartCall> starts;
    QStringList directoryChanges;

    platform::ShellResult open(const QString& target, const QString& workingDirectory,
                               platform::ShowMode mode) override {
        opens.append({target, workingDirectory, mode, QFile::exists(target)});
        return openResult;
    }
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDirectory, platform::ShowMode) override {
        starts.append({program, arguments, workingDirectory});
        return startSucceeds;
    }
    QString mimeTypeOf(const QString& target) const override {
        return platform::DesktopApplications::mimeTypeOf(target);
    }
    QList<platform::DesktopApplication> applicationsFor(const QString& mimeType) const override {
        return platform::DesktopApplications(applicationFolders).forMimeType(mimeType);
    }
    QString currentDirectory() const override { return current; }
    bool setCurrentDirectory(const QString& path) override {
        directoryChanges << path;
        current = path;
        return true;
    }
    bool fileExists(const QString& path) const override {
        return existingFiles.contains(path) || QFile::exists(path);
    }
};

}  // namespace bpd::testing
