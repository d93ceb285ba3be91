#pragma once

// Small component classes with one published property of every kind, used by the property,
// component and form-loading tests.

#include "runtime/Classes.h"
#include "support/PrintQString.h"

#include <QStringList>

namespace lumotrix {

enum TTestColor { tcRed, tcGreen, tcBlue };
LUMOTRIX_ENUM_NAMES(TTestColor, "tcRed", "tcGreen", "tcBlue")

enum TTestStyle { tsBold, tsItalic, tsUnderline };
LUMOTRIX_ENUM_NAMES(TTestStyle, "tsBold", "tsItalic", "tsUnderline")
using TTestStyles = TSet<TTestStyle>;

// What Loaded() and handlers report, in order.
QStringList& TestLog();

class TTestFont : public TPersistent {
public:
    QString Name = QStringLiteral("Tahoma");
    qint32 Size = 8;
    quint8 Charset = 1;
    TTestStyles Style;
    void Assign(TPersistent* source) override;
};

class TTestItem : public TCollectionItem {
public:
    explicit TTestItem(TCollection* collection) : TCollectionItem(collection) {}
    QString Caption;
    qint32 Width = 50;
    TTestColor Color = tcRed;
    void Assign(TPersistent* source) override;
};

class TTestControl : public TComponent {
    LUMOTRIX_PUBLISHED(TTestControl)

public:
    explicit TTestControl(TComponent* owner = nullptr);
    ~TTestControl() override;

    // Parent chain built by the loader through SetParentComponent.
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    TTestControl* Parent() const { return FParent; }
    const QList<TTestControl*>& Children() const { return FChildren; }
    void Loaded() override;
    int LoadedCount = 0;
    bool ParentKnownAtFirstProperty = false;

    // Every property kind.
    qint32 Left() const { return FLeft; }
    void SetLeft(qint32 value) {
        FLeft = value;
        ParentKnownAtFirstProperty = ParentKnownAtFirstProperty || FParent != nullptr;
    }
    qint8 Small = 0;
    quint8 Byte = 0;
    quint16 WordValue = 0;
    quint32 Mask = 0;
    char Letter = 'a';
    char16_t WideLetter = u'a';
    bool Enabled = true;
    TTestColor Color = tcRed;
    TTestStyles Styles;
    double Ratio = 0;
    float SingleValue = 0;
    double Money = 0;
    QByteArray AnsiText;
    QString Caption;
    Variant Value;
    qint64 Big = 0;
    QList<qint32> Numbers;
    QList<QString> Words;
    QByteArray Data;

    TTestFont* Font() const { return FFont; }
    void SetFont(TTestFont* font) { FFont->Assign(font); }
    TStrings* Items() const { return FItems; }
    void SetItems(TStrings* items) { FItems->Assign(items); }
    TCollection* Columns() const { return FColumns; }
    TTestControl* Buddy() const { return FBuddy; }
    void SetBuddy(TTestControl* buddy);

    TNotifyEvent OnClick;
    TEvent<TObject*, int&> OnCount;

    qint32 Hidden() const { return FHidden; }

protected:
    void Notification(TComponent* component, TOperation operation) override;
    qint32 FHidden = 3; // published straight from the field

private:
    qint32 FLeft = 0;
    TTestControl* FParent = nullptr;
    QList<TTestControl*> FChildren;
    TTestFont* FFont;
    TStringList* FItems;
    TCollection* FColumns;
    TTestControl* FBuddy = nullptr;
};

class TTestPanel : public TTestControl {
public:
    using TTestControl::TTestControl;
};

// A form class with published handlers.
class TTestForm : public TTestControl {
public:
    using TTestControl::TTestControl;
    void ButtonClick(TObject* sender);
    void OtherClick(TObject* sender);
    void CountClick(TObject* sender, int& count);
    QList<TObject*> Clicks;
};

// A frame: builds its own inner component, as if from its own form description.
class TTestFrame : public TTestControl {
public:
    explicit TTestFrame(TComponent* owner = nullptr);
};

// A class that is not registered, to check the registry's refusal.
class TUnregisteredComponent : public TComponent {
public:
    using TComponent::TComponent;
};

} // namespace lumotrix
