#include "analysis/campaign_analysis.h"

#include "platform/yield_point.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace zelkora {

// The campaigns between the workers and the fold: a ring of finished campaigns, campaign i in
// slot i mod the ring's size. A worker starts campaign i only while i is within the ring's
// reach of the next campaign to fold, so no slot is ever taken twice.
struct CampaignAnalysis::Shared {
    explicit Shared(std::size_t window) : slots(window) {}

    std::optional<CampaignOutcome>& slot(std::int64_t index) {
        return slots[static_cast<std::size_t>(index) % slots.size()];
    }
    std::int64_t window() const { return static_cast<std::int64_t>(slots.size()); }

    std::mutex mutex;
    std::condition_variable finished;  // a worker put a campaign into its slot
    std::condition_variable slotsFree; // the fold emptied slots, or the analysis stops
    std::vector<std::optional<CampaignOutcome>> slots;
    std::int64_t nextToStart = 0;
    std::int64_t nextToFold = 0;
    bool stopping = false;
};

// Tells the workers to stop when run() leaves its scope by any way, before they are joined:
// a worker that waits for a free slot would otherwise wait for ever.
class CampaignAnalysis::StopOnExit {
public:
    StopOnExit(Shared& shared, std::atomic<bool>& cancelled)
        : shared_(shared), cancelled_(cancelled) {}
    ~StopOnExit() {
        // Whatever still plays is cut short; the workers see the stop and end.
        cancelled_.store(true);
        {
            const std::lock_guard lock(shared_.mutex);
            shared_.stopping = true;
        }
        shared_.slotsFree.notify_all();
    }
    StopOnExit(const StopOnExit&) = delete;
    StopOnExit& operator=(const StopOnExit&) = delete;

private:
    Shared& shared_;
    std::atomic<bool>& cancelled_;
};

namespace {

constexpr auto kLongestWait = std::chrono::milliseconds(50);

int campaignDays(const CampaignSetup& setup) {
    const double days = setup.loaded.fields.number(Field::条件_何日分);
    return days >= 1 && days < 1e6 ? static_cast<int>(std::ceil(days)) : 1;
}

} // namespace

CampaignAnalysis::CampaignAnalysis(const CampaignSetup& setup, AnalysisRequest request)
    : setup_(setup), request_(request) {
    request_.campaigns = std::max<std::int64_t>(request_.campaigns, 0);
    request_.threads = std::max(request_.threads, 1);
}

AnalysisOutcome CampaignAnalysis::run(const PlatformSeams& seams, AnalysisObservers observers) {
    const std::int64_t total = request_.campaigns;
    Shared shared(static_cast<std::size_t>(std::max(4, 4 * request_.threads)));
    AnalysisAccumulator accumulator(campaignDays(setup_), bankroll_);
    AnalysisOutcome outcome;

    const auto work = [this, &shared, total] {
        for (;;) {
            std::int64_t index = 0;
            {
                std::unique_lock lock(shared.mutex);
                shared.slotsFree.wait(lock, [&] {
                    return shared.stopping || shared.nextToStart >= total ||
                           shared.nextToStart < shared.nextToFold + shared.window();
                });
                if (shared.stopping || shared.nextToStart >= total) {
                    return;
                }
                index = shared.nextToStart++;
            }
            CampaignOutcome played;
            try {
                played = playCampaign(setup_, index, cancelled_);
            } catch (...) {
                played.end = CampaignEnd::Failed;
                played.failure = errorOfCurrentException();
                played.figures.index = index;
            }
            {
                const std::lock_guard lock(shared.mutex);
                shared.slot(index) = std::move(played);
            }
            shared.finished.notify_one();
        }
    };

    ThreadStarter& starter = seams.threads;
    {
        std::vector<std::jthread> workers;
        workers.reserve(static_cast<std::size_t>(request_.threads));
        // Destroyed before the workers are joined.
        const StopOnExit stopOnExit(shared, cancelled_);
        for (int thread = 0; thread < request_.threads; ++thread) {
            Result<std::jthread> started = starter.start(work);
            if (!started.ok()) {
                if (workers.empty()) {
                    outcome.end = AnalysisEnd::Failed;
                    outcome.failure = std::move(started).error();
                }
                break;
            }
            workers.push_back(std::move(started).value());
        }
        outcome.threadsStarted = static_cast<int>(workers.size());
        YieldPoint yield(seams.pump);
        std::int64_t folded = 0;
        bool ended = workers.empty() && total > 0;
        while (folded < total && !ended) {
            std::vector<CampaignOutcome> ready;
            {
                std::unique_lock lock(shared.mutex);
                shared.finished.wait_for(
                    lock, kLongestWait, [&] { return shared.slot(shared.nextToFold).has_value(); });
                while (shared.nextToFold < total && shared.slot(shared.nextToFold)) {
                    ready.push_back(std::move(*shared.slot(shared.nextToFold)));
                    shared.slot(shared.nextToFold).reset();
                    ++shared.nextToFold;
                }
            }
            shared.slotsFree.notify_all();
            for (const CampaignOutcome& campaign : ready) {
                if (campaign.end != CampaignEnd::Played) {
                    outcome.end = campaign.end == CampaignEnd::Failed ? AnalysisEnd::Failed
                                                                      : AnalysisEnd::Cancelled;
                    outcome.failure = campaign.failure;
                    outcome.failedCampaign = campaign.figures.index;
                    ended = true;
                    break;
                }
                accumulator.add(campaign.figures);
                if (observers.sink != nullptr) {
                    observers.sink->campaign(campaign.figures);
                }
                ++folded;
            }
            if (observers.progress != nullptr && !ready.empty()) {
                observers.progress->campaignsDone(folded, total);
            }
            yield();
            if (!ended && cancelled_.load()) {
                outcome.end = AnalysisEnd::Cancelled;
                ended = true;
            }
        }
    }
    outcome.report = accumulator.report();
    return outcome;
}

} // namespace zelkora
