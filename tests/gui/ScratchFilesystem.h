#pragma once
// Real write faults for the tests: a folder on a tiny filesystem of its own that can be
// filled to the last byte or made read-only.
//
// As root (CI) the folder is a tmpfs mounted over a fresh temporary folder. Where mount is
// refused, the faults are still real: "full" sets the process's file size limit (writes then
// fail with EFBIG, SIGXFSZ ignored) and "read-only" takes the write permission of the folder.
// how() says which one a test ran with.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>

namespace bpd::testing {

class ScratchFilesystem {
public:
    explicit ScratchFilesystem(int kib = 64) {
        const QByteArray options = "size=" + QByteArray::number(kib) + "k,mode=0777";
        mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                           options.constData()) == 0;
    }
    ~ScratchFilesystem() {
        liftLimit();
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
        else
            ::chmod(QFile::encodeName(dir_.path()).constData(), 0700);
    }
    ScratchFilesystem(const ScratchFilesystem&) = delete;
    ScratchFilesystem& operator=(const ScratchFilesystem&) = delete;

    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    bool isTmpfs() const { return mounted_; }
    QString how() const {
        return mounted_ ? QStringLiteral("a real tmpfs")
                        : QStringLiteral("mount refused: file size limit / folder permissions");
    }

    // After this, no further byte fits: the tmpfs is filled up, or (without a mount) no file
    // may grow beyond `limitBytes`.
    void fill(qint64 limitBytes = 0) {
        if (mounted_) {
            QFile filler(filePath(QStringLiteral("filler")));
            if (filler.open(QIODevice::WriteOnly)) {
                const QByteArray block(4096, 'x');
                while (filler.write(block) == block.size() && filler.flush()) {
                }
                // Single bytes into the last partly used page.
                while (filler.write("x", 1) == 1 && filler.flush()) {
                }
            }
            return;
        }
        ::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        limited_ = true;
        struct rlimit limit = saved_;
        limit.rlim_cur = static_cast<rlim_t>(limitBytes);
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }

    // Every write into the folder fails from now on (its existing files stay readable).
    void makeReadOnly() {
        if (mounted_)
            ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                    MS_REMOUNT | MS_RDONLY, nullptr);
        else
            ::chmod(QFile::encodeName(dir_.path()).constData(), 0555);
    }

    // Ends a file size limit set by fill().
    void liftLimit() {
        if (limited_) ::setrlimit(RLIMIT_FSIZE, &saved_);
        limited_ = false;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    bool limited_ = false;
    struct rlimit saved_ {};
};

}  // namespace bpd::testing
