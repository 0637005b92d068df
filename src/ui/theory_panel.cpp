#include "theory_panel.h"

#include "analysis/analysis_texts.h"
#include "analysis/campaign_setup.h"
#include "analysis/held_share.h"
#include "analysis/theory.h"
#include "fan_chart.h"
#include "messages/error_messages.h"
#include "qt_text.h"
#include "text_table_view.h"
#include "theory_share_row.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

// The Timer3 counter the theory assumes, as the runner's default.
constexpr int kTheoryCountdown = 1000;

} // namespace

TheoryPanel::TheoryPanel(const MainWindowModel& model, ExportSeams seams, QWidget* parent)
    : QFrame(parent), model_(model), share_(new QDoubleSpinBox(this)), problem_(new QLabel(this)),
      figures_(new TextTableView(QStringLiteral("Grid6"), this)),
      rates_(new TextTableView(QStringLiteral("Grid7"), this)),
      streaks_(new ShareBarsView(QStringLiteral("MSChart8"),
                                 QStringLiteral("連荘数の分布（理論値）"), this)),
      assumptions_(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("Picture_理論値"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(theoryShareRow(this, share_, QStringLiteral("理論_持ち玉比率"), problem_,
                                     QStringLiteral("理論_メッセージ")));

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(figures_);
    auto* right = new QSplitter(Qt::Vertical, split);
    right->addWidget(streaks_);
    right->addWidget(rates_);
    right->addWidget(assumptions_);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    right->setStretchFactor(2, 1);
    split->addWidget(right);
    // The figures' names want more width than the chart and the rate table, which scrolls.
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);
    assumptions_->setObjectName(QStringLiteral("理論_前提"));
    assumptions_->setReadOnly(true);
    // The chart takes the height the rate table and the assumptions leave.
    assumptions_->setMaximumHeight(fontMetrics().height() * 4);

    // On a small screen at 150 % the names give way, not the values beside them.
    figures_->fitNamesToWidth();
    rates_->fitHeightToRows(static_cast<int>(kTableExchangeRates.size()));
    addTableMenu(*figures_, seams);
    addTableMenu(*rates_, seams);
    addChartMenu(*streaks_, seams, [this] {
        TableRows rows{{"連荘", "確率（%）"}};
        const TextTable& table = figures_->table();
        for (const std::vector<std::string>& row : table.rows) {
            if (row[0].starts_with("連荘分布 ")) {
                rows.push_back({row[0].substr(std::string_view("連荘分布 ").size()), row[1]});
            }
        }
        return rows;
    });
    connect(share_, &QDoubleSpinBox::valueChanged, this, [this] {
        shareEdited_ = true;
        shownKey_.clear();
        sync();
    });
}

void TheoryPanel::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    sync();
}

void TheoryPanel::sync() {
    if (!isVisible()) {
        return;
    }
    // The working copy keeps the share of a run once the run has finished; while a run or a
    // rebuild has the file, the share shown stays.
    if (model_.commands.enabled(Menu::MK_Start)) {
        ownShare_ = storedHeldShare(model_.workingCopyPath());
    }
    std::string key = theoryInputsKey(model_);
    key += ownShare_ ? std::to_string(*ownShare_) : std::string("-");
    if (key == shownKey_) {
        return;
    }
    shownKey_ = std::move(key);
    recompute();
}

void TheoryPanel::recompute() {
    if (!model_.commands.enabled(Menu::MK)) {
        problem_->setText(QStringLiteral("ファイルは開かれていません。"));
        figures_->setTable({});
        rates_->setTable({});
        streaks_->show({}, {});
        assumptions_->clear();
        return;
    }
    if (!shareEdited_) {
        const QSignalBlocker quiet(share_);
        share_->setValue(ownShare_.value_or(0) * 100);
    }
    // The verification's own share as stored, not as the box rounds it.
    const double share = shareEdited_ ? share_->value() / 100 : ownShare_.value_or(0);
    const TheoryOutcome outcome = theoreticalFigures(model_, kTheoryCountdown, share);
    if (!outcome.ok()) {
        problem_->setText(qtText(errorText(outcome.error())));
        figures_->setTable({});
        rates_->setTable({});
        streaks_->show({}, {});
        return;
    }
    const TheoreticalFigures& figures = outcome.value();
    const HeldShareSource source = shareEdited_ ? HeldShareSource::Chosen
                                   : ownShare_  ? HeldShareSource::Own
                                                : HeldShareSource::NoRun;
    problem_->setText(qtText(theoryBasisText(kTheoryCountdown, source, share)));
    figures_->setTable(theoryTable(figures, source == HeldShareSource::Own));
    rates_->setTable(rateTableOf(rateTable(figures.basis, share), share));
    QStringList labels;
    QList<qreal> percents;
    for (std::size_t index = 0; index < kStreakLabels.size(); ++index) {
        // Numbers alone fit under eleven bars on a small screen; the table has the words.
        labels << (index + 1 < kStreakLabels.size() ? QString::number(index + 1)
                                                    : QStringLiteral("%1〜").arg(index + 1));
        percents << figures.streakLengthChances[index] * 100;
    }
    streaks_->show(labels, percents);
    QString words;
    for (const std::string& assumption : theoryAssumptionTexts()) {
        words += QStringLiteral("・") + qtText(assumption) + QLatin1Char('\n');
    }
    assumptions_->setPlainText(words.trimmed());
}

} // namespace zelkora::ui
