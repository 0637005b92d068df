#include "machine_theory_view.h"

#include "analysis/theory.h"
#include "commands/open_machine.h"
#include "fan_chart.h"
#include "machines/machine_theory.h"
#include "machines/machine_theory_table.h"
#include "qt_text.h"
#include "text_table_view.h"
#include "theory_share_row.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

namespace zelkora::ui {

MachineTheoryView::MachineTheoryView(const MainWindowModel& model, MachineSource machine,
                                     ExportSeams seams, QWidget* parent)
    : QFrame(parent), model_(model), machine_(std::move(machine)), share_(new QDoubleSpinBox(this)),
      problem_(new QLabel(this)),
      figures_(new TextTableView(QStringLiteral("Grid_機種理論値"), this)),
      rates_(new TextTableView(QStringLiteral("Grid_機種ボーダー"), this)),
      continuations_(new ShareBarsView(QStringLiteral("MSChart_機種継続率"),
                                       QStringLiteral("継続率（理論値）"), this)) {
    setObjectName(QStringLiteral("機種理論値"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(theoryShareRow(this, share_, QStringLiteral("機種理論_持ち玉比率"), problem_,
                                     QStringLiteral("機種理論_メッセージ")));

    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(figures_);
    auto* right = new QSplitter(Qt::Vertical, split);
    right->addWidget(continuations_);
    right->addWidget(rates_);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    split->addWidget(right);
    split->setStretchFactor(0, 1);
    split->setStretchFactor(1, 1);
    layout->addWidget(split, 1);
    rates_->fitHeightToRows(static_cast<int>(kTableExchangeRates.size()));
    addTableMenu(*figures_, seams);
    addTableMenu(*rates_, seams);
    addChartMenu(*continuations_, seams, [this] {
        TableRows rows{{"継続率", "確率（%）"}};
        for (const std::vector<std::string>& row : figures_->table().rows) {
            if (row[0].starts_with("継続率（")) {
                rows.push_back({row[0], row[1]});
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

void MachineTheoryView::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    sync();
}

// The run's own share once it has played; 0 otherwise.
double MachineTheoryView::ownHeldShare() const {
    if (model_.window.resultRecordCounter <= 0) {
        return 0;
    }
    const double percent = model_.fields.number(Field::持ち玉比率);
    return percent >= 0 && percent <= 100 ? percent : 0;
}

void MachineTheoryView::sync() {
    if (!isVisible()) {
        return;
    }
    const OpenMachine* machine = machine_();
    if (machine == nullptr) {
        shownMachine_ = nullptr;
        shownKey_.clear();
        clear(QStringLiteral("機種ファイルは開かれていません。"));
        return;
    }
    if (machine != shownMachine_) {
        shareEdited_ = false;
    }
    if (!shareEdited_) {
        const QSignalBlocker quiet(share_);
        share_->setValue(ownHeldShare());
    }
    std::string key = std::to_string(machine->serial) + '\n' + std::to_string(share_->value());
    if (machine == shownMachine_ && key == shownKey_) {
        return;
    }
    shownMachine_ = machine;
    shownKey_ = std::move(key);
    recompute(*machine);
}

void MachineTheoryView::clear(const QString& message) {
    problem_->setText(message);
    figures_->setTable({});
    rates_->setTable({});
    continuations_->show({}, {});
}

void MachineTheoryView::recompute(const OpenMachine& machine) {
    const double share = share_->value() / 100;
    const machines::Checked<machines::MachineTheory> theory =
        machines::machineTheory(machine.verification, share);
    if (!theory.ok()) {
        clear(qtText(theory.problem()));
        return;
    }
    problem_->setText(QStringLiteral(
        "日の終わり・投資上限はなく、連チャンと電サポは最後まで打ち切るものとして計算"));
    figures_->setTable(machines::machineTheoryTable(machine.verification, theory.value()));
    rates_->setTable(machines::machineRateTable(machine.verification, theory.value().chain, share));
    const machines::ContinuationBars bars = machines::continuationBars(theory.value().chain);
    QStringList labels;
    QList<qreal> percents;
    for (std::size_t index = 0; index < bars.labels.size(); ++index) {
        labels << qtText(bars.labels[index]);
        percents << bars.percents[index];
    }
    continuations_->show(labels, percents);
}

} // namespace zelkora::ui
