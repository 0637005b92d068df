#pragma once

#include "analysis/campaign_streams.h"
#include "analysis/overall_figures.h"
#include "common/error.h"
#include "files/verification_conditions.h"
#include "model/main_window_model.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelkora {

class RandomSource;

// What every campaign of an analysis starts from: the window as Open leaves it (IndPreset has
// loaded the conditions, the convergence options are set) and the conditions the working copy
// holds, which Start reads again.
struct CampaignSetup {
    MainWindowModel loaded;
    StoredConditions conditions;
    int countdown = 1000; // Timer3's counter, frozen for the run
    std::uint64_t seed = 0;
};

// One campaign's figures: the overall panel as it shows them and as numbers, and its days.
struct CampaignFigures {
    std::int64_t index = 0; // 0-based
    std::array<std::string, kOverallFigureCount> overallTexts{};
    std::array<double, kOverallFigureCount> overall{};
    double finalBalance = 0;                    // 収支表示F, yen
    std::vector<double> cumulativeBalanceByDay; // c日合計_積算収支F at each day's end
    int bustDays = 0;                           // days that ended with 持金パンク
    int daysEndedInStreak = 0;                  // days that ended in 確変 or 時短
    double playSeconds = 0;                     // the day clocks of all days together
    double payoutBalls = 0;                     // 出玉数 of every big hit
    // The cumulative balance at its lowest, just before an exchange raised it (0 or below),
    // and the largest fall from a high to a later low.
    double lowestBalance = 0;
    double largestDrawdown = 0;
};

enum class CampaignEnd : std::uint8_t { Played, Cancelled, Failed };

struct CampaignOutcome {
    CampaignEnd end = CampaignEnd::Played;
    std::optional<Error> failure; // what ended the run when Failed
    CampaignFigures figures;
};

// Plays campaign `index` of the setup: a full run of the engine on a copy of the loaded window
// and a working copy in memory, drawing from the campaign's own stream. `cancelled` is looked
// at every few thousand spins; once it is set the run is cancelled as the window's Cancel does.
CampaignOutcome playCampaign(const CampaignSetup& setup, std::int64_t index,
                             const std::atomic<bool>& cancelled);

// The same run on a window the caller owns and with a generator the caller gives, so a test can
// set a campaign beside a plain run of the same stream.
CampaignOutcome playCampaignOn(MainWindowModel& model, const CampaignSetup& setup,
                               RandomSource& source, const std::atomic<bool>& cancelled);

} // namespace zelkora
