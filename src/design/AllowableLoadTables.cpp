#include "AllowableLoadTables.h"

#include <stdexcept>

#include "NumberFormat.h"
#include "PlanSizes.h"
#include "ResultTable.h"
#include "ThicknessCatalogue.h"

namespace bpd {

namespace {

struct SideRange {
    const char* first;
    const char* step;
    const char* last;
};

SideRange sideRange(UnitSystem units) {
    return units == UnitSystem::SI ? SideRange{"100", "50", "600"} : SideRange{"4", "2", "24"};
}

constexpr const char* kAngles[] = {"0.005", "0.01", "0.02"};

// Any admissible dh and Vap: Var does not depend on them.
constexpr const char* kAnyDh = "1";
constexpr const char* kAnyVap = "0";

}  // namespace

std::string allowableLoad(UnitSystem units, int position, const std::string& side,
                          const AllowableLoadColumn& column) {
    AnalysisRequest request;
    request.units = units;
    request.texts = InputTexts{side, side, column.angle, kAnyDh, kAnyVap};
    request.sliding = column.sliding;
    request.selection = position;
    const ResultTable table = analyze(request, NumberLocale::c());
    if (table.fault || table.rows.size() != 1) {
        throw std::runtime_error("the allowable load of a catalogue pad stopped on a fault");
    }
    return table.rows.front().cells[6];
}

std::vector<AllowableLoadTable> allowableLoadTables(UnitSystem units) {
    const SideRange range = sideRange(units);
    std::string error;
    const std::vector<PlanSize> multiples = planSizes(range.step, range.last, error).value();
    const double first = parseNumber(range.first, NumberLocale::plain()).value();

    std::vector<std::string> sides;
    for (const PlanSize& size : multiples) {
        if (size.value >= first) sides.push_back(size.text);
    }
    std::vector<AllowableLoadColumn> columns;
    for (const char* angle : kAngles) {
        columns.push_back({angle, false});
        columns.push_back({angle, true});
    }

    std::vector<AllowableLoadTable> tables;
    for (int position = 1; position <= ThicknessCatalogue::count; ++position) {
        AllowableLoadTable& table = tables.emplace_back();
        table.units = units;
        table.position = position;
        table.sides = sides;
        table.columns = columns;
        for (const std::string& side : sides) {
            std::vector<std::string>& row = table.var.emplace_back();
            for (const AllowableLoadColumn& column : columns) {
                row.push_back(allowableLoad(units, position, side, column));
            }
        }
    }
    return tables;
}

}  // namespace bpd
