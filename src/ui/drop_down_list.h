#pragma once

#include <QComboBox>
#include <span>
#include <string>
#include <string_view>

namespace zelkora::ui {

// A drop-down list beside the text box it fills: only its arrow shows, since the box shows the
// text. Picking an entry (with the mouse, or the arrow keys while it has the focus) emits
// activated; the list's own current entry follows the box, so the keys move on from there.
class DropDownList final : public QComboBox {
public:
    DropDownList(const QString& name, std::span<const std::string_view> entries,
                 QWidget* parent = nullptr);

    // The entry equal to the box's text as the current one (none when the text is no entry),
    // without a signal of a pick.
    void followBox(const std::string& boxText);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zelkora::ui
