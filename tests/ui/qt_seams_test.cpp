#include "grid_model.h"
#include "qt_event_pump.h"
#include "qt_run_timers.h"
#include "qt_user_interface.h"
#include "splash_window.h"

#include <QLabel>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <chrono>
#include <gtest/gtest.h>

namespace zelkora::ui {
namespace {

using namespace std::chrono_literals;

TEST(QtEventPump, asks_to_skip_as_many_yield_points_as_fill_its_interval) {
    // 1000 yield points (999 skipped) took 1 ms: 40 ms hold 40000 of them, but the skip grows
    // at most fourfold per call.
    EXPECT_EQ(QtEventPump::nextSkip(999, 1ms, 40ms), 4000U);
    // 100001 yield points took 50 ms: 40 ms hold 80000 of them, the call itself one.
    EXPECT_EQ(QtEventPump::nextSkip(100000, 50ms, 40ms), 79999U);
    // 11 yield points took 88 ms (big hits, day ends): 8 ms each, 5 fill the interval.
    EXPECT_EQ(QtEventPump::nextSkip(10, 88ms, 40ms), 4U);
    // What the window took comes off the loop's share: 30 ms hold 60000 of the second case's.
    EXPECT_EQ(QtEventPump::nextSkip(100000, 50ms, 30ms), 59999U);
    // One that took longer than the interval: events again at the next yield point.
    EXPECT_EQ(QtEventPump::nextSkip(0, 50ms, 40ms), 0U);
}

TEST(QtEventPump, syncs_the_window_before_it_processes_events) {
    int syncs = 0;
    QtEventPump pump([&] { ++syncs; });
    pump.processEvents();
    pump.processEvents();
    EXPECT_EQ(syncs, 2);
    EXPECT_EQ(pump.calls(), 2U);
}

TEST(QtRunTimers, count_down_from_1000_and_wrap_at_their_interval) {
    QtRunTimers timers;
    EXPECT_EQ(timers.countdown(), 1000);
    EXPECT_TRUE(timers.countdownActive());
    EXPECT_EQ(timers.countdownInterval(), 5);
    QTest::qWait(60);
    EXPECT_LT(timers.countdown(), 1000);

    timers.setCountdownEnabled(false, 5);
    const int frozen = timers.countdown();
    QTest::qWait(30);
    EXPECT_EQ(timers.countdown(), frozen);

    timers.setCountdownEnabled(true, 1);
    EXPECT_EQ(timers.countdownInterval(), 1);
    EXPECT_TRUE(timers.countdownActive());
    timers.resetRunSeconds();
    EXPECT_EQ(timers.runSeconds(), 0);
}

TEST(QtUserInterface, turns_the_common_dialog_filters_into_qt_name_filters) {
    EXPECT_EQ(nameFilters("Data base|*.pac|All Files|*.*|"),
              QStringList({QStringLiteral("Data base (*.pac)"), QStringLiteral("All Files (*)")}));
    EXPECT_EQ(nameFilters("Data base(　.pac)|*.pac|All Files|*.*|").at(0),
              QStringLiteral("Data base(　.pac) (*.pac)"));
    // A filter of several patterns, as the common dialog writes it.
    EXPECT_EQ(nameFilters("すべての検証ファイル|*.pac;*.json|機種ファイル|*.json|"),
              QStringList({QStringLiteral("すべての検証ファイル (*.pac *.json)"),
                           QStringLiteral("機種ファイル (*.json)")}));
}

TEST(QtUserInterface, a_name_typed_without_an_extension_gets_that_of_the_first_filter) {
    const std::vector<std::pair<std::string, QString>> cases{
        {"Data base|*.pac|All Files|*.*|", QStringLiteral("pac")},
        {"CSV ファイル (*.csv)|*.csv|", QStringLiteral("csv")},
        {"PNG 画像 (*.png)|*.png|SVG 画像 (*.svg)|*.svg|", QStringLiteral("png")},
        {"All Files|*.*|", QStringLiteral("pac")},
        {"", QStringLiteral("pac")},
    };
    for (const auto& [filter, suffix] : cases) {
        EXPECT_EQ(defaultSuffix(filter), suffix) << filter;
    }
}

TEST(GridModel, announces_added_rows_in_one_batch_and_starts_afresh_when_rows_go) {
    GridTable table;
    const std::array<GridColumnSpec, 2> columns{{{"日目", 600}, {"回転数", 1000}}};
    table.setColumns(columns);
    GridModel model(table);
    model.sync();
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    table.setRowCount(1001);
    table.setCell(1000, 1, "42");
    EXPECT_EQ(model.rowCount(), 0); // nothing announced until the sync
    model.sync();
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.at(0).at(1).toInt(), 0);
    EXPECT_EQ(inserted.at(0).at(2).toInt(), 999);
    EXPECT_EQ(model.index(999, 1).data().toString(), QStringLiteral("42"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("回転数"));
    EXPECT_EQ(model.index(0, 0).data(Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignRight | Qt::AlignVCenter);

    table.setRowCount(3);
    // Before the sync the view may still ask for rows the table dropped.
    EXPECT_FALSE(model.data(model.index(500, 0), Qt::DisplayRole).isValid());
    model.sync();
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_FALSE(model.sync()); // nothing changed since
}

TEST(SplashWindow, shows_the_setup_progress_with_its_texts) {
    SplashWindow splash;
    splash.show();
    splash.setProgress(40);
    EXPECT_TRUE(splash.isVisible());
    EXPECT_EQ(splash.windowTitle(), QStringLiteral("初期設定"));
    auto* bar = splash.findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->value(), 40);
    EXPECT_EQ(bar->maximum(), 100);
    QStringList texts;
    for (const QLabel* label : splash.findChildren<QLabel*>()) {
        texts << label->text();
    }
    EXPECT_TRUE(texts.contains(QStringLiteral("初期設定をしています。")));
    EXPECT_TRUE(texts.contains(QStringLiteral("0%")));
    EXPECT_TRUE(texts.contains(QStringLiteral("100%")));
    splash.close();
    EXPECT_FALSE(splash.isVisible());
}

TEST(GridModel, converts_twips_at_the_screen_resolution) {
    EXPECT_EQ(twipsToPixels(1440, 96), 96);
    EXPECT_EQ(twipsToPixels(1000, 96), 67);
    EXPECT_EQ(twipsToPixels(600, 144), 60);
}

} // namespace
} // namespace zelkora::ui
