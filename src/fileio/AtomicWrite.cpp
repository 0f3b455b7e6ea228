#include "AtomicWrite.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <random>
#include <vector>

namespace bpd::fileio {

namespace {

constexpr int kNameAttempts = 100;

std::string systemReason(int savedErrno) {
    return std::strerror(savedErrno);
}

// The target's folder with its final "/", empty for a bare name.
std::string folderPrefix(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
}

std::string fileName(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    return slash == std::string::npos ? target : target.substr(slash + 1);
}

// "<folder>/.<name>.<suffix>": the hidden names made beside the target. Built by appending
// (GCC 12 at -O3 warns falsely on a chain of + with single characters).
std::string hiddenBeside(const std::string& target, std::string_view suffix) {
    std::string name = folderPrefix(target);
    name.append(".").append(fileName(target)).append(".").append(suffix);
    return name;
}

std::uint64_t randomNumber() {
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, 0) == static_cast<ssize_t>(sizeof value)) return value;
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    return generator();
}

// ".<name>.<random>" in the target's folder: hidden, and never the name of anything we did
// not create ourselves (the caller opens it with O_EXCL).
std::string candidateName(const std::string& target) {
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::uint64_t n = randomNumber();
    std::string suffix(13, '0');
    for (std::size_t i = suffix.size(); i-- > 0 && n > 0; n /= 36) suffix[i] = kDigits[n % 36];
    return hiddenBeside(target, suffix);
}

// The permission bits the new file should carry: those of the file it replaces, or the
// process default for a new one (the umask applies at creation).
mode_t modeFor(const std::string& target, bool* keepExisting) {
    struct stat st {};
    *keepExisting = ::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode);
    return *keepExisting ? (st.st_mode & 07777) : 0666;
}

// Makes the rename itself durable; a failure here cannot be undone and loses nothing.
void syncFolderOf(const std::string& target) {
    const std::string prefix = folderPrefix(target);
    const char* const folder = prefix.empty() ? "." : prefix.c_str();
    const int dir = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

}  // namespace

AtomicWrite::AtomicWrite(std::string targetPath) : target_(std::move(targetPath)) {}

AtomicWrite::~AtomicWrite() {
    if (!committed_) removeTemporary();
}

bool AtomicWrite::fail(const std::string& reason) {
    error_ = reason;
    removeTemporary();
    return false;
}

bool AtomicWrite::failWithErrno(int savedErrno) {
    return fail(systemReason(savedErrno));
}

void AtomicWrite::removeTemporary() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    if (!privateFolder_.empty()) ::rmdir(privateFolder_.c_str());
    temporary_.clear();
    privateFolder_.clear();
}

void AtomicWrite::reset() {
    removeTemporary();
    error_.clear();
    written_ = 0;
    committed_ = false;
}

bool AtomicWrite::open() {
    reset();
    if (target_.empty()) return fail("No file name was given.");
    bool keepExisting = false;
    const mode_t mode = modeFor(target_, &keepExisting);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string candidate = candidateName(target_);
        const int fd =
            ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
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
    return fail("No free temporary file name beside the file.");
}

bool AtomicWrite::openForLibrary() {
    reset();
    if (target_.empty()) return fail("No file name was given.");
    const std::string pattern = hiddenBeside(target_, "XXXXXX");
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!::mkdtemp(buffer.data())) return failWithErrno(errno);
    privateFolder_ = buffer.data();
    temporary_ = privateFolder_;
    temporary_.append("/").append(fileName(target_));
    return true;
}

bool AtomicWrite::write(std::string_view bytes) {
    if (fd_ < 0) return fail(error_.empty() ? "The file is not open for writing." : error_);
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, data, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return failWithErrno(errno);
        }
        if (n == 0) return fail(systemReason(EIO));
        data += n;
        left -= static_cast<std::size_t>(n);
        written_ += n;
    }
    return true;
}

bool AtomicWrite::commit(const Check& check) {
    if (temporary_.empty())
        return fail(error_.empty() ? "The file is not open for writing." : error_);
    const bool library = !privateFolder_.empty();
    if (library) {
        // The library has written and closed its file: it must be a plain file of ours.
        const int fd = ::open(temporary_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) return failWithErrno(errno);
        fd_ = fd;
    }
    struct stat st {};
    if (::fsync(fd_) != 0 || ::fstat(fd_, &st) != 0) return failWithErrno(errno);
    if (!S_ISREG(st.st_mode)) return fail("The written file is not a plain file.");
    if (library) {
        if (st.st_size == 0) return fail("The written file is empty.");
        bool keepExisting = false;
        const mode_t mode = modeFor(target_, &keepExisting);
        if (keepExisting && ::fchmod(fd_, mode) != 0) return failWithErrno(errno);
    } else if (st.st_size != written_) {
        return fail("Only " + std::to_string(st.st_size) + " of " + std::to_string(written_) +
                    " bytes reached the disk.");
    }
    if (::close(fd_) != 0) {
        fd_ = -1;
        return failWithErrno(errno);
    }
    fd_ = -1;
    if (check) {
        const std::string problem = check(temporary_);
        if (!problem.empty()) return fail(problem);
    }
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) return failWithErrno(errno);
    committed_ = true;
    temporary_.clear();
    if (library) {
        ::rmdir(privateFolder_.c_str());
        privateFolder_.clear();
    }
    syncFolderOf(target_);
    return true;
}

void AtomicWrite::discard() {
    removeTemporary();
}

bool AtomicWrite::writeFile(const std::string& targetPath, std::string_view bytes,
                            std::string* error, const Check& check) {
    AtomicWrite file(targetPath);
    const bool ok = file.open() && file.write(bytes) && file.commit(check);
    if (!ok && error) *error = file.errorString();
    return ok;
}

}  // namespace bpd::fileio
