#include "widgets/Control.h"

#include "runtime/ScopeExit.h"
#include "widgets/Application.h"
#include "widgets/ControlMessages.h"
#include "widgets/qt/Icons.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <cmath>
#include <limits>
#include <utility>

namespace lumotrix {

QColor ColorFromRGB(qint32 color) {
    if (static_cast<quint32>(color) & 0xFF000000u)
        return QColor();
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

void TFont::SetName(const QString& name) {
    FName = name;
    Changed();
}
void TFont::SetHeight(qint32 height) {
    FHeight = height;
    Changed();
}
void TFont::SetColor(qint32 color) {
    FColor = color;
    Changed();
}
void TFont::SetStyle(TFontStyles style) {
    FStyle = style;
    Changed();
}

void TFont::Assign(TPersistent* source) {
    if (auto* font = dynamic_cast<TFont*>(source)) {
        FName = font->FName;
        FHeight = font->FHeight;
        FColor = font->FColor;
        FStyle = font->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TFont::Changed() {
    if (OnChange)
        OnChange();
}

void TFont::ApplyTo(QWidget* widget) const {
    if (!widget)
        return;
    QFont font = widget->font();
    if (!FName.isEmpty())
        font.setFamily(FName);
    if (FHeight != 0)
        font.setPixelSize(std::abs(FHeight));
    font.setBold(FStyle.Contains(fsBold));
    font.setItalic(FStyle.Contains(fsItalic));
    font.setUnderline(FStyle.Contains(fsUnderline));
    font.setStrikeOut(FStyle.Contains(fsStrikeOut));
    widget->setFont(font);
    QColor color = ColorFromRGB(FColor);
    if (color.isValid()) {
        // Only the enabled look takes the colour: a disabled control keeps the greyed text.
        QPalette palette = widget->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::WindowText, color);
            palette.setColor(group, QPalette::Text, color);
        }
        widget->setPalette(palette);
    }
}

void TSizeConstraints::SetMinWidth(qint32 value) {
    FMinWidth = value;
    if (OnChange)
        OnChange();
}
void TSizeConstraints::SetMinHeight(qint32 value) {
    FMinHeight = value;
    if (OnChange)
        OnChange();
}
void TSizeConstraints::SetMaxWidth(qint32 value) {
    FMaxWidth = value;
    if (OnChange)
        OnChange();
}
void TSizeConstraints::SetMaxHeight(qint32 value) {
    FMaxHeight = value;
    if (OnChange)
        OnChange();
}

namespace {
struct TColorName {
    const char* Name;
    quint32 Value;
};
constexpr TColorName ColorNames[] = {
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
    {"clNone", 0x1FFFFFFF},
    {"clDefault", 0x20000000},
    {"clScrollBar", 0xFF000000},
    {"clBackground", 0xFF000001},
    {"clActiveCaption", 0xFF000002},
    {"clWindow", 0xFF000005},
    {"clWindowText", 0xFF000008},
    {"clBtnFace", 0xFF00000F},
    {"clBtnShadow", 0xFF000010},
    {"clGrayText", 0xFF000011},
    {"clBtnText", 0xFF000012},
    {"clHighlight", 0xFF00000D},
    {"clHighlightText", 0xFF00000E},
    {"clInfoBk", 0xFF000018},
};
} // namespace

const TTypeInfo* TypeInfoColor() {
    static const TTypeInfo* info = [] {
        const TTypeInfo* type =
            DefineIntegerType(QStringLiteral("TColor"), otSLong, std::numeric_limits<qint32>::min(),
                              std::numeric_limits<qint32>::max());
        RegisterIntegerConsts(
            type,
            [](const QString& ident, qint32& value) {
                for (const TColorName& c : ColorNames)
                    if (ident.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0) {
                        value = static_cast<qint32>(c.Value);
                        return true;
                    }
                return false;
            },
            [](qint32 value, QString& ident) {
                for (const TColorName& c : ColorNames)
                    if (static_cast<qint32>(c.Value) == value) {
                        ident = QLatin1String(c.Name);
                        return true;
                    }
                return false;
            });
        return type;
    }();
    return info;
}

// Watches the control's widget: size changes re-align the children and raise OnResize, a
// click of a plain widget raises OnClick.
class TControlFilter : public QObject {
public:
    explicit TControlFilter(TControl* control) : FControl(control) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == FControl->FWidget && event->type() == QEvent::Resize) {
            FControl->FWidth = FControl->FWidget->width();
            FControl->FHeight = FControl->FWidget->height();
            FControl->Resized();
        } else if (watched == FControl->FWidget && event->type() == QEvent::Show) {
            FControl->Shown();
        }
        return false;
    }

private:
    TControl* FControl;
};

TControl::TControl(TComponent* owner) : TComponent(owner), FFont(std::make_unique<TFont>()) {
    FFont->OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
    // Children go first: their widgets live inside ours.
    DestroyComponents();
    for (TControl* child : FControls)
        child->FParent = nullptr;
    if (FParent)
        FParent->FControls.removeAll(this);
    delete FWidget.data();
    delete FFilter;
}

void TControl::SetWidget(QWidget* widget) {
    FWidget = widget;
    FFilter = new TControlFilter(this);
    widget->installEventFilter(FFilter);
    FWidth = widget->width();
    FHeight = widget->height();
}

void TControl::SetParent(TControl* parent) {
    if (parent == FParent)
        return;
    if (FParent)
        FParent->FControls.removeAll(this);
    FParent = parent;
    if (!FWidget)
        return;
    if (parent) {
        parent->FControls.append(this);
        FWidget->setParent(parent->ClientWidget());
        ApplyGeometry();
        ShowAsVisible();
        parent->AlignControls();
    } else {
        FWidget->setParent(nullptr);
    }
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* control = dynamic_cast<TControl*>(parent))
        SetParent(control);
}

void TControl::ApplyGeometry() {
    if (!FWidget || FAlign != alNone)
        return;
    FWidget->setGeometry(FLeft, FTop, qMax(0, FWidth), qMax(0, FHeight));
}

void TControl::SetLeft(qint32 value) {
    FLeft = value;
    if (FWidget && FWidget->isWindow())
        FWidget->move(FLeft, FTop);
    else
        ApplyGeometry();
}

void TControl::SetTop(qint32 value) {
    FTop = value;
    if (FWidget && FWidget->isWindow())
        FWidget->move(FLeft, FTop);
    else
        ApplyGeometry();
}

void TControl::SetWidth(qint32 value) {
    FWidth = value;
    if (FWidget && FWidget->isWindow())
        FWidget->resize(FWidth, FWidget->height());
    else
        ApplyGeometry();
    if (FParent)
        FParent->AlignControls();
}

void TControl::SetHeight(qint32 value) {
    FHeight = value;
    if (FWidget && FWidget->isWindow())
        FWidget->resize(FWidget->width(), FHeight);
    else
        ApplyGeometry();
    if (FParent)
        FParent->AlignControls();
}

void TControl::SetBounds(qint32 left, qint32 top, qint32 width, qint32 height) {
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    ApplyGeometry();
}

void TControl::SetAlign(TAlign align) {
    FAlign = align;
    if (FParent)
        FParent->AlignControls();
    else
        ApplyGeometry();
}

void TControl::SetVisible(bool visible) {
    FVisible = visible;
    ShowAsVisible();
    if (FParent)
        FParent->AlignControls();
}

void TControl::ShowAsVisible() {
    if (!FWidget)
        return;
    // Showing a widget lays it out and measures its texts, even inside a hidden window; while
    // the form is read that waits for Loaded, when everything to measure is there. A form is
    // shown by Show/ShowModal only.
    if (!IsLoading())
        FWidget->setVisible(FVisible);
    else if (!FWidget->isWindow())
        FVisibilityPending = true;
}

void TControl::SetEnabled(bool enabled) {
    FEnabled = enabled;
    if (FWidget)
        FWidget->setEnabled(enabled);
}

void TControl::SetHint(const QString& hint) {
    FHint = hint;
    if (FWidget) {
        FWidget->setToolTip(hint);
        FWidget->setAccessibleDescription(hint);
    }
}

void TControl::SetColor(qint32 color) {
    FColor = color;
    QColor c = ColorFromRGB(color);
    if (FWidget && c.isValid()) {
        QPalette palette = FWidget->palette();
        palette.setColor(QPalette::Window, c);
        FWidget->setPalette(palette);
        FWidget->setAutoFillBackground(true);
    }
}

void TControl::FontChanged() {
    FFont->ApplyTo(FWidget);
}

void TControl::Resized() {
    AlignControls();
    Fire(OnResize);
}

void TControl::AlignControls() {
    QWidget* client = ClientWidget();
    // Loaded aligns what was read, once.
    if (!client || FAligning || IsLoading())
        return;
    FAligning = true;
    const TScopeExit aligned([this] { FAligning = false; });
    QRect area = client->contentsRect();
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* child : FControls) {
            if (child->FAlign != pass || !child->FVisible || !child->FWidget)
                continue;
            QWidget* w = child->FWidget;
            switch (pass) {
            case alTop: {
                int h = child->FHeight > 0 ? child->FHeight : w->sizeHint().height();
                w->setGeometry(area.left(), area.top(), area.width(), h);
                area.setTop(area.top() + w->height());
                break;
            }
            case alBottom: {
                int h = child->FHeight > 0 ? child->FHeight : w->sizeHint().height();
                w->setGeometry(area.left(), area.bottom() - h + 1, area.width(), h);
                area.setBottom(area.bottom() - w->height());
                break;
            }
            case alLeft:
                w->setGeometry(area.left(), area.top(), child->FWidth, area.height());
                area.setLeft(area.left() + child->FWidth);
                break;
            case alRight:
                w->setGeometry(area.right() - child->FWidth + 1, area.top(), child->FWidth,
                               area.height());
                area.setRight(area.right() - child->FWidth);
                break;
            case alClient:
                w->setGeometry(area);
                break;
            case alNone:
                break;
            }
        }
    }
}

void TControl::Fire(const TNotifyEvent& event) {
    if (event)
        Guarded([&] { event(this); });
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == FParent)
        FParent = nullptr;
    if (operation == opRemove)
        FControls.removeIf([component](TControl* c) { return c == component; });
}

void TControl::Loaded() {
    TComponent::Loaded();
    if (std::exchange(FVisibilityPending, false))
        ShowAsVisible();
    AlignControls();
}

LUMOTRIX_REGISTER_CLASS(TFont, TPersistent) {
    Property("Name", &TFont::Name, &TFont::SetName);
    Property("Height", &TFont::Height, &TFont::SetHeight);
    Property("Color", &TFont::Color, &TFont::SetColor, TypeInfoColor());
    Property("Style", &TFont::Style, &TFont::SetStyle);
}

LUMOTRIX_REGISTER_CLASS(TSizeConstraints, TPersistent) {
    Property("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth);
    Property("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight);
    Property("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth);
    Property("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight);
}

LUMOTRIX_REGISTER_CLASS(TControl, TComponent) {
    Property("Left", &TControl::Left, &TControl::SetLeft);
    Property("Top", &TControl::Top, &TControl::SetTop);
    Property("Width", &TControl::Width, &TControl::SetWidth);
    Property("Height", &TControl::Height, &TControl::SetHeight);
    Property("Align", &TControl::Align, &TControl::SetAlign);
    Property("Visible", &TControl::Visible, &TControl::SetVisible);
    Property("Enabled", &TControl::Enabled, &TControl::SetEnabled);
    Property("Hint", &TControl::Hint, &TControl::SetHint);
    Property("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    Property("Color", &TControl::Color, &TControl::SetColor, TypeInfoColor());
    Property("Font", &TControl::Font);
    Property("OnResize", &TControl::OnResize);
    Property("OnClick", &TControl::OnClick);
}

qintptr TControl::Perform(quint32 message, qintptr, qintptr) {
    // Aligned siblings take their heights from size hints that follow the text.
    if (message == CM_TEXTCHANGED && Parent())
        Parent()->AlignControls();
    return 0;
}

} // namespace lumotrix
