#include "runtime/ResourceFile.h"

#include "runtime/AtomicFile.h"
#include "runtime/CappedRead.h"
#include "runtime/Exception.h"
#include "runtime/Locales.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace lumotrix {
namespace {

constexpr int StringsPerBlock = 16;

qsizetype AlignUp(qsizetype offset) {
    return (offset + 3) & ~qsizetype(3);
}

class TResReader {
public:
    TResReader(const QByteArray& data, const QString& origin) : D(data), Origin(origin) {}

    [[noreturn]] void Fail(const QString& what, qsizetype offset) const {
        const QString message = QStringLiteral("%1 at offset %2").arg(what).arg(offset);
        throw EReadError(Origin.isEmpty() ? message : Origin + QLatin1String(": ") + message);
    }

    quint32 Dword(qsizetype at, qsizetype limit) const {
        if (at + 4 > limit)
            Fail(QStringLiteral("Resource header cut short"), at);
        return qFromLittleEndian<quint32>(D.constData() + at);
    }

    quint16 Word(qsizetype at, qsizetype limit) const {
        if (at + 2 > limit)
            Fail(QStringLiteral("Resource header cut short"), at);
        return qFromLittleEndian<quint16>(D.constData() + at);
    }

    // An ordinal (0xFFFF, number) or a zero-terminated UTF-16 name, inside the header.
    TResourceId Id(qsizetype& at, qsizetype limit) const {
        const quint16 first = Word(at, limit);
        if (first == 0xFFFF) {
            const quint16 ordinal = Word(at + 2, limit);
            at += 4;
            return TResourceId(ordinal);
        }
        QString name;
        for (qsizetype p = at;; p += 2) {
            const quint16 unit = Word(p, limit);
            if (unit == 0) {
                at = p + 2;
                return TResourceId(name);
            }
            name += QChar(unit);
        }
    }

    const QByteArray& D;
    const QString& Origin;
};

void AppendWord(QByteArray& out, quint16 value) {
    char buffer[2];
    qToLittleEndian(value, buffer);
    out.append(buffer, 2);
}

void AppendDword(QByteArray& out, quint32 value) {
    char buffer[4];
    qToLittleEndian(value, buffer);
    out.append(buffer, 4);
}

void AppendId(QByteArray& out, const TResourceId& id) {
    if (id.IsOrdinal()) {
        AppendWord(out, 0xFFFF);
        AppendWord(out, id.Ordinal());
        return;
    }
    for (QChar c : id.Name()) {
        if (c.unicode() == 0)
            throw EWriteError(QStringLiteral("Resource name holds a NUL character"));
        AppendWord(out, c.unicode());
    }
    AppendWord(out, 0);
}

void AppendEntry(QByteArray& out, const TResourceEntry& e) {
    QByteArray header;
    AppendId(header, e.Type);
    AppendId(header, e.Name);
    while ((8 + header.size()) % 4)
        header.append('\0');
    AppendDword(header, e.DataVersion);
    AppendWord(header, e.MemoryFlags);
    AppendWord(header, e.LanguageId);
    AppendDword(header, e.Version);
    AppendDword(header, e.Characteristics);
    if (e.Data.size() > 0x7FFFFFFF)
        throw EWriteError(QStringLiteral("Resource %1 is too large").arg(e.Name.ToString()));
    AppendDword(out, quint32(e.Data.size()));
    AppendDword(out, quint32(8 + header.size()));
    out.append(header);
    out.append(e.Data);
    while (out.size() % 4)
        out.append('\0');
}

// The leading empty entry that marks a 32-bit resource file.
QByteArray NullEntry() {
    QByteArray out;
    TResourceEntry empty;
    empty.MemoryFlags = 0;
    AppendEntry(out, empty);
    return out;
}

} // namespace

bool TResourceId::Matches(const TResourceId& other) const {
    if (FIsName != other.FIsName)
        return false;
    if (!FIsName)
        return FOrdinal == other.FOrdinal;
    return FName.compare(other.FName, Qt::CaseInsensitive) == 0;
}

QString TResourceId::ToString() const {
    return FIsName ? FName : QString::number(FOrdinal);
}

TResourceFile TResourceFile::FromBytes(const QByteArray& bytes, const QString& origin) {
    return Parse(bytes, origin, false);
}

TResourceFile TResourceFile::FromImage(const QByteArray& image, const QString& origin) {
    return Parse(image, origin, true);
}

TResourceFile TResourceFile::Parse(const QByteArray& bytes, const QString& origin, bool shareData) {
    TResReader r(bytes, origin);
    const QByteArray null = NullEntry();
    if (bytes.size() < null.size() || bytes.left(null.size()) != null)
        r.Fail(QStringLiteral("Not a 32-bit resource file"), 0);
    TResourceFile file;
    qsizetype at = null.size();
    while (at < bytes.size()) {
        const qsizetype start = at;
        const qsizetype size = bytes.size();
        const quint32 dataSize = r.Dword(start, size);
        const quint32 headerSize = r.Dword(start + 4, size);
        if (headerSize > quint64(size - start))
            r.Fail(QStringLiteral("Resource header size %1 past the end").arg(headerSize),
                   start + 4);
        const qsizetype headerEnd = start + qsizetype(headerSize);
        TResourceEntry e;
        qsizetype p = start + 8;
        e.Type = r.Id(p, headerEnd);
        e.Name = r.Id(p, headerEnd);
        p = AlignUp(p);
        if (p + 16 > headerEnd)
            r.Fail(QStringLiteral("Resource header size %1 too small").arg(headerSize), start + 4);
        e.DataVersion = r.Dword(p, headerEnd);
        e.MemoryFlags = r.Word(p + 4, headerEnd);
        e.LanguageId = r.Word(p + 6, headerEnd);
        e.Version = r.Dword(p + 8, headerEnd);
        e.Characteristics = r.Dword(p + 12, headerEnd);
        const qsizetype dataStart = AlignUp(headerEnd);
        if (dataStart > size || dataSize > quint64(size - dataStart))
            r.Fail(QStringLiteral("Resource data size %1 past the end").arg(dataSize), start);
        e.Data = shareData ? QByteArray::fromRawData(bytes.constData() + dataStart, dataSize)
                           : bytes.mid(dataStart, dataSize);
        file.FEntries.append(std::move(e));
        at = AlignUp(dataStart + qsizetype(dataSize));
    }
    return file;
}

TResourceFile TResourceFile::LoadFromFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw EResNotFound(
            QStringLiteral("Cannot open resource file %1: %2").arg(path, f.errorString()));
    // Size and signature before the content: a huge or foreign file costs no memory.
    const auto cannotRead = [&] {
        return EResNotFound(
            QStringLiteral("Cannot read resource file %1: %2").arg(path, f.errorString()));
    };
    const auto tooLarge = [&] {
        return EReadError(QStringLiteral("%1: larger than %2 MiB")
                              .arg(path)
                              .arg(MaxResourceFileSize / (1024 * 1024)));
    };
    if (f.size() > MaxResourceFileSize)
        throw tooLarge();
    const QByteArray null = NullEntry();
    const QByteArray head = f.read(null.size());
    if (f.error() != QFileDevice::NoError)
        throw cannotRead();
    if (head != null)
        TResReader(head, path).Fail(QStringLiteral("Not a 32-bit resource file"), 0);
    if (!f.seek(0))
        throw cannotRead();
    const std::optional<QByteArray> bytes = ReadAllUpTo(f, MaxResourceFileSize);
    if (f.error() != QFileDevice::NoError)
        throw cannotRead();
    if (!bytes)
        throw tooLarge();
    TResourceFile file = FromBytes(*bytes, path);
    // A damaged string block would fail every later string lookup: refuse the file now.
    for (const TResourceEntry& e : file.FEntries) {
        if (!e.Type.Matches(RT_STRING) || !e.Name.IsOrdinal())
            continue;
        try {
            DecodeStringBlock(e.Data);
        } catch (const EReadError& error) {
            throw EReadError(QStringLiteral("%1: string block %2: %3")
                                 .arg(path, e.Name.ToString(), error.Message()));
        }
    }
    file.FFileName = path;
    file.FCodePage = CodePageOfLanguageCode(QFileInfo(path).suffix());
    return file;
}

QByteArray TResourceFile::ToBytes() const {
    QByteArray out = NullEntry();
    for (const TResourceEntry& e : FEntries)
        AppendEntry(out, e);
    return out;
}

void TResourceFile::SaveToFile(const QString& path) const {
    const QByteArray bytes = ToBytes();
    QString error;
    if (!WriteFileAtomically(path, bytes, error))
        throw EWriteError(QStringLiteral("Cannot write %1: %2").arg(path, error));
}

void TResourceFile::Add(TResourceEntry entry) {
    for (TResourceEntry& e : FEntries) {
        if (e.Type.Matches(entry.Type) && e.Name.Matches(entry.Name) &&
            e.LanguageId == entry.LanguageId) {
            e = std::move(entry);
            return;
        }
    }
    FEntries.append(std::move(entry));
}

const TResourceEntry* TResourceFile::Find(const TResourceId& type, const TResourceId& name) const {
    for (const TResourceEntry& e : FEntries)
        if (e.Type.Matches(type) && e.Name.Matches(name))
            return &e;
    return nullptr;
}

QList<QString> DecodeStringBlock(const QByteArray& data) {
    QList<QString> strings;
    qsizetype at = 0;
    for (int i = 0; i < StringsPerBlock; ++i) {
        if (at + 2 > data.size())
            throw EReadError(QStringLiteral("String table block cut short at offset %1").arg(at));
        const quint16 length = qFromLittleEndian<quint16>(data.constData() + at);
        if (qsizetype(length) * 2 > data.size() - at - 2)
            throw EReadError(
                QStringLiteral("String length %1 past the end of the block at offset %2")
                    .arg(length)
                    .arg(at));
        at += 2;
        QString text(length, Qt::Uninitialized);
        for (int k = 0; k < length; ++k)
            text[k] = QChar(qFromLittleEndian<quint16>(data.constData() + at + 2 * k));
        at += 2 * qsizetype(length);
        strings.append(text);
    }
    return strings;
}

QByteArray EncodeStringBlock(const QList<QString>& strings) {
    QByteArray out;
    for (int i = 0; i < StringsPerBlock; ++i) {
        const QString text = i < strings.size() ? strings[i] : QString();
        if (text.size() > 0xFFFF)
            throw EWriteError(QStringLiteral("String of %1 characters is too long for a string "
                                             "table")
                                  .arg(text.size()));
        AppendWord(out, quint16(text.size()));
        for (QChar c : text)
            AppendWord(out, c.unicode());
    }
    return out;
}

std::optional<QString> TResourceFile::LoadString(quint16 id) const {
    const TResourceId blockId(quint16(id / 16 + 1));
    for (const TResourceEntry& e : FEntries) {
        if (!e.Type.Matches(RT_STRING) || !e.Name.Matches(blockId))
            continue;
        QString text = DecodeStringBlock(e.Data)[id % 16];
        if (!text.isEmpty())
            return text;
    }
    return std::nullopt;
}

void TResourceFile::SetString(quint16 id, const QString& text, quint16 languageId) {
    const TResourceId blockId(quint16(id / 16 + 1));
    if (text.size() > 0xFFFF)
        throw EWriteError(QStringLiteral("String %1 is too long for a string table (%2 characters)")
                              .arg(id)
                              .arg(text.size()));
    for (TResourceEntry& e : FEntries) {
        if (e.Type.Matches(RT_STRING) && e.Name.Matches(blockId) && e.LanguageId == languageId) {
            QList<QString> strings = DecodeStringBlock(e.Data);
            strings[id % 16] = text;
            e.Data = EncodeStringBlock(strings);
            return;
        }
    }
    TResourceEntry e;
    e.Type = RT_STRING;
    e.Name = blockId;
    e.MemoryFlags = ResMoveable | ResPure | ResDiscardable;
    e.LanguageId = languageId;
    QList<QString> strings(StringsPerBlock);
    strings[id % 16] = text;
    e.Data = EncodeStringBlock(strings);
    FEntries.append(std::move(e));
}

QMap<quint16, QString> TResourceFile::Strings() const {
    QMap<quint16, QString> result;
    for (const TResourceEntry& e : FEntries) {
        if (!e.Type.Matches(RT_STRING) || !e.Name.IsOrdinal() || e.Name.Ordinal() == 0 ||
            e.Name.Ordinal() > 4096)
            continue;
        const QList<QString> strings = DecodeStringBlock(e.Data);
        for (int i = 0; i < StringsPerBlock; ++i) {
            const quint32 id = (quint32(e.Name.Ordinal()) - 1) * 16 + quint32(i);
            if (!strings[i].isEmpty() && !result.contains(quint16(id)))
                result.insert(quint16(id), strings[i]);
        }
    }
    return result;
}

} // namespace lumotrix
