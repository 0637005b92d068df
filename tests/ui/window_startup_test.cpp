#include "window_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QTest>
#include <array>

namespace zelkora::testing {
namespace {

using StartUp = WindowTest;

TEST_F(StartUp, shows_the_window_without_a_verification_with_its_texts) {
    EXPECT_EQ(window->windowTitle().toStdString(), "ゼルコラ");
    EXPECT_EQ(statusPanel1(), "ファイルは開かれていません。新規作成、既存ファイルを開くのどちらかを"
                              "クリックしてください。");
    EXPECT_EQ(text("EXP"), "ゼルコラにようこそ");
    EXPECT_TRUE(control("EXP")->isVisible());
    EXPECT_EQ(text("action表示"), "Loading....");
    EXPECT_FALSE(control("Picture3")->isVisible());
    EXPECT_FALSE(control("ProgressBar1")->isVisible());
    EXPECT_TRUE(control("Picture_総合データ")->isVisible());
    EXPECT_FALSE(control("Picture_基本条件")->isVisible());
    EXPECT_TRUE(menu(Menu::MO_Random)->isChecked());
    EXPECT_FALSE(menu(Menu::MO_Prob)->isChecked());
    EXPECT_FALSE(button(14)->isChecked());
    EXPECT_FALSE(button(15)->isChecked());

    // The two default symbols in Grid2, under its headings.
    auto* grid2 = control<QTableView>("Grid2");
    QAbstractItemModel* rows = grid2->model();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->headerData(0, Qt::Horizontal).toString().toStdString(), "絵柄名");
    EXPECT_EQ(rows->index(1, 0).data().toString().toStdString(), "2");
    EXPECT_EQ(rows->index(0, 3).data().toString().toStdString(), "通常時交換");
    EXPECT_EQ(rows->index(0, 4).data().toString().toStdString(), "2100");
}

TEST_F(StartUp, aligns_numbers_right_distribution_cells_centred_and_names_left) {
    auto alignment = [&](const char* name) {
        return control<QLineEdit>(name)->alignment() & Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(alignment("総回転数表示"), Qt::AlignRight);
    EXPECT_EQ(alignment("条件_確率"), Qt::AlignRight);
    EXPECT_EQ(alignment("c日合計_収支F"), Qt::AlignRight);
    EXPECT_EQ(alignment("回転数1r"), Qt::AlignHCenter);
    EXPECT_EQ(alignment("回転数9t"), Qt::AlignHCenter);
    EXPECT_EQ(alignment("連荘11r"), Qt::AlignHCenter);
    EXPECT_EQ(alignment("条件_名前"), Qt::AlignLeft);
    EXPECT_EQ(alignment("確率表示"), Qt::AlignLeft);
    EXPECT_EQ(alignment("初当たり確率表示"), Qt::AlignLeft);
}

TEST_F(StartUp, grids_take_their_column_widths_from_twips_at_the_screen_resolution) {
    auto* grid1 = control<QTableView>("Grid1");
    const double dpi = grid1->logicalDpiX();
    EXPECT_EQ(grid1->model()->columnCount(), 11);
    EXPECT_EQ(grid1->columnWidth(0), qRound(600 * dpi / 1440));
    EXPECT_EQ(grid1->columnWidth(6), qRound(1500 * dpi / 1440));
    EXPECT_EQ(control<QTableView>("Grid3")->model()->columnCount(), 7);
    EXPECT_EQ(grid1->model()->index(0, 0).isValid(), false); // no rows yet
}

TEST_F(StartUp, each_command_button_shows_its_panel_and_hides_the_other_eight) {
    constexpr std::array<std::pair<const char*, const char*>, 9> kPanels{{
        {"Command_基本条件", "Picture_基本条件"},
        {"Command_総合データ", "Picture_総合データ"},
        {"Command_日別データ", "Picture_日データ"},
        {"Command_絵柄詳細", "Picture_絵柄"},
        {"Command_確率変移", "Picture_確率変移"},
        {"Command_回転数分布", "Picture_回転数"},
        {"Command_連荘分布", "Picture_連荘分布"},
        {"Command_収支", "Picture_収支"},
        {"Command_当絵柄分布", "Picture_絵柄分布"},
    }};
    for (const auto& [command, shown] : kPanels) {
        QTest::mouseClick(control<QPushButton>(command), Qt::LeftButton);
        for (const auto& [other, panel] : kPanels) {
            EXPECT_EQ(control(panel)->isVisible(), panel == shown) << command << " " << panel;
        }
    }
    // Switching panels changes nothing else.
    EXPECT_EQ(statusPanel1().rfind("ファイルは開かれていません。", 0), 0U);
    EXPECT_FALSE(menu(Menu::MK_Start)->isEnabled());
}

TEST_F(StartUp, the_version_box_shows_the_version_text) {
    trigger(Menu::MS_Version);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].title, "バージョン情報");
    EXPECT_EQ(ui.messages[0].text, "ゼルコラ　バージョン１．4"); // no address that leads nowhere
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
}

} // namespace
} // namespace zelkora::testing
