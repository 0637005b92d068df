#include "field_views.h"
#include "panel_layout.h"
#include "panels.h"
#include "schedule_strip.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <array>

namespace zelkora::ui {
namespace {

struct ConditionRow {
    Field field;
    const char* caption;
    const char* unit;
};

// The conditions in the order of the wizard's pages: the machine, the parlour and the player,
// then the time conditions.
constexpr std::array<ConditionRow, 16> kConditionRows{{
    {Field::条件_名前, "検証の名前", ""},
    {Field::条件_確率, "大当り確率", "分の一"},
    {Field::条件_確変倍率, "確変時の確率の倍率", "倍"},
    {Field::条件_リミッター, "リミッター付き", ""},
    {Field::条件_リミッター数, "リミッター数", "連荘"},
    {Field::条件_絵柄数, "絵柄数", ""},
    {Field::条件_両替率, "両替率", "発で１００円"},
    {Field::条件_回転数1000円, "回転数/1000円", "回転"},
    {Field::条件_投資単位, "投資単位", "円"},
    {Field::条件_投資上限日, "投資上限/日", "円"},
    {Field::条件_出玉を両替, "出玉を両替して再投資", ""},
    {Field::条件_何日分, "何日分の検証", "日分"},
    {Field::条件_回転時間, "一回転の時間（通常時）", "秒"},
    {Field::条件_確変回転時間, "一回転の時間（確変、時短時）", "秒"},
    {Field::条件_時間比率, "回転の時間比率", "％"},
    {Field::条件_TS, "サービスタイム中の大当り", ""},
}};

} // namespace

ConditionPanel::ConditionPanel(FieldViews& fields, QWidget* parent)
    : QFrame(parent), schedule_(new ScheduleStrip(QStringLiteral("条件_時間帯"), this)) {
    setObjectName(QStringLiteral("Picture_基本条件"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QGridLayout(this);
    // The name on a line of its own; the other conditions in two columns of caption, box and
    // unit, kept together at the left.
    constexpr int kRowsPerColumn = 8;
    constexpr int kLastColumn = 7;
    QLineEdit* name = fields.makeBox(kConditionRows[0].field, this);
    name->setMaximumWidth(QWIDGETSIZE_MAX); // up to 25 characters
    auto* nameCaption = new QLabel(QString::fromUtf8(kConditionRows[0].caption), this);
    nameCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(nameCaption, 0, 0);
    layout->addWidget(name, 0, 1, 1, 6);
    for (std::size_t index = 1; index < kConditionRows.size(); ++index) {
        const ConditionRow& row = kConditionRows[index];
        const int line = 1 + static_cast<int>(index - 1) % kRowsPerColumn;
        const int column = static_cast<int>(index - 1) / kRowsPerColumn * 4;
        addFigure(layout, line, column, QString::fromUtf8(row.caption),
                  fields.makeBox(row.field, this), QString::fromUtf8(row.unit));
    }
    layout->setColumnMinimumWidth(3, 24);
    layout->setColumnStretch(kLastColumn, 1);
    auto* scheduleCaption = new QLabel(QStringLiteral("遊戯時間"), this);
    scheduleCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(scheduleCaption, kRowsPerColumn + 1, 0);
    layout->addWidget(schedule_, kRowsPerColumn + 1, 1, 1, kLastColumn);
    layout->setRowStretch(kRowsPerColumn + 2, 1);
}

void ConditionPanel::sync(const MainWindowModel& model) {
    schedule_->showSchedule(model.program.playSchedule);
}

} // namespace zelkora::ui
