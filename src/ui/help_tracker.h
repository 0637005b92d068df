#pragma once

#include "model/help_texts.h"

#include <QObject>
#include <functional>
#include <span>
#include <string_view>

class QWidget;

namespace zelkora::ui {

// Writes a control's help text into status panel 1 whenever the pointer moves over it. A panel
// explains itself only over its own background: moving over a control inside it that has no
// help of its own leaves the panel text alone.
class HelpTracker final : public QObject {
    Q_OBJECT
public:
    using Writer = std::function<void(std::string_view)>;
    explicit HelpTracker(Writer write, QObject* parent = nullptr)
        : QObject(parent), write_(std::move(write)) {}

    // Every control of `window` named in the help table.
    void watchAll(QWidget& window, std::span<const HelpText> texts = mainWindowHelpTexts());

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QWidget* control, std::string_view text, bool panel);

    Writer write_;
};

} // namespace zelkora::ui
