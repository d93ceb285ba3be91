#pragma once

// The per-user settings store that stands in for the HKEY_CURRENT_USER hive: one JSON file,
// $XDG_CONFIG_HOME/lumotrix/registry.json (~/.config when the variable is unset), replaced
// atomically on every change. Outside a scope every call reads the file afresh, so two TRegistry
// objects never disagree and nothing is lost to a stale copy; the calls of one operation share
// one reading of the file by running inside a TRegistrySnapshot (reads) or a TRegistryUpdate.
//
// Key paths are backslash-separated ("Software\Velmoran"); a leading "HKEY_CURRENT_USER\" or
// "HKCU\" is dropped, empty components are ignored, and they compare without regard to case, as
// on Windows. A path with a leading backslash is absolute, any other is relative to the open
// key. Value names are kept and compared exactly as given: one may be a full file path, and on
// this system paths differ by case.
//
// A missing file is an empty store. A damaged or unreadable file makes every read throw
// ERegistryException with a message naming the file; the caller shows it and goes on with its
// defaults. A write over a damaged file keeps that file beside the store as "<file>.damaged"
// and starts a new one, so the user can always save settings again.

#include "runtime/Exception.h"

#include <QString>
#include <QStringList>

namespace lumotrix {

// A failure of the store. What the user reads names the file; Detail() keeps for a developer
// what exactly went wrong (the parser's complaint, the system's error), and what() gives both.
class ERegistryException : public Exception {
public:
    using Exception::Exception;
    ERegistryException(TMessage message, QString detail);
    const QString& Detail() const noexcept { return FDetail; }
    const char* what() const noexcept override;

private:
    QString FDetail;
    std::string FWhat;
};

enum class TRegDataType { rdUnknown, rdString, rdInteger };

class TRegistry {
public:
    TRegistry() = default;

    // The file in use: the one set by SetStorePath, else DefaultStorePath().
    static QString StorePath();
    // For tests and tools; an empty path goes back to the default.
    static void SetStorePath(const QString& path);
    static QString DefaultStorePath();

    // Writes between BeginUpdate and EndUpdate (which nest) reach the file once, at the
    // outermost EndUpdate, so a set of values is stored whole or not at all. CancelUpdate
    // instead drops what was written since the outermost BeginUpdate.
    static void BeginUpdate();
    static void EndUpdate(); // ERegistryException when the file cannot be written
    static void CancelUpdate();
    // Calls between BeginRead and EndRead (which nest) share one reading of the file, made at
    // the first of them; writes still reach the file at once (or at the end of an update).
    static void BeginRead();
    static void EndRead();

    // Opens `key`, creating it when `canCreate`; false when it does not exist and may not be
    // created. A key opened read-only refuses writes.
    bool OpenKey(const QString& key, bool canCreate);
    bool OpenKeyReadOnly(const QString& key);
    void CloseKey();
    // The open key's path without a leading backslash; empty for the root.
    const QString& CurrentPath() const { return FCurrentPath; }
    bool KeyOpen() const { return FKeyOpen; }

    bool KeyExists(const QString& key) const;
    bool DeleteKey(const QString& key); // with every key below it; false when there was none
    QStringList GetKeyNames() const;    // the open key's direct subkeys
    QStringList GetValueNames() const;  // in the order they were first written

    bool ValueExists(const QString& name) const;
    TRegDataType GetDataType(const QString& name) const; // rdUnknown when absent
    bool DeleteValue(const QString& name);               // false when there was none

    // ReadString gives "" for an absent value; ReadInteger and ReadBool throw
    // ERegistryException for an absent value; every read throws it for a value of another type.
    QString ReadString(const QString& name) const;
    qint32 ReadInteger(const QString& name) const;
    bool ReadBool(const QString& name) const; // stored as the integer 0 or 1
    void WriteString(const QString& name, const QString& value);
    void WriteInteger(const QString& name, qint32 value);
    void WriteBool(const QString& name, bool value);

private:
    QString Resolve(const QString& key) const;
    void CheckWritable(const QString& name) const;

    QString FCurrentPath;
    bool FKeyOpen = false;
    bool FReadOnly = false;
};

// Groups the writes of its lifetime into one store update: Commit() writes them, leaving the
// scope without Commit() (an exception) drops them.
class TRegistryUpdate {
public:
    TRegistryUpdate() { TRegistry::BeginUpdate(); }
    ~TRegistryUpdate() {
        if (FOpen)
            TRegistry::CancelUpdate();
    }
    TRegistryUpdate(const TRegistryUpdate&) = delete;
    TRegistryUpdate& operator=(const TRegistryUpdate&) = delete;
    void Commit() {
        FOpen = false;
        TRegistry::EndUpdate();
    }

private:
    bool FOpen = true;
};

// Lets the calls of one operation (loading a set of settings) read the store once.
class TRegistrySnapshot {
public:
    TRegistrySnapshot() { TRegistry::BeginRead(); }
    ~TRegistrySnapshot() { TRegistry::EndRead(); }
    TRegistrySnapshot(const TRegistrySnapshot&) = delete;
    TRegistrySnapshot& operator=(const TRegistrySnapshot&) = delete;
};

} // namespace lumotrix
