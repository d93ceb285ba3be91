#include "ConfigSet.h"

#include "model/ConfigFiles.h"
#include "model/ConfigTables.h"
#include "runtime/Exception.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <array>
#include <filesystem>
#include <system_error>

namespace lumotrix {

namespace {

namespace fs = std::filesystem;

fs::path PathOf(const QString& name) {
    return fs::path(name.toStdU16String());
}

// A name beside `target` that nothing uses yet, for a new or an old copy of it.
QString FreeName(const QString& target, const char* tag) {
    for (;;) {
        const QString name = QStringLiteral("%1.%2-%3")
                                 .arg(target, QLatin1String(tag))
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        std::error_code error;
        if (!fs::exists(PathOf(name), error))
            return name;
    }
}

void RemoveQuietly(const QString& name) {
    std::error_code error;
    if (!name.isEmpty())
        fs::remove(PathOf(name), error);
}

QString Reason(const std::error_code& error) {
    return QString::fromLocal8Bit(error.message());
}

struct TFileStep {
    QString Target;
    QString Staged; // the new content, until it is in place
    QString Backup; // the old content, until the set is complete
    bool Placed = false;
};

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
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    const std::array<TMemData*, 3> tables{&Timers, &Ports, &Temperature};
    std::array<TFileStep, 3> steps;
    steps[0].Target = files.TimerFile;
    steps[1].Target = files.PortFile;
    steps[2].Target = files.TemperatureFile;

    // Nothing in place changes until all three new files exist.
    try {
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i].Staged = FreeName(steps[i].Target, "new");
            tables[i]->SaveToBinaryFile(steps[i].Staged);
            if (QFileInfo(steps[i].Target).isFile())
                QFile::setPermissions(steps[i].Staged, QFile::permissions(steps[i].Target));
        }
    } catch (const Exception& e) {
        for (const TFileStep& step : steps)
            RemoveQuietly(step.Staged);
        throw EWriteError(QStringLiteral("Nothing written: %1").arg(e.Message()));
    }

    // Each rename replaces its file whole; a hard link keeps the old content to put back
    // should a later file of the set fail.
    for (std::size_t i = 0; i < steps.size(); ++i) {
        TFileStep& step = steps[i];
        const fs::path target = PathOf(step.Target);
        std::error_code error;
        QString failure;
        if (fs::is_regular_file(target, error)) {
            step.Backup = FreeName(step.Target, "old");
            fs::create_hard_link(target, PathOf(step.Backup), error);
            if (error) {
                error.clear();
                fs::copy_file(target, PathOf(step.Backup), error);
            }
            if (error) {
                RemoveQuietly(step.Backup);
                step.Backup.clear();
                failure =
                    QStringLiteral("cannot keep a copy of the old file: %1").arg(Reason(error));
            }
        }
        if (failure.isEmpty()) {
            error.clear();
            fs::rename(PathOf(step.Staged), target, error);
            if (error)
                failure = Reason(error);
        }
        if (failure.isEmpty()) {
            step.Placed = true;
            step.Staged.clear();
            continue;
        }

        QStringList notRestored;
        for (std::size_t j = 0; j < i; ++j) {
            std::error_code undo;
            if (!steps[j].Backup.isEmpty())
                fs::rename(PathOf(steps[j].Backup), PathOf(steps[j].Target), undo);
            else
                fs::remove(PathOf(steps[j].Target), undo);
            if (undo)
                notRestored << steps[j].Target;
            else
                steps[j].Backup.clear();
        }
        for (const TFileStep& s : steps) {
            RemoveQuietly(s.Staged);
            if (!notRestored.contains(s.Target))
                RemoveQuietly(s.Backup);
        }
        QString message = QStringLiteral("Cannot write \"%1\": %2; ").arg(step.Target, failure);
        message +=
            notRestored.isEmpty()
                ? QStringLiteral("the files are as they were")
                : QStringLiteral("could not put back the old %1 (its copy is kept beside it)")
                      .arg(notRestored.join(QStringLiteral(", ")));
        throw EWriteError(message);
    }
    for (const TFileStep& step : steps)
        RemoveQuietly(step.Backup);
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
