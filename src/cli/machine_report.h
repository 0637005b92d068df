#pragma once

#include "machines/machine_figures.h"
#include "machines/machine_theory.h"

#include <nlohmann/json.hpp>
#include <string>

namespace zelkora::cli {

// The theory of a machine for a person, one "name  value" line each, and as JSON.
std::string machineTheoryText(const machines::MachineVerification& verification,
                              const machines::MachineTheory& theory);
nlohmann::ordered_json machineTheoryJson(const machines::MachineVerification& verification,
                                         const machines::MachineTheory& theory);

// The value of playing from one 遊タイム count, and the break-even count.
std::string countValueText(const machines::MachineTheory& theory, int count);
nlohmann::ordered_json countValueJson(const machines::MachineTheory& theory, int count);

// The figures of one played campaign.
std::string campaignText(const machines::MachineVerification& verification,
                         const machines::MachineFigures& played);
nlohmann::ordered_json campaignJson(const machines::MachineVerification& verification,
                                    const machines::MachineFigures& played);

} // namespace zelkora::cli
