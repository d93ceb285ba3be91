#include "widgets/qt/QuickAccessToolbar.h"

#include "runtime/Message.h"
#include "widgets/qt/WidgetMessageIds.h"

#include "widgets/qt/RibbonSupport.h"

#include <QEvent>
#include <QHBoxLayout>

namespace lumotrix {

QuickAccessToolbar::QuickAccessToolbar(QWidget* parent)
    : QFrame(parent), FLayout(new QHBoxLayout(this)), FCustomize(new QToolButton(this)) {
    setObjectName(QStringLiteral("RibbonQat"));
    FLayout->setContentsMargins(3, 1, 3, 1);
    FLayout->setSpacing(1);
    FCustomize->setObjectName(QStringLiteral("RibbonQatCustomize"));
    FCustomize->setProperty("ribbonItem", true);
    FCustomize->setFixedSize(16, 22);
    FCustomize->setPopupMode(QToolButton::InstantPopup);
    FLayout->addWidget(FCustomize);
    setFixedHeight(26);
    TranslateChrome();
}

void QuickAccessToolbar::TranslateChrome() {
    setAccessibleName(MessageText(msgRibbonQat));
    NameWithTip(FCustomize, MessageText(msgRibbonQatCustomize));
}

void QuickAccessToolbar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        TranslateChrome();
    QFrame::changeEvent(event);
}

void QuickAccessToolbar::SetArrowColor(const QColor& color) {
    FCustomize->setIcon(GlyphIcon(TGlyph::MenuArrow, color));
    FCustomize->setIconSize(QSize(10, 10));
}

RibbonButton* QuickAccessToolbar::AddCommand(RibbonCommand* command) {
    if (Contains(command))
        return nullptr;
    auto* button = new RibbonButton(command, RibbonButton::TSize::IconOnly, this);
    FLayout->insertWidget(FLayout->count() - 1, button);
    return button;
}

void QuickAccessToolbar::RemoveCommand(RibbonCommand* command) {
    for (RibbonButton* button : findChildren<RibbonButton*>())
        if (button->Command() == command)
            delete button;
}

void QuickAccessToolbar::Clear() {
    for (RibbonCommand* command : Commands())
        RemoveCommand(command);
}

bool QuickAccessToolbar::Contains(RibbonCommand* command) const {
    return Commands().contains(command);
}

void QuickAccessToolbar::SetChoices(const QList<RibbonCommand*>& commands) {
    FChoices.clear();
    for (RibbonCommand* command : commands)
        FChoices.append(command);
}

QList<RibbonCommand*> QuickAccessToolbar::Choices() const {
    QList<RibbonCommand*> commands;
    for (const QPointer<RibbonCommand>& command : FChoices)
        if (command)
            commands.append(command);
    return commands;
}

QList<RibbonCommand*> QuickAccessToolbar::Commands() const {
    QList<RibbonCommand*> commands;
    for (RibbonButton* button : Buttons())
        commands.append(button->Command());
    return commands;
}

QList<RibbonButton*> QuickAccessToolbar::Buttons() const {
    QList<RibbonButton*> buttons;
    for (int i = 0; i < FLayout->count(); ++i)
        if (auto* button = qobject_cast<RibbonButton*>(FLayout->itemAt(i)->widget()))
            buttons.append(button);
    return buttons;
}

} // namespace lumotrix
