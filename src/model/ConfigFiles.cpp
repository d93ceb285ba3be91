#include "model/ConfigFiles.h"

#include "model/ModelMessageIds.h"
#include "runtime/AtomicFile.h"
#include "runtime/CappedRead.h"
#include "runtime/Exception.h"
#include "runtime/ScopeExit.h"
#include "runtime/SystemReason.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
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

// The new file and the old copy a save keeps beside each target are named "<target>.new-" and
// "<target>.old-" with a random number of this many hexadecimal digits; the new file is written
// through a temporary file of its own.
constexpr char NewTag[] = "new";
constexpr char OldTag[] = "old";
constexpr int CopyDigits = 8;

// A name beside `target` that nothing uses yet (not even a dangling link), for a new or an old
// copy of it. Beside it, so that putting it in place is a rename within one file system.
QString FreeName(const QString& target, const char* tag) {
    for (;;) {
        const QString name =
            QStringLiteral("%1.%2-%3")
                .arg(target, QLatin1String(tag))
                .arg(QRandomGenerator::global()->generate(), CopyDigits, 16, QChar('0'));
        std::error_code error;
        if (!fs::exists(fs::symlink_status(PathOf(name), error)))
            return name;
    }
}

// The names FreeName gives for `target`, as a regular expression (without anchors).
QString CopyPattern(const QString& target, const char* tag) {
    return QRegularExpression::escape(QStringLiteral("%1.%2-").arg(target, QLatin1String(tag))) +
           QStringLiteral("[0-9a-f]{%1}").arg(CopyDigits);
}

bool MatchesWhole(const QString& pattern, const QString& text) {
    return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
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

// Flushes the folder of each target: through links they may be several.
void SyncFolders(const std::array<TFileStep, 3>& steps) {
    QStringList synced;
    for (const TFileStep& step : steps) {
        const QString folder = QFileInfo(step.Target).absolutePath();
        if (!synced.contains(folder)) {
            synced << folder;
            SyncFolderOf(step.Target);
        }
    }
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
    SyncFolders(steps);
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

// The set's files as the user named them, in the order of the tables and of the record.
std::array<QString, 3> Named(const TConfigurationFiles& files) {
    return {files.TimerFile, files.PortFile, files.TemperatureFile};
}

QString AbsolutePath(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Links followed before giving up, as the system does.
constexpr int MaxLinkHops = 40;

// The file a save replaces for `name`: `name` itself, or the file the link `name` leads to
// (which need not exist yet), so that the link stays and the file it names takes the new
// content, as editors do. Empty for links that lead round in a circle.
QString FileBehind(const QString& name) {
    std::error_code error;
    fs::path path = PathOf(name);
    if (!fs::is_symlink(fs::symlink_status(path, error)))
        return name;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
        const fs::path target = fs::read_symlink(path, error);
        if (error || hops == MaxLinkHops)
            return {};
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    path = fs::weakly_canonical(path, error);
    return error ? QString() : QString::fromStdU16String(path.u16string());
}

// New files, old copies and temporary files that a save killed before it wrote its marker left
// beside the set's files and the files behind its links. Only names of exactly the forms the
// save gives them: "acquario.tmr.old-copia" is the user's, "acquario.tmr.new-anno.tmr" may be
// another configuration.
void RemoveLeftovers(const TConfigurationFiles& files, const std::array<TFileStep, 3>& steps,
                     const QString& marker) {
    QMap<QString, QStringList> patterns; // by folder
    const auto add = [&](const QString& path, const QString& pattern) {
        patterns[QFileInfo(path).absolutePath()] << pattern;
    };
    const std::array<QString, 3> named = Named(files);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        for (const QString& target : {named[i], steps[i].Target}) {
            const QString name = QFileInfo(target).fileName();
            add(target, CopyPattern(name, NewTag) + "(?:" + TemporarySuffixPattern() + ")?");
            add(target, CopyPattern(name, OldTag));
        }
    }
    add(marker,
        QRegularExpression::escape(QFileInfo(marker).fileName()) + TemporarySuffixPattern());
    for (auto it = patterns.cbegin(); it != patterns.cend(); ++it) {
        const QRegularExpression leftover(
            QRegularExpression::anchoredPattern(it.value().join(QLatin1Char('|'))));
        const QDir folder(it.key());
        for (const QString& entry : folder.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (leftover.match(entry).hasMatch())
                RemoveQuietly(folder.filePath(entry));
        }
    }
}

QString MarkerOf(const QString& timerFile) {
    return timerFile + QStringLiteral(".saving");
}

QString FolderOf(const QString& marker) {
    return QDir::cleanPath(QFileInfo(marker).absolutePath());
}

// How the marker names `path`: by its name when it lies beside the marker, as it names every
// set without links (and as earlier versions named every file), else by its absolute path.
QString MarkerName(const QString& path, const QString& markerFolder) {
    if (path.isEmpty())
        return {};
    const QFileInfo absolute(AbsolutePath(path));
    return absolute.path() == markerFolder ? absolute.fileName() : absolute.filePath();
}

// The path a marker's `text` stands for: a name beside the marker or a clean absolute path;
// nothing for anything else.
std::optional<QString> MarkedPath(const QString& text, const QString& markerFolder) {
    if (text.isEmpty())
        return QString();
    const bool absolute = QDir::isAbsolutePath(text);
    const QString path = absolute ? text : QDir(markerFolder).filePath(text);
    if ((!absolute && text.contains(QLatin1Char('/'))) || QDir::cleanPath(path) != path)
        return std::nullopt;
    return path;
}

// The marker names, for each file of the set, its new file and the old copy kept (none when
// there was no old file).
void WriteMarker(const QString& marker, const std::array<TFileStep, 3>& steps) {
    const QString folder = FolderOf(marker);
    QJsonArray files;
    for (const TFileStep& step : steps)
        files.append(QJsonObject{{QStringLiteral("target"), MarkerName(step.Target, folder)},
                                 {QStringLiteral("new"), MarkerName(step.Staged, folder)},
                                 {QStringLiteral("old"), MarkerName(step.Backup, folder)}});
    TMessage reason;
    if (!WriteFileAtomically(marker, QJsonDocument(files).toJson(QJsonDocument::Compact), reason))
        throw EWriteError(reason);
}

// A real marker is a few hundred bytes.
constexpr qint64 MaxMarkerSize = 64 * 1024;

// What the marker of a save of `files` records, when it is what such a save writes: a regular
// file naming, for each file of the set in turn, that file or the file behind its link, a new
// file and an old copy (or none) of the forms Stage and Keep give them beside it. Nothing
// otherwise: acting on such a marker could remove or replace any file. Throws EReadError when it
// cannot be read.
std::optional<std::array<TFileStep, 3>> ReadMarker(const QString& marker,
                                                   const TConfigurationFiles& files) {
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(PathOf(marker), error)))
        return std::nullopt; // a pipe would block the read, a device never end it
    QFile file(marker);
    if (!file.open(QIODevice::ReadOnly)) {
        const int number = errno;
        throw EReadError(
            TMessage(msgSaveRecordUnreadable, {marker, ReadFailureReason(marker, number)}));
    }
    const std::optional<QByteArray> bytes = ReadAllUpTo(file, MaxMarkerSize);
    if (!bytes)
        return std::nullopt;
    if (file.error() != QFileDevice::NoError)
        throw EReadError(TMessage(msgSaveRecordUnreadable, {marker, SystemReason(EIO)}));
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &parse);
    const QJsonArray entries = document.array();
    std::array<TFileStep, 3> steps;
    if (parse.error != QJsonParseError::NoError || entries.size() != int(steps.size()))
        return std::nullopt;
    const QString folder = FolderOf(marker);
    const std::array<QString, 3> named = Named(files);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const QJsonObject entry = entries[int(i)].toObject();
        std::array<std::optional<QString>, 3> paths;
        const char* keys[] = {"target", "new", "old"};
        for (std::size_t k = 0; k < paths.size(); ++k) {
            const QJsonValue value = entry[QLatin1String(keys[k])];
            if (value.isString())
                paths[k] = MarkedPath(value.toString(), folder);
            if (!paths[k])
                return std::nullopt;
        }
        const QString& target = *paths[0];
        const QString behind = FileBehind(named[i]);
        if (target != AbsolutePath(named[i]) &&
            (behind.isEmpty() || target != AbsolutePath(behind)))
            return std::nullopt;
        if (!MatchesWhole(CopyPattern(target, NewTag), *paths[1]) ||
            (!paths[2]->isEmpty() && !MatchesWhole(CopyPattern(target, OldTag), *paths[2])))
            return std::nullopt;
        steps[i] = {target, *paths[1], *paths[2]};
    }
    return steps;
}

EReadError MarkerRefused(const QString& marker) {
    return EReadError(TMessage(msgSaveRecordRefused, {marker}));
}

void RemoveMarker(const QString& marker) {
    SaveStep();
    QFile::remove(marker);
    SyncFolderOf(marker);
}

// Finishes the save `steps` records: the new set if all three new files are in place, else the
// old one.
void Recover(const QString& marker, const std::array<TFileStep, 3>& steps) {
    if (AllPlaced(steps)) {
        RemoveBackups(steps);
    } else {
        const QStringList notRestored = RollBack(steps);
        if (!notRestored.isEmpty())
            throw EWriteError(TMessage(msgSaveNotUndone, {NameList(notRestored)}));
    }
    RemoveMarker(marker);
}

// Whether each target holds a whole table of its kind. Then the set on disk is usable as it is,
// and a save may put its own marker in the place of one that cannot be used; otherwise that
// marker may be all that tells what happened, and the user has to look.
bool ReadsWhole(const std::array<TMemData*, 3>& tables, const std::array<TFileStep, 3>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!QFileInfo(steps[i].Target).isFile())
            return false;
        TMemData probe;
        for (const TFieldDef& def : tables[i]->FieldDefs()) {
            if (def.DataType != TFieldType::ftRecId)
                probe.AddFieldDef(def.Name, def.DataType, def.Size);
        }
        probe.Open();
        try {
            probe.LoadFromBinaryFile(steps[i].Target);
        } catch (const Exception&) {
            return false;
        }
    }
    return true;
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
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    const QString marker = MarkerOf(files.TimerFile);
    if (!Exists(marker))
        return;
    const std::optional<std::array<TFileStep, 3>> recorded = ReadMarker(marker, files);
    if (!recorded)
        throw MarkerRefused(marker);
    Recover(marker, *recorded);
}

void SaveConfigurationFiles(TMemData& timers, TMemData& ports, TMemData& temperature,
                            const QString& timerFile) {
    const TConfigurationFiles files = ConfigurationFilesOf(timerFile);
    const std::array<TMemData*, 3> tables{&timers, &ports, &temperature};
    // Each link is followed once, here: every step below works on the file it leads to.
    std::array<TFileStep, 3> steps;
    const std::array<QString, 3> named = Named(files);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].Target = FileBehind(named[i]);
        if (steps[i].Target.isEmpty())
            throw EWriteError(TMessage(msgNothingWritten, {named[i], SystemReason(ELOOP)}));
    }
    const QString marker = MarkerOf(files.TimerFile);
    if (Exists(marker)) {
        if (const std::optional<std::array<TFileStep, 3>> recorded = ReadMarker(marker, files))
            Recover(marker, *recorded);
        else if (!ReadsWhole(tables, steps))
            throw MarkerRefused(marker);
    }
    RemoveLeftovers(files, steps, marker);

    // Nothing in place changes until all three new files exist.
    Stage(tables, steps);

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
    SyncFolders(steps);
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
