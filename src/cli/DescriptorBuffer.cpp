#include "DescriptorBuffer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bpd::cli {

namespace {
constexpr std::size_t kBufferSize = 1 << 16;

std::error_code lastError() {
    return std::error_code(errno, std::generic_category());
}
}  // namespace

DescriptorBuffer::DescriptorBuffer(int fd, bool owned) : fd_(fd), owned_(owned) {}

DescriptorBuffer::~DescriptorBuffer() {
    writePending();
    if (owned_) ::close(fd_);
}

std::unique_ptr<DescriptorBuffer> DescriptorBuffer::openForReading(const std::string& path,
                                                                   std::error_code& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = lastError();
        return nullptr;
    }
    error.clear();
    return std::make_unique<DescriptorBuffer>(fd, true);
}

DescriptorBuffer::int_type DescriptorBuffer::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (error_) return traits_type::eof();
    input_.resize(kBufferSize);
    ssize_t n;
    do {
        n = ::read(fd_, input_.data(), input_.size());
    } while (n < 0 && errno == EINTR);
    if (n < 0) error_ = lastError();
    if (n <= 0) return traits_type::eof();
    setg(input_.data(), input_.data(), input_.data() + n);
    return traits_type::to_int_type(*gptr());
}

bool DescriptorBuffer::writeAll(const char* data, std::size_t size) {
    while (size > 0 && !error_) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno != EINTR) error_ = lastError();
            continue;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return !error_;
}

bool DescriptorBuffer::writePending() {
    if (pbase() == nullptr) return !error_;
    const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(output_.data(), output_.data() + output_.size());
    return written;
}

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c) {
    if (output_.empty()) {
        output_.resize(kBufferSize);
        setp(output_.data(), output_.data() + output_.size());
    } else if (!writePending()) {
        return traits_type::eof();
    }
    if (error_) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

std::streamsize DescriptorBuffer::xsputn(const char* s, std::streamsize n) {
    if (error_) return 0;
    const std::size_t size = static_cast<std::size_t>(n);
    if (pbase() != nullptr && size <= static_cast<std::size_t>(epptr() - pptr())) {
        std::memcpy(pptr(), s, size);
        pbump(static_cast<int>(size));
        return n;
    }
    // Large pieces (the batch output's blocks) go out at once, after what is pending.
    if (!writePending()) return 0;
    if (size >= kBufferSize / 2) return writeAll(s, size) ? n : 0;
    return std::streambuf::xsputn(s, n);
}

int DescriptorBuffer::sync() {
    return writePending() ? 0 : -1;
}

std::error_code streamError(const std::ios& stream) {
    if (const auto* buffer = dynamic_cast<const DescriptorBuffer*>(stream.rdbuf())) {
        if (buffer->error()) return buffer->error();
    }
    if (stream.bad()) return std::make_error_code(std::errc::io_error);
    return {};
}

}  // namespace bpd::cli
