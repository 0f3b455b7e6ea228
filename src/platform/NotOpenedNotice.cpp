#include "NotOpenedNotice.h"

#include <QDir>
#include <QFileInfo>

#include "MessageService.h"

namespace bpd::platform {

QString NotOpenedNotice::text(ShellResult result, const Texts& texts, const QString& location) {
    const bool noProgram =
        result == ShellResult::NoAssociation || result == ShellResult::IncompleteAssociation;
    return (noProgram ? texts.noProgram : texts.notStarted) + u'\n' + texts.where + u'\n' +
           location;
}

void NotOpenedNotice::tell(MessageService& messages, QWidget* parent, ShellResult result,
                           const Texts& texts, const QString& location) {
    messages.information(parent, kMessageTitle, text(result, texts, location));
}

ShellResult NotOpenedNotice::openWritten(DesktopShell& shell, MessageService& messages,
                                         QWidget* parent, const QString& path, const Texts& texts) {
    const ShellResult opened =
        shell.open(path, QFileInfo(path).absolutePath(), ShowMode::Maximized);
    if (opened != ShellResult::Opened)
        tell(messages, parent, opened, texts, QDir::toNativeSeparators(path));
    return opened;
}

}  // namespace bpd::platform
