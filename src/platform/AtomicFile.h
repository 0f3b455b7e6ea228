#pragma once
// Writing a file so that it is either replaced whole or left exactly as it was.
//
// The new contents go to a temporary file that this object creates exclusively in the
// target's own folder (O_CREAT | O_EXCL | O_NOFOLLOW, a fresh random name), so nothing planted
// there, no symlink and no other writer, can be written through, and the final rename stays on
// one filesystem. Every write is checked, the data are fsynced, the size on disk is compared
// with the bytes written, an optional check reads the file back, and only then is the file
// renamed over the target. A symlink at the target's name is replaced as a link: the file it
// points to is never touched. On any failure the temporary file is removed, the target keeps
// its old bytes, and errorString() gives the system's reason ("No space left on device").
//
// A library that insists on opening its output by name itself (libxlsxwriter) gets a path in
// a private folder (mode 0700) made beside the target: openForLibrary(), then commit().

#include <QByteArrayView>
#include <QString>
#include <functional>

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
    QString temporaryPath() const { return temporary_; }
    QString errorString() const { return error_; }

    // The whole operation for contents held in memory. False with the reason in `error`.
    static bool writeFile(const QString& targetPath, QByteArrayView bytes, QString* error,
                          const Check& check = {});

private:
    bool fail(const QString& reason);
    bool failWithErrno(int savedErrno);
    void removeTemporary();

    QString target_;
    QString temporary_;
    QString privateFolder_;  // library mode only
    QString error_;
    int fd_ = -1;
    qint64 written_ = 0;
    bool committed_ = false;
};

}  // namespace bpd::platform
