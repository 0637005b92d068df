#include "files/record_layouts.h"

#include <string>

namespace zelkora {
namespace {

ColumnValues viewsOf(const ColumnTexts& texts) {
    ColumnValues views{};
    for (std::size_t index = 0; index < texts.size(); ++index) {
        views[index] = texts[index];
    }
    return views;
}

ColumnTexts textsOf(const ColumnValues& views) {
    ColumnTexts texts;
    for (std::size_t index = 0; index < views.size(); ++index) {
        texts[index] = std::string(views[index]);
    }
    return texts;
}

constexpr std::size_t kTail = kRecordColumnCount - 1;

} // namespace

// --- Symbol records ----------------------------------------------------------------------------

std::string buildSymbolRecord(const SymbolRow& row, SymbolRecordWriter writer) {
    const std::string_view column6 = writer == SymbolRecordWriter::RunStart ? "0" : "";
    return buildRecordText({kSymbolMarker, row.kind, row.shortTimeSpins, row.rule, row.payout,
                            column6, "", "", "", "", row.name});
}

std::string blankSymbolRecord() {
    return std::string(kBlankSymbolRecordLength, ' ');
}

SymbolRecord parseSymbolRecord(std::string_view text) {
    const ColumnValues columns = splitColumns(text);
    SymbolRecord record;
    record.hasMarker = columns[0].starts_with(kSymbolMarker);
    record.row.kind = columns[1];
    record.row.shortTimeSpins = columns[2];
    record.row.rule = columns[3];
    record.row.payout = columns[4];
    record.row.name = columns[kTail];
    return record;
}

Result<SymbolNumbers> symbolNumbers(const SymbolRow& row) {
    auto shortTimeSpins = columnInt16(row.shortTimeSpins, 3);
    if (!shortTimeSpins.ok()) {
        return std::move(shortTimeSpins).error();
    }
    auto payout = columnInt16(row.payout, 5);
    if (!payout.ok()) {
        return std::move(payout).error();
    }
    return SymbolNumbers{shortTimeSpins.value(), payout.value()};
}

// --- Time-condition record ---------------------------------------------------------------------

std::string buildTimeConditionRecord(const TimeConditionRecord& record) {
    const TimeConditionTexts& texts = record.texts;
    const std::string rule = std::to_string(record.program.serviceTimeRule);
    return buildRecordText({texts.spinSeconds, rule, record.program.ruleOptionDigits,
                            texts.timeRatio, texts.fastSpinSeconds, texts.investmentUnit, "", "",
                            "", "", record.program.playSchedule});
}

Result<TimeConditionRecord> parseTimeConditionRecord(std::string_view text) {
    const ColumnValues columns = splitColumns(text);
    auto rule = columnUint8(columns[1], 2);
    if (!rule.ok()) {
        return std::move(rule).error();
    }
    TimeConditionRecord record;
    record.texts.spinSeconds = columns[0];
    record.texts.timeRatio = columns[3];
    record.texts.fastSpinSeconds = columns[4];
    record.texts.investmentUnit = columns[5].empty() ? kDefaultInvestmentUnit : columns[5];
    record.program.serviceTimeRule = rule.value();
    record.program.ruleOptionDigits = columns[2];
    record.program.playSchedule = columns[kTail];
    return record;
}

// --- Run-summary record ------------------------------------------------------------------------

std::string buildRunSummaryRecord(const RunSummary& summary) {
    const std::string count = std::to_string(summary.resultCount);
    return buildRecordText({count, summary.holdingRatio, "", "", "", "", "", "", "", "", ""});
}

Result<RunSummary> parseRunSummaryRecord(std::string_view text) {
    const std::string_view countText = column(text, 1);
    const std::string_view ratioText = column(text, 2);
    RunSummary summary;
    summary.holdingRatio = ratioText.empty() ? "0" : ratioText;
    if (countText.empty()) {
        return summary;
    }
    auto count = columnInt32(countText, 1);
    if (!count.ok()) {
        return std::move(count).error();
    }
    // A negative count cannot come from a run; reading it as "no results" would hide damage.
    if (count.value() < 0) {
        return Error{ErrorKind::NumberOutOfRange}.atColumn(1).about(std::string(countText));
    }
    summary.resultCount = count.value();
    return summary;
}

// --- Basic-condition record --------------------------------------------------------------------

std::string buildBasicConditionRecord(const BasicConditionRecord& record) {
    return buildRecordText(viewsOf(record.columns));
}

BasicConditionRecord parseBasicConditionRecord(std::string_view text) {
    return {textsOf(splitColumns(text))};
}

// --- Result records ----------------------------------------------------------------------------

std::string buildResultRecord(const ResultRecord& record) {
    return buildRecordText(viewsOf(record.columns));
}

void parseResultRecord(std::string_view text, ResultRecord& record) {
    const ColumnValues columns = splitColumns(text);
    for (std::size_t index = 0; index < columns.size(); ++index) {
        record.columns[index].assign(columns[index]);
    }
}

ResultRecord parseResultRecord(std::string_view text) {
    ResultRecord record;
    parseResultRecord(text, record);
    return record;
}

Result<ResultNumbers> resultNumbers(const ResultRecord& record) {
    constexpr std::array<int, 7> kNumberColumns{1, 2, 3, 4, 9, 10, kTailColumn};
    std::array<double, kNumberColumns.size()> values{};
    for (std::size_t index = 0; index < kNumberColumns.size(); ++index) {
        const int columnNumber = kNumberColumns[index];
        auto number =
            columnDouble(record.columns[static_cast<std::size_t>(columnNumber - 1)], columnNumber);
        if (!number.ok()) {
            return std::move(number).error();
        }
        values[index] = number.value();
    }
    return ResultNumbers{values[0], values[1], values[2], values[3],
                         values[4], values[5], values[6]};
}

ResultKind resultKind(const ResultRecord& record) {
    const std::string& hit = record.columns[4];
    const std::string& rule = record.columns[6];
    if (rule == "キャンセル") {
        return ResultKind::Cancel;
    }
    if (hit == "した") {
        return ResultKind::BigHit;
    }
    if (hit == "--" && (rule == "回転数終了" || rule == "持金パンク")) {
        return ResultKind::DayEnd;
    }
    return ResultKind::Unknown;
}

} // namespace zelkora
