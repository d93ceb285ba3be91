#include "TestComponents.h"

namespace lumotrix {

QStringList& TestLog() {
    static QStringList log;
    return log;
}

void TTestFont::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TTestFont*>(source)) {
        Name = other->Name;
        Size = other->Size;
        Charset = other->Charset;
        Style = other->Style;
        return;
    }
    TPersistent::Assign(source);
}

void TTestItem::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TTestItem*>(source)) {
        Caption = other->Caption;
        Width = other->Width;
        Color = other->Color;
        return;
    }
    TPersistent::Assign(source);
}

TTestControl::TTestControl(TComponent* owner)
    : TComponent(owner), FFont(new TTestFont), FItems(new TStringList),
      FColumns(new TCollection(ClassInfoOf<TTestItem>(), this)) {
    FColumns->SetPropName(QStringLiteral("Columns"));
}

TTestControl::~TTestControl() {
    SetParentComponent(nullptr);
    for (TTestControl* child : FChildren)
        child->FParent = nullptr;
    delete FColumns;
    delete FItems;
    delete FFont;
}

void TTestControl::SetParentComponent(TComponent* parent) {
    if (FParent)
        FParent->FChildren.removeOne(this);
    FParent = dynamic_cast<TTestControl*>(parent);
    if (FParent)
        FParent->FChildren.append(this);
}

void TTestControl::Loaded() {
    TComponent::Loaded();
    ++LoadedCount;
    TestLog().append(QStringLiteral("Loaded ") + Name() +
                     (FBuddy ? QStringLiteral(" buddy ") + FBuddy->Name() : QString()));
}

void TTestControl::SetBuddy(TTestControl* buddy) {
    if (FBuddy)
        FBuddy->RemoveFreeNotification(this);
    FBuddy = buddy;
    if (FBuddy)
        FBuddy->FreeNotification(this);
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FBuddy)
        FBuddy = nullptr;
}

TTestFrame::TTestFrame(TComponent* owner) : TTestControl(owner) {
    auto* inner = new TTestControl(this);
    inner->SetName(QStringLiteral("Inner"));
    inner->SetParentComponent(this);
}

void TTestForm::ButtonClick(TObject* sender) {
    Clicks.append(sender);
    TestLog().append(QStringLiteral("ButtonClick"));
}

void TTestForm::OtherClick(TObject* sender) {
    Clicks.append(sender);
    TestLog().append(QStringLiteral("OtherClick"));
}

void TTestForm::CountClick(TObject*, int& count) {
    ++count;
}

LUMOTRIX_REGISTER_CLASS(TTestFont, TPersistent) {
    Property("Name", &TTestFont::Name);
    Property("Size", &TTestFont::Size);
    Property("Charset", &TTestFont::Charset, nullptr, TypeInfoFontCharset());
    Property("Style", &TTestFont::Style);
}

LUMOTRIX_REGISTER_CLASS(TTestItem, TCollectionItem) {
    Property("Caption", &TTestItem::Caption);
    Property("Width", &TTestItem::Width);
    Property("Color", &TTestItem::Color);
}

LUMOTRIX_REGISTER_CLASS(TTestControl, TComponent) {
    Property("Left", &TTestControl::Left, &TTestControl::SetLeft);
    Property("Small", &TTestControl::Small);
    Property("Byte", &TTestControl::Byte);
    Property("WordValue", &TTestControl::WordValue);
    Property("Mask", &TTestControl::Mask);
    Property("Letter", &TTestControl::Letter);
    Property("WideLetter", &TTestControl::WideLetter);
    Property("Enabled", &TTestControl::Enabled);
    Property("Color", &TTestControl::Color);
    Property("Styles", &TTestControl::Styles);
    Property("Ratio", &TTestControl::Ratio);
    Property("SingleValue", &TTestControl::SingleValue);
    Property("Money", &TTestControl::Money, nullptr, TypeInfoFloat(ftCurr));
    Property("AnsiText", &TTestControl::AnsiText);
    Property("Caption", &TTestControl::Caption);
    Property("Value", &TTestControl::Value);
    Property("Big", &TTestControl::Big);
    Property("Numbers", &TTestControl::Numbers);
    Property("Words", &TTestControl::Words);
    Property("Data", &TTestControl::Data);
    Property("Font", &TTestControl::Font, &TTestControl::SetFont);
    Property("Items", &TTestControl::Items, &TTestControl::SetItems);
    Property("Columns", &TTestControl::Columns);
    Property("Buddy", &TTestControl::Buddy, &TTestControl::SetBuddy);
    Property("OnClick", &TTestControl::OnClick);
    Property("OnCount", &TTestControl::OnCount);
    Property("Hidden", &TTestControl::FHidden);
}

LUMOTRIX_REGISTER_CLASS(TTestPanel, TTestControl) {}

LUMOTRIX_REGISTER_CLASS(TTestFrame, TTestControl) {}

LUMOTRIX_REGISTER_CLASS(TTestForm, TTestControl) {
    Method("ButtonClick", &TTestForm::ButtonClick);
    Method("OtherClick", &TTestForm::OtherClick);
    Method("CountClick", &TTestForm::CountClick);
}

} // namespace lumotrix
