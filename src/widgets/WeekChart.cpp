#include "widgets/WeekChart.h"

#include "widgets/qt/WeekChart.h"

#include <QScrollArea>

namespace lumotrix {

TWeekChart::TWeekChart(TComponent* owner) : TControl(owner) {
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FChart = new WeekChart;
    scroll->setWidget(FChart);
    scroll->setFocusProxy(FChart);
    SetWidget(scroll);
}

LUMOTRIX_REGISTER_CLASS(TWeekChart, TControl) {}

} // namespace lumotrix
