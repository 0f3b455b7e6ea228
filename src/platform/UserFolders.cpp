#include "UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace bpd::platform {

QString UserFolders::documents() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return documents.isEmpty() ? QDir::homePath() : documents;
}

QString UserFolders::programData() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Pelgro/Bearing Pad Design");
}

QString UserFolders::settings() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Pelgro");
}

QString UserFolders::recovery() {
    // Qt 6.4 has no state location; the XDG rule: an unset or relative variable is ignored.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/pelgro-bpd/recovery");
}

}  // namespace bpd::platform
