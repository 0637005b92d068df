#pragma once

#include "machines/checked.h"
#include "machines/machine.h"

#include <optional>
#include <string>
#include <vector>

// The exact figures of a machine: an absorbing chain over the entries into its states, solved
// directly. Assumptions: play never stops (no day end inside a chain, no cap), the player plays
// every chain out and every support state to its end, and a normal-play spin takes the
// campaign's balls while a support spin gains its state's net balls.
namespace zelkora::machines {

// The chance that an entry's chain goes on: the next hit comes before normal play.
struct EntryContinuation {
    std::string state;
    int spins = 0; // 0: until a hit or a shift
    double continuation = 0;
};

// The chance that a chain started by a first hit enters a support state through a big hit.
struct StateEntering {
    std::string state;
    double chance = 0;
};

struct ChainFigures {
    double normalSpinsPerFirstHit = 0; // the first-hit probability is its inverse
    double hitsPerFirstHit = 0;        // the mean chain, the first hit included
    double roundsPerFirstHit = 0;
    double payoutBallsPerFirstHit = 0;
    double supportSpinsPerFirstHit = 0;
    double heldSpinsPerFirstHit = 0;     // 残保留
    double supportBallsPerFirstHit = 0;  // net balls of support spins, 小当り included
    double smallHitBallsPerFirstHit = 0; // 小当り balls alone
    double ceilingPerFirstHit = 0;       // the share of first hits the ceiling brought
    double hoursPerFirstHit = 0;
    std::vector<EntryContinuation> continuations; // every entry into a support state
    std::vector<StateEntering> entering;          // every support state
};

// Yen figures at an exchange rate and a share of normal spins played on held balls. On cash
// the balls a spin takes cost 4 yen, and the balls left of the last purchase are exchanged with
// the payout after a first hit and at each day end, at the exchange rate: below 4 yen a ball
// that loses (4 − yen per ball) on each, about half a purchase less one spin's balls each time.
struct MoneyFigures {
    double heldShare = 0;      // 持ち玉比率, 0 … 1
    double balancePerSpin = 0; // 回転単価, yen per normal spin
    double balancePerHour = 0; // 時給
    double border = 0;         // ボーダー: spins per 1000 yen at which the balance is 0
    double plainBorder = 0;    // the same without the exchange of bought balls, as published
};

// Playing from a ceiling count until the chain of the next first hit has ended.
struct CountValue {
    int count = 0;
    double normalSpins = 0;
    double cashYen = 0; // normal spins bought with cash
    double heldYen = 0; // normal spins played on held balls
};

struct CeilingFigures {
    std::vector<CountValue> byCount;   // counts 0 … the ceiling's spins
    std::optional<int> breakEvenCount; // from here on the cash value is never negative
};

struct MachineTheory {
    ChainFigures chain;
    double ballsPerSpin = 0; // 250 ÷ spins per 1000 yen
    double yenPerBall = 0;   // 100 ÷ the exchange rate
    MoneyFigures cash;
    MoneyFigures held;
    MoneyFigures mixed; // at the chosen 持ち玉比率
    CeilingFigures ceiling;
};

// The theory of a checked verification at a chosen 持ち玉比率 (0 … 1). Refused, in Japanese,
// when play can never reach a hit or a chain can never end.
Checked<MachineTheory> machineTheory(const MachineVerification& verification, double heldShare);

// The yen figures of a chain at the campaign's exchange rate, spins per 1000 yen and unit.
MoneyFigures moneyFigures(const ChainFigures& chain, const Campaign& campaign, double heldShare);

// Hours from the first to the last played slot of the play schedule.
double playedHoursPerDay(const std::string& playSchedule);

} // namespace zelkora::machines
