#pragma once

#include "runtime/DataTable.h"

#include <QComboBox>

namespace lumotrix {

// choice. The list follows the table: renaming a row updates the shown text at once.
class LookupComboBox : public QComboBox, private ITableObserver {
    Q_OBJECT
public:
    explicit LookupComboBox(QWidget* parent = nullptr);
    ~LookupComboBox() override;
    void SetLookup(const TLookupSource& lookup);
    QVariant KeyValue() const { return FKey; }
    // Any key is kept, even one with no row (it shows empty until such a row appears).
    void SetKeyValue(const QVariant& key);

signals:
    // The key changed, by a choice or by SetKeyValue.
    void keyChanged();

private:
    void TableChanged(const TTableChange& change) override;
    void Rebuild();
    void Detach();
    TLookupSource FLookup;
    QVariant FKey = 0;
    bool FRebuilding = false;
};

} // namespace lumotrix
