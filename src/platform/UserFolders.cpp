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

}  // namespace bpd::platform
