#include "XdgDesktopShell.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace bpd::platform {

XdgDesktopShell::XdgDesktopShell()
    : XdgDesktopShell(DesktopApplications::dataDirectories(),
                      DesktopApplications::configDirectories(),
                      QStandardPaths::findExecutable(u"xdg-mime"_qs).isEmpty()
                          ? DefaultQuery{}
                          : DefaultQuery{&XdgDesktopShell::queryXdgMime},
                      DesktopApplications::terminalEmulator()) {}

XdgDesktopShell::XdgDesktopShell(QStringList dataDirectories, QStringList configDirectories,
                                 DefaultQuery defaultQuery, QString terminal)
    : dataDirectories_(std::move(dataDirectories)),
      configDirectories_(std::move(configDirectories)),
      defaultQuery_(std::move(defaultQuery)),
      terminal_(std::move(terminal)) {}

QString XdgDesktopShell::queryXdgMime(const QString& mimeType) {
    const QString xdgMime = QStandardPaths::findExecutable(u"xdg-mime"_qs);
    if (xdgMime.isEmpty()) return {};
    QProcess process;
    process.start(xdgMime, {u"query"_qs, u"default"_qs, mimeType});
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return {};
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

QString XdgDesktopShell::mimeTypeOf(const QString& target) const {
    return DesktopApplications::mimeTypeOf(target);
}

QList<DesktopApplication> XdgDesktopShell::applicationsFor(const QString& mimeType) const {
    return DesktopApplications(dataDirectories_).forMimeType(mimeType);
}

XdgDesktopShell::Association XdgDesktopShell::associationFor(const QString& mimeType) const {
    const DesktopApplications applications(dataDirectories_);
    auto usable = [this](const DesktopApplication& app) {
        return DesktopApplications::isRunnable(app, terminal_);
    };
    // The type itself first; then, as the desktop's own launchers do, its parent types (a
    // handler of text/plain opens a C source), but never the catch-all octet-stream.
    QStringList candidates{mimeType};
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForName(mimeType);
    if (type.isValid())
        for (const QString& parent : type.allAncestors())
            if (parent != u"application/octet-stream") candidates << parent;

    bool namedButUnusable = false;
    for (const QString& candidate : candidates) {
        QStringList defaults;
        if (defaultQuery_) {
            const QString id = defaultQuery_(candidate);
            if (!id.isEmpty()) defaults << id;
        } else {
            defaults =
                DesktopApplications::defaultIds(candidate, configDirectories_, dataDirectories_);
        }
        for (const QString& id : defaults) {
            const auto app = applications.find(id);
            if (app && usable(*app)) return {ShellResult::Opened, *app};
            namedButUnusable = true;
        }
        for (const auto& app : applications.forMimeType(candidate, true)) {
            if (usable(app)) return {ShellResult::Opened, app};
            namedButUnusable = true;
        }
    }
    // A default or a declaring entry that cannot run is an incomplete association.
    return {namedButUnusable ? ShellResult::IncompleteAssociation : ShellResult::NoAssociation, {}};
}

ShellResult XdgDesktopShell::open(const QString& target, const QString& workingDirectory,
                                  ShowMode mode) {
    if (target.isEmpty()) return ShellResult::NotFound;
    const bool web = DesktopApplications::isAddress(target);
    const QString path = web ? target : DesktopApplications::localPath(target);
    if (!web && !QFileInfo::exists(path)) return ShellResult::NotFound;
    const Association association = associationFor(mimeTypeOf(target));
    if (association.result != ShellResult::Opened) return association.result;
    const auto command = DesktopApplications::commandFor(
        association.application, web ? target : QFileInfo(path).absoluteFilePath(), terminal_);
    if (!command) return ShellResult::IncompleteAssociation;
    return startProgram(command->program, command->arguments, workingDirectory, mode)
               ? ShellResult::Opened
               : ShellResult::Failed;
}

bool XdgDesktopShell::startProgram(const QString& program, const QStringList& arguments,
                                   const QString& workingDirectory, ShowMode) {
    if (program.isEmpty()) return false;
    const QString directory = workingDirectory.isEmpty() || !QFileInfo(workingDirectory).isDir()
                                  ? QString()
                                  : workingDirectory;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(directory);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

QString XdgDesktopShell::currentDirectory() const {
    return QDir::currentPath();
}

bool XdgDesktopShell::setCurrentDirectory(const QString& path) {
    return QDir::setCurrent(path);
}

bool XdgDesktopShell::fileExists(const QString& path) const {
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

}  // namespace bpd::platform
