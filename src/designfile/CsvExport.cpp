#include "CsvExport.h"

#include "BatchLine.h"
#include "CsvImport.h"
#include "NumberFormat.h"

namespace bpd::designfile {

namespace {

// A batch line is one line: a line break in a text becomes a blank.
void appendText(std::string& out, std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    cli::appendCsvField(out, text);
}

}  // namespace

std::string writeBearingCsv(const std::vector<ScheduleLine>& lines) {
    std::string out = "mark,location,quantity";
    for (const InputRule& input : kInputs) {
        out += ',';
        out += input.name;
    }
    out += ",sliding,thickness";
    for (const std::string_view name : kResultColumnNames) {
        out += ',';
        out += name;
    }
    out += '\n';
    for (const ScheduleLine& line : lines) {
        const DesignBearing& bearing = line.bearing;
        appendText(out, bearing.mark.value_or(std::string()));
        out += ',';
        appendText(out, bearing.location);
        out += ',';
        out += formatShortest(bearing.quantity);
        for (const InputRule& input : kInputs) {
            out += ',';
            if (const std::optional<double> value = input.of(bearing.values))
                out += formatShortest(*value);
        }
        out += bearing.sliding ? ",yes," : ",no,";
        appendText(out, bearing.thickness);
        for (const std::string* result :
             {&line.status, &line.thinnest, &line.governs, &line.utilisation}) {
            out += ',';
            appendText(out, *result);
        }
        out += '\n';
    }
    return out;
}

}  // namespace bpd::designfile
