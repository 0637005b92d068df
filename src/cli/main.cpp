#include "runner.h"
#include "termination_cleanup.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    zelkora::cli::installTerminationCleanup();
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return zelkora::cli::runVerification(arguments, std::cout, std::cerr);
}
