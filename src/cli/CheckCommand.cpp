#include "CheckCommand.h"

#include <cctype>
#include <vector>

#include "BatchRun.h"
#include "DescriptorBuffer.h"
#include "EchoedText.h"
#include "ExitStatus.h"
#include "InputRules.h"
#include "ResultTable.h"
#include "ThicknessCatalogue.h"

#ifndef BPD_VERSION
#define BPD_VERSION "unknown"
#endif

namespace bpd::cli {

namespace {

constexpr std::string_view kUsage =
    R"(Usage: bpd-check --w1 W1 --b1 B1 --A A --dh DH --Vap VAP [--sliding]
                 [--thickness All|LABEL] [--units imperial|si] [--format text|csv|json]
       bpd-check --batch FILE.csv [--units imperial|si]
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

Batch
  --batch FILE     check every bearing of a CSV file ("-" reads standard input).
                   The first line names the columns, in any order:
                     w1,b1,A,dh,Vap,sliding[,thickness]
                   sliding is 0/1, yes/no or true/false; thickness is a label or All
                   (empty or absent: All). Output on standard output, CSV: the header
                   "line" and the 13 header texts, then for each bearing and each computed
                   thickness its input line number and the 13 cell texts. Blank lines are
                   skipped. A bad line is reported on standard error with its line number
                   and reason and the other lines are still checked.

Messages go to standard error. A value they repeat is shown in double quotes with each
control character and each byte that is not UTF-8 written as \xNN (ESC as \x1b) and a
backslash as \\, cut after 80 characters with "...".

Exit status
  0  every bearing was checked (a "FAIL!" verdict is a result, not an error)
  1  an input value was rejected, a batch line was reported, or a run stopped on an
     arithmetic fault (the rows completed before it are written)
  2  bad options (this usage message) or a batch file that cannot be opened or read
     (a directory, an I/O error; the rows of the lines read before are written)
  3  the output could not be written (a full disk, a closed standard output, a pipe
     whose reader has gone): the results are incomplete
)";

const NumberLocale kCLocale{".", ","};

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

// Every output error ends in status 3: a script must never take a cut result for a whole.
int checkedOutput(std::ostream& out, std::ostream& err, int status) {
    out.flush();
    const std::error_code error = streamError(out);
    if (!error) return status;
    err << "bpd-check: cannot write to standard output: " << error.message()
        << " (the output is incomplete)\n";
    return kExitOutput;
}

int runOneBearing(const CheckOptions& options, std::ostream& out, std::ostream& err) {
    InputValues values;
    const struct {
        const char* name;
        const std::string* text;
        double* value;
    } inputs[] = {
        {"w1", &*options.w1, &values.w1},    {"b1", &*options.b1, &values.b1},
        {"A", &*options.A, &values.A},       {"dh", &*options.dh, &values.dh},
        {"Vap", &*options.Vap, &values.Vap},
    };
    bool rejected = false;
    for (const auto& input : inputs) {
        const InputReading reading = readInput(*input.text, zeroAllowedFor(input.name));
        if (!reading.value) {
            err << "bpd-check: " << input.name << ": " << reading.problem << '\n';
            rejected = true;
            continue;
        }
        *input.value = *reading.value;
    }
    if (rejected) return kExitReported;

    const int selection = options.thickness ? positionOfAnyLabel(*options.thickness) : 0;
    const auto thicknesses = ThicknessCatalogue::thicknesses();
    ResultTable table;
    analyzeValues(options.units, values, options.sliding, selection, thicknesses, kCLocale, table);
    switch (options.format.value_or(OutputFormat::Text)) {
        case OutputFormat::Text:
            writeTextTable(out, table);
            break;
        case OutputFormat::Csv:
            writeCsvTable(out, table);
            break;
        case OutputFormat::Json:
            writeJsonTable(out, table, options.units, options.sliding,
                           ThicknessCatalogue::label(options.units, selection));
            break;
    }
    out.flush();
    if (table.fault) {
        err << "bpd-check: arithmetic fault in " << describeFault(*table.fault) << '\n';
        return kExitReported;
    }
    return kExitDone;
}

}  // namespace

std::string_view checkUsage() {
    return kUsage;
}

bool parseCheckOptions(std::span<const std::string_view> args, CheckOptions& options,
                       std::string& error) {
    std::optional<std::string>* numbers[] = {&options.w1, &options.b1, &options.A, &options.dh,
                                             &options.Vap};
    const std::string_view numberNames[] = {"--w1", "--b1", "--A", "--dh", "--Vap"};
    bool unitsGiven = false;

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

        if (arg == "--help" || arg == "-h") {
            if (!flagOnly()) return false;
            options.help = true;
            continue;
        }
        if (arg == "--version") {
            if (!flagOnly()) return false;
            options.version = true;
            continue;
        }
        if (arg == "--sliding") {
            if (!flagOnly()) return false;
            options.sliding = true;
            continue;
        }
        bool matched = false;
        for (std::size_t n = 0; n < std::size(numberNames); ++n) {
            if (arg != numberNames[n]) continue;
            matched = true;
            std::string_view value;
            if (!takeValue(value)) return false;
            if (*numbers[n]) {
                error = "option " + std::string(arg) + " given twice";
                return false;
            }
            *numbers[n] = std::string(value);
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
            unitsGiven = true;
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
        error = arg.starts_with("-") ? "unknown option " + echoed(arg)
                                     : "unexpected argument \"" + echoed(arg) + "\"";
        return false;
    }
    (void)unitsGiven;
    if (options.help || options.version) return true;

    if (options.batch) {
        for (std::size_t n = 0; n < std::size(numberNames); ++n) {
            if (*numbers[n]) {
                error = std::string(numberNames[n]) + " cannot be used with --batch";
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
    for (std::size_t n = 0; n < std::size(numberNames); ++n) {
        if (!*numbers[n]) {
            error = "missing " + std::string(numberNames[n]);
            return false;
        }
    }
    return true;
}

int runCheck(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
             std::ostream& err) {
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
    if (!options.batch) return checkedOutput(out, err, runOneBearing(options, out, err));

    if (*options.batch == "-") {
        return checkedOutput(out, err, runBatch(in, "standard input", out, err, options.units));
    }
    const std::string name = '"' + echoed(*options.batch) + '"';
    std::error_code openError;
    const std::unique_ptr<DescriptorBuffer> file =
        DescriptorBuffer::openForReading(*options.batch, openError);
    if (!file) {
        err << "bpd-check: cannot open " << name << ": " << openError.message() << '\n';
        return kExitUsage;
    }
    std::istream stream(file.get());
    return checkedOutput(out, err, runBatch(stream, name, out, err, options.units));
}

}  // namespace bpd::cli
