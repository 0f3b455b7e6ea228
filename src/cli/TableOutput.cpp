#include "TableOutput.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "BatchLine.h"

namespace bpd::cli {

namespace {

// Column keys of the JSON rows: the same in both unit systems.
constexpr std::array<std::string_view, kResultColumns> kJsonKeys{
    "status", "t", "SF", "Vnr", "Snr", "R", "Var", "W2", "Es", "Sap", "N", "Ss", "G"};

// Display width of a UTF-8 text (code points; the texts hold no wide characters).
std::size_t displayWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

const std::array<std::string_view, kResultColumns>& jsonColumnKeys() {
    return kJsonKeys;
}

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

std::string describeFault(const RunFault& fault) {
    if (fault.kind == RunFault::Kind::InputNotNumeric) return fault.quantity + ": not a number";
    return "row " + std::to_string(fault.tableRow) + " (t = " + fault.thickness +
           "): " + fault.quantity + ": " + std::string(causeText(fault.cause));
}

void writeAlignedLines(std::ostream& out, const std::vector<std::vector<std::string_view>>& lines) {
    std::vector<std::size_t> widths;
    for (const auto& cells : lines) {
        if (widths.size() < cells.size()) widths.resize(cells.size());
        for (std::size_t c = 0; c < cells.size(); ++c) {
            widths[c] = std::max(widths[c], displayWidth(cells[c]));
        }
    }
    for (const auto& cells : lines) {
        std::string line;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            line += cells[c];
            if (c + 1 < cells.size()) line.append(widths[c] - displayWidth(cells[c]) + 2, ' ');
        }
        line += '\n';
        out << line;
    }
}

namespace {

// The cells of the header and of each computed row, with the explanation columns when given.
std::vector<std::vector<std::string>> tableLines(const ResultTable& table,
                                                 std::span<const RowExplanation> explained) {
    std::vector<std::vector<std::string>> lines;
    auto& header = lines.emplace_back(table.header.begin(), table.header.end());
    if (!explained.empty()) {
        for (const std::string_view h : explanationHeader()) header.emplace_back(h);
    }
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        auto& line = lines.emplace_back(table.rows[r].cells.begin(), table.rows[r].cells.end());
        if (r < explained.size()) {
            for (std::string& text : explanationTexts(explained[r]))
                line.push_back(std::move(text));
        }
    }
    return lines;
}

}  // namespace

void writeTextTable(std::ostream& out, const ResultTable& table,
                    std::span<const RowExplanation> explained) {
    const std::vector<std::vector<std::string>> lines = tableLines(table, explained);
    std::vector<std::vector<std::string_view>> views;
    for (const auto& line : lines) views.emplace_back(line.begin(), line.end());
    writeAlignedLines(out, views);
}

void writeCsvTable(std::ostream& out, const ResultTable& table,
                   std::span<const RowExplanation> explained) {
    std::string text;
    for (const auto& cells : tableLines(table, explained)) {
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) text += ',';
            appendCsvField(text, cells[c]);
        }
        text += '\n';
    }
    out << text;
}

void appendJsonExplanation(std::string& out, const RowExplanation& explanation) {
    const auto texts = explanationTexts(explanation);
    for (int c = 0; c < kExplanationColumns; ++c) {
        out += ", ";
        appendJsonString(out, explanationHeader()[static_cast<std::size_t>(c)]);
        out += ": ";
        appendJsonString(out, texts[static_cast<std::size_t>(c)]);
    }
}

void writeJsonTable(std::ostream& out, const ResultTable& table, UnitSystem units, bool sliding,
                    std::string_view thickness, std::span<const RowExplanation> explained) {
    std::string text = "{\n  \"units\": ";
    appendJsonString(text, unitSystemName(units));
    text += ",\n  \"sliding\": ";
    text += sliding ? "true" : "false";
    text += ",\n  \"thickness\": ";
    appendJsonString(text, thickness);
    text += ",\n  \"header\": [";
    for (int c = 0; c < kResultColumns; ++c) {
        if (c > 0) text += ", ";
        appendJsonString(text, table.header[c]);
    }
    text += "],\n  \"rows\": [";
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        text += r == 0 ? "\n    {" : ",\n    {";
        const ResultRow& row = table.rows[r];
        for (int c = 0; c < kResultColumns; ++c) {
            if (c > 0) text += ", ";
            appendJsonString(text, kJsonKeys[c]);
            text += ": ";
            appendJsonString(text, row.cells[c]);
        }
        text += ", \"passes\": ";
        text += row.values.passes() ? "true" : "false";
        if (r < explained.size()) appendJsonExplanation(text, explained[r]);
        text += '}';
    }
    text += table.rows.empty() ? "],\n" : "\n  ],\n";
    text += "  \"fault\": ";
    if (table.fault) {
        const RunFault& f = *table.fault;
        text += "{\"kind\": ";
        appendJsonString(text, f.kind == RunFault::Kind::Arithmetic ? "arithmetic" : "input");
        text += ", \"row\": " + std::to_string(f.tableRow) + ", \"thickness\": ";
        appendJsonString(text, f.thickness);
        text += ", \"quantity\": ";
        appendJsonString(text, f.quantity);
        text += ", \"message\": ";
        appendJsonString(text, describeFault(f));
        text += '}';
    } else {
        text += "null";
    }
    text += "\n}\n";
    out << text;
}

}  // namespace bpd::cli
