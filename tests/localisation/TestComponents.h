#pragma once

// Small components with one published property of every kind, and form classes to translate,
// for the translator tests.

#include "support/PrintQString.h"
#include "widgets/Forms.h"

#include <QStringList>

#include <memory>

namespace lumotrix {

enum TTrShade { shLight, shMedium, shDark };
LUMOTRIX_ENUM_NAMES(TTrShade, "shLight", "shMedium", "shDark")
using TTrShades = TSet<TTrShade>;

class TTrFont : public TPersistent {
public:
    QString Name = QStringLiteral("Tahoma");
    quint8 Charset = 0;
};

// An object-valued property holding text and a nested string list ("Header.Items.Strings").
class TTrHeader : public TPersistent {
public:
    TTrHeader();
    ~TTrHeader() override;
    QString Text;
    TStringList* Items() const { return FItems.get(); }

private:
    std::unique_ptr<TStringList> FItems;
};

class TTrColumn : public TCollectionItem {
public:
    explicit TTrColumn(TCollection* collection) : TCollectionItem(collection) {}
    QString Caption;
    qint32 Width = 50;
};

// A control with a property of every kind. Writes are counted per property name, so a test
// can tell "written with an equal value" from "not written".
class TTrControl : public TControl {
    LUMOTRIX_PUBLISHED(TTrControl)

public:
    explicit TTrControl(TComponent* owner = nullptr);
    ~TTrControl() override;

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption) {
        FCaption = caption;
        Written.append(QStringLiteral("Caption"));
    }
    qint32 Count() const { return FCount; }
    void SetCount(qint32 count) {
        FCount = count;
        Written.append(QStringLiteral("Count"));
    }
    qintptr Perform(quint32 message, qintptr wParam, qintptr lParam) override;

    QByteArray AnsiText;
    char Letter = 'a';
    char16_t WideLetter = u'a';
    bool Flag = false;
    TTrShade Shade = shLight;
    TTrShades Shades;
    double Ratio = 0;
    double Price = 0; // a currency-typed property
    quint8 Small = 0;
    quint32 Mask = 0;
    qint64 Big = 0;
    QList<qint32> Values;
    Variant Anything;
    QString ConnectionString;
    TNotifyEvent OnChange;
    TComponent* Link = nullptr;

    TTrFont* TextFont() const { return FFont.get(); }
    TTrHeader* Header() const { return FHeader.get(); }
    TCollection* Columns() const { return FColumns.get(); }
    TStringList* Lines() const { return FLines.get(); }
    TTrColumn* Column(int index) const { return static_cast<TTrColumn*>(FColumns->Items(index)); }

    QStringList Written;
    QList<quint32> Messages;

private:
    QString FCaption;
    qint32 FCount = 0;
    std::unique_ptr<TTrFont> FFont;
    std::unique_ptr<TTrHeader> FHeader;
    std::unique_ptr<TCollection> FColumns;
    std::unique_ptr<TStringList> FLines;
};

class TTrFrame : public TFrame {
public:
    using TFrame::TFrame;
};

class TTrBaseForm : public TForm {
public:
    using TForm::TForm;
};

class TTrForm : public TTrBaseForm {
public:
    using TTrBaseForm::TTrBaseForm;
};

// A form class that a second module (a package) defines.
class TTrPackageForm : public TForm {
public:
    using TForm::TForm;
};

class TTrDataModule : public TDataModule {
public:
    using TDataModule::TDataModule;
};

} // namespace lumotrix
