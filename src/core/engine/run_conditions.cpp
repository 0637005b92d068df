#include "engine/run_conditions.h"

#include "common/numbers.h"

namespace zelkora {
namespace {

constexpr std::string_view kCannotStart = "のため、検証を開始できません。条件を確認してください。";

std::string refusal(std::string_view reason) {
    std::string text(reason);
    text += kCannotStart;
    return text;
}

bool isWholeSymbolCount(double count) {
    return count >= 1 && count <= kMaxSymbols && count == intPart(count);
}

} // namespace

std::optional<std::string> startRefusal(const FieldStore& fields, const ProgramValues& program) {
    if (!PlaySchedule::parse(program.playSchedule)) {
        return refusal("プレイする時間帯が１つもない");
    }
    if (!(fields.number(Field::条件_回転数1000円) > 0)) {
        return refusal("回転数/1000円が0以下");
    }
    if (!(fields.number(Field::条件_両替率) > 0)) {
        return refusal("両替率が0以下");
    }
    if (!(fields.number(Field::条件_時間比率) > 0)) {
        return refusal("回転の時間比率が0以下");
    }
    if (fields.number(Field::条件_回転時間) < 0 || fields.number(Field::条件_確変回転時間) < 0) {
        return refusal("一回転に要する時間が負");
    }
    if (!isWholeSymbolCount(fields.number(Field::条件_絵柄数))) {
        return refusal("絵柄数が1から50の整数でない");
    }
    if (!toInt32(fields.number(Field::条件_投資上限日))) {
        return refusal("投資上限/日が大きすぎる");
    }
    return std::nullopt;
}

std::optional<std::string> symbolTableRefusal(const SymbolTable& symbols, int symbolCount) {
    bool entersNextHitShortTime = false;
    bool canLeaveIt = false;
    for (int index = 0; index < symbolCount && index < kSymbolTableCapacity; ++index) {
        const std::string& kind = symbols.kinds[static_cast<std::size_t>(index)];
        entersNextHitShortTime = entersNextHitShortTime || kind == kKind次まで時短;
        canLeaveIt = canLeaveIt || kind == kKind通常 || kind == kKind確変;
    }
    if (entersNextHitShortTime && !canLeaveIt) {
        return refusal("次まで時短を終わらせる通常・確変の絵柄がない");
    }
    return std::nullopt;
}

RunConditions readRunConditions(const FieldStore& fields, const ProgramValues& program) {
    RunConditions conditions;
    conditions.probability = fields.number(Field::条件_確率);
    conditions.symbolCount = fields.number(Field::条件_絵柄数);
    conditions.dayCount = fields.number(Field::条件_何日分);
    conditions.limiter = {fields.text(Field::条件_リミッター) == kYes,
                          fields.number(Field::条件_リミッター数)};
    conditions.money.reinvest = fields.text(Field::条件_出玉を両替) == kYes;
    conditions.money.noReinvest = fields.text(Field::条件_出玉を両替) == kNo;
    conditions.money.dailyCap = toInt32(fields.number(Field::条件_投資上限日)).value_or(0);
    conditions.money.unit = fields.number(Field::条件_投資単位);
    conditions.ballsPerSpin = static_cast<float>(250 / fields.number(Field::条件_回転数1000円));
    conditions.normalSpinSeconds =
        normalSpinSeconds(fields.number(Field::条件_回転時間), fields.number(Field::条件_時間比率));
    conditions.shortSpinSeconds = fields.number(Field::条件_確変回転時間);
    conditions.digits = RuleOptionDigits::parse(program.ruleOptionDigits);
    conditions.serviceTimeRule = program.serviceTimeRule;
    conditions.schedule = PlaySchedule::parse(program.playSchedule).value_or(PlaySchedule{});
    return conditions;
}

} // namespace zelkora
