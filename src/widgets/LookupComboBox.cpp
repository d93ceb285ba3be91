#include "widgets/LookupComboBox.h"

#include "widgets/qt/LookupComboBox.h"

namespace lumotrix {

TLookupComboBox::TLookupComboBox(TComponent* owner) : TControl(owner) {
    auto* combo = new LookupComboBox;
    SetWidget(combo);
    QObject::connect(combo, &LookupComboBox::keyChanged, combo, [this] { Fire(OnChange); });
}

LookupComboBox* TLookupComboBox::Editor() const {
    return static_cast<LookupComboBox*>(Widget());
}

void TLookupComboBox::SetKeyField(const QString& field) {
    FKeyField = field;
    Rebind();
}

void TLookupComboBox::SetListField(const QString& field) {
    FListField = field;
    Rebind();
}

void TLookupComboBox::SetListTable(IDataTable* table) {
    FTable = table;
    Rebind();
}

void TLookupComboBox::Rebind() {
    Editor()->SetLookup({FTable, FKeyField, FListField});
}

qint32 TLookupComboBox::KeyValue() const {
    return Editor()->KeyValue().toInt();
}
void TLookupComboBox::SetKeyValue(qint32 key) {
    Editor()->SetKeyValue(key);
}
QString TLookupComboBox::Text() const {
    return Editor()->currentText();
}

LUMOTRIX_REGISTER_CLASS(TLookupComboBox, TControl) {
    Property("KeyField", &TLookupComboBox::KeyField, &TLookupComboBox::SetKeyField);
    Property("ListField", &TLookupComboBox::ListField, &TLookupComboBox::SetListField);
    Property("KeyValue", &TLookupComboBox::KeyValue, &TLookupComboBox::SetKeyValue);
    Property("OnChange", &TLookupComboBox::OnChange);
}

} // namespace lumotrix
