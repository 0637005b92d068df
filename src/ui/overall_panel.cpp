#include "field_views.h"
#include "panel_layout.h"
#include "panels.h"

#include <QGridLayout>
#include <QLineEdit>
#include <array>

namespace zelkora::ui {
namespace {

struct FigureRow {
    Field field;
    const char* caption;
    const char* unit;
};

// Three columns: spins and hits, the modes entered, the days and the money.
constexpr std::array<std::array<FigureRow, 8>, 3> kFigureColumns{{
    {{{Field::総回転数表示, "総回転数", "回転"},
      {Field::総大当り数表示, "総大当り数", "回"},
      {Field::確率表示, "総確率", "分の一"},
      {Field::初当たり数表示, "初当り数", "回"},
      {Field::初当たり確率表示, "初当り確率", "分の一"},
      {Field::平均連荘表示, "平均連荘", "連荘"},
      {Field::最大はまり表示, "最大はまり", "回転"},
      {Field::総時短回転数表示, "総時短回転数", "回転"}}},
    {{{Field::確変数表示, "確変数", "回"},
      {Field::確変率表示, "確変率", "％"},
      {Field::初当り確変数表示, "初当り確変数", "回"},
      {Field::初当り確変率表示, "初当り確変率", "％"},
      {Field::総時短数表示, "時短数", "回"},
      {Field::総時短率表示, "時短率", "％"},
      {Field::初当り時短数表示, "初当り時短数", "回"},
      {Field::初当り時短率表示, "初当り時短率", "％"}}},
    {{{Field::勝数表示, "勝ち日数", "日"},
      {Field::負け数表示, "負け日数", "日"},
      {Field::勝率表示, "勝率", "％"},
      {Field::収支表示F, "収支", "円"},
      {Field::平均収支表示, "平均収支", "円"},
      {Field::持ち玉比率, "持ち玉比率", "％"},
      {Field{}, nullptr, nullptr},
      {Field{}, nullptr, nullptr}}},
}};

} // namespace

OverallPanel::OverallPanel(FieldViews& fields, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture_総合データ"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QGridLayout(this);
    for (std::size_t column = 0; column < kFigureColumns.size(); ++column) {
        int line = 0;
        for (const FigureRow& figure : kFigureColumns[column]) {
            if (figure.caption == nullptr) {
                continue;
            }
            addFigure(layout, line++, static_cast<int>(column) * 4,
                      QString::fromUtf8(figure.caption), fields.makeBox(figure.field, this),
                      QString::fromUtf8(figure.unit));
        }
        layout->setColumnMinimumWidth(static_cast<int>(column) * 4 + 3, 24);
    }
    // The figures keep together at the left, each unit beside its box.
    layout->setColumnStretch(static_cast<int>(kFigureColumns.size()) * 4, 1);
    layout->setRowStretch(8, 1);
}

} // namespace zelkora::ui
