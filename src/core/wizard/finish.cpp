#include "wizard/finish.h"

#include "files/sample_files.h"
#include "files/utf8_path.h"
#include "files/verification_conditions.h"
#include "results/grids_and_charts.h"
#include "results/statistics.h"

#include <array>

namespace zelkora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFileExtension = ".pac";

void publishSymbols(GridTable& grid2, const std::vector<SymbolRow>& symbols) {
    grid2.setRowCount(static_cast<int>(symbols.size()) + 1);
    int row = 1;
    for (const SymbolRow& symbol : symbols) {
        const std::array<std::string_view, 5> cells{symbol.name, symbol.kind, symbol.shortTimeSpins,
                                                    symbol.rule, symbol.payout};
        grid2.setRow(row++, cells);
    }
}

void clearResults(MainWindowModel& model) {
    FieldStore& fields = model.fields;
    model.window.resultRecordCounter = 0;
    model.grids.grid1.setRowCount(1);
    model.grids.grid3.setRowCount(1);
    計算大当り詳細CLR(fields);
    計算日合計CLR(fields);
    統計データobCLR(fields);
    グラフCLR(model.charts);
    fields.setText(Field::c大当り詳細_持玉数F, "0");
}

} // namespace

FinishedConditions gatherConditions(const BasicConditionsPage& page1,
                                    const TimeConditionsPage& page2, const SymbolTablePage& page3,
                                    const ProgramValues& window) {
    FinishedConditions finished;
    ConditionRecords& records = finished.records;
    for (std::size_t box = 0; box < kPage1BoxCount; ++box) {
        const std::size_t column = basicColumnIndex(kBasicConditions[box].field);
        if (column < records.basic.columns.size()) {
            records.basic.columns[column] = page1.text(static_cast<Page1Box>(box));
        }
    }
    records.basic.columns[basicColumnIndex(Field::条件_絵柄数)] =
        page3.text(Page3Control::絵柄数表示);

    records.time.texts = {page2.text(Page2Box::回転時間), page2.text(Page2Box::回転時間_比率),
                          page2.text(Page2Box::回転時間_確変), page1.text(Page1Box::投資単位)};
    finished.serviceTimeRule = page2.serviceTimeRule();
    records.time.program = {scheduleOf(page2.slotBoxes()),
                            finished.serviceTimeRule.value_or(window.serviceTimeRule),
                            page3.ruleOptionDigits()};
    records.symbols = page3.symbolRows();
    return finished;
}

Status writeConditionsToWorkingCopy(FileSystem& files, const fs::path& workingCopy,
                                    const ConditionRecords& records) {
    std::error_code existsError;
    const bool exists = fs::exists(workingCopy, existsError);
    if (existsError) {
        return Error{ErrorKind::CannotOpen}.inFile(workingCopy).because(existsError);
    }
    Status written = replaceFileSafely(files, workingCopy, [&](const fs::path& temporary) {
        if (exists) {
            if (Status copied = files.copyContents(workingCopy, temporary); !copied.ok()) {
                return copied;
            }
        }
        RecordFile file(kVerificationRecordLength);
        Status result = file.open(temporary);
        if (result.ok()) {
            result = writeConditionRecords(file, records);
        }
        Status closed = file.close();
        return result.ok() ? closed : result;
    });
    // The temporary file is no name the user knows.
    if (!written.ok() && written.error().path == temporaryCopyPath(workingCopy)) {
        written.error().path = workingCopy;
    }
    return written;
}

void publishConditions(MainWindowModel& model, const FinishedConditions& conditions) {
    FieldStore& fields = model.fields;
    WindowValues& window = model.window;
    const ConditionRecords& records = conditions.records;
    clearResults(model);
    window.unsaved = true;

    for (std::size_t column = 0; column < kBasicConditionColumns.size(); ++column) {
        if (kBasicConditionColumns[column] != Field::条件_絵柄数) {
            fields.setText(kBasicConditionColumns[column], records.basic.columns[column]);
        }
    }
    if (!window.savedName) {
        window.fileTitle = fields.text(Field::条件_名前) + std::string(kFileExtension);
        window.filePath = utf8FromPath(model.programFolder / kDataFolderName);
    }
    window.caption = std::string(kFinishCaptionPrefix) + window.fileTitle;

    model.program.playSchedule = records.time.program.playSchedule;
    if (conditions.serviceTimeRule) {
        model.program.serviceTimeRule = *conditions.serviceTimeRule;
        fields.setText(Field::条件_TS, serviceTimeRuleText(*conditions.serviceTimeRule));
    }
    fields.setText(Field::条件_回転時間, records.time.texts.spinSeconds);
    fields.setText(Field::条件_確変回転時間, records.time.texts.fastSpinSeconds);
    fields.setText(Field::条件_時間比率, records.time.texts.timeRatio);
    fields.setText(Field::条件_投資単位, records.time.texts.investmentUnit);
    fields.setText(Field::条件_絵柄数, records.basic.columns[basicColumnIndex(Field::条件_絵柄数)]);
    model.program.ruleOptionDigits = records.time.program.ruleOptionDigits;
    publishSymbols(model.grids.grid2, records.symbols);
}

} // namespace zelkora
