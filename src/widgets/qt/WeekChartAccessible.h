#pragma once

#include <QAccessibleWidget>

namespace lumotrix {

class WeekChart;

// What assistive tools see of the week chart: one element per bar, named by its text (port,
// day, times, timers) and pressed as a click on it is, then one per problem, readable.
class WeekChartAccessible : public QAccessibleWidget {
public:
    explicit WeekChartAccessible(WeekChart* chart);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    WeekChart* Chart() const;
};

// Registers the factory that gives a WeekChart its accessible interface (once per process).
void InstallWeekChartAccessibility();

} // namespace lumotrix
