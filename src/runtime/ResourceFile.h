#pragma once

#include "runtime/CodePage.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

namespace lumotrix {

constexpr quint16 RT_STRING = 6;
constexpr quint16 RT_RCDATA = 10;

// A resource file is read whole into memory; a translation is a few hundred kilobytes.
constexpr qint64 MaxResourceFileSize = qint64(64) * 1024 * 1024;

// Memory flags the resource compiler gives its entries.
constexpr quint16 ResMoveable = 0x0010;
constexpr quint16 ResPure = 0x0020;
constexpr quint16 ResPreload = 0x0040;
constexpr quint16 ResDiscardable = 0x1000;

// A resource type or name: a 16-bit ordinal or a string. Strings compare without regard to
// letter case, as resource lookups do ("TForm1" finds "TFORM1").
class TResourceId {
public:
    TResourceId() = default;
    TResourceId(quint16 ordinal) : FOrdinal(ordinal) {}
    TResourceId(QString name) : FName(std::move(name)), FIsName(true) {}
    TResourceId(const char* name) : TResourceId(QString::fromUtf8(name)) {}

    bool IsOrdinal() const { return !FIsName; }
    quint16 Ordinal() const { return FOrdinal; }
    const QString& Name() const { return FName; }
    bool Matches(const TResourceId& other) const;
    QString ToString() const; // the name, or the ordinal in decimal

private:
    quint16 FOrdinal = 0;
    QString FName;
    bool FIsName = false;
};

struct TResourceEntry {
    TResourceId Type;
    TResourceId Name;
    quint32 DataVersion = 0;
    quint16 MemoryFlags = ResMoveable | ResPure;
    quint16 LanguageId = 0;
    quint32 Version = 0;
    quint32 Characteristics = 0;
    QByteArray Data;
};

// A compiled 32-bit resource file (.res): a leading empty entry, then entries each with a
// header (data size, header size, type, name, data version, memory flags, language, version,
// characteristics) and their data, DWORD aligned. Readers throw EReadError naming the offset.
class TResourceFile {
public:
    TResourceFile() = default;
    // `origin` names the source in error messages (a file name); empty for none.
    static TResourceFile FromBytes(const QByteArray& bytes, const QString& origin = {});
    // The same without copying: the entries' data point into `image`, which must outlive the
    // file and stay unchanged (the resources compiled into a module).
    static TResourceFile FromImage(const QByteArray& image, const QString& origin = {});
    // EResNotFound when the file cannot be read, EReadError when its content is bad: no
    // resource file, larger than MaxResourceFileSize, or a damaged string-table block.
    static TResourceFile LoadFromFile(const QString& path);

    QByteArray ToBytes() const;
    // Written to a temporary file and renamed, so a failure leaves no partial file behind.
    // EWriteError on failure.
    void SaveToFile(const QString& path) const;

    const QList<TResourceEntry>& Entries() const { return FEntries; }
    const QString& FileName() const { return FFileName; }
    // The code page of its 8-bit strings: that of the language its file-name extension names
    // (lumotrix.RUS: 1251), Windows-1252 for the built-in resources and other names.
    int CodePage() const { return FCodePage; }
    void SetCodePage(int codePage) { FCodePage = codePage; }
    bool IsEmpty() const { return FEntries.isEmpty(); }

    // Adds an entry, replacing one of the same type, name and language.
    void Add(TResourceEntry entry);
    // The first entry of that type and name, whatever its language; nullptr when none.
    const TResourceEntry* Find(const TResourceId& type, const TResourceId& name) const;

    // String tables: string `id` lives in the RT_STRING block (id / 16) + 1, which holds 16
    // strings, each a UTF-16 length word followed by that many code units. An empty string
    // and an absent one are the same in this format: both give nullopt. Blocks of several
    // languages are searched in file order. A damaged block throws EReadError.
    std::optional<QString> LoadString(quint16 id) const;
    // Sets one string of a block of the given language, creating the block when needed.
    // An empty text removes the string. EWriteError beyond 65535 code units.
    void SetString(quint16 id, const QString& text, quint16 languageId = 0);
    // Every non-empty string of every block, in id order (the first block of an id wins).
    QMap<quint16, QString> Strings() const;

private:
    static TResourceFile Parse(const QByteArray& bytes, const QString& origin, bool shareData);

    QList<TResourceEntry> FEntries;
    QString FFileName;
    int FCodePage = CodePageWindows1252;
};

// The 16 strings of a string-table block; EReadError naming the offset in the block when the
// data is damaged.
QList<QString> DecodeStringBlock(const QByteArray& data);
QByteArray EncodeStringBlock(const QList<QString>& strings);

} // namespace lumotrix
