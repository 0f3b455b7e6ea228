#include "ResultTable.h"

#include <cmath>
#include <stdexcept>

#include "ThicknessCatalogue.h"

namespace bpd {

namespace {

const RowTexts& imperialHeader() {
    static const RowTexts header{"Status", "t(in.)",    "SF",      "Vnr(kips)", "Snr(psi)",
                                 "R",      "Var(kips)", "W2(in.)", "Es(%)",     "Sap(psi)",
                                 "N(lbs)", "Ss(psi)",   "G(psi)"};
    return header;
}

const RowTexts& siHeader() {
    static const RowTexts header{"Status", "t(mm)",    "SF",     "Vnr(KN)", "Snr(N/m2)",
                                 "R",      "Var(KN)",  "W2(mm)", "Es(%)",   "Sap(N/m2)",
                                 "N(N)",   "Ss(N/m2)", "G(N/m2)"};
    return header;
}

// One shown value: the quantity's name (for a fault), its value in the display unit, and
// its rounding and mask.
struct Shown {
    const char* name;
    double value;
    int roundDecimals;
    int maskDecimals;
};

// The eleven shown values of a row, columns 2..12: Imperial as computed, SI converted back
// with the same factors.
std::array<Shown, kResultColumns - kFirstValueColumn> shownValues(UnitSystem units,
                                                                  const PadResult& v) {
    const bool si = units == UnitSystem::SI;
    return {{
        {"SF", v.SF, 4, 2},
        {"Vnr", si ? v.Vnr / KIPS_PER_KN : v.Vnr, 4, 2},
        {"Snr", si ? v.Snr / PSI_PER_NM2 : v.Snr, 4, 2},
        {"R", v.R, 4, 3},
        {"Var", si ? v.Var / KIPS_PER_KN : v.Var, 4, 2},
        {"W2", si ? v.W2 / IN_PER_MM : v.W2, 4, 2},
        {"Es", v.Es, 2, 2},
        {"Sap", si ? v.Sap / PSI_PER_NM2 : v.Sap, 4, 2},
        {"N", si ? v.N / KIPS_PER_KN : v.N, 4, 2},
        {"Ss", si ? v.Ss / PSI_PER_NM2 : v.Ss, 4, 2},
        {"G", si ? v.G / PSI_PER_NM2 : v.G, 4, 2},
    }};
}

void validateArguments(int selection, std::span<const double> colThickness) {
    if (colThickness.size() != static_cast<std::size_t>(ThicknessCatalogue::count)) {
        throw std::invalid_argument("colThickness must hold the seven catalogue thicknesses");
    }
    if (selection < 0 || selection > ThicknessCatalogue::count) {
        throw std::invalid_argument("thickness selection outside 0..7");
    }
}

// Header, row count and labels; the strings of a reused table keep their storage.
void writeHeaderAndLabels(UnitSystem units, int selection, ResultTable& table) {
    const RowTexts& header = units == UnitSystem::Imperial ? imperialHeader() : siHeader();
    for (int c = 0; c < kResultColumns; ++c) table.header[c].assign(header[c]);
    table.units = units;
    table.fault.reset();
    if (selection == ThicknessCatalogue::allPosition) {
        table.rowCount = ThicknessCatalogue::count + 1;
        table.labels.resize(ThicknessCatalogue::count);
        for (int p = 1; p <= ThicknessCatalogue::count; ++p) {
            table.labels[static_cast<std::size_t>(p - 1)].assign(
                ThicknessCatalogue::label(units, p));
        }
    } else {
        table.rowCount = 2;
        table.labels.resize(1);
        table.labels[0].assign(ThicknessCatalogue::label(units, selection));
    }
}

}  // namespace

PadInput padInputOf(UnitSystem units, const InputValues& values, bool sliding) {
    const bool si = units == UnitSystem::SI;
    // SI inputs come to inches and kips, in the order b1, w1, dh, Vap; the angle stays.
    PadInput input;
    input.b1 = si ? values.b1 * IN_PER_MM : values.b1;
    input.w1 = si ? values.w1 * IN_PER_MM : values.w1;
    input.A = values.A;
    input.dh = si ? values.dh * IN_PER_MM : values.dh;
    input.Vap = si ? values.Vap * KIPS_PER_KN : values.Vap;
    input.sliding = sliding;
    return input;
}

RowTexts headerTexts(UnitSystem units) {
    return units == UnitSystem::Imperial ? imperialHeader() : siHeader();
}

std::optional<RunFault> streamRows(UnitSystem units, const InputValues& values, bool sliding,
                                   int selection, std::span<const double> colThickness,
                                   const NumberLocale& locale, RowStream& stream) {
    validateArguments(selection, colThickness);
    const PadInput input = padInputOf(units, values, sliding);

    // The eleven value texts of a row, end to end in one buffer.
    const std::string& separator = locale.decimalSeparator;
    const std::size_t cellRoom = kMaxResultText + separator.size();
    char stackText[11 * (kMaxResultText + 16)];
    std::vector<char> heapText;
    char* text = stackText;
    if (separator.size() > 16) {
        heapText.resize(11 * cellRoom);
        text = heapText.data();
    }

    int row = 1;
    for (int position = 1; position <= ThicknessCatalogue::count; ++position) {
        if (selection != ThicknessCatalogue::allPosition && selection != position) continue;
        const double t = colThickness[static_cast<std::size_t>(position - 1)];
        const double kt = ThicknessCatalogue::rotationCoefficient(position);
        const std::string_view label = ThicknessCatalogue::label(units, position);

        const PadOutcome outcome = checkPad(input, t, kt);
        if (outcome.fault) {
            return RunFault{RunFault::Kind::Arithmetic, row, std::string(label),
                            outcome.fault->quantity, outcome.fault->cause};
        }
        const PadResult& v = outcome.result;
        const auto shown = shownValues(units, v);
        std::array<std::string_view, kResultColumns> cells;
        cells[0] = v.passes() ? "Pass" : "FAIL!";
        cells[1] = label;
        char* p = text;
        for (int c = 0; c < 11; ++c) {
            const Shown& value = shown[c];
            if (!std::isfinite(value.value)) {  // a conversion to SI left the double range
                return RunFault{RunFault::Kind::Arithmetic, row, std::string(label), value.name,
                                ArithmeticFault::Cause::Overflow};
            }
            char* end =
                writeResult(p, value.value, value.roundDecimals, value.maskDecimals, separator);
            cells[static_cast<std::size_t>(c + 2)] =
                std::string_view(p, static_cast<std::size_t>(end - p));
            p = end;
        }
        stream.row(cells, v);
        ++row;
    }
    return std::nullopt;
}

namespace {

// Stores the streamed rows in a table, overwriting rows already there in place (their
// strings keep their storage) and dropping the surplus at the end.
class TableFiller : public RowStream {
public:
    explicit TableFiller(std::vector<ResultRow>& rows) : rows_(rows) {}
    ~TableFiller() override { rows_.resize(used_); }

    void row(const std::array<std::string_view, kResultColumns>& cells,
             const PadResult& values) override {
        ResultRow& out = used_ < rows_.size() ? rows_[used_] : rows_.emplace_back();
        ++used_;
        out.values = values;
        for (std::size_t c = 0; c < cells.size(); ++c) out.cells[c].assign(cells[c]);
    }

private:
    std::vector<ResultRow>& rows_;
    std::size_t used_ = 0;
};

}  // namespace

void analyzeValues(UnitSystem units, const InputValues& values, bool sliding, int selection,
                   std::span<const double> colThickness, const NumberLocale& locale,
                   ResultTable& table) {
    validateArguments(selection, colThickness);
    writeHeaderAndLabels(units, selection, table);
    TableFiller filler(table.rows);
    table.fault = streamRows(units, values, sliding, selection, colThickness, locale, filler);
}

ResultTable analyze(const AnalysisRequest& request, std::span<const double> colThickness,
                    const NumberLocale& locale) {
    ResultTable table;
    validateArguments(request.selection, colThickness);
    writeHeaderAndLabels(request.units, request.selection, table);
    table.rows.clear();

    // The texts are read in their read order; the first that does not read as a number
    // stops the run with the header and labels written.
    InputValues values;
    for (const InputRule& input : kReadOrder) {
        const std::optional<double> number = parseNumber(input.of(request.texts), locale);
        if (!number) {
            table.fault = RunFault{RunFault::Kind::InputNotNumeric,
                                   0,
                                   {},
                                   std::string(input.name),
                                   ArithmeticFault::Cause::Overflow};
            return table;
        }
        input.of(values) = *number;
    }
    analyzeValues(request.units, values, request.sliding, request.selection, colThickness, locale,
                  table);
    return table;
}

const ResultRow* ResultTable::computedRow(int row) const {
    if (row < 1 || row > static_cast<int>(rows.size())) return nullptr;
    return &rows[static_cast<std::size_t>(row - 1)];
}

std::string_view ResultTable::cellText(int row, int column) const {
    if (column < 0 || column >= kResultColumns || row < 0 || row >= rowCount) return {};
    if (row == 0) return header[static_cast<std::size_t>(column)];
    if (const ResultRow* computed = computedRow(row))
        return computed->cells[static_cast<std::size_t>(column)];
    if (column == kLabelColumn && row <= static_cast<int>(labels.size()))
        return labels[static_cast<std::size_t>(row - 1)];
    return {};
}

std::optional<double> ResultTable::shownNumber(int row, int column) const {
    const ResultRow* computed = computedRow(row);
    if (!computed || column < kFirstValueColumn || column >= kResultColumns) return std::nullopt;
    const auto shown = shownValues(units, computed->values);
    const Shown& value = shown[static_cast<std::size_t>(column - kFirstValueColumn)];
    return shownResult(value.value, value.roundDecimals, value.maskDecimals);
}

ResultTable analyze(const AnalysisRequest& request, const NumberLocale& locale) {
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    return analyze(request, thicknesses, locale);
}

}  // namespace bpd
