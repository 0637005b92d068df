#include "common/numbers.h"
#include "files/column_codec.h"
#include "files/record_layouts.h"
#include "wizard/symbol_table_messages.h"
#include "wizard/symbol_table_page.h"

#include <array>

// What page 3 checks before Finish writes its rows: that each can be written and read back.
namespace zelkora {
namespace {

using namespace symbol_table_messages;

// The boxes whose texts may hold double-byte characters, with the column each is kept in.
struct TextCell {
    Page3Control box;
    int recordColumn;
    std::string_view title;
};
constexpr std::array<TextCell, 3> kTextCells{{
    {Page3Control::ルール表示, 4, kBadRule.title},
    {Page3Control::確率通常表示, 2, kBadKind.title},
    {Page3Control::絵柄数値表示, kTailColumn, kNameTooLong.title},
}};

std::string_view cellText(const SymbolRow& symbol, Page3Control box) {
    switch (box) {
    case Page3Control::絵柄数値表示:
        return symbol.name;
    case Page3Control::確率通常表示:
        return symbol.kind;
    default:
        return symbol.rule;
    }
}

std::string_view storedPart(const SymbolRow& symbol, const TextCell& cell) {
    const std::size_t width = kColumnWidths[static_cast<std::size_t>(cell.recordColumn - 1)];
    return StorableText::asStored(cellText(symbol, cell.box), width);
}

std::size_t nonAsciiCharacters(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        const auto value = static_cast<unsigned char>(byte);
        count += value >= 0xC0 ? 1 : 0; // the lead byte of each multi-byte character
    }
    return count;
}

// The cell that most likely made the record too long: the one with the most wide characters.
const TextCell& widestCell(const SymbolRow& symbol) {
    const TextCell* widest = &kTextCells[0];
    for (const TextCell& cell : kTextCells) {
        if (nonAsciiCharacters(storedPart(symbol, cell)) >
            nonAsciiCharacters(storedPart(symbol, *widest))) {
            widest = &cell;
        }
    }
    return *widest;
}

} // namespace

bool SymbolTablePage::readyForFinish() {
    const bool countSettled = readNumber(text(Page3Control::絵柄数表示)) == previousCount_ &&
                              previousCount_ >= 1 && previousCount_ <= kMaxSymbols;
    if (!countSettled && !changeSymbolCount()) {
        return false;
    }
    for (int row = 1; row <= previousCount_; ++row) {
        if (!rowCanBeWritten(row)) {
            return false;
        }
    }
    return true;
}

std::vector<SymbolRow> SymbolTablePage::symbolRows() const {
    std::vector<SymbolRow> rows;
    for (int row = 1; row <= previousCount_ && row < grid_.rowCount(); ++row) {
        rows.push_back(rowAt(row));
    }
    return rows;
}

SymbolRow SymbolTablePage::rowAt(int row) const {
    return {std::string(grid_.cell(row, 0)), std::string(grid_.cell(row, 1)),
            std::string(grid_.cell(row, 2)), std::string(grid_.cell(row, 3)),
            std::string(grid_.cell(row, 4))};
}

// A row passes when the reload would read its numbers back as they are and its record can be
// stored. Texts outside the lists still pass: the file and the engine take them as they are.
bool SymbolTablePage::rowCanBeWritten(int row) {
    const SymbolRow symbol = rowAt(row);
    if (!isWholeNumberText(symbol.shortTimeSpins)) {
        return refuseAtRow(row, Page3Control::時短表示, kShortTimeNotWhole, kBadShortTime.title);
    }
    if (!isWholeNumberText(symbol.payout)) {
        return refuseAtRow(row, Page3Control::出玉表示, kPayoutNotWhole, kBadPayout.title);
    }
    const std::string record = buildSymbolRecord(symbol, SymbolRecordWriter::WizardFinish);
    const Result<SymbolNumbers> numbers = symbolNumbers(parseSymbolRecord(record).row);
    if (!numbers.ok()) {
        if (numbers.error().column == 3) {
            return refuseAtRow(row, Page3Control::時短表示, kUnreadableShortTime,
                               kBadShortTime.title);
        }
        return refuseAtRow(row, Page3Control::出玉表示, kUnreadablePayout, kBadPayout.title);
    }
    for (const TextCell& cell : kTextCells) {
        if (const auto character = storable_.unencodableCharacter(storedPart(symbol, cell))) {
            return refuseAtRow(row, cell.box, unstorableCharacterText(*character), cell.title);
        }
    }
    if (!storable_.fitsRecord(record)) {
        const TextCell& widest = widestCell(symbol);
        return refuseAtRow(row, widest.box, kRecordTooLong, widest.title);
    }
    return true;
}

// Shows the row in the boxes, as a click on it would, and the focus goes to the cell's box.
bool SymbolTablePage::refuseAtRow(int row, Page3Control box, std::string_view message,
                                  std::string_view title) {
    selectRow(row);
    refuse(box, message, title);
    return false;
}

} // namespace zelkora
