#include "LineCheck.h"

#include <algorithm>
#include <limits>

#include "ResultTable.h"
#include "RowAdvice.h"
#include "ThicknessCatalogue.h"

namespace bpd::schedule {

namespace {

double governingValue(const RowExplanation& e) {
    return e.governing == DesignCheck::Compression ? e.compression : e.shear;
}

// "Arithmetic fault at t = 1/4 in. (Var)": a run the engine stopped.
std::string faultText(const RunFault& fault) {
    return "arithmetic fault at t = " + fault.thickness + " (" + fault.quantity + ")";
}

}  // namespace

LineCheck checkLine(UnitSystem units, const designfile::DesignBearing& bearing,
                    std::size_t position) {
    LineCheck line;
    line.problem = designfile::bearingProblem(units, bearing, position);
    if (line.problem) {
        line.status = line.problem->field + ": " + line.problem->reason;
        line.why = designfile::describeProblem(*line.problem);
        return line;
    }
    const InputValues values = designfile::fieldValues(bearing);
    const double VapKips = padInputOf(units, values, bearing.sliding).Vap;
    AnalysisRequest request = designfile::analysisRequest(units, bearing);
    const ResultTable chosen = analyze(request, NumberLocale::c());
    request.selection = ThicknessCatalogue::allPosition;
    const ResultTable every =
        chosen.labels.size() > 1 ? chosen : analyze(request, NumberLocale::c());

    for (const ResultRow& row : every.rows)
        if (row.values.passes()) {
            line.thinnest = row.cells[kLabelColumn];
            break;
        }

    const ResultRow* shown = nullptr;
    if (chosen.labels.size() == 1) {
        shown = chosen.rows.empty() ? nullptr : &chosen.rows.front();
    } else {
        double lowest = std::numeric_limits<double>::infinity();
        for (const ResultRow& row : chosen.rows) {
            if (row.values.passes()) {
                shown = &row;
                break;
            }
            const double u = governingValue(explainRow(row.values, VapKips));
            if (!shown || u < lowest) {
                shown = &row;
                lowest = u;
            }
        }
    }
    if (chosen.fault) {
        line.status = "FAIL!";
        line.why = faultText(*chosen.fault);
        return line;
    }
    if (!shown) return line;
    line.passes = shown->values.passes();
    line.status = line.passes ? "Pass" : "FAIL!";
    line.governingThickness = shown->cells[kLabelColumn];
    line.explanation = explainRow(shown->values, VapKips);
    line.utilisation = governingValue(*line.explanation);
    if (!line.passes) line.why = adviseFailingRow(units, values, bearing.sliding, *shown);
    return line;
}

std::string governingUtilisation(const LineCheck& line) {
    if (!line.explanation) return {};
    return formatUtilisation(line.utilisation);
}

}  // namespace bpd::schedule
