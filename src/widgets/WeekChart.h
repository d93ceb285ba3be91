#pragma once

#include "widgets/Control.h"

namespace lumotrix {

class WeekChart;

// The week chart as a component of a form, scrolling when the problems make it taller than its
// place. The window fills it and follows its signals through Chart().
class TWeekChart : public TControl {
public:
    explicit TWeekChart(TComponent* owner = nullptr);
    WeekChart* Chart() const { return FChart; }

private:
    WeekChart* FChart;
};

} // namespace lumotrix
