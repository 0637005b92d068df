#include "results/ind_preset.h"

#include "common/numbers.h"
#include "common/procedure_error.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/utf8_path.h"
#include "files/working_copy_file.h"
#include "results/record_errors.h"

#include <cmath>
#include <string>

namespace zelkora {
namespace {

// The normal pointer comes back however IndPreset ends.
class HourglassScope {
public:
    explicit HourglassScope(UserInterface& ui) : ui_(ui) {
        ui_.setPointer(PointerShape::Hourglass);
    }
    ~HourglassScope() { ui_.setPointer(PointerShape::Default); }
    HourglassScope(const HourglassScope&) = delete;
    HourglassScope& operator=(const HourglassScope&) = delete;

private:
    UserInterface& ui_;
};

// The symbol tables hold 99 entries and the engine draws among 条件_絵柄数 of them, so the count
// must be a whole number from 1 to 99; anything else would draw outside the table.
void checkSymbolCount(const StoredConditions& stored) {
    const std::string& text = stored.basic[basicColumnIndex(Field::条件_絵柄数)];
    const double count = readNumber(text);
    if (count < 1 || count > kSymbolTableCapacity || count != std::trunc(count)) {
        throw ProcedureError("作業ファイルの絵柄数「" + text +
                             "」は 1 から 99 までの整数でなければなりません。");
    }
}

void loadRunSummary(RecordFile& file, MainWindowModel& model) {
    std::string text;
    readRecordOrThrow(file, kRunSummaryRecord, text, RecordPresence::MayBeMissing);
    const Checked<RunSummary> summary = parseRunSummaryRecord(text);
    if (!summary.ok()) {
        throw ProcedureError(badNumberText(kRunSummaryRecord, *summary.error));
    }
    model.window.resultRecordCounter = summary.value.resultCount;
}

} // namespace

void IndPreset(MainWindowModel& model, UserInterface& ui) {
    HourglassScope hourglass(ui);
    RecordFile file(kVerificationRecordLength);
    if (!file.open(model.workingCopyPath()).ok()) {
        throw ProcedureError(cannotOpenText(utf8FromPath(model.workingCopyPath())));
    }
    if (!holdsConditions(file)) {
        throw ProcedureError("作業ファイルには検証の条件がありません。");
    }
    const StoredConditions stored = readStoredConditions(file);
    checkSymbolCount(stored);
    applyConditions(model, stored);
    loadRunSummary(file, model);
    file.close();
}

} // namespace zelkora
