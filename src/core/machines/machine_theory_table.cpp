#include "machines/machine_theory_table.h"

#include "analysis/theory.h"

namespace zelkora::machines {
namespace {

std::string percentText(double share) {
    return figureText(share * 100, 2) + "%";
}

std::string entryName(const EntryContinuation& entry) {
    return entry.state + (entry.spins > 0 ? "（" + std::to_string(entry.spins) + "回転）" : "");
}

void addMoney(TextTable& table, const std::string& how, const MoneyFigures& figures) {
    table.rows.push_back(
        {"回転単価（" + how + "）", figureText(figures.balancePerSpin, 2) + " 円"});
    table.rows.push_back({"時給（" + how + "）", figureText(figures.balancePerHour, 0) + " 円"});
    table.rows.push_back(
        {"ボーダー（" + how + "）", figureText(figures.border, 2) + " 回転/1000円"});
}

} // namespace

TextTable machineTheoryTable(const MachineVerification& verification, const MachineTheory& theory) {
    const ChainFigures& chain = theory.chain;
    TextTable table{{"項目", "値"}, {}};
    const auto add = [&table](std::string name, std::string value) {
        table.rows.push_back({std::move(name), std::move(value)});
    };
    add("機種", verification.machine.name);
    add("初当り確率", "1/" + figureText(chain.normalSpinsPerFirstHit, 2));
    add("初当り1回あたりの通常回転数", figureText(chain.normalSpinsPerFirstHit, 2));
    add("平均連チャン数", figureText(chain.hitsPerFirstHit, 3));
    add("初当り1回あたりのラウンド数", figureText(chain.roundsPerFirstHit, 2));
    add("初当り1回あたりの出玉", figureText(chain.payoutBallsPerFirstHit, 1) + " 玉");
    add("初当り1回あたりの電サポ回転数", figureText(chain.supportSpinsPerFirstHit, 2));
    add("初当り1回あたりの残保留回転数", figureText(chain.heldSpinsPerFirstHit, 2));
    add("初当り1回あたりの電サポ中の増減", figureText(chain.supportBallsPerFirstHit, 1) + " 玉");
    add("初当り1回あたりの小当り出玉", figureText(chain.smallHitBallsPerFirstHit, 1) + " 玉");
    add("遊タイム経由の初当り", percentText(chain.ceilingPerFirstHit));
    add("初当り1回あたりの遊技時間", figureText(chain.hoursPerFirstHit, 3) + " 時間");
    for (const StateEntering& entering : chain.entering) {
        add("突入率（" + entering.state + "）", percentText(entering.chance));
    }
    for (const EntryContinuation& entry : chain.continuations) {
        add("継続率（" + entryName(entry) + "）", percentText(entry.continuation));
    }
    add("1回転の玉数", figureText(theory.ballsPerSpin, 3) + " 玉");
    add("1玉の換金額", figureText(theory.yenPerBall, 3) + " 円");
    addMoney(table, "現金", theory.cash);
    addMoney(table, "持玉", theory.held);
    addMoney(table, "持ち玉比率 " + figureText(theory.mixed.heldShare * 100, 1) + "%",
             theory.mixed);
    if (verification.machine.ceiling) {
        const std::optional<int> breakEven = theory.ceiling.breakEvenCount;
        add("遊タイムの期待値がプラスになる回転数",
            breakEven ? std::to_string(*breakEven) + " 回転から" : "なし");
    }
    return table;
}

TextTable machineRateTable(const MachineVerification& verification, const ChainFigures& chain,
                           double heldShare) {
    TextTable table = emptyRateTable(heldShare);
    Campaign campaign = verification.campaign;
    for (const double rate : kTableExchangeRates) {
        campaign.exchangeBallsPer100Yen = rate;
        std::vector<std::string> row{figureText(rate, 0)};
        for (const double spins : kTableSpinsPerThousand) {
            campaign.spinsPer1000Yen = spins;
            row.push_back(figureText(moneyFigures(chain, campaign, heldShare).balancePerSpin, 2));
        }
        campaign.spinsPer1000Yen = verification.campaign.spinsPer1000Yen;
        for (const double share : {0.0, 1.0, heldShare}) {
            row.push_back(figureText(moneyFigures(chain, campaign, share).border, 2));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

ContinuationBars continuationBars(const ChainFigures& chain) {
    ContinuationBars bars;
    for (const EntryContinuation& entry : chain.continuations) {
        bars.labels.push_back(entryName(entry));
        bars.percents.push_back(entry.continuation * 100);
    }
    return bars;
}

} // namespace zelkora::machines
