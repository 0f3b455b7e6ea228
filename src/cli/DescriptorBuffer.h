#pragma once
// The standard streams and the batch file of bpd-check, read and written straight through
// their file descriptors so that no failure goes unseen: every read and write is checked
// (an interrupted call is repeated, a short write continued) and the system's reason of the
// first failure is kept. After a failure the stream reads as ended and takes no more output.

#include <ios>
#include <memory>
#include <streambuf>
#include <string>
#include <system_error>
#include <vector>

namespace bpd::cli {

class DescriptorBuffer : public std::streambuf {
public:
    // owned: close the descriptor with the buffer (the batch file; never the standard ones).
    explicit DescriptorBuffer(int fd, bool owned = false);
    ~DescriptorBuffer() override;  // writes out what is left; see error()
    DescriptorBuffer(const DescriptorBuffer&) = delete;
    DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

    // A file opened for reading, or null with the reason in error.
    static std::unique_ptr<DescriptorBuffer> openForReading(const std::string& path,
                                                            std::error_code& error);

    // The reason of the first failed read or write; empty while none failed.
    std::error_code error() const { return error_; }

protected:
    int_type underflow() override;
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;
    int sync() override;

private:
    bool writeAll(const char* data, std::size_t size);
    bool writePending();

    int fd_;
    bool owned_;
    std::error_code error_;
    std::vector<char> input_;
    std::vector<char> output_;
};

// Why a stream failed: the system's reason when it runs on a DescriptorBuffer, an I/O error
// for any other stream in a bad state, empty while it is fine.
std::error_code streamError(const std::ios& stream);

}  // namespace bpd::cli
