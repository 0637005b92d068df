#include "analysis_dialog.h"

#include "qt_text.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelkora::ui {
namespace {

QLineEdit* entryBox(const char* name, const QString& text, QWidget* parent) {
    auto* box = new QLineEdit(text, parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setAlignment(Qt::AlignRight);
    return box;
}

} // namespace

AnalysisDialog::AnalysisDialog(const QString& second, int threads, Actions actions, QWidget* parent)
    : QDialog(parent), actions_(std::move(actions)),
      campaigns_(entryBox("多数回_試行回数", QStringLiteral("1000"), this)),
      seed_(entryBox("多数回_シード", {}, this)),
      threads_(entryBox("多数回_スレッド数", QString::number(threads), this)),
      bankroll_(entryBox("多数回_資金", {}, this)), progress_(new QProgressBar(this)),
      remaining_(new QLabel(QStringLiteral("残り"), this)),
      start_(new QPushButton(QStringLiteral("開始(&S)"), this)),
      cancel_(new QPushButton(QStringLiteral("キャンセル"), this)) {
    const bool comparing = !second.isEmpty();
    setObjectName(comparing ? QStringLiteral("比較検証") : QStringLiteral("多数回検証"));
    setWindowTitle(comparing ? QStringLiteral("比較検証") : QStringLiteral("多数回検証"));
    auto* layout = new QVBoxLayout(this);
    if (comparing) {
        auto* other = new QLabel(QStringLiteral("比較する検証: ") + second, this);
        other->setObjectName(QStringLiteral("多数回_比較ファイル"));
        other->setWordWrap(true);
        layout->addWidget(other);
    }
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("試行回数(&K)"), campaigns_);
    form->addRow(QStringLiteral("シード（空欄で自動）(&E)"), seed_);
    form->addRow(QStringLiteral("スレッド数(&T)"), threads_);
    form->addRow(QStringLiteral("資金（円、空欄で省略）(&B)"), bankroll_);
    layout->addLayout(form);
    progress_->setObjectName(QStringLiteral("多数回_進行"));
    progress_->setRange(0, 1000);
    progress_->setValue(0);
    layout->addWidget(progress_);
    remaining_->setObjectName(QStringLiteral("多数回_残り"));
    layout->addWidget(remaining_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    start_->setObjectName(QStringLiteral("多数回_開始"));
    start_->setDefault(true);
    cancel_->setObjectName(QStringLiteral("多数回_キャンセル"));
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    connect(start_, &QPushButton::clicked, this, [this] { actions_.start(); });
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
}

TrialsEntry AnalysisDialog::entry() const {
    return {campaigns_->text().toStdString(), seed_->text().toStdString(),
            threads_->text().toStdString(), bankroll_->text().toStdString()};
}

void AnalysisDialog::showSeed(std::uint64_t seed) {
    seed_->setText(QString::number(seed));
}

void AnalysisDialog::setPlaying(bool playing) {
    playing_ = playing;
    for (QWidget* input : {static_cast<QWidget*>(campaigns_), static_cast<QWidget*>(seed_),
                           static_cast<QWidget*>(threads_), static_cast<QWidget*>(bankroll_),
                           static_cast<QWidget*>(start_)}) {
        input->setEnabled(!playing);
    }
    if (playing) {
        progress_->setValue(0);
        remaining_->setText(QStringLiteral("残り"));
        cancel_->setFocus();
    }
}

void AnalysisDialog::showProgress(std::int64_t done, std::int64_t total,
                                  const std::string& remaining) {
    progress_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
    remaining_->setText(qtText(remaining));
}

// Cancel, Esc and the close button stop the campaigns while they play, and close the dialog
// otherwise.
void AnalysisDialog::reject() {
    if (playing_) {
        actions_.cancel();
        return;
    }
    QDialog::reject();
}

} // namespace zelkora::ui
