#include "machines/machine_campaign.h"

#include "machines/machine_play.h"
#include "machines/machine_theory.h"

#include <algorithm>
#include <cmath>

namespace zelkora::machines {
namespace {

constexpr double kYenPerBall = 4;
constexpr double kBigHitSeconds = 180;
constexpr double kSecondsPerHour = 3600;

// The ball, money and time account of one day, asked before every spin.
class DayAccount {
public:
    explicit DayAccount(const Campaign& campaign)
        : ballsPerSpin_(250 / campaign.spinsPer1000Yen), unitYen_(campaign.investmentUnitYen),
          capYen_(campaign.dailyCapYen), reinvest_(campaign.reinvest),
          normalSeconds_(campaign.spinSeconds / (campaign.timeRatioPercent / 100)),
          supportSeconds_(campaign.supportSpinSeconds),
          dayLength_(playedHoursPerDay(campaign.playSchedule) * kSecondsPerHour) {}

    bool normalSpin() {
        if (clock_ >= dayLength_ || !takeBalls(ballsPerSpin_)) {
            return false;
        }
        spendWon();
        clock_ += normalSeconds_;
        return true;
    }
    bool supportSpin(double balls) {
        if (clock_ >= dayLength_ + kSecondsPerHour) {
            return false;
        }
        if (balls < 0) {
            if (!takeBalls(-balls)) {
                return false;
            }
            won_ = std::max(0.0, won_ + balls);
        } else {
            held_ += balls;
            won_ += balls;
        }
        clock_ += supportSeconds_;
        return true;
    }
    bool heldSpin() {
        if (clock_ >= dayLength_ + kSecondsPerHour) {
            return false;
        }
        clock_ += supportSeconds_;
        return true;
    }
    void smallHit(double balls) {
        held_ += balls;
        won_ += balls;
    }

    // Spins that surely neither buy nor reach the day's end: one short of both, so rounding
    // cannot move either into the run.
    std::int64_t quietSpins(bool support, double balls) const {
        const double end = support ? dayLength_ + kSecondsPerHour : dayLength_;
        const double seconds = support ? supportSeconds_ : normalSeconds_;
        double room = std::floor((end - clock_) / seconds) - 1;
        const double taken = support ? -balls : ballsPerSpin_;
        if (taken > 0) {
            room = std::min(room, std::floor(held_ / taken) - 2);
        }
        return room > 0 ? static_cast<std::int64_t>(room) : 0;
    }
    // Spins played one after the other in the play's loop: the clock and the balls add up spin
    // by spin, so they round exactly as single spins round them.
    struct QuietRun {
        double clock;
        double held;
        double seconds;
        double change;
        void spin() {
            clock += seconds;
            held += change;
        }
    };
    QuietRun beginQuiet(bool support, double balls) const {
        return {clock_, held_, support ? supportSeconds_ : normalSeconds_,
                support ? balls : -ballsPerSpin_};
    }
    void endQuiet(const QuietRun& run, bool support, double balls, std::int64_t spins) {
        clock_ = run.clock;
        held_ = run.held;
        if (support) {
            won_ = std::max(0.0, won_ + static_cast<double>(spins) * balls);
        } else {
            spendWon(spins);
        }
    }
    void bigHit(double balls) {
        clock_ += kBigHitSeconds;
        held_ += balls;
        won_ += balls;
    }

    // Exchanges every held ball and starts the next day.
    DayEndEvent close(int day, double yenPerBall) {
        DayEndEvent end;
        end.day = day;
        end.bust = bust_;
        end.investedYen = invested_;
        end.exchangedYen = bust_ ? 0 : std::trunc(held_ * yenPerBall);
        end.balanceYen = end.exchangedYen - invested_;
        end.exchangedBalls = bust_ ? 0 : held_;
        end.seconds = clock_;
        end.heldBallSpins = heldBallSpins_;
        held_ = 0;
        clock_ = 0;
        invested_ = 0;
        bust_ = false;
        won_ = 0;
        heldBallSpins_ = 0;
        return end;
    }

private:
    // Normal spins take the balls won first, so a spin is played on held balls while the balls
    // won since the day began still pay for it (持ち玉比率).
    void spendWon(std::int64_t spins = 1) {
        const double take = ballsPerSpin_ * static_cast<double>(spins);
        if (won_ >= take) {
            won_ -= take;
            heldBallSpins_ += spins;
            return;
        }
        const auto whole = static_cast<std::int64_t>(won_ / ballsPerSpin_);
        heldBallSpins_ += whole;
        won_ = 0;
    }

    // Takes a spin's balls, buying one unit first when they would run out; false (持金パンク)
    // when the cap allows no purchase.
    bool takeBalls(double balls) {
        if (held_ - balls <= 0) {
            const bool refused =
                reinvest_ ? -invested_ + (capYen_ - unitYen_) < 0 : invested_ > capYen_ - unitYen_;
            if (refused) {
                bust_ = true;
                held_ = 0;
                return false;
            }
            held_ += unitYen_ / kYenPerBall;
            invested_ += unitYen_;
        }
        held_ -= balls;
        return true;
    }

    double ballsPerSpin_;
    double unitYen_;
    double capYen_;
    bool reinvest_;
    double normalSeconds_;
    double supportSeconds_;
    double dayLength_;
    double clock_ = 0;
    double held_ = 0;
    double invested_ = 0;
    bool bust_ = false;
    double won_ = 0;
    std::int64_t heldBallSpins_ = 0;
};

} // namespace

void playCampaign(const MachineVerification& verification, const MachineGraph& graph,
                  std::uint64_t seed, CampaignEvents& events, std::uint64_t stream) {
    const Campaign& campaign = verification.campaign;
    const double yenPerBall = 100 / campaign.exchangeBallsPer100Yen;
    MachinePlay play(graph, seed, stream);
    DayAccount account(campaign);
    for (int day = 1; day <= campaign.days && !events.stopped(); ++day) {
        play.restart();
        int chain = 0;
        for (;;) {
            const PlayedGap gap = play.playGap(account);
            if (gap.hitState < 0) {
                DayEndEvent end = account.close(day, yenPerBall);
                end.normalSpins = gap.normalSpins;
                end.supportSpins = gap.supportSpins;
                end.supportBalls = gap.supportBalls;
                end.inSupport = play.inSupport();
                events.dayEnd(end);
                break;
            }
            const MachineGraph::Outcome& outcome = play.drawOutcome(gap.hitState);
            chain = gap.firstHit ? 1 : chain + 1;
            account.bigHit(outcome.balls);
            events.bigHit({day, gap.hitState, &outcome, gap.firstHit, chain, gap.normalSpins,
                           gap.supportSpins, gap.supportBalls, gap.ceiling});
            if (events.stopped()) {
                return;
            }
        }
    }
}

} // namespace zelkora::machines
