#include "console_setup.h"
#include "runner.h"
#include "termination_cleanup.h"

#include <iostream>
#include <string>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    zelkora::cli::installTerminationCleanup();
    zelkora::cli::prepareConsole();
    const std::vector<std::string> given = zelkora::cli::utf8Arguments(argc, argv);
    const std::vector<std::string_view> arguments(given.begin() + (given.empty() ? 0 : 1),
                                                  given.end());
    return zelkora::cli::runVerification(arguments, std::cout, std::cerr);
}
