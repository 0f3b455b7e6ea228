#include "CsvImport.h"

#include <optional>

#include "BatchLine.h"
#include "EchoedText.h"
#include "PlainInput.h"

namespace bpd::designfile {

namespace {

// The file's lines without their line ends.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

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
std::optional<std::string> notSemicolonForm(const std::vector<std::string_view>& lines,
                                            std::size_t header) {
    const std::string_view head = lines[header];
    if (!hasUnquoted(head, ';') || hasUnquoted(head, ',')) return std::string();
    std::vector<std::string> fields;
    cli::BatchColumns columns;
    std::string error;
    if (!cli::splitCsvLine(head, fields, ';') ||
        !cli::readBatchColumns(fields, columns, error, false, kResultColumnNames))
        return std::string();
    const std::vector<int> numbers = numberColumns(columns);
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        if (cli::isBlankLine(lines[i]) || lines[i].size() > cli::kMaxLineLength) continue;
        const std::string where = "line " + std::to_string(i + 1);
        if (!cli::splitCsvLine(lines[i], fields, ';') ||
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
    void refuse(std::size_t index, std::string reason) {
        ++result_.badLineCount;
        if (result_.badLines.size() < kMaxBadLinesKept)
            result_.badLines.push_back({static_cast<std::int64_t>(index + 1), std::move(reason)});
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
    const std::vector<std::string_view> lines = linesOf(text);

    std::size_t header = 0;
    while (header < lines.size() && cli::isBlankLine(lines[header])) ++header;
    if (header == lines.size()) {
        reading.refuse(header == 0 ? 0 : header - 1,
                       "no header line (expected w1,b1,A,dh,Vap,sliding and optionally "
                       "thickness, mark, location, quantity)");
        return result;
    }
    if (lines[header].size() > cli::kMaxLineLength) {
        reading.refuse(header,
                       "line longer than " + std::to_string(cli::kMaxLineLength) + " characters");
        return result;
    }

    const std::optional<std::string> semicolonProblem = notSemicolonForm(lines, header);
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
    if (!cli::splitCsvLine(lines[header], fields, separator)) {
        reading.refuse(header, "header: unclosed quote");
        return result;
    }
    if (!cli::readBatchColumns(fields, columns, error, false, kResultColumnNames)) {
        reading.refuse(header, error);
        return result;
    }

    cli::BatchBearing bearing;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
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
