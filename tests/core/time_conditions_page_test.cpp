#include "test_platform.h"
#include "wizard/time_conditions_page.h"

#include <gtest/gtest.h>

namespace zelkora {
namespace {

using T = Page2Box;

class TimeConditionsPageTest : public ::testing::Test {
protected:
    void SetUp() override {
        model.fields.setText(Field::条件_回転時間, "7");
        model.fields.setText(Field::条件_時間比率, "80");
        model.fields.setText(Field::条件_確変回転時間, "4");
        model.program.serviceTimeRule = 2;
        model.program.playSchedule = "00001111222000";
    }
    std::vector<std::string> takeMessages() {
        std::vector<std::string> shown;
        for (const Message& message : ui.messages) {
            shown.push_back(message.title + ": " + message.text);
        }
        ui.messages.clear();
        return shown;
    }

    MainWindowModel model;
    testing::RecordingUserInterface ui;
    TimeConditionsPage page{model, ui};
};

TEST(spins_per_hour_test, follow_from_the_ratio_and_the_seconds_truncated) {
    EXPECT_EQ(spinsPerHourText("100", "10"), "360");
    EXPECT_EQ(spinsPerHourText("80", "7"), "411"); // 411.43
    EXPECT_EQ(spinsPerHourText("100", "0"), "");
}

TEST_F(TimeConditionsPageTest, opening_copies_the_window_and_marks_the_verification_changed) {
    page.load();

    EXPECT_EQ(page.text(T::回転時間), "7");
    EXPECT_EQ(page.text(T::回転時間_比率), "80");
    EXPECT_EQ(page.text(T::回転時間_確変), "4");
    EXPECT_EQ(page.text(T::時間回転数表示), "411");
    EXPECT_EQ(page.serviceTimeRule(), 2);
    EXPECT_EQ(scheduleOf(page.slotBoxes()), "00001111222000");
    EXPECT_TRUE(model.window.unsaved);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TimeConditionsPageTest, a_rule_code_outside_the_three_selects_no_option) {
    model.program.serviceTimeRule = 3;
    page.load();
    EXPECT_EQ(page.serviceTimeRule(), std::nullopt);
    page.selectServiceTimeRule(1);
    EXPECT_EQ(page.serviceTimeRule(), 1);
}

TEST_F(TimeConditionsPageTest, a_window_without_time_conditions_leaves_the_design_values) {
    model.fields.setText(Field::条件_回転時間, "");
    model.fields.setText(Field::条件_時間比率, "");
    model.fields.setText(Field::条件_確変回転時間, "");
    page.load();
    EXPECT_EQ(page.text(T::回転時間), "10");
    EXPECT_EQ(page.text(T::回転時間_比率), "100");
    EXPECT_EQ(page.text(T::回転時間_確変), "6");
    EXPECT_EQ(page.text(T::時間回転数表示), "360");
}

TEST_F(TimeConditionsPageTest, a_spin_time_of_0_is_put_back_to_10_when_the_box_is_left) {
    page.load();
    ui.messages.clear();

    page.change(T::回転時間, "0");
    EXPECT_TRUE(ui.messages.empty()) << "\"0\" may become \"0.5\"";
    page.leave(T::回転時間);

    EXPECT_EQ(takeMessages(), std::vector<std::string>{
                                  "回転時間入力エラー: 回転時間は0秒以上でなければなりません。"});
    EXPECT_EQ(page.text(T::回転時間), "10");
    EXPECT_EQ(page.text(T::時間回転数表示), "288"); // Fix(80 × 36 ÷ 10)

    page.change(T::回転時間, ""); // emptying is no error and keeps the figure
    page.leave(T::回転時間);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(page.text(T::時間回転数表示), "288");
}

TEST_F(TimeConditionsPageTest, a_ratio_above_100_is_put_back_to_100_when_the_box_is_left) {
    page.load();
    ui.messages.clear();
    model.window.unsaved = false;

    page.change(T::回転時間_比率, "150");
    page.leave(T::回転時間_比率);
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{"回転時間_比率入力エラー: "
                                       "回転時間の比率は0%以上100%以下でなければなりません。"});
    EXPECT_EQ(page.text(T::回転時間_比率), "100");
    EXPECT_EQ(page.text(T::時間回転数表示), "514"); // Fix(100 × 36 ÷ 7)

    page.change(T::回転時間_比率, "0");
    page.leave(T::回転時間_比率);
    EXPECT_EQ(takeMessages().size(), 1U);
    page.change(T::回転時間_比率, "100");
    page.leave(T::回転時間_比率);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(model.window.unsaved) << "the ratio does not mark the verification";
}

// Typing "0.1" passes through "0" and "0.", which are no valid time yet but can become one.
TEST_F(TimeConditionsPageTest, a_number_being_typed_is_kept_until_the_box_is_left) {
    page.load();
    ui.messages.clear();
    for (const char* typed : {"0", "0.", "0.1"}) {
        page.change(T::回転時間, typed);
        EXPECT_EQ(page.text(T::回転時間), typed);
    }
    page.leave(T::回転時間);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(page.text(T::回転時間), "0.1");
    EXPECT_EQ(page.text(T::時間回転数表示), "28800"); // Fix(80 × 36 ÷ 0.1)

    page.change(T::回転時間_確変, "1e");
    EXPECT_EQ(page.text(T::回転時間_確変), "1e");
    page.change(T::回転時間_確変, "1e-1");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TimeConditionsPageTest, a_text_no_typing_can_mend_is_put_back_at_once) {
    page.load();
    ui.messages.clear();
    for (const char* typed : {"-1", "abc", "x1"}) {
        page.change(T::回転時間, typed);
        EXPECT_EQ(takeMessages().size(), 1U) << typed;
        EXPECT_EQ(page.text(T::回転時間), "10") << typed;
    }
}

TEST_F(TimeConditionsPageTest, next_and_finish_check_a_box_still_being_typed) {
    page.load();
    ui.messages.clear();
    page.change(T::回転時間_確変, "0");
    EXPECT_FALSE(page.readyToLeave());
    EXPECT_EQ(takeMessages().size(), 1U);
    EXPECT_EQ(page.text(T::回転時間_確変), "6");
    EXPECT_TRUE(page.readyToLeave());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TimeConditionsPageTest, a_fast_spin_time_of_0_is_put_back_to_6) {
    page.load();
    ui.messages.clear();
    model.window.unsaved = false;

    page.change(T::回転時間_確変, "-1");
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{
                  "回転時間入力エラー: 確変、時短中の回転時間は0秒以上でなければなりません。"});
    EXPECT_EQ(page.text(T::回転時間_確変), "6");
    EXPECT_FALSE(model.window.unsaved);
}

TEST_F(TimeConditionsPageTest, a_character_the_file_cannot_store_is_put_back_too) {
    page.load();
    ui.messages.clear();
    page.change(T::回転時間, "8😀");
    EXPECT_EQ(takeMessages(),
              std::vector<std::string>{
                  "回転時間入力エラー: ファイルに保存できない文字「😀」が含まれています。"});
    EXPECT_EQ(page.text(T::回転時間), "10");
    page.change(T::回転時間, "8秒"); // reads as 8, and code page 932 has 秒
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
} // namespace zelkora
