#include "trials_report.h"

#include "common/field_id.h"
#include "number_text.h"

#include <array>

namespace zelkora::cli {
namespace {

void line(std::string& text, std::string_view name, std::string_view value) {
    text += name;
    text += "  ";
    text += value;
    text += '\n';
}

std::string interval(double low, double high, int decimals, std::string_view unit = {}) {
    return "（95%信頼区間 " + fixedText(low, decimals) + std::string(unit) + " 〜 " +
           fixedText(high, decimals) + std::string(unit) + "）";
}

std::string estimate(const MeanEstimate& value, int decimals, std::string_view unit = {}) {
    return fixedText(value.mean, decimals) + std::string(unit) +
           interval(value.low, value.high, decimals, unit);
}

std::string percent(const ShareEstimate& share) {
    return fixedText(share.share * 100, 2) + "%" +
           interval(share.low * 100, share.high * 100, 2, "%");
}

std::string percentLabel(double probability) {
    return fixedText(probability * 100, 0) + "%";
}

void finalBalance(std::string& text, const AnalysisReport& report) {
    line(text, "最終収支の平均", estimate(report.finalBalance, 0, " 円"));
    line(text, "最終収支の標準偏差", fixedText(report.finalBalance.standardDeviation, 0) + " 円");
    std::string percentiles;
    for (std::size_t index = 0; index < kBalancePercentiles.size(); ++index) {
        percentiles += (index > 0 ? "  " : "") + percentLabel(kBalancePercentiles[index]) + " " +
                       fixedText(report.finalPercentiles[index], 0);
    }
    line(text, report.finalPercentilesExact ? "最終収支の分位点" : "最終収支の分位点（推定）",
         percentiles);
    line(text, "最終収支の最小・最大",
         fixedText(report.finalMinimum, 0) + " / " + fixedText(report.finalMaximum, 0) + " 円");
}

void days(std::string& text, const AnalysisReport& report) {
    line(text, "勝ち日数の平均",
         estimate(report.winningDays, 2) + "（" + std::to_string(report.days) + " 日中）");
    std::string counts;
    for (std::size_t won = 0; won < report.winningDayCounts.size(); ++won) {
        if (report.winningDayCounts[won] > 0) {
            counts += (counts.empty() ? "" : "  ") + std::to_string(won) + "日 " +
                      std::to_string(report.winningDayCounts[won]);
        }
    }
    line(text, "勝ち日数の分布（日数 試行数）", counts);
    line(text, "1日あたりの収支", estimate(report.balancePerDay, 0, " 円"));
    line(text, "1時間あたりの収支", estimate(report.balancePerHour, 0, " 円"));
}

void perFirstHit(std::string& text, const AnalysisReport& report) {
    line(text, "初当り1回あたりの回転数", estimate(report.spinsPerFirstHit, 2));
    line(text, "初当り1回あたりの大当り数（平均連荘）", estimate(report.streakPerFirstHit, 3));
    line(text, "初当り1回あたりの出玉", estimate(report.payoutPerFirstHit, 1, " 玉"));
    line(text, "初当り1回あたりの確変・時短回転数", estimate(report.shortSpinsPerFirstHit, 2));
    line(text, "確変・時短中に終わった日の割合",
         fixedText(report.shareOfDaysEndedInStreak * 100, 2) + "%");
}

std::string countText(double value, int decimals, std::string_view unit) {
    return std::isfinite(value) ? fixedText(value, decimals) + std::string(unit)
                                : std::string("届かない（収支がプラスでない）");
}

void risk(std::string& text, const AnalysisReport& report) {
    const RiskFigures& figures = report.risk;
    line(text, "回転単価（試行の実際の持ち玉比率）", estimate(figures.balancePerSpin, 2, " 円"));
    line(text, "1回転あたりの標準偏差", fixedText(figures.spreadPerSpin, 1) + " 円");
    line(text, "1時間あたりの標準偏差", fixedText(figures.spreadPerHour, 0) + " 円");
    line(text, "勝っている確率が95%になるまで",
         countText(figures.spinsTo95Ahead, 0, " 回転") + "（" +
             countText(figures.daysTo95Ahead, 1, " 日") + "）");
    if (figures.bankroll) {
        line(text, "軍資金 " + fixedText(*figures.bankroll, 0) + " 円が尽きる確率",
             percent(figures.ruin));
    }
    std::string needed;
    for (std::size_t index = 0; index < kRuinChances.size(); ++index) {
        needed += (index > 0 ? "  " : "") + percentLabel(kRuinChances[index]) + "以下 " +
                  fixedText(figures.bankrollForRuinChance[index], 0) + " 円";
    }
    line(text, "尽きる確率がこれ以下になる軍資金", needed);
    line(text, "最大ドローダウン", estimate(figures.largestDrawdown, 0, " 円"));
    std::string drawdowns;
    for (std::size_t index = 0; index < kDrawdownPercentiles.size(); ++index) {
        drawdowns += (index > 0 ? "  " : "") + percentLabel(kDrawdownPercentiles[index]) + " " +
                     fixedText(figures.drawdownPercentiles[index], 0);
    }
    line(text,
         figures.quantilesExact ? "最大ドローダウンの分位点" : "最大ドローダウンの分位点（推定）",
         drawdowns);
}

nlohmann::ordered_json meanJson(const MeanEstimate& value);
nlohmann::ordered_json shareJson(const ShareEstimate& value);

nlohmann::ordered_json riskJson(const AnalysisReport& report) {
    const RiskFigures& figures = report.risk;
    nlohmann::ordered_json json{{"balance_per_spin", meanJson(figures.balancePerSpin)},
                                {"spread_per_spin", jsonNumber(figures.spreadPerSpin)},
                                {"spread_per_hour", jsonNumber(figures.spreadPerHour)},
                                {"spins_to_95_ahead", jsonNumber(figures.spinsTo95Ahead)},
                                {"days_to_95_ahead", jsonNumber(figures.daysTo95Ahead)}};
    if (figures.bankroll) {
        json["ruin"] = shareJson(figures.ruin);
        json["ruin"]["bankroll"] = *figures.bankroll;
    }
    nlohmann::ordered_json needed = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < kRuinChances.size(); ++index) {
        needed[fixedText(kRuinChances[index] * 100, 0)] =
            jsonNumber(figures.bankrollForRuinChance[index]);
    }
    json["bankroll_for_ruin_chance"] = needed;
    nlohmann::ordered_json drawdown = meanJson(figures.largestDrawdown);
    nlohmann::ordered_json percentiles = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < kDrawdownPercentiles.size(); ++index) {
        percentiles[fixedText(kDrawdownPercentiles[index] * 100, 0)] =
            jsonNumber(figures.drawdownPercentiles[index]);
    }
    drawdown["percentiles"] = percentiles;
    json["largest_drawdown"] = drawdown;
    json["quantiles_exact"] = figures.quantilesExact;
    json["payout_per_spin"] = meanJson(report.payoutPerSpin);
    return json;
}

// At most about fifty rows: every day of a short verification, every n-th and the last day
// of a long one (the JSON and CSV hold every day).
void dayBands(std::string& text, const AnalysisReport& report) {
    const std::size_t count = report.dayBands.size();
    const std::size_t step = count <= 60 ? 1 : (count + 49) / 50;
    text += report.dayBandsExact ? "日別の積算収支" : "日別の積算収支（分位点は推定）";
    text += step > 1 ? "（" + std::to_string(step) + " 日おき）" : "";
    text += "\n  日目  平均";
    for (const double probability : kDayBandPercentiles) {
        text += "  " + percentLabel(probability);
    }
    text += '\n';
    for (std::size_t index = 0; index < count; ++index) {
        if (index % step != 0 && index + 1 != count) {
            continue;
        }
        const DayBand& band = report.dayBands[index];
        text += "  " + std::to_string(band.day) + "  " + fixedText(band.mean, 0);
        for (const double value : band.percentiles) {
            text += "  " + fixedText(value, 0);
        }
        text += '\n';
    }
}

nlohmann::ordered_json meanJson(const MeanEstimate& value) {
    return {{"mean", jsonNumber(value.mean)},
            {"standard_deviation", jsonNumber(value.standardDeviation)},
            {"ci95", {jsonNumber(value.low), jsonNumber(value.high)}}};
}

nlohmann::ordered_json shareJson(const ShareEstimate& value) {
    return {{"share", jsonNumber(value.share)},
            {"ci95", {jsonNumber(value.low), jsonNumber(value.high)}}};
}

nlohmann::ordered_json finalBalanceJson(const AnalysisReport& report) {
    nlohmann::ordered_json balance = meanJson(report.finalBalance);
    nlohmann::ordered_json percentiles = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < kBalancePercentiles.size(); ++index) {
        percentiles[fixedText(kBalancePercentiles[index] * 100, 0)] =
            jsonNumber(report.finalPercentiles[index]);
    }
    balance["percentiles"] = percentiles;
    balance["percentiles_exact"] = report.finalPercentilesExact;
    balance["minimum"] = jsonNumber(report.finalMinimum);
    balance["maximum"] = jsonNumber(report.finalMaximum);
    return balance;
}

nlohmann::ordered_json dayBandsJson(const AnalysisReport& report) {
    nlohmann::ordered_json bands = nlohmann::ordered_json::array();
    for (const DayBand& band : report.dayBands) {
        nlohmann::ordered_json day = {{"day", band.day}, {"mean", jsonNumber(band.mean)}};
        for (std::size_t index = 0; index < kDayBandPercentiles.size(); ++index) {
            std::string key = fixedText(kDayBandPercentiles[index] * 100, 0);
            key.insert(0, 1, 'p');
            day[key] = jsonNumber(band.percentiles[index]);
        }
        bands.push_back(day);
    }
    return bands;
}

} // namespace

std::string trialsText(const TrialsHeading& heading, const AnalysisReport& report) {
    std::string text;
    line(text, "検証", heading.verification);
    line(text, "試行回数",
         std::to_string(report.campaigns) + "（シード " + std::to_string(heading.seed) +
             (heading.countdown ? "、カウントダウン " + std::to_string(*heading.countdown) : "") +
             "、1試行 " + std::to_string(report.days) + " 日）");
    finalBalance(text, report);
    line(text, "勝ち越す確率", percent(report.endedAhead));
    line(text, "持金パンクのある確率", percent(report.wentBust));
    days(text, report);
    perFirstHit(text, report);
    risk(text, report);
    dayBands(text, report);
    text += "総合データの平均\n";
    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        line(text, "  " + std::string(fieldName(kOverallFigures[index])),
             fixedText(report.overallMeans[index].mean, 2));
    }
    return text;
}

nlohmann::ordered_json trialsJson(const TrialsHeading& heading, const AnalysisReport& report) {
    nlohmann::ordered_json json = {{"verification", heading.verification},
                                   {"campaigns", report.campaigns},
                                   {"seed", heading.seed}};
    if (heading.countdown) {
        json["countdown"] = *heading.countdown;
    }
    json["days"] = report.days;
    json["final_balance"] = finalBalanceJson(report);
    json["ended_ahead"] = shareJson(report.endedAhead);
    json["went_bust"] = shareJson(report.wentBust);
    json["winning_days"] = meanJson(report.winningDays);
    json["winning_days"]["distribution"] = report.winningDayCounts;
    json["balance_per_day"] = meanJson(report.balancePerDay);
    json["balance_per_hour"] = meanJson(report.balancePerHour);
    json["per_first_hit"] = {{"spins", meanJson(report.spinsPerFirstHit)},
                             {"big_hits", meanJson(report.streakPerFirstHit)},
                             {"payout_balls", meanJson(report.payoutPerFirstHit)},
                             {"short_spins", meanJson(report.shortSpinsPerFirstHit)}};
    json["share_of_days_ended_in_streak"] = jsonNumber(report.shareOfDaysEndedInStreak);
    json["daily_bands"] = dayBandsJson(report);
    json["daily_bands_exact"] = report.dayBandsExact;
    nlohmann::ordered_json overall = nlohmann::ordered_json::object();
    for (std::size_t index = 0; index < kOverallFigureCount; ++index) {
        overall[std::string(fieldName(kOverallFigures[index]))] =
            meanJson(report.overallMeans[index]);
    }
    json["overall_means"] = overall;
    json["risk"] = riskJson(report);
    return json;
}

std::string comparisonText(const TrialsHeading& first, const TrialsHeading& second,
                           const ComparisonReport& report) {
    std::string text =
        "比較（同じ乱数列）  " + second.verification + " − " + first.verification + "\n";
    line(text, "最終収支の差の平均", estimate(report.difference, 0, " 円"));
    line(text, "差の標準偏差", fixedText(report.difference.standardDeviation, 0) + " 円");
    line(text, second.verification + " が上回る確率", percent(report.secondAhead));
    text += "---- " + first.verification + "\n" + trialsText(first, report.first);
    text += "---- " + second.verification + "\n" + trialsText(second, report.second);
    return text;
}

nlohmann::ordered_json comparisonJson(const TrialsHeading& first, const TrialsHeading& second,
                                      const ComparisonReport& report) {
    return {{"difference", meanJson(report.difference)},
            {"second_ahead", shareJson(report.secondAhead)},
            {"first", trialsJson(first, report.first)},
            {"second", trialsJson(second, report.second)}};
}

} // namespace zelkora::cli
