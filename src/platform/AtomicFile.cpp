#include "AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace bpd::platform {

namespace {

constexpr int kNameAttempts = 100;

QString systemReason(int savedErrno) {
    return QString::fromLocal8Bit(std::strerror(savedErrno));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

// ".<name>.<random>" in the target's folder: hidden, and never the name of anything we did
// not create ourselves (the caller opens it with O_EXCL).
QString candidateName(const QString& target) {
    const QFileInfo info(target);
    const QString suffix =
        QString::number(QRandomGenerator::global()->generate64(), 36).rightJustified(13, u'0');
    return info.path() + u"/."_qs + info.fileName() + u'.' + suffix;
}

// The permission bits the new file should carry: those of the file it replaces, or the
// process default for a new one (the umask applies at creation).
mode_t modeFor(const QString& target, bool* keepExisting) {
    struct stat st {};
    *keepExisting = ::lstat(encoded(target).constData(), &st) == 0 && S_ISREG(st.st_mode);
    return *keepExisting ? (st.st_mode & 07777) : 0666;
}

// Makes the rename itself durable; a failure here cannot be undone and loses nothing.
void syncFolderOf(const QString& target) {
    const int dir =
        ::open(encoded(QFileInfo(target).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

AtomicFile::AtomicFile(QString targetPath) : target_(std::move(targetPath)) {}

AtomicFile::~AtomicFile() {
    if (!committed_) removeTemporary();
}

bool AtomicFile::fail(const QString& reason) {
    error_ = reason;
    removeTemporary();
    return false;
}

bool AtomicFile::failWithErrno(int savedErrno) {
    return fail(systemReason(savedErrno));
}

void AtomicFile::removeTemporary() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) ::unlink(encoded(temporary_).constData());
    if (!privateFolder_.isEmpty()) ::rmdir(encoded(privateFolder_).constData());
    temporary_.clear();
    privateFolder_.clear();
}

bool AtomicFile::open() {
    removeTemporary();
    error_.clear();
    written_ = 0;
    committed_ = false;
    if (target_.isEmpty()) return fail(u"No file name was given."_qs);
    bool keepExisting = false;
    const mode_t mode = modeFor(target_, &keepExisting);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString candidate = candidateName(target_);
        const int fd = ::open(encoded(candidate).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return failWithErrno(errno);
        }
        fd_ = fd;
        temporary_ = candidate;
        // The umask may have narrowed the mode of a file that replaces an existing one.
        if (keepExisting && ::fchmod(fd_, mode) != 0) return failWithErrno(errno);
        return true;
    }
    return fail(u"No free temporary file name beside the file."_qs);
}

bool AtomicFile::openForLibrary() {
    removeTemporary();
    error_.clear();
    written_ = 0;
    committed_ = false;
    if (target_.isEmpty()) return fail(u"No file name was given."_qs);
    QByteArray pattern = encoded(QFileInfo(target_).path() + u"/."_qs +
                                 QFileInfo(target_).fileName() + u".XXXXXX"_qs);
    if (!::mkdtemp(pattern.data())) return failWithErrno(errno);
    privateFolder_ = QFile::decodeName(pattern);
    temporary_ = privateFolder_ + u'/' + QFileInfo(target_).fileName();
    return true;
}

bool AtomicFile::write(QByteArrayView bytes) {
    if (fd_ < 0) return fail(error_.isEmpty() ? u"The file is not open for writing."_qs : error_);
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) continue;
            return failWithErrno(errno);
        }
        if (n == 0) return fail(systemReason(EIO));
        data += n;
        left -= n;
        written_ += n;
    }
    return true;
}

bool AtomicFile::commit(const Check& check) {
    if (temporary_.isEmpty())
        return fail(error_.isEmpty() ? u"The file is not open for writing."_qs : error_);
    const bool library = !privateFolder_.isEmpty();
    if (library) {
        // The library has written and closed its file: it must be a plain file of ours.
        const int fd = ::open(encoded(temporary_).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return failWithErrno(errno);
        fd_ = fd;
    }
    struct stat st {};
    if (::fsync(fd_) != 0 || ::fstat(fd_, &st) != 0) return failWithErrno(errno);
    if (!S_ISREG(st.st_mode)) return fail(u"The written file is not a plain file."_qs);
    if (library) {
        if (st.st_size == 0) return fail(u"The written file is empty."_qs);
        bool keepExisting = false;
        const mode_t mode = modeFor(target_, &keepExisting);
        if (keepExisting && ::fchmod(fd_, mode) != 0) return failWithErrno(errno);
    } else if (st.st_size != written_) {
        return fail(u"Only %1 of %2 bytes reached the disk."_qs.arg(st.st_size).arg(written_));
    }
    if (::close(fd_) != 0) {
        fd_ = -1;
        return failWithErrno(errno);
    }
    fd_ = -1;
    if (check) {
        const QString problem = check(temporary_);
        if (!problem.isEmpty()) return fail(problem);
    }
    if (::rename(encoded(temporary_).constData(), encoded(target_).constData()) != 0)
        return failWithErrno(errno);
    committed_ = true;
    temporary_.clear();
    if (library) {
        ::rmdir(encoded(privateFolder_).constData());
        privateFolder_.clear();
    }
    syncFolderOf(target_);
    return true;
}

void AtomicFile::discard() {
    removeTemporary();
}

bool AtomicFile::writeFile(const QString& targetPath, QByteArrayView bytes, QString* error,
                           const Check& check) {
    AtomicFile file(targetPath);
    const bool ok = file.open() && file.write(bytes) && file.commit(check);
    if (!ok && error) *error = file.errorString();
    return ok;
}

}  // namespace bpd::platform
