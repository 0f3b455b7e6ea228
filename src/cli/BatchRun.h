#pragma once
// The batch mode: a CSV file of bearings in, the grid's texts of every computed row out,
// streamed line by line so memory stays the same whatever the size of the file.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "BatchLine.h"
#include "PlanSizes.h"
#include "Units.h"

namespace bpd::cli {

// Lines of a stream, without their "\n" or "\r\n", read in fixed-size chunks. A line longer
// than maxLength is cut there and flagged, so one endless line cannot exhaust memory.
class LineReader {
public:
    static constexpr std::size_t kChunk = 1 << 16;
    static constexpr std::size_t kMaxLength = kMaxLineLength;

    explicit LineReader(std::istream& in);
    // False at the end of the input or when a read failed (see failed()). The view stays
    // valid until the next call.
    bool next(std::string_view& line, bool& tooLong);
    bool failed() const;

private:
    bool fill();
    void keep(const char* text, std::size_t n, bool& tooLong);

    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    std::string pending_;  // a line that runs across chunks
};

struct BatchTotals {
    std::int64_t bearings = 0;  // lines checked
    std::int64_t rows = 0;      // rows written
    std::int64_t badLines = 0;  // lines reported on the error stream (faults included)
};

struct BatchOptions {
    bool explain = false;         // each row also carries Ucomp, Ushear and Governs
    bool size = false;            // each line's pad is sized (w1 and b1 may be left out)
    std::vector<PlanSize> sizes;  // when sizing: the sizes of a free dimension
};

// Runs the batch; returns 0 when every line was checked, 1 when any line was reported (or
// the header is missing or wrong), 2 when the input could not be read (reported with
// inputName, e.g. "standard input"; the rows of the lines before are written). A failed
// output stops the run; the caller reports it.
int runBatch(std::istream& in, std::string_view inputName, std::ostream& out, std::ostream& err,
             UnitSystem units, BatchTotals* totals = nullptr);
// The same with --explain or --size: explained rows carry three more columns; sized lines
// are "line,w1,b1", the 13 cells and the three explanation fields, and a line where no pad
// passes is reported with the reason.
int runBatch(std::istream& in, std::string_view inputName, std::ostream& out, std::ostream& err,
             UnitSystem units, const BatchOptions& options, BatchTotals* totals = nullptr);

}  // namespace bpd::cli
