#pragma once

#include "runtime/Classes.h"

#include <QColor>
#include <QPointer>
#include <QWidget>

namespace lumotrix {

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
    // The widget has just been shown (its window shown, or it or its page made visible).
    virtual void Shown() {}
    void Notification(TComponent* component, TOperation operation) override;
    void Loaded() override;
    void ApplyGeometry();
    // Shows or hides the widget as Visible says, or after loading when the form is being read.
    void ShowAsVisible();

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
    bool FVisibilityPending = false;
    QString FHint;
    std::unique_ptr<TFont> FFont;
    qint32 FColor = -1;
};

} // namespace lumotrix
