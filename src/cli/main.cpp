// bpd-check: the command-line checker (see CheckCommand.h and --help).

#include <iostream>
#include <string_view>
#include <vector>

#include "CheckCommand.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::vector<std::string_view> args(argv + 1, argv + argc);
    return bpd::cli::runCheck(args, std::cin, std::cout, std::cerr);
}
