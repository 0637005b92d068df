#include "machine_report.h"

#include "number_text.h"

namespace zelkora::cli {
namespace {

using machines::MachineTheory;
using machines::MoneyFigures;

void line(std::string& text, std::string_view name, const std::string& value) {
    text += name;
    text += "  ";
    text += value;
    text += '\n';
}

std::string percent(double share) {
    return fixedText(share * 100, 2) + "%";
}

std::string entryName(const machines::EntryContinuation& entry) {
    return entry.state + (entry.spins > 0 ? "（" + std::to_string(entry.spins) + "回転）" : "");
}

void money(std::string& text, const std::string& how, const MoneyFigures& figures) {
    line(text, "回転単価（" + how + "）", fixedText(figures.balancePerSpin, 2) + " 円");
    line(text, "時給（" + how + "）", fixedText(figures.balancePerHour, 0) + " 円");
    line(text, "ボーダー（" + how + "）", fixedText(figures.border, 2) + " 回転/1000円");
    line(text, "ボーダー（" + how + "・貸玉の交換なし）",
         fixedText(figures.plainBorder, 2) + " 回転/1000円");
}

nlohmann::ordered_json moneyJson(const MoneyFigures& figures) {
    return {{"held_share", jsonNumber(figures.heldShare)},
            {"balance_per_spin", jsonNumber(figures.balancePerSpin)},
            {"balance_per_hour", jsonNumber(figures.balancePerHour)},
            {"border", jsonNumber(figures.border)},
            {"plain_border", jsonNumber(figures.plainBorder)}};
}

const machines::CountValue& valueAt(const MachineTheory& theory, int count) {
    return theory.ceiling.byCount.at(static_cast<std::size_t>(count));
}

} // namespace

std::string machineTheoryText(const machines::MachineVerification& verification,
                              const MachineTheory& theory) {
    const machines::ChainFigures& chain = theory.chain;
    std::string text;
    line(text, "機種", verification.machine.name);
    line(text, "前提", "日の終わり・投資上限はなく、連チャンと電サポは最後まで打ち切るものとする");
    line(text, "初当り確率", "1/" + fixedText(chain.normalSpinsPerFirstHit, 2));
    line(text, "初当り1回あたりの通常回転数", fixedText(chain.normalSpinsPerFirstHit, 2));
    line(text, "平均連チャン数", fixedText(chain.hitsPerFirstHit, 3));
    line(text, "初当り1回あたりのラウンド数", fixedText(chain.roundsPerFirstHit, 2));
    line(text, "初当り1回あたりの出玉", fixedText(chain.payoutBallsPerFirstHit, 1) + " 玉");
    line(text, "初当り1回あたりの電サポ回転数", fixedText(chain.supportSpinsPerFirstHit, 2));
    line(text, "初当り1回あたりの残保留回転数", fixedText(chain.heldSpinsPerFirstHit, 2));
    line(text, "初当り1回あたりの電サポ中の増減",
         fixedText(chain.supportBallsPerFirstHit, 1) + " 玉");
    line(text, "初当り1回あたりの小当り出玉", fixedText(chain.smallHitBallsPerFirstHit, 1) + " 玉");
    line(text, "遊タイム経由の初当り", percent(chain.ceilingPerFirstHit));
    line(text, "初当り1回あたりの遊技時間", fixedText(chain.hoursPerFirstHit, 3) + " 時間");
    for (const machines::StateEntering& entering : chain.entering) {
        line(text, "突入率（" + entering.state + "）", percent(entering.chance));
    }
    for (const machines::EntryContinuation& entry : chain.continuations) {
        line(text, "継続率（" + entryName(entry) + "）", percent(entry.continuation));
    }
    line(text, "1回転の玉数", fixedText(theory.ballsPerSpin, 3) + " 玉");
    line(text, "1玉の換金額", fixedText(theory.yenPerBall, 3) + " 円");
    money(text, "現金", theory.cash);
    money(text, "持玉", theory.held);
    money(text, "持ち玉比率" + fixedText(theory.mixed.heldShare * 100, 0) + "%", theory.mixed);
    if (verification.machine.ceiling) {
        const std::optional<int> breakEven = theory.ceiling.breakEvenCount;
        line(text, "遊タイムの期待値がプラスになる回転数",
             breakEven ? std::to_string(*breakEven) + " 回転から" : "なし");
    }
    return text;
}

nlohmann::ordered_json machineTheoryJson(const machines::MachineVerification& verification,
                                         const MachineTheory& theory) {
    const machines::ChainFigures& chain = theory.chain;
    nlohmann::ordered_json entering = nlohmann::ordered_json::object();
    for (const machines::StateEntering& state : chain.entering) {
        entering[state.state] = jsonNumber(state.chance);
    }
    nlohmann::ordered_json continuations = nlohmann::ordered_json::array();
    for (const machines::EntryContinuation& entry : chain.continuations) {
        continuations.push_back({{"state", entry.state},
                                 {"spins", entry.spins},
                                 {"continuation", jsonNumber(entry.continuation)}});
    }
    nlohmann::ordered_json json{
        {"machine", verification.machine.name},
        {"normal_spins_per_first_hit", jsonNumber(chain.normalSpinsPerFirstHit)},
        {"hits_per_first_hit", jsonNumber(chain.hitsPerFirstHit)},
        {"rounds_per_first_hit", jsonNumber(chain.roundsPerFirstHit)},
        {"payout_balls_per_first_hit", jsonNumber(chain.payoutBallsPerFirstHit)},
        {"support_spins_per_first_hit", jsonNumber(chain.supportSpinsPerFirstHit)},
        {"held_spins_per_first_hit", jsonNumber(chain.heldSpinsPerFirstHit)},
        {"support_balls_per_first_hit", jsonNumber(chain.supportBallsPerFirstHit)},
        {"small_hit_balls_per_first_hit", jsonNumber(chain.smallHitBallsPerFirstHit)},
        {"ceiling_per_first_hit", jsonNumber(chain.ceilingPerFirstHit)},
        {"hours_per_first_hit", jsonNumber(chain.hoursPerFirstHit)},
        {"entering", entering},
        {"continuations", continuations},
        {"balls_per_spin", jsonNumber(theory.ballsPerSpin)},
        {"yen_per_ball", jsonNumber(theory.yenPerBall)},
        {"cash", moneyJson(theory.cash)},
        {"held", moneyJson(theory.held)},
        {"mixed", moneyJson(theory.mixed)}};
    if (verification.machine.ceiling) {
        json["break_even_count"] = theory.ceiling.breakEvenCount
                                       ? nlohmann::ordered_json(*theory.ceiling.breakEvenCount)
                                       : nlohmann::ordered_json(nullptr);
    }
    return json;
}

std::string countValueText(const MachineTheory& theory, int count) {
    const machines::CountValue& value = valueAt(theory, count);
    std::string text;
    line(text, "遊タイムの回転数", std::to_string(count));
    line(text, "初当りまでの通常回転数", fixedText(value.normalSpins, 2));
    line(text, "期待値（現金）", fixedText(value.cashYen, 0) + " 円");
    line(text, "期待値（持玉）", fixedText(value.heldYen, 0) + " 円");
    const std::optional<int> breakEven = theory.ceiling.breakEvenCount;
    line(text, "期待値がプラスになる回転数",
         breakEven ? std::to_string(*breakEven) + " 回転から" : "なし");
    return text;
}

nlohmann::ordered_json countValueJson(const MachineTheory& theory, int count) {
    const machines::CountValue& value = valueAt(theory, count);
    const std::optional<int> breakEven = theory.ceiling.breakEvenCount;
    return {{"count", count},
            {"normal_spins", jsonNumber(value.normalSpins)},
            {"cash_yen", jsonNumber(value.cashYen)},
            {"held_yen", jsonNumber(value.heldYen)},
            {"break_even_count",
             breakEven ? nlohmann::ordered_json(*breakEven) : nlohmann::ordered_json(nullptr)}};
}

namespace {

double ratio(double numerator, double denominator) {
    return denominator > 0 ? numerator / denominator : std::nan("");
}

} // namespace

std::string campaignText(const machines::MachineVerification& verification,
                         const machines::MachineFigures& played) {
    const Figures& shared = played.figures();
    const machines::MachineOnlyFigures& own = played.machineFigures();
    const auto count = [](double value) {
        return fixedText(value, 0);
    };
    const double balance = std::trunc(shared.cumulativeBalance);
    std::string text;
    line(text, "機種", verification.machine.name);
    line(text, "日数", count(shared.wonDays + shared.lostDays));
    line(text, "勝ち日数", count(shared.wonDays));
    line(text, "持金パンク", std::to_string(own.bustDays));
    line(text, "初当り回数", count(shared.firstHits));
    line(text, "大当り回数", count(shared.bigHits));
    line(text, "遊タイム", std::to_string(own.ceilings));
    line(text, "通常回転数", count(shared.totalSpins));
    line(text, "電サポ回転数", std::to_string(own.supportSpins));
    line(text, "初当り1回あたりの通常回転数",
         fixedText(ratio(shared.totalSpins, shared.firstHits), 2));
    line(text, "平均連チャン数", fixedText(ratio(shared.bigHits, shared.firstHits), 3));
    line(text, "最大連チャン", std::to_string(own.longestChain));
    line(text, "ラウンド数", std::to_string(own.rounds));
    line(text, "出玉", fixedText(own.payoutBalls, 0) + " 玉");
    line(text, "電サポ中の増減", fixedText(own.supportBalls, 0) + " 玉");
    line(text, "投資", fixedText(own.investedYen, 0) + " 円");
    line(text, "収支", fixedText(balance, 0) + " 円");
    line(text, "回転単価", fixedText(ratio(balance, shared.totalSpins), 2) + " 円");
    return text;
}

nlohmann::ordered_json campaignJson(const machines::MachineVerification& verification,
                                    const machines::MachineFigures& played) {
    const Figures& shared = played.figures();
    const machines::MachineOnlyFigures& own = played.machineFigures();
    // The shared figures keep their counts as doubles; every one is a whole number.
    const auto whole = [](double value) {
        return static_cast<std::int64_t>(value);
    };
    return {{"machine", verification.machine.name},
            {"days", whole(shared.wonDays + shared.lostDays)},
            {"winning_days", whole(shared.wonDays)},
            {"bust_days", own.bustDays},
            {"first_hits", whole(shared.firstHits)},
            {"big_hits", whole(shared.bigHits)},
            {"ceilings", own.ceilings},
            {"normal_spins", whole(shared.totalSpins)},
            {"support_spins", own.supportSpins},
            {"longest_chain", own.longestChain},
            {"rounds", own.rounds},
            {"payout_balls", jsonNumber(own.payoutBalls)},
            {"support_balls", jsonNumber(own.supportBalls)},
            {"invested_yen", jsonNumber(own.investedYen)},
            {"balance_yen", jsonNumber(std::trunc(shared.cumulativeBalance))}};
}

} // namespace zelkora::cli
