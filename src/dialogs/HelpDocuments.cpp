#include "HelpDocuments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "DesktopShell.h"
#include "OpenWithDialog.h"
#include "Services.h"

namespace bpd::dialogs {

using platform::ShellResult;

HelpDocuments::HelpDocuments(QWidget* mainWindow, QString programFolder, OpenWith openWith)
    : mainWindow_(mainWindow),
      programFolder_(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : std::move(programFolder)),
      openWith_(std::move(openWith)) {
    if (!openWith_) {
        openWith_ = [](const QString& documentPath, QWidget* parent) {
            auto* dialog = new OpenWithDialog(documentPath, parent);
            dialog->setAttribute(Qt::WA_DeleteOnClose);
            dialog->show();
        };
    }
}

QString HelpDocuments::fullPath(const QString& programFolder, const QString& relativeName) {
    if (programFolder.endsWith(u'/') || programFolder.endsWith(u'\\'))
        return programFolder + relativeName;
    return programFolder + u'/' + relativeName;
}

void HelpDocuments::Help_Topics_Click() { openDocument(QString::fromLatin1(kHelpFile)); }

void HelpDocuments::Pelgro_Ravelon_Design_Guide_Click() {
    openDocument(QString::fromLatin1(kDesignGuide));
}

void HelpDocuments::openDocument(const QString& relativeName) {
    auto& shell = platform::Services::instance().shell();
    const ShellResult result = shell.open(fullPath(programFolder_, relativeName), programFolder_,
                                          platform::ShowMode::Maximized);
    if (result != ShellResult::NoAssociation && result != ShellResult::IncompleteAssociation)
        return;
    // Offer the same document by its name in the Help folder, from that folder.
    const QString saved = shell.currentDirectory();
    shell.setCurrentDirectory(programFolder_ + QStringLiteral("/Help"));
    const QString name = QFileInfo(relativeName).fileName();
    openWith_(QDir(shell.currentDirectory()).absoluteFilePath(name), mainWindow_);
    shell.setCurrentDirectory(saved);
}

}  // namespace bpd::dialogs
