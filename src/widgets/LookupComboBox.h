#pragma once

#include "runtime/DataTable.h"
#include "widgets/Control.h"

namespace lumotrix {

class LookupComboBox;

// A fixed drop-down over a lookup table (set from code with SetListTable): KeyValue is the
// chosen key; a key with no row shows an empty choice.
class TLookupComboBox : public TControl {
public:
    explicit TLookupComboBox(TComponent* owner = nullptr);
    QString KeyField() const { return FKeyField; }
    void SetKeyField(const QString& field);
    QString ListField() const { return FListField; }
    void SetListField(const QString& field);
    void SetListTable(IDataTable* table);
    IDataTable* ListTable() const { return FTable; }
    qint32 KeyValue() const;
    void SetKeyValue(qint32 key);
    QString Text() const;
    LookupComboBox* Editor() const;
    TNotifyEvent OnChange;

private:
    void Rebind();
    QString FKeyField, FListField;
    IDataTable* FTable = nullptr;
};

} // namespace lumotrix
