#include "results/rebuild.h"

#include "common/numbers.h"
#include "files/column_codec.h"
#include "files/fixed_length_file.h"
#include "files/record_decoder.h"
#include "files/record_layouts.h"
#include "platform/yield_point.h"
#include "results/grids_and_charts.h"
#include "results/rebuild_messages.h"
#include "results/record_accumulation.h"
#include "results/record_reading.h"
#include "results/statistics.h"

#include <algorithm>
#include <optional>
#include <string>

namespace zelkora {
namespace {

constexpr std::string_view kRemaining = "残り";

// The held-ball ratio of the run comes from its summary; it is never recomputed.
void copyHoldingRatio(MainWindowModel& model, RecordFile& file) {
    std::string text;
    raiseIfFailed(readRecord(file, kRunSummaryRecord, text, RecordPresence::MayBeMissing));
    Result<RunSummary> summary = parseRunSummaryRecord(text);
    if (!summary.ok()) {
        raise(std::move(summary).error().inFile(file.path()).inRecord(kRunSummaryRecord));
    }
    model.fields.setText(Field::持ち玉比率, summary->holdingRatio);
}

// The window is locked while the records are replayed and handed back however
// the replay ends, an unexpected failure included.
class WindowLock {
public:
    WindowLock(MainWindowModel& model, UserInterface& ui) : model_(model), ui_(ui) {
        showIdleRunArea();
        model_.commands.lockForRebuild();
        model_.runArea.grid1Visible = false;
        ui_.setPointer(PointerShape::Hourglass);
    }
    ~WindowLock() {
        showIdleRunArea();
        model_.commands.unlockAfterRebuild();
        model_.runArea.grid1Visible = true;
        ui_.setPointer(PointerShape::Default);
    }
    WindowLock(const WindowLock&) = delete;
    WindowLock& operator=(const WindowLock&) = delete;

private:
    void showIdleRunArea() {
        FieldStore& fields = model_.fields;
        model_.runArea.progressBar1Visible = false;
        fields.setText(Field::ProgressBar1, "0");
        fields.setText(Field::action表示, "");
        fields.setText(Field::StatusBar1_Panel2, kRemaining);
        model_.runArea.expVisible = true;
    }

    MainWindowModel& model_;
    UserInterface& ui_;
};

// The parts a run start resets beside the figures. Timer3 stops and stays stopped, so
// the next run draws with the countdown value frozen here. A run start takes one draw for its
// first symbol index; the rebuild takes the same draw, so the generator's sequence moves on
// exactly as after a run start (the index itself is replaced at the first big hit).
void resetAsRunStart(MainWindowModel& model, const PlatformSeams& seams,
                     RecordAccumulator& accumulator) {
    accumulator.reset();
    model.fields.setText(Field::c大当り詳細_持玉数F, "0");
    model.runArea.timer3Enabled = false;
    model.runArea.timer3IntervalMilliseconds = 5;
    seams.timers.setCountdownEnabled(false, 5);
    static_cast<void>(seams.random.next());
}

// The progress shown before record `index` of `count`; the text changes only with the whole
// percent, so it is written only then, and the records before the next whole percent skip the
// division.
class ProgressDisplay {
public:
    ProgressDisplay(FieldStore& fields, std::int32_t count) : fields_(fields), count_(count) {}
    void show(std::int32_t index) {
        if (index < nextChange_) {
            return;
        }
        const int percent = percentAt(index);
        if (percent != shown_) {
            shown_ = percent;
            fields_.setNumber(Field::ProgressBar1, percent);
            fields_.setText(Field::action表示, "Loading..." + std::to_string(percent) + "%");
        }
        nextChange_ = firstIndexAbove(index, percent);
    }

private:
    int percentAt(std::int32_t index) const {
        return static_cast<int>(
            fixPart(static_cast<double>(index) / static_cast<double>(count_) * 100));
    }
    // The first index after `index` that shows more than `percent`: in exact arithmetic it is
    // at least (percent + 1) × count ÷ 100, which the rounding of percentAt() moves by less than
    // one; so the search starts two below and steps up.
    std::int32_t firstIndexAbove(std::int32_t index, int percent) const {
        const std::int64_t exact = (static_cast<std::int64_t>(percent) + 1) * count_;
        std::int64_t at = std::max<std::int64_t>(index + 1, (exact + 99) / 100 - 2);
        while (at < count_ && percentAt(static_cast<std::int32_t>(at)) <= percent) {
            ++at;
        }
        return static_cast<std::int32_t>(at);
    }

    FieldStore& fields_;
    std::int32_t count_;
    int shown_ = -1;
    std::int32_t nextChange_ = 0;
};

// Grid1's row shows the detail strip as it stands after the record was written into it. The
// strip's number fields show the plain text of the stored number, which for the usual plain
// integers is the column itself; only other numbers ("007", "2.50") are formatted again.
void appendResultRow(GridTable& grid1, int row, const ColumnValues& columns,
                     ShownAsStored shownAsStored, const FieldStore& fields) {
    std::array<std::string_view, kRecordColumnCount> cells{};
    for (std::size_t index = 0; index < cells.size(); ++index) {
        cells[index] = shownAsStored.test(index)
                           ? trimSpaces(columns[index])
                           : std::string_view(fields.text(kResultColumns[index]));
    }
    grid1.setRow(row, cells);
}

// The result records' columns, read straight from their stored bytes when the decoder knows
// their words, else decoded in full (which fails on a missing or damaged record).
class RecordReader {
public:
    explicit RecordReader(RecordFile& file) : file_(file) {}

    // Views valid until the next read.
    ColumnValues read(int record) {
        std::string_view encoded;
        const Result<RecordReadOutcome> stored = file_.readStored(record, encoded);
        if (stored.ok() && stored->status == RecordReadStatus::Ok) {
            if (const std::optional<ColumnValues> columns = decoder_.decode(encoded)) {
                return *columns;
            }
        }
        raiseIfFailed(readRecord(file_, record, text_, RecordPresence::Required));
        const ColumnValues columns = splitColumns(text_);
        if (file_.readStored(record, encoded).ok()) {
            decoder_.learn(encoded, columns);
        }
        return columns;
    }

private:
    RecordFile& file_;
    RecordDecoder decoder_;
    std::string text_;
};

// Every result record through the detail strip, Grid1 and the accumulation.
void replayRecords(MainWindowModel& model, const PlatformSeams& seams,
                   RecordAccumulator& accumulator, RecordFile& file) {
    const std::int32_t count = model.window.resultRecordCounter;
    // The grid is sized to the records the file can hold, so a count that claims more than the
    // file has never makes billions of empty rows; the reading stops at the first missing one.
    const std::uint64_t stored = file.recordCount();
    const auto available = static_cast<std::int32_t>(
        std::min<std::uint64_t>(stored > kBasicConditionRecord ? stored - kBasicConditionRecord : 0,
                                static_cast<std::uint64_t>(count)));
    model.runArea.progressBar1Visible = true;
    model.fields.setText(Field::ProgressBar1, "0");
    model.fields.setText(Field::action表示, "Loading....");
    model.runArea.expVisible = false;
    model.grids.grid1.setRowCount(available + 1);

    YieldPoint yield(seams.pump);
    ProgressDisplay progress(model.fields, count);
    RecordReader reader(file);
    try {
        for (std::int32_t index = 0; index < count; ++index) {
            if (yield.due()) {
                accumulator.show();
            }
            yield();
            progress.show(index);
            const int record = kFirstResultRecord + index;
            const ColumnValues columns = reader.read(record);
            try {
                const ShownAsStored shown = writeDetailStrip(model.fields, columns);
                appendResultRow(model.grids.grid1, index + 1, columns, shown, model.fields);
                accumulator.accumulate();
            } catch (const Fault& fault) {
                // What went wrong in the figures happened at this record of this file.
                raise(Error(fault.error()).inFile(file.path()).inRecord(record));
            }
        }
        accumulator.closeLastDay();
    } catch (...) {
        // The figures show the state reached.
        accumulator.show();
        throw;
    }
}

} // namespace

Result<RebuildOutcome> 検証データ再構築(MainWindowModel& model, const PlatformSeams& seams) {
    const std::int32_t count = model.window.resultRecordCounter;
    if (count <= 0) {
        グラフCLR(model.charts);
        return RebuildOutcome::NoRecords;
    }
    if (seams.ui.showMessage(rebuildQuestion(count)) != MessageResult::Yes) {
        return RebuildOutcome::Declined;
    }
    WindowLock lock(model, seams.ui);
    try {
        RecordFile file(kVerificationRecordLength);
        raiseIfFailed(file.open(model.workingCopyPath()));
        copyHoldingRatio(model, file);
        RecordAccumulator accumulator(model);
        resetAsRunStart(model, seams, accumulator);
        replayRecords(model, seams, accumulator, file);
    } catch (...) {
        return errorOfCurrentException();
    }
    return RebuildOutcome::Rebuilt;
}

void clearResultDisplays(MainWindowModel& model) {
    FieldStore& fields = model.fields;
    model.grids.grid1.setRowCount(1);
    計算大当り詳細CLR(fields);
    fields.setText(Field::c大当り詳細_持玉数F, "0");
    計算日合計CLR(fields);
    model.grids.grid3.setRowCount(1);
    統計データobCLR(fields);
    model.grids.grid2.setRowCount(1);
}

void clearShownFigures(MainWindowModel& model) {
    clearResultDisplays(model);
    model.fields.setText(Field::持ち玉比率, "0");
    model.fields.setText(Field::総時短回転数表示, "0");
    model.fields.setText(Field::c日合計_日目, "0");
    model.fields.setText(Field::c日合計_積算収支F, "0");
    model.distributions.reset(0);
}

} // namespace zelkora
