#include "SizedPadOutput.h"

#include <string_view>
#include <vector>

#include "BatchLine.h"

namespace bpd::cli {

namespace {

std::vector<std::string> headerFields(UnitSystem units) {
    std::vector<std::string> fields{"w1", "b1"};
    for (const std::string& h : headerTexts(units)) fields.push_back(h);
    for (const std::string_view h : explanationHeader()) fields.emplace_back(h);
    return fields;
}

std::vector<std::string> rowFields(const SizedPad& pad) {
    std::vector<std::string> fields{pad.w1.text, pad.b1.text};
    for (const std::string& cell : pad.row.cells) fields.push_back(cell);
    for (std::string& text : explanationTexts(pad.explanation)) fields.push_back(std::move(text));
    return fields;
}

void appendCsvFields(std::string& out, const std::vector<std::string>& fields) {
    for (std::size_t c = 0; c < fields.size(); ++c) {
        if (c > 0) out += ',';
        appendCsvField(out, fields[c]);
    }
}

std::string jsonText(UnitSystem units, bool sliding, const SizedPad& pad) {
    std::string text = "{\n  \"units\": ";
    appendJsonString(text, unitSystemName(units));
    text += ",\n  \"sliding\": ";
    text += sliding ? "true" : "false";
    text += ",\n  \"w1\": ";
    appendJsonString(text, pad.w1.text);
    text += ",\n  \"b1\": ";
    appendJsonString(text, pad.b1.text);
    text += ",\n  \"header\": [";
    const RowTexts header = headerTexts(units);
    for (int c = 0; c < kResultColumns; ++c) {
        if (c > 0) text += ", ";
        appendJsonString(text, header[static_cast<std::size_t>(c)]);
    }
    text += "],\n  \"row\": {";
    for (int c = 0; c < kResultColumns; ++c) {
        if (c > 0) text += ", ";
        appendJsonString(text, jsonColumnKeys()[static_cast<std::size_t>(c)]);
        text += ": ";
        appendJsonString(text, pad.row.cells[static_cast<std::size_t>(c)]);
    }
    text += ", \"passes\": ";
    text += pad.row.values.passes() ? "true" : "false";
    appendJsonExplanation(text, pad.explanation);
    text += "}\n}\n";
    return text;
}

}  // namespace

std::string sizedCsvHeader(UnitSystem units) {
    std::string text;
    appendCsvFields(text, headerFields(units));
    return text;
}

void appendSizedCsvFields(std::string& out, const SizedPad& pad) {
    appendCsvFields(out, rowFields(pad));
}

void writeSizedPad(std::ostream& out, OutputFormat format, UnitSystem units, bool sliding,
                   const SizedPad& pad) {
    switch (format) {
        case OutputFormat::Text: {
            const std::vector<std::string> header = headerFields(units);
            const std::vector<std::string> row = rowFields(pad);
            writeAlignedLines(out, {std::vector<std::string_view>(header.begin(), header.end()),
                                    std::vector<std::string_view>(row.begin(), row.end())});
            break;
        }
        case OutputFormat::Csv: {
            std::string text = sizedCsvHeader(units) + '\n';
            appendSizedCsvFields(text, pad);
            out << text << '\n';
            break;
        }
        case OutputFormat::Json:
            out << jsonText(units, sliding, pad);
            break;
    }
}

}  // namespace bpd::cli
