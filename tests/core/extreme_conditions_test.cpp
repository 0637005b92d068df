// Runs at the edges of every range the condition pages allow, and a few corners where several
// edges meet: each ends as a run ends (the end message, every day closed once, record 99
// counting every record), with no undefined behaviour (the sanitizer build runs these too) and
// without hanging (a run that plays far more spins than its conditions allow is cancelled and
// fails the test).

#include "platform/pcg_random_source.h"
#include "run_harness.h"

#include <functional>
#include <gtest/gtest.h>
#include <ostream>

namespace zelkora::testing {
namespace {

// Processes events every 4096 yield points; past a budget of yields it cancels the run, so a
// run that would not end fails instead of hanging.
class GuardedPump final : public EventPump {
public:
    static constexpr std::uint32_t kSkipped = 4096;
    explicit GuardedPump(std::int64_t yieldBudget) : budget_(yieldBudget) {}
    std::uint32_t processEvents() override {
        yields_ += kSkipped + 1;
        if (yields_ > budget_ && !tripped && cancel) {
            tripped = true;
            cancel();
        }
        return kSkipped;
    }
    std::function<void()> cancel;
    bool tripped = false;

private:
    std::int64_t budget_;
    std::int64_t yields_ = 0;
};

struct Edge {
    const char* name;
    std::function<void(StoredConditions&)> change;
    bool probabilityConvergence = false;
    bool symbolConvergence = false;
};

void PrintTo(const Edge& edge, std::ostream* out) {
    *out << edge.name;
}

void set(StoredConditions& conditions, Field field, std::string text) {
    conditions.basic.at(basicColumnIndex(field)) = std::move(text);
}

std::vector<StoredSymbol> fiftySymbols() {
    const std::array<const char*, 3> kinds{"確変", "通常", "次まで時短"};
    const std::array<const char*, 4> rules{"通常時交換", "無制限", "ラッキー", "アウト"};
    std::vector<StoredSymbol> symbols;
    for (int index = 0; index < 50; ++index) {
        const auto at = static_cast<std::size_t>(index);
        symbols.push_back(symbol(std::to_string(index + 1), kinds[at % kinds.size()],
                                 static_cast<std::int16_t>(index % 5 == 0 ? 100 : 0),
                                 rules[at % rules.size()], static_cast<std::int16_t>(400 + index)));
    }
    return symbols;
}

// Nine symbols that keep the machine in 次まで時短 and one that can end it.
std::vector<StoredSymbol> allButOneUntilNextHit(const char* escapeKind) {
    std::vector<StoredSymbol> symbols;
    for (int index = 1; index <= 9; ++index) {
        symbols.push_back(symbol("時" + std::to_string(index), "次まで時短", 0, "通常時交換", 600));
    }
    symbols.push_back(symbol("抜け", escapeKind, 0, "通常時交換", 1500));
    return symbols;
}

void setSymbols(StoredConditions& conditions, std::vector<StoredSymbol> symbols) {
    set(conditions, Field::条件_絵柄数, std::to_string(symbols.size()));
    conditions.symbols = std::move(symbols);
}

// One hour a day, one normal spin an hour: about one spin per day.
void oneSpinDays(StoredConditions& conditions, const char* days) {
    set(conditions, Field::条件_何日分, days);
    conditions.playSchedule = "00000010000000";
    conditions.spinSeconds = "3600";
}

const std::vector<Edge> kEdges{
    {"probability_2",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "2");
     }},
    {"probability_3000",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "3000");
     }},
    {"probability_315_27",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "315.27");
     }},
    {"probability_2_5",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "2.5");
     }},
    {"probability_2999_99_with_probability_convergence",
     [](StoredConditions& c) { set(c, Field::条件_確率, "2999.99"); }, true},
    {"ten_thousand_days",
     [](StoredConditions& c) {
         oneSpinDays(c, "10000");
     }},
    {"ten_thousand_days_each_busted_at_once",
     [](StoredConditions& c) {
         set(c, Field::条件_何日分, "10000");
         set(c, Field::条件_投資上限日, "500");
         c.investmentUnit = "1000";
     }},
    {"fifty_symbols_of_every_kind_and_rule",
     [](StoredConditions& c) {
         setSymbols(c, fiftySymbols());
     }},
    {"exchange_rate_25",
     [](StoredConditions& c) {
         set(c, Field::条件_両替率, "25");
     }},
    {"exchange_rate_100",
     [](StoredConditions& c) {
         set(c, Field::条件_両替率, "100");
     }},
    {"cap_500_without_reinvestment",
     [](StoredConditions& c) {
         set(c, Field::条件_投資上限日, "500");
         set(c, Field::条件_出玉を両替, "いいえ");
     }},
    {"cap_500_with_reinvestment",
     [](StoredConditions& c) {
         set(c, Field::条件_投資上限日, "500");
     }},
    {"cap_500000",
     [](StoredConditions& c) {
         set(c, Field::条件_投資上限日, "500000");
     }},
    {"unit_100",
     [](StoredConditions& c) {
         c.investmentUnit = "100";
     }},
    {"unit_1000_without_reinvestment",
     [](StoredConditions& c) {
         c.investmentUnit = "1000";
         set(c, Field::条件_出玉を両替, "いいえ");
     }},
    {"one_slot_first",
     [](StoredConditions& c) {
         c.playSchedule = "10000000000000";
     }},
    {"one_slot_last_in_service_time",
     [](StoredConditions& c) {
         c.playSchedule = "00000000000002";
     }},
    {"all_but_one_until_next_hit_the_other_normal",
     [](StoredConditions& c) {
         setSymbols(c, allButOneUntilNextHit("通常"));
     }},
    {"all_but_one_until_next_hit_the_other_probability_change",
     [](StoredConditions& c) {
         setSymbols(c, allButOneUntilNextHit("確変"));
     }},
    {"probability_2_with_both_convergence_options",
     [](StoredConditions& c) { set(c, Field::条件_確率, "2"); }, true, true},
    {"probability_2_fifty_symbols_both_options_limiter_2",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "2");
         set(c, Field::条件_リミッター, "はい");
         set(c, Field::条件_リミッター数, "2");
         setSymbols(c, fiftySymbols());
     },
     true, true},
    {"probability_2_until_next_hit_all_but_one_both_options",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "2");
         setSymbols(c, allButOneUntilNextHit("確変"));
     },
     true, true},
    {"probability_3000_cap_500000_unit_100_rate_100_no_reinvestment",
     [](StoredConditions& c) {
         set(c, Field::条件_確率, "3000");
         set(c, Field::条件_投資上限日, "500000");
         set(c, Field::条件_両替率, "100");
         set(c, Field::条件_出玉を両替, "いいえ");
         c.investmentUnit = "100";
     }},
    {"fastest_spins_with_rate_25",
     [](StoredConditions& c) {
         set(c, Field::条件_両替率, "25");
         c.spinSeconds = "1";
         c.shortSpinSeconds = "1";
         c.timeRatio = "100";
     }},
};

class ExtremeConditions : public ::testing::TestWithParam<Edge> {};

TEST_P(ExtremeConditions, EndsLikeAnyRun) {
    const Edge& edge = GetParam();
    RunHarness run;
    // Days long enough for big hits, ended by time rather than by the default cap.
    run.conditions = defaultConditions();
    set(run.conditions, Field::条件_何日分, "5");
    set(run.conditions, Field::条件_投資上限日, "500000");
    edge.change(run.conditions);
    const double days = readNumber(run.conditions.basic[basicColumnIndex(Field::条件_何日分)]);

    PcgRandomSource source(20240611);
    RandomStream stream(source);
    GuardedPump pump(5'000'000);
    RunCommands commands(run.model, {run.ui, testFiles(), pump, run.timers, stream, testThreads()},
                         run.workingCopy);
    pump.cancel = [&] {
        commands.MK_Cancel();
    };
    run.workingCopy.stored = run.conditions;
    applyConditions(run.model, run.conditions);
    run.model.commands.apply(Availability::VerificationLoaded);
    if (edge.probabilityConvergence) {
        run.model.commands.toggleProbabilityConvergence();
    }
    if (edge.symbolConvergence) {
        run.model.commands.toggleSymbolConvergence();
    }
    commands.MK_Start();

    EXPECT_FALSE(pump.tripped) << "the run did not end on its own";
    std::vector<std::string> texts;
    for (const Message& message : run.ui.messages) {
        texts.push_back(message.text);
    }
    ASSERT_EQ(texts, std::vector<std::string>{std::string(kRunEndMessage)});
    ASSERT_TRUE(run.workingCopy.summary);
    const auto& results = run.workingCopy.results;
    EXPECT_EQ(static_cast<std::size_t>(run.workingCopy.summary->count), results.size());

    double dayEnds = 0;
    double spins = 0;
    double bigHits = 0;
    for (const auto& record : results) {
        spins += readNumber(RunHarness::column(record, kSpins));
        const std::string& rule = RunHarness::column(record, kRule);
        if (rule == "回転数終了" || rule == "持金パンク") {
            ++dayEnds;
            EXPECT_EQ(readNumber(RunHarness::column(record, kDay)), dayEnds);
        } else {
            EXPECT_EQ(RunHarness::column(record, kBigHit), "した");
            ++bigHits;
        }
    }
    EXPECT_EQ(dayEnds, days);
    EXPECT_EQ(run.model.fields.number(Field::総回転数表示), spins);
    EXPECT_EQ(run.model.fields.number(Field::総大当り数表示), bigHits);
    EXPECT_EQ(run.model.grids.grid3.rowCount(), static_cast<int>(days) + 1);
    EXPECT_EQ(run.model.window.running, 0);
    RecordProperty("records", static_cast<int>(results.size()));
    RecordProperty("big_hits", static_cast<int>(bigHits));
    RecordProperty("normal_spins", std::to_string(spins));
}

INSTANTIATE_TEST_SUITE_P(RangeEdges, ExtremeConditions, ::testing::ValuesIn(kEdges),
                         [](const ::testing::TestParamInfo<Edge>& edgeInfo) {
                             return std::string(edgeInfo.param.name);
                         });

} // namespace
} // namespace zelkora::testing
