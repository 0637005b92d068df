#pragma once

#include "common/error.h"
#include "common/field_store.h"
#include "conditions/condition_set.h"
#include "engine/ball_rules.h"
#include "engine/money.h"
#include "engine/play_time.h"
#include "engine/state_transition.h"
#include "model/main_window_model.h"

#include <optional>
#include <string>

// The conditions as a run reads them: checked once at Start, then held as typed values so the
// spin loop never reads a field's text.
namespace zelkora {

struct RunConditions {
    double probability = 0; // 条件_確率, the denominator N outside 確変
    double symbolCount = 0; // 条件_絵柄数
    double dayCount = 0;    // 条件_何日分
    Limiter limiter;
    MoneyRules money;
    float ballsPerSpin = 0; // 250 ÷ 条件_回転数1000円, single precision
    double normalSpinSeconds = 0;
    double shortSpinSeconds = 0; // 条件_確変回転時間, whatever the ratio
    RuleOptionDigits digits;
    std::uint8_t serviceTimeRule = 0;
    PlaySchedule schedule;
};

// Why a run cannot start with these conditions (a division by zero, a day without length, a
// symbol outside the table, a cap beyond 32 bits). The wizard keeps all of these in range; a
// file restores them unchecked.
Status startRefusal(const FieldStore& fields, const ProgramValues& program);
// A table with 次まで時短 symbols but no 通常 or 確変 symbol would keep the machine in
// 次まで時短 for good once it got there, and a day in 次まで時短 never ends by time: the run
// would never end. Such a table is refused like the conditions above.
Status symbolTableRefusal(const SymbolTable& symbols, int symbolCount);

// The typed conditions; only for conditions that startRefusal accepts.
RunConditions readRunConditions(const FieldStore& fields, const ProgramValues& program);

} // namespace zelkora
