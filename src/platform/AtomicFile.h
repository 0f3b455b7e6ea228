#pragma once
// Writing a file so that it is either replaced whole or left exactly as it was: the window's
// face of fileio::AtomicWrite (src/fileio/AtomicWrite.h, the one home of the rule), with
// Qt's paths and texts. The new contents go to a temporary file created exclusively beside the
// target, are checked, synced and verified, and only then renamed over it; on any failure the
// target keeps its old bytes and errorString() gives the system's reason.
//
// A library that insists on opening its output by name itself (libxlsxwriter) gets a path in
// a private folder (mode 0700) made beside the target: openForLibrary(), then commit().

#include <QByteArrayView>
#include <QString>
#include <functional>

#include "AtomicWrite.h"

namespace bpd::platform {

class AtomicFile {
public:
    // Reads the finished temporary file back: an empty text when it is sound, else the reason.
    using Check = std::function<QString(const QString& temporaryPath)>;

    explicit AtomicFile(QString targetPath);
    ~AtomicFile();  // an uncommitted temporary file is removed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file beside the target, for write().
    bool open();
    // Creates a private folder beside the target; temporaryPath() names the file that the
    // library is to create in it.
    bool openForLibrary();
    // Writes all of the bytes, or fails.
    bool write(QByteArrayView bytes);
    // Syncs, verifies (size, then the check) and renames the file over the target.
    bool commit(const Check& check = {});
    // Gives up: removes the temporary file, leaves the target alone.
    void discard();

    QString targetPath() const { return target_; }
    QString temporaryPath() const;
    QString errorString() const;

    // The whole operation for contents held in memory. False with the reason in `error`.
    static bool writeFile(const QString& targetPath, QByteArrayView bytes, QString* error,
                          const Check& check = {});

private:
    QString target_;
    fileio::AtomicWrite core_;
};

}  // namespace bpd::platform
