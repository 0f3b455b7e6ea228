#include "CsvImport.h"

#include <algorithm>
#include <optional>

#include "BatchLine.h"
#include "EchoedText.h"
#include "PlainInput.h"

namespace bpd::designfile {

namespace {

// The file's lines one by one, without their line ends, numbered from 1.
class Lines {
public:
    explicit Lines(std::string_view text) : rest_(text), done_(text.empty()) {}
    bool next(std::string_view& line) {
        if (done_) return false;
        const std::size_t end = rest_.find('\n');
        line = rest_.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (end == std::string_view::npos) {
            done_ = true;
        } else {
            rest_.remove_prefix(end + 1);
            done_ = rest_.empty();  // a last line end ends the last line
        }
        ++number_;
        return true;
    }
    std::int64_t number() const { return number_; }

private:
    std::string_view rest_;
    bool done_;
    std::int64_t number_ = 0;
};

// True when c occurs in line outside double quotes.
bool hasUnquoted(std::string_view line, char c) {
    bool quoted = false;
    for (const char ch : line) {
        if (ch == '"') quoted = !quoted;
        if (!quoted && ch == c) return true;
    }
    return false;
}

// The number columns of a line (the five inputs and the quantity).
std::vector<int> numberColumns(const cli::BatchColumns& columns) {
    std::vector<int> found;
    for (const InputRule& input : kInputs) found.push_back(input.of(columns.inputs));
    if (columns.quantity >= 0) found.push_back(columns.quantity);
    return found;
}

// Whether the whole file is in the semicolon form with decimal commas: a semicolon header of
// known columns without commas, every line with the header's number of fields, and no number
// written with a decimal point. Otherwise the reason (empty when the header is no semicolon
// header at all).
std::optional<std::string> notSemicolonForm(std::string_view head, Lines lines) {
    if (!hasUnquoted(head, ';') || hasUnquoted(head, ',')) return std::string();
    std::vector<std::string> fields;
    cli::BatchColumns columns;
    std::string error;
    if (!cli::splitCsvLine(head, fields, ';') ||
        !cli::readBatchColumns(fields, columns, error, false, kResultColumnNames))
        return std::string();
    const std::vector<int> numbers = numberColumns(columns);
    std::string_view line;
    while (lines.next(line)) {
        if (cli::isBlankLine(line) || line.size() > cli::kMaxLineLength) continue;
        const std::string where = "line " + std::to_string(lines.number());
        if (!cli::splitCsvLine(line, fields, ';') ||
            static_cast<int>(fields.size()) != columns.fieldCount)
            return where + " does not have the header's " + std::to_string(columns.fieldCount) +
                   " fields between semicolons";
        for (const int column : numbers)
            if (fields[static_cast<std::size_t>(column)].find('.') != std::string::npos)
                return where + " has a decimal point (\"" +
                       cli::echoed(fields[static_cast<std::size_t>(column)]) + "\")";
    }
    return std::nullopt;
}

class Reading {
public:
    explicit Reading(CsvImport& result) : result_(result) {}
    void refuse(std::int64_t line, std::string reason) {
        ++result_.badLineCount;
        if (result_.badLines.size() < kMaxBadLinesKept)
            result_.badLines.push_back({std::max<std::int64_t>(line, 1), std::move(reason)});
    }

private:
    CsvImport& result_;
};

}  // namespace

CsvImport readBearingCsv(std::string_view text, UnitSystem units) {
    CsvImport result;
    Reading reading(result);
    if (text.size() > kMaxCsvBytes) {
        reading.refuse(0, "the file is larger than " + std::to_string(kMaxCsvBytes >> 20) + " MiB");
        return result;
    }
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Lines lines(text);
    std::string_view head;
    bool found = false;
    while (!found && lines.next(head)) found = !cli::isBlankLine(head);
    if (!found) {
        reading.refuse(lines.number(),
                       "no header line (expected w1,b1,A,dh,Vap,sliding and optionally "
                       "thickness, mark, location, quantity)");
        return result;
    }
    const std::int64_t header = lines.number();
    if (head.size() > cli::kMaxLineLength) {
        reading.refuse(header,
                       "line longer than " + std::to_string(cli::kMaxLineLength) + " characters");
        return result;
    }

    const std::optional<std::string> semicolonProblem = notSemicolonForm(head, lines);
    const bool semicolon = !semicolonProblem;
    if (semicolonProblem && !semicolonProblem->empty())
        result.formNote =
            "not read as semicolon-separated with decimal commas: " + *semicolonProblem +
            "; read with commas and decimal points";
    result.form = semicolon ? CsvForm::SemicolonDecimalComma : CsvForm::Comma;
    const char separator = semicolon ? ';' : ',';
    const NumberLocale& numbers = semicolon ? cli::decimalCommaNumbers() : NumberLocale::plain();

    std::vector<std::string> fields;
    cli::BatchColumns columns;
    std::string error;
    if (!cli::splitCsvLine(head, fields, separator)) {
        reading.refuse(header, "header: unclosed quote");
        return result;
    }
    if (!cli::readBatchColumns(fields, columns, error, false, kResultColumnNames)) {
        reading.refuse(header, error);
        return result;
    }

    cli::BatchBearing bearing;
    std::string_view line;
    while (lines.next(line)) {
        const std::int64_t i = lines.number();
        if (line.size() > cli::kMaxLineLength) {
            reading.refuse(
                i, "line longer than " + std::to_string(cli::kMaxLineLength) + " characters");
            continue;
        }
        if (cli::isBlankLine(line)) continue;
        if (!cli::splitCsvLine(line, fields, separator)) {
            reading.refuse(i, "unclosed quote");
            continue;
        }
        if (!cli::readBatchBearing(fields, columns, bearing, error, false, numbers)) {
            reading.refuse(i, error);
            continue;
        }
        if (result.bearings.size() >= kMaxCsvBearings) {
            reading.refuse(
                i, "more than " + std::to_string(kMaxCsvBearings) + " bearings in one file");
            continue;
        }
        result.bearings.push_back(cli::designBearingOf(bearing, units));
    }
    return result;
}

}  // namespace bpd::designfile
