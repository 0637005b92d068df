#pragma once

#include "machines/machine.h"

#include <filesystem>
#include <string>
#include <vector>

// Small machines built in code for the tests of the machine floor, and the shipped samples.
namespace zelkora::testing {

inline std::filesystem::path machineSamplesFolder() {
    return std::filesystem::path(ZELKORA_SOURCE_DIR) / "samples" / "machines";
}

inline std::vector<std::filesystem::path> machineSamples() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(machineSamplesFolder())) {
        if (entry.path().extension() == ".json") {
            files.push_back(entry.path());
        }
    }
    return files;
}

inline machines::State normalState(double denominator, std::string table = "ヘソ") {
    machines::State state;
    state.name = "通常";
    state.hitDenominator = denominator;
    state.table = std::move(table);
    return state;
}

// A support state that runs out after `limit` spins (0: until a hit) into 通常.
inline machines::State supportState(std::string name, double denominator, int limit,
                                    std::string table, int held = 0) {
    machines::State state;
    state.name = std::move(name);
    state.hitDenominator = denominator;
    state.table = std::move(table);
    state.spinLimit = limit;
    state.after = limit > 0 ? "通常" : "";
    state.heldSpins = held;
    state.supportNetBalls = 0;
    return state;
}

inline machines::AllocationTable table(std::string name,
                                       std::vector<machines::Allocation> outcomes) {
    return {std::move(name), std::move(outcomes)};
}

inline machines::Allocation outcome(double weight, double balls, std::string next,
                                    int rounds = 10) {
    return {std::to_string(rounds) + "R " + next, weight, rounds, balls, std::move(next), 0};
}

inline machines::MachineVerification verificationOf(machines::Machine machine) {
    machine.name = machine.name.empty() ? "試験機" : machine.name;
    machine.startState = "通常";
    machines::MachineVerification verification;
    verification.machine = std::move(machine);
    verification.campaign.name = "試験";
    return verification;
}

} // namespace zelkora::testing
