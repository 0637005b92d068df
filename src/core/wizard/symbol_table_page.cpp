#include "wizard/symbol_table_page.h"

#include "common/numbers.h"
#include "files/utf8.h"
#include "wizard/input_errors.h"
#include "wizard/page_texts.h"
#include "wizard/symbol_table_messages.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelkora {
namespace {

using namespace symbol_table_messages;

constexpr std::array<std::string_view, 8> kControlNames{
    "絵柄数表示", "絵柄数値表示", "確率通常表示",     "時短表示",
    "ルール表示", "出玉表示",     "確率通常表示list", "ルール表示list"};

// The grid column an edit box shows.
int gridColumn(Page3Control box) {
    return static_cast<int>(box) - static_cast<int>(Page3Control::絵柄数値表示);
}

constexpr std::array<GridColumnSpec, 5> gridColumns() {
    std::array<GridColumnSpec, 5> columns{};
    for (std::size_t column = 0; column < columns.size(); ++column) {
        columns[column] = {kSymbolColumnHeadings[column], kSymbolGridWidthsTwips[column]};
    }
    return columns;
}
constexpr auto kGridColumns = gridColumns();

bool isListed(std::span<const std::string_view> entries, std::string_view text) {
    return std::find(entries.begin(), entries.end(), text) != entries.end();
}

} // namespace

std::string_view controlName(Page3Control control) {
    return kControlNames[static_cast<std::size_t>(control)];
}

std::optional<Page3Control> page3ControlNamed(std::string_view name) {
    for (std::size_t index = 0; index < kControlNames.size(); ++index) {
        if (kControlNames[index] == name) {
            return static_cast<Page3Control>(index);
        }
    }
    return std::nullopt;
}

std::span<const std::string_view> listEntries(Page3Control list) {
    return list == Page3Control::ルール表示list ? std::span<const std::string_view>(kSymbolRules)
                                                : std::span<const std::string_view>(kSymbolKinds);
}

SymbolTablePage::SymbolTablePage(MainWindowModel& model, UserInterface& ui)
    : model_(model), ui_(ui) {
    // The options the program's default digits select, until the page loads the window's.
    loadOptions(kDefaultRuleOptionDigits);
}

void SymbolTablePage::load() {
    ui_.setPointer(PointerShape::Hourglass);
    detailsVisible_ = false;
    const bool unsaved = model_.window.unsaved;
    const std::string& count = model_.fields.text(Field::条件_絵柄数);
    texts_[index(Page3Control::絵柄数表示)] =
        count.empty() ? std::string(kSymbolCountCondition.defaultText) : count;
    const double rows = readNumber(text(Page3Control::絵柄数表示));
    previousCount_ = toInt16(rows).value_or(0);
    loading_ = true;
    grid_.setColumns(kGridColumns);
    // Names, kinds and rules are words, read best centred; the counts line up on the right.
    for (const int column : {0, 1, 3}) {
        grid_.setColumnAlignment(column, kAlignCentreCentre);
    }
    loadRows(static_cast<int>(std::clamp(rows, 0.0, double{kSymbolTableCapacity})));
    loadOptions(model_.program.ruleOptionDigits);
    currentRow_ = 1;
    fillBoxes(currentRow_);
    model_.window.unsaved = unsaved;
    loading_ = false;
    ui_.setPointer(PointerShape::Default);
}

// Rows 1 … count from the window's symbol grid. A row the window lacks (its file ended the table
// early) starts with the values of a row added by raising the count.
void SymbolTablePage::loadRows(int count) {
    const GridTable& grid2 = model_.grids.grid2;
    grid_.setRowCount(1);
    for (int row = 1; row <= count; ++row) {
        grid_.setRowCount(row + 1);
        if (row < grid2.rowCount()) {
            for (int column = 0; column < grid_.columnCount(); ++column) {
                grid_.setCell(row, column, grid2.cell(row, column));
            }
        } else {
            const SymbolRow symbol = defaultSymbolRow(row);
            const std::array<std::string_view, 5> cells{
                symbol.name, symbol.kind, symbol.shortTimeSpins, symbol.rule, symbol.payout};
            grid_.setRow(row, cells);
        }
    }
}

// A digit that names no option of its group leaves the group as it was.
void SymbolTablePage::loadOptions(std::string_view digits) {
    for (std::size_t group = 0; group < options_.size() && group < digits.size(); ++group) {
        const auto& options = kRuleOptionGroups[group].options;
        for (std::size_t option = 0; option < options.size(); ++option) {
            if (options[option].digit == digits[group]) {
                options_[group] = option;
            }
        }
    }
}

void SymbolTablePage::fillBoxes(int row) {
    if (row < 1 || row >= grid_.rowCount()) {
        return;
    }
    for (auto box = Page3Control::絵柄数値表示; box <= Page3Control::出玉表示;
         box = static_cast<Page3Control>(index(box) + 1)) {
        setText(box, grid_.cell(row, gridColumn(box)));
    }
}

void SymbolTablePage::change(Page3Control box, std::string_view text) {
    if (index(box) < kPage3BoxCount) {
        setText(box, text);
    }
}

void SymbolTablePage::pick(Page3Control list, std::string_view entry) {
    setText(list == Page3Control::ルール表示list ? Page3Control::ルール表示
                                                 : Page3Control::確率通常表示,
            entry);
}

void SymbolTablePage::selectRow(int row) {
    if (row < 1 || row > previousCount_ || row >= grid_.rowCount()) {
        return; // the headings, or below the table
    }
    currentRow_ = row;
    fillBoxes(row);
}

void SymbolTablePage::setText(Page3Control box, std::string_view text) {
    texts_[index(box)] = std::string(text);
    changed(box);
}

void SymbolTablePage::changed(Page3Control box) {
    if (box == Page3Control::絵柄数表示) {
        return; // the count changes when the box loses the focus
    }
    const std::string& boxText = text(box);
    if (box == Page3Control::絵柄数値表示 && countCharacters(boxText) > kMaxSymbolNameLength) {
        setText(box, std::string(characterSlice(boxText, 0, kMaxSymbolNameLength)));
        ui_.showMessage(inputErrorMessage(kNameTooLong));
        return;
    }
    if (loading_) {
        return;
    }
    if (!boxText.empty() && currentRow_ < grid_.rowCount()) {
        grid_.setCell(currentRow_, gridColumn(box), boxText);
    }
    model_.window.unsaved = true;
}

// The check does not undo the cell, which the edit has written already; it tells the user and
// moves the focus to where the value can be put right.
void SymbolTablePage::lostFocus(Page3Control box) {
    const std::string& boxText = text(box);
    switch (box) {
    case Page3Control::絵柄数表示:
        static_cast<void>(changeSymbolCount());
        break;
    case Page3Control::絵柄数値表示:
        if (const auto character = storable_.unencodableCharacter(boxText)) {
            refuse(box, unstorableCharacterText(*character), kNameTooLong.title);
        }
        break;
    case Page3Control::確率通常表示:
        if (!isListed(kSymbolKinds, boxText)) {
            refuse(Page3Control::確率通常表示list, kBadKind.text, kBadKind.title);
        }
        break;
    case Page3Control::時短表示:
        if (!isWholeNumberText(boxText)) {
            refuse(box, kShortTimeNotWhole, kBadShortTime.title);
        } else if (readNumber(boxText) < 0) {
            refuse(box, kBadShortTime.text, kBadShortTime.title);
        }
        break;
    case Page3Control::ルール表示:
        if (!isListed(kSymbolRules, boxText)) {
            refuse(Page3Control::ルール表示list, kBadRule.text, kBadRule.title);
        }
        break;
    case Page3Control::出玉表示:
        if (!isWholeNumberText(boxText)) {
            refuse(box, kPayoutNotWhole, kBadPayout.title);
        } else if (readNumber(boxText) <= 0) {
            refuse(box, kBadPayout.text, kBadPayout.title);
        }
        break;
    default:
        break;
    }
}

// Raising the count adds rows with the default values, lowering it drops rows from the end; a
// count outside 1 … 50, or not whole, is refused and the box shows the previous count again.
bool SymbolTablePage::changeSymbolCount() {
    ui_.setPointer(PointerShape::Hourglass);
    const double value = readNumber(text(Page3Control::絵柄数表示));
    bool accepted = false;
    if (value <= 0 || value > kMaxSymbols) {
        refuseSymbolCount(kCountOutOfRange);
    } else if (value != std::trunc(value)) {
        refuseSymbolCount(kCountNotWhole);
    } else {
        const int count = static_cast<int>(value);
        grid_.setRowCount(count + 1);
        for (int row = previousCount_; row < count; ++row) {
            const SymbolRow symbol = defaultSymbolRow(row + 1);
            const std::array<std::string_view, 5> cells{
                symbol.name, symbol.kind, symbol.shortTimeSpins, symbol.rule, symbol.payout};
            grid_.setRow(row + 1, cells);
        }
        previousCount_ = static_cast<std::int16_t>(count);
        // The boxes must belong to a row that is still there.
        if (currentRow_ > count) {
            currentRow_ = count;
            fillBoxes(currentRow_);
        }
        accepted = true;
    }
    ui_.setPointer(PointerShape::Default);
    return accepted;
}

void SymbolTablePage::refuseSymbolCount(std::string_view message) {
    refuse(Page3Control::絵柄数表示, message, kCountTitle);
    texts_[index(Page3Control::絵柄数表示)] = std::to_string(previousCount_);
}

void SymbolTablePage::enterPressed(Page3Control control) {
    switch (control) {
    case Page3Control::絵柄数表示:
    case Page3Control::出玉表示:
        focusRequest_ = Page3Control::絵柄数値表示;
        break;
    case Page3Control::絵柄数値表示:
        focusRequest_ = Page3Control::確率通常表示list;
        break;
    case Page3Control::確率通常表示:
        focusRequest_ = Page3Control::時短表示;
        break;
    case Page3Control::時短表示:
        focusRequest_ = Page3Control::ルール表示list;
        break;
    case Page3Control::ルール表示:
        focusRequest_ = Page3Control::出玉表示;
        break;
    default:
        break;
    }
}

std::optional<std::size_t> SymbolTablePage::selectedOption(std::size_t group) const {
    return group < options_.size() ? options_[group] : std::nullopt;
}

void SymbolTablePage::selectOption(std::size_t group, std::size_t option) {
    if (group < options_.size() && option < kRuleOptionGroups[group].options.size()) {
        options_[group] = option;
    }
}

std::string SymbolTablePage::ruleOptionDigits() const {
    std::string digits;
    for (std::size_t group = 0; group < options_.size(); ++group) {
        if (options_[group]) {
            digits += kRuleOptionGroups[group].options[*options_[group]].digit;
        }
    }
    return digits;
}

std::optional<Page3Control> SymbolTablePage::takeFocusRequest() {
    return std::exchange(focusRequest_, std::nullopt);
}

void SymbolTablePage::refuse(Page3Control focus, std::string_view message, std::string_view title) {
    ui_.showMessage(inputErrorMessage(message, title));
    focusRequest_ = focus;
}

} // namespace zelkora
