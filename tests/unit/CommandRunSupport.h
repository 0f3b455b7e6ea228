#pragma once
// Runs bpd-check's command in the test process and keeps what it returned and wrote.

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "CheckCommand.h"

namespace bpd::cli {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

// input is what standard input holds; sheets receives --sheet requests (none when null).
inline CommandRun runCommand(std::vector<std::string_view> args, const std::string& input = {},
                             SheetService* sheets = nullptr) {
    std::istringstream in(input);
    std::ostringstream out, err;
    CommandRun run;
    run.status = runCheck(args, in, out, err, sheets);
    run.out = out.str();
    run.err = err.str();
    return run;
}

}  // namespace bpd::cli
