#include "RecentFiles.h"

#include "RegistryRoutines.h"

namespace bpd::schedule {

const QString RecentFiles::kKey =
    QStringLiteral("SOFTWARE\\Pelgro\\Bearing Pad Design\\Recent Schedules");

namespace {

QString valueName(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}

}  // namespace

QStringList RecentFiles::files() const {
    QStringList out;
    for (int i = 0; i < kMaxFiles; ++i) {
        QString path;
        if (reports::ReadRegistryValue(store_, reports::HKEY_CURRENT_USER, kKey, valueName(i),
                                       path) &&
            !path.isEmpty() && !out.contains(path))
            out << path;
    }
    return out;
}

void RecentFiles::add(const QString& path) {
    QStringList list = files();
    list.removeAll(path);
    list.prepend(path);
    while (list.size() > kMaxFiles) list.removeLast();
    write(list);
}

void RecentFiles::write(const QStringList& files) {
    for (int i = 0; i < kMaxFiles; ++i) {
        QVariant value(i < files.size() ? files[i] : QString());
        reports::WriteRegistryValue(store_, reports::HKEY_CURRENT_USER, kKey, reports::REG_SZ,
                                    valueName(i), value);
    }
}

}  // namespace bpd::schedule
