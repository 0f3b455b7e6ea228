#include "BatchRun.h"

#include <charconv>
#include <cstring>

#include "BatchLine.h"
#include "ResultTable.h"
#include "TableOutput.h"
#include "ThicknessCatalogue.h"

namespace bpd::cli {

LineReader::LineReader(std::istream& in) : in_(in), buffer_(kChunk) {}

bool LineReader::fill() {
    if (!in_) return false;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    len_ = static_cast<std::size_t>(in_.gcount());
    pos_ = 0;
    return len_ > 0;
}

void LineReader::keep(const char* text, std::size_t n, bool& tooLong) {
    const std::size_t room = kMaxLength - pending_.size();
    if (n > room) {
        n = room;
        tooLong = true;
    }
    pending_.append(text, n);
}

bool LineReader::next(std::string_view& line, bool& tooLong) {
    pending_.clear();
    tooLong = false;
    bool started = false;
    while (true) {
        if (pos_ == len_ && !fill()) {
            if (!started) return false;
            line = pending_;  // the last line has no line end
            break;
        }
        started = true;
        const char* start = buffer_.data() + pos_;
        const std::size_t available = len_ - pos_;
        const void* found = std::memchr(start, '\n', available);
        if (found == nullptr) {
            keep(start, available, tooLong);
            pos_ = len_;
            continue;
        }
        const std::size_t n = static_cast<std::size_t>(static_cast<const char*>(found) - start);
        pos_ += n + 1;
        if (pending_.empty() && !tooLong && n <= kMaxLength) {
            line = std::string_view(start, n);  // the common case: no copy
        } else {
            keep(start, n, tooLong);
            line = pending_;
        }
        break;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

namespace {

class BatchWriter {
public:
    BatchWriter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {
        text_.reserve(kFlushAt + 4096);
    }
    ~BatchWriter() { flush(); }

    void header(UnitSystem units) {
        text_ += "line";
        for (const std::string& h : headerTexts(units)) {
            text_ += ',';
            appendCsvField(text_, h);
        }
        text_ += '\n';
    }

    void row(std::int64_t line, const RowTexts& cells) {
        char number[24];
        const auto res = std::to_chars(number, number + sizeof number, line);
        text_.append(number, static_cast<std::size_t>(res.ptr - number));
        for (const std::string& cell : cells) {
            text_ += ',';
            appendCsvField(text_, cell);
        }
        text_ += '\n';
        if (text_.size() >= kFlushAt) flush();
    }

    // Reports keep their place among the rows on a terminal: the rows before go out first.
    void report(std::int64_t line, std::string_view reason) {
        flush();
        err_ << "bpd-check: line " << line << ": " << reason << '\n';
    }

    void flush() {
        if (text_.empty()) return;
        out_.write(text_.data(), static_cast<std::streamsize>(text_.size()));
        text_.clear();
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    std::ostream& out_;
    std::ostream& err_;
    std::string text_;
};

}  // namespace

int runBatch(std::istream& in, std::ostream& out, std::ostream& err, UnitSystem units,
             BatchTotals* totals) {
    const NumberLocale cLocale{".", ","};
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    BatchTotals count;
    BatchWriter writer(out, err);
    LineReader reader(in);
    BatchColumns columns;
    bool haveHeader = false;
    std::vector<std::string> fields;
    BatchBearing bearing;
    ResultTable table;
    std::string error;

    std::string_view line;
    bool tooLong = false;
    std::int64_t lineNumber = 0;
    while (reader.next(line, tooLong)) {
        ++lineNumber;
        if (tooLong) {
            writer.report(lineNumber, "line longer than " +
                                          std::to_string(LineReader::kMaxLength) + " characters");
            ++count.badLines;
            if (!haveHeader) break;
            continue;
        }
        if (isBlankLine(line)) continue;
        if (!haveHeader) {
            if (!readBatchHeader(line, columns, error)) {
                writer.report(lineNumber, error);
                ++count.badLines;
                break;
            }
            haveHeader = true;
            writer.header(units);
            continue;
        }
        if (!splitCsvLine(line, fields)) {
            writer.report(lineNumber, "unclosed quote");
            ++count.badLines;
            continue;
        }
        if (!readBatchBearing(fields, columns, bearing, error)) {
            writer.report(lineNumber, error);
            ++count.badLines;
            continue;
        }
        analyzeValues(units, bearing.values, bearing.sliding, bearing.selection, thicknesses,
                      cLocale, table);
        ++count.bearings;
        for (const ResultRow& row : table.rows) writer.row(lineNumber, row.cells);
        count.rows += static_cast<std::int64_t>(table.rows.size());
        if (table.fault) {
            writer.report(lineNumber, "arithmetic fault in " + describeFault(*table.fault));
            ++count.badLines;
        }
    }
    if (!haveHeader && count.badLines == 0) {
        writer.report(lineNumber == 0 ? 1 : lineNumber,
                      "no header line (expected w1,b1,A,dh,Vap,sliding[,thickness])");
        ++count.badLines;
    }
    writer.flush();
    if (totals) *totals = count;
    return count.badLines == 0 ? 0 : 1;
}

}  // namespace bpd::cli
