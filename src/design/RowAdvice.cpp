#include "RowAdvice.h"

#include <optional>

#include "NumberFormat.h"
#include "PadSizing.h"
#include "RowExplanation.h"
#include "ThicknessCatalogue.h"

namespace bpd {

namespace {

// The thinnest catalogue position whose row at this plan size passes the shear check (and
// whether it passes the compression check too); 0 when none does.
struct ShearRemedy {
    int position = 0;
    bool passes = false;
};

ShearRemedy thinnestPassingShear(UnitSystem units, const InputValues& values, bool sliding) {
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    ResultTable table;
    analyzeValues(units, values, sliding, ThicknessCatalogue::allPosition, thicknesses,
                  NumberLocale::c(), table);
    for (const ResultRow& row : table.rows) {
        if (row.values.shearPasses) {
            return {ThicknessCatalogue::positionOfLabel(units, row.cells[1]), row.values.passes()};
        }
    }
    return {};
}

}  // namespace

std::string adviseFailingRow(UnitSystem units, const InputValues& values, bool sliding,
                             const ResultRow& row) {
    const int position = ThicknessCatalogue::positionOfLabel(units, row.cells[1]);
    const double VapKips = padInputOf(units, values, sliding).Vap;
    const RowExplanation e = explainRow(row.values, VapKips);
    const std::string load(unitCaption(units, QuantityKind::Load));

    std::string text = "t = " + thicknessText(position, units) + ": ";
    if (e.compressionFails) {
        text += "compression fails (Vap " + formatShortest(values.Vap) + " > Var " + row.cells[6] +
                " " + load + ", Ucomp " + formatUtilisation(e.compression) + " %)";
    }
    if (e.shearFails) {
        if (e.compressionFails) text += " and ";
        text += "shear fails (Es " + row.cells[8] + " % > " +
                formatShortest(kShearStrainLimitPercent) + " %, Ushear " +
                formatUtilisation(e.shear) + " %)";
    }
    if (!e.compressionFails && !e.shearFails) return text + "passes";

    int remedy = position;
    if (e.shearFails) {
        const ShearRemedy thinnest = thinnestPassingShear(units, values, sliding);
        if (thinnest.position == 0) {
            return text + "; no catalogue pad passes shear (it needs t >= " +
                   formatResult(shearThicknessNeeded(units, values.dh), 4, 4, NumberLocale::c()) +
                   " " + std::string(unitCaption(units, QuantityKind::Length)) + ")";
        }
        text += "; the thinnest catalogue pad that passes shear is " +
                thicknessText(thinnest.position, units);
        if (thinnest.passes) return text + ", and it passes at this plan size";
        remedy = thinnest.position;
    }

    std::string error;
    SizingRequest sizing;
    sizing.units = units;
    sizing.A = values.A;
    sizing.dh = values.dh;
    sizing.Vap = values.Vap;
    sizing.sliding = sliding;
    sizing.selection = remedy;
    sizing.sizes = planSizes(defaultSizingStep(units), defaultSizingMaximum(units), error).value();
    const SizingResult sized = sizePad(sizing);
    text += "; with t = " + thicknessText(remedy, units);
    if (sized.pad) {
        return text + " the smallest passing pad is " +
               planSizeText(sized.pad->w1, sized.pad->b1, units);
    }
    const PlanSize largest = sizing.sizes.back();
    return text + " no pad up to " + planSizeText(largest, largest, units) +
           " passes: " + describeNoPass(sized.noPass);
}

}  // namespace bpd
