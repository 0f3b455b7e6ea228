#pragma once
// The desktop shell of the tests: nothing is opened or started, each call is kept for the
// test to read. The Open With choices are those a test sets for a type (none by default); a
// file's type comes from its name, a web address's from its scheme.

#include <QFile>
#include <QHash>
#include <QList>
#include <QMimeDatabase>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "DesktopApplication.h"
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
    QStringList existingFiles;  // files that exist besides the real ones
    QHash<QString, QList<platform::DesktopApplication>> applications;  // by MIME type
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
        const QUrl url(target);
        if (!target.startsWith(u'/') && url.scheme().size() > 1)
            return QStringLiteral("x-scheme-handler/") + url.scheme();
        return QMimeDatabase().mimeTypeForFile(target, QMimeDatabase::MatchExtension).name();
    }
    QList<platform::DesktopApplication> applicationsFor(const QString& mimeType) const override {
        return applications.value(mimeType);
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
