#include "model/ConfigFiles.h"

#include "runtime/AtomicFile.h"
#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace lumotrix {
namespace {

namespace fs = std::filesystem;

fs::path PathOf(const QString& name) {
    return fs::path(name.toStdU16String());
}

// A name beside `target` that nothing uses yet (not even a dangling link), for a new or an old
// copy of it. Beside it, so that putting it in place is a rename within one file system.
QString FreeName(const QString& target, const char* tag) {
    for (;;) {
        const QString name = QStringLiteral("%1.%2-%3")
                                 .arg(target, QLatin1String(tag))
                                 .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
        std::error_code error;
        if (!fs::exists(fs::symlink_status(PathOf(name), error)))
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
};

// Writes every table to a new file beside its target; on failure removes those written and
// throws, leaving the targets untouched.
void Stage(const std::array<TMemData*, 3>& tables, std::array<TFileStep, 3>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        TFileStep& step = steps[i];
        step.Staged = FreeName(step.Target, "new");
        QString error;
        if (!WriteFileAtomically(step.Staged, tables[i]->SaveToBytes(), error)) {
            for (const TFileStep& s : steps)
                RemoveQuietly(s.Staged);
            throw EWriteError(
                QStringLiteral("Nothing written: cannot write \"%1\": %2").arg(step.Target, error));
        }
        if (QFileInfo(step.Target).isFile())
            QFile::setPermissions(step.Staged, QFile::permissions(step.Target));
    }
}

// Keeps the old content of step.Target under a free name (a hard link, or a copy where links
// are not possible) and renames the new file over it. Returns the reason it failed, or empty.
QString Place(TFileStep& step) {
    const fs::path target = PathOf(step.Target);
    std::error_code error;
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
            return QStringLiteral("cannot keep a copy of the old file: %1").arg(Reason(error));
        }
    }
    error.clear();
    fs::rename(PathOf(step.Staged), target, error);
    if (error)
        return Reason(error);
    step.Staged.clear();
    return {};
}

// Puts back the first `placed` targets as they were and removes every new and old copy
// except the old copies that could not be put back. Returns the targets not put back.
QStringList Undo(std::array<TFileStep, 3>& steps, std::size_t placed) {
    QStringList notRestored;
    for (std::size_t j = 0; j < placed; ++j) {
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
    return notRestored;
}

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
    const TScopeExit resume([&] { table.EnableControls(); });
    table.LoadFromBinaryFile(file);
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
    std::array<TFileStep, 3> steps;
    steps[0].Target = files.TimerFile;
    steps[1].Target = files.PortFile;
    steps[2].Target = files.TemperatureFile;

    // Nothing in place changes until all three new files exist.
    Stage({&timers, &ports, &temperature}, steps);

    // Each rename replaces its file whole; the old content is kept until the whole set is in
    // place, to be put back should a later file of the set fail.
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const QString failure = Place(steps[i]);
        if (failure.isEmpty())
            continue;
        const QStringList notRestored = Undo(steps, i);
        QString message = QStringLiteral("Cannot write \"%1\": %2; ").arg(steps[i].Target, failure);
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

void LoadConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    LoadIfPresent(timers, files.TimerFile);
    LoadIfPresent(ports, files.PortFile);
    LoadIfPresent(temperature, files.TemperatureFile);
}

} // namespace lumotrix
