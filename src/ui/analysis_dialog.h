#pragma once

#include "analysis/analysis_texts.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace zelkora::ui {

// The dialog of 多数回検証 and 比較検証: the campaign count K, the seed (blank: drawn, then
// shown), the threads and an optional bankroll; while the campaigns play, the progress bar,
// the remaining time and Cancel. It only shows and forwards: Start and Cancel go to the
// callbacks the window gives.
class AnalysisDialog final : public QDialog {
public:
    struct Actions {
        std::function<void()> start;
        std::function<void()> cancel;
    };
    // `second` names the other verification of a comparison; empty for 多数回検証.
    AnalysisDialog(const QString& second, int threads, Actions actions, QWidget* parent);

    TrialsEntry entry() const;
    void showSeed(std::uint64_t seed);
    // Locks the inputs while the campaigns play; Cancel then stops them.
    void setPlaying(bool playing);
    void showProgress(std::int64_t done, std::int64_t total, const std::string& remaining);
    bool playing() const { return playing_; }
    void reject() override;

private:
    Actions actions_;
    QLineEdit* campaigns_;
    QLineEdit* seed_;
    QLineEdit* threads_;
    QLineEdit* bankroll_;
    QProgressBar* progress_;
    QLabel* remaining_;
    QPushButton* start_;
    QPushButton* cancel_;
    bool playing_ = false;
};

} // namespace zelkora::ui
