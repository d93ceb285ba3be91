#include "app/TemperaturePage.h"

#include "app/TemperatureBand.h"
#include "model/ConfigFields.h"
#include "model/MemData.h"
#include "model/TableRecords.h"
#include "runtime/Exception.h"
#include "runtime/FormatSettings.h"
#include "runtime/ModuleList.h"
#include "widgets/Button.h"
#include "widgets/Label.h"
#include "widgets/LookupComboBox.h"
#include "widgets/SpinEdit.h"
#include "widgets/qt/FloatSpinEdit.h"
#include "widgets/qt/LookupComboBox.h"

#include <QCheckBox>
#include <initializer_list>

namespace lumotrix {

void TTemperaturePage::SetRanges() {
    for (TSpinEdit* degrees : {F.MinTemp, F.MaxTemp, F.TempIdeale}) {
        degrees->SetMinValue(0);
        degrees->SetMaxValue(MaxDegrees);
    }
    F.Isteresi->SetMinValue(0);
    F.Isteresi->SetMaxValue(MaxHysteresis);
}

void TTemperaturePage::SetControlsEnabled(bool enabled) {
    // In switching order.
    for (TControl* control : std::initializer_list<TControl*>{
             F.MinTemp, F.MaxTemp, F.Label1, F.Label7, F.Label8, F.TempIdeale, F.Isteresi, F.Label9,
             F.TempMon, F.Label10, F.Label11, F.PrimaPt, F.SecondaPt})
        control->SetEnabled(enabled);
}

void TTemperaturePage::Vtempmon() {
    const double ideal = F.TempIdeale->Value();
    const int hysteresis = qRound(F.Isteresi->Value());
    const TTemperatureBandTexts texts = TemperatureBandTexts(
        ideal, hysteresis, [](int id) { return LoadResString(static_cast<quint16>(id)); },
        [](double value) { return FloatToStr(value); });
    F.TempMon->SetCaption(texts.TempMon);
    F.Label10->SetCaption(texts.Label10);
    F.Label11->SetCaption(texts.Label11);
}

TTemperatureSettings TTemperaturePage::Read() const {
    TTemperatureSettings t;
    t.SensorEnabled = F.CheckBox1->Checked();
    t.MinTemp = F.MinTemp->Value();
    t.MaxTemp = F.MaxTemp->Value();
    t.TempIdeale = F.TempIdeale->Value();
    t.Isteresi = qRound(F.Isteresi->Value());
    t.PrimaPt = F.PrimaPt->KeyValue();
    t.SecondaPt = F.SecondaPt->KeyValue();
    return t;
}

void TTemperaturePage::Store(const TTemperatureSettings& t) {
    F.CheckBox1->SetChecked(t.SensorEnabled);
    F.MinTemp->SetValue(t.MinTemp);
    F.MaxTemp->SetValue(t.MaxTemp);
    F.TempIdeale->SetValue(t.TempIdeale);
    F.Isteresi->SetValue(t.Isteresi);
    F.PrimaPt->SetKeyValue(t.PrimaPt);
    F.SecondaPt->SetKeyValue(t.SecondaPt);
}

void TTemperaturePage::MemoTemp() {
    try {
        FTable.Delete();
    } catch (const Exception&) {
        // An empty or closed table has nothing to replace.
        FTable.Open();
    }
    FTable.Open();
    AppendTemperatureRecord(FTable, Read());
}

void TTemperaturePage::RetrTemp() {
    if (FTable.Active() && !FTable.IsEmpty())
        FTable.First();
    Store(ReadTemperatureRecord(FTable));
}

void TTemperaturePage::Clear() {
    F.TempIdeale->SetValue(0);
    F.MinTemp->SetValue(0);
    F.MaxTemp->SetValue(0);
    F.Isteresi->SetValue(0);
    F.PrimaPt->SetKeyValue(0);
    F.SecondaPt->SetKeyValue(0);
}

void TTemperaturePage::WatchEdits(QObject* context, const std::function<void()>& changed) const {
    for (TSpinEdit* editor : {F.MinTemp, F.MaxTemp, F.TempIdeale, F.Isteresi})
        QObject::connect(editor->Editor(), &QDoubleSpinBox::valueChanged, context, changed);
    for (TLookupComboBox* box : {F.PrimaPt, F.SecondaPt})
        QObject::connect(box->Editor(), &LookupComboBox::keyChanged, context, changed);
    QObject::connect(static_cast<QCheckBox*>(F.CheckBox1->Widget()), &QCheckBox::toggled, context,
                     changed);
}

} // namespace lumotrix
