#pragma once

#include "commands/first_run_setup.h"

#include <QWidget>

class QProgressBar;

namespace zelkora::ui {

// The splash form 初期設定表示 that shows the first-run setup's progress.
class SplashWindow final : public QWidget, public SplashView {
    Q_OBJECT
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    void show() override;
    void setProgress(int percent) override;
    void close() override;

private:
    QProgressBar* progress_;
};

} // namespace zelkora::ui
