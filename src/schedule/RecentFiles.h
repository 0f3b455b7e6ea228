#pragma once
// The schedule's Open Recent list: the last design files opened or saved, newest first,
// kept in the settings store so that the next run offers them too.

#include <QString>
#include <QStringList>

namespace bpd::platform {
class RegistryStore;
}

namespace bpd::schedule {

class RecentFiles {
public:
    static constexpr int kMaxFiles = 8;
    // The store's key and its values "File1" (newest) .. "File8".
    static const QString kKey;

    explicit RecentFiles(platform::RegistryStore& store) : store_(store) {}

    // The kept paths, newest first (empty values skipped).
    QStringList files() const;
    // path becomes the newest; a path already listed moves up; the oldest beyond eight goes.
    void add(const QString& path);

private:
    void write(const QStringList& files);

    platform::RegistryStore& store_;
};

}  // namespace bpd::schedule
