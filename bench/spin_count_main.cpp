// Plays what the spin benchmarks time once, so callgrind can count its instructions:
//
//   zelkora-spin-count engine DAYS   the default verification over DAYS days, records written
//   zelkora-spin-count bare SPINS    the bare lottery loop over SPINS spins
//   zelkora-spin-count floor SPINS RECORDS
//                                    the bare loop, then RECORDS ready-made records written
//                                    to a file that is deleted: what no run can do without
//
// Prints the spins played. scripts/bench counts RunEngine::MK_Start and bareLottery.

#include "default_run.h"

#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::cerr << "usage: zelkora-spin-count engine DAYS | bare SPINS | floor SPINS RECORDS\n";
        return 2;
    }
    const std::string_view mode = argv[1];
    const long long count = std::atoll(argv[2]);
    if (mode == "floor" && argc == 4 && count > 0) {
        const int records = std::atoi(argv[3]);
        const auto folder = zelkora::bench::makeBenchFolder();
        try {
            const std::int64_t hits =
                zelkora::bench::bareLotteryWithRecords(count, records, folder);
            std::filesystem::remove_all(folder);
            std::cout << count << " spins, " << hits << " hits, " << records << " records\n";
            return 0;
        } catch (const std::exception& failure) {
            std::filesystem::remove_all(folder);
            std::cerr << "zelkora-spin-count: " << failure.what() << '\n';
            return 1;
        }
    }
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
    std::cerr
        << "zelkora-spin-count: give engine DAYS (1-10000), bare SPINS or floor SPINS RECORDS\n";
    return 2;
}
