#pragma once
// Copies of a schedule's unsaved edits in the user's state folder, so that a crash or a kill
// loses none of them. Each running program keeps its own copy ("<id>.recovery") and holds a
// lock beside it ("<id>.recovery.lock") for as long as the copy is its own; a copy whose lock
// can be taken was left by a program that no longer runs, and the next start offers it.

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "UserFolders.h"

class QLockFile;

namespace bpd::schedule {

class RecoveryStore {
public:
    // What a copy holds: the design file's text, the file it was opened from or last saved to
    // ("" for a new schedule) and the digest of that file's bytes as the schedule last knew
    // them (empty when it knew none).
    struct Copy {
        QByteArray designText;
        QString path;
        QByteArray diskDigest;
    };

    explicit RecoveryStore(QString folder = platform::UserFolders::recovery());
    // Lets go of the lock and leaves the copy: a copy still here at the end holds edits that
    // were neither saved nor discarded.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // Replaces this program's copy (made and locked on the first write) through AtomicFile;
    // false with the reason in `error`, the previous copy kept.
    bool write(const Copy& copy, QString* error);
    // This program's copy and its lock go: the edits were saved or discarded.
    void remove();
    // The newest copy left by a program that no longer runs, taken over as this program's own
    // (locked; remove() drops it, write() replaces it). Nothing when there is none, or when this
    // program has a copy already. Unreadable copies found on the way are removed.
    std::optional<Copy> adoptOrphan();

    QString folder() const { return folder_; }
    QString filePath() const { return file_; }  // this program's copy, "" when it has none

private:
    bool claimNewFile(QString* error);
    // A lock beside the copy, never taken as stale by its age: only a program that ended
    // leaves a lock another may take.
    static std::unique_ptr<QLockFile> lockFor(const QString& copyPath);

    QString folder_;
    QString file_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace bpd::schedule
