// bpd-check: the command-line checker (see CheckCommand.h and --help).

#include <unistd.h>

#include <iostream>
#include <string_view>
#include <vector>

#include "CheckCommand.h"
#include "DescriptorBuffer.h"
#include "PdfSheetService.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    // The standard streams through checked descriptors: a full disk or a closed pipe is seen.
    bpd::cli::DescriptorBuffer input(STDIN_FILENO);
    bpd::cli::DescriptorBuffer output(STDOUT_FILENO);
    std::istream in(&input);
    std::ostream out(&output);
    bpd::cli::PdfSheetService sheets(BPD_VERSION);
    return bpd::cli::runCheck(args, in, out, std::cerr, &sheets);
}
