#pragma once
// Writing a file so that it is either replaced whole or left exactly as it was: the one home
// of that rule, without Qt (bpd-check writes with it; the window's AtomicFile wraps it).
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
// Paths are the system's bytes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace bpd::fileio {

class AtomicWrite {
public:
    // Reads the finished temporary file back: an empty text when it is sound, else the reason.
    using Check = std::function<std::string(const std::string& temporaryPath)>;

    explicit AtomicWrite(std::string targetPath);
    ~AtomicWrite();  // an uncommitted temporary file is removed
    AtomicWrite(const AtomicWrite&) = delete;
    AtomicWrite& operator=(const AtomicWrite&) = delete;

    // Creates the temporary file beside the target, for write().
    bool open();
    // Creates a private folder beside the target; temporaryPath() names the file that the
    // library is to create in it.
    bool openForLibrary();
    // Writes all of the bytes, or fails.
    bool write(std::string_view bytes);
    // Syncs, verifies (size, then the check) and renames the file over the target.
    bool commit(const Check& check = {});
    // Gives up: removes the temporary file, leaves the target alone.
    void discard();

    const std::string& targetPath() const { return target_; }
    const std::string& temporaryPath() const { return temporary_; }
    const std::string& errorString() const { return error_; }

    // The whole operation for contents held in memory. False with the reason in `error`.
    static bool writeFile(const std::string& targetPath, std::string_view bytes, std::string* error,
                          const Check& check = {});

private:
    bool fail(const std::string& reason);
    bool failWithErrno(int savedErrno);
    void removeTemporary();
    void reset();

    std::string target_;
    std::string temporary_;
    std::string privateFolder_;  // library mode only
    std::string error_;
    int fd_ = -1;
    std::int64_t written_ = 0;
    bool committed_ = false;
};

}  // namespace bpd::fileio
