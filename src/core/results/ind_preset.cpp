#include "results/ind_preset.h"

#include "common/numbers.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "files/working_copy_file.h"
#include "results/record_reading.h"
#include "results/window_conditions.h"

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
Status checkSymbolCount(const StoredConditions& stored, const std::filesystem::path& file) {
    const std::string& text = stored.basic[basicColumnIndex(Field::条件_絵柄数)];
    const double count = readNumber(text);
    if (count < 1 || count > kSymbolTableCapacity || count != std::trunc(count)) {
        return Error{ErrorKind::BadSymbolCount}
            .inFile(file)
            .inRecord(kBasicConditionRecord)
            .about(text);
    }
    return {};
}

Status loadRunSummary(RecordFile& file, MainWindowModel& model) {
    std::string text;
    if (Status read = readRecord(file, kRunSummaryRecord, text, RecordPresence::MayBeMissing);
        !read.ok()) {
        return read;
    }
    Result<RunSummary> summary = parseRunSummaryRecord(text);
    if (!summary.ok()) {
        return std::move(summary).error().inFile(file.path()).inRecord(kRunSummaryRecord);
    }
    model.window.resultRecordCounter = summary->resultCount;
    return {};
}

Status loadConditions(RecordFile& file, MainWindowModel& model) {
    Result<bool> holds = holdsConditions(file);
    if (!holds.ok()) {
        return std::move(holds).error();
    }
    if (!holds.value()) {
        return Error{ErrorKind::NoConditions}.inFile(file.path());
    }
    Result<StoredConditions> stored = readStoredConditions(file);
    if (!stored.ok()) {
        return std::move(stored).error();
    }
    if (Status counted = checkSymbolCount(stored.value(), file.path()); !counted.ok()) {
        return counted;
    }
    applyConditions(model, stored.value());
    return loadRunSummary(file, model);
}

} // namespace

Status IndPreset(MainWindowModel& model, UserInterface& ui) {
    return IndPresetFrom(model, ui, model.workingCopyPath());
}

Status IndPresetFrom(MainWindowModel& model, UserInterface& ui, const std::filesystem::path& path) {
    HourglassScope hourglass(ui);
    RecordFile file(kVerificationRecordLength);
    if (Status opened = file.open(path); !opened.ok()) {
        return opened;
    }
    Status loaded = loadConditions(file, model);
    static_cast<void>(file.close()); // only read: nothing to lose
    return loaded;
}

} // namespace zelkora
