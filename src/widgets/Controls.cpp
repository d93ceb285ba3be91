#include "widgets/Controls.h"

#include "widgets/Application.h"
#include "widgets/ComLeds.h"
#include "widgets/ComPort.h"
#include "widgets/Editors.h"
#include "widgets/Icons.h"
#include "widgets/Led.h"
#include "widgets/StatusBar.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <cmath>
#include <limits>

namespace lumotrix {

// --- TFont / TSizeConstraints ----------------------------------------------------------------

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

// --- TControl --------------------------------------------------------------------------------

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
        FWidget->setVisible(FVisible);
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
    // A form is shown by Show/ShowModal; while it is read only the flag is kept.
    if (FWidget && (!FWidget->isWindow() || !IsLoading()))
        FWidget->setVisible(visible);
    if (FParent)
        FParent->AlignControls();
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
    if (!client || FAligning)
        return;
    FAligning = true;
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
    FAligning = false;
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

// --- TLabel ----------------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    auto* label = new QLabel;
    label->setTextFormat(Qt::PlainText);
    SetWidget(label);
}

QLabel* TLabel::Label() const {
    return static_cast<QLabel*>(Widget());
}
QString TLabel::Caption() const {
    return Label() ? Label()->text() : QString();
}

void TLabel::SetCaption(const QString& caption) {
    if (!Label())
        return;
    Label()->setText(caption);
    Label()->setAccessibleName(caption);
    if (FAutoSize && !WordWrap())
        Label()->resize(Label()->sizeHint());
    NameFocusControl();
}

void TLabel::SetFocusControl(TControl* control) {
    FFocusControl = control;
    if (control)
        control->FreeNotification(this);
    if (Label())
        Label()->setBuddy(control ? control->Widget() : nullptr);
    NameFocusControl();
}

// Screen readers announce an editor by the label beside it, also after the caption changed.
void TLabel::NameFocusControl() {
    if (FFocusControl && FFocusControl->Widget())
        FFocusControl->Widget()->setAccessibleName(Caption().remove(QLatin1Char('&')).trimmed());
}

void TLabel::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == FFocusControl)
        FFocusControl = nullptr;
}

bool TLabel::WordWrap() const {
    return Label() && Label()->wordWrap();
}

void TLabel::SetWordWrap(bool wrap) {
    if (Label())
        Label()->setWordWrap(wrap);
}

void TLabel::SetAutoSize(bool autoSize) {
    FAutoSize = autoSize;
}

void TLabel::Loaded() {
    TControl::Loaded();
    if (FAutoSize && !WordWrap() && Label())
        Label()->resize(Label()->sizeHint());
}

LUMOTRIX_REGISTER_CLASS(TLabel, TControl) {
    Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
}

// --- TCheckBox -------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner) {
    auto* box = new QCheckBox;
    SetWidget(box);
    QObject::connect(box, &QCheckBox::toggled, box, [this] { Fire(OnClick); });
}

QCheckBox* TCheckBox::Box() const {
    return static_cast<QCheckBox*>(Widget());
}
QString TCheckBox::Caption() const {
    return Box() ? Box()->text() : QString();
}
void TCheckBox::SetCaption(const QString& caption) {
    if (Box())
        Box()->setText(caption);
}
bool TCheckBox::Checked() const {
    return Box() && Box()->isChecked();
}
void TCheckBox::SetChecked(bool checked) {
    if (Box())
        Box()->setChecked(checked);
}

LUMOTRIX_REGISTER_CLASS(TCheckBox, TControl) {
    Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
}

// --- TButton ---------------------------------------------------------------------------------

TButton::TButton(TComponent* owner) : TControl(owner) {
    auto* button = new QPushButton;
    SetWidget(button);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Click(); });
}

QPushButton* TButton::Button() const {
    return static_cast<QPushButton*>(Widget());
}
QString TButton::Caption() const {
    return Button() ? Button()->text() : QString();
}
void TButton::SetCaption(const QString& caption) {
    if (Button())
        Button()->setText(caption);
}
bool TButton::Default() const {
    return Button() && Button()->isDefault();
}
void TButton::SetDefault(bool value) {
    if (Button()) {
        Button()->setDefault(value);
        Button()->setAutoDefault(value);
    }
}

void TButton::Click() {
    Fire(OnClick);
    if (FModalResult == mrNone || !Widget())
        return;
    // The modal result closes the window the button sits in (see TForm::ShowModal).
    QWidget* window = Widget()->window();
    window->setProperty("lumotrixModalResult", static_cast<int>(FModalResult));
    window->close();
}

LUMOTRIX_REGISTER_CLASS(TButton, TControl) {
    Property("Caption", &TButton::Caption, &TButton::SetCaption);
    Property("Default", &TButton::Default, &TButton::SetDefault);
    Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
    Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}

// --- TPanel / TGroupBox / TImage ---------------------------------------------------------------

TPanel::TPanel(TComponent* owner) : TControl(owner) {
    auto* frame = new QFrame;
    SetWidget(frame);
    UpdateFrame();
}

void TPanel::SetCaption(const QString& caption) {
    FCaption = caption;
    if (Widget())
        Widget()->setAccessibleName(caption);
}

void TPanel::SetBevelInner(TBevelCut cut) {
    FInner = cut;
    UpdateFrame();
}

void TPanel::SetBevelOuter(TBevelCut cut) {
    FOuter = cut;
    UpdateFrame();
}

void TPanel::UpdateFrame() {
    auto* frame = static_cast<QFrame*>(Widget());
    if (!frame)
        return;
    if (FOuter == bvNone && FInner == bvNone) {
        frame->setFrameShape(QFrame::NoFrame);
        return;
    }
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(FOuter == bvLowered ? QFrame::Sunken : QFrame::Raised);
    frame->setLineWidth(FOuter != bvNone && FInner != bvNone ? 2 : 1);
}

LUMOTRIX_REGISTER_CLASS(TPanel, TControl) {
    Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
    Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner);
    Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter);
}

TGroupBox::TGroupBox(TComponent* owner) : TControl(owner) {
    SetWidget(new QGroupBox);
}
QString TGroupBox::Caption() const {
    return Widget() ? static_cast<QGroupBox*>(Widget())->title() : QString();
}
void TGroupBox::SetCaption(const QString& caption) {
    if (Widget())
        static_cast<QGroupBox*>(Widget())->setTitle(caption);
}

LUMOTRIX_REGISTER_CLASS(TGroupBox, TControl) {
    Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
}

TImage::TImage(TComponent* owner) : TControl(owner) {
    auto* label = new QLabel;
    label->setAlignment(Qt::AlignCenter);
    SetWidget(label);
    Render();
}

void TImage::SetPictureName(const QString& name) {
    FPicture = name;
    Render();
}

void TImage::SetStretch(bool stretch) {
    FStretch = stretch;
    Render();
}

void TImage::Resized() {
    TControl::Resized();
    Render();
}

void TImage::Render() {
    auto* label = static_cast<QLabel*>(Widget());
    if (!label)
        return;
    QIcon icon = CommandIcon(FPicture);
    QSize size = FStretch && Width() > 0 && Height() > 0 ? QSize(Width(), Height()) : QSize(32, 32);
    label->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(size.boundedTo(QSize(512, 512))));
    label->setScaledContents(FStretch);
}

LUMOTRIX_REGISTER_CLASS(TImage, TControl) {
    Property("PictureName", &TImage::PictureName, &TImage::SetPictureName);
    Property("Stretch", &TImage::Stretch, &TImage::SetStretch);
}

// --- TSpinEdit -------------------------------------------------------------------------------

TSpinEdit::TSpinEdit(TComponent* owner) : TControl(owner) {
    auto* edit = new FloatSpinEdit;
    edit->setRange(0, 100);
    SetWidget(edit);
    edit->OnChange = [this] { Fire(OnChange); };
    SetValueType(vtFloat);
}

FloatSpinEdit* TSpinEdit::Editor() const {
    return static_cast<FloatSpinEdit*>(Widget());
}

void TSpinEdit::SetValueType(TSpinValueType type) {
    FValueType = type;
    if (FDisplayFormat.isEmpty())
        Editor()->SetDisplayFormat(type == vtInt ? QStringLiteral("0") : QStringLiteral("#0.0"));
    if (FEditFormat.isEmpty())
        Editor()->SetEditFormat(type == vtInt ? QStringLiteral("0") : QStringLiteral("#0.0"));
    if (type == vtInt)
        Editor()->setValue(std::round(Editor()->value()));
}

double TSpinEdit::MinValue() const {
    return Editor()->minimum();
}
void TSpinEdit::SetMinValue(double value) {
    Editor()->setMinimum(value);
}
double TSpinEdit::MaxValue() const {
    return Editor()->maximum();
}
void TSpinEdit::SetMaxValue(double value) {
    Editor()->setMaximum(value);
}
double TSpinEdit::Increment() const {
    return Editor()->singleStep();
}
void TSpinEdit::SetIncrement(double value) {
    Editor()->setSingleStep(value);
}
double TSpinEdit::LargeIncrement() const {
    return Editor()->LargeIncrement();
}
void TSpinEdit::SetLargeIncrement(double value) {
    Editor()->SetLargeIncrement(value);
}

void TSpinEdit::SetDisplayFormat(const QString& picture) {
    FDisplayFormat = picture;
    Editor()->SetDisplayFormat(picture);
}

void TSpinEdit::SetEditFormat(const QString& picture) {
    FEditFormat = picture;
    Editor()->SetEditFormat(picture);
}

double TSpinEdit::Value() const {
    return FValueType == vtInt ? std::round(Editor()->value()) : Editor()->value();
}

void TSpinEdit::SetValue(double value) {
    if (!std::isfinite(value))
        throw ERangeError(QStringLiteral("Valore non valido per %1").arg(Name()));
    Editor()->setValue(FValueType == vtInt ? std::round(value) : value);
}

LUMOTRIX_REGISTER_CLASS(TSpinEdit, TControl) {
    Property("ValueType", &TSpinEdit::ValueType, &TSpinEdit::SetValueType);
    Property("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue);
    Property("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue);
    Property("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement);
    Property("LargeIncrement", &TSpinEdit::LargeIncrement, &TSpinEdit::SetLargeIncrement);
    Property("DisplayFormat", &TSpinEdit::DisplayFormat, &TSpinEdit::SetDisplayFormat);
    Property("EditFormat", &TSpinEdit::EditFormat, &TSpinEdit::SetEditFormat);
    Property("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
    Property("OnChange", &TSpinEdit::OnChange);
}

// --- TLookupComboBox -------------------------------------------------------------------------

TLookupComboBox::TLookupComboBox(TComponent* owner) : TControl(owner) {
    auto* combo = new LookupComboBox;
    SetWidget(combo);
    combo->OnChange = [this] { Fire(OnChange); };
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

// --- TProgressBar ----------------------------------------------------------------------------

TProgressBar::TProgressBar(TComponent* owner) : TControl(owner) {
    auto* bar = new QProgressBar;
    bar->setTextVisible(false);
    bar->setRange(0, 100);
    bar->setValue(0);
    SetWidget(bar);
}

QProgressBar* TProgressBar::Bar() const {
    return static_cast<QProgressBar*>(Widget());
}
qint32 TProgressBar::Min() const {
    return Bar()->minimum();
}
void TProgressBar::SetMin(qint32 value) {
    Bar()->setMinimum(value);
}
qint32 TProgressBar::Max() const {
    return Bar()->maximum();
}
void TProgressBar::SetMax(qint32 value) {
    Bar()->setMaximum(value);
}
qint32 TProgressBar::Position() const {
    return Bar()->value();
}
void TProgressBar::SetPosition(qint32 value) {
    Bar()->setValue(qBound(Bar()->minimum(), value, Bar()->maximum()));
}

LUMOTRIX_REGISTER_CLASS(TProgressBar, TControl) {
    Property("Min", &TProgressBar::Min, &TProgressBar::SetMin);
    Property("Max", &TProgressBar::Max, &TProgressBar::SetMax);
    Property("Position", &TProgressBar::Position, &TProgressBar::SetPosition);
}

// --- TComLed ---------------------------------------------------------------------------------

TComLed::TComLed(TComponent* owner) : TControl(owner) {
    SetWidget(new LedPanel(QString()));
    SetKind(lkRedLight);
}

LedPanel* TComLed::Panel() const {
    return static_cast<LedPanel*>(Widget());
}

void TComLed::SetKind(TComLedKind kind) {
    FKind = kind;
    static constexpr TLedKind kinds[] = {TLedKind::Red, TLedKind::Green, TLedKind::Yellow,
                                         TLedKind::Purple, TLedKind::Blue};
    Panel()->Led()->SetKind(kinds[qBound(0, static_cast<int>(kind), 4)]);
}

QString TComLed::Caption() const {
    return Panel()->Caption();
}
void TComLed::SetCaption(const QString& caption) {
    Panel()->SetCaption(caption);
}
bool TComLed::State() const {
    return Panel()->Led()->State();
}
void TComLed::SetState(bool lit) {
    Panel()->Led()->SetState(lit);
}

void TComLed::SetComPort(TComPort* port) {
    if (port == FComPort)
        return;
    if (FComPort)
        FComPort->RemoveFreeNotification(this);
    FComPort = port;
    if (port)
        port->FreeNotification(this); // the port may belong to another form
    BindComLed(this, port);
}

void TComLed::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == opRemove && component == FComPort && component != nullptr) {
        FComPort = nullptr;
        BindComLed(this, nullptr);
    }
}

LUMOTRIX_REGISTER_CLASS(TComLed, TControl) {
    Property("Kind", &TComLed::Kind, &TComLed::SetKind);
    Property("LedSignal", &TComLed::LedSignal, &TComLed::SetLedSignal);
    Property("Caption", &TComLed::Caption, &TComLed::SetCaption);
    Property("State", &TComLed::State, &TComLed::SetState);
    Property("ComPort", &TComLed::ComPort, &TComLed::SetComPort);
}

} // namespace lumotrix
