#include "machines/classic_conversion.h"

#include "common/numbers.h"
#include "files/fixed_length_file.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "machines/classic_modes.h"
#include "machines/machine_check.h"

#include <set>

namespace zelkora::machines {
namespace {

// The classic lottery divides the denominator by this fixed factor in 確変.
constexpr double k確変Factor = 6;
constexpr std::string_view kTable = "絵柄";

double basic(const StoredConditions& conditions, Field field) {
    return readNumber(conditions.basic[basicColumnIndex(field)]);
}

// A stored number as a whole number; -1, which every check refuses, when it is none or too
// large, so a damaged file cannot overflow the conversion.
int whole(double value) {
    return value >= 0 && value <= 1e9 ? static_cast<int>(value) : -1;
}

std::string shortTimeName(int spins) {
    return "時短" + std::to_string(spins);
}

State supportState(std::string name, double denominator, int limit) {
    State state;
    state.name = std::move(name);
    state.hitDenominator = denominator;
    state.table = std::string(kTable);
    state.supportNetBalls = 0;
    if (limit > 0) {
        state.spinLimit = limit;
        state.after = "通常";
    }
    return state;
}

// Why the classic engine's play cannot be converted at all; empty if it can.
std::string unconvertible(const std::vector<StoredSymbol>& symbols) {
    for (const StoredSymbol& symbol : symbols) {
        if (symbol.kind != kKind確変 && symbol.kind != kKind通常 &&
            symbol.kind != kKind次まで時短) {
            return "絵柄「" + symbol.name + "」の種類「" + symbol.kind + "」は変換できません";
        }
        if (symbol.shortTimeSpins < 0) {
            return "絵柄「" + symbol.name + "」の時短数が負の数です";
        }
    }
    return {};
}

// Whether the classic engine's next transition reads more than the mode: the streak's length
// (a limiter), or a running 時短's remaining spins carried over a later hit (a 通常 symbol
// without 時短 beside symbols with one).
bool readsMoreThanTheMode(const StoredConditions& conditions,
                          const std::vector<StoredSymbol>& symbols) {
    if (conditions.basic[basicColumnIndex(Field::条件_リミッター)] == "はい") {
        return true;
    }
    bool shortTime = false;
    bool plainNormal = false;
    for (const StoredSymbol& symbol : symbols) {
        shortTime = shortTime || symbol.shortTimeSpins > 0;
        plainNormal = plainNormal || (symbol.kind == kKind通常 && symbol.shortTimeSpins == 0);
    }
    return shortTime && plainNormal;
}

Machine classicMachine(const StoredConditions& conditions,
                       const std::vector<StoredSymbol>& symbols) {
    const double denominator = basic(conditions, Field::条件_確率);
    Machine machine;
    machine.name = conditions.basic[basicColumnIndex(Field::条件_名前)];
    machine.startState = "通常";
    State normal;
    normal.name = "通常";
    normal.hitDenominator = denominator;
    normal.table = std::string(kTable);
    machine.states.push_back(normal);

    AllocationTable table;
    table.name = std::string(kTable);
    std::set<std::string> made;
    const auto addState = [&](State state) {
        if (made.insert(state.name).second) {
            machine.states.push_back(std::move(state));
        }
    };
    for (const StoredSymbol& symbol : symbols) {
        Allocation outcome;
        outcome.name = symbol.name;
        outcome.weight = 100.0 / static_cast<double>(symbols.size());
        outcome.balls = symbol.payout;
        if (symbol.kind == kKind確変) {
            outcome.next = "確変";
            addState(supportState("確変", denominator / k確変Factor, 0));
        } else if (symbol.kind == kKind次まで時短) {
            outcome.next = "次まで時短";
            addState(supportState("次まで時短", denominator, 0));
        } else if (symbol.shortTimeSpins > 0) {
            outcome.next = shortTimeName(symbol.shortTimeSpins);
            addState(supportState(outcome.next, denominator, symbol.shortTimeSpins));
        } else {
            outcome.next = "通常";
        }
        table.outcomes.push_back(std::move(outcome));
    }
    machine.tables.push_back(std::move(table));
    return machine;
}

Campaign classicCampaign(const StoredConditions& conditions) {
    Campaign campaign;
    campaign.name = conditions.basic[basicColumnIndex(Field::条件_名前)];
    campaign.days = whole(basic(conditions, Field::条件_何日分));
    campaign.exchangeBallsPer100Yen = basic(conditions, Field::条件_両替率);
    campaign.spinsPer1000Yen = basic(conditions, Field::条件_回転数1000円);
    campaign.investmentUnitYen = whole(readNumber(conditions.investmentUnit));
    campaign.dailyCapYen = whole(basic(conditions, Field::条件_投資上限日));
    campaign.reinvest = conditions.basic[basicColumnIndex(Field::条件_出玉を両替)] == "はい";
    campaign.playSchedule = conditions.playSchedule;
    campaign.serviceTimeRule = conditions.serviceTimeRule;
    campaign.spinSeconds = readNumber(conditions.spinSeconds);
    campaign.supportSpinSeconds = readNumber(conditions.shortSpinSeconds);
    campaign.timeRatioPercent = readNumber(conditions.timeRatio);
    return campaign;
}

} // namespace

Checked<MachineVerification> convertClassic(const StoredConditions& conditions) {
    const int count = whole(basic(conditions, Field::条件_絵柄数));
    if (count < 1 || static_cast<std::size_t>(count) > conditions.symbols.size()) {
        return Checked<MachineVerification>::refused("絵柄の数が絵柄の行と合いません");
    }
    const std::vector<StoredSymbol> symbols(conditions.symbols.begin(),
                                            conditions.symbols.begin() + count);
    if (std::string reason = unconvertible(symbols); !reason.empty()) {
        return Checked<MachineVerification>::refused(reason);
    }
    MachineVerification verification{{}, classicCampaign(conditions)};
    if (readsMoreThanTheMode(conditions, symbols)) {
        Checked<Machine> machine = classicModeMachine(conditions, symbols);
        if (!machine.ok()) {
            return Checked<MachineVerification>::refused(machine.problem());
        }
        verification.machine = std::move(machine).value();
    } else {
        verification.machine = classicMachine(conditions, symbols);
    }
    if (std::string problem = machineProblem(verification.machine); !problem.empty()) {
        return Checked<MachineVerification>::refused(problem);
    }
    if (std::string problem = campaignProblem(verification.campaign); !problem.empty()) {
        return Checked<MachineVerification>::refused(problem);
    }
    return verification;
}

Checked<MachineVerification> convertClassicFile(const std::filesystem::path& path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        return Checked<MachineVerification>::refused("ファイル「" + utf8FromPath(path) +
                                                     "」がありません");
    }
    RecordFile file(kVerificationRecordLength);
    if (!file.open(path).ok()) {
        return Checked<MachineVerification>::refused("ファイル「" + utf8FromPath(path) +
                                                     "」を開けません");
    }
    Result<StoredConditions> conditions = readStoredConditions(file);
    (void)file.close();
    if (!conditions.ok()) {
        return Checked<MachineVerification>::refused("ファイル「" + utf8FromPath(path) +
                                                     "」の条件を読めません");
    }
    return convertClassic(conditions.value());
}

} // namespace zelkora::machines
