#include "CheckCommand.h"

#include <cctype>
#include <utility>
#include <vector>

#include "BatchRun.h"
#include "DescriptorBuffer.h"
#include "EchoedText.h"
#include "ExitStatus.h"
#include "PadSizing.h"
#include "PlainInput.h"
#include "ProjectRun.h"
#include "ResultTable.h"
#include "RowAdvice.h"
#include "RowExplanation.h"
#include "SizedPadOutput.h"
#include "ThicknessCatalogue.h"

#ifndef BPD_VERSION
#define BPD_VERSION "unknown"
#endif

namespace bpd::cli {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: bpd-check --w1 W1 --b1 B1 --A A --dh DH --Vap VAP [--sliding]
                 [--thickness All|LABEL] [--units imperial|si] [--format text|csv|json]
                 [--explain] [--sheet FILE.pdf [--company TEXT] [--project-name TEXT]
                 [--engineer TEXT] [--description TEXT]]
       bpd-check --size --A A --dh DH --Vap VAP [--sliding] [--w1 W1 | --b1 B1]
                 [--thickness All|LABEL] [--step S] [--max M] [--units imperial|si]
                 [--format text|csv|json]
       bpd-check --batch FILE.csv [--units imperial|si] [--explain]
       bpd-check --batch FILE.csv --size [--step S] [--max M] [--units imperial|si]
       bpd-check --batch FILE.csv --save-project FILE.bpd [--units imperial|si]
       bpd-check --project FILE.bpd [--explain] [--format csv|text|json] [--sheet FILE.pdf]
       bpd-check --project FILE.bpd --size [--step S] [--max M] [--format csv|text|json]
       bpd-check --help | --version

The design check of rectangular elastomeric bearing pads (Pelgro Bearing Pad Design),
exactly as the program's results grid shows it.

One bearing
  --w1 W1          bearing length (in. or mm), greater than 0
  --b1 B1          bearing width (in. or mm), greater than 0
  --A A            angle of rotation (rad.), 0 or greater
  --dh DH          horizontal deformation (in. or mm), greater than 0
  --Vap VAP        applied vertical load (kips or KN), 0 or greater
  --sliding        the bearing is a sliding bearing (stress limit 2500 psi, else 8500 psi)
  --thickness T    All (default) or one catalogue thickness: 1/8 1/4 3/8 1/2 5/8 3/4 1
                   or 3.175 6.350 9.525 12.700 15.875 19.050 25.400 (either set is accepted;
                   the table shows the labels of the chosen units)
  --units U        imperial (default: in., kips, psi) or si (mm, KN, N/m2); the values are
                   read in these units
  --format F       text (default): an aligned table like the grid;
                   csv: the 13 header texts, then one line per thickness;
                   json: {"units", "sliding", "thickness", "header", "rows", "fault"}, each
                   row keyed status, t, SF, Vnr, Snr, R, Var, W2, Es, Sap, N, Ss, G, passes

Numbers: plain numbers only, whatever the locale: optional blanks and sign, digits with at
most one "." as the decimal separator, an optional exponent ("1e3"). A comma or any other
grouping is refused ("4,5", "4,500" and "1,234.5" are not numbers: write 4.5, 4500 or
1234.5); "inf", "nan" and hexadecimal forms are not numbers either. Values are used as
given, with all their decimals. Each option takes its value as the next argument or after
"=" (--w1=4).

Explain
  --explain        every row also gives Ucomp, the compression utilisation Vap / Var, and
                   Ushear, the shear utilisation Es / 75 (the shear check N <= Nmax is
                   Es <= 75 % whenever a load is applied), as percentages with one decimal
                   ("83.4"; "inf" when Var is 0 under a load), and Governs, the check of the
                   larger utilisation: "compression" (also on a tie) or "shear". With
                   Vap = 0 the shear check passes by the method whatever Es, and Ushear is
                   0.0. Three more columns Ucomp,Ushear,Governs in CSV (batch too), three
                   more members of each row in JSON; the text table is followed by one line
                   for each failing row: which check fails, by how much, and what would make
                   it pass (the thinnest catalogue thickness that passes the shear check,
                   the plan size --size finds with the row's thickness).

Calculation sheet
  --sheet FILE     also write the calculation sheet of the bearing as a PDF (letter or A4
                   by the locale's measurement system): for each computed thickness every
                   step of the check with its formula, the numbers put in and the result as
                   the grid shows it, the two checks with their utilisation, the governing
                   check, the verdict and the advice for a failing one, a utilisation chart
                   of every catalogue thickness, a title block on every page and a footer
                   with the date, the version and a digest of the inputs. The standard
                   output is the same as without --sheet. The file is replaced whole or not
                   at all; a sheet that cannot be written gives exit status 3.
                   With --project: the calculation package of the design file, a cover
                   with a summary of its bearings, then each bearing's sheet (a bearing
                   reported as unfit to check is left out), with the file's project data.
  --company TEXT, --project-name TEXT, --engineer TEXT, --description TEXT
                   the project data of the title block; each one not given is read from
                   the program's settings (File > Project Data in the window)

Sizing
  --size           the smallest passing pad: of every plan size w1 x b1 whose dimensions
                   are multiples of the step up to the maximum, each with every catalogue
                   thickness (or the one of --thickness), the pad of least plan area whose
                   row the results grid shows as "Pass" for those values typed in. Ties go
                   to the thinnest pad, then the smaller |w1 - b1|, then the smaller w1.
                   --w1 or --b1 keeps that dimension as given.
  --step S         the step of the plan sizes (default 0.5 in., in SI 10 mm)
  --max M          the largest plan size (default 48 in., in SI 1200 mm); at most 1000
                   sizes a dimension
                   text and csv: the columns w1, b1 (the shortest plain decimal), the 13
                   header texts and Ucomp, Ushear, Governs, then the pad's line with the
                   cells as the grid shows them; json: {"units", "sliding", "w1", "b1",
                   "header", "row"}. When no pad passes, nothing is written and the reason
                   goes to standard error with exit status 1: the shear check needs a
                   thicker pad than the catalogue has (t >= dh / 0.75), or the load exceeds
                   what the pads that pass it carry at this rotation.

Batch
  --batch FILE     check every bearing of a CSV file ("-" reads standard input).
                   The first line names the columns, in any order:
                     w1,b1,A,dh,Vap,sliding[,thickness]
                   sliding is 0/1, yes/no or true/false; thickness is a label or All
                   (empty or absent: All); the columns mark, location and quantity may
                   be given too (the check passes them over; --save-project keeps them). Output on standard output, CSV: the header
                   "line" and the 13 header texts, then for each bearing and each computed
                   thickness its input line number and the 13 cell texts. Blank lines are
                   skipped. A bad line is reported on standard error with its line number
                   and reason and the other lines are still checked.
                   With --explain every row adds Ucomp,Ushear,Governs. With --size the
                   columns w1 and b1 may be left out or left empty (one of them given keeps
                   that dimension): one line per bearing, "line,w1,b1", the 13 cells and
                   Ucomp,Ushear,Governs; a line where no pad passes is reported with the
                   reason.

Design files
  --project FILE   check every bearing of a design file (.bpd: JSON, documented in
                   /usr/share/doc/pelgro-bpd/design-file.md) in the file's own units, each
                   value taken as the window takes it when typed into its field (re-formatted
                   to four decimals). Output, CSV by default: the header "mark" and the 13
                   header texts of the file's units (then Ucomp,Ushear,Governs with
                   --explain), then for each bearing, in file order, and each computed
                   thickness the mark and the 13 cell texts; text: the same, aligned; json:
                   {"units", "bearings": [{"position", "mark", "table"}]}, each table in the
                   json form of one bearing. With --size, one line per bearing: the mark,
                   then the fields of a sized batch line (both dimensions sized, the
                   bearing's thickness kept; json: "pad"). A bearing whose values the input
                   rules refuse is reported on standard error with its position, mark and
                   reason ("bearing 3 (B3): w1: must be positive") and the others are still
                   checked. A file that cannot be read, is not JSON (line and column given),
                   not a design file, of a newer version, has a member of the wrong type, is
                   larger than 64 MiB or nested deeper than 64 levels is refused as a whole.
  --save-project FILE
                   with --batch: write the batch's bearings to the design file FILE in the
                   units of --units instead of checking them, with their mark, location and
                   quantity columns (quantity: a whole number of at least 1, default 1).
                   Nothing is written when a line is reported; the file is replaced whole
                   or keeps its old bytes, and a symlink at its name is replaced, never
                   written through.

Messages go to standard error. A value they repeat is shown in double quotes with each
control character and each byte that is not UTF-8 written as \xNN (ESC as \x1b) and a
backslash as \\, cut after 80 characters with "...".

Exit status
  0  every bearing was checked (a "FAIL!" verdict is a result, not an error), or sized,
     or the design file was written
  1  an input value was rejected, a batch line or a bearing of a design file was
     reported, a run stopped on an arithmetic fault (the rows completed before it are
     written), or no pad passes (--size)
  2  bad options (this usage message), a batch file that cannot be opened or read
     (a directory, an I/O error; the rows of the lines read before are written), or a
     design file that cannot be read or is refused as a whole
  3  the output could not be written (a full disk, a closed standard output, a pipe
     whose reader has gone): the results are incomplete; or the design file of
     --save-project could not be written (it keeps its old bytes); or the calculation
     sheet could not be written (the file at its name is as it was)
)";

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

int positionOfAnyLabel(std::string_view text) {
    if (lowered(text) == "all") return ThicknessCatalogue::allPosition;
    const int imperial = ThicknessCatalogue::positionOfLabel(UnitSystem::Imperial, text);
    return imperial >= 0 ? imperial : ThicknessCatalogue::positionOfLabel(UnitSystem::SI, text);
}

int usageError(std::ostream& err, std::string_view reason) {
    err << "bpd-check: " << reason << '\n'
        << "Usage: bpd-check --w1 W1 --b1 B1 --A A --dh DH --Vap VAP [--sliding]"
           " [--thickness T] [--units imperial|si] [--format text|csv|json]\n"
           "       bpd-check --batch FILE.csv [--units imperial|si]\n"
           "Try 'bpd-check --help' for more information.\n";
    return kExitUsage;
}

// The option of an input: "--w1", ..., "--Vap".
std::string optionOf(const InputRule& input) {
    return "--" + std::string(input.name);
}

// Reads the inputs given as options under their rules; every rejected one is reported on
// err, in the window's order. False when any was rejected.
bool readGivenInputs(const CheckOptions& options, InputValues& values, std::ostream& err) {
    bool rejected = false;
    for (const InputRule& input : kInputs) {
        const std::optional<std::string>& text = input.of(options.inputs);
        if (!text) continue;
        const InputReading reading = readInput(*text, input.zeroAllowed);
        if (!reading.value) {
            err << "bpd-check: " << input.name << ": " << reading.problem << '\n';
            rejected = true;
            continue;
        }
        input.of(values) = *reading.value;
    }
    return !rejected;
}

// The plan sizes of --step and --max (or the defaults of the units); a reason in error
// when they are no grid.
std::optional<std::vector<PlanSize>> sizingSizes(const CheckOptions& options, std::string& error) {
    const std::string step(options.step ? *options.step : defaultSizingStep(options.units));
    const std::string maximum(options.maximum ? *options.maximum
                                              : defaultSizingMaximum(options.units));
    for (const auto& [name, text] : {std::pair{"--step", &step}, std::pair{"--max", &maximum}}) {
        const InputReading reading = readInput(*text, false);
        if (!reading.value) {
            error = std::string(name) + ": " + reading.problem;
            return std::nullopt;
        }
    }
    return planSizes(step, maximum, error);
}

// After an explained text table: a line for each failing row, and the note on the shear
// check when no load is applied.
void writeAdvice(std::ostream& out, const CheckOptions& options, const InputValues& values,
                 const ResultTable& table, std::span<const RowExplanation> explained) {
    std::string text;
    bool byMethod = false;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        byMethod = byMethod || explained[r].shearByMethod;
        if (table.rows[r].values.passes()) continue;
        text += adviseFailingRow(options.units, values, options.sliding, table.rows[r]);
        text += '\n';
    }
    if (byMethod)
        text += "Vap = 0: the shear check passes by the method (N = Nmax = 0), whatever Es\n";
    if (!text.empty()) out << '\n' << text;
}

// One bearing's smallest passing pad.
int runSizing(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    SizingRequest request;
    request.units = options.units;
    request.sliding = options.sliding;
    InputValues values;
    if (!readGivenInputs(options, values, err)) return kExitReported;
    if (options.inputs.w1) request.w1 = planSizeOf(values.w1);
    if (options.inputs.b1) request.b1 = planSizeOf(values.b1);
    request.A = values.A;
    request.dh = values.dh;
    request.Vap = values.Vap;

    std::string error;
    request.sizes = sizingSizes(options, error).value();
    request.selection = options.thickness ? positionOfAnyLabel(*options.thickness) : 0;
    const SizingResult result = sizePad(request);
    if (!result.pad) {
        err << "bpd-check: no pad passes: " << describeNoPass(result.noPass) << '\n';
        return kExitReported;
    }
    writeSizedPad(out, options.format.value_or(OutputFormat::Text), options.units, options.sliding,
                  *result.pad);
    return kExitDone;
}

// Every output error ends in status 3: a script must never take a cut result for a whole.
int checkedOutput(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    const std::error_code error = streamError(out);
    if (!error) return status;
    err << "bpd-check: cannot write to standard output: " << error.message()
        << " (the output is incomplete)\n";
    return kExitOutput;
}

// The sheet of --sheet, after the standard output; status 3 when it cannot be written.
int writeSheet(const CheckOptions& options, const InputValues& values, int selection,
               SheetService* sheets, std::ostream& err, int status) {
    SheetRequest request;
    request.path = *options.sheet;
    request.bearing = BearingInputs{options.units, values, options.sliding, selection};
    request.company = options.company;
    request.projectName = options.projectName;
    request.engineer = options.engineer;
    request.description = options.description;
    const bool written = sheetWritten(
        sheets, request.path, [&](SheetService& s) { return s.write(request); }, err);
    return written ? status : kExitOutput;
}

int runOneBearing(const CheckOptions& options, std::ostream& out, std::ostream& err,
                  SheetService* sheets) {
    InputValues values;
    if (!readGivenInputs(options, values, err)) return kExitReported;

    const int selection = options.thickness ? positionOfAnyLabel(*options.thickness) : 0;
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    ResultTable table;
    analyzeValues(options.units, values, options.sliding, selection, thicknesses, NumberLocale::c(),
                  table);
    std::vector<RowExplanation> explained;
    if (options.explain) {
        const double VapKips = padInputOf(options.units, values, options.sliding).Vap;
        for (const ResultRow& row : table.rows)
            explained.push_back(explainRow(row.values, VapKips));
    }
    switch (options.format.value_or(OutputFormat::Text)) {
        case OutputFormat::Text:
            writeTextTable(out, table, explained);
            if (options.explain) writeAdvice(out, options, values, table, explained);
            break;
        case OutputFormat::Csv:
            writeCsvTable(out, table, explained);
            break;
        case OutputFormat::Json:
            writeJsonTable(out, table, options.units, options.sliding,
                           ThicknessCatalogue::label(options.units, selection), explained);
            break;
    }
    out.flush();
    int status = kExitDone;
    if (table.fault) {
        err << "bpd-check: arithmetic fault in " << describeFault(*table.fault) << '\n';
        status = kExitReported;
    }
    if (options.sheet) return writeSheet(options, values, selection, sheets, err, status);
    return status;
}

// The options that take a text: where each one goes.
std::optional<std::string> CheckOptions::*textOption(std::string_view arg) {
    static constexpr std::pair<std::string_view, std::optional<std::string> CheckOptions::*>
        kTexts[] = {
            {"--sheet", &CheckOptions::sheet},
            {"--company", &CheckOptions::company},
            {"--project-name", &CheckOptions::projectName},
            {"--engineer", &CheckOptions::engineer},
            {"--description", &CheckOptions::description},
        };
    for (const auto& [name, text] : kTexts)
        if (arg == name) return text;
    return nullptr;
}

// --project takes its units and bearings from the file.
bool projectOptionsFit(const CheckOptions& options, std::string& error) {
    for (const InputRule& input : kInputs) {
        if (input.of(options.inputs)) {
            error = optionOf(input) + " cannot be used with --project";
            return false;
        }
    }
    if (options.batch || options.saveProject) {
        error = "--project cannot be used with --batch or --save-project";
        return false;
    }
    if (options.sliding || options.thickness || options.unitsGiven) {
        error =
            "--sliding, --thickness and --units cannot be used with --project (the file "
            "gives them)";
        return false;
    }
    if ((options.step || options.maximum) && !options.size) {
        error = "--step and --max need --size";
        return false;
    }
    if (options.company || options.projectName || options.engineer || options.description) {
        error =
            "--company, --project-name, --engineer and --description cannot be used with "
            "--project (the file gives them)";
        return false;
    }
    if (options.sheet && options.size) {
        error = "--sheet writes the calculation package of the bearings as given (not with --size)";
        return false;
    }
    return !options.size || sizingSizes(options, error);
}

// Checks a design file, or saves a batch as one.
int runProjectCommand(const CheckOptions& options, std::ostream& out, std::ostream& err,
                      SheetService* sheets) {
    ProjectOptions project;
    project.format = options.format.value_or(OutputFormat::Csv);
    project.explain = options.explain;
    project.size = options.size;
    project.step = options.step;
    project.maximum = options.maximum;
    project.sheet = options.sheet;
    return runProject(*options.project, out, err, project, sheets);
}

// The options that take no value, and the switch each one sets.
bool CheckOptions::*flagOption(std::string_view arg) {
    static constexpr std::pair<std::string_view, bool CheckOptions::*> kFlags[] = {
        {"--help", &CheckOptions::help},       {"-h", &CheckOptions::help},
        {"--version", &CheckOptions::version}, {"--sliding", &CheckOptions::sliding},
        {"--explain", &CheckOptions::explain}, {"--size", &CheckOptions::size},
    };
    for (const auto& [name, flag] : kFlags)
        if (arg == name) return flag;
    return nullptr;
}

}  // namespace

std::string_view checkUsage() {
    return kUsage;
}

bool parseCheckOptions(std::span<const std::string_view> args, CheckOptions& options,
                       std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view arg = args[i];
        std::optional<std::string_view> inlineValue;
        if (arg.starts_with("--")) {
            if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
                inlineValue = arg.substr(eq + 1);
                arg = arg.substr(0, eq);
            }
        }
        auto takeValue = [&](std::string_view& value) {
            if (inlineValue) {
                value = *inlineValue;
                return true;
            }
            if (i + 1 >= args.size()) {
                error = "option " + std::string(arg) + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        auto flagOnly = [&]() {
            if (!inlineValue) return true;
            error = "option " + std::string(arg) + " takes no value";
            return false;
        };

        if (bool CheckOptions::*flag = flagOption(arg)) {
            if (!flagOnly()) return false;
            options.*flag = true;
            continue;
        }
        if (std::optional<std::string> CheckOptions::*slot = textOption(arg)) {
            std::string_view value;
            if (!takeValue(value)) return false;
            if (options.*slot) {
                error = "option " + std::string(arg) + " given twice";
                return false;
            }
            if (slot == &CheckOptions::sheet && value.empty()) {
                error = "option --sheet needs a file name";
                return false;
            }
            options.*slot = std::string(value);
            continue;
        }
        if (arg == "--step" || arg == "--max") {
            std::optional<std::string>& slot = arg == "--step" ? options.step : options.maximum;
            std::string_view value;
            if (!takeValue(value)) return false;
            if (slot) {
                error = "option " + std::string(arg) + " given twice";
                return false;
            }
            slot = std::string(value);
            continue;
        }
        bool matched = false;
        for (const InputRule& input : kInputs) {
            if (arg != optionOf(input)) continue;
            matched = true;
            std::string_view value;
            if (!takeValue(value)) return false;
            std::optional<std::string>& text = input.of(options.inputs);
            if (text) {
                error = "option " + std::string(arg) + " given twice";
                return false;
            }
            text = std::string(value);
        }
        if (matched) continue;
        if (arg == "--thickness") {
            std::string_view value;
            if (!takeValue(value)) return false;
            if (positionOfAnyLabel(value) < 0) {
                error = "unknown thickness \"" + echoed(value) +
                        "\" (All, 1/8 1/4 3/8 1/2 5/8 3/4 1, or 3.175 ... 25.400)";
                return false;
            }
            options.thickness = std::string(value);
            continue;
        }
        if (arg == "--units") {
            std::string_view value;
            if (!takeValue(value)) return false;
            const std::string v = lowered(value);
            if (v == "imperial")
                options.units = UnitSystem::Imperial;
            else if (v == "si")
                options.units = UnitSystem::SI;
            else {
                error = "unknown units \"" + echoed(value) + "\" (imperial or si)";
                return false;
            }
            options.unitsGiven = true;
            continue;
        }
        if (arg == "--format") {
            std::string_view value;
            if (!takeValue(value)) return false;
            const std::string v = lowered(value);
            if (v == "text")
                options.format = OutputFormat::Text;
            else if (v == "csv")
                options.format = OutputFormat::Csv;
            else if (v == "json")
                options.format = OutputFormat::Json;
            else {
                error = "unknown format \"" + echoed(value) + "\" (text, csv or json)";
                return false;
            }
            continue;
        }
        if (arg == "--batch") {
            std::string_view value;
            if (!takeValue(value)) return false;
            if (value.empty()) {
                error = "option --batch needs a file name (or - for standard input)";
                return false;
            }
            options.batch = std::string(value);
            continue;
        }
        if (arg == "--project" || arg == "--save-project") {
            std::string_view value;
            if (!takeValue(value)) return false;
            if (value.empty()) {
                error = "option " + std::string(arg) + " needs a file name";
                return false;
            }
            (arg == "--project" ? options.project : options.saveProject) = std::string(value);
            continue;
        }
        error = arg.starts_with("-") ? "unknown option " + echoed(arg)
                                     : "unexpected argument \"" + echoed(arg) + "\"";
        return false;
    }
    if (options.help || options.version) return true;
    if (options.project) return projectOptionsFit(options, error);
    if (options.saveProject) {
        if (!options.batch) {
            error = "--save-project needs --batch (the bearings to save)";
            return false;
        }
        if (options.size || options.explain || options.format) {
            error = "--save-project writes the design file only (no --size, --explain or --format)";
            return false;
        }
    }

    if (!options.sheet &&
        (options.company || options.projectName || options.engineer || options.description)) {
        error = "--company, --project-name, --engineer and --description need --sheet";
        return false;
    }
    if (options.sheet && (options.batch || options.size)) {
        error = "--sheet writes the sheet of one bearing (not with --batch or --size)";
        return false;
    }
    if ((options.step || options.maximum) && !options.size) {
        error = "--step and --max need --size";
        return false;
    }
    if (options.size && !sizingSizes(options, error)) return false;
    if (options.batch) {
        for (const InputRule& input : kInputs) {
            if (input.of(options.inputs)) {
                error = optionOf(input) + " cannot be used with --batch";
                return false;
            }
        }
        if (options.sliding || options.thickness) {
            error = "--sliding and --thickness cannot be used with --batch (use the columns)";
            return false;
        }
        if (options.format && *options.format != OutputFormat::Csv) {
            error = "--batch writes CSV only";
            return false;
        }
        return true;
    }
    if (options.size && options.inputs.w1 && options.inputs.b1) {
        error = "--size keeps at most one of --w1 and --b1 (the other is sized)";
        return false;
    }
    for (const InputRule& input : kInputs) {
        const bool sized = options.size && (input.input == Input::w1 || input.input == Input::b1);
        if (!sized && !input.of(options.inputs)) {
            error = "missing " + optionOf(input);
            return false;
        }
    }
    return true;
}

int runCheck(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
             std::ostream& err, SheetService* sheets) {
    CheckOptions options;
    std::string error;
    if (!parseCheckOptions(args, options, error)) return usageError(err, error);
    if (options.help) {
        out << kUsage;
        return checkedOutput(out, err, kExitDone);
    }
    if (options.version) {
        out << "bpd-check " << BPD_VERSION << '\n';
        return checkedOutput(out, err, kExitDone);
    }
    if (options.project)
        return checkedOutput(out, err, runProjectCommand(options, out, err, sheets));
    if (!options.batch && options.size)
        return checkedOutput(out, err, runSizing(options, out, err));
    if (!options.batch) return checkedOutput(out, err, runOneBearing(options, out, err, sheets));

    BatchOptions batch;
    batch.explain = options.explain;
    batch.size = options.size;
    if (options.size) batch.sizes = sizingSizes(options, error).value();
    const auto run = [&](std::istream& input, std::string_view name) {
        if (options.saveProject)
            return saveProject(input, name, *options.saveProject, options.units, err);
        return checkedOutput(out, err, runBatch(input, name, out, err, options.units, batch));
    };
    if (*options.batch == "-") return run(in, "standard input");
    const std::string name = '"' + echoed(*options.batch) + '"';
    std::error_code openError;
    const std::unique_ptr<DescriptorBuffer> file =
        DescriptorBuffer::openForReading(*options.batch, openError);
    if (!file) {
        err << "bpd-check: cannot open " << name << ": " << openError.message() << '\n';
        return kExitUsage;
    }
    std::istream stream(file.get());
    return run(stream, name);
}

}  // namespace bpd::cli
