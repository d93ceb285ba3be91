#pragma once

#include "app/HoravelFormFields.h"
#include "model/ConfigRecords.h"

#include <functional>

class QObject;

namespace lumotrix {

class TMemData;

// The temperature page of the main window: its controls, the band texts under them and the
// temperature table's one record.
class TTemperaturePage {
public:
    TTemperaturePage(const TForm1Fields& fields, TMemData& table) : F(fields), FTable(table) {}

    // The editors take the ranges the configuration checks (ConfigFields.h), so the form does
    // not write them a second time.
    void SetRanges();
    // Every control but the sensor's check box follows the check box.
    void SetControlsEnabled(bool enabled);
    // The band texts for the ideal temperature and hysteresis shown.
    void Vtempmon();
    TTemperatureSettings Read() const;
    void Store(const TTemperatureSettings& settings);
    // The controls into the table, replacing its record.
    void MemoTemp();
    // The table's record into the controls.
    void RetrTemp();
    // The controls back to zero and no port.
    void Clear();
    // Calls `changed` whenever an editor, a port drop-down or the sensor's check box changes,
    // by the user or by code; the watch ends with `context`.
    void WatchEdits(QObject* context, const std::function<void()>& changed) const;

private:
    const TForm1Fields& F;
    TMemData& FTable;
};

} // namespace lumotrix
