#pragma once

#include <optional>
#include <string>
#include <vector>

// A machine of today as states and transitions, plain data. Probabilities are written as the
// makers' published tables write them, as the denominator N of 1/N; a missing optional means the
// feature is absent. Names link the parts: a state names its allocation table and the states it
// leads to.
namespace zelkora::machines {

// One outcome of a big hit: its share of the table, what it pays and where it leads.
struct Allocation {
    std::string name;  // e.g. "10R ST"
    double weight = 0; // percent of the table; a table sums to 100
    int rounds = 0;    // rounds of the big hit
    double balls = 0;  // balls paid by the big hit
    std::string next;  // the state the machine enters after it
    int spins = 0;     // the spin limit of that entry; 0 takes the state's own limit

    bool operator==(const Allocation&) const = default;
};

// The allocation table of one entry path (ヘソ in normal play, 電チュー during support, or a
// tier's own table).
struct AllocationTable {
    std::string name;
    std::vector<Allocation> outcomes;

    bool operator==(const AllocationTable&) const = default;
};

// A per-spin draw that moves the machine without a big hit: 転落 out of a 1種2種 RUSH, or a
// c時短 out of normal play. It competes with the big hit on every spin after the first
// `guaranteedSpins` spins of the state.
struct Shift {
    double denominator = 0;
    std::string next;
    int spins = 0; // the spin limit of the entry; 0 takes the state's own limit
    int guaranteedSpins = 0;

    bool operator==(const Shift&) const = default;
};

// 小当り during a RUSH: each 小当り pays a few balls, so the state gains balls per spin.
struct SmallHits {
    double denominator = 0;
    double balls = 0;

    bool operator==(const SmallHits&) const = default;
};

struct State {
    std::string name;
    double hitDenominator = 0; // the big-hit probability 1/N in this state
    std::string table;         // the allocation table of a hit in this state
    // Spins until the state runs out (ST, 時短); 0 keeps it until a hit or a shift.
    int spinLimit = 0;
    std::string after;  // the state entered when the limit runs out
    int afterSpins = 0; // that entry's limit; 0 takes the state's own
    // 残保留: spins still drawn at this state's probability after its limit ran out.
    int heldSpins = 0;
    // 電サポ: the net balls a spin gains (negative: loses) during support. Absent in normal
    // play, where a spin takes the balls the campaign's spins per 1000 yen give.
    std::optional<double> supportNetBalls;
    std::optional<SmallHits> smallHits;
    std::optional<Shift> fall;       // 転落
    std::optional<Shift> cShortTime; // c時短

    bool support() const { return supportNetBalls.has_value(); }
    bool operator==(const State&) const = default;
};

// 遊タイム: after `spins` spins without a big hit in the counted states, the machine enters
// `state` (usually a long 時短). It triggers at most once between two big hits.
struct Ceiling {
    int spins = 0;
    std::string state;
    int stateSpins = 0; // the entry's limit; 0 takes the state's own
    std::vector<std::string> countedStates;

    bool operator==(const Ceiling&) const = default;
};

struct Machine {
    std::string name;
    std::string startState; // where play begins and the ceiling's count starts
    std::vector<State> states;
    std::vector<AllocationTable> tables;
    std::optional<Ceiling> ceiling;

    const State* state(std::string_view stateName) const;
    const AllocationTable* table(std::string_view tableName) const;
    bool operator==(const Machine&) const = default;
};

// The parlour, the player and the days: what the classic verification's campaign holds.
struct Campaign {
    std::string name;
    int days = 50;
    double exchangeBallsPer100Yen = 40; // 両替率
    double spinsPer1000Yen = 27;
    int investmentUnitYen = 500;
    int dailyCapYen = 20000;
    bool reinvest = true; // 出玉を両替して再投資
    std::string playSchedule = "02111211100000";
    int serviceTimeRule = 0;       // 0 無制限, 1 時間内無制限, 2 ラッキー
    double spinSeconds = 10;       // 回転時間, a normal spin
    double supportSpinSeconds = 6; // 確変回転時間, a spin during support
    double timeRatioPercent = 100; // 時間比率

    bool operator==(const Campaign&) const = default;
};

struct MachineVerification {
    Machine machine;
    Campaign campaign;

    bool operator==(const MachineVerification&) const = default;
};

} // namespace zelkora::machines
