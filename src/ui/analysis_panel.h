#pragma once

#include "analysis/analysis_report.h"
#include "analysis/analysis_texts.h"
#include "analysis/balance_histogram.h"
#include "analysis/comparison.h"
#include "export_menus.h"

#include <QFrame>
#include <optional>
#include <string>

class QLabel;

namespace zelkora::ui {

class FanChartView;
class HistogramView;
class TextTableView;

// What the panel shows of one analysis: its report, the final balances' histogram and a line
// that says what was played (the campaigns, the seed, a cancel).
struct AnalysisView {
    AnalysisReport report;
    StreamingHistogram histogram;
    std::string heading;
};

// Picture_多数回検証: the many-campaign analysis of the open verification: the fan chart of
// the daily cumulative balance, the histogram of the final balance, the figures with their
// intervals and, after a comparison, the difference of the two verifications.
class AnalysisPanel final : public QFrame {
public:
    explicit AnalysisPanel(ExportSeams seams, QWidget* parent = nullptr);
    // No more height than it needs: the panels share the window with the big-hit grid, which
    // keeps its rows however many panels there are.
    QSize sizeHint() const override {
        return {QFrame::sizeHint().width(), minimumSizeHint().height()};
    }

    void showAnalysis(const AnalysisView& view);
    // `first` is the first verification's analysis; the charts draw the second's beside it.
    void showComparison(const AnalysisView& first, const ComparisonReport& report,
                        const StreamingHistogram& secondHistogram, const std::string& firstName,
                        const std::string& secondName);
    // Redraws both charts from what they show (the benchmark's redraw).
    void redraw();

    FanChartView* fanChart() const { return fan_; }
    HistogramView* histogram() const { return histogram_; }
    TextTableView* figures() const { return figures_; }
    TextTableView* comparison() const { return comparison_; }
    const std::optional<AnalysisView>& shown() const { return shown_; }

private:
    // What a comparison adds to the first verification's analysis.
    struct Compared {
        AnalysisReport second;
        StreamingHistogram histogram;
        MeanEstimate difference;
        std::string firstName;
        std::string secondName;
    };
    void present(const AnalysisView& view);
    TextTable dayBandsShown() const;
    TextTable binsShown() const;

    QLabel* heading_;
    FanChartView* fan_;
    HistogramView* histogram_;
    TextTableView* figures_;
    TextTableView* comparison_;
    std::optional<AnalysisView> shown_;
    std::optional<Compared> compared_;
};

} // namespace zelkora::ui
