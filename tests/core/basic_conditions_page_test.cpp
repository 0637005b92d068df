#include "test_platform.h"
#include "wizard/basic_conditions_page.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

using B = Page1Box;

class BasicConditionsPageTest : public ::testing::Test {
protected:
    // The message boxes shown so far as "title: text", and forgets them.
    std::vector<std::string> takeMessages() {
        std::vector<std::string> shown;
        for (const Message& message : ui.messages) {
            EXPECT_EQ(message.icon, MessageIcon::Critical);
            EXPECT_EQ(message.buttons, MessageButtons::Ok);
            shown.push_back(message.title + ": " + message.text);
        }
        ui.messages.clear();
        return shown;
    }
    // A verification in the window's condition displays, as Open leaves it.
    void showConditionsInWindow() {
        const std::vector<std::pair<Field, std::string>> conditions{
            {Field::条件_名前, "海の検証"},    {Field::条件_確率, "399"},
            {Field::条件_確変倍率, "10"},      {Field::条件_リミッター, "はい"},
            {Field::条件_リミッター数, "5"},   {Field::条件_両替率, "28"},
            {Field::条件_何日分, "365"},       {Field::条件_回転数1000円, "22.5"},
            {Field::条件_投資上限日, "50000"}, {Field::条件_出玉を両替, "いいえ"},
            {Field::条件_投資単位, "1000"}};
        for (const auto& [field, text] : conditions) {
            model.fields.setText(field, text);
        }
    }

    MainWindowModel model;
    testing::RecordingUserInterface ui;
    BasicConditionsPage page{model, ui};
};

std::vector<std::string> textsOf(const BasicConditionsPage& page) {
    std::vector<std::string> texts;
    for (std::size_t box = 0; box < kPage1BoxCount; ++box) {
        texts.push_back(page.text(static_cast<B>(box)));
    }
    return texts;
}

TEST_F(BasicConditionsPageTest, new_shows_the_defaults_and_forgets_the_saved_name) {
    showConditionsInWindow();
    model.window.newVerification = 1;
    model.window.savedName = true;
    model.window.fileTitle = "海.pac";

    page.load();

    EXPECT_EQ(textsOf(page), (std::vector<std::string>{"新しい検証", "316", "5", "いいえ", "256",
                                                       "40", "50", "27", "20000", "はい", "500"}));
    EXPECT_FALSE(model.window.savedName);
    EXPECT_EQ(model.window.fileTitle, "海.pac");
    EXPECT_FALSE(model.window.unsaved);
    EXPECT_FALSE(model.window.enabled);
    EXPECT_FALSE(page.enabled(B::リッミター数表示));
    EXPECT_EQ(ui.pointers,
              (std::vector<PointerShape>{PointerShape::Hourglass, PointerShape::Default}));
}

TEST_F(BasicConditionsPageTest, opening_from_the_window_shows_its_conditions_unchanged) {
    showConditionsInWindow();
    model.window.savedName = false;

    page.load();

    EXPECT_EQ(textsOf(page), (std::vector<std::string>{"海の検証", "399", "10", "はい", "5", "28",
                                                       "365", "22.5", "50000", "いいえ", "1000"}));
    EXPECT_FALSE(model.window.unsaved) << "opening the page is no edit";
    EXPECT_EQ(model.window.fileTitle, "海の検証") << "a verification without a file of its own";
    EXPECT_TRUE(page.enabled(B::リッミター数表示));
}

TEST_F(BasicConditionsPageTest, checks_run_in_order_and_stop_at_the_first_failure) {
    const std::vector<std::pair<B, std::string>> bad{{B::検証名表示, ""},
                                                     {B::大当り確率表示, "1"},
                                                     {B::確変倍率表示, "21"},
                                                     {B::リッミター表示, "Yes"},
                                                     {B::リッミター数表示, "3001"},
                                                     {B::両替率表示, "24"},
                                                     {B::何日分表示, "0"},
                                                     {B::回転数表示, "0"},
                                                     {B::投資上限表示, "499"},
                                                     {B::再投資表示, ""},
                                                     {B::投資単位, "50"}};
    const std::vector<std::pair<B, std::string>> good{
        {B::検証名表示, "x"},        {B::大当り確率表示, "3000"}, {B::確変倍率表示, "1"},
        {B::リッミター表示, "はい"}, {B::リッミター数表示, "2"},  {B::両替率表示, "100"},
        {B::何日分表示, "10000"},    {B::回転数表示, "0.1"},      {B::投資上限表示, "500000"},
        {B::再投資表示, "いいえ"},   {B::投資単位, "1000"}};
    const std::vector<std::string> expected{
        "検証名入力エラー: 検証名を入力してください。",
        "大当り確率入力エラー: 大当り確率は２以上3000　以下の数値でなければなりません。",
        "倍率入力エラー: 倍率は1以上20　以下の数値でなければなりません。",
        "リッミター入力エラー: 入力文字は、はい　or　いいえ　のみ許されています.。",
        "リッミター数入力エラー: リッミター数は２以上3000以下でなければなりません。",
        "両替率入力エラー: 両替率は25以上100以下でなければなりません。",
        "何日分入力エラー: 検証日数は1以上10000以下でなければなりません。",
        "回転数入力エラー: 1000円当たりの回転数は0以上でなければなりません。",
        "投資上限入力エラー: 投資上限は500円以上　500,000円以下でなければなりません。",
        "再投資入力エラー: 入力文字は、はい　or　いいえ　のみ許されています.。",
        "投資単位入力エラー: 投資単位は100以上1000　以下の数値でなければなりません。"};
    for (const auto& [box, text] : bad) {
        page.change(box, text);
    }

    for (std::size_t row = 0; row < bad.size(); ++row) {
        const B box = bad[row].first;
        if (box == B::投資単位) {
            // 入力chk leaves the investment unit to Next.
            EXPECT_TRUE(page.入力chk());
            EXPECT_TRUE(takeMessages().empty());
        }
        EXPECT_FALSE(page.次へ_Click()) << controlName(box);
        EXPECT_EQ(takeMessages(), std::vector<std::string>{expected[row]});
        EXPECT_EQ(page.takeFocusRequest(), box);
        EXPECT_TRUE(page.errorShown());
        page.change(box, good[row].second);
    }
    EXPECT_TRUE(page.次へ_Click());
    EXPECT_TRUE(takeMessages().empty());
}

TEST_F(BasicConditionsPageTest, the_daily_cap_is_compared_in_single_precision) {
    page.change(B::投資上限表示, "500000.01"); // 500000 as a float
    EXPECT_TRUE(page.入力chk());
    page.change(B::投資上限表示, "500000.1");
    EXPECT_FALSE(page.入力chk());
}

// A unit above the day's limit buys no spin at all: every day would count as won unplayed.
TEST_F(BasicConditionsPageTest, next_refuses_an_investment_unit_above_the_daily_limit) {
    struct Case {
        const char* limit;
        const char* unit;
        bool passes;
    };
    for (const Case& row :
         {Case{"500", "1000", false}, Case{"999", "1000", false}, Case{"1000", "1000", true},
          Case{"500", "500", true}, Case{"500", "100", true}}) {
        page.change(B::検証名表示, "検証");
        page.change(B::投資上限表示, row.limit);
        page.change(B::投資単位, row.unit);
        EXPECT_TRUE(page.入力chk()) << "only Next compares the two";
        EXPECT_EQ(page.次へ_Click(), row.passes) << row.limit << " / " << row.unit;
        const std::vector<std::string> shown = takeMessages();
        if (row.passes) {
            EXPECT_TRUE(shown.empty());
            continue;
        }
        ASSERT_EQ(shown.size(), 1U);
        EXPECT_NE(shown[0].find("投資単位"), std::string::npos);
        EXPECT_NE(shown[0].find("投資上限/日"), std::string::npos);
        EXPECT_EQ(page.takeFocusRequest(), B::投資単位);
    }
}

TEST_F(BasicConditionsPageTest, the_limiter_count_counts_only_with_a_limiter) {
    page.change(B::リッミター数表示, "1");
    EXPECT_TRUE(page.入力chk()) << "with the limiter いいえ any count passes";
    EXPECT_FALSE(page.enabled(B::リッミター数表示));

    page.pick(Page1List::リッミター表示L, "はい");
    EXPECT_EQ(page.text(B::リッミター表示), "はい");
    EXPECT_TRUE(page.enabled(B::リッミター数表示));
    EXPECT_FALSE(page.入力chk());
    EXPECT_EQ(page.takeFocusRequest(), B::リッミター数表示);

    page.pick(Page1List::リッミター表示L, "いいえ");
    EXPECT_FALSE(page.enabled(B::リッミター数表示));
    EXPECT_TRUE(page.入力chk());

    // Typing the answer and pressing Enter: はい opens the count, いいえ skips it.
    page.change(B::リッミター表示, "はい");
    EXPECT_FALSE(page.enabled(B::リッミター数表示)) << "typing alone changes nothing";
    page.enterPressed(B::リッミター表示);
    EXPECT_TRUE(page.enabled(B::リッミター数表示));
    EXPECT_EQ(page.takeFocusRequest(), B::リッミター数表示);
    page.change(B::リッミター表示, "いいえ");
    page.enterPressed(B::リッミター表示);
    EXPECT_EQ(page.takeFocusRequest(), B::両替率表示);
    page.change(B::リッミター表示, "Yes");
    page.enterPressed(B::リッミター表示);
    EXPECT_EQ(page.takeFocusRequest(), std::nullopt);
}

TEST_F(BasicConditionsPageTest, a_26th_character_is_cut_off_with_a_message) {
    const std::string twentyFive = "一二三四五六七八九十一二三四五六七八九十一二三四五";
    model.window.savedName = false;

    page.change(B::検証名表示, twentyFive);
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_EQ(model.window.fileTitle, twentyFive);
    EXPECT_TRUE(model.window.unsaved);

    page.change(B::検証名表示, twentyFive + "六");
    EXPECT_EQ(page.text(B::検証名表示), twentyFive);
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"入力エラー: 検証名の文字数は25文字以内です。"});
    EXPECT_EQ(model.window.fileTitle, twentyFive);

    model.window.savedName = true;
    page.change(B::検証名表示, "別名");
    EXPECT_EQ(model.window.fileTitle, twentyFive) << "a saved verification keeps its file";
}

TEST_F(BasicConditionsPageTest, edits_mark_the_verification_unsaved_except_where_they_do_not) {
    page.change(B::大当り確率表示, "");
    page.change(B::投資単位, "100");
    EXPECT_FALSE(model.window.unsaved);
    page.change(B::大当り確率表示, "3");
    EXPECT_TRUE(model.window.unsaved);
    model.window.unsaved = false;
    page.pick(Page1List::再投資表示L, "いいえ");
    EXPECT_TRUE(model.window.unsaved);
}

TEST_F(BasicConditionsPageTest, a_failed_check_brings_the_focus_back_without_a_second_message) {
    page.change(B::大当り確率表示, "1");

    page.gotFocus(B::両替率表示);
    EXPECT_EQ(takeMessages().size(), 1U);
    ASSERT_EQ(page.takeFocusRequest(), B::大当り確率表示);
    page.gotFocus(B::大当り確率表示); // the dialog follows the request
    EXPECT_TRUE(takeMessages().empty());
    EXPECT_FALSE(page.errorShown());

    page.gotFocus(B::確変倍率表示);
    page.gotFocus(B::回転数表示);
    page.gotFocus(B::投資単位);
    EXPECT_TRUE(takeMessages().empty()) << "these boxes do not check the page";
    page.gotFocus(B::何日分表示);
    EXPECT_EQ(takeMessages().size(), 1U);
}

TEST_F(BasicConditionsPageTest, enter_moves_round_the_page) {
    const std::vector<B> cycle{B::検証名表示, B::大当り確率表示, B::確変倍率表示, B::リッミター表示,
                               B::両替率表示, B::何日分表示,     B::回転数表示,   B::投資上限表示,
                               B::再投資表示, B::検証名表示};
    for (std::size_t step = 0; step + 1 < cycle.size(); ++step) {
        page.enterPressed(cycle[step]);
        EXPECT_EQ(page.takeFocusRequest(), cycle[step + 1]) << controlName(cycle[step]);
    }
    page.enterPressed(B::リッミター数表示);
    EXPECT_EQ(page.takeFocusRequest(), B::両替率表示);
    page.enterPressed(B::投資単位);
    EXPECT_EQ(page.takeFocusRequest(), std::nullopt);
}

TEST_F(BasicConditionsPageTest, text_the_file_cannot_store_is_refused_at_its_box) {
    page.change(B::検証名表示, "検証😀");
    EXPECT_FALSE(page.入力chk());
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{
                  "検証名入力エラー: ファイルに保存できない文字「😀」が含まれています。"});
    EXPECT_EQ(page.takeFocusRequest(), B::検証名表示);

    page.change(B::検証名表示, "検証");
    page.change(B::大当り確率表示, "316😀"); // reads as 316, but the file cannot hold it
    EXPECT_FALSE(page.入力chk());
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{
                  "大当り確率入力エラー: ファイルに保存できない文字「😀」が含まれています。"});
    page.change(B::大当り確率表示, "316         😀"); // past its column, so never written
    EXPECT_TRUE(page.入力chk());
}

TEST_F(BasicConditionsPageTest, a_name_whose_record_would_not_fit_is_refused) {
    model.fields.setText(Field::条件_絵柄数, "2");
    // 180 characters of record; いいえ and はい add 3 and 2 bytes, so 13 double-byte characters
    // of name fill the 198 bytes.
    std::string name;
    for (int count = 0; count < 13; ++count) {
        name += "あ";
    }
    page.change(B::検証名表示, name);
    EXPECT_TRUE(page.入力chk());

    page.change(B::検証名表示, name + "あ");
    EXPECT_FALSE(page.入力chk());
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"検証名入力エラー: 検証名が長すぎてファイルに保存できませ"
                                       "ん。全角文字を減らしてください。"});
    EXPECT_EQ(page.takeFocusRequest(), B::検証名表示);
    page.change(B::再投資表示, "はい");
    page.change(B::リッミター表示, "はい"); // one byte less than いいえ
    EXPECT_TRUE(page.入力chk());
}

} // namespace
} // namespace zelkora
