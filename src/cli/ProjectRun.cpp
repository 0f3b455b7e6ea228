#include "ProjectRun.h"

#include <algorithm>
#include <optional>
#include <span>
#include <sstream>

#include "AtomicWrite.h"
#include "BatchLine.h"
#include "BatchRun.h"
#include "BearingInputs.h"
#include "DescriptorBuffer.h"
#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "EchoedText.h"
#include "ExitStatus.h"
#include "PadSizing.h"
#include "ResultTable.h"
#include "RowExplanation.h"
#include "SizedPadOutput.h"
#include "ThicknessCatalogue.h"

namespace bpd::cli {

namespace {

using designfile::DesignBearing;

// The fields of a CSV text whose fields hold no comma (header texts, cells in the C locale).
std::vector<std::string> splitPlain(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        fields.push_back(text.substr(start, comma - start));
    fields.push_back(text.substr(start));
    return fields;
}

// The three output forms of a project, bearing by bearing. CSV goes out as it comes; the
// text table is aligned over all lines, so it is kept until the end.
class ProjectWriter {
public:
    ProjectWriter(std::ostream& out, std::ostream& err, const ProjectOptions& options,
                  UnitSystem units)
        : out_(out), err_(err), options_(options), units_(units) {}

    void header() {
        std::vector<std::string> fields{"mark"};
        if (options_.size) {
            for (std::string& field : splitPlain(sizedCsvHeader(units_)))
                fields.push_back(std::move(field));
        } else {
            for (const std::string& h : headerTexts(units_)) fields.push_back(h);
            if (options_.explain)
                for (const std::string_view h : explanationHeader()) fields.emplace_back(h);
        }
        switch (options_.format) {
            case OutputFormat::Csv:
                line(fields);
                break;
            case OutputFormat::Text:
                lines_.push_back(std::move(fields));
                break;
            case OutputFormat::Json:
                buffer_ += "{\"units\": ";
                appendJsonString(buffer_, designfile::unitsName(units_));
                buffer_ += ", \"bearings\": [";
                break;
        }
    }

    void table(std::size_t position, const DesignBearing& bearing, const ResultTable& table,
               std::span<const RowExplanation> explained) {
        if (options_.format == OutputFormat::Json) {
            std::ostringstream json;
            writeJsonTable(json, table, units_, bearing.sliding,
                           table.labels.size() == 1 ? table.labels[0] : std::string("All"),
                           explained);
            jsonBearing(position, bearing, "table", json.str());
            return;
        }
        for (std::size_t r = 0; r < table.rows.size(); ++r) {
            std::vector<std::string> fields{*bearing.mark};
            for (const std::string& cell : table.rows[r].cells) fields.push_back(cell);
            if (r < explained.size())
                for (std::string& text : explanationTexts(explained[r]))
                    fields.push_back(std::move(text));
            row(std::move(fields));
        }
    }

    void sized(std::size_t position, const DesignBearing& bearing, const SizedPad& pad) {
        if (options_.format == OutputFormat::Json) {
            std::ostringstream json;
            writeSizedPad(json, OutputFormat::Json, units_, bearing.sliding, pad);
            jsonBearing(position, bearing, "pad", json.str());
            return;
        }
        std::string text;
        appendSizedCsvFields(text, pad);
        std::vector<std::string> fields{*bearing.mark};
        for (std::string& field : splitPlain(text)) fields.push_back(std::move(field));
        row(std::move(fields));
    }

    // "bpd-check: bearing 3 (B3): w1: must be positive"; the rows before go out first.
    void report(designfile::BearingProblem problem) {
        if (problem.mark) problem.mark = echoed(*problem.mark);
        flush();
        err_ << "bpd-check: " << designfile::describeProblem(problem) << '\n';
    }

    void finish() {
        if (options_.format == OutputFormat::Json) buffer_ += bearings_ == 0 ? "]}\n" : "\n]}\n";
        if (options_.format == OutputFormat::Text) {
            std::vector<std::vector<std::string_view>> views;
            views.reserve(lines_.size());
            for (const auto& fields : lines_) views.emplace_back(fields.begin(), fields.end());
            flush();
            writeAlignedLines(out_, views);
        }
        flush();
    }

    bool failed() const { return out_.bad(); }

private:
    void row(std::vector<std::string> fields) {
        if (options_.format == OutputFormat::Text) {
            lines_.push_back(std::move(fields));
            return;
        }
        line(fields);
    }

    void line(const std::vector<std::string>& fields) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) buffer_ += ',';
            appendCsvField(buffer_, fields[i]);
        }
        buffer_ += '\n';
        if (buffer_.size() >= kFlushAt) flush();
    }

    void jsonBearing(std::size_t position, const DesignBearing& bearing, std::string_view member,
                     std::string json) {
        while (!json.empty() && json.back() == '\n') json.pop_back();
        buffer_ += bearings_++ == 0 ? "\n" : ",\n";
        buffer_ += "{\"position\": " + std::to_string(position) + ", \"mark\": ";
        appendJsonString(buffer_, *bearing.mark);
        buffer_ += ", \"";
        buffer_ += member;
        buffer_ += "\": ";
        buffer_ += json;
        buffer_ += '}';
        if (buffer_.size() >= kFlushAt) flush();
    }

    void flush() {
        if (buffer_.empty()) return;
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }

    static constexpr std::size_t kFlushAt = 1 << 16;
    std::ostream& out_;
    std::ostream& err_;
    const ProjectOptions& options_;
    UnitSystem units_;
    std::string buffer_;
    std::vector<std::vector<std::string>> lines_;  // the text table
    std::size_t bearings_ = 0;                     // JSON bearings written
};

designfile::BearingProblem problemOf(std::size_t position, const DesignBearing& bearing,
                                     std::string field, std::string reason) {
    return {position, bearing.mark, std::move(field), std::move(reason)};
}

// Checks one bearing that has no problem; false when it was reported.
bool checkBearing(std::size_t position, const DesignBearing& bearing, UnitSystem units,
                  const ProjectOptions& options, const std::vector<PlanSize>& sizes,
                  ResultTable& table, ProjectWriter& writer) {
    const InputValues values = designfile::fieldValues(bearing);
    const int selection = designfile::thicknessPosition(units, bearing);
    if (options.size) {
        const SizingResult result = sizePad(designfile::sizingRequest(units, bearing, sizes));
        if (!result.pad) {
            writer.report(
                problemOf(position, bearing, "no pad passes", describeNoPass(result.noPass)));
            return false;
        }
        writer.sized(position, bearing, *result.pad);
        return true;
    }
    static const auto thicknesses = ThicknessCatalogue::thicknesses();
    analyzeValues(units, values, bearing.sliding, selection, thicknesses, NumberLocale::c(), table);
    std::vector<RowExplanation> explained;
    if (options.explain) {
        const double VapKips = padInputOf(units, values, bearing.sliding).Vap;
        for (const ResultRow& row : table.rows)
            explained.push_back(explainRow(row.values, VapKips));
    }
    writer.table(position, bearing, table, explained);
    if (!table.fault) return true;
    writer.report(problemOf(position, bearing, "arithmetic fault", describeFault(*table.fault)));
    return false;
}

// The package of every bearing without a problem, in file order, with the file's project data.
PackageRequest packageOf(const designfile::DesignDocument& document,
                         const std::vector<designfile::BearingProblem>& problems,
                         const std::string& path) {
    PackageRequest request;
    request.path = path;
    request.company = document.project.company;
    request.projectName = document.project.projectName;
    request.engineer = document.project.engineer;
    request.description = document.project.description;
    auto problem = problems.begin();
    for (std::size_t i = 0; i < document.bearings.size(); ++i) {
        if (problem != problems.end() && problem->position == i + 1) {
            ++problem;
            continue;
        }
        const designfile::DesignBearing& bearing = document.bearings[i];
        request.bearings.push_back(
            {BearingInputs{document.units, designfile::fieldValues(bearing), bearing.sliding,
                           designfile::thicknessPosition(document.units, bearing)},
             bearing.mark.value_or(std::string()), bearing.location,
             designfile::quantityOf(bearing)});
    }
    return request;
}

}  // namespace

int runProject(const std::string& path, std::ostream& out, std::ostream& err,
               const ProjectOptions& options, SheetService* sheets) {
    const designfile::ReadResult read = designfile::readDesignFile(path, '"' + echoed(path) + '"');
    if (!read.document) {
        err << "bpd-check: " << read.refusal << '\n';
        return kExitUsage;
    }
    const designfile::DesignDocument& document = *read.document;
    std::vector<PlanSize> sizes;
    if (options.size) {
        std::string error;
        const auto grid = planSizes(
            options.step.value_or(std::string(defaultSizingStep(document.units))),
            options.maximum.value_or(std::string(defaultSizingMaximum(document.units))), error);
        if (!grid) {
            err << "bpd-check: " << error << '\n';
            return kExitUsage;
        }
        sizes = *grid;
    }
    ProjectWriter writer(out, err, options, document.units);
    writer.header();
    ResultTable table;
    bool reported = !read.problems.empty();
    auto problem = read.problems.begin();
    for (std::size_t i = 0; i < document.bearings.size() && !writer.failed(); ++i) {
        const std::size_t position = i + 1;
        if (problem != read.problems.end() && problem->position == position) {
            writer.report(*problem++);
            continue;
        }
        if (!checkBearing(position, document.bearings[i], document.units, options, sizes, table,
                          writer))
            reported = true;
    }
    writer.finish();
    const int status = reported ? kExitReported : kExitDone;
    if (!options.sheet || writer.failed()) return status;
    out.flush();  // the rows come whole before any word on the package
    const PackageRequest package = packageOf(document, read.problems, *options.sheet);
    const bool written = sheetWritten(
        sheets, package.path, [&](SheetService& s) { return s.writePackage(package); }, err);
    return written ? status : kExitOutput;
}

int saveProject(std::istream& in, std::string_view inputName, const std::string& target,
                UnitSystem units, std::ostream& err) {
    designfile::DesignDocument document;
    document.units = units;
    LineReader reader(in);
    BatchColumns columns;
    BatchBearing bearing;
    std::vector<std::string> fields;
    std::string error;
    bool haveHeader = false;
    std::int64_t reported = 0;
    std::int64_t lineNumber = 0;
    auto report = [&](std::string_view reason) {
        err << "bpd-check: line " << lineNumber << ": " << reason << '\n';
        ++reported;
    };
    std::string_view line;
    bool tooLong = false;
    while (reader.next(line, tooLong)) {
        ++lineNumber;
        if (tooLong) {
            report("line longer than " + std::to_string(LineReader::kMaxLength) + " characters");
            if (!haveHeader) break;
            continue;
        }
        if (isBlankLine(line)) continue;
        if (!haveHeader) {
            if (!readBatchHeader(line, columns, error)) {
                report(error);
                break;
            }
            haveHeader = true;
            continue;
        }
        if (!splitCsvLine(line, fields)) {
            report("unclosed quote");
            continue;
        }
        if (!readBatchBearing(fields, columns, bearing, error)) {
            report(error);
            continue;
        }
        document.bearings.push_back(designBearingOf(bearing, units));
    }
    if (const std::error_code readError = streamError(in)) {
        err << "bpd-check: cannot read " << inputName << ": " << readError.message()
            << "; nothing was written\n";
        return kExitUsage;
    }
    if (!haveHeader && reported == 0) {
        lineNumber = std::max<std::int64_t>(lineNumber, 1);
        report("no header line (expected w1,b1,A,dh,Vap,sliding[,thickness])");
    }
    const std::string name = '"' + echoed(target) + '"';
    if (reported > 0) {
        err << "bpd-check: " << name << " was not written (" << reported
            << (reported == 1 ? " line" : " lines") << " reported)\n";
        return kExitReported;
    }
    if (!fileio::AtomicWrite::writeFile(target, designfile::writeDesignText(document), &error)) {
        err << "bpd-check: cannot write " << name << ": " << error
            << " (the file keeps what it held)\n";
        return kExitOutput;
    }
    return kExitDone;
}

}  // namespace bpd::cli
