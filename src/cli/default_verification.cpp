#include "default_verification.h"

#include "files/fixed_length_file.h"
#include "files/verification_conditions.h"
#include "files/working_copy_file.h"
#include "messages/error_messages.h"

#include <string>

namespace zelkora::cli {

std::string writeDefaultVerification(const std::filesystem::path& path, std::optional<int> days) {
    StoredConditions conditions = defaultConditions();
    if (days) {
        conditions.basic[basicColumnIndex(Field::条件_何日分)] = std::to_string(*days);
    }
    std::error_code removeError;
    std::filesystem::remove(path, removeError);
    RecordFile file(kVerificationRecordLength);
    Status result = file.open(path);
    if (result.ok()) {
        result = file.writeEmpty(kRunSummaryRecord);
    }
    if (result.ok()) {
        result = file.write(kBasicConditionRecord, buildBasicConditionRecord({conditions.basic}));
    }
    if (result.ok()) {
        result = file.write(kTimeConditionRecord,
                            buildTimeConditionRecord(timeConditionRecordOf(conditions)));
    }
    int recordNumber = 1;
    for (const StoredSymbol& symbol : conditions.symbols) {
        if (result.ok()) {
            result =
                file.write(recordNumber++, buildSymbolRecord(symbolRowOf(symbol),
                                                             SymbolRecordWriter::WizardFinish));
        }
    }
    for (; recordNumber <= kSymbolRecordSlots && result.ok(); ++recordNumber) {
        result = file.write(recordNumber, blankSymbolRecord());
    }
    Status closed = file.close();
    if (!result.ok()) {
        return errorText(result.error());
    }
    return closed.ok() ? std::string() : errorText(closed.error());
}

} // namespace zelkora::cli
