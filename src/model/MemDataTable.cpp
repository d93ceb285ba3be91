#include "model/MemDataTable.h"

#include "model/ModelMessageIds.h"
#include "runtime/CodePage.h"
#include "runtime/Exception.h"

#include <QTime>

namespace lumotrix {

namespace {
constexpr qint32 MsecsPerDay = 24 * 60 * 60 * 1000;

// The characters of `text` that have no byte in the configuration's code page, each once.
QString ForeignCharacters(const QString& text) {
    QString foreign;
    for (const uint code : text.toUcs4()) {
        const char32_t c = code;
        const QString one = QString::fromUcs4(&c, 1);
        if (!IsAnsiRepresentable(one) && !foreign.contains(one))
            foreign += one;
    }
    return foreign;
}
} // namespace

TMemDataTable::TMemDataTable(TMemData& table) : FTable(&table) {
    table.AttachObserver(this);
}

TMemDataTable::~TMemDataTable() {
    if (FTable)
        FTable->DetachObserver(this);
}

int TMemDataTable::RowCount() const {
    return FTable ? FTable->RecordCount() : 0;
}

QStringList TMemDataTable::FieldNames() const {
    QStringList names;
    if (FTable)
        for (const TFieldDef& def : FTable->FieldDefs())
            names << def.Name;
    return names;
}

QVariant TMemDataTable::Value(int row, int field) const {
    const TFieldDef& def = CheckCell(row, field);
    const TFieldValue& value = FTable->CellValue(row, field);
    if (std::holds_alternative<std::monostate>(value))
        return {};
    switch (def.DataType) {
    case TFieldType::ftString:
        return FromAnsi(std::get<AnsiString>(value));
    case TFieldType::ftTime:
    case TFieldType::ftDuration: {
        const qint32 msecs = std::get<qint32>(value);
        if (msecs >= 0 && msecs < MsecsPerDay)
            return QTime::fromMSecsSinceStartOfDay(msecs);
        return msecs / double(MsecsPerDay);
    }
    case TFieldType::ftBoolean:
        return std::get<bool>(value);
    case TFieldType::ftFloat:
        return std::get<double>(value);
    default:
        return std::get<qint32>(value);
    }
}

void TMemDataTable::SetValue(int row, int field, const QVariant& value) {
    const TFieldDef& def = CheckCell(row, field);
    TFieldValue stored;
    if (value.isValid() && !value.isNull()) {
        switch (def.DataType) {
        case TFieldType::ftString: {
            // The controller stores 8-bit text: a character it has no byte for would silently
            // become "?" in the files and on the line.
            const QString text = value.toString();
            if (!IsAnsiRepresentable(text))
                throw EConvertError(
                    TMessage(msgCharactersNotStorable, {def.Name, ForeignCharacters(text)}));
            stored = ToAnsi(text);
            break;
        }
        case TFieldType::ftTime:
        case TFieldType::ftDuration:
            if (value.typeId() == QMetaType::QTime)
                stored = static_cast<qint32>(value.toTime().msecsSinceStartOfDay());
            else
                stored = static_cast<qint32>(qRound(value.toDouble() * MsecsPerDay));
            break;
        case TFieldType::ftBoolean:
            stored = value.toBool();
            break;
        case TFieldType::ftFloat:
            stored = value.toDouble();
            break;
        default: {
            bool ok = false;
            const qint32 number = value.toInt(&ok);
            if (!ok)
                throw EConvertError(TMessage(msgCellNotInteger, {value.toString(), def.Name}));
            stored = number;
        }
        }
    }
    FTable->SetCellValue(row, field, stored);
}

void TMemDataTable::DeleteRow(int row) {
    CheckCell(row, 0);
    FTable->SetRecNo(row + 1);
    FTable->Delete();
}

const TFieldDef& TMemDataTable::CheckCell(int row, int field) const {
    if (!FTable)
        throw EAbstractError(DeveloperText(QStringLiteral("The table no longer exists")));
    if (row < 0 || row >= RowCount() || field < 0 ||
        field >= static_cast<int>(FTable->FieldDefs().size()))
        throw ERangeError(
            DeveloperText(QStringLiteral("Cell %1,%2 is outside the table").arg(row).arg(field)));
    return FTable->FieldDefs()[static_cast<size_t>(field)];
}

void TMemDataTable::TableChanged(const TTableChange& change) {
    switch (change.Kind) {
    case TTableChange::TKind::Destroyed:
        // The views stay bound to this adapter, which now reads as empty.
        FTable = nullptr;
        NotifyChanged({TTableChange::TKind::Reset, -1});
        break;
    case TTableChange::TKind::RowChanged:
    case TTableChange::TKind::Reset:
        NotifyChanged(change);
        break;
    case TTableChange::TKind::CurrentChanged:
    case TTableChange::TKind::StateChanged:
        break; // the views keep their own current cell
    }
}

} // namespace lumotrix
