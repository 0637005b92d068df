#include "engine/run_conditions.h"

#include "common/numbers.h"

namespace zelkora {
namespace {

bool isWholeSymbolCount(double count) {
    return count >= 1 && count <= kMaxSymbols && count == intPart(count);
}

} // namespace

Status startRefusal(const FieldStore& fields, const ProgramValues& program) {
    if (!PlaySchedule::parse(program.playSchedule)) {
        return Error{ErrorKind::NoPlayedSlot};
    }
    if (!(fields.number(Field::条件_回転数1000円) > 0)) {
        return Error{ErrorKind::SpinsPerThousandNotPositive};
    }
    if (!(fields.number(Field::条件_両替率) > 0)) {
        return Error{ErrorKind::ExchangeRateNotPositive};
    }
    if (!(fields.number(Field::条件_時間比率) > 0)) {
        return Error{ErrorKind::TimeRatioNotPositive};
    }
    if (fields.number(Field::条件_回転時間) < 0 || fields.number(Field::条件_確変回転時間) < 0) {
        return Error{ErrorKind::NegativeSpinTime};
    }
    if (!isWholeSymbolCount(fields.number(Field::条件_絵柄数))) {
        return Error{ErrorKind::SymbolCountNotWhole};
    }
    if (!toInt32(fields.number(Field::条件_投資上限日))) {
        return Error{ErrorKind::DailyCapTooLarge};
    }
    return {};
}

Status symbolTableRefusal(const SymbolTable& symbols, int symbolCount) {
    bool entersNextHitShortTime = false;
    bool canLeaveIt = false;
    for (int index = 0; index < symbolCount && index < kSymbolTableCapacity; ++index) {
        const std::string& kind = symbols.kinds[static_cast<std::size_t>(index)];
        entersNextHitShortTime = entersNextHitShortTime || kind == kKind次まで時短;
        canLeaveIt = canLeaveIt || kind == kKind通常 || kind == kKind確変;
    }
    if (entersNextHitShortTime && !canLeaveIt) {
        return Error{ErrorKind::EndlessNextHitShortTime};
    }
    return {};
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
