// Plays what the spin benchmarks time once, so callgrind can count its instructions:
//
//   zelkora-spin-count engine DAYS   the default verification over DAYS days, records written
//   zelkora-spin-count bare SPINS    the bare lottery loop over SPINS spins
//
// Prints the spins played. scripts/bench counts RunEngine::MK_Start and bareLottery.

#include "default_run.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zelkora-spin-count engine DAYS | bare SPINS\n";
        return 2;
    }
    const std::string_view mode = argv[1];
    const long long count = std::atoll(argv[2]);
    if (mode == "bare" && count > 0) {
        const std::int64_t hits = zelkora::bench::bareLottery(count);
        std::cout << count << " spins, " << hits << " hits\n";
        return 0;
    }
    if (mode == "engine" && count > 0 && count <= 10000) {
        const auto folder = zelkora::bench::makeBenchFolder();
        const auto run = zelkora::bench::runDefaultVerification(static_cast<int>(count), folder);
        std::filesystem::remove_all(folder);
        std::cout << run.spins << " spins, " << run.records << " records\n";
        return 0;
    }
    std::cerr << "zelkora-spin-count: give engine DAYS (1-10000) or bare SPINS\n";
    return 2;
}
