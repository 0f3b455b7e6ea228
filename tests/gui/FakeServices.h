#pragma once
// Recording stand-ins for the desktop shell and the message boxes, shared by every widget
// test: nothing real is opened, started or shown, and each call is kept for the test to read.

#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

#include "DesktopShell.h"
#include "MessageService.h"

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

class FakeMessages : public platform::MessageService {
public:
    struct Call {
        QString kind, title, text;
    };
    QList<Call> calls;
    bool answerYes = false;  // the answer to every question

    void warning(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("warning"), title, text});
    }
    void information(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("information"), title, text});
    }
    bool question(QWidget*, const QString& title, const QString& text) override {
        calls.append({QStringLiteral("question"), title, text});
        return answerYes;
    }
    QStringList texts() const {
        QStringList out;
        for (const Call& c : calls) out << c.text;
        return out;
    }
};

}  // namespace bpd::testing
