#include "qt_translations.h"
#include "window_fixture.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>

namespace zelkora::testing {
namespace {

using Conventions = WindowTest;

// What a screen leaves for a window once its task bar and the window's own frame are taken.
QSize roomOn(int width, int height, double scale) {
    constexpr int kTaskBarAndTitle = 88;
    return {static_cast<int>(width / scale), static_cast<int>(height / scale) - kTaskBarAndTitle};
}

TEST_F(Conventions, the_window_fits_small_and_scaled_screens) {
    const QSize least = window->minimumSizeHint().expandedTo(window->minimumSize());
    for (const QSize room : {roomOn(1366, 768, 1.0), roomOn(1280, 1024, 1.5)}) {
        EXPECT_LE(least.width(), room.width()) << room.width() << "x" << room.height();
        EXPECT_LE(least.height(), room.height()) << room.width() << "x" << room.height();
        const QSize opened = ui::defaultWindowSize(room);
        EXPECT_LE(opened.width(), room.width());
        EXPECT_LE(opened.height(), room.height());
    }
}

TEST_F(Conventions, the_big_hit_grid_shows_eight_rows_at_the_default_size_on_full_hd) {
    open(sample("定番確変315"), MessageResult::Yes);
    window->resize(ui::defaultWindowSize(QSize(1920, 1040)));
    QApplication::processEvents();
    auto* grid = control<QTableView>("Grid1");
    ASSERT_GT(grid->model()->rowCount(), 8);
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    EXPECT_GE(grid->viewport()->height() / rowHeight, 8)
        << grid->viewport()->height() << " px for rows of " << rowHeight;
}

// The spin-count chart's labels, such as "<確率の3倍", are read in full, never cut to "<確率の…".
TEST_F(Conventions, chart_category_labels_are_shown_in_full) {
    window->resize(ui::defaultWindowSize(roomOn(1366, 768, 1.0)));
    window->showPanel(5);
    QApplication::processEvents();
    auto* chart = control<QChartView>("MSChart3");
    QStringList labels;
    for (QGraphicsItem* item : chart->scene()->items()) {
        if (auto* textItem = dynamic_cast<QGraphicsTextItem*>(item)) {
            labels << textItem->toPlainText();
        }
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("<確率の3倍"))) << labels.join(u'|').toStdString();
    for (const QString& label : labels) {
        EXPECT_FALSE(label.contains(QChar(0x2026))) << label.toStdString();
    }
}

TEST_F(Conventions, menus_have_japanese_access_keys_and_keep_their_shortcuts) {
    const std::vector<std::pair<Menu, const char*>> titles{{Menu::Mf, "ファイル(&F)"},
                                                           {Menu::MC, "条件(&C)"},
                                                           {Menu::MO, "オプション(&O)"},
                                                           {Menu::MK, "検証(&K)"},
                                                           {Menu::MS, "ヘルプ(&H)"}};
    for (const auto& [entry, title] : titles) {
        EXPECT_EQ(menu(entry)->text().toStdString(), title);
    }
    EXPECT_EQ(menu(Menu::MF_Open)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    EXPECT_EQ(menu(Menu::MK_Start)->shortcut(), QKeySequence(Qt::Key_F7));
}

TEST_F(Conventions, f10_opens_the_menu_bar) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_F10);
    QAction* active = window->menuBar()->activeAction();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active, menu(Menu::Mf));
}

TEST(QtTranslations, standard_buttons_read_in_japanese) {
    ASSERT_TRUE(ui::installJapaneseQtTranslations(*QCoreApplication::instance()))
        << "Qt's Japanese translations (qt6-translations-l10n) are not installed";
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));
    EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("キャンセル")));
}

} // namespace
} // namespace zelkora::testing
