#include "detail_area.h"

#include "field_views.h"
#include "grid_view.h"
#include "panel_layout.h"
#include "qt_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <array>

namespace zelkora::ui {
namespace {

constexpr std::array<Field, 11> kDetailStrip{
    Field::c大当り詳細_日目,     Field::c大当り詳細_回転数, Field::c大当り詳細_時短回転数,
    Field::c大当り詳細_投資額F,  Field::c大当り詳細_大当り, Field::c大当り詳細_当絵柄,
    Field::c大当り詳細_ルール,   Field::c大当り詳細_状態,   Field::c大当り詳細_持玉数F,
    Field::c大当り詳細_交換玉数, Field::c大当り詳細_連荘};
constexpr std::array<Field, 7> kDayStrip{Field::c日合計_日目,     Field::c日合計_投資額F,
                                         Field::c日合計_回転数,   Field::c日合計_大当り数,
                                         Field::c日合計_交換出玉, Field::c日合計_収支F,
                                         Field::c日合計_積算収支F};

// A strip of boxes captioned with the headings of the grid it feeds.
template <std::size_t N>
QLayout* makeStrip(FieldViews& fields, const std::array<Field, N>& strip, const GridTable& grid,
                   const QString& title, QWidget* parent) {
    auto* layout = new QGridLayout;
    auto* caption = new QLabel(title, parent);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    layout->addWidget(caption, 1, 0);
    for (std::size_t index = 0; index < N; ++index) {
        const int column = static_cast<int>(index);
        addStripField(layout, column + 1, qtText(grid.cell(0, column)),
                      fields.makeBox(strip[index], parent));
    }
    // Both strips start at the left, under each other.
    layout->setColumnMinimumWidth(
        0, caption->fontMetrics().horizontalAdvance(QStringLiteral("大当り詳細")) + 8);
    layout->setColumnStretch(static_cast<int>(N) + 1, 1);
    return layout;
}

} // namespace

DetailArea::DetailArea(FieldViews& fields, const Grids& grids, QWidget* parent)
    : QFrame(parent), grid1_(new GridView(QStringLiteral("Grid1"), grids.grid1, this)) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(
        makeStrip(fields, kDetailStrip, grids.grid1, QStringLiteral("大当り詳細"), this));
    layout->addWidget(grid1_, 1);
    layout->addLayout(makeStrip(fields, kDayStrip, grids.grid3, QStringLiteral("日合計"), this));
}

void DetailArea::sync() {
    grid1_->sync();
}

} // namespace zelkora::ui
