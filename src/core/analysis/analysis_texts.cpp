#include "analysis/analysis_texts.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace zelkora {
namespace {

constexpr std::string_view kEndless = "日の終わりなし";
constexpr std::string_view kDayEnds = "日の終わりあり（近似）";
// はまり lengths in multiples of the spins per first hit.
constexpr std::array<double, 4> kHamariMultiples{1, 2, 3, 5};

std::string percentText(double share, int decimals = 2) {
    return std::isfinite(share) ? figureText(share * 100, decimals) + "%" : "-";
}

void addEstimate(TextTable& table, std::string name, const MeanEstimate& value, int decimals) {
    table.rows.push_back({std::move(name), figureText(value.mean, decimals),
                          figureText(value.low, decimals), figureText(value.high, decimals)});
}

void addShare(TextTable& table, std::string name, const ShareEstimate& value) {
    table.rows.push_back({std::move(name), percentText(value.share), percentText(value.low),
                          percentText(value.high)});
}

void addPlain(TextTable& table, std::string name, std::string value) {
    table.rows.push_back({std::move(name), std::move(value), "", ""});
}

std::string percentLabel(double probability) {
    return figureText(probability * 100, 0) + "%";
}

void addRisk(TextTable& table, const RiskFigures& risk) {
    addEstimate(table, "回転単価（円）", risk.balancePerSpin, 2);
    addPlain(table, "1回転あたりの標準偏差（円）", figureText(risk.spreadPerSpin, 1));
    addPlain(table, "1時間あたりの標準偏差（円）", figureText(risk.spreadPerHour, 0));
    addPlain(table, "勝つ確率が95%になる回転数", figureText(risk.spinsTo95Ahead, 0));
    addPlain(table, "勝つ確率が95%になる日数", figureText(risk.daysTo95Ahead, 1));
    if (risk.bankroll) {
        addShare(table, "資金 " + figureText(*risk.bankroll, 0) + " 円の破産確率", risk.ruin);
    }
    for (std::size_t index = 0; index < kRuinChances.size(); ++index) {
        addPlain(table, "破産確率 " + percentLabel(kRuinChances[index]) + " 以下に必要な資金（円）",
                 figureText(risk.bankrollForRuinChance[index], 0));
    }
    addEstimate(table, "最大ドローダウンの平均（円）", risk.largestDrawdown, 0);
    for (std::size_t index = 0; index < kDrawdownPercentiles.size(); ++index) {
        addPlain(table,
                 "最大ドローダウンの " + percentLabel(kDrawdownPercentiles[index]) + " 点（円）" +
                     (risk.quantilesExact ? "" : "（推定）"),
                 figureText(risk.drawdownPercentiles[index], 0));
    }
}

void addMoney(TextTable& table, const std::string& how, const MoneyFigures& money,
              std::string_view assumption) {
    table.rows.push_back({"回転単価（" + how + "）", figureText(money.balancePerSpin, 2) + " 円",
                          std::string(assumption)});
    table.rows.push_back({"時給（" + how + "）", figureText(money.balancePerHour, 0) + " 円",
                          std::string(assumption)});
    table.rows.push_back({"ボーダー（" + how + "）", figureText(money.border, 2) + " 回転/1000円",
                          std::string(assumption)});
}

std::optional<std::int64_t> wholeNumber(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

constexpr std::array<HelpText, 9> kDeskHelpTexts{{
    {"Picture_多数回検証", ""},
    {"Picture_理論値", ""},
    {"Grid4", "多数回検証の数値と95%信頼区間。右クリックでコピー・CSV保存。"},
    {"Grid5", "二つの検証を同じ乱数で比べた収支の差。右クリックでコピー・CSV保存。"},
    {"Grid6", "検証条件から計算した理論値と、その前提。右クリックでコピー・CSV保存。"},
    {"Grid7", "両替率と回転数/1000円ごとの回転単価とボーダー。"},
    {"MSChart6", "日別積算収支の中央値と25〜75%・5〜95%"
                 "の範囲（比較検証では両方の検証）。右クリックで画像保存。"},
    {"MSChart7",
     "最終収支の分布をグラフで表示（比較検証では両方の検証と差）。右クリックで画像保存。"},
    {"MSChart8", "理論上の連荘数の分布を　％で表示。"},
}};

// Yen in 万円 with two decimals and the sign of a difference ("+1.23", "-0.50", "0.00").
std::string signedManYen(double yen) {
    std::string text = figureText(yen / 10000, 2);
    return yen > 0 && text != "0.00" ? "+" + text : text;
}

} // namespace

std::span<const HelpText> analysisDeskHelpTexts() {
    return kDeskHelpTexts;
}

std::string figureText(double value, int decimals) {
    if (std::isnan(value)) {
        return "-";
    }
    if (std::isinf(value)) {
        return value > 0 ? "到達しない" : "-";
    }
    // A value that rounds to zero is shown without a minus sign.
    const double scale = std::pow(10.0, decimals);
    const double shown = std::round(value * scale) == 0 ? 0.0 : value;
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%.*f", decimals, shown);
    return text.data();
}

TextTable analysisFigureTable(const AnalysisReport& report) {
    TextTable table{{"項目", "値", "95%下限", "95%上限"}, {}};
    addPlain(table, "試行数", std::to_string(report.campaigns));
    addPlain(table, "1試行の日数", std::to_string(report.days));
    addEstimate(table, "最終収支の平均（円）", report.finalBalance, 0);
    addPlain(table, "最終収支の標準偏差（円）",
             figureText(report.finalBalance.standardDeviation, 0));
    for (std::size_t index = 0; index < kBalancePercentiles.size(); ++index) {
        addPlain(table,
                 "最終収支の " + percentLabel(kBalancePercentiles[index]) + " 点（円）" +
                     (report.finalPercentilesExact ? "" : "（推定）"),
                 figureText(report.finalPercentiles[index], 0));
    }
    addPlain(table, "最終収支の最小（円）", figureText(report.finalMinimum, 0));
    addPlain(table, "最終収支の最大（円）", figureText(report.finalMaximum, 0));
    addShare(table, "プラスで終わる確率", report.endedAhead);
    addShare(table, "持金パンクのある確率", report.wentBust);
    addEstimate(table, "勝ち日数の平均", report.winningDays, 2);
    addEstimate(table, "1日あたりの収支（円）", report.balancePerDay, 0);
    addEstimate(table, "時給（円）", report.balancePerHour, 0);
    addRisk(table, report.risk);
    addEstimate(table, "初当り1回あたりの回転数", report.spinsPerFirstHit, 2);
    addEstimate(table, "平均連荘", report.streakPerFirstHit, 3);
    addEstimate(table, "初当り1回あたりの出玉", report.payoutPerFirstHit, 1);
    addPlain(table, "確変・時短中に終わった日の割合", percentText(report.shareOfDaysEndedInStreak));
    return table;
}

TextTable dayBandTable(const AnalysisReport& report) {
    TextTable table{{"日目", "平均"}, {}};
    for (const double probability : kDayBandPercentiles) {
        table.headings.push_back(percentLabel(probability) +
                                 (report.dayBandsExact ? "" : "（推定）"));
    }
    for (const DayBand& band : report.dayBands) {
        std::vector<std::string> row{std::to_string(band.day), figureText(band.mean, 0)};
        for (const double value : band.percentiles) {
            row.push_back(figureText(value, 0));
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

TextTable histogramTable(const StreamingHistogram& histogram) {
    TextTable table{{"最終収支（円）以上", "未満", "試行数"}, {}};
    if (histogram.count() == 0) {
        return table;
    }
    const std::vector<std::int64_t>& bins = histogram.bins();
    for (std::size_t bin = 0; bin < bins.size(); ++bin) {
        const double from = histogram.low() + histogram.width() * static_cast<double>(bin);
        table.rows.push_back({figureText(from, 0), figureText(from + histogram.width(), 0),
                              std::to_string(bins[bin])});
    }
    return table;
}

TextTable comparisonTable(const ComparisonReport& report, std::string_view first,
                          std::string_view second) {
    TextTable table{{"項目", "値", "95%下限", "95%上限"}, {}};
    // The difference first: it is what a comparison is for, and the panel shows its top rows.
    addEstimate(table, "差（検証2 − 検証1）の平均（円）", report.difference, 0);
    addPlain(table, "差の標準偏差（円）", figureText(report.difference.standardDeviation, 0));
    addShare(table, "検証2が上回った確率", report.secondAhead);
    addPlain(table, "検証1", std::string(first));
    addPlain(table, "検証2", std::string(second));
    addPlain(table, "試行数", std::to_string(report.first.campaigns));
    addEstimate(table, "検証1の最終収支の平均（円）", report.first.finalBalance, 0);
    addEstimate(table, "検証2の最終収支の平均（円）", report.second.finalBalance, 0);
    addEstimate(table, "検証1の回転単価（円）", report.first.risk.balancePerSpin, 2);
    addEstimate(table, "検証2の回転単価（円）", report.second.risk.balancePerSpin, 2);
    return table;
}

TextTable pairedTable(const TextTable& first, const TextTable& second, std::string_view firstName,
                      std::string_view secondName) {
    TextTable table{{"検証"}, {}};
    table.headings.insert(table.headings.end(), first.headings.begin(), first.headings.end());
    for (const auto& [part, name] :
         {std::pair{&first, firstName}, std::pair{&second, secondName}}) {
        for (const std::vector<std::string>& row : part->rows) {
            std::vector<std::string> named{std::string(name)};
            named.insert(named.end(), row.begin(), row.end());
            table.rows.push_back(std::move(named));
        }
    }
    return table;
}

std::string differenceText(const MeanEstimate& difference) {
    return "差（検証2−検証1）" + signedManYen(difference.mean) +
           "万円（95%: " + signedManYen(difference.low) + "〜" + signedManYen(difference.high) +
           "）";
}

TextTable theoryTable(const TheoreticalFigures& figures, bool ownShare) {
    TextTable table{{"項目", "値", "前提"}, {}};
    const auto add = [&table](std::string name, std::string value, std::string_view assumption) {
        table.rows.push_back({std::move(name), std::move(value), std::string(assumption)});
    };
    add("当選確率（通常・時短）", "1/" + figureText(1 / figures.hitChanceNormal, 2), kEndless);
    add("当選確率（確変）", "1/" + figureText(1 / figures.hitChance確変, 2), kEndless);
    add("初当り1回あたりの回転数", figureText(figures.spinsPerFirstHit, 2), kEndless);
    add("平均連荘", figureText(figures.meanStreak, 3), kEndless);
    add("大当り1回あたりの出玉", figureText(figures.payoutPerBigHit, 1) + " 玉", kEndless);
    add("初当り1回あたりの出玉", figureText(figures.payoutPerFirstHit, 1) + " 玉", kEndless);
    for (std::size_t index = 0; index < kStreakLabels.size(); ++index) {
        add("連荘分布 " + std::string(kStreakLabels[index]),
            percentText(figures.streakLengthChances[index]), kEndless);
    }
    add("初当り1回あたりの遊技時間", figureText(figures.hoursPerFirstHit, 3) + " 時間", kEndless);
    addMoney(table, "現金", figures.onCash, kEndless);
    addMoney(table, "持玉", figures.onHeldBalls, kEndless);
    addMoney(table,
             "持ち玉比率 " + figureText(figures.terms.heldShare * 100, 1) + "%" +
                 (ownShare ? "・検証の値" : ""),
             figures.atShare, kEndless);
    const DayEndFigures& dayEnds = figures.withDayEnds;
    add("1日の通常回転数", figureText(dayEnds.normalSpinsPerDay, 0), kDayEnds);
    add("平均連荘", figureText(dayEnds.meanStreak, 3), kDayEnds);
    add("初当り1回あたりの出玉", figureText(dayEnds.payoutPerFirstHit, 1) + " 玉", kDayEnds);
    add("回転単価（現金）", figureText(dayEnds.cutCashBalancePerSpin, 2) + " 円", kDayEnds);
    add("回転単価（持玉）", figureText(dayEnds.cutHeldBalancePerSpin, 2) + " 円", kDayEnds);
    for (const double multiple : kHamariMultiples) {
        const auto spins =
            static_cast<std::int64_t>(std::llround(multiple * figures.spinsPerFirstHit));
        add(std::to_string(spins) + "回転以上はまる確率",
            percentText(hamariChance(figures.hitChanceNormal, spins), 3), kEndless);
    }
    return table;
}

TextTable emptyRateTable(double heldShare) {
    TextTable table{{"両替率（玉/100円）"}, {}};
    for (const double spins : kTableSpinsPerThousand) {
        table.headings.push_back(figureText(spins, 0) + "回転");
    }
    table.headings.insert(table.headings.end(),
                          {"ボーダー（現金）", "ボーダー（持玉）",
                           "ボーダー（持ち玉比率 " + figureText(heldShare * 100, 1) + "%）"});
    return table;
}

TextTable rateTableOf(const std::vector<RateRow>& rates, double heldShare) {
    TextTable table = emptyRateTable(heldShare);
    for (const RateRow& rate : rates) {
        std::vector<std::string> row{figureText(rate.exchangeRate, 0)};
        for (const MoneyFigures& cell : rate.atShare) {
            row.push_back(figureText(cell.balancePerSpin, 2));
        }
        row.insert(row.end(),
                   {figureText(rate.borderOnCash, 2), figureText(rate.borderOnHeldBalls, 2),
                    figureText(rate.borderAtShare, 2)});
        table.rows.push_back(std::move(row));
    }
    return table;
}

std::string theoryBasisText(int countdown, HeldShareSource source, double heldShare) {
    std::string text = "カウントダウン " + std::to_string(countdown) + " で計算・";
    switch (source) {
    case HeldShareSource::Own:
        return text + "持ち玉比率は検証の値 " + figureText(heldShare * 100, 2) + "%";
    case HeldShareSource::NoRun:
        return text + "検証がまだ実行されていないため持ち玉比率は 0%（すべて現金）";
    case HeldShareSource::Chosen:
        break;
    }
    return text + "持ち玉比率は指定の値 " + figureText(heldShare * 100, 1) + "%";
}

std::vector<std::string> theoryAssumptionTexts() {
    std::vector<std::string> texts;
    texts.reserve(kTheoryAssumptions.size() + 1);
    for (const std::string_view assumption : kTheoryAssumptions) {
        texts.emplace_back("「" + std::string(kEndless) + "」: " + std::string(assumption));
    }
    texts.emplace_back(kDayEndAssumption);
    return texts;
}

std::string analysisHeading(std::string_view verification, std::int64_t folded, std::int64_t asked,
                            std::uint64_t seed, std::optional<int> countdown, AnalysisEnd end) {
    std::string text = "検証 " + std::string(verification) + "・試行 " + std::to_string(asked) +
                       " 回・シード " + std::to_string(seed);
    if (countdown) {
        text += "・カウントダウン " + std::to_string(*countdown);
    }
    switch (end) {
    case AnalysisEnd::Done:
        break;
    case AnalysisEnd::Cancelled:
        text += "（キャンセルされました。" + std::to_string(asked) + " 回中 " +
                std::to_string(folded) + " 回の結果）";
        break;
    case AnalysisEnd::Failed:
        text += "（失敗しました。" + std::to_string(asked) + " 回中 " + std::to_string(folded) +
                " 回の結果）";
        break;
    }
    return text;
}

std::string remainingTimeText(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0) {
        return "残り";
    }
    const auto whole = static_cast<std::int64_t>(std::ceil(seconds));
    std::array<char, 64> text{};
    if (whole >= 3600) {
        std::snprintf(text.data(), text.size(), "残り 約 %lld時間%02lld分",
                      static_cast<long long>(whole / 3600),
                      static_cast<long long>(whole % 3600 / 60));
    } else if (whole >= 60) {
        std::snprintf(text.data(), text.size(), "残り 約 %lld分%02lld秒",
                      static_cast<long long>(whole / 60), static_cast<long long>(whole % 60));
    } else {
        std::snprintf(text.data(), text.size(), "残り 約 %lld秒", static_cast<long long>(whole));
    }
    return text.data();
}

TrialsInput readTrialsEntry(const TrialsEntry& entry) {
    TrialsInput input;
    const std::optional<std::int64_t> campaigns = wholeNumber(trimmed(entry.campaigns));
    if (!campaigns || *campaigns < 1 || *campaigns > kMostCampaigns) {
        input.problem = "試行回数は 1 から " + std::to_string(kMostCampaigns) +
                        " までの整数で入力してください。";
        return input;
    }
    input.campaigns = *campaigns;
    const std::string_view seed = trimmed(entry.seed);
    if (!seed.empty()) {
        std::uint64_t value = 0;
        const auto [end, error] = std::from_chars(seed.data(), seed.data() + seed.size(), value);
        if (error != std::errc() || end != seed.data() + seed.size()) {
            input.problem = "シードは 0 から 18446744073709551615 までの整数で入力するか、"
                            "空欄にしてください。";
            return input;
        }
        input.seed = value;
    }
    const std::optional<std::int64_t> threads = wholeNumber(trimmed(entry.threads));
    if (!threads || *threads < 1 || *threads > kMostThreads) {
        input.problem = "スレッド数は 1 から " + std::to_string(kMostThreads) +
                        " までの整数で入力してください。";
        return input;
    }
    input.threads = static_cast<int>(*threads);
    const std::string_view bankroll = trimmed(entry.bankroll);
    if (!bankroll.empty()) {
        const std::optional<std::int64_t> yen = wholeNumber(bankroll);
        if (!yen || *yen < 1 || *yen > 1'000'000'000'000) {
            input.problem = "資金は 1 円以上の整数で入力するか、空欄にしてください。";
            return input;
        }
        input.bankroll = static_cast<double>(*yen);
    }
    return input;
}

} // namespace zelkora
