#pragma once
// Recording stand-ins for the shell and the message boxes, for the dialogs' tests.

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "DesktopShell.h"
#include "MessageService.h"
#include "Services.h"

namespace bpd::testing {

class FakeShell : public platform::DesktopShell {
public:
    struct OpenCall {
        QString target, workingDirectory;
        platform::ShowMode mode;
    };
    struct StartCall {
        QString program;
        QStringList arguments;
        QString workingDirectory;
    };

    platform::ShellResult openResult = platform::ShellResult::Opened;
    bool startSucceeds = true;
    QString current = QStringLiteral("/home/user/projects");
    QStringList existingFiles;
    std::vector<OpenCall> opens;
    std::vector<StartCall> starts;
    QStringList directoryChanges;

    platform::ShellResult open(const QString& target, const QString& workingDirectory,
                               platform::ShowMode mode) override {
        opens.push_back({target, workingDirectory, mode});
        return openResult;
    }
    bool startProgram(const QString& program, const QStringList& arguments,
                      const QString& workingDirectory, platform::ShowMode) override {
        starts.push_back({program, arguments, workingDirectory});
        return startSucceeds;
    }
    QString currentDirectory() const override { return current; }
    bool setCurrentDirectory(const QString& path) override {
        directoryChanges << path;
        current = path;
        return true;
    }
    bool fileExists(const QString& path) const override { return existingFiles.contains(path); }
};

class FakeMessages : public platform::MessageService {
public:
    struct Call {
        QString kind, title, text;
    };
    std::vector<Call> calls;
    void warning(QWidget*, const QString& title, const QString& text) override {
        calls.push_back({QStringLiteral("warning"), title, text});
    }
    void information(QWidget*, const QString& title, const QString& text) override {
        calls.push_back({QStringLiteral("information"), title, text});
    }
    bool question(QWidget*, const QString& title, const QString& text) override {
        calls.push_back({QStringLiteral("question"), title, text});
        return false;
    }
};

// Installs fresh fakes into the service registry for one test case.
struct InstalledFakes {
    std::shared_ptr<FakeShell> shell = std::make_shared<FakeShell>();
    std::shared_ptr<FakeMessages> messages = std::make_shared<FakeMessages>();
    InstalledFakes() {
        platform::Services::instance().setShell(shell);
        platform::Services::instance().setMessages(messages);
    }
    ~InstalledFakes() { platform::Services::instance().reset(); }
};

}  // namespace bpd::testing
