#include "splash_window.h"

#include "qt_text.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>

namespace zelkora::ui {

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog), progress_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("初期設定表示"));
    setWindowTitle(qtText(kSplashCaption));
    progress_->setObjectName(QStringLiteral("ProgressBar1"));
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);

    auto* layout = new QGridLayout(this);
    auto* label = new QLabel(qtText(kSplashLabel), this);
    label->setAlignment(Qt::AlignCenter);
    layout->addWidget(label, 0, 0, 1, 3);
    layout->addWidget(new QLabel(qtText(kSplashStartLabel), this), 1, 0);
    layout->addWidget(progress_, 1, 1);
    layout->addWidget(new QLabel(qtText(kSplashEndLabel), this), 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(360);
}

void SplashWindow::show() {
    QWidget::show();
    QApplication::processEvents();
}

void SplashWindow::setProgress(int percent) {
    progress_->setValue(percent);
    QApplication::processEvents();
}

void SplashWindow::close() {
    QWidget::close();
}

} // namespace zelkora::ui
