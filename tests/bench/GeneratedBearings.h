#pragma once
// A batch file made up on the fly: a header line and as many bearing lines as asked for,
// from a fixed-seed generator, so a million bearings cost no memory to feed.

#include <cstdint>
#include <streambuf>
#include <string>
#include <vector>

namespace bpd::bench {

class GeneratedBearings : public std::streambuf {
public:
    // pooled: the lines repeat from a pool of 4096 made up front, so that a benchmark times
    // the batch mode and not the making of its input.
    explicit GeneratedBearings(std::int64_t bearings, bool pooled = false,
                               std::uint64_t seed = 20240611);

protected:
    int_type underflow() override;

private:
    double next(double lo, double hi);
    void appendLine(std::string& out);

    std::int64_t remaining_;
    std::uint64_t state_;
    bool headerDone_ = false;
    std::string chunk_;
    std::vector<std::string> pool_;
    std::size_t poolNext_ = 0;
};

// An output stream buffer that only counts what is written.
class CountingSink : public std::streambuf {
public:
    std::int64_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += n;
        return n;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return c;
    }
};

}  // namespace bpd::bench
