#include "widgets/Button.h"

#include <QCheckBox>
#include <QPushButton>

namespace lumotrix {

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

} // namespace lumotrix
