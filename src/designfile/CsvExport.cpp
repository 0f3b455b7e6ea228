#include "CsvExport.h"

#include "BatchLine.h"
#include "CsvImport.h"
#include "NumberFormat.h"

namespace bpd::designfile {

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
        cli::appendCsvField(out, bearing.mark.value_or(std::string()));
        out += ',';
        cli::appendCsvField(out, bearing.location);
        out += ',';
        out += formatShortest(bearing.quantity);
        for (const InputRule& input : kInputs) {
            out += ',';
            if (const std::optional<double> value = input.of(bearing.values))
                out += formatShortest(*value);
        }
        out += bearing.sliding ? ",yes," : ",no,";
        cli::appendCsvField(out, bearing.thickness);
        for (const std::string* result :
             {&line.status, &line.thinnest, &line.governs, &line.utilisation}) {
            out += ',';
            cli::appendCsvField(out, *result);
        }
        out += '\n';
    }
    return out;
}

}  // namespace bpd::designfile
