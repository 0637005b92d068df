// Plays a verification to its end in the main window on the offscreen platform, with events
// processed and widgets synced as in a real run, and reports the time the run took and the
// window's peak memory. scripts/gui-bench compares the time with zelkora-run's.
//
//   zelkora-gui-bench --write FILE DAYS            the first sample's conditions for DAYS days
//   zelkora-gui-bench FILE SEED COUNTDOWN [PANEL]  plays FILE; PANEL (0-8) is shown meanwhile
//   zelkora-gui-bench --trials FILE K SEED THREADS 多数回検証 of FILE from the window's dialog
//   zelkora-gui-bench --redraw K DAYS [--compare]  redraws the results panel's charts for an
//                                                  analysis of K campaigns of DAYS days, or for
//                                                  a comparison of two

#include "analysis/analysis_report.h"
#include "analysis_desk.h"
#include "analysis_dialog.h"
#include "analysis_panel.h"
#include "fan_chart.h"
#include "files/utf8_path.h"
#include "scripted_desktop.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

long peakMemoryKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// 多数回検証 from the window: the dialog filled and started as a person would, timed from the
// click to the results panel.
int benchTrials(const QStringList& arguments) {
    zelkora::gui::ScriptedDesktop desktop(1, 1000);
    desktop.ui().questionAnswer = zelkora::MessageResult::No;
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(zelkora::pathFromUtf8(arguments[2].toStdString()));
    zelkora::ui::AnalysisDesk& desk = window.desk();
    desk.startTrials();
    zelkora::ui::AnalysisDialog* dialog = desk.dialog();
    if (dialog == nullptr) {
        std::cerr << "zelkora-gui-bench: the dialog did not open\n";
        return 1;
    }
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_試行回数"))->setText(arguments[3]);
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_シード"))->setText(arguments[4]);
    dialog->findChild<QLineEdit*>(QStringLiteral("多数回_スレッド数"))->setText(arguments[5]);
    // A person clicks 開始 on a dialog already painted: its first paint (the Japanese fonts
    // loaded) is not part of the campaigns' play.
    const auto painted = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < painted) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    // How long the window waits for its events while the campaigns play: a timer that would
    // fire every 5 ms, and the longest gap between its firings.
    auto last = std::chrono::steady_clock::now();
    std::chrono::duration<double, std::milli> longest{};
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const auto now = std::chrono::steady_clock::now();
        longest = std::max<std::chrono::duration<double, std::milli>>(longest, now - last);
        last = now;
    });
    ticker.start(5);
    const auto started = std::chrono::steady_clock::now();
    last = started;
    dialog->findChild<QPushButton*>(QStringLiteral("多数回_開始"))->click();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    ticker.stop();
    const auto& shown = desk.resultsPanel()->shown();
    if (!shown || desktop.ui().reportedError) {
        std::cerr << "zelkora-gui-bench: " << desktop.ui().lastMessage << '\n';
        return 1;
    }
    std::cout << "trials " << took.count() << " s, " << shown->report.campaigns << " campaigns of "
              << shown->report.days << " days, events waited at most " << longest.count()
              << " ms\n";
    return 0;
}

// K campaigns as random walks of DAYS days (mean and spread of a day in yen), folded by the
// analysis' own streaming accumulator, so the charts get what K real campaigns give them (bands
// and bins, never the campaigns).
zelkora::ui::AnalysisView walks(std::int64_t campaigns, int days, double mean, double spread,
                                std::uint64_t seed) {
    zelkora::AnalysisAccumulator accumulator(days);
    zelkora::ui::AnalysisView view;
    std::mt19937_64 random(seed);
    std::normal_distribution<double> day(mean, spread);
    zelkora::CampaignFigures campaign;
    for (std::int64_t index = 0; index < campaigns; ++index) {
        campaign.index = index;
        campaign.cumulativeBalanceByDay.clear();
        double balance = 0;
        for (int played = 0; played < days; ++played) {
            balance += std::round(day(random));
            campaign.cumulativeBalanceByDay.push_back(balance);
        }
        campaign.finalBalance = balance;
        accumulator.add(campaign);
        view.histogram.add(balance);
    }
    view.report = accumulator.report();
    return view;
}

// The results panel's two charts redrawn for an analysis of K campaigns, or with --compare for
// a comparison of two such analyses (both drawn in each chart).
int benchRedraw(const QStringList& arguments) {
    const std::int64_t campaigns = arguments[2].toLongLong();
    const int days = arguments[3].toInt();
    const bool comparison = arguments.size() > 4 && arguments[4] == QStringLiteral("--compare");
    const zelkora::ui::AnalysisView view = walks(campaigns, days, -2000, 30000, 1);
    zelkora::gui::ScriptedDesktop desktop(1, 1000);
    zelkora::ui::AnalysisPanel& panel = *desktop.window().desk().resultsPanel();
    desktop.window().resize(1200, 860);
    desktop.window().show();
    desktop.window().showPanel(zelkora::ui::MainWindow::kPanelCount);
    if (comparison) {
        const zelkora::ui::AnalysisView second = walks(campaigns, days, 1000, 25000, 2);
        zelkora::ComparisonReport report;
        report.first = view.report;
        report.second = second.report;
        const double span = days;
        report.difference = {3000 * span, 40000, 2900 * span, 3100 * span};
        panel.showComparison(view, report, second.histogram, "一つ目.pac", "二つ目.pac");
    } else {
        panel.showAnalysis(view);
    }
    QApplication::processEvents();
    std::vector<double> times;
    for (int repeat = 0; repeat < 21; ++repeat) {
        const auto started = std::chrono::steady_clock::now();
        panel.redraw();
        panel.fanChart()->viewport()->repaint();
        panel.histogram()->viewport()->repaint();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
    }
    std::sort(times.begin(), times.end());
    std::cout << (comparison ? "comparison redraw " : "redraw ") << times[times.size() / 2]
              << " ms (median of " << times.size() << ", slowest " << times.back() << " ms) for "
              << campaigns << " campaigns of " << days << " days" << (comparison ? " each" : "")
              << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 4 && arguments[1] == QStringLiteral("--write")) {
        const auto file = zelkora::pathFromUtf8(arguments[2].toStdString());
        return zelkora::gui::writeLongVerification(file, arguments[3].toInt()) ? 0 : 1;
    }
    if (arguments.size() == 6 && arguments[1] == QStringLiteral("--trials")) {
        return benchTrials(arguments);
    }
    if ((arguments.size() == 4 || arguments.size() == 5) &&
        arguments[1] == QStringLiteral("--redraw")) {
        return benchRedraw(arguments);
    }
    if (arguments.size() < 4) {
        std::cerr << "usage: zelkora-gui-bench FILE SEED COUNTDOWN [PANEL]\n"
                     "       zelkora-gui-bench --write FILE DAYS\n"
                     "       zelkora-gui-bench --trials FILE K SEED THREADS\n"
                     "       zelkora-gui-bench --redraw K DAYS [--compare]\n";
        return 2;
    }
    zelkora::gui::ScriptedDesktop desktop(arguments[2].toULongLong(), arguments[3].toInt());
    desktop.ui().questionAnswer = zelkora::MessageResult::No; // play as the runner does
    zelkora::ui::MainWindow& window = desktop.window();
    window.resize(1200, 860);
    window.show();
    desktop.open(zelkora::pathFromUtf8(arguments[1].toStdString()));
    window.showPanel(arguments.size() > 4 ? arguments[4].toInt() : 1);

    const auto started = std::chrono::steady_clock::now();
    desktop.play();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    if (desktop.ui().reportedError) {
        std::cerr << "zelkora-gui-bench: " << desktop.ui().lastMessage << '\n';
        return 1;
    }
    const zelkora::FieldStore& fields = desktop.model().fields;
    const double spins = fields.number(zelkora::Field::総回転数表示) +
                         fields.number(zelkora::Field::総時短回転数表示);
    std::cout << "gui " << took.count() << " s, " << static_cast<long long>(spins) << " spins, "
              << window.pump().calls() << " event pumps taking "
              << std::chrono::duration<double>(window.pump().windowTime()).count() << " s (sync "
              << std::chrono::duration<double>(window.pump().syncTime()).count() << " s), "
              << desktop.model().window.resultRecordCounter << " result records, peak "
              << peakMemoryKilobytes() / 1024 << " MB\n";
    return 0;
}
