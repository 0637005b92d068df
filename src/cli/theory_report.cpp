#include "theory_report.h"

#include "commands/error_messages.h"
#include "console_platform.h"
#include "json_report.h"
#include "loaded_verification.h"
#include "number_text.h"
#include "runner.h"

#include <array>

namespace zelkora::cli {
namespace {

constexpr std::array<std::string_view, 11> kStreakLabels{"単発",   "２連荘",   "３連荘",  "４連荘",
                                                         "５連荘", "６連荘",   "７連荘",  "８連荘",
                                                         "９連荘", "１０連荘", "１０以上"};

void line(std::string& text, std::string_view name, std::string_view value) {
    text += name;
    text += "  ";
    text += value;
    text += '\n';
}

void money(std::string& text, std::string_view how, const MoneyFigures& figures) {
    line(text, "回転単価（" + std::string(how) + "）",
         fixedText(figures.balancePerSpin, 2) + " 円");
    line(text, "1時間あたりの収支（" + std::string(how) + "）",
         fixedText(figures.balancePerHour, 0) + " 円");
    line(text, "ボーダー（" + std::string(how) + "）",
         fixedText(figures.border, 2) + " 回転/1000円");
}

nlohmann::ordered_json moneyJson(const MoneyFigures& figures) {
    return {{"balance_per_spin", jsonNumber(figures.balancePerSpin)},
            {"balance_per_hour", jsonNumber(figures.balancePerHour)},
            {"border", jsonNumber(figures.border)}};
}

} // namespace

std::string theoryText(std::string_view verification, const TheoreticalFigures& figures) {
    std::string text;
    line(text, "検証", verification);
    for (const std::string_view assumption : kTheoryAssumptions) {
        line(text, "前提", assumption);
    }
    line(text, "カウントダウン", std::to_string(figures.countdown));
    line(text, "当選確率（通常・時短）", "1/" + fixedText(1 / figures.hitChanceNormal, 2));
    line(text, "当選確率（確変）", "1/" + fixedText(1 / figures.hitChance確変, 2));
    line(text, "初当り1回あたりの回転数", fixedText(figures.spinsPerFirstHit, 2));
    line(text, "大当り1回あたりの回転数", fixedText(figures.spinsPerBigHit, 2));
    line(text, "平均連荘", fixedText(figures.meanStreak, 3));
    line(text, "大当り1回あたりの出玉", fixedText(figures.payoutPerBigHit, 1) + " 玉");
    line(text, "初当り1回あたりの出玉", fixedText(figures.payoutPerFirstHit, 1) + " 玉");
    line(text, "初当り1回あたりの確変・時短回転数", fixedText(figures.shortSpinsPerFirstHit, 2));
    std::string streaks;
    for (std::size_t index = 0; index < kStreakLabels.size(); ++index) {
        streaks += (index > 0 ? "  " : "") + std::string(kStreakLabels[index]) + " " +
                   fixedText(figures.streakLengthChances[index] * 100, 2) + "%";
    }
    line(text, "連荘分布", streaks);
    line(text, "初当り1回あたりの遊技時間", fixedText(figures.hoursPerFirstHit, 3) + " 時間");
    line(text, "1回転の玉数", fixedText(figures.ballsPerSpin, 3) + " 玉");
    line(text, "1玉の換金額", fixedText(figures.yenPerBall, 3) + " 円");
    money(text, "現金", figures.onCash);
    money(text, "持玉", figures.onHeldBalls);
    return text;
}

nlohmann::ordered_json theoryJson(std::string_view verification,
                                  const TheoreticalFigures& figures) {
    nlohmann::ordered_json assumptions = nlohmann::ordered_json::array();
    for (const std::string_view assumption : kTheoryAssumptions) {
        assumptions.push_back(assumption);
    }
    nlohmann::ordered_json streaks = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < kStreakLabels.size(); ++index) {
        streaks[std::string(kStreakLabels[index])] = jsonNumber(figures.streakLengthChances[index]);
    }
    return {{"verification", verification},
            {"assumptions", assumptions},
            {"countdown", figures.countdown},
            {"hit_chance_normal", jsonNumber(figures.hitChanceNormal)},
            {"hit_chance_kakuhen", jsonNumber(figures.hitChance確変)},
            {"spins_per_first_hit", jsonNumber(figures.spinsPerFirstHit)},
            {"spins_per_big_hit", jsonNumber(figures.spinsPerBigHit)},
            {"mean_streak", jsonNumber(figures.meanStreak)},
            {"payout_per_big_hit", jsonNumber(figures.payoutPerBigHit)},
            {"payout_per_first_hit", jsonNumber(figures.payoutPerFirstHit)},
            {"short_spins_per_first_hit", jsonNumber(figures.shortSpinsPerFirstHit)},
            {"streak_length_chances", streaks},
            {"hours_per_first_hit", jsonNumber(figures.hoursPerFirstHit)},
            {"balls_per_spin", jsonNumber(figures.ballsPerSpin)},
            {"yen_per_ball", jsonNumber(figures.yenPerBall)},
            {"on_cash", moneyJson(figures.onCash)},
            {"on_held_balls", moneyJson(figures.onHeldBalls)}};
}

int printTheory(const RunOptions& options, std::ostream& out, std::ostream& err) {
    LoadedVerification loaded;
    ConsoleUserInterface ui(err);
    if (const std::string problem = loadVerification(options, loaded, ui); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return kExitFailure;
    }
    if (ui.reportedError()) {
        return kExitFailure;
    }
    const TheoryOutcome outcome = theoreticalFigures(loaded.model, options.countdown);
    if (!outcome.ok()) {
        err << "zelkora-run: " << errorText(outcome.error()) << '\n';
        return kExitFailure;
    }
    const std::string& name = loaded.model.fields.text(Field::条件_名前);
    out << (options.json ? dumpJson(theoryJson(name, outcome.value()))
                         : theoryText(name, outcome.value()));
    return kExitSuccess;
}

} // namespace zelkora::cli
