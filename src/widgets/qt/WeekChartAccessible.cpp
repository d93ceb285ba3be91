#include "widgets/qt/WeekChartAccessible.h"

#include "widgets/qt/WeekChart.h"

#include <QPointer>

namespace lumotrix {

namespace {

// A bar (Index below the chart's bar count) or a problem (the indices after the bars).
class WeekChartElement : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    WeekChartElement(WeekChart* chart, int index) : FChart(chart), FIndex(index) {}

    bool isValid() const override { return FChart && FIndex < FChart->BarCount() + Problems(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return Parent() ? Parent()->window() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return Parent(); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid() || (t != QAccessible::Name && t != QAccessible::Description))
            return {};
        if (IsBar())
            return t == QAccessible::Name ? FChart->Bar(FIndex).Text : QString();
        return t == QAccessible::Name ? FChart->Data().Problems.at(FIndex - FChart->BarCount())
                                      : QString();
    }

    QRect rect() const override {
        if (!isValid() || !IsBar())
            return {};
        const QRect local = FChart->BarRect(FIndex);
        return local.isEmpty() ? QRect()
                               : QRect(FChart->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override {
        return IsBar() ? QAccessible::Button : QAccessible::StaticText;
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid())
            return s;
        if (IsBar()) {
            s.focusable = true;
            s.focused = FChart->hasFocus() && FChart->FocusBar() == FIndex;
            s.invisible = FChart->BarRect(FIndex).isEmpty();
        } else {
            s.readOnly = true;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface && IsBar())
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& name) override {
        if (!isValid() || !IsBar())
            return;
        FChart->SetFocusBar(FIndex);
        if (name == pressAction())
            FChart->ActivateBar(FIndex);
        else if (name == setFocusAction())
            FChart->setFocus(Qt::OtherFocusReason);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool IsBar() const { return FChart && FIndex < FChart->BarCount(); }
    int Problems() const { return static_cast<int>(FChart->Data().Problems.size()); }
    QAccessibleInterface* Parent() const {
        return FChart ? QAccessible::queryAccessibleInterface(FChart.data()) : nullptr;
    }

    QPointer<WeekChart> FChart;
    int FIndex;
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("lumotrix::WeekChart") && object && object->isWidgetType())
        return new WeekChartAccessible(static_cast<WeekChart*>(object));
    return nullptr;
}

} // namespace

WeekChartAccessible::WeekChartAccessible(WeekChart* chart)
    : QAccessibleWidget(chart, QAccessible::Chart) {}

WeekChart* WeekChartAccessible::Chart() const {
    return static_cast<WeekChart*>(widget());
}

int WeekChartAccessible::childCount() const {
    // A hidden chart may hold a description that waits to be brought up to date.
    if (!Chart()->isVisible())
        return 0;
    return Chart()->BarCount() + static_cast<int>(Chart()->Data().Problems.size());
}

QAccessibleInterface* WeekChartAccessible::child(int index) const {
    WeekChart* chart = Chart();
    if (index < 0 || index >= childCount())
        return nullptr;
    // The elements are made together the first time one is asked for and live until the
    // chart's description changes.
    if (chart->FAccessibleChildren.empty())
        for (int i = 0; i < childCount(); ++i)
            chart->FAccessibleChildren.push_back(
                QAccessible::registerAccessibleInterface(new WeekChartElement(chart, i)));
    return QAccessible::accessibleInterface(chart->FAccessibleChildren[index]);
}

int WeekChartAccessible::indexOfChild(const QAccessibleInterface* child) const {
    const auto& ids = Chart()->FAccessibleChildren;
    for (std::size_t i = 0; i < ids.size(); ++i)
        if (QAccessible::accessibleInterface(ids[i]) == child)
            return static_cast<int>(i);
    return -1;
}

QAccessibleInterface* WeekChartAccessible::childAt(int x, int y) const {
    WeekChart* chart = Chart();
    const int bar = chart->Layout().BarAt(chart->mapFromGlobal(QPoint(x, y)));
    return bar >= 0 ? child(bar) : nullptr;
}

QAccessibleInterface* WeekChartAccessible::focusChild() const {
    WeekChart* chart = Chart();
    return chart->hasFocus() && chart->FocusBar() >= 0 ? child(chart->FocusBar()) : nullptr;
}

void InstallWeekChartAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}

} // namespace lumotrix
