#include "run_area.h"

#include "field_views.h"
#include "minutes_bar.h"
#include "schedule_strip.h"

#include <QGridLayout>
#include <QLabel>

namespace zelkora::ui {
namespace {

QString legendSwatch(const QColor& colour, const QString& caption) {
    return QStringLiteral("<span style='color:%1'>■</span>%2").arg(colour.name(), caption);
}

} // namespace

RunAreaView::RunAreaView(FieldViews& fields, QWidget* parent)
    : QFrame(parent), slots_(new ScheduleStrip(QStringLiteral("TSP"), this)) {
    setObjectName(QStringLiteral("Picture3"));
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QGridLayout(this);

    auto* day = new QLabel(this);
    QFont dayFont = day->font();
    dayFont.setPointSizeF(dayFont.pointSizeF() * 1.3);
    dayFont.setBold(true);
    day->setFont(dayFont);
    day->setMinimumWidth(day->fontMetrics().horizontalAdvance(QStringLiteral("10000　日目")));
    fields.bind(Field::date, day);

    for (int slot = 0; slot < 14; ++slot) {
        auto* bar = new MinutesBar(this);
        fields.bind(progressBarField(slot + 2), bar);
        slots_->addUnderSlot(slot, bar);
    }

    auto* legend = new QLabel(this);
    legend->setObjectName(QStringLiteral("Label12"));
    legend->setTextFormat(Qt::RichText);
    legend->setText(QStringLiteral("遊戯時間　") +
                    legendSwatch(slotColourOf('1'), QStringLiteral("遊戯　")) +
                    legendSwatch(slotColourOf('2'), QStringLiteral("サービスタイム　")) +
                    legendSwatch(slotColourOf('0'), QStringLiteral("遊戯しない")));

    layout->addWidget(day, 0, 0, 2, 1);
    layout->addWidget(slots_, 0, 1);
    layout->addWidget(legend, 1, 1);
    layout->setColumnStretch(1, 1);
}

void RunAreaView::sync(const MainWindowModel& model) {
    slots_->showSchedule(model.program.playSchedule);
}

} // namespace zelkora::ui
