#pragma once
// The result table of a design check run: a header row and one row per computed thickness,
// 13 text columns (Status, t, SF, Vnr, Snr, R, Var, W2, Es, Sap, N, Ss, G), exactly as the
// results grid shows them.
//
// A run takes the five input texts as the fields hold them (in the units of the chosen
// system), reads them in their read order (InputRules.h), converts SI inputs to Imperial, runs
// the chain of PadCheck per selected position, converts the shown values back and writes
// the texts. A text that does not read as a number or an arithmetic fault stops the run at
// that point; the rows completed before it stay.
//
// The table is the results as data: the window keeps the last one, and its grid, hover,
// reports and bpd-check read it; nothing reads a number back from a shown text.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "InputRules.h"
#include "NumberFormat.h"
#include "PadCheck.h"
#include "Units.h"

namespace bpd {

inline constexpr int kResultColumns = 13;
inline constexpr int kStatusColumn = 0;
inline constexpr int kLabelColumn = 1;
inline constexpr int kFirstValueColumn = 2;
inline constexpr int kVarColumn = 6;
using RowTexts = std::array<std::string, kResultColumns>;

struct AnalysisRequest {
    UnitSystem units = UnitSystem::Imperial;
    InputTexts texts;
    bool sliding = false;
    int selection = 0;  // selector position: 0 = "All", 1..7 = one catalogue position
};

struct ResultRow {
    RowTexts cells;    // cells[0] "Pass"/"FAIL!", cells[1] the thickness label
    PadResult values;  // unrounded, Imperial
};

// What stopped a run early: an input text that does not convert, or an arithmetic fault.
struct RunFault {
    enum class Kind { InputNotNumeric, Arithmetic } kind = Kind::Arithmetic;
    int tableRow = 0;       // body row being computed (1-based), 0 for an input fault
    std::string thickness;  // its label (empty for an input fault)
    std::string quantity;   // "b1".."Vap" for an input fault, "SF".."Nmax" for arithmetic
    ArithmeticFault::Cause cause = ArithmeticFault::Cause::Overflow;  // for Kind::Arithmetic
};

struct ResultTable {
    UnitSystem units = UnitSystem::Imperial;
    RowTexts header;
    int rowCount = 0;                 // table rows including the header (8 for "All", else 2)
    std::vector<std::string> labels;  // column 1 of rows 1..rowCount-1, written before any value
    std::vector<ResultRow> rows;      // the computed rows, in table order
    std::optional<RunFault> fault;

    // The computed row of table row 1..rowCount-1; nullptr for the header and for a row a
    // fault left uncomputed.
    const ResultRow* computedRow(int row) const;
    // The text of a cell as the grid shows it: the header in row 0; a computed row's cells;
    // only the label (column 1) in a row a fault left uncomputed; empty outside the table.
    std::string_view cellText(int row, int column) const;
    // The number a value cell (columns 2..12 of a computed row) shows: its value in the
    // display unit, rounded as its text is. Empty for any other cell.
    std::optional<double> shownNumber(int row, int column) const;
};

// Header texts of a unit system: "Status", "t(in.)", ... / "Status", "t(mm)", ...
RowTexts headerTexts(UnitSystem units);

// colThickness: the seven catalogue thicknesses in inches, item p at index p-1.
// Throws std::invalid_argument when colThickness does not hold the seven items or the
// selection is outside 0..7 (both are programming errors, never user input).
ResultTable analyze(const AnalysisRequest& request, std::span<const double> colThickness,
                    const NumberLocale& locale);

// The same run with the catalogue's own thicknesses.
ResultTable analyze(const AnalysisRequest& request, const NumberLocale& locale);

// The chain's inputs of a run: SI values converted to inches and kips at the edge, with
// the unit factors and in the order the run reads them.
PadInput padInputOf(UnitSystem units, const InputValues& values, bool sliding);

// Receives the computed rows of a run one by one, as texts laid out by the engine.
class RowStream {
public:
    virtual ~RowStream() = default;
    // cells[0] status, cells[1] label, cells[2..12] the value texts; valid during the call.
    virtual void row(const std::array<std::string_view, kResultColumns>& cells,
                     const PadResult& values) = 0;
};

// The rows of the run of analyzeValues, handed to stream instead of stored: the same texts
// by the same code, for writers that stream many bearings (the batch mode). Returns the
// fault that stopped the run, if any. Throws as analyze does.
std::optional<RunFault> streamRows(UnitSystem units, const InputValues& values, bool sliding,
                                   int selection, std::span<const double> colThickness,
                                   const NumberLocale& locale, RowStream& stream);

// The run from numbers already read (the command line reads and checks them first), writing
// into table so that a caller running many bearings reuses its storage. Header, row count
// and labels are written first, exactly as analyze does.
void analyzeValues(UnitSystem units, const InputValues& values, bool sliding, int selection,
                   std::span<const double> colThickness, const NumberLocale& locale,
                   ResultTable& table);

}  // namespace bpd
