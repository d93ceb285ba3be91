#include "runtime/DataTable.h"

#include "runtime/Exception.h"
#include "runtime/MessageIds.h"

namespace lumotrix {

IDataTable::~IDataTable() {
    FObservers.Notify({TTableChange::TKind::Destroyed, -1});
}

void IDataTable::DeleteRow(int) {
    throw EAbstractError(TMessage(msgTableNoRowDeletion));
}

int IDataTable::FieldIndex(const QString& name) const {
    const QStringList names = FieldNames();
    for (int i = 0; i < names.size(); ++i)
        if (names[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TVariantTable::TVariantTable(QStringList fieldNames) : FFields(std::move(fieldNames)) {}

void TVariantTable::CheckCell(int row, int field) const {
    if (row < 0 || row >= RowCount())
        throw ERangeError(TMessage(msgTableRowOutOfRange, {row, RowCount() - 1}));
    if (field < 0 || field >= FFields.size())
        throw ERangeError(TMessage(msgTableNoSuchField, {field}));
}

QVariant TVariantTable::Value(int row, int field) const {
    CheckCell(row, field);
    return FRows[static_cast<size_t>(row)][field];
}

void TVariantTable::SetValue(int row, int field, const QVariant& value) {
    CheckCell(row, field);
    FRows[static_cast<size_t>(row)][field] = value;
    NotifyChanged(TTableChange{TTableChange::TKind::RowChanged, row});
}

void TVariantTable::DeleteRow(int row) {
    CheckCell(row, 0);
    FRows.erase(FRows.begin() + row);
    NotifyChanged(TTableChange{TTableChange::TKind::Reset, -1});
}

void TVariantTable::AppendRow(const QVariantList& values) {
    QVariantList row = values;
    while (row.size() < FFields.size())
        row.append(QVariant());
    if (row.size() > FFields.size())
        throw ERangeError(TMessage(msgTableRowTooLong, {static_cast<int>(values.size()),
                                                        static_cast<int>(FFields.size())}));
    FRows.push_back(row);
    NotifyChanged(TTableChange{TTableChange::TKind::Reset, -1});
}

void TVariantTable::Clear() {
    FRows.clear();
    NotifyChanged(TTableChange{TTableChange::TKind::Reset, -1});
}

bool TLookupSource::IsValid() const {
    return Table && Table->FieldIndex(KeyField) >= 0 && Table->FieldIndex(ListField) >= 0;
}

QString TLookupSource::TextFor(const QVariant& key) const {
    if (!IsValid() || !key.isValid() || key.isNull())
        return QString();
    int keyField = Table->FieldIndex(KeyField), listField = Table->FieldIndex(ListField);
    for (int row = 0; row < Table->RowCount(); ++row) {
        QVariant candidate = Table->Value(row, keyField);
        // Keys are port numbers: compare as numbers when both sides are numeric.
        bool ok1 = false, ok2 = false;
        qlonglong a = candidate.toLongLong(&ok1), b = key.toLongLong(&ok2);
        if ((ok1 && ok2) ? a == b : candidate == key)
            return Table->Value(row, listField).toString();
    }
    return QString();
}

std::vector<std::pair<QVariant, QString>> TLookupSource::Items() const {
    std::vector<std::pair<QVariant, QString>> items;
    if (!IsValid())
        return items;
    int keyField = Table->FieldIndex(KeyField), listField = Table->FieldIndex(ListField);
    for (int row = 0; row < Table->RowCount(); ++row)
        items.emplace_back(Table->Value(row, keyField), Table->Value(row, listField).toString());
    return items;
}

} // namespace lumotrix
