#include "BatchRun.h"

#include <array>
#include <charconv>
#include <cstring>
#include <optional>
#include <span>

#include "BatchLine.h"
#include "DescriptorBuffer.h"
#include "ExitStatus.h"
#include "PadSizing.h"
#include "ResultTable.h"
#include "RowExplanation.h"
#include "ShortCopy.h"
#include "SizedPadOutput.h"
#include "TableOutput.h"
#include "ThicknessCatalogue.h"

namespace bpd::cli {

LineReader::LineReader(std::istream& in) : in_(in), buffer_(kChunk) {}

bool LineReader::failed() const {
    return static_cast<bool>(streamError(in_));
}

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
            // A failed read ends the input: a line it cut short is not a line.
            if (!started || failed()) return false;
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

class BatchWriter : public RowStream {
public:
    BatchWriter(std::ostream& out, std::ostream& err, bool explain)
        : out_(out), err_(err), explain_(explain), buffer_(kFlushAt + 16384) {}
    ~BatchWriter() override { flush(); }

    // The input line whose rows come next, and its load as the chain uses it (kips).
    void startBearing(std::int64_t line, double VapKips) {
        line_ = line;
        rows_ = 0;
        VapKips_ = VapKips;
    }
    std::int64_t rowsOfBearing() const { return rows_; }

    void row(const std::array<std::string_view, kResultColumns>& cells,
             const PadResult& values) override {
        ++rows_;
        if (!explain_) {
            write(line_, cells, {});
            return;
        }
        const auto texts = explanationTexts(explainRow(values, VapKips_));
        write(line_, cells, texts);
    }

    // "line", then the 13 header texts (and the explanation's, or the sized form's).
    void header(UnitSystem units, const BatchOptions& options) {
        std::string text = "line";
        if (options.size) {
            text += ',';
            text += sizedCsvHeader(units);
        } else {
            for (const std::string& h : headerTexts(units)) {
                text += ',';
                appendCsvField(text, h);
            }
            if (options.explain) {
                for (const std::string_view h : explanationHeader()) {
                    text += ',';
                    text += h;
                }
            }
        }
        text += '\n';
        flush();
        out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    }

    // The cells are short and, in the C locale, never hold a comma, quote or line end
    // (digits, sign, ".", fixed labels, the explanation's words): they are copied as they
    // stand.
    void write(std::int64_t line, const std::array<std::string_view, kResultColumns>& cells,
               std::span<const std::string> more) {
        std::size_t size = 24;
        for (const std::string_view cell : cells) size += cell.size() + 1;
        for (const std::string& field : more) size += field.size() + 1;
        if (used_ + size > buffer_.size()) {
            flush();
            if (size > buffer_.size()) buffer_.resize(size);
        }
        char* const start = buffer_.data() + used_;
        char* p = std::to_chars(start, start + 24, line).ptr;
        for (const std::string_view cell : cells) {
            *p++ = ',';
            p = copyShort(p, cell.data(), cell.size());
        }
        for (const std::string& field : more) {
            *p++ = ',';
            p = copyShort(p, field.data(), field.size());
        }
        *p++ = '\n';
        used_ += static_cast<std::size_t>(p - start);
        if (used_ >= kFlushAt) flush();
    }

    // One sized line: the line number, w1, b1, the 13 cells and the explanation.
    void writeSized(std::int64_t line, const SizedPad& pad) {
        std::string text = std::to_string(line) + ',';
        appendSizedCsvFields(text, pad);
        text += '\n';
        if (used_ + text.size() > buffer_.size()) {
            flush();
            if (text.size() > buffer_.size()) buffer_.resize(text.size());
        }
        std::memcpy(buffer_.data() + used_, text.data(), text.size());
        used_ += text.size();
        if (used_ >= kFlushAt) flush();
    }

    // Reports keep their place among the rows on a terminal: the rows before go out first.
    void report(std::int64_t line, std::string_view reason) {
        flush();
        err_ << "bpd-check: line " << line << ": " << reason << '\n';
    }

    void flush() {
        if (used_ == 0) return;
        out_.write(buffer_.data(), static_cast<std::streamsize>(used_));
        used_ = 0;
    }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    std::ostream& out_;
    std::ostream& err_;
    bool explain_;
    double VapKips_ = 0;
    std::vector<char> buffer_;  // rows not yet written out
    std::size_t used_ = 0;
    std::int64_t line_ = 0;
    std::int64_t rows_ = 0;
};

// Sizes the pad of one line: writes its line, or reports why no pad passes.
bool sizeBearing(const BatchBearing& bearing, UnitSystem units, const std::vector<PlanSize>& sizes,
                 std::int64_t line, BatchWriter& writer) {
    SizingRequest request;
    request.units = units;
    request.A = bearing.values.A;
    request.dh = bearing.values.dh;
    request.Vap = bearing.values.Vap;
    request.sliding = bearing.sliding;
    if (bearing.w1Given) request.w1 = planSizeOf(bearing.values.w1);
    if (bearing.b1Given) request.b1 = planSizeOf(bearing.values.b1);
    request.sizes = sizes;
    request.selection = bearing.selection;
    const SizingResult result = sizePad(request);
    if (!result.pad) {
        writer.report(line, "no pad passes: " + describeNoPass(result.noPass));
        return false;
    }
    writer.writeSized(line, *result.pad);
    return true;
}

}  // namespace

int runBatch(std::istream& in, std::string_view inputName, std::ostream& out, std::ostream& err,
             UnitSystem units, BatchTotals* totals) {
    return runBatch(in, inputName, out, err, units, BatchOptions{}, totals);
}

int runBatch(std::istream& in, std::string_view inputName, std::ostream& out, std::ostream& err,
             UnitSystem units, const BatchOptions& options, BatchTotals* totals) {
    const NumberLocale& cLocale = NumberLocale::c();
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    BatchTotals count;
    BatchWriter writer(out, err, options.explain);
    LineReader reader(in);
    BatchColumns columns;
    bool haveHeader = false;
    std::vector<std::string> fields;
    BatchBearing bearing;
    std::string error;

    std::string_view line;
    bool tooLong = false;
    std::int64_t lineNumber = 0;
    // A failed output ends the run: nothing after it would reach the reader.
    while (!out.bad() && reader.next(line, tooLong)) {
        ++lineNumber;
        if (tooLong) {
            writer.report(lineNumber, "line longer than " + std::to_string(LineReader::kMaxLength) +
                                          " characters");
            ++count.badLines;
            if (!haveHeader) break;
            continue;
        }
        if (isBlankLine(line)) continue;
        if (!haveHeader) {
            if (!readBatchHeader(line, columns, error, options.size)) {
                writer.report(lineNumber, error);
                ++count.badLines;
                break;
            }
            haveHeader = true;
            writer.header(units, options);
            continue;
        }
        if (!splitCsvLine(line, fields)) {
            writer.report(lineNumber, "unclosed quote");
            ++count.badLines;
            continue;
        }
        if (!readBatchBearing(fields, columns, bearing, error, options.size)) {
            writer.report(lineNumber, error);
            ++count.badLines;
            continue;
        }
        if (options.size) {
            ++count.bearings;
            if (sizeBearing(bearing, units, options.sizes, lineNumber, writer)) {
                ++count.rows;
            } else {
                ++count.badLines;
            }
            continue;
        }
        // The rows go straight from the engine into the output buffer.
        writer.startBearing(lineNumber, padInputOf(units, bearing.values, bearing.sliding).Vap);
        const std::optional<RunFault> fault =
            streamRows(units, bearing.values, bearing.sliding, bearing.selection, thicknesses,
                       cLocale, writer);
        ++count.bearings;
        count.rows += writer.rowsOfBearing();
        if (fault) {
            writer.report(lineNumber, "arithmetic fault in " + describeFault(*fault));
            ++count.badLines;
        }
    }
    if (const std::error_code error = streamError(in)) {
        writer.flush();
        err << "bpd-check: cannot read " << inputName;
        if (lineNumber > 0) err << " after line " << lineNumber;
        err << ": " << error.message() << '\n';
        if (totals) *totals = count;
        return kExitUsage;
    }
    if (!haveHeader && count.badLines == 0 && !out.bad()) {
        writer.report(lineNumber == 0 ? 1 : lineNumber,
                      options.size
                          ? "no header line (expected A,dh,Vap,sliding[,w1][,b1][,thickness])"
                          : "no header line (expected w1,b1,A,dh,Vap,sliding[,thickness])");
        ++count.badLines;
    }
    writer.flush();
    if (totals) *totals = count;
    return count.badLines == 0 ? kExitDone : kExitReported;
}

}  // namespace bpd::cli
