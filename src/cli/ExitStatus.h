#pragma once
// The exit statuses of bpd-check, as --help lists them.

namespace bpd::cli {

enum ExitStatus : int {
    kExitDone = 0,      // every bearing checked ("FAIL!" is a result)
    kExitReported = 1,  // a rejected value, a reported batch line or design file bearing, or an
                        // arithmetic fault
    kExitUsage = 2,     // bad options, a batch file that cannot be opened or read, or a design
                        // file refused as a whole
    kExitOutput = 3,    // the output (or the design file of --save-project) could not be
                        // written: the results are incomplete
};

}  // namespace bpd::cli
