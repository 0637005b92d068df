#pragma once

#include "analysis/analysis_report.h"
#include "analysis/campaign.h"
#include "platform/platform.h"
#include "platform/platform_seams.h"

#include <atomic>
#include <cstdint>
#include <string>

namespace zelkora {

// What an analysis reports while it runs. Called on the thread that runs the analysis.
class AnalysisProgress {
public:
    virtual ~AnalysisProgress() = default;
    virtual void campaignsDone(std::int64_t done, std::int64_t total) = 0;
};

// Sees every campaign's figures, in campaign order, on the thread that runs the analysis (the
// runner writes them to a CSV file as they come).
class CampaignSink {
public:
    virtual ~CampaignSink() = default;
    virtual void campaign(const CampaignFigures& figures) = 0;
};

// Who watches an analysis besides its caller.
struct AnalysisObservers {
    AnalysisProgress* progress = nullptr;
    CampaignSink* sink = nullptr;
};

struct AnalysisRequest {
    std::int64_t campaigns = 1;
    int threads = 1;
};

enum class AnalysisEnd : std::uint8_t { Done, Cancelled, Failed };

struct AnalysisOutcome {
    AnalysisEnd end = AnalysisEnd::Done;
    // The first failing campaign's error, in campaign order, or ThreadNotStarted when not one
    // worker thread could be started (failedCampaign -1).
    std::optional<Error> failure;
    std::int64_t failedCampaign = -1;
    int threadsStarted = 0; // fewer than asked for when the system refused some
    AnalysisReport report;  // of the campaigns merged before the end
};

// Plays K campaigns of one verification on J worker threads (std::jthread) and folds their
// figures into an AnalysisReport. The campaigns draw from streams fixed by the seed and their
// number, and their figures are folded in campaign order, so the report is the same for any
// thread count. Workers run at most a small window of campaigns ahead of the fold, so memory
// does not grow with K. The calling thread folds, reports progress and keeps the window's
// events flowing; cancel() (from the window's Cancel, inside the pump) stops every campaign.
// When the system refuses a worker thread the analysis plays on the threads it has; when it
// refuses the first, the analysis fails at once. The workers are told to stop on every way out
// of run(), an exception included, so no worker is ever left waiting for a slot.
class CampaignAnalysis {
public:
    CampaignAnalysis(const CampaignSetup& setup, AnalysisRequest request);
    CampaignAnalysis(const CampaignAnalysis&) = delete;
    CampaignAnalysis& operator=(const CampaignAnalysis&) = delete;
    ~CampaignAnalysis() = default;

    // Plays the campaigns; an analysis runs once.
    // The window's events are processed through the seams' pump while the campaigns play, and
    // the workers start through their thread starter.
    AnalysisOutcome run(const PlatformSeams& seams, AnalysisObservers observers = {});
    void cancel() { cancelled_.store(true); }
    // The bankroll (yen) whose ruin the report counts; before run().
    void followBankroll(std::optional<double> bankroll) { bankroll_ = bankroll; }

private:
    struct Shared;
    class StopOnExit;

    const CampaignSetup& setup_;
    AnalysisRequest request_;
    std::optional<double> bankroll_;
    std::atomic<bool> cancelled_{false};
};

} // namespace zelkora
