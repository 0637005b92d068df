#include "theory_report.h"

#include "analysis/held_share.h"
#include "console_platform.h"
#include "json_report.h"
#include "loaded_verification.h"
#include "messages/error_messages.h"
#include "number_text.h"
#include "run_csv.h"
#include "runner.h"

#include <array>
#include <cmath>
#include <optional>

namespace zelkora::cli {
namespace {

constexpr std::array<std::string_view, 11> kStreakLabels{"単発",   "２連荘",   "３連荘",  "４連荘",
                                                         "５連荘", "６連荘",   "７連荘",  "８連荘",
                                                         "９連荘", "１０連荘", "１０以上"};
// はまり lengths in multiples of the spins per first hit.
constexpr std::array<double, 4> kHamariMultiples{1, 2, 3, 5};

// One figure of the report: its name as the table shows it and its text.
struct Line {
    std::string name;
    std::string value;
};

std::string shareLabel(const TheoryReport& report) {
    return "持ち玉比率 " + fixedText(report.figures.terms.heldShare * 100, 2) + "%" +
           (report.ownShare ? "・検証の値" : "");
}

void moneyLines(std::vector<Line>& lines, const std::string& how, const MoneyFigures& figures) {
    lines.push_back({"回転単価（" + how + "）", fixedText(figures.balancePerSpin, 2) + " 円"});
    lines.push_back(
        {"1時間あたりの収支（" + how + "）", fixedText(figures.balancePerHour, 0) + " 円"});
    lines.push_back({"ボーダー（" + how + "）", fixedText(figures.border, 2) + " 回転/1000円"});
}

std::vector<Line> figureLines(const TheoryReport& report) {
    const TheoreticalFigures& figures = report.figures;
    std::vector<Line> lines{
        {"カウントダウン", std::to_string(figures.countdown)},
        {"当選確率（通常・時短）", "1/" + fixedText(1 / figures.hitChanceNormal, 2)},
        {"当選確率（確変）", "1/" + fixedText(1 / figures.hitChance確変, 2)},
        {"初当り1回あたりの回転数", fixedText(figures.spinsPerFirstHit, 2)},
        {"大当り1回あたりの回転数", fixedText(figures.spinsPerBigHit, 2)},
        {"平均連荘", fixedText(figures.meanStreak, 3)},
        {"大当り1回あたりの出玉", fixedText(figures.payoutPerBigHit, 1) + " 玉"},
        {"初当り1回あたりの出玉", fixedText(figures.payoutPerFirstHit, 1) + " 玉"},
        {"初当り1回あたりの確変・時短回転数", fixedText(figures.shortSpinsPerFirstHit, 2)}};
    std::string streaks;
    for (std::size_t index = 0; index < kStreakLabels.size(); ++index) {
        streaks += (index > 0 ? "  " : "") + std::string(kStreakLabels[index]) + " " +
                   fixedText(figures.streakLengthChances[index] * 100, 2) + "%";
    }
    lines.push_back({"連荘分布", streaks});
    lines.push_back(
        {"初当り1回あたりの遊技時間", fixedText(figures.hoursPerFirstHit, 3) + " 時間"});
    lines.push_back({"1回転の玉数", fixedText(figures.ballsPerSpin, 3) + " 玉"});
    lines.push_back({"1玉の換金額", fixedText(figures.yenPerBall, 3) + " 円"});
    lines.push_back({"現金投資で初当り時に残っている買った玉",
                     fixedText(figures.boughtBallsAtFirstHit, 1) + " 玉"});
    moneyLines(lines, "現金", figures.onCash);
    moneyLines(lines, "持玉", figures.onHeldBalls);
    moneyLines(lines, shareLabel(report), figures.atShare);
    lines.push_back(
        {"1日の通常回転数（日の終わりあり）", fixedText(figures.withDayEnds.normalSpinsPerDay, 0)});
    const DayEndFigures& dayEnds = figures.withDayEnds;
    lines.push_back({"回転単価（現金・日の終わりの換金あり）",
                     fixedText(dayEnds.cashBalancePerSpin, 2) + " 円"});
    lines.push_back({"平均連荘（日の終わりあり）", fixedText(dayEnds.meanStreak, 3)});
    lines.push_back({"初当り1回あたりの出玉（日の終わりあり）",
                     fixedText(dayEnds.payoutPerFirstHit, 1) + " 玉"});
    lines.push_back(
        {"回転単価（現金・日の終わりあり）", fixedText(dayEnds.cutCashBalancePerSpin, 2) + " 円"});
    lines.push_back(
        {"回転単価（持玉・日の終わりあり）", fixedText(dayEnds.cutHeldBalancePerSpin, 2) + " 円"});
    for (const HamariRow& row : report.hamari) {
        lines.push_back({std::to_string(row.spins) + "回転以上はまる確率（初当り1回あたり）",
                         fixedText(row.chance * 100, 3) + "%"});
    }
    return lines;
}

std::string rateTableText(const TheoryReport& report) {
    std::string text = "交換率と回転数/1000円ごとの回転単価（" + shareLabel(report) + "）\n";
    text += "両替率";
    for (const double spins : kTableSpinsPerThousand) {
        text += "  " + fixedText(spins, 0) + "回転";
    }
    text +=
        "  ボーダー（現金・持玉・" + fixedText(report.figures.terms.heldShare * 100, 2) + "%）\n";
    for (const RateRow& row : report.rates) {
        text += fixedText(row.exchangeRate, 0) + "玉";
        for (const MoneyFigures& cell : row.atShare) {
            text += "  " + fixedText(cell.balancePerSpin, 2);
        }
        text += "  " + fixedText(row.borderOnCash, 2) + "・" + fixedText(row.borderOnHeldBalls, 2) +
                "・" + fixedText(row.borderAtShare, 2) + "\n";
    }
    return text;
}

nlohmann::ordered_json moneyJson(const MoneyFigures& figures) {
    return {{"balance_per_spin", jsonNumber(figures.balancePerSpin)},
            {"balance_per_hour", jsonNumber(figures.balancePerHour)},
            {"border", jsonNumber(figures.border)}};
}

nlohmann::ordered_json rateJson(const RateRow& row) {
    nlohmann::ordered_json cells = nlohmann::ordered_json::array();
    for (std::size_t column = 0; column < kTableSpinsPerThousand.size(); ++column) {
        cells.push_back({{"spins_per_1000_yen", kTableSpinsPerThousand[column]},
                         {"balance_per_spin", jsonNumber(row.atShare[column].balancePerSpin)},
                         {"balance_per_hour", jsonNumber(row.atShare[column].balancePerHour)}});
    }
    return {{"exchange_rate", row.exchangeRate},
            {"border_on_cash", jsonNumber(row.borderOnCash)},
            {"border_on_held_balls", jsonNumber(row.borderOnHeldBalls)},
            {"border_at_share", jsonNumber(row.borderAtShare)},
            {"at_share", cells}};
}

Status writeTheoryCsv(const std::string& folder, const TheoryReport& report) {
    CsvFolder csv(folder, std::array{kTheoryCsv, kRatesCsv});
    if (!csv.status().ok()) {
        return csv.status();
    }
    CsvFile& figures = csv.file(kTheoryCsv);
    figures.row(std::span<const std::string>(std::array<std::string, 2>{"項目", "値"}));
    for (const std::string_view assumption : kTheoryAssumptions) {
        figures.row(std::span<const std::string>(
            std::array<std::string, 2>{"前提", std::string(assumption)}));
    }
    figures.row(std::span<const std::string>(
        std::array<std::string, 2>{"前提", std::string(kDayEndAssumption)}));
    for (const Line& line : figureLines(report)) {
        figures.row(
            std::span<const std::string>(std::array<std::string, 2>{line.name, line.value}));
    }
    CsvFile& rates = csv.file(kRatesCsv);
    std::vector<std::string> row{"両替率"};
    for (const double spins : kTableSpinsPerThousand) {
        row.push_back(csvNumber(spins) + "回転");
    }
    row.insert(row.end(), {"ボーダー（現金）", "ボーダー（持玉）", "ボーダー（持ち玉比率）"});
    rates.row(std::span<const std::string>(row));
    for (const RateRow& rate : report.rates) {
        row = {csvNumber(rate.exchangeRate)};
        for (const MoneyFigures& cell : rate.atShare) {
            row.push_back(csvNumber(cell.balancePerSpin));
        }
        row.insert(row.end(), {csvNumber(rate.borderOnCash), csvNumber(rate.borderOnHeldBalls),
                               csvNumber(rate.borderAtShare)});
        rates.row(std::span<const std::string>(row));
    }
    return csv.commit();
}

} // namespace

TheoryReport theoryReport(std::string verification, const TheoreticalFigures& figures,
                          bool ownShare, bool withRates) {
    TheoryReport report{std::move(verification), figures, ownShare, {}, {}};
    for (const double multiple : kHamariMultiples) {
        const auto spins =
            static_cast<std::int64_t>(std::llround(multiple * figures.spinsPerFirstHit));
        report.hamari.push_back({spins, hamariChance(figures.hitChanceNormal, spins)});
    }
    if (withRates) {
        report.rates = rateTable(figures.basis, figures.terms.heldShare);
    }
    return report;
}

std::string theoryText(const TheoryReport& report) {
    std::string text = "検証  " + report.verification + "\n";
    for (const std::string_view assumption : kTheoryAssumptions) {
        text += "前提  " + std::string(assumption) + "\n";
    }
    text += "前提  " + std::string(kDayEndAssumption) + "\n";
    for (const Line& line : figureLines(report)) {
        text += line.name + "  " + line.value + "\n";
    }
    if (!report.rates.empty()) {
        text += rateTableText(report);
    }
    return text;
}

nlohmann::ordered_json theoryJson(const TheoryReport& report) {
    const TheoreticalFigures& figures = report.figures;
    nlohmann::ordered_json assumptions = nlohmann::ordered_json::array();
    for (const std::string_view assumption : kTheoryAssumptions) {
        assumptions.push_back(assumption);
    }
    nlohmann::ordered_json streaks = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < kStreakLabels.size(); ++index) {
        streaks[std::string(kStreakLabels[index])] = jsonNumber(figures.streakLengthChances[index]);
    }
    nlohmann::ordered_json hamari = nlohmann::ordered_json::array();
    for (const HamariRow& row : report.hamari) {
        hamari.push_back({{"spins", row.spins}, {"chance", jsonNumber(row.chance)}});
    }
    nlohmann::ordered_json json{
        {"verification", report.verification},
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
        {"bought_balls_at_first_hit", jsonNumber(figures.boughtBallsAtFirstHit)},
        {"on_cash", moneyJson(figures.onCash)},
        {"on_held_balls", moneyJson(figures.onHeldBalls)},
        {"held_share", jsonNumber(figures.terms.heldShare)},
        {"held_share_is_own", report.ownShare},
        {"at_held_share", moneyJson(figures.atShare)},
        {"with_day_ends",
         {{"assumption", kDayEndAssumption},
          {"normal_spins_per_day", jsonNumber(figures.withDayEnds.normalSpinsPerDay)},
          {"bought_balls_at_day_end", jsonNumber(figures.withDayEnds.boughtBallsAtDayEnd)},
          {"seconds_between_streak_hits", jsonNumber(figures.withDayEnds.secondsBetweenStreakHits)},
          {"mean_streak", jsonNumber(figures.withDayEnds.meanStreak)},
          {"payout_per_first_hit", jsonNumber(figures.withDayEnds.payoutPerFirstHit)},
          {"cash_balance_per_spin", jsonNumber(figures.withDayEnds.cashBalancePerSpin)},
          {"cut_cash_balance_per_spin", jsonNumber(figures.withDayEnds.cutCashBalancePerSpin)},
          {"cut_held_balance_per_spin", jsonNumber(figures.withDayEnds.cutHeldBalancePerSpin)}}},
        {"hamari", hamari}};
    if (!report.rates.empty()) {
        nlohmann::ordered_json rates = nlohmann::ordered_json::array();
        for (const RateRow& row : report.rates) {
            rates.push_back(rateJson(row));
        }
        json["rates"] = rates;
    }
    return json;
}

int printTheory(const RunOptions& options, std::ostream& out, std::ostream& err) {
    ConsoleUserInterface ui(err);
    LoadedVerification loaded(ui, options.countdown);
    if (const std::string problem = loaded.load(options); !problem.empty()) {
        err << "zelkora-run: " << problem << '\n';
        return kExitFailure;
    }
    if (ui.reportedError()) {
        return kExitFailure;
    }
    const std::optional<double> ownShare = storedHeldShare(loaded.model().workingCopyPath());
    const double share = options.heldShare.value_or(ownShare.value_or(0));
    const TheoryOutcome outcome = theoreticalFigures(loaded.model(), options.countdown, share);
    if (!outcome.ok()) {
        reportError(err, outcome.error());
        return kExitFailure;
    }
    const TheoryReport report =
        theoryReport(loaded.model().fields.text(Field::条件_名前), outcome.value(),
                     !options.heldShare && ownShare.has_value(), options.rates || options.csv);
    out << (options.json ? dumpJson(theoryJson(report)) : theoryText(report));
    if (options.csv) {
        if (Status written = writeTheoryCsv(*options.csv, report); !written.ok()) {
            reportError(err, written.error());
            return kExitFailure;
        }
    }
    return kExitSuccess;
}

} // namespace zelkora::cli
