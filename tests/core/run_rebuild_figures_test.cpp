#include "engine/run_engine.h"
#include "files/condition_file_writer.h"
#include "files/sample_definitions.h"
#include "files/working_copy_file.h"
#include "platform/pcg_random_source.h"
#include "results/grids_and_charts.h"
#include "results/record_accumulation.h"
#include "results/window_conditions.h"
#include "run_harness.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace zelkora::testing {
namespace {

// Processes no events, so the run plays its quiet spins in runs.
class NeverPump final : public EventPump {
public:
    std::uint32_t processEvents() override { return std::numeric_limits<std::uint32_t>::max(); }
};

StoredConditions storedConditionsOf(const SampleDefinition& sample) {
    TempFolder folder;
    const auto path = folder.file("sample.pac");
    EXPECT_TRUE(writeConditionFile(path, sample).ok());
    FileWorkingCopy file(path);
    Result<StoredConditions> stored = file.readConditions();
    EXPECT_TRUE(stored.ok());
    return stored.ok() ? stored.value() : StoredConditions{};
}

// The figures the run and the rebuild take from the same events. The rebuild derives the
// others from the stored 状態 columns, which tell the state a hit came in rather than the one
// it led to: 確変 entries, first-hit 時短 entries and the streaks (a streak a day end cuts, a
// 時短 hit after a first hit). The 時短 spins and the held-ball share are the run's alone, and
// the rebuild closes the last day like the others, so its day strip ends at 0; the day grid
// shows every day's totals on both sides.
constexpr Field kSharedFigures[] = {
    Field::勝数表示,         Field::負け数表示,       Field::勝率表示,
    Field::平均収支表示,     Field::初当たり数表示,   Field::初当たり確率表示,
    Field::初当り確変率表示, Field::初当り確変数表示, Field::総大当り数表示,
    Field::確率表示,         Field::総回転数表示,     Field::収支表示F,
    Field::最大はまり表示,   Field::総時短率表示,     Field::総時短数表示,
    Field::平均連荘表示,     Field::c日合計_日目,     Field::c日合計_積算収支F,
    Field::回転数1r,         Field::回転数5r,         Field::回転数9r,
    Field::回転数9t,
};

struct Replayed {
    std::vector<std::string> fields;
    std::vector<std::string> dayRows;
};

Replayed capture(const MainWindowModel& model) {
    Replayed captured;
    for (Field field : kSharedFigures) {
        captured.fields.emplace_back(model.fields.text(field));
    }
    const GridTable& days = model.grids.grid3;
    for (int row = 1; row < days.rowCount(); ++row) {
        std::string cells;
        for (int column = 0; column < 7; ++column) {
            cells += std::string(days.cell(row, column)) + "|";
        }
        captured.dayRows.push_back(cells);
    }
    return captured;
}

// The run's working copy replayed through the rebuild's accumulation.
Replayed rebuild(const StoredConditions& conditions,
                 const std::vector<std::array<std::string, 11>>& records) {
    MainWindowModel model;
    applyConditions(model, conditions);
    グリッド見出し設定(model.grids);
    グラフCLR(model.charts);
    RecordAccumulator accumulator(model);
    accumulator.reset();
    for (const auto& record : records) {
        ResultColumns columns;
        for (std::size_t index = 0; index < record.size(); ++index) {
            columns[index] = record[index];
        }
        accumulator.accumulate(columns);
    }
    accumulator.closeLastDay();
    return capture(model);
}

TEST(RunAndRebuild, ShowTheSameFiguresForEverySampleAndSeed) {
    std::vector<StoredConditions> verifications{defaultConditions()};
    for (const SampleDefinition& sample : sampleDefinitions()) {
        verifications.push_back(storedConditionsOf(sample));
    }
    for (const StoredConditions& conditions : verifications) {
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(conditions.basic[basicColumnIndex(Field::条件_名前)] + " seed " +
                         std::to_string(seed));
            RunHarness run;
            PcgRandomSource source(seed);
            RandomStream stream(source);
            NeverPump pump;
            RunEngine engine(run.model,
                             {run.ui, testFiles(), pump, run.timers, stream, testThreads()},
                             run.workingCopy);
            run.workingCopy.stored = conditions;
            applyConditions(run.model, conditions);
            run.model.commands.apply(Availability::VerificationLoaded);
            ASSERT_TRUE(engine.MK_Start().ok());
            ASSERT_GT(run.workingCopy.results.size(), 10U);

            const Replayed played = capture(run.model);
            const Replayed rebuilt = rebuild(conditions, run.workingCopy.results);
            for (std::size_t index = 0; index < played.fields.size(); ++index) {
                EXPECT_EQ(played.fields[index], rebuilt.fields[index])
                    << fieldName(kSharedFigures[index]);
            }
            EXPECT_EQ(played.dayRows, rebuilt.dayRows);
        }
    }
}

} // namespace
} // namespace zelkora::testing
