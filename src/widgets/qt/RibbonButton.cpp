#include "widgets/qt/RibbonButton.h"

#include "widgets/qt/RibbonSupport.h"

#include <QActionEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace lumotrix {

RibbonButton::RibbonButton(RibbonCommand* command, TSize size, QWidget* parent)
    : QToolButton(parent), FCommand(command), FSize(size) {
    setProperty("ribbonItem", true);
    setAutoRaise(true);
    setFocusPolicy(Qt::TabFocus);
    ApplySize();
    setDefaultAction(command);
    SyncText();
}

void RibbonButton::SetSize(TSize size) {
    if (size == FSize)
        return;
    FSize = size;
    ApplySize();
    SyncText();
}

void RibbonButton::ApplySize() {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    switch (FSize) {
    case TSize::Large:
        setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        setIconSize(QSize(32, 32));
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
        break;
    case TSize::Small:
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        setIconSize(QSize(16, 16));
        setFixedHeight(22);
        setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
        break;
    case TSize::IconOnly:
        setToolButtonStyle(Qt::ToolButtonIconOnly);
        setIconSize(QSize(16, 16));
        setFixedSize(22, 22);
        break;
    }
}

QSize RibbonButton::sizeHint() const {
    // Large buttons with a short caption keep a width that reads as a column of the ribbon.
    QSize hint = QToolButton::sizeHint();
    if (FSize == TSize::Large)
        hint.setWidth(qMax(hint.width(), 46));
    return hint;
}

QString RibbonButton::WrapCaption(const QString& caption) {
    QString text = caption.trimmed();
    if (text.size() <= 10 || !text.contains(QLatin1Char(' ')))
        return text;
    // Break at the blank nearest the middle, so that both lines are about as long.
    int middle = text.size() / 2, best = -1;
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == QLatin1Char(' ') && (best < 0 || qAbs(i - middle) < qAbs(best - middle)))
            best = i;
    text[best] = QLatin1Char('\n');
    return text;
}

void RibbonButton::checkStateSet() {
    if (!ToggleRunsCommand(this, FCommand))
        QToolButton::checkStateSet();
}

void RibbonButton::actionEvent(QActionEvent* event) {
    QToolButton::actionEvent(event);
    if (event->type() != QEvent::ActionChanged || event->action() != FCommand)
        return;
    const QString shown = text();
    const bool hidden = isHidden();
    SyncText();
    if (text() != shown || isHidden() != hidden)
        RefitTabOf(this);
}

void RibbonButton::SyncText() {
    // Assistive tools read the caption as it is, whatever the button's line breaks.
    QString caption = FCommand->text();
    setAccessibleName(caption.trimmed());
    setAccessibleDescription(AccessibleDescription(FCommand->Description(), FCommand->toolTip()));
    // Only a change: showing a button that a hidden parent will show anyway polishes it now,
    // before it is placed, and again when it is.
    if (parentWidget() && isHidden() == FCommand->isVisible())
        setVisible(FCommand->isVisible());
    QString shown = FSize == TSize::Large ? WrapCaption(caption) : caption.trimmed();
    if (text() != shown)
        setText(shown);
}

RibbonEditItem::RibbonEditItem(const QString& caption, int editWidth, QWidget* parent)
    : QWidget(parent), FCaption(new QLabel(caption, this)), FEdit(new QLineEdit(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 0, 2, 0);
    layout->setSpacing(4);
    FCaption->setObjectName(QStringLiteral("RibbonEditCaption"));
    FCaption->setBuddy(FEdit);
    layout->addWidget(FCaption);
    layout->addWidget(FEdit);
    layout->addStretch();
    FEdit->setFixedWidth(editWidth);
    FEdit->setFixedHeight(20);
    FEdit->setAccessibleName(caption.trimmed());
    setFixedHeight(22);
    connect(FEdit, &QLineEdit::textChanged, this, &RibbonEditItem::changed);
}

QString RibbonEditItem::Caption() const {
    return FCaption->text();
}

void RibbonEditItem::SetCaption(const QString& caption) {
    FCaption->setText(caption);
    FEdit->setAccessibleName(caption.trimmed());
    RefitTabOf(this);
}

QString RibbonEditItem::Text() const {
    return FEdit->text();
}
void RibbonEditItem::SetText(const QString& text) {
    FEdit->setText(text);
}

void RibbonEditItem::SetHint(const QString& hint) {
    FEdit->setToolTip(hint);
    FCaption->setToolTip(hint);
    FEdit->setAccessibleDescription(hint);
}

void RibbonEditItem::SetScreenTip(const TScreenTip& tip) {
    FEdit->setToolTip(ScreenTipHtml(tip));
    FCaption->setToolTip(ScreenTipHtml(tip));
    FEdit->setAccessibleDescription(
        AccessibleDescription(FEdit->accessibleDescription(), FEdit->toolTip()));
}

void RibbonEditItem::SetEditWidth(int width) {
    FEdit->setFixedWidth(width);
}

} // namespace lumotrix
