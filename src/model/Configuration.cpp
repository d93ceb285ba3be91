#include "model/Configuration.h"

#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
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
        throw EResNotFound(QStringLiteral("No timer file \"%1\"").arg(timerFile));
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
        throw Exception(QStringLiteral("\"%1\" holds %2 timers; the controller needs all %3")
                            .arg(files.TimerFile)
                            .arg(Timers.RecordCount())
                            .arg(TimerCount));
    if (Ports.IsEmpty() && !QFileInfo(files.PortFile).isFile())
        throw Exception(QStringLiteral("The port file \"%1\" is missing").arg(files.PortFile));
    const int number = Ports.FieldIndex(Field::Nporta);
    bool numbered = Ports.RecordCount() == PortCount;
    for (int row = 0; numbered && row < PortCount; ++row)
        numbered =
            ValueAsInteger(Ports.FieldDefs()[number], Ports.CellValue(row, number)) == row + 1;
    if (!numbered)
        throw Exception(QStringLiteral("\"%1\" must name the ports 1 to %2, once each")
                            .arg(files.PortFile)
                            .arg(PortCount));
    if (!HasTemperature())
        throw Exception(QStringLiteral("The temperature file \"%1\" is missing or empty")
                            .arg(files.TemperatureFile));
    const TTemperatureSettings t = TemperatureSettings();
    const auto outside = [](double v, double top) { return !(v >= 0 && v <= top); };
    if (outside(t.MinTemp, MaxDegrees) || outside(t.MaxTemp, MaxDegrees) ||
        outside(t.TempIdeale, MaxDegrees) || outside(t.Isteresi, MaxHysteresis) ||
        outside(t.PrimaPt, PortCount) || outside(t.SecondaPt, PortCount))
        throw Exception(QStringLiteral("\"%1\" holds a temperature setting out of range "
                                       "(temperatures 0 to %2, hysteresis 0 to %3, ports 0 to %4)")
                            .arg(files.TemperatureFile)
                            .arg(MaxDegrees)
                            .arg(MaxHysteresis)
                            .arg(PortCount));
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
