#include "analysis/theory.h"
#include "machine_fixture.h"
#include "machines/machine_file.h"
#include "machines/machine_theory_table.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zelkora::testing {
namespace {

using machines::MachineTheory;
using machines::MachineVerification;

const std::string* valueOf(const TextTable& table, std::string_view name) {
    for (const std::vector<std::string>& row : table.rows) {
        if (row.at(0) == name) {
            return &row.at(1);
        }
    }
    return nullptr;
}

struct Sample {
    MachineVerification verification;
    MachineTheory theory;
};

std::vector<Sample> samplesAt(double heldShare) {
    std::vector<Sample> samples;
    for (const std::filesystem::path& file : machineSamples()) {
        const auto read = machines::readMachineFile(file);
        EXPECT_TRUE(read.ok()) << read.problem();
        const auto theory = machines::machineTheory(read.value(), heldShare);
        EXPECT_TRUE(theory.ok()) << theory.problem();
        samples.push_back({read.value(), theory.value()});
    }
    return samples;
}

TEST(MachineTheoryTable, shows_every_figure_of_the_theory_in_its_row) {
    for (const Sample& sample : samplesAt(0.3)) {
        const std::string& name = sample.verification.machine.name;
        const machines::ChainFigures& chain = sample.theory.chain;
        const TextTable table = machines::machineTheoryTable(sample.verification, sample.theory);
        ASSERT_EQ(table.headings, (std::vector<std::string>{"項目", "値"}));
        const std::vector<std::pair<std::string, std::string>> expected{
            {"機種", name},
            {"初当り確率", "1/" + figureText(chain.normalSpinsPerFirstHit, 2)},
            {"平均連チャン数", figureText(chain.hitsPerFirstHit, 3)},
            {"初当り1回あたりのラウンド数", figureText(chain.roundsPerFirstHit, 2)},
            {"初当り1回あたりの出玉", figureText(chain.payoutBallsPerFirstHit, 1) + " 玉"},
            {"回転単価（現金）", figureText(sample.theory.cash.balancePerSpin, 2) + " 円"},
            {"時給（持玉）", figureText(sample.theory.held.balancePerHour, 0) + " 円"},
            {"ボーダー（持ち玉比率 30.0%）",
             figureText(sample.theory.mixed.border, 2) + " 回転/1000円"},
        };
        for (const auto& [row, value] : expected) {
            const std::string* shown = valueOf(table, row);
            ASSERT_NE(shown, nullptr) << name << ": " << row;
            EXPECT_EQ(*shown, value) << name << ": " << row;
        }
        const auto rowsStartingWith = [&table](std::string_view prefix) {
            return std::count_if(table.rows.begin(), table.rows.end(),
                                 [prefix](const auto& row) { return row[0].starts_with(prefix); });
        };
        EXPECT_EQ(rowsStartingWith("継続率（"), static_cast<long>(chain.continuations.size()))
            << name;
        EXPECT_EQ(rowsStartingWith("突入率（"), static_cast<long>(chain.entering.size())) << name;
        EXPECT_EQ(valueOf(table, "遊タイムの期待値がプラスになる回転数") != nullptr,
                  sample.verification.machine.ceiling.has_value())
            << name;
    }
}

// The rate table's row at the campaign's own exchange rate holds the borders the theory gives.
TEST(MachineTheoryTable, the_rate_table_agrees_with_the_theory_at_the_campaigns_rate) {
    for (const Sample& sample : samplesAt(0.5)) {
        const std::string& name = sample.verification.machine.name;
        const TextTable rates =
            machines::machineRateTable(sample.verification, sample.theory.chain, 0.5);
        ASSERT_EQ(rates.rows.size(), kTableExchangeRates.size()) << name;
        ASSERT_EQ(rates.headings.size(), 1 + kTableSpinsPerThousand.size() + 3) << name;
        EXPECT_EQ(rates.headings.back(), "ボーダー（持ち玉比率 50.0%）");
        const std::string own = figureText(sample.verification.campaign.exchangeBallsPer100Yen, 0);
        const auto row = std::find_if(rates.rows.begin(), rates.rows.end(),
                                      [&own](const auto& cells) { return cells[0] == own; });
        ASSERT_NE(row, rates.rows.end()) << name << ": the samples play at 28 balls";
        const std::size_t borders = 1 + kTableSpinsPerThousand.size();
        EXPECT_EQ((*row)[borders], figureText(sample.theory.cash.border, 2)) << name;
        EXPECT_EQ((*row)[borders + 1], figureText(sample.theory.held.border, 2)) << name;
        EXPECT_EQ((*row)[borders + 2], figureText(sample.theory.mixed.border, 2)) << name;
        // A better exchange (fewer balls per 100 yen) never needs more spins on cash.
        for (std::size_t index = 1; index < rates.rows.size(); ++index) {
            EXPECT_LE(std::stod(rates.rows[index - 1][borders]),
                      std::stod(rates.rows[index][borders]))
                << name << " at " << rates.rows[index][0];
        }
    }
}

TEST(MachineTheoryTable, the_continuation_bars_follow_the_entries) {
    for (const Sample& sample : samplesAt(0)) {
        const machines::ContinuationBars bars = machines::continuationBars(sample.theory.chain);
        ASSERT_EQ(bars.labels.size(), sample.theory.chain.continuations.size());
        for (std::size_t index = 0; index < bars.labels.size(); ++index) {
            const machines::EntryContinuation& entry = sample.theory.chain.continuations[index];
            EXPECT_TRUE(bars.labels[index].starts_with(entry.state));
            EXPECT_DOUBLE_EQ(bars.percents[index], entry.continuation * 100);
        }
    }
}

} // namespace
} // namespace zelkora::testing
