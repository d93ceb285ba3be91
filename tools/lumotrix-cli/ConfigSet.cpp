#include "ConfigSet.h"

#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "runtime/Exception.h"

#include <QFileInfo>

namespace lumotrix {

namespace {

qint32 IntegerAt(const TMemData& table, const char* field) {
    const int index = table.FieldIndex(QLatin1String(field));
    return ValueAsInteger(table.FieldDefs()[index], table.CellValue(0, index));
}

double FloatAt(const TMemData& table, const char* field) {
    const int index = table.FieldIndex(QLatin1String(field));
    return ValueAsFloat(table.FieldDefs()[index], table.CellValue(0, index));
}

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
    TTemperatureSettings t;
    if (!HasTemperature()) {
        t.TempIdeale = 0;
        return t;
    }
    t.SensorEnabled = IntegerAt(Temperature, "SensEnabled") == 1;
    t.MinTemp = FloatAt(Temperature, "TempMin");
    t.MaxTemp = FloatAt(Temperature, "TempMax");
    t.TempIdeale = FloatAt(Temperature, "IdealeTemp");
    t.Isteresi = IntegerAt(Temperature, "Isteresi");
    t.PrimaPt = IntegerAt(Temperature, "PrimaPt");
    t.SecondaPt = IntegerAt(Temperature, "SecondaPt");
    return t;
}

void TConfigSet::SetTemperatureSettings(const TTemperatureSettings& settings) {
    std::vector<TFieldValue> row(std::size_t(Temperature.FieldCount()));
    const auto set = [&](const char* field, TFieldValue value) {
        row[std::size_t(Temperature.FieldIndex(QLatin1String(field)))] = std::move(value);
    };
    set("SensEnabled", qint32(settings.SensorEnabled ? 1 : 0));
    set("TempMin", settings.MinTemp);
    set("TempMax", settings.MaxTemp);
    set("IdealeTemp", settings.TempIdeale);
    set("Isteresi", qint32(settings.Isteresi));
    set("PrimaPt", qint32(settings.PrimaPt));
    set("SecondaPt", qint32(settings.SecondaPt));
    Temperature.Close();
    Temperature.Open();
    Temperature.AppendRecord(row);
    Temperature.First();
}

} // namespace lumotrix
