#include "model/ConfigFiles.h"

#include "runtime/AtomicFile.h"
#include "runtime/Exception.h"
#include "runtime/MessageIds.h"
#include "runtime/ScopeExit.h"
#include "runtime/SystemReason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <optional>
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
    if (name.isEmpty())
        return;
    SaveStep();
    fs::remove(PathOf(name), error);
}

TMessage Reason(const std::error_code& error) {
    return SystemReason(error.value());
}

QString NameList(const QStringList& names) {
    return names.join(QStringLiteral(", "));
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
        TMessage reason;
        if (!WriteFileAtomically(step.Staged, tables[i]->SaveToBytes(), reason)) {
            for (const TFileStep& s : steps)
                RemoveQuietly(s.Staged);
            throw EWriteError(TMessage(msgNothingWritten, {step.Target, reason}));
        }
        if (QFileInfo(step.Target).isFile())
            QFile::setPermissions(step.Staged, QFile::permissions(step.Target));
    }
}

// Keeps the old content of step.Target under a free name (a hard link, or a copy where links
// are not possible), to be put back should the set not be completed. Returns the reason it
// failed, or nothing.
std::optional<TMessage> Keep(TFileStep& step) {
    const fs::path target = PathOf(step.Target);
    std::error_code error;
    if (!fs::is_regular_file(target, error))
        return {};
    step.Backup = FreeName(step.Target, "old");
    SaveStep();
    fs::create_hard_link(target, PathOf(step.Backup), error);
    if (error) {
        error.clear();
        fs::copy_file(target, PathOf(step.Backup), error);
    }
    if (!error)
        return {};
    RemoveQuietly(step.Backup);
    step.Backup.clear();
    return TMessage(msgCannotKeepOldCopy, {Reason(error)});
}

bool Exists(const QString& name) {
    std::error_code error;
    return !name.isEmpty() && fs::exists(fs::symlink_status(PathOf(name), error));
}

// A set whose new files have all been renamed into place is the new set; otherwise the marker's
// old copies go back and the new files go.
bool AllPlaced(const std::array<TFileStep, 3>& steps) {
    return std::none_of(steps.begin(), steps.end(),
                        [](const TFileStep& s) { return Exists(s.Staged); });
}

// Puts back the old content of every target whose new file was renamed into place (removing
// it where there was none), then removes every new and old copy except the old copies that
// could not be put back. Safe to run again after a crash part-way. Returns the targets not put
// back.
QStringList RollBack(const std::array<TFileStep, 3>& steps) {
    QStringList notRestored;
    for (const TFileStep& step : steps) {
        if (Exists(step.Staged))
            continue; // never placed: the target is as it was
        std::error_code undo;
        SaveStep();
        if (step.Backup.isEmpty())
            fs::remove(PathOf(step.Target), undo);
        else if (Exists(step.Backup))
            fs::rename(PathOf(step.Backup), PathOf(step.Target), undo);
        if (undo)
            notRestored << step.Target;
    }
    SyncFolderOf(steps[0].Target);
    for (const TFileStep& step : steps) {
        if (!notRestored.contains(step.Target))
            RemoveQuietly(step.Backup);
        RemoveQuietly(step.Staged);
    }
    return notRestored;
}

void RemoveBackups(const std::array<TFileStep, 3>& steps) {
    for (const TFileStep& step : steps)
        RemoveQuietly(step.Backup);
}

// New files, old copies and temporary files that a save killed before it wrote its marker left
// beside the set: none of them is part of it.
void RemoveLeftovers(const TConfigurationFiles& files, const QString& marker) {
    QStringList prefixes;
    for (const QString& name : {files.TimerFile, files.PortFile, files.TemperatureFile})
        for (const char* tag : {".new-", ".old-", ".tmp-"})
            prefixes << QFileInfo(name).fileName() + QLatin1String(tag);
    prefixes << QFileInfo(marker).fileName() + QLatin1String(".tmp-");
    const QDir folder = QFileInfo(files.TimerFile).absoluteDir();
    for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (std::any_of(prefixes.begin(), prefixes.end(),
                        [&](const QString& p) { return entry.startsWith(p); }))
            RemoveQuietly(folder.filePath(entry));
    }
}

QString MarkerOf(const QString& timerFile) {
    return timerFile + QStringLiteral(".saving");
}

QString FileNameOf(const QString& path) {
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

// The marker names, for each file of the set, its new file and the old copy kept (none when
// there was no old file); all beside the timer file.
void WriteMarker(const QString& marker, const std::array<TFileStep, 3>& steps) {
    QJsonArray files;
    for (const TFileStep& step : steps)
        files.append(QJsonObject{{QStringLiteral("target"), FileNameOf(step.Target)},
                                 {QStringLiteral("new"), FileNameOf(step.Staged)},
                                 {QStringLiteral("old"), FileNameOf(step.Backup)}});
    TMessage reason;
    if (!WriteFileAtomically(marker, QJsonDocument(files).toJson(QJsonDocument::Compact), reason))
        throw EWriteError(reason);
}

std::array<TFileStep, 3> ReadMarker(const QString& marker) {
    QFile file(marker);
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = errno;
        throw EReadError(
            TMessage(msgSaveRecordUnreadable, {marker, ReadFailureReason(marker, error)}));
    }
    const QJsonArray files = QJsonDocument::fromJson(file.readAll()).array();
    std::array<TFileStep, 3> steps;
    const QString folder = QFileInfo(marker).path() + QLatin1Char('/');
    const auto inFolder = [&](const QJsonValue& name) {
        const QString text = name.toString();
        // Names only: a record naming a file elsewhere is not one of ours.
        if (text.contains(QLatin1Char('/')) || text == QLatin1String("..") ||
            text == QLatin1String("."))
            throw EReadError(TMessage(msgSaveRecordDamaged, {marker}));
        return text.isEmpty() ? QString() : folder + text;
    };
    if (files.size() != int(steps.size()))
        throw EReadError(TMessage(msgSaveRecordDamaged, {marker}));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const QJsonObject o = files[int(i)].toObject();
        steps[i].Target = inFolder(o[QStringLiteral("target")]);
        steps[i].Staged = inFolder(o[QStringLiteral("new")]);
        steps[i].Backup = inFolder(o[QStringLiteral("old")]);
        if (steps[i].Target.isEmpty() || steps[i].Staged.isEmpty())
            throw EReadError(TMessage(msgSaveRecordDamaged, {marker}));
    }
    return steps;
}

void RemoveMarker(const QString& marker) {
    SaveStep();
    QFile::remove(marker);
    SyncFolderOf(marker);
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

void RecoverConfigurationFiles(const QString& timerFile) {
    const QString marker = MarkerOf(ConfigurationFilesOf(timerFile).TimerFile);
    if (!QFileInfo::exists(marker))
        return;
    const std::array<TFileStep, 3> steps = ReadMarker(marker);
    if (AllPlaced(steps)) {
        RemoveBackups(steps);
    } else {
        const QStringList notRestored = RollBack(steps);
        if (!notRestored.isEmpty())
            throw EWriteError(TMessage(msgSaveNotUndone, {NameList(notRestored)}));
    }
    RemoveMarker(marker);
}

void SaveConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    RecoverConfigurationFiles(files.TimerFile);
    RemoveLeftovers(files, MarkerOf(files.TimerFile));
    std::array<TFileStep, 3> steps;
    steps[0].Target = files.TimerFile;
    steps[1].Target = files.PortFile;
    steps[2].Target = files.TemperatureFile;

    // Nothing in place changes until all three new files exist.
    Stage({&timers, &ports, &temperature}, steps);

    const auto giveUp = [&](const QString& file, const TMessageArg& reason) {
        for (const TFileStep& s : steps) {
            RemoveQuietly(s.Staged);
            RemoveQuietly(s.Backup);
        }
        throw EWriteError(TMessage(msgNothingWritten, {file, reason}));
    };
    for (TFileStep& step : steps) {
        if (const std::optional<TMessage> failure = Keep(step))
            giveUp(step.Target, *failure);
    }
    // From here a crash leaves the marker, and the next open or save puts one whole set back.
    const QString marker = MarkerOf(files.TimerFile);
    try {
        WriteMarker(marker, steps);
    } catch (const EWriteError& e) {
        giveUp(marker, e.Argument());
    }

    // Each rename replaces its file whole, timer file first.
    for (TFileStep& step : steps) {
        std::error_code error;
        SaveStep();
        fs::rename(PathOf(step.Staged), PathOf(step.Target), error);
        if (!error)
            continue;
        const QStringList notRestored = RollBack(steps);
        if (notRestored.isEmpty()) {
            RemoveMarker(marker);
            throw EWriteError(TMessage(msgWriteFailedRestored, {step.Target, Reason(error)}));
        }
        throw EWriteError(TMessage(msgWriteFailedNotRestored,
                                   {step.Target, Reason(error), NameList(notRestored)}));
    }
    SyncFolderOf(files.TimerFile);
    RemoveBackups(steps);
    RemoveMarker(marker);
}

void LoadConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    RecoverConfigurationFiles(files.TimerFile);
    LoadIfPresent(timers, files.TimerFile);
    LoadIfPresent(ports, files.PortFile);
    LoadIfPresent(temperature, files.TemperatureFile);
}

} // namespace lumotrix
