#pragma once

#include "runtime/TableObserver.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace lumotrix {

// What the grids and lookup editors need of a table: rows of named fields, read and written
// as variants (strings as Unicode, times as QTime, booleans as bool), and change notification.
// The in-memory tables of the configuration are bound through an adapter of this interface.
class IDataTable {
public:
    IDataTable() = default;
    IDataTable(const IDataTable&) = delete;
    IDataTable& operator=(const IDataTable&) = delete;
    virtual ~IDataTable();

    virtual int RowCount() const = 0;
    virtual QStringList FieldNames() const = 0;
    virtual QVariant Value(int row, int field) const = 0;
    // Raises an Exception when the value is refused; the table is then unchanged.
    virtual void SetValue(int row, int field, const QVariant& value) = 0;
    virtual bool CanDeleteRows() const { return false; }
    virtual void DeleteRow(int row);

    // Field index by name, ignoring case; -1 when there is no such field.
    int FieldIndex(const QString& name) const;

    // Observers are told after every change. A table that goes away tells its observers
    // (TKind::Destroyed) so that none keeps a stale pointer.
    void AttachObserver(ITableObserver* observer) { FObservers.Attach(observer); }
    void DetachObserver(ITableObserver* observer) { FObservers.Detach(observer); }

protected:
    void NotifyChanged(const TTableChange& change) { FObservers.Notify(change); }

private:
    TTableObservers FObservers;
};

// A plain table of variants: the views' own table for lists that live only in the GUI, and
// the stand-in table of tests and demos.
class TVariantTable : public IDataTable {
public:
    explicit TVariantTable(QStringList fieldNames);
    int RowCount() const override { return static_cast<int>(FRows.size()); }
    QStringList FieldNames() const override { return FFields; }
    QVariant Value(int row, int field) const override;
    void SetValue(int row, int field, const QVariant& value) override;
    bool CanDeleteRows() const override { return true; }
    void DeleteRow(int row) override;
    void AppendRow(const QVariantList& values);
    void Clear();

private:
    void CheckCell(int row, int field) const;
    QStringList FFields;
    std::vector<QVariantList> FRows;
};

// A lookup: the value of `KeyField` found in a table, shown as that row's `ListField`.
struct TLookupSource {
    IDataTable* Table = nullptr;
    QString KeyField;
    QString ListField;

    bool IsValid() const;
    // The shown text for a key; empty when no row has that key.
    QString TextFor(const QVariant& key) const;
    // (key, text) of every row, in the table's order.
    std::vector<std::pair<QVariant, QString>> Items() const;
};

} // namespace lumotrix
