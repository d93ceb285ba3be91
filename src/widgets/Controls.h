#pragma once

#include "runtime/Classes.h"
#include "widgets/DataTable.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

class QLabel;
class QCheckBox;
class QPushButton;
class QProgressBar;

namespace lumotrix {

class FloatSpinEdit;
class LookupComboBox;
class LedPanel;
class TComPort;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
LUMOTRIX_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient")

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
LUMOTRIX_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

// A control's font as a form describes it. Height is in pixels (negative: character height,
// as forms store it); Color is 0x00BBGGRR.
class TFont : public TPersistent {
public:
    QString Name() const { return FName; }
    void SetName(const QString& name);
    qint32 Height() const { return FHeight; }
    void SetHeight(qint32 height);
    qint32 Color() const { return FColor; }
    void SetColor(qint32 color);
    TFontStyles Style() const { return FStyle; }
    void SetStyle(TFontStyles style);
    void Assign(TPersistent* source) override;
    // Applies the font to a widget: family, pixel size, colour, bold/italic.
    void ApplyTo(QWidget* widget) const;
    std::function<void()> OnChange;

private:
    void Changed();
    QString FName;
    qint32 FHeight = 0; // 0: the platform default
    qint32 FColor = -1; // -1: the platform default
    TFontStyles FStyle;
};

// 0x00BBGGRR colour values of forms; system colours, clDefault and clNone (anything with a
// high byte) read as invalid, i.e. the widget's own colour.
QColor ColorFromRGB(qint32 color);
// The colour type of forms, with the colour identifiers ("clNavy" <-> 0x800000).
const TTypeInfo* TypeInfoColor();

// Minimum and maximum sizes of a control; 0 means no limit.
class TSizeConstraints : public TPersistent {
public:
    qint32 MinWidth() const { return FMinWidth; }
    void SetMinWidth(qint32 value);
    qint32 MinHeight() const { return FMinHeight; }
    void SetMinHeight(qint32 value);
    qint32 MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(qint32 value);
    qint32 MaxHeight() const { return FMaxHeight; }
    void SetMaxHeight(qint32 value);
    std::function<void()> OnChange;

private:
    qint32 FMinWidth = 0, FMinHeight = 0, FMaxWidth = 0, FMaxHeight = 0;
};

// A component shown as a Qt widget. The control owns its widget; the parent control (from the
// form description's nesting) hosts it. Position and size are in the parent's client
// coordinates unless Align places it. Handlers run through Guarded(), so an exception they
// raise is reported and never unwinds through Qt.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner = nullptr);
    ~TControl() override;

    QWidget* Widget() const { return FWidget; }
    // Where child controls go (a page's area, a group box's inside).
    virtual QWidget* ClientWidget() const { return FWidget; }

    TControl* Parent() const { return FParent; }
    void SetParent(TControl* parent);
    void SetParentComponent(TComponent* parent) override;
    TComponent* GetParentComponent() const override { return FParent; }
    bool HasParent() const override { return true; }
    QList<TControl*> Controls() const { return FControls; }

    qint32 Left() const { return FLeft; }
    void SetLeft(qint32 value);
    qint32 Top() const { return FTop; }
    void SetTop(qint32 value);
    qint32 Width() const { return FWidth; }
    void SetWidth(qint32 value);
    qint32 Height() const { return FHeight; }
    void SetHeight(qint32 value);
    void SetBounds(qint32 left, qint32 top, qint32 width, qint32 height);
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign align);
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool visible);
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool enabled);
    QString Hint() const { return FHint; }
    virtual void SetHint(const QString& hint);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool show) { FShowHint = show; }
    TFont* Font() const { return FFont.get(); }
    qint32 Color() const { return FColor; }
    void SetColor(qint32 color);

    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Arranges the aligned child controls inside the client area.
    void AlignControls();
    // Handles a control message (ControlMessages.h); returns its result, 0 when unhandled.
    virtual qintptr Perform(quint32 message, qintptr wParam, qintptr lParam);

    TNotifyEvent OnResize;
    TNotifyEvent OnClick;

protected:
    // Descendants create their widget in their constructor and hand it over here.
    void SetWidget(QWidget* widget);
    // Runs an event handler, reporting an exception instead of letting it escape.
    void Fire(const TNotifyEvent& event);
    virtual void FontChanged();
    virtual void Resized();
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void ApplyGeometry();

private:
    friend class TControlFilter;
    QPointer<QWidget> FWidget;
    QObject* FFilter = nullptr;
    TControl* FParent = nullptr;
    QList<TControl*> FControls;
    qint32 FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    TAlign FAlign = alNone;
    bool FVisible = true;
    bool FEnabled = true;
    bool FShowHint = true;
    bool FAligning = false;
    QString FHint;
    std::unique_ptr<TFont> FFont;
    qint32 FColor = -1;
};

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool WordWrap() const;
    void SetWordWrap(bool wrap);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool autoSize);
    bool Transparent() const { return true; }
    void SetTransparent(bool) {}
    qintptr Perform(quint32 message, qintptr wParam, qintptr lParam) override;

protected:
    void Loaded() override;

private:
    QLabel* Label() const;
    bool FAutoSize = true;
};

class TCheckBox : public TControl {
public:
    explicit TCheckBox(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Checked() const;
    // Raises OnClick when the state changes, whoever changes it.
    void SetChecked(bool checked);

private:
    QCheckBox* Box() const;
};

enum TModalResult { mrNone, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrYes, mrNo };
LUMOTRIX_ENUM_NAMES(TModalResult, "mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore",
                    "mrYes", "mrNo")

class TButton : public TControl {
public:
    explicit TButton(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool Default() const;
    void SetDefault(bool value);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool value) { FCancel = value; }
    // A button with a modal result closes its modal form with that result.
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult result) { FModalResult = result; }
    void Click();

private:
    QPushButton* Button() const;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
};

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
LUMOTRIX_ENUM_NAMES(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")

class TPanel : public TControl {
public:
    explicit TPanel(TComponent* owner = nullptr);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    TBevelCut BevelInner() const { return FInner; }
    void SetBevelInner(TBevelCut cut);
    TBevelCut BevelOuter() const { return FOuter; }
    void SetBevelOuter(TBevelCut cut);

private:
    void UpdateFrame();
    QString FCaption;
    TBevelCut FInner = bvNone;
    TBevelCut FOuter = bvRaised;
};

class TGroupBox : public TControl {
public:
    explicit TGroupBox(TComponent* owner = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
};

// A picture: one of the program's drawn pictures by name (see CommandIcon), scaled to the
// control when Stretch is set.
class TImage : public TControl {
public:
    explicit TImage(TComponent* owner = nullptr);
    QString PictureName() const { return FPicture; }
    void SetPictureName(const QString& name);
    bool Stretch() const { return FStretch; }
    void SetStretch(bool stretch);

protected:
    void Resized() override;

private:
    void Render();
    QString FPicture = QStringLiteral("program");
    bool FStretch = false;
};

enum TSpinValueType { vtInt, vtFloat };
LUMOTRIX_ENUM_NAMES(TSpinValueType, "vtInt", "vtFloat")

// A spin editor, integer or real: range, step, large step, display and edit pictures.
class TSpinEdit : public TControl {
public:
    explicit TSpinEdit(TComponent* owner = nullptr);
    TSpinValueType ValueType() const { return FValueType; }
    void SetValueType(TSpinValueType type);
    double MinValue() const;
    void SetMinValue(double value);
    double MaxValue() const;
    void SetMaxValue(double value);
    double Increment() const;
    void SetIncrement(double value);
    double LargeIncrement() const;
    void SetLargeIncrement(double value);
    QString DisplayFormat() const { return FDisplayFormat; }
    void SetDisplayFormat(const QString& picture);
    QString EditFormat() const { return FEditFormat; }
    void SetEditFormat(const QString& picture);
    // The value, kept within the range (and whole for vtInt).
    double Value() const;
    void SetValue(double value);
    FloatSpinEdit* Editor() const;
    TNotifyEvent OnChange;

private:
    TSpinValueType FValueType = vtFloat;
    QString FDisplayFormat, FEditFormat;
};

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

class TProgressBar : public TControl {
public:
    explicit TProgressBar(TComponent* owner = nullptr);
    qint32 Min() const;
    void SetMin(qint32 value);
    qint32 Max() const;
    void SetMax(qint32 value);
    qint32 Position() const;
    void SetPosition(qint32 value);

private:
    QProgressBar* Bar() const;
};

enum TComLedKind { lkRedLight, lkGreenLight, lkYellowLight, lkPurpleLight, lkBlueLight };
LUMOTRIX_ENUM_NAMES(TComLedKind, "lkRedLight", "lkGreenLight", "lkYellowLight", "lkPurpleLight",
                    "lkBlueLight")
enum TComLedSignal { lsCTS, lsDSR, lsRLSD, lsRing, lsTx, lsRx, lsConn };
LUMOTRIX_ENUM_NAMES(TComLedSignal, "lsCTS", "lsDSR", "lsRLSD", "lsRing", "lsTx", "lsRx", "lsConn")

// A line-state LED above its caption. The port named by ComPort drives State (the wiring is
// in ComLeds.h); the LED only shows it.
class TComLed : public TControl {
public:
    explicit TComLed(TComponent* owner = nullptr);
    TComLedKind Kind() const { return FKind; }
    void SetKind(TComLedKind kind);
    TComLedSignal LedSignal() const { return FSignal; }
    void SetLedSignal(TComLedSignal signal) { FSignal = signal; }
    QString Caption() const;
    void SetCaption(const QString& caption);
    bool State() const;
    void SetState(bool lit);
    LedPanel* Panel() const;
    TComPort* ComPort() const { return FComPort; }
    void SetComPort(TComPort* port);

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TComLedKind FKind = lkRedLight;
    TComLedSignal FSignal = lsConn;
    TComPort* FComPort = nullptr;
};

} // namespace lumotrix
