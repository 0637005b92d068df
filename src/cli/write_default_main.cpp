#include "default_verification.h"

#include <iostream>

// zelkora-write-default OUT.pac: writes the verification of samples/default.pac.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zelkora-write-default OUT.pac\n";
        return 2;
    }
    const std::string problem = zelkora::cli::writeDefaultVerification(argv[1]);
    if (!problem.empty()) {
        std::cerr << "zelkora-write-default: " << problem << '\n';
        return 1;
    }
    return 0;
}
