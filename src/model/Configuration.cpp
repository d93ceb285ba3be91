#include "model/Configuration.h"

#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "model/ModelMessageIds.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"

#include <QFileInfo>

namespace lumotrix {

TConfiguration::TConfiguration() {
    DefineTimerTable(Timers);
    DefinePortTable(Ports);
    DefineTemperatureTable(Temperature);
    DayNames.Fill();
}

void TConfiguration::Clear() {
    for (TMemData* table : {&Timers, &Ports, &Temperature}) {
        table->DisableControls();
        const TScopeExit resume([table] { table->EnableControls(); });
        table->Close();
        table->Open();
    }
}

void TConfiguration::LoadFiles(const QString& timerFile) {
    LoadConfigurationFiles(Timers, Ports, Temperature, timerFile);
}

void TConfiguration::Load(const QString& timerFile) {
    // An interrupted first save may leave a timer file that is not part of any whole set.
    RecoverConfigurationFiles(timerFile);
    if (!QFileInfo(timerFile).isFile())
        throw EResNotFound(TMessage(msgNoTimerFile, {timerFile}));
    LoadFiles(timerFile);
}

void TConfiguration::Assign(TConfiguration& source) {
    const std::pair<TMemData*, TMemData*> pairs[] = {
        {&Timers, &source.Timers}, {&Ports, &source.Ports}, {&Temperature, &source.Temperature}};
    for (const auto& [table, from] : pairs) {
        table->DisableControls();
        const TScopeExit resume([t = table] { t->EnableControls(); });
        table->LoadFromBytes(from->SaveToBytes(), from->Name());
    }
}

QList<AnsiString> TConfiguration::PortNames() {
    return ReadPortNames(Ports);
}

void TConfiguration::Save(const QString& timerFile) {
    SaveConfigurationFiles(Timers, Ports, Temperature, timerFile);
}

void TConfiguration::CheckComplete(const QString& timerFile) const {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    if (Timers.RecordCount() != TimerCount)
        throw Exception(
            TMessage(msgTimerCountWrong, {files.TimerFile, Timers.RecordCount(), TimerCount}));
    if (Ports.IsEmpty() && !QFileInfo(files.PortFile).isFile())
        throw Exception(TMessage(msgPortFileMissing, {files.PortFile}));
    const int number = Ports.FieldIndex(Field::Nporta);
    bool numbered = Ports.RecordCount() == PortCount;
    for (int row = 0; numbered && row < PortCount; ++row)
        numbered =
            ValueAsInteger(Ports.FieldDefs()[number], Ports.CellValue(row, number)) == row + 1;
    if (!numbered)
        throw Exception(TMessage(msgPortsNotNumbered, {files.PortFile, PortCount}));
    if (!HasTemperature())
        throw Exception(TMessage(msgTemperatureFileMissing, {files.TemperatureFile}));
    const TTemperatureSettings t = TemperatureSettings();
    const auto outside = [](double v, double top) { return !(v >= 0 && v <= top); };
    if (outside(t.MinTemp, MaxDegrees) || outside(t.MaxTemp, MaxDegrees) ||
        outside(t.TempIdeale, MaxDegrees) || outside(t.Isteresi, MaxHysteresis) ||
        outside(t.PrimaPt, PortCount) || outside(t.SecondaPt, PortCount))
        throw Exception(TMessage(msgTemperatureOutOfRange,
                                 {files.TemperatureFile, MaxDegrees, MaxHysteresis, PortCount}));
}

TTemperatureSettings TConfiguration::TemperatureSettings() const {
    return ReadTemperatureRecord(Temperature);
}

void TConfiguration::SetTemperatureSettings(const TTemperatureSettings& settings) {
    Temperature.Close();
    Temperature.Open();
    AppendTemperatureRecord(Temperature, settings);
}

} // namespace lumotrix
