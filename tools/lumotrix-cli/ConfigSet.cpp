#include "ConfigSet.h"

#include "link/TimerTables.h"
#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "runtime/Exception.h"

#include <QFileInfo>

namespace lumotrix {

namespace {

constexpr double MaxDegrees = 90;
constexpr int MaxHysteresis = 100;

} // namespace

TConfigSet::TConfigSet() {
    DefineTimerTable(Timers);
    DefinePortTable(Ports);
    DefineTemperatureTable(Temperature);
    DayNames.Fill();
}

void TConfigSet::Load(const QString& timerFile) {
    if (!QFileInfo(timerFile).isFile())
        throw EResNotFound(QStringLiteral("No timer file \"%1\"").arg(timerFile));
    LoadConfigurationFiles(Timers, Ports, Temperature, timerFile);
}

void TConfigSet::Save(const QString& timerFile) {
    SaveConfigurationFiles(Timers, Ports, Temperature, timerFile);
}

void TConfigSet::CheckComplete(const QString& timerFile) const {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    if (Timers.RecordCount() != TimerCount)
        throw Exception(QStringLiteral("\"%1\" holds %2 timers; the controller needs all %3")
                            .arg(files.TimerFile)
                            .arg(Timers.RecordCount())
                            .arg(TimerCount));
    if (Ports.IsEmpty() && !QFileInfo(files.PortFile).isFile())
        throw Exception(QStringLiteral("The port file \"%1\" is missing").arg(files.PortFile));
    const int number = Ports.FieldIndex(QStringLiteral("Nporta"));
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

TTemperatureSettings TConfigSet::TemperatureSettings() const {
    return ReadTemperatureRecord(Temperature);
}

void TConfigSet::SetTemperatureSettings(const TTemperatureSettings& settings) {
    Temperature.Close();
    Temperature.Open();
    AppendTemperatureRecord(Temperature, settings);
}

} // namespace lumotrix
