#include "commands/version_message.h"
#include "commands/window_startup.h"
#include "model/field_alignment.h"
#include "model/help_texts.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace zelkora {
namespace {

TEST(window_startup, shows_the_window_without_a_verification) {
    MainWindowModel model;
    model.commands.apply(Availability::VerificationLoaded);
    model.commands.toggleProbabilityConvergence();
    model.runArea.picture3Visible = true;

    showWindowWithoutVerification(model);

    EXPECT_EQ(model.fields.text(Field::StatusBar1_Panel1),
              "ファイルは開かれていません。新規作成、既存ファイルを開くのどちらかをクリックしてく"
              "ださい。");
    EXPECT_EQ(model.fields.text(Field::EXP), "ゼルコラにようこそ");
    EXPECT_EQ(model.fields.text(Field::action表示), "Loading....");
    EXPECT_FALSE(model.runArea.picture3Visible);
    EXPECT_TRUE(model.runArea.expVisible);
    EXPECT_FALSE(model.commands.enabled(Menu::MK_Start));
    EXPECT_TRUE(model.commands.enabled(Menu::MF_Open));
    EXPECT_TRUE(model.commands.checked(Menu::MO_Random));
    EXPECT_FALSE(model.commands.checked(Menu::MO_Prob));
    EXPECT_FALSE(model.commands.buttonPressed(14));

    // The two default symbols under the heading row.
    const GridTable& grid2 = model.grids.grid2;
    ASSERT_EQ(grid2.rowCount(), 3);
    EXPECT_EQ(grid2.cell(0, 0), "絵柄名");
    for (int row = 1; row <= 2; ++row) {
        EXPECT_EQ(grid2.cell(row, 0), std::to_string(row));
        EXPECT_EQ(grid2.cell(row, 1), "通常");
        EXPECT_EQ(grid2.cell(row, 2), "0");
        EXPECT_EQ(grid2.cell(row, 3), "通常時交換");
        EXPECT_EQ(grid2.cell(row, 4), "2100");
    }
    EXPECT_EQ(model.grids.grid1.rowCount(), 1);
    EXPECT_EQ(model.charts.chart1.label(1), "絵柄");
    EXPECT_EQ(model.charts.chart3.rowCount(), 9);
}

TEST(window_startup, the_version_box_names_the_version_with_its_full_width_spaces) {
    const Message box = versionMessage();
    EXPECT_EQ(box.title, "バージョン情報");
    // Without a web page of its own the box names no address, and never a placeholder.
    EXPECT_EQ(box.text, "ゼルコラ　バージョン１．4");
    EXPECT_EQ(box.icon, MessageIcon::Information);
}

TEST(help_texts, every_control_has_one_text_and_the_background_panels_clear) {
    std::set<std::string_view> controls;
    for (const HelpText& help : mainWindowHelpTexts()) {
        EXPECT_TRUE(controls.insert(help.control).second) << help.control;
    }
    EXPECT_EQ(controls.size(), 58U);
    for (std::string_view panel :
         {"Picture_絵柄", "Picture_総合データ", "Picture_日データ", "Picture1"}) {
        EXPECT_EQ(helpTextOf(panel), "") << panel;
    }
    EXPECT_EQ(helpTextOf("Picture_回転数"), "初当り間の回転数分布を　％で表示。");
    EXPECT_EQ(helpTextOf("条件_確率"), "検証対象台の大当り確率。");
    // Controls outside the table leave the panel alone.
    EXPECT_FALSE(helpTextOf("Command_基本条件").has_value());
    EXPECT_FALSE(helpTextOf("c日合計_日目").has_value());
}

TEST(field_alignment, numbers_right_distribution_boxes_centred_names_left) {
    EXPECT_EQ(fieldAlignment(Field::総回転数表示), FieldAlignment::Right);
    EXPECT_EQ(fieldAlignment(Field::条件_確率), FieldAlignment::Right);
    EXPECT_EQ(fieldAlignment(Field::c日合計_積算収支F), FieldAlignment::Right);
    EXPECT_EQ(fieldAlignment(Field::回転数1r), FieldAlignment::Centre);
    EXPECT_EQ(fieldAlignment(Field::回転数9t), FieldAlignment::Centre);
    EXPECT_EQ(fieldAlignment(Field::連荘11r), FieldAlignment::Centre);
    EXPECT_EQ(fieldAlignment(Field::条件_名前), FieldAlignment::Left);
    EXPECT_EQ(fieldAlignment(Field::確率表示), FieldAlignment::Left);
    EXPECT_EQ(fieldAlignment(Field::初当たり確率表示), FieldAlignment::Left);
    EXPECT_EQ(fieldAlignment(Field::c大当り詳細_状態), FieldAlignment::Left);
}

} // namespace
} // namespace zelkora
