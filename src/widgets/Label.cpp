#include "widgets/Label.h"

#include "widgets/ControlMessages.h"
#include "widgets/qt/Accessibility.h"

#include <QLabel>

namespace lumotrix {

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
    // A label being read fits itself once, when it has its font too (Loaded).
    if (!IsLoading())
        Fit();
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
        SetAccessibleNameWithParts(FFocusControl->Widget(),
                                   Caption().remove(QLatin1Char('&')).trimmed());
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
    Fit();
}

void TLabel::Fit() {
    QLabel* label = Label();
    if (!FAutoSize || !label || label->wordWrap())
        return;
    // Measuring loads the label's font. One that cannot appear when its window is shown, such
    // as one on a page not shown, waits until it appears: the window's first paint may not
    // need that font at all.
    FFitPending = label->parentWidget() && !label->isVisibleTo(label->window());
    if (!FFitPending)
        label->resize(label->sizeHint());
}

void TLabel::Shown() {
    TControl::Shown();
    if (FFitPending)
        Fit();
}

LUMOTRIX_REGISTER_CLASS(TLabel, TControl) {
    Property("Caption", &TLabel::Caption, &TLabel::SetCaption);
    Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
    Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize);
    Property("Transparent", &TLabel::Transparent, &TLabel::SetTransparent);
    Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
}

qintptr TLabel::Perform(quint32 message, qintptr wParam, qintptr lParam) {
    // The caption and the font may both have changed since the label last fitted itself.
    if (message == CM_TEXTCHANGED && !IsLoading())
        Fit();
    return TControl::Perform(message, wParam, lParam);
}

} // namespace lumotrix
