#pragma once
// bpd-check: the design engine for scripts and batch work.
//
// Exit status (ExitStatus.h): 0 done; 1 an input value was rejected, a batch line or a
// bearing of a design file was reported or a run stopped on an arithmetic fault; 2 bad
// options (usage message), a batch file that cannot be opened or read or a design file that
// is refused as a whole; 3 the output or the design file could not be written.

#include <istream>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "InputRules.h"
#include "SheetService.h"
#include "TableOutput.h"
#include "Units.h"

namespace bpd::cli {

struct CheckOptions {
    bool help = false;
    bool version = false;
    FiveInputs<std::optional<std::string>> inputs;  // the texts of --w1 ... --Vap, as given
    bool sliding = false;
    std::optional<std::string> thickness;  // label of either system or "All"
    UnitSystem units = UnitSystem::Imperial;
    std::optional<OutputFormat> format;
    std::optional<std::string> batch;          // file name, "-" for standard input
    bool explain = false;                      // utilisation and governing check of every row
    bool size = false;                         // the smallest passing pad instead of a check
    std::optional<std::string> step, maximum;  // the sizing grid (--step, --max)
    std::optional<std::string> project;        // a design file to check (--project)
    std::optional<std::string> saveProject;    // the design file a batch becomes
    bool unitsGiven = false;
    std::optional<std::string> sheet;  // the calculation sheet's PDF (--sheet)
    std::optional<std::string> company, projectName, engineer, description;
};

// Reads the arguments (without the program name). False with a reason on bad options.
bool parseCheckOptions(std::span<const std::string_view> args, CheckOptions& options,
                       std::string& error);

// The text of --help.
std::string_view checkUsage();

// Runs the command; in is the standard input (for "--batch -"). Every output error (out in
// a bad state after the run; DescriptorBuffer gives the system's reason) is reported on err
// and gives status 3, and so is a calculation sheet that cannot be written. sheets draws the
// sheets of --sheet; without it --sheet is refused as unavailable.
int runCheck(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
             std::ostream& err, SheetService* sheets = nullptr);

}  // namespace bpd::cli
