#include "widgets/Panel.h"

#include "widgets/qt/Icons.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>

namespace lumotrix {

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

} // namespace lumotrix
