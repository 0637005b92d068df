#pragma once

#include "model/grid_table.h"
#include "model/main_window_model.h"
#include "platform/platform.h"
#include "wizard/storable_text.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Page 3 of the condition wizard, 条件2 ("大当り絵柄の詳細設定"): the symbol table in the grid
// MSFlexGrid1, edited one row at a time through five boxes, the number of symbols, and the rule
// options of the panel Picture1. A bad cell is reported when its box loses the focus but stays
// in the grid; Finish writes what the grid holds.
namespace zelkora {

enum class Page3Control : std::uint8_t {
    絵柄数表示,
    絵柄数値表示, // grid column 0
    確率通常表示, // grid column 1
    時短表示,     // grid column 2
    ルール表示,   // grid column 3
    出玉表示,     // grid column 4
    確率通常表示list,
    ルール表示list,
};
inline constexpr std::size_t kPage3BoxCount = 6; // the controls before the lists hold text

std::string_view controlName(Page3Control control);
std::optional<Page3Control> page3ControlNamed(std::string_view name);
// The entries of 確率通常表示list and ルール表示list.
std::span<const std::string_view> listEntries(Page3Control list);

class SymbolTablePage {
public:
    SymbolTablePage(MainWindowModel& model, UserInterface& ui);

    // Opening the page: the count and rows of the window's symbol table into the grid, the
    // options from the rule option digits, row 1 in the boxes, the unsaved flag as before. A
    // window without a verification offers its two default symbols.
    void load();

    const GridTable& grid() const { return grid_; } // MSFlexGrid1
    int currentRow() const { return currentRow_; }
    // The rows below the headings, as the count last accepted says.
    int symbolCount() const { return previousCount_; }
    const std::string& text(Page3Control box) const { return texts_[index(box)]; }

    // The user edited a box; picked a list entry; clicked a row of the grid.
    void change(Page3Control box, std::string_view text);
    void pick(Page3Control list, std::string_view entry);
    void selectRow(int row);
    // A box lost the focus: its check, or for 絵柄数表示 the change of the symbol count.
    void lostFocus(Page3Control box);
    void enterPressed(Page3Control control);

    // The rule-option panel Picture1: 詳細 shows it, Ok hides it.
    bool detailsVisible() const { return detailsVisible_; }
    void 詳細_Click() { detailsVisible_ = true; }
    void Ok_Click() { detailsVisible_ = false; }
    // The selected option of a group of kRuleOptionGroups, as an index into its options.
    std::optional<std::size_t> selectedOption(std::size_t group) const;
    void selectOption(std::size_t group, std::size_t option);
    // One digit per group with a selected option, d1 … d4.
    std::string ruleOptionDigits() const;

    // Before Finish writes: applies a count typed but not yet accepted, and refuses a count or a
    // row the file cannot take back (a 時短数 or 出玉数 that is no 16-bit number, a character
    // code page 932 lacks, a record too long), showing the row and focusing the cell. True when
    // every row can be written and read back.
    bool readyForFinish();
    // Rows 1 … symbolCount() of the grid.
    std::vector<SymbolRow> symbolRows() const;

    std::optional<Page3Control> takeFocusRequest();

private:
    static std::size_t index(Page3Control control) { return static_cast<std::size_t>(control); }
    void setText(Page3Control box, std::string_view text);
    void changed(Page3Control box);
    void fillBoxes(int row);
    void loadRows(int count);
    void loadOptions(std::string_view digits);
    bool changeSymbolCount();
    void refuseSymbolCount(std::string_view message);
    bool rowCanBeWritten(int row);
    bool refuseAtRow(int row, Page3Control box, std::string_view message, std::string_view title);
    void refuse(Page3Control focus, std::string_view message, std::string_view title);
    SymbolRow rowAt(int row) const;

    MainWindowModel& model_;
    UserInterface& ui_;
    StorableText storable_;
    GridTable grid_;
    std::array<std::string, kPage3BoxCount> texts_;
    std::array<std::optional<std::size_t>, 4> options_{};
    int currentRow_ = 1;
    std::int16_t previousCount_ = 0;
    bool loading_ = false;
    bool detailsVisible_ = false;
    std::optional<Page3Control> focusRequest_;
};

} // namespace zelkora
