// Feeds arbitrary bytes to everything that reads a verification file: the record file, the code
// page 932 decoder, the column reader and every record parser. A damaged or foreign file must
// never crash the program or read past a record.
#include "common/numbers.h"
#include "files/cp932.h"
#include "files/fixed_length_file.h"
#include "files/record_layouts.h"
#include "scratch_folder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

void parseEveryKind(std::string_view text) {
    using namespace zelkora;
    const SymbolRecord symbol = parseSymbolRecord(text);
    (void)symbolNumbers(symbol.row);
    (void)parseTimeConditionRecord(text);
    (void)parseRunSummaryRecord(text);
    (void)parseBasicConditionRecord(text);
    ResultRecord result;
    parseResultRecord(text, result);
    (void)resultNumbers(result);
    (void)resultKind(result);
    (void)readNumber(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zelkora;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    static Cp932Codec codec;
    std::string text;
    codec.decodeInto(bytes, text);
    parseEveryKind(text);
    (void)codec.encode(text);

    static const std::filesystem::path path = fuzzScratchFolder("record") / "input.pac";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    // One file object for every input: opening its code page 932 converter costs more than
    // reading a few records.
    static RecordFile file(kVerificationRecordLength);
    if (file.open(path).ok()) {
        const auto records = static_cast<int>(file.recordCount());
        for (int record = 1; record <= records + 1; ++record) {
            if (const Result<RecordRead> read = file.read(record); read.ok()) {
                parseEveryKind(read->text);
            }
        }
        (void)file.readInt16(1);
        (void)file.close();
    }
    return 0;
}
