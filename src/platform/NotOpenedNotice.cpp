#include "NotOpenedNotice.h"

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

}  // namespace bpd::platform
