#include "model/ConfigFiles.h"

#include <QFileInfo>
#include <algorithm>

namespace lumotrix {
namespace {

qsizetype FolderEnd(const QString& path) {
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(QLatin1Char('\\')));
    slash = std::max(slash, path.lastIndexOf(QLatin1Char(':')));
#endif
    return slash + 1;
}

void LoadIfPresent(TMemData& table, const QString& file) {
    if (!QFileInfo(file).isFile())
        return;
    table.DisableControls();
    try {
        table.LoadFromBinaryFile(file);
    } catch (...) {
        table.EnableControls();
        throw;
    }
    table.EnableControls();
}

} // namespace

TConfigurationFiles ConfigurationFilesOf(const QString& timerFile) {
    const qsizetype nameStart = FolderEnd(timerFile);
    const QString folder = timerFile.left(nameStart);
    QString name = timerFile.mid(nameStart);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    return {timerFile, folder + QLatin1Char('P') + name, folder + QLatin1Char('T') + name};
}

void SaveConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    timers.SaveToBinaryFile(files.TimerFile);
    ports.SaveToBinaryFile(files.PortFile);
    temperature.SaveToBinaryFile(files.TemperatureFile);
}

void LoadConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    LoadIfPresent(timers, files.TimerFile);
    LoadIfPresent(ports, files.PortFile);
    LoadIfPresent(temperature, files.TemperatureFile);
}

} // namespace lumotrix
