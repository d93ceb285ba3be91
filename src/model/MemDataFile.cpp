// The table's binary file format (see TMemData::SaveToBytes in MemData.h).

#include "model/MemData.h"

#include "model/MemDataLimits.h"
#include "model/ModelMessageIds.h"
#include "model/TableBytes.h"
#include "runtime/AtomicFile.h"
#include "runtime/CappedRead.h"
#include "runtime/SystemReason.h"

#include <QFile>
#include <cerrno>
#include <filesystem>

namespace lumotrix {

namespace {

constexpr char Signature[8] = {'L', 'M', 'X', 'T', 'A', 'B', 'L', 'E'};
constexpr quint16 FormatVersion = 1;

// The configuration tables are a few kilobytes; anything this large is not one of ours. The cell
// limit bounds the memory a hostile file can make the reader take (a null cell is one byte on
// disk but a whole value in memory).
constexpr qint64 MaxFileSize = 8 * 1024 * 1024;
constexpr quint64 MaxCellCount = 1024 * 1024;

// The field names, for a message: the types are the developer's words.
QString FieldList(const std::vector<TFieldDef>& defs) {
    QStringList names;
    for (const TFieldDef& d : defs)
        names << d.Name;
    return names.join(QStringLiteral(", "));
}

bool SameDefs(const std::vector<TFieldDef>& a, const std::vector<TFieldDef>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].Name.compare(b[i].Name, Qt::CaseInsensitive) != 0 ||
            a[i].DataType != b[i].DataType || a[i].Size != b[i].Size)
            return false;
    return true;
}

} // namespace

QByteArray TMemData::SaveToBytes() {
    if (Active())
        CheckBrowseMode();
    TByteWriter w;
    w.Bytes(QByteArray(Signature, sizeof Signature));
    w.U16(FormatVersion);
    w.U16(static_cast<quint16>(FDefs.size()));
    for (const TFieldDef& d : FDefs) {
        const AnsiString name = ToAnsi(d.Name);
        w.U8(static_cast<quint8>(name.size()));
        w.Bytes(name);
        w.U8(static_cast<quint8>(d.DataType));
        w.U16(static_cast<quint16>(d.Size));
    }
    w.U32(static_cast<quint32>(FRows.size()));
    for (const auto& row : FRows) {
        for (std::size_t f = 0; f < FDefs.size(); ++f) {
            const TFieldValue& v = (*row)[f];
            if (std::holds_alternative<std::monostate>(v)) {
                w.U8(0);
                continue;
            }
            w.U8(1);
            if (const auto* i = std::get_if<qint32>(&v))
                w.I32(*i);
            else if (const auto* d = std::get_if<double>(&v))
                w.F64(*d);
            else if (const auto* b = std::get_if<bool>(&v))
                w.U8(*b ? 1 : 0);
            else {
                const AnsiString& s = std::get<AnsiString>(v);
                w.U16(static_cast<quint16>(s.size()));
                w.Bytes(s);
            }
        }
    }
    const quint32 crc = Crc32(w.Data().constData(), w.Data().size());
    w.U32(crc);
    return w.Data();
}

void TMemData::SaveToBinaryFile(const QString& fileName) {
    const QByteArray bytes = SaveToBytes();
    TMessage reason;
    if (!WriteFileAtomically(fileName, bytes, reason))
        throw EWriteError(TMessage(msgTableFileUnwritable, {fileName, reason}));
}

void TMemData::LoadFromBinaryFile(const QString& fileName) {
    QFile file(fileName);
    auto fail = [&](const TMessage& reason) {
        throw EReadError(TMessage(msgTableFileUnreadable, {fileName, reason}));
    };
    // A pipe would block the open and a device give endless bytes: only a file is read.
    std::error_code error;
    const auto status =
        std::filesystem::status(std::filesystem::path(fileName.toStdU16String()), error);
    if (!error && status.type() != std::filesystem::file_type::regular)
        fail(ReadFailureReason(fileName, 0));
    if (!file.open(QIODevice::ReadOnly))
        fail(ReadFailureReason(fileName, errno));
    const std::optional<QByteArray> bytes = ReadAllUpTo(file, MaxFileSize);
    if (!bytes)
        fail({msgTableTooLarge});
    if (file.error() != QFileDevice::NoError)
        fail(SystemReason(EIO));
    LoadFromBytes(*bytes, fileName);
}

void TMemData::LoadFromBytes(const QByteArray& bytes, const QString& sourceName) {
    // The trailing CRC is checked once the header is known to be ours, so that a foreign file
    // is called foreign rather than damaged.
    TByteReader r(bytes, bytes.size(), sourceName);
    if (bytes.size() < qsizetype(sizeof Signature) ||
        std::memcmp(bytes.constData(), Signature, sizeof Signature) != 0)
        r.Fail({msgTableNotTableFile});
    r.Take(sizeof Signature);
    const quint16 version = r.U16();
    if (version != FormatVersion)
        r.Fail({msgTableVersion, {version}});
    if (bytes.size() < r.Pos() + 4)
        r.Fail({msgTableCutShort});
    const qsizetype bodyEnd = bytes.size() - 4;
    if (qFromLittleEndian<quint32>(bytes.constData() + bodyEnd) !=
        Crc32(bytes.constData(), bodyEnd))
        r.Fail({msgTableDamaged});

    TByteReader body(bytes, bodyEnd, sourceName);
    body.Take(r.Pos());
    const quint16 fieldCount = body.U16();
    if (fieldCount < 1 || fieldCount > MaxFieldCount)
        body.Fail({msgTableFieldCount, {fieldCount}});
    std::vector<TFieldDef> defs;
    for (int i = 0; i < fieldCount; ++i) {
        const quint8 nameLength = body.U8();
        if (nameLength < 1 || nameLength > MaxFieldNameLength)
            body.Fail({msgTableFieldName, {i + 1, nameLength}});
        TFieldDef def;
        def.Name = FromAnsi(QByteArray(body.Take(nameLength), nameLength));
        const quint8 type = body.U8();
        if (type < quint8(TFieldType::ftRecId) || type > quint8(TFieldType::ftBoolean))
            body.Fail({msgTableFieldType, {Quoted(def.Name), type}});
        def.DataType = static_cast<TFieldType>(type);
        def.Size = body.U16();
        const bool isString = def.DataType == TFieldType::ftString;
        if (isString ? (def.Size < 1 || def.Size > MaxStringSize) : def.Size != 0)
            body.Fail({msgTableFieldSize, {Quoted(def.Name), def.Size}});
        if ((i == 0) != (def.DataType == TFieldType::ftRecId))
            body.Fail({msgTableRecordNumber});
        for (const TFieldDef& other : defs)
            if (other.Name.compare(def.Name, Qt::CaseInsensitive) == 0)
                body.Fail({msgTableFieldTwice, {Quoted(def.Name)}});
        defs.push_back(def);
    }

    const bool adopt = FDefs.size() == 1;
    if (!adopt && !SameDefs(defs, FDefs))
        body.Fail({msgTableOtherFields, {FieldList(defs), FieldList(FDefs)}});

    const quint32 rowCount = body.U32();
    // Every field of a row takes at least its one-byte null flag.
    if (rowCount > quint64(body.Remaining()) / defs.size())
        body.Fail({msgTableRowsDoNotFit, {rowCount}});
    if (quint64(rowCount) * defs.size() > MaxCellCount)
        body.Fail({msgTableTooManyRows, {rowCount}});
    std::vector<std::unique_ptr<TRow>> rows;
    rows.reserve(rowCount);
    for (quint32 n = 0; n < rowCount; ++n) {
        auto row = std::make_unique<TRow>(defs.size());
        for (std::size_t f = 0; f < defs.size(); ++f) {
            const TFieldDef& def = defs[f];
            const quint8 flag = body.U8();
            if (flag == 0)
                continue;
            if (flag != 1)
                body.Fail({msgTableNullFlag, {n + 1, Quoted(def.Name), flag}});
            TFieldValue v;
            switch (def.DataType) {
            case TFieldType::ftString: {
                const quint16 length = body.U16();
                if (length == 0 || length > def.Size)
                    body.Fail({msgTableTextTooLong, {n + 1, Quoted(def.Name), length, def.Size}});
                v = AnsiString(body.Take(length), length);
                break;
            }
            case TFieldType::ftFloat:
                v = body.F64();
                break;
            case TFieldType::ftBoolean: {
                const quint8 b = body.U8();
                if (b > 1)
                    body.Fail({msgTableBoolean, {n + 1, Quoted(def.Name), b}});
                v = b == 1;
                break;
            }
            default:
                v = body.I32();
                break;
            }
            try {
                (*row)[f] = ConvertValue(def, v);
            } catch (const Exception& e) {
                body.Fail({msgTableRowValue, {n + 1, e.Argument()}});
            }
        }
        rows.push_back(std::move(row));
    }
    if (body.Remaining() != 0)
        body.Fail({msgTableTrailingBytes, {body.Remaining()}});

    // Everything read: replace the table's content in one go.
    FBuffer.clear();
    FModified = false;
    if (adopt) {
        FDefs = std::move(defs);
        RebuildFields();
    }
    FRows = std::move(rows);
    SortRows();
    FCurrent = FRows.empty() ? -1 : 0;
    FBof = true;
    FEof = FRows.empty();
    const bool stateChanged = FState != TDataSetState::dsBrowse;
    FState = TDataSetState::dsBrowse;
    if (stateChanged)
        Notify(TTableChange::TKind::StateChanged);
    Notify(TTableChange::TKind::Reset);
}

} // namespace lumotrix
