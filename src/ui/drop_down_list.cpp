#include "drop_down_list.h"

#include "qt_text.h"

#include <QAbstractItemView>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace zelkora::ui {

DropDownList::DropDownList(const QString& name, std::span<const std::string_view> entries,
                           QWidget* parent)
    : QComboBox(parent) {
    setObjectName(name);
    int widest = 0;
    for (const std::string_view entry : entries) {
        addItem(qtText(entry));
        widest = std::max(widest, fontMetrics().horizontalAdvance(qtText(entry)));
    }
    setCurrentIndex(-1);
    // The open list shows its entries whole, however narrow the arrow is.
    view()->setMinimumWidth(widest + 4 * fontMetrics().averageCharWidth());
}

void DropDownList::followBox(const std::string& boxText) {
    const int entry = findText(qtText(boxText), Qt::MatchExactly);
    if (entry != currentIndex()) {
        setCurrentIndex(entry); // currentIndexChanged only; a pick is activated
    }
}

QSize DropDownList::sizeHint() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const int arrow = style()->pixelMetric(QStyle::PM_ScrollBarExtent, &option, this);
    const QSize box = QComboBox::sizeHint();
    return {arrow + 2 * style()->pixelMetric(QStyle::PM_ComboBoxFrameWidth, &option, this) + 4,
            box.height()};
}

void DropDownList::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear(); // the paired box shows the text
    option.currentIcon = {};
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
}

} // namespace zelkora::ui
