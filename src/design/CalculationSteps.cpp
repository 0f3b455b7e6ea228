#include "CalculationSteps.h"

#include "NumberFormat.h"
#include "PadCheck.h"
#include "PadSizing.h"
#include "ResultTable.h"
#include "RowAdvice.h"
#include "ThicknessCatalogue.h"

namespace bpd {

namespace {

// Grid columns by name.
enum Column { kStatus, kT, kSF, kVnr, kSnr, kR, kVar, kW2, kEs, kSap, kN, kSs, kG };

// An input as given: the exact shortest text, with at least two decimals (4 -> "4.00").
std::string givenText(double value) {
    std::string text = formatShortest(value);
    const std::size_t dot = text.find('.');
    if (dot == std::string::npos) return text + ".00";
    if (text.size() - dot - 1 < 2) text += '0';
    return text;
}

// An input converted from SI, to four decimals with a leading zero ("0.0711").
std::string convertedText(double value) {
    std::string text = formatResult(value, 4, 4, NumberLocale::c());
    if (text.starts_with('.')) text.insert(text.begin(), '0');
    if (text.starts_with("-.")) text.insert(text.begin() + 1, '0');
    return text;
}

// A value the grid does not show (Vnr before the cap, W2 before its limit, Nmax), written
// by the grid's rule for such a column: four decimals, then "#.00".
std::string gridRuleText(double value) {
    return formatResult(value, 4, 2, NumberLocale::c());
}

// A number put into a formula; a negative one in parentheses.
std::string operand(std::string text) {
    return text.starts_with('-') ? "(" + text + ")" : text;
}

std::string withUnit(const std::string& text, std::string_view unit) {
    if (unit.empty()) return text;
    return text + " " + std::string(unit);
}

// "Vnr(kips)" -> "kips"; "SF" -> "".
std::string_view unitOfHeader(std::string_view header) {
    const std::size_t open = header.find('(');
    if (open == std::string_view::npos) return {};
    return header.substr(open + 1, header.size() - open - 2);
}

// The steps of one thickness: the grid row in the units of the system, and the same row in
// the method's Imperial units (the same row for an Imperial bearing), whose texts go into
// the formulas.
class StepWriter {
public:
    StepWriter(UnitSystem units, const PadInput& chain, const InputValues& given,
               const ResultRow& row, const ResultRow& imperialRow, double t, double kt)
        : si_(units == UnitSystem::SI),
          header_(headerTexts(units)),
          imperialHeader_(headerTexts(UnitSystem::Imperial)),
          row_(row),
          imperial_(imperialRow),
          v_(row.values) {
        // The chain's inputs as they go into the formulas.
        w1_ = si_ ? convertedText(chain.w1) : givenText(given.w1);
        b1_ = si_ ? convertedText(chain.b1) : givenText(given.b1);
        dh_ = si_ ? convertedText(chain.dh) : givenText(given.dh);
        Vap_ = si_ ? convertedText(chain.Vap) : givenText(given.Vap);
        A_ = givenText(given.A);
        t_ = formatShortest(t);
        kt_ = formatShortest(kt);
        w1Value_ = chain.w1;
        limit_ = chain.sliding ? kSlidingStressLimitPsi : kStressLimitPsi;
        sliding_ = chain.sliding;
        angleIsZero_ = chain.A == 0;
    }

    std::vector<CalculationStep> steps() {
        step(kSF, "(w1 × b1) / ((w1 + b1) × 2 × t)",
             "(" + w1_ + " × " + b1_ + ") / ((" + w1_ + " + " + b1_ + ") × 2 × " + t_ + ")");
        const bool capped = v_.Snr > limit_;
        const std::string vnrFormula = "emax^1.8 × (SF × 0.6 + 2) × b1 × w1 / 1000";
        const std::string vnrNumbers = formatShortest(kEmax) + "^1.8 × (" + in(kSF) +
                                       " × 0.6 + 2) × " + b1_ + " × " + w1_ + " / 1000";
        const std::string vnrBeforeCap = gridRuleText(v_.VnrUncapped);
        if (capped)
            value("Vnr", vnrFormula, vnrNumbers, vnrBeforeCap, unitOf(kVnr));
        else
            step(kVnr, vnrFormula, vnrNumbers);

        if (angleIsZero_) {
            step(kW2, "w1", "", "A = 0: ");
        } else {
            const std::string formula = "(t × ec) / (tan A × 100)";
            const std::string numbers =
                "(" + t_ + " × " + formatShortest(kEc) + ") / (tan " + A_ + " × 100)";
            if (v_.W2Rotation > w1Value_) {
                const std::string rotation = gridRuleText(v_.W2Rotation);
                value("W2", formula, numbers, rotation, unitOf(kW2));
                step(kW2, "w1", "",
                     "W2 = " + withUnit(rotation, unitOf(kW2)) +
                         " > w1 = " + withUnit(w1_, unitOf(kW2)) + ": ");
            } else {
                step(kW2, formula, numbers);
            }
        }

        step(kSnr, "Vnr × 1000 / (W2 × b1)",
             operand(vnrBeforeCap) + " × 1000 / (" + in(kW2) + " × " + b1_ + ")");
        const std::string limit = formatShortest(limit_) + " psi";
        const std::string snr = "Snr = " + withUnit(imperial_.cells[kSnr], unitOf(kSnr));
        const std::string which = sliding_ ? " (sliding)" : "";
        if (capped) {
            step(kVnr, "W2 × b1 × " + formatShortest(limit_) + " / 1000",
                 in(kW2) + " × " + b1_ + " × " + formatShortest(limit_) + " / 1000",
                 snr + " > " + limit + which + ": ");
        } else {
            note(snr + " ≤ " + limit + which +
                 ": the stress cap does not act, Vnr = " + withUnit(in(kVnr), unitOf(kVnr)));
        }

        step(kR, "1 / (A^2 × kt + 1)", "1 / (" + operand(A_) + "^2 × " + kt_ + " + 1)");
        step(kVar, "R × Vnr", in(kR) + " × " + in(kVnr));
        step(kEs, "dh / t × 100", dh_ + " / " + t_ + " × 100");
        step(kSap, "Vap / (W2 × b1) × 1000", Vap_ + " / (" + in(kW2) + " × " + b1_ + ") × 1000");
        step(kN, "Sap × 0.012 × √Es × b1 × W2",
             in(kSap) + " × 0.012 × √" + in(kEs) + " × " + b1_ + " × " + in(kW2));
        step(kSs, "N / (W2 × b1)", in(kN) + " / (" + in(kW2) + " × " + b1_ + ")");
        step(kG, "Ss × 100 / Es", in(kSs) + " × 100 / " + in(kEs));
        std::string nmax = withUnit(gridRuleText(v_.Nmax), unitOf(kN));
        if (si_)
            nmax +=
                " = " + withUnit(gridRuleText(v_.Nmax / KIPS_PER_KN), unitOfHeader(header_[kN]));
        value("Nmax", "Sap × 0.012 × √75 × b1 × W2",
              in(kSap) + " × 0.012 × √75 × " + b1_ + " × " + in(kW2), nmax, "");
        return std::move(steps_);
    }

private:
    // A quantity's text as it goes into a later formula: the method's units.
    std::string in(int column) const { return operand(imperial_.cells[column]); }
    // The method's unit of a column.
    std::string_view unitOf(int column) const { return unitOfHeader(imperialHeader_[column]); }

    // A step whose result is a grid cell.
    void step(int column, const std::string& formula, const std::string& numbers,
              const std::string& condition = {}) {
        CalculationStep s;
        s.quantity = std::string(header_[column].substr(0, header_[column].find('(')));
        s.formula = formula;
        s.substituted = numbers;
        s.column = column;
        s.result = withUnit(row_.cells[column], unitOfHeader(header_[column]));
        const std::string chain = withUnit(imperial_.cells[column], unitOf(column));
        s.line = condition + s.quantity + " = " + formula;
        if (!numbers.empty()) s.line += " = " + numbers;
        s.line += " = " + chain;
        if (s.result != chain) s.line += " = " + s.result;
        steps_.push_back(std::move(s));
    }

    // A step whose result the grid does not show.
    void value(const std::string& quantity, const std::string& formula, const std::string& numbers,
               const std::string& text, std::string_view unit) {
        CalculationStep s;
        s.quantity = quantity;
        s.formula = formula;
        s.substituted = numbers;
        s.result = withUnit(text, unit);
        s.line = quantity + " = " + formula + " = " + numbers + " = " + s.result;
        steps_.push_back(std::move(s));
    }

    void note(const std::string& line) {
        CalculationStep s;
        s.line = line;
        steps_.push_back(std::move(s));
    }

    bool si_;
    RowTexts header_, imperialHeader_;
    const ResultRow& row_;
    const ResultRow& imperial_;
    const PadResult& v_;
    std::string w1_, b1_, dh_, Vap_, A_, t_, kt_;
    double w1Value_ = 0, limit_ = 0;
    bool sliding_ = false, angleIsZero_ = false;
    std::vector<CalculationStep> steps_;
};

std::vector<InputLine> inputLines(const BearingInputs& bearing) {
    const UnitSystem units = bearing.units;
    const auto shown = [&](double value) {
        return formatInputPattern(formatShortest(value), NumberLocale::c());
    };
    const std::string length(unitCaption(units, QuantityKind::Length));
    const InputValues& v = bearing.values;
    return {
        {"w1", shown(v.w1), length},
        {"b1", shown(v.b1), length},
        {"A", shown(v.A), std::string(unitCaption(units, QuantityKind::Angle))},
        {"dh", shown(v.dh), length},
        {"Vap", shown(v.Vap), std::string(unitCaption(units, QuantityKind::Load))},
        {"Sliding", bearing.sliding ? "Yes" : "No", ""},
        {"t", std::string(ThicknessCatalogue::label(units, bearing.selection)), ""},
    };
}

// The method's own conversion, in the order it makes it, and the way back for the results.
std::vector<std::string> conversionLines(const BearingInputs& bearing, const PadInput& chain) {
    const InputValues& v = bearing.values;
    const std::string mm = formatShortest(IN_PER_MM), kn = formatShortest(KIPS_PER_KN),
                      nm2 = formatShortest(PSI_PER_NM2);
    return {
        "b1 = " + givenText(v.b1) + " mm × " + mm + " = " + convertedText(chain.b1) + " in.",
        "w1 = " + givenText(v.w1) + " mm × " + mm + " = " + convertedText(chain.w1) + " in.",
        "A = " + givenText(v.A) + " rad. (no conversion)",
        "dh = " + givenText(v.dh) + " mm × " + mm + " = " + convertedText(chain.dh) + " in.",
        "Vap = " + givenText(v.Vap) + " KN × " + kn + " = " + convertedText(chain.Vap) + " kips",
        "Results back in SI: in. / " + mm + " = mm; kips / " + kn + " = KN; lbs / " + kn +
            " = N; psi / " + nm2 + " = N/m2",
    };
}

// The two checks with their limits and utilisation, and the governing one.
void writeChecks(ThicknessCalculation& out, UnitSystem units, const InputValues& given,
                 const ResultRow& row) {
    const RowExplanation& e = out.explanation;
    const std::string load(unitCaption(units, QuantityKind::Load));
    const auto okText = [](bool passes) { return passes ? std::string("OK") : "FAIL!"; };
    out.compressionCheck = "Vap = " + givenText(given.Vap) + " " + load +
                           (row.values.compressionPasses ? " ≤ " : " > ") +
                           "Var = " + row.cells[kVar] + " " + load + ": " +
                           okText(row.values.compressionPasses) + " (" +
                           formatUtilisation(e.compression) + " %)";
    const std::string limit = formatShortest(kShearStrainLimitPercent) + " %";
    if (e.shearByMethod) {
        out.shearCheck =
            "Vap = 0: N = Nmax = 0, the shear check passes by the method whatever "
            "Es (Es = " +
            row.cells[kEs] + " %): OK (" + formatUtilisation(e.shear) + " %)";
    } else {
        out.shearCheck = "Es = " + row.cells[kEs] + " %" +
                         (row.values.shearPasses ? " ≤ " : " > ") + limit + ": " +
                         okText(row.values.shearPasses) + " (" + formatUtilisation(e.shear) + " %)";
    }
    const double governing = e.governing == DesignCheck::Shear ? e.shear : e.compression;
    out.governing = "Governing check: " + std::string(checkName(e.governing)) + " (" +
                    formatUtilisation(governing) + " %)";
}

std::string canonicalText(const BearingInputs& bearing) {
    const InputValues& v = bearing.values;
    return std::string("units=") + (bearing.units == UnitSystem::SI ? "si" : "imperial") +
           ";w1=" + formatShortest(v.w1) + ";b1=" + formatShortest(v.b1) +
           ";A=" + formatShortest(v.A) + ";dh=" + formatShortest(v.dh) +
           ";Vap=" + formatShortest(v.Vap) + ";sliding=" + (bearing.sliding ? "1" : "0") +
           ";thickness=" + std::to_string(bearing.selection);
}

std::string faultText(const RunFault& fault) {
    return "The check stopped at t = " + fault.thickness + ": " + fault.quantity + ": " +
           std::string(causeText(fault.cause)) + "; the thicknesses before it are shown.";
}

}  // namespace

BearingCalculation calculateBearing(const BearingInputs& bearing) {
    const UnitSystem units = bearing.units;
    const bool si = units == UnitSystem::SI;
    const PadInput chain = padInputOf(units, bearing.values, bearing.sliding);
    const auto thicknesses = ThicknessCatalogue::thicknesses();

    BearingCalculation out;
    out.units = units;
    out.inputs = inputLines(bearing);
    if (si) out.conversions = conversionLines(bearing, chain);
    out.rounding =
        "Results are shown as the results grid shows them: rounded to 4 decimals (Es: 2), "
        "halves to even, then written with 2 decimals (R: 3); the arithmetic runs on the "
        "unrounded values, and a number put into a formula is the one shown for it";
    out.rounding += si ? "; inputs converted from SI are shown to 4 decimals." : ".";
    out.canonicalInputs = canonicalText(bearing);

    ResultTable table;
    analyzeValues(units, bearing.values, bearing.sliding, bearing.selection, thicknesses,
                  NumberLocale::c(), table);
    // In SI the formulas take the method's Imperial values: the same chain on the converted
    // inputs, written by the Imperial grid's rules.
    ResultTable imperial;
    if (si) {
        const InputValues converted{chain.w1, chain.b1, chain.A, chain.dh, chain.Vap};
        analyzeValues(UnitSystem::Imperial, converted, bearing.sliding, bearing.selection,
                      thicknesses, NumberLocale::c(), imperial);
    }
    const ResultTable& method = si ? imperial : table;
    if (table.fault) out.fault = faultText(*table.fault);

    for (std::size_t r = 0; r < table.rows.size() && r < method.rows.size(); ++r) {
        const ResultRow& row = table.rows[r];
        const int position = ThicknessCatalogue::positionOfLabel(units, row.cells[kT]);
        ThicknessCalculation& t = out.thicknesses.emplace_back();
        t.label = row.cells[kT];
        t.thickness = thicknessText(position, units);
        StepWriter writer(units, chain, bearing.values, row, method.rows[r],
                          ThicknessCatalogue::thicknessInches(position),
                          ThicknessCatalogue::rotationCoefficient(position));
        t.steps = writer.steps();
        t.explanation = explainRow(row.values, chain.Vap);
        writeChecks(t, units, bearing.values, row);
        t.verdict = row.cells[kStatus];
        t.passes = row.values.passes();
        if (!t.passes) t.advice = adviseFailingRow(units, bearing.values, bearing.sliding, row);
    }

    ResultTable all;
    const ResultTable* chart = &table;
    if (bearing.selection != ThicknessCatalogue::allPosition) {
        analyzeValues(units, bearing.values, bearing.sliding, ThicknessCatalogue::allPosition,
                      thicknesses, NumberLocale::c(), all);
        chart = &all;
    }
    for (const ResultRow& row : chart->rows)
        out.chart.push_back(
            {row.cells[kT], explainRow(row.values, chain.Vap), row.values.passes()});
    return out;
}

}  // namespace bpd
