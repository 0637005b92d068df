#include "results/grids_and_charts.h"
#include "test_platform.h"
#include "wizard/symbol_table_page.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

using C = Page3Control;

class SymbolTablePageTest : public ::testing::Test {
protected:
    void SetUp() override {
        グリッド見出し設定(model.grids);
        showInWindow(
            {{"赤７", "確変", "0", "無制限", "2000"}, {"青３", "通常", "100", "アウト", "1500"}});
        model.program.ruleOptionDigits = "3212";
    }
    void showInWindow(const std::vector<SymbolRow>& rows) {
        GridTable& grid2 = model.grids.grid2;
        grid2.setRowCount(static_cast<int>(rows.size()) + 1);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            const SymbolRow& symbol = rows[row];
            const std::array<std::string_view, 5> cells{
                symbol.name, symbol.kind, symbol.shortTimeSpins, symbol.rule, symbol.payout};
            grid2.setRow(static_cast<int>(row) + 1, cells);
        }
        model.fields.setText(Field::条件_絵柄数, std::to_string(rows.size()));
    }
    std::vector<std::string> row(int number) const {
        std::vector<std::string> cells;
        for (int column = 0; column < 5; ++column) {
            cells.emplace_back(page.grid().cell(number, column));
        }
        return cells;
    }
    std::vector<std::string> boxes() const {
        return {page.text(C::絵柄数値表示), page.text(C::確率通常表示), page.text(C::時短表示),
                page.text(C::ルール表示), page.text(C::出玉表示)};
    }
    std::vector<std::string> takeMessages() {
        std::vector<std::string> shown;
        for (const Message& message : ui.messages) {
            shown.push_back(message.title + ": " + message.text);
        }
        ui.messages.clear();
        return shown;
    }
    void setCount(std::string_view text) {
        page.change(C::絵柄数表示, text);
        page.lostFocus(C::絵柄数表示);
    }

    MainWindowModel model;
    testing::RecordingUserInterface ui;
    SymbolTablePage page{model, ui};
};

TEST_F(SymbolTablePageTest, opening_shows_the_window_table_and_row_1_in_the_boxes) {
    page.load();

    EXPECT_EQ(page.grid().rowCount(), 3);
    EXPECT_EQ(row(0),
              (std::vector<std::string>{"絵柄名", "確変,通常", "時短数", "ルール", "出玉数"}));
    EXPECT_EQ(page.grid().columnWidth(3), 2070);
    EXPECT_EQ(row(2), (std::vector<std::string>{"青３", "通常", "100", "アウト", "1500"}));
    EXPECT_EQ(page.currentRow(), 1);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"赤７", "確変", "0", "無制限", "2000"}));
    EXPECT_EQ(page.text(C::絵柄数表示), "2");
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_FALSE(page.detailsVisible());
    EXPECT_EQ(page.ruleOptionDigits(), "3212");
    EXPECT_EQ(page.selectedOption(0), 2U);
}

TEST_F(SymbolTablePageTest, the_count_adds_default_rows_drops_rows_and_refuses_bad_counts) {
    page.load();

    setCount("4");
    EXPECT_EQ(page.grid().rowCount(), 5);
    EXPECT_EQ(row(3), (std::vector<std::string>{"3", "通常", "0", "通常時交換", "2100"}));
    EXPECT_EQ(row(4), (std::vector<std::string>{"4", "通常", "0", "通常時交換", "2100"}));

    setCount("1");
    EXPECT_EQ(page.grid().rowCount(), 2);
    EXPECT_EQ(page.symbolCount(), 1);
    EXPECT_TRUE(ui.messages.empty());

    for (const std::string_view bad : {"0", "51"}) {
        setCount(bad);
        EXPECT_EQ(takeMessages(),
                  std::vector<std::string>{
                      "絵柄数入力エラー: 絵柄数は1以上、50以下でなければなりません。"});
        EXPECT_EQ(page.text(C::絵柄数表示), "1");
        EXPECT_EQ(page.takeFocusRequest(), C::絵柄数表示);
        EXPECT_EQ(page.grid().rowCount(), 2);
    }
    setCount("2.5");
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{
                  "絵柄数入力エラー: 絵柄数は1以上、50以下の整数でなければなりません。"});
    EXPECT_EQ(page.text(C::絵柄数表示), "1");
    setCount("50");
    EXPECT_EQ(page.grid().rowCount(), 51);
}

TEST_F(SymbolTablePageTest, edits_go_into_the_current_row_and_a_click_changes_the_row) {
    page.load();
    page.selectRow(2);
    EXPECT_EQ(boxes(), (std::vector<std::string>{"青３", "通常", "100", "アウト", "1500"}));
    EXPECT_TRUE(model.window.unsaved) << "filling the boxes counts as an edit";

    page.pick(C::確率通常表示list, "次まで時短");
    page.change(C::出玉表示, "");
    page.change(C::出玉表示, "9");
    EXPECT_EQ(row(2), (std::vector<std::string>{"青３", "次まで時短", "100", "アウト", "9"}));
    EXPECT_EQ(row(1)[1], "確変");

    page.selectRow(0); // the headings
    page.selectRow(3); // below the table
    EXPECT_EQ(page.currentRow(), 2);
}

TEST_F(SymbolTablePageTest, a_sixth_character_of_a_name_is_cut_off) {
    page.load();
    page.change(C::絵柄数値表示, "一二三四五六");
    EXPECT_EQ(page.text(C::絵柄数値表示), "一二三四五");
    EXPECT_EQ(row(1)[0], "一二三四五");
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"入力エラー: 絵柄数値名称の文字数は５文字以内です。"});
}

TEST_F(SymbolTablePageTest, a_box_losing_the_focus_reports_a_bad_cell_but_keeps_it) {
    page.load();
    struct Case {
        C box;
        std::string text;
        std::string message; // empty: passes
        std::optional<C> focus;
    };
    const std::vector<Case> cases{
        {C::確率通常表示, "大当り",
         "確変/通常　入力エラー: 入力文字は、確変、通常　or　次まで時短　のみ許されています.。",
         C::確率通常表示list},
        {C::確率通常表示, "次まで時短", "", std::nullopt},
        {C::時短表示, "-1", "時短数入力エラー: 時短数は0以上でなければなりません。", C::時短表示},
        {C::時短表示, "0", "", std::nullopt},
        {C::ルール表示, "交換", "ルール　入力エラー: 入力文字は、リストから選んでください.。",
         C::ルール表示list},
        {C::ルール表示, "ラッキー", "", std::nullopt},
        {C::出玉表示, "0", "出玉数入力エラー: 出玉数は0以上でなければなりません。", C::出玉表示},
        {C::出玉表示, "1", "", std::nullopt},
        {C::出玉表示, "1500円",
         "出玉数入力エラー: 出玉数には整数を入力してください（単位や小数点は入れられません）。",
         C::出玉表示},
        {C::出玉表示, "2.5",
         "出玉数入力エラー: 出玉数には整数を入力してください（単位や小数点は入れられません）。",
         C::出玉表示},
        {C::時短表示, "100回",
         "時短数入力エラー: 時短数には整数を入力してください（単位や小数点は入れられません）。",
         C::時短表示},
        {C::時短表示, "12", "", std::nullopt},
        {C::絵柄数値表示, "😀", "入力エラー: ファイルに保存できない文字「😀」が含まれています。",
         C::絵柄数値表示},
    };
    for (const Case& check : cases) {
        page.change(check.box, check.text);
        page.lostFocus(check.box);
        const std::vector<std::string> expected = check.message.empty()
                                                      ? std::vector<std::string>{}
                                                      : std::vector<std::string>{check.message};
        EXPECT_EQ(takeMessages(), expected) << check.text;
        EXPECT_EQ(page.takeFocusRequest(), check.focus) << check.text;
        EXPECT_EQ(page.grid().cell(1, static_cast<int>(check.box) - 1), check.text);
    }
}

TEST_F(SymbolTablePageTest, enter_moves_through_the_boxes_and_lists) {
    const std::vector<std::pair<C, C>> moves{
        {C::絵柄数表示, C::絵柄数値表示}, {C::絵柄数値表示, C::確率通常表示list},
        {C::確率通常表示, C::時短表示},   {C::時短表示, C::ルール表示list},
        {C::ルール表示, C::出玉表示},     {C::出玉表示, C::絵柄数値表示}};
    for (const auto& [from, to] : moves) {
        page.enterPressed(from);
        EXPECT_EQ(page.takeFocusRequest(), to) << controlName(from);
    }
}

TEST_F(SymbolTablePageTest, options_follow_the_digits_and_give_them_back) {
    model.program.ruleOptionDigits = "2121";
    page.load();
    EXPECT_EQ(page.ruleOptionDigits(), "2121");
    page.selectOption(0, 2);
    page.selectOption(3, 1);
    page.selectOption(1, 5); // no such option
    EXPECT_EQ(page.ruleOptionDigits(), "3122");

    // A digit that names no option leaves its group with the program's default option.
    model.program.ruleOptionDigits = "9";
    SymbolTablePage other{model, ui};
    other.load();
    EXPECT_EQ(other.ruleOptionDigits(), "1122");

    page.詳細_Click();
    EXPECT_TRUE(page.detailsVisible());
    page.Ok_Click();
    EXPECT_FALSE(page.detailsVisible());
}

TEST_F(SymbolTablePageTest, lowering_the_count_below_the_current_row_moves_the_boxes_up) {
    page.load();
    setCount("3");
    page.selectRow(3);
    setCount("2");
    EXPECT_EQ(page.currentRow(), 2);
    EXPECT_EQ(boxes()[0], "青３");
    page.change(C::出玉表示, "77");
    EXPECT_EQ(row(2)[4], "77");
}

TEST_F(SymbolTablePageTest, rows_the_window_lacks_start_with_the_defaults) {
    model.fields.setText(Field::条件_絵柄数, "3"); // the file ended its table after two symbols
    page.load();
    EXPECT_EQ(page.grid().rowCount(), 4);
    EXPECT_EQ(row(3), (std::vector<std::string>{"3", "通常", "0", "通常時交換", "2100"}));
}

TEST_F(SymbolTablePageTest, a_window_without_a_verification_offers_its_two_default_symbols) {
    model.fields.setText(Field::条件_絵柄数, "");
    showInWindow(
        {{"1", "通常", "0", "通常時交換", "2100"}, {"2", "通常", "0", "通常時交換", "2100"}});
    model.fields.setText(Field::条件_絵柄数, "");
    page.load();
    EXPECT_EQ(page.text(C::絵柄数表示), "2");
    EXPECT_EQ(page.symbolCount(), 2);
    EXPECT_EQ(row(2)[0], "2");
}

} // namespace
} // namespace zelkora
