#include "RowExplanation.h"

#include <cmath>
#include <limits>

#include "NumberFormat.h"

namespace bpd {

RowExplanation explainRow(const PadResult& values, double VapKips) {
    RowExplanation e;
    e.compressionFails = !values.compressionPasses;
    e.shearFails = !values.shearPasses;
    if (VapKips == 0)
        e.compression = 0;
    else if (values.Var == 0)
        e.compression = std::numeric_limits<double>::infinity();
    else
        e.compression = VapKips / values.Var;
    e.shearByMethod = values.N == 0 && values.Nmax == 0;
    e.shear = e.shearByMethod ? 0 : values.Es / kShearStrainLimitPercent;
    e.governing = e.shear > e.compression ? DesignCheck::Shear : DesignCheck::Compression;
    return e;
}

DesignCheck shownFailure(const ResultTable& table, int row, double vap) {
    const std::optional<double> var = table.shownNumber(row, kVarColumn);
    return var && vap > *var ? DesignCheck::Compression : DesignCheck::Shear;
}

std::string_view checkName(DesignCheck check) {
    return check == DesignCheck::Shear ? "shear" : "compression";
}

double utilisationPercent(double utilisation) {
    return utilisation * 100;
}

std::string formatUtilisation(double utilisation) {
    const double percent = utilisationPercent(utilisation);
    if (!std::isfinite(percent)) return "inf";
    std::string text = formatResult(percent, 1, 1, NumberLocale::plain());
    if (text.starts_with('.')) text.insert(text.begin(), '0');
    return text;
}

const std::array<std::string_view, kExplanationColumns>& explanationHeader() {
    static constexpr std::array<std::string_view, kExplanationColumns> header{"Ucomp", "Ushear",
                                                                              "Governs"};
    return header;
}

std::array<std::string, kExplanationColumns> explanationTexts(const RowExplanation& explanation) {
    return {formatUtilisation(explanation.compression), formatUtilisation(explanation.shear),
            std::string(checkName(explanation.governing))};
}

}  // namespace bpd
