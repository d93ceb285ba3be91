#pragma once

#include "app/HoravelFormFields.h"
#include "runtime/TableObserver.h"
#include "weekchart/WeekChartFill.h"

#include <QString>
#include <functional>

namespace lumotrix {

class TConfiguration;
class TTemperaturePage;

// The week page: the chart of when each port is on, filled from the timers, the port names and
// the temperature page's live values. It follows every change while shown; hidden, it only
// notes that it is out of date, so a window that never shows it builds nothing of it.
class TWeekPage : private ITableObserver {
public:
    TWeekPage(const TForm1Fields& fields, TConfiguration& configuration,
              const TTemperaturePage& temperature, std::function<QString()> fileName);
    ~TWeekPage();
    TWeekPage(const TWeekPage&) = delete;
    TWeekPage& operator=(const TWeekPage&) = delete;

    // Follows the tables, the temperature page, the ribbon's scheme and the chart's bars.
    void Bind();
    // Something the chart shows has changed (also its language).
    void Refresh();
    // The description as the page would show it now, in the language in force.
    TWeekChartData ChartData() const;
    // Asks for a file and writes the chart there as SVG, PDF or PNG.
    void Export();
    // The timer's row current on the timer page.
    void OpenTimer(int row);

private:
    void TableChanged(const TTableChange& change) override;
    void Rebuild();

    const TForm1Fields& F;
    TConfiguration& FConfiguration;
    const TTemperaturePage& FTemperature;
    std::function<QString()> FFileName;
    bool FBound = false;
    bool FStale = true;
};

} // namespace lumotrix
