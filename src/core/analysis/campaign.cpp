#include "analysis/campaign.h"

#include "analysis/campaign_working_copy.h"
#include "common/numbers.h"
#include "engine/run_conditions.h"
#include "engine/run_engine.h"
#include "files/file_system.h"
#include "platform/pcg_random_source.h"
#include "platform/silent_user_interface.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace zelkora {
namespace {

// The countdown is given and no wall clock enters the rules, so a campaign repeats exactly.
class FixedTimers final : public RunTimers {
public:
    explicit FixedTimers(int countdown) : countdown_(countdown) {}
    int countdown() const override { return countdown_; }
    void setCountdownEnabled(bool, int) override {}
    std::int32_t runSeconds() const override { return 0; }
    void resetRunSeconds() override {}

private:
    int countdown_;
};

// No events to process; every so many yield points it looks at the analysis' cancel flag and,
// once it is set, cancels the run as the window's Cancel command would.
class CancellingPump final : public EventPump {
public:
    static constexpr std::uint32_t kYieldsBetweenChecks = 1U << 16U;

    explicit CancellingPump(const std::atomic<bool>& cancelled) : cancelled_(cancelled) {}
    void attach(RunEngine& engine) { engine_ = &engine; }
    std::uint32_t processEvents() override {
        if (!cancelling_ && engine_ != nullptr && cancelled_.load(std::memory_order_relaxed)) {
            cancelling_ = true;
            engine_->MK_Cancel();
        }
        return kYieldsBetweenChecks;
    }

private:
    const std::atomic<bool>& cancelled_;
    RunEngine* engine_ = nullptr;
    bool cancelling_ = false;
};

// Takes each day's end from the records: its marker, the state it ended in, and the balance
// the fields show at that moment.
class RecordCollector final : public ResultRecordObserver {
public:
    RecordCollector(const FieldStore& fields, CampaignFigures& figures)
        : fields_(fields), figures_(figures) {}

    void resultRecord(std::int32_t, const ResultColumns& columns) override {
        constexpr std::size_t kHitColumn = 4;
        constexpr std::size_t kRuleColumn = 6;
        constexpr std::size_t kStateColumn = 7;
        constexpr std::size_t kExchangedColumn = 9;
        followBalance(readNumber(columns[kExchangedColumn]));
        const std::string_view rule = columns[kRuleColumn];
        const bool dayEnd =
            columns[kHitColumn] != kBigHitMark && (rule == ballRuleText(BallRule::回転数終了) ||
                                                   rule == ballRuleText(BallRule::持金パンク));
        if (!dayEnd) {
            return; // a big hit, or the record of a Cancel
        }
        figures_.cumulativeBalanceByDay.push_back(fields_.number(Field::c日合計_積算収支F));
        if (rule == ballRuleText(BallRule::持金パンク)) {
            ++figures_.bustDays;
        }
        if (columns[kStateColumn] != stateText(MachineState::通常)) {
            ++figures_.daysEndedInStreak;
        }
    }

private:
    static constexpr std::string_view kBigHitMark = "した";

    // The balance falls only by purchases between records and rises only by the exchange a
    // record settles, so its lows are the balances just before each record's exchange.
    void followBalance(double exchangedBalls) {
        const double after = fields_.number(Field::c日合計_積算収支F);
        const double rate = fields_.number(Field::条件_両替率);
        const double exchangedYen = rate > 0 ? std::trunc(exchangedBalls / rate * 100) : 0;
        const double before = after - exchangedYen;
        figures_.lowestBalance = std::min(figures_.lowestBalance, before);
        figures_.largestDrawdown = std::max(figures_.largestDrawdown, high_ - before);
        high_ = std::max(high_, after);
    }

    double high_ = 0;

    const FieldStore& fields_;
    CampaignFigures& figures_;
};

void collectFigures(const MainWindowModel& model, CampaignFigures& figures) {
    const FieldStore& fields = model.fields;
    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        figures.overallTexts[index] = fields.text(kOverallFigures[index]);
        figures.overall[index] = fields.number(kOverallFigures[index]);
    }
    figures.finalBalance = fields.number(Field::収支表示F);
    const RunConditions conditions = readRunConditions(fields, model.program);
    figures.playSeconds = fields.number(Field::総回転数表示) * conditions.normalSpinSeconds +
                          fields.number(Field::総時短回転数表示) * conditions.shortSpinSeconds +
                          fields.number(Field::総大当り数表示) * kBigHitSeconds;
    const DistributionCounters& counters = model.distributions;
    for (int symbol = 0; symbol < counters.symbolCount(); ++symbol) {
        figures.payoutBalls += static_cast<double>(counters.symbolHits(symbol)) *
                               model.symbols.payouts[static_cast<std::size_t>(symbol)];
    }
}

} // namespace

CampaignOutcome playCampaignOn(MainWindowModel& model, const CampaignSetup& setup,
                               RandomSource& source, const std::atomic<bool>& cancelled) {
    CampaignOutcome outcome;
    RecordCollector records(model.fields, outcome.figures);
    CampaignWorkingCopy workingCopy(setup.conditions, records);
    SilentUserInterface ui;
    CancellingPump pump(cancelled);
    FixedTimers timers(setup.countdown);
    RandomStream random(source);
    LocalFileSystem files;
    SystemThreadStarter threads;
    RunEngine engine(model, {ui, files, pump, timers, random, threads}, workingCopy);
    pump.attach(engine);
    if (Status played = engine.MK_Start(); !played.ok()) {
        outcome.end = CampaignEnd::Failed;
        outcome.failure = std::move(played).error();
    } else if (model.window.cancelled) {
        outcome.end = CampaignEnd::Cancelled;
    } else {
        collectFigures(model, outcome.figures);
    }
    return outcome;
}

CampaignOutcome playCampaign(const CampaignSetup& setup, std::int64_t index,
                             const std::atomic<bool>& cancelled) {
    MainWindowModel model = setup.loaded;
    const CampaignStream stream = campaignStream(setup.seed, index);
    PcgRandomSource source(stream.seed, stream.stream);
    CampaignOutcome outcome = playCampaignOn(model, setup, source, cancelled);
    outcome.figures.index = index;
    return outcome;
}

} // namespace zelkora
