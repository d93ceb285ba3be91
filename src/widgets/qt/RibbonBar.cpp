#include "widgets/qt/RibbonBar.h"

#include "runtime/Message.h"
#include "runtime/MessageIds.h"

#include "widgets/qt/ElidedLabel.h"
#include "widgets/qt/Icons.h"
#include "widgets/qt/TabScrollButtons.h"

#include <QActionEvent>
#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace lumotrix {

QString ScreenTipHtml(const TScreenTip& tip, const QKeySequence& shortcut) {
    QString html = QStringLiteral("<div style=\"min-width: 180px\">");
    QString header = tip.Header.toHtmlEscaped();
    if (!shortcut.isEmpty())
        header += QStringLiteral(" (%1)").arg(shortcut.toString(QKeySequence::NativeText));
    if (!header.isEmpty())
        html += QStringLiteral("<b>%1</b>").arg(header);
    if (!tip.Text.isEmpty())
        html +=
            QStringLiteral("<p style=\"margin-left: 8px\">%1</p>").arg(tip.Text.toHtmlEscaped());
    if (!tip.Footer.isEmpty())
        html += QStringLiteral("<hr/><p><i>%1</i></p>").arg(tip.Footer.toHtmlEscaped());
    return html + QStringLiteral("</div>");
}

namespace {

// Buttons drawn as glyphs only: what assistive tools read is also what the pointer shows.
void NameWithTip(QWidget* widget, const QString& name) {
    widget->setAccessibleName(name);
    widget->setToolTip(name);
}

// A caption or an item shown or hidden changes what a page's groups need: the page holding
// `widget` fits them again.
void RefitTabOf(QWidget* widget) {
    for (QWidget* parent = widget->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* tab = qobject_cast<RibbonTab*>(parent)) {
            tab->RequestFit();
            return;
        }
}

// A tool button passes a toggle of its own (what assistive tools do for a check-style button)
// to its command as a bare state change, so the command would not run. Such a toggle runs the
// command as a click does, and the button then shows the state the command ended in. Returns
// false when there was nothing to pass on.
bool ToggleRunsCommand(QToolButton* button, QAction* command) {
    if (!command->isCheckable() || button->isChecked() == command->isChecked())
        return false;
    command->trigger();
    if (button->isChecked() != command->isChecked())
        button->setChecked(command->isChecked());
    return true;
}

} // namespace

// --- RibbonCommand ---------------------------------------------------------------------------

RibbonCommand::RibbonCommand(const QString& caption, QObject* parent) : QAction(caption, parent) {
    setShortcutContext(Qt::WindowShortcut);
    RefreshToolTip();
}

void RibbonCommand::SetCaption(const QString& caption) {
    setText(caption);
    setIconText(caption);
    RefreshToolTip();
}

void RibbonCommand::SetHint(const QString& hint) {
    FHint = hint;
    RefreshToolTip();
}

void RibbonCommand::SetDescription(const QString& description) {
    FDescription = description;
    setStatusTip(description);
    RefreshToolTip();
}

void RibbonCommand::SetScreenTip(const TScreenTip& tip) {
    FScreenTip = tip;
    RefreshToolTip();
}

void RibbonCommand::SetShortCut(const QKeySequence& key) {
    setShortcut(key);
    RefreshToolTip();
}

void RibbonCommand::SetDown(bool down) {
    if (!isCheckable())
        setCheckable(true);
    setChecked(down);
}

void RibbonCommand::SetGroupIndex(int groupIndex) {
    if (groupIndex == FGroupIndex)
        return;
    if (QActionGroup* old = actionGroup())
        old->removeAction(this);
    FGroupIndex = groupIndex;
    if (groupIndex == 0 || !parent())
        return;
    // The group lives beside its commands, under their common parent, found by name.
    QString name = QStringLiteral("RibbonCommandGroup%1").arg(groupIndex);
    auto* group = parent()->findChild<QActionGroup*>(name, Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(parent());
        group->setObjectName(name);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    }
    setCheckable(true);
    bool wasDown = isChecked();
    group->addAction(this);
    if (wasDown)
        setChecked(true);
}

QString RibbonCommand::ToolTipText() const {
    if (!FScreenTip.IsEmpty())
        return ScreenTipHtml(FScreenTip, shortcut());
    QString hint = FHint.isEmpty() ? text() : FHint;
    if (!shortcut().isEmpty())
        hint += QStringLiteral(" (%1)").arg(shortcut().toString(QKeySequence::NativeText));
    return hint;
}

void RibbonCommand::RefreshToolTip() {
    setToolTip(ToolTipText());
}

// --- RibbonButton ----------------------------------------------------------------------------

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
    setAccessibleDescription(FCommand->Description());
    // Only a change: showing a button that a hidden parent will show anyway polishes it now,
    // before it is placed, and again when it is.
    if (parentWidget() && isHidden() == FCommand->isVisible())
        setVisible(FCommand->isVisible());
    QString shown = FSize == TSize::Large ? WrapCaption(caption) : caption.trimmed();
    if (text() != shown)
        setText(shown);
}

// --- RibbonEditItem --------------------------------------------------------------------------

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
    connect(FEdit, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange();
    });
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
}

void RibbonEditItem::SetEditWidth(int width) {
    FEdit->setFixedWidth(width);
}

// --- RibbonGroup -----------------------------------------------------------------------------

RibbonGroup::RibbonGroup(const QString& caption, QWidget* parent)
    : QFrame(parent), FCaption(new ElidedLabel(caption, this)), FColumns(new QHBoxLayout) {
    setObjectName(QStringLiteral("RibbonGroup"));
    setAccessibleName(caption);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 2, 1, 0);
    layout->setSpacing(1);
    FColumns->setContentsMargins(2, 0, 2, 0);
    FColumns->setSpacing(2);
    layout->addLayout(FColumns, 1);
    // A group wider than its items (the last one, stretched) keeps them at its left.
    layout->setAlignment(FColumns, Qt::AlignLeft);
    FCaption->setObjectName(QStringLiteral("RibbonGroupCaption"));
    FCaption->setAlignment(Qt::AlignCenter);
    FCaption->setFixedHeight(17);
    layout->addWidget(FCaption);
}

QString RibbonGroup::Caption() const {
    return FCaption->FullText();
}

void RibbonGroup::SetCaption(const QString& caption) {
    FCaption->SetFullText(caption);
    setAccessibleName(caption);
    RefitTabOf(this);
}

void RibbonGroup::AddItem(QWidget* item, bool large, bool beginGroup, bool newColumn) {
    FItems.append({item, large, beginGroup, newColumn});
    Place(FItems.constLast());
}

void RibbonGroup::Place(const TItem& entry) {
    QWidget* item = entry.Widget;
    const bool beginGroup = entry.BeginGroup;
    const bool newColumn = entry.NewColumn;
    // Reduced, a large button stacks with the small items.
    const bool large = entry.Large && FReduction == 0;
    if (beginGroup && FColumns->count() > 0) {
        auto* separator = new QFrame(this);
        separator->setObjectName(QStringLiteral("RibbonGroupSeparator"));
        separator->setFixedWidth(1);
        // Shown now rather than when the layout gets round to it, so the page measures it. A
        // separator of a group not yet shown is not hidden: showing it would only polish it.
        if (separator->isHidden())
            separator->show();
        FColumns->addWidget(separator);
        FCurrentColumn = nullptr;
    }
    if (large) {
        FColumns->addWidget(item);
        FCurrentColumn = nullptr;
        return;
    }
    if (!FCurrentColumn || newColumn || FCurrentColumnCount >= 3) {
        FCurrentColumn = new QVBoxLayout;
        FCurrentColumn->setSpacing(1);
        FCurrentColumn->setContentsMargins(0, 0, 0, 0);
        FCurrentColumn->addStretch();
        FColumns->addLayout(FCurrentColumn);
        FCurrentColumnCount = 0;
    }
    // Keep the trailing stretch last so that small items sit at the top of their column.
    FCurrentColumn->insertWidget(FCurrentColumn->count() - 1, item);
    ++FCurrentColumnCount;
}

void RibbonGroup::SetReduction(int reduction) {
    reduction = qBound(0, reduction, MaxReduction);
    if (reduction == FReduction)
        return;
    FReduction = reduction;
    Relayout();
}

void RibbonGroup::Relayout() {
    // Empty the columns (the items stay children of the group) and lay the items out afresh.
    while (QLayoutItem* entry = FColumns->takeAt(0)) {
        if (auto* column = qobject_cast<QVBoxLayout*>(entry->layout())) {
            while (QLayoutItem* inner = column->takeAt(0))
                delete inner;
        } else if (QWidget* widget = entry->widget();
                   widget && widget->objectName() == QLatin1String("RibbonGroupSeparator")) {
            delete widget;
        }
        delete entry;
    }
    FCurrentColumn = nullptr;
    FCurrentColumnCount = 0;
    for (const TItem& item : FItems) {
        if (auto* button = qobject_cast<RibbonButton*>(item.Widget)) {
            using TSize = RibbonButton::TSize;
            TSize size = item.Large ? TSize::Large : TSize::Small;
            if (FReduction == 1)
                size = TSize::Small;
            else if (FReduction == 2)
                size = TSize::IconOnly;
            button->SetSize(size);
        }
        Place(item);
    }
    // A nested layout's change does not reach the caches above it; the page measures the
    // group right after this.
    layout()->invalidate();
    updateGeometry();
}

RibbonButton* RibbonGroup::AddLargeButton(RibbonCommand* command, bool beginGroup) {
    auto* button = new RibbonButton(command, RibbonButton::TSize::Large, this);
    AddItem(button, true, beginGroup, false);
    return button;
}

RibbonButton* RibbonGroup::AddSmallButton(RibbonCommand* command, bool beginGroup, bool newColumn) {
    auto* button = new RibbonButton(command, RibbonButton::TSize::Small, this);
    AddItem(button, false, beginGroup, newColumn);
    return button;
}

RibbonEditItem* RibbonGroup::AddEditItem(const QString& caption, int editWidth, bool beginGroup,
                                         bool newColumn) {
    auto* item = new RibbonEditItem(caption, editWidth, this);
    AddItem(item, false, beginGroup, newColumn);
    return item;
}

QList<RibbonButton*> RibbonGroup::Buttons() const {
    return findChildren<RibbonButton*>();
}

// --- RibbonTab -------------------------------------------------------------------------------

RibbonTab::RibbonTab(QWidget* parent) : QWidget(parent), FLayout(new QHBoxLayout(this)) {
    FLayout->setContentsMargins(4, 3, 4, 3);
    FLayout->setSpacing(3);
    FLayout->addStretch();
}

void RibbonTab::FitGroups() {
    if (FFitting)
        return;
    FFitting = true;
    const QList<RibbonGroup*> groups = Groups();
    // Groups fit when their items do; their captions give way before any button shrinks.
    auto fits = [&] {
        FLayout->invalidate();
        return FLayout->minimumSize().width() <= width();
    };
    for (RibbonGroup* group : groups) {
        group->SetReduction(0);
        // A new caption or item changes the group's needs without telling the page's caches.
        group->layout()->invalidate();
        group->updateGeometry();
    }
    // Reduce one step at a time, the rightmost groups first, until the groups fit. A step that
    // would widen a group (a large button beside its own column of small ones) is left out.
    for (int level = 1; level <= RibbonGroup::MaxReduction && !fits(); ++level)
        for (qsizetype i = groups.size() - 1; i >= 0 && !fits(); --i) {
            RibbonGroup* group = groups[i];
            const int before = group->minimumSizeHint().width();
            group->SetReduction(level);
            if (level < RibbonGroup::MaxReduction && group->minimumSizeHint().width() > before)
                group->SetReduction(level - 1);
        }
    // The last group takes the room to spare instead of a gap at the end of the page.
    for (RibbonGroup* group : groups)
        FLayout->setStretchFactor(group, group == groups.constLast() ? 1 : 0);
    if (FLayout->count() > 0 && FLayout->itemAt(FLayout->count() - 1)->spacerItem())
        FLayout->itemAt(FLayout->count() - 1)
            ->spacerItem()
            ->changeSize(0, 0, groups.isEmpty() ? QSizePolicy::Expanding : QSizePolicy::Fixed);
    FLayout->invalidate();
    FFitting = false;
}

void RibbonTab::RequestFit() {
    // Captions change many at a time (a language switch): fit once, after the last.
    if (FFitRequested)
        return;
    FFitRequested = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            FFitRequested = false;
            FitGroups();
        },
        Qt::QueuedConnection);
}

QSize RibbonTab::minimumSizeHint() const {
    // The page fits its groups to whatever width it gets, so it never holds the window wide.
    return QSize(0, QWidget::minimumSizeHint().height());
}

void RibbonTab::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FitGroups();
}

void RibbonTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    FitGroups();
}

RibbonGroup* RibbonTab::AddGroup(const QString& caption) {
    auto* group = new RibbonGroup(caption, this);
    AddGroup(group);
    return group;
}

void RibbonTab::AddGroup(RibbonGroup* group) {
    group->setParent(this);
    FLayout->insertWidget(FLayout->count() - 1, group);
}

void RibbonTab::ClearGroups() {
    for (RibbonGroup* group : Groups())
        delete group;
}

QList<RibbonGroup*> RibbonTab::Groups() const {
    QList<RibbonGroup*> groups;
    for (int i = 0; i < FLayout->count(); ++i)
        if (auto* group = qobject_cast<RibbonGroup*>(FLayout->itemAt(i)->widget()))
            groups.append(group);
    return groups;
}

// --- glyphs ----------------------------------------------------------------------------------

namespace {

enum class TGlyph { Minimise, Maximise, Restore, Close, MenuArrow };

// The caption buttons and the toolbar's menu arrow are drawn in the scheme's text colour, so
// that they read on a dark caption as well as on a light one; the style's own pictures are
// dark grey whatever the background.
QIcon GlyphIcon(TGlyph glyph, const QColor& color) {
    QIcon icon;
    for (qreal ratio : {1.0, 2.0}) {
        QPixmap pixmap(QSize(10, 10) * ratio);
        pixmap.setDevicePixelRatio(ratio);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing, glyph == TGlyph::Close);
        QPen pen(color, 1.0);
        pen.setCapStyle(Qt::SquareCap);
        painter.setPen(pen);
        switch (glyph) {
        case TGlyph::Minimise:
            painter.fillRect(QRectF(0, 7, 10, 1.5), color);
            break;
        case TGlyph::Maximise:
            painter.drawRect(QRectF(0.5, 0.5, 9, 9));
            painter.fillRect(QRectF(0, 0, 10, 2), color);
            break;
        case TGlyph::Restore:
            painter.drawRect(QRectF(2.5, 0.5, 7, 6));
            painter.fillRect(QRectF(2, 0, 8, 1.5), color);
            painter.setCompositionMode(QPainter::CompositionMode_Clear);
            painter.fillRect(QRectF(0, 3, 8, 7), Qt::transparent);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.drawRect(QRectF(0.5, 3.5, 7, 6));
            painter.fillRect(QRectF(0, 3, 8, 1.5), color);
            break;
        case TGlyph::Close:
            pen.setWidthF(1.4);
            painter.setPen(pen);
            painter.drawLine(QPointF(1, 1), QPointF(9, 9));
            painter.drawLine(QPointF(9, 1), QPointF(1, 9));
            break;
        case TGlyph::MenuArrow:
            painter.fillRect(QRectF(1, 1, 8, 1.5), color);
            painter.setPen(Qt::NoPen);
            painter.setBrush(color);
            painter.drawPolygon(QPolygonF{QPointF(1, 4), QPointF(9, 4), QPointF(5, 8.5)});
            break;
        }
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

// --- QuickAccessToolbar ----------------------------------------------------------------------

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

QList<RibbonCommand*> QuickAccessToolbar::Commands() const {
    QList<RibbonCommand*> commands;
    for (int i = 0; i < FLayout->count(); ++i)
        if (auto* button = qobject_cast<RibbonButton*>(FLayout->itemAt(i)->widget()))
            commands.append(button->Command());
    return commands;
}

// --- ApplicationMenu -------------------------------------------------------------------------

namespace {

// An application-menu entry: picture, bold caption and the description beneath.
class AppMenuItem : public QToolButton {
public:
    AppMenuItem(RibbonCommand* command, QWidget* parent) : QToolButton(parent), FCommand(command) {
        setDefaultAction(command);
        setProperty("ribbonItem", true);
        setIconSize(QSize(32, 32));
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        setMinimumSize(290, 48);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        Sync();
    }

protected:
    void actionEvent(QActionEvent* event) override {
        QToolButton::actionEvent(event);
        if (event->type() == QEvent::ActionChanged)
            Sync();
    }
    void checkStateSet() override {
        if (!ToggleRunsCommand(this, FCommand))
            QToolButton::checkStateSet();
    }
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionToolButton option;
        initStyleOption(&option);
        option.text.clear();
        option.icon = QIcon();
        style()->drawPrimitive(QStyle::PE_PanelButtonTool, &option, &painter, this);
        if (underMouse() && isEnabled()) {
            painter.setPen(QColor("#dbb94f"));
            painter.setBrush(QColor("#ffe8a6"));
            painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), 3, 3);
        }
        QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        painter.drawPixmap(6, (height() - 32) / 2, FCommand->icon().pixmap(32, 32, mode));
        QFont bold = font();
        bold.setBold(true);
        painter.setPen(isEnabled() ? palette().color(QPalette::WindowText)
                                   : palette().color(QPalette::Disabled, QPalette::WindowText));
        painter.setFont(bold);
        QRect textRect = rect().adjusted(46, 4, -4, -4);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, FCommand->text().trimmed());
        painter.setFont(font());
        painter.drawText(textRect.adjusted(0, QFontMetrics(bold).height(), 0, 0),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, FCommand->Description());
    }

private:
    void Sync() {
        setAccessibleName(FCommand->text().trimmed());
        setAccessibleDescription(FCommand->Description());
        setToolTip(FCommand->Description());
    }
    RibbonCommand* FCommand;
};

} // namespace

ApplicationMenu::ApplicationMenu(QWidget* parent)
    : QFrame(parent, Qt::Popup), FItems(new QVBoxLayout), FRecent(new QVBoxLayout),
      FRecentTitle(new QLabel(this)) {
    setObjectName(QStringLiteral("RibbonAppMenu"));
    TranslateChrome();
    setFrameShape(QFrame::StyledPanel);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    FItems->setSpacing(1);
    FItems->addStretch();
    layout->addLayout(FItems);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);
    auto* right = new QVBoxLayout;
    QFont bold = FRecentTitle->font();
    bold.setBold(true);
    FRecentTitle->setFont(bold);
    right->addWidget(FRecentTitle);
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    right->addWidget(rule);
    FRecent->setSpacing(0);
    right->addLayout(FRecent);
    right->addStretch();
    layout->addLayout(right);
    setMinimumWidth(520);
}

void ApplicationMenu::AddCommand(RibbonCommand* command) {
    FCommands.append(command);
    auto* item = new AppMenuItem(command, this);
    connect(command, &QAction::triggered, this, &QWidget::hide);
    FItems->insertWidget(FItems->count() - 1, item);
}

void ApplicationMenu::AddSeparator() {
    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    FItems->insertWidget(FItems->count() - 1, rule);
}

void ApplicationMenu::ClearCommands() {
    for (RibbonCommand* command : FCommands)
        disconnect(command, &QAction::triggered, this, &QWidget::hide);
    FCommands.clear();
    // Everything but the trailing stretch.
    while (FItems->count() > 1) {
        QLayoutItem* item = FItems->takeAt(0);
        delete item->widget();
        delete item;
    }
}

QList<RibbonCommand*> ApplicationMenu::Commands() const {
    return FCommands;
}
QString ApplicationMenu::RecentCaption() const {
    return FRecentTitle->text();
}
void ApplicationMenu::SetRecentCaption(const QString& caption) {
    FRecentCaptionGiven = true;
    FRecentTitle->setText(caption);
}

void ApplicationMenu::TranslateChrome() {
    setAccessibleName(MessageText(msgRibbonAppMenu));
    if (!FRecentCaptionGiven)
        FRecentTitle->setText(MessageText(msgRibbonRecentDocuments));
}

void ApplicationMenu::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        TranslateChrome();
    QFrame::changeEvent(event);
}

void ApplicationMenu::SetRecentFiles(const QStringList& files) {
    FRecentFiles.clear();
    for (const QString& file : files)
        if (!file.isEmpty() && !FRecentFiles.contains(file) && FRecentFiles.size() < FMaxRecent)
            FRecentFiles.append(file);
    RebuildRecent();
}

void ApplicationMenu::AddRecentFile(const QString& fileName) {
    if (fileName.isEmpty())
        return;
    FRecentFiles.removeAll(fileName);
    FRecentFiles.prepend(fileName);
    while (FRecentFiles.size() > FMaxRecent)
        FRecentFiles.removeLast();
    RebuildRecent();
}

void ApplicationMenu::SetMaxRecentFiles(int count) {
    FMaxRecent = qMax(0, count);
    while (FRecentFiles.size() > FMaxRecent)
        FRecentFiles.removeLast();
    RebuildRecent();
}

QList<QAbstractButton*> ApplicationMenu::RecentFileButtons() const {
    QList<QAbstractButton*> buttons;
    for (int i = 0; i < FRecent->count(); ++i)
        if (auto* button = qobject_cast<QAbstractButton*>(FRecent->itemAt(i)->widget()))
            buttons.append(button);
    return buttons;
}

void ApplicationMenu::RebuildRecent() {
    while (QLayoutItem* item = FRecent->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    int number = 1;
    for (const QString& file : FRecentFiles) {
        auto* button = new QPushButton(this);
        button->setFlat(true);
        button->setStyleSheet(
            QStringLiteral("QPushButton { text-align: left; padding: 3px 6px; }"));
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        // Numbered like a classic recent list; the mnemonic lets the keyboard pick one.
        button->setText(QStringLiteral("&%1 %2").arg(number++).arg(QFileInfo(file).fileName()));
        button->setAccessibleName(QFileInfo(file).fileName());
        button->setAccessibleDescription(file);
        button->setToolTip(file);
        connect(button, &QPushButton::clicked, this, [this, file] {
            hide();
            if (OnRecentFileClick)
                OnRecentFileClick(file);
        });
        FRecent->addWidget(button);
    }
}

void ApplicationMenu::Popup(const QPoint& globalPos) {
    adjustSize();
    QPoint pos = globalPos;
    if (QScreen* screen = QApplication::screenAt(globalPos)) {
        QRect area = screen->availableGeometry();
        pos.setX(qMin(pos.x(), area.right() - width()));
        pos.setY(qMin(pos.y(), area.bottom() - height()));
    }
    move(pos);
    show();
}

// --- RibbonBar -------------------------------------------------------------------------------

namespace {

QToolButton* CaptionButton(QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setProperty("captionItem", true);
    button->setIconSize(QSize(10, 10));
    button->setFixedSize(34, 24);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QHBoxLayout* RowLayout(QWidget* row, int left = 4) {
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(left, 1, 4, 1);
    layout->setSpacing(2);
    return layout;
}

// The pop-up that shows a minimised ribbon's groups. A press outside it closes it; a press on
// the tabs is handled here, because the pop-up takes it: the shown tab again within a double
// click's time restores the ribbon, another tab shows that tab's groups.
class TabPopupFrame : public QFrame {
public:
    TabPopupFrame(QTabBar* tabs, QWidget* parent) : QFrame(parent, Qt::Popup), FTabs(tabs) {
        setObjectName(QStringLiteral("RibbonTabPopup"));
        setFrameShape(QFrame::NoFrame);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    std::function<void(int tab, bool doubleClick)> OnTabPress;
    void Open(int tab, const QPoint& globalPos, int width) {
        FTab = tab;
        FOpened.start();
        setFixedWidth(width);
        adjustSize();
        move(globalPos);
        show();
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        const QPoint global = event->globalPosition().toPoint();
        if (!rect().contains(event->position().toPoint()) && FTabs->isVisible()) {
            const int tab = FTabs->tabAt(FTabs->mapFromGlobal(global));
            if (tab >= 0) {
                const bool twice =
                    tab == FTab && FOpened.elapsed() <= QApplication::doubleClickInterval();
                setAttribute(Qt::WA_NoMouseReplay);
                close();
                if (OnTabPress)
                    OnTabPress(tab, twice);
                return;
            }
        }
        QFrame::mousePressEvent(event);
    }

private:
    QTabBar* FTabs;
    int FTab = -1;
    QElapsedTimer FOpened;
};

} // namespace

RibbonBar::RibbonBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Ribbon"));
    setAttribute(Qt::WA_StyledBackground, true);
    FLayout = new QVBoxLayout(this);
    FLayout->setContentsMargins(0, 0, 0, 0);
    FLayout->setSpacing(0);

    // Caption bar of the ribbon form mode.
    FCaptionBar = new QWidget(this);
    FCaptionBar->setObjectName(QStringLiteral("RibbonCaption"));
    FCaptionBar->setAttribute(Qt::WA_StyledBackground, true);
    FCaptionBar->setFixedHeight(28);
    auto* caption = RowLayout(FCaptionBar);
    FCaptionQatSlot = new QHBoxLayout;
    FCaptionQatSlot->setContentsMargins(0, 0, 0, 0);
    caption->addLayout(FCaptionQatSlot);
    FCaptionTitle = new QLabel(FCaptionBar);
    FCaptionTitle->setObjectName(QStringLiteral("RibbonCaptionTitle"));
    FCaptionTitle->setAlignment(Qt::AlignCenter);
    caption->addWidget(FCaptionTitle, 1);
    FMinButton = CaptionButton(FCaptionBar);
    FMaxButton = CaptionButton(FCaptionBar);
    FCloseButton = CaptionButton(FCaptionBar);
    FCloseButton->setObjectName(QStringLiteral("RibbonCloseButton"));
    caption->addWidget(FMinButton);
    caption->addWidget(FMaxButton);
    caption->addWidget(FCloseButton);
    connect(FMinButton, &QToolButton::clicked, this, [this] { window()->showMinimized(); });
    connect(FMaxButton, &QToolButton::clicked, this, [this] {
        window()->isMaximized() ? window()->showNormal() : window()->showMaximized();
    });
    connect(FCloseButton, &QToolButton::clicked, this, [this] { window()->close(); });
    FCaptionBar->installEventFilter(this);
    FCaptionTitle->installEventFilter(this);
    FLayout->addWidget(FCaptionBar);
    FCaptionBar->hide();

    FQatAboveRow = new QWidget(this);
    FQatAboveRow->setObjectName(QStringLiteral("RibbonTabRow"));
    FQatAboveRow->setAttribute(Qt::WA_StyledBackground, true);
    RowLayout(FQatAboveRow)->addStretch();
    FLayout->addWidget(FQatAboveRow);

    // Tab row: application button, tabs, help button.
    FTabRow = new QWidget(this);
    FTabRow->setObjectName(QStringLiteral("RibbonTabRow"));
    FTabRow->setAttribute(Qt::WA_StyledBackground, true);
    auto* tabRow = RowLayout(FTabRow, 2);
    tabRow->setContentsMargins(2, 2, 4, 0);
    FAppButton = new QToolButton(FTabRow);
    FAppButton->setObjectName(QStringLiteral("RibbonAppButton"));
    FAppButton->setIcon(CommandIcon(QStringLiteral("appbutton")));
    FAppButton->setIconSize(QSize(26, 26));
    FAppButton->setFixedSize(34, 32);
    FAppButton->setAutoRaise(true);
    tabRow->addWidget(FAppButton, 0, Qt::AlignBottom);
    FTabs = new QTabBar(FTabRow);
    FTabs->setObjectName(QStringLiteral("RibbonTabs"));
    FTabs->setDrawBase(false);
    FTabs->setExpanding(false);
    tabRow->addWidget(FTabs, 0, Qt::AlignBottom);
    tabRow->addStretch();
    FHelpButton = new QToolButton(FTabRow);
    FHelpButton->setProperty("captionItem", true);
    FHelpButton->setIcon(CommandIcon(QStringLiteral("help")));
    FHelpButton->setIconSize(QSize(16, 16));
    tabRow->addWidget(FHelpButton, 0, Qt::AlignVCenter);
    FLayout->addWidget(FTabRow);
    connect(FHelpButton, &QToolButton::clicked, this, [this] {
        if (OnHelpClick)
            OnHelpClick();
    });

    FPages = new QStackedWidget(this);
    FPages->setObjectName(QStringLiteral("RibbonPanel"));
    FPages->setAttribute(Qt::WA_StyledBackground, true);
    FPages->setFixedHeight(96);
    FLayout->addWidget(FPages);

    FQatBelowRow = new QWidget(this);
    FQatBelowRow->setObjectName(QStringLiteral("RibbonTabRow"));
    FQatBelowRow->setAttribute(Qt::WA_StyledBackground, true);
    RowLayout(FQatBelowRow)->addStretch();
    FLayout->addWidget(FQatBelowRow);

    FQat = new QuickAccessToolbar(this);
    auto* customize = new QMenu(FQat->CustomizeButton());
    WatchMenu(customize);
    connect(customize, &QMenu::aboutToShow, this, [this, customize] {
        customize->clear();
        QMenu* menu = CreateContextMenu(QPoint(-1, -1));
        for (QAction* action : menu->actions()) {
            action->setParent(customize);
            customize->addAction(action);
        }
        delete menu;
    });
    FQat->CustomizeButton()->setMenu(customize);
    FAppMenu = new ApplicationMenu(this);
    connect(FAppButton, &QToolButton::clicked, this, &RibbonBar::ShowAppMenu);

    connect(FTabs, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0 && index < FPages->count())
            FPages->setCurrentIndex(index);
    });
    connect(FTabs, &QTabBar::tabBarDoubleClicked, this, [this] {
        SetMinimized(!FMinimized);
        // The tab bar reports the double click's second press as a click as well: it must not
        // open the pop-up of the ribbon just minimised.
        FSkipTabClick = true;
        QTimer::singleShot(0, this, [this] { FSkipTabClick = false; });
    });
    auto* popup = new TabPopupFrame(FTabs, this);
    FPopup = popup;
    popup->OnTabPress = [this](int tab, bool doubleClick) {
        if (doubleClick)
            SetMinimized(false);
        else
            ShowTabPopup(tab);
    };
    connect(FTabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (FMinimized && index >= 0 && !FSkipTabClick)
            ShowTabPopup(index);
    });

    TranslateChrome();
    SetColorSchemeName(FScheme);
    PlaceQat();
}

void RibbonBar::TranslateChrome() {
    setAccessibleName(MessageText(msgRibbon));
    FTabs->setAccessibleName(MessageText(msgRibbonTabs));
    NameTabScrollButtons(FTabs);
    NameWithTip(FMinButton, MessageText(msgRibbonMinimizeWindow));
    NameWithTip(FCloseButton, MessageText(msgRibbonCloseWindow));
    UpdateMaxButtonName();
    if (!FAppButtonNamed)
        FAppButton->setAccessibleName(MessageText(msgRibbonAppButton));
    if (!FHelpButtonNamed) {
        NameWithTip(FHelpButton, MessageText(msgRibbonHelp));
    }
}

void RibbonBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        TranslateChrome();
    QWidget::changeEvent(event);
}

RibbonBar::~RibbonBar() {
    if (FWatchedWindow)
        FWatchedWindow->removeEventFilter(this);
}

RibbonTab* RibbonBar::AddTab(const QString& caption) {
    auto* tab = new RibbonTab(FPages);
    FPages->addWidget(tab);
    FTabs->addTab(caption);
    FTabs->setTabToolTip(FTabs->count() - 1, QString());
    tab->setAccessibleName(caption);
    return tab;
}

int RibbonBar::TabCount() const {
    return FPages->count();
}
RibbonTab* RibbonBar::Tab(int index) const {
    return qobject_cast<RibbonTab*>(FPages->widget(index));
}
int RibbonBar::TabIndex(RibbonTab* tab) const {
    return FPages->indexOf(tab);
}
QString RibbonBar::TabCaption(int index) const {
    return FTabs->tabText(index);
}

void RibbonBar::SetTabCaption(int index, const QString& caption) {
    FTabs->setTabText(index, caption);
    if (RibbonTab* tab = Tab(index))
        tab->setAccessibleName(caption);
}

void RibbonBar::SetTabVisible(int index, bool visible) {
    FTabs->setTabVisible(index, visible);
}

RibbonTab* RibbonBar::ActiveTab() const {
    return qobject_cast<RibbonTab*>(FPages->currentWidget());
}

void RibbonBar::SetActiveTab(RibbonTab* tab) {
    int index = FPages->indexOf(tab);
    if (index >= 0)
        FTabs->setCurrentIndex(index);
}

void RibbonBar::RegisterCommand(RibbonCommand* command) {
    if (!actions().contains(command))
        addAction(command);
}

void RibbonBar::SetQatVisible(bool visible) {
    FQatVisible = visible;
    PlaceQat();
}

void RibbonBar::SetQatPosition(TQatPosition position) {
    FQatPosition = position;
    PlaceQat();
}

bool RibbonBar::AppButtonVisible() const {
    return !FAppButton->isHidden();
}
void RibbonBar::SetAppButtonVisible(bool visible) {
    FAppButton->setVisible(visible);
}

void RibbonBar::SetAppButtonScreenTip(const TScreenTip& tip) {
    FAppButton->setToolTip(ScreenTipHtml(tip));
    FAppButtonNamed = !tip.Header.isEmpty();
    FAppButton->setAccessibleName(FAppButtonNamed ? tip.Header : MessageText(msgRibbonAppButton));
    FAppButton->setAccessibleDescription(tip.Text);
}

void RibbonBar::SetHelpScreenTip(const TScreenTip& tip) {
    FHelpButton->setToolTip(ScreenTipHtml(tip));
    FHelpButtonNamed = !tip.Header.isEmpty();
    FHelpButton->setAccessibleName(FHelpButtonNamed ? tip.Header : MessageText(msgRibbonHelp));
    FHelpButton->setAccessibleDescription(tip.Text);
}

const TColorScheme& RibbonBar::ColorScheme() const {
    return ColorSchemeByName(FScheme);
}

void RibbonBar::SetColorSchemeName(const QString& name) {
    FScheme = IsColorSchemeName(name) ? name : QStringLiteral("Blue");
    const TColorScheme& scheme = ColorScheme();
    // A style sheet set again re-polishes every widget under it even when it is the same text,
    // and the form names the scheme the ribbon already has.
    const auto apply = [](QWidget* widget, const QString& sheet) {
        if (widget->styleSheet() != sheet)
            widget->setStyleSheet(sheet);
    };
    apply(this, RibbonStyleSheet(scheme));
    // The application button is a coloured orb of the scheme.
    apply(FAppButton,
          QStringLiteral("QToolButton { border-radius: 4px; border: 1px solid %3; background: "
                         "qlineargradient(x1:0,y1:0,x2:0,y2:1, stop:0 %1, stop:1 %2); }"
                         "QToolButton:hover { border-color: #dbb94f; }")
              .arg(scheme.AppButtonTop.name(), scheme.AppButtonBottom.name(),
                   scheme.AppButtonBottom.darker(130).name()));
    apply(FAppMenu, RibbonStyleSheet(scheme) +
                        QStringLiteral("#RibbonAppMenu { background: %1; border: 1px solid %2; }")
                            .arg(scheme.PanelTop.name(), scheme.GroupBorder.name()));
    apply(
        FPopup,
        QStringLiteral("#RibbonTabPopup { border: 1px solid %1; }").arg(scheme.GroupBorder.name()));
    UpdateCaptionGlyphs();
    if (OnColorSchemeChanged)
        OnColorSchemeChanged();
}

void RibbonBar::SetSupportNonClientDrawing(bool on) {
    FFormMode = on;
    ApplyFrameMode();
    PlaceQat();
}

void RibbonBar::SetMinimized(bool minimized) {
    FMinimized = minimized;
    FPopup->hide();
    // The groups live in the pop-up while minimised and go back under the tabs after.
    if (minimized) {
        FLayout->removeWidget(FPages);
        FPages->setParent(FPopup);
        FPopup->layout()->addWidget(FPages);
    } else if (FPages->parentWidget() != this) {
        FPopup->layout()->removeWidget(FPages);
        FPages->setParent(this);
        FLayout->insertWidget(FLayout->indexOf(FTabRow) + 1, FPages);
    }
    FPages->show();
    LayoutChanged();
}

QWidget* RibbonBar::TabPopup() const {
    return FPopup;
}

void RibbonBar::ShowTabPopup(int index) {
    if (!FMinimized || index < 0 || index >= FPages->count())
        return;
    FTabs->setCurrentIndex(index);
    FPages->setCurrentIndex(index);
    // Choosing a command closes the pop-up; typing into a field of it does not.
    for (QAbstractButton* button : FPages->findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, FPopup, &QWidget::close, Qt::UniqueConnection);
    static_cast<TabPopupFrame*>(FPopup)->Open(
        index, mapToGlobal(QPoint(0, FTabRow->geometry().bottom() + 1)), width());
}

// The ribbon's height follows its rows: the window re-reads it from sizeHint().
void RibbonBar::LayoutChanged() {
    FLayout->invalidate();
    updateGeometry();
    if (OnResize)
        OnResize();
}

// A pop-up takes the mouse while it is open, so the item under the cursor before it opened
// never hears that the cursor left: it would keep its hover look. Ask the items again.
void RibbonBar::ClearStaleHover() {
    const QPoint cursor = QCursor::pos();
    QList<QWidget*> widgets = findChildren<QWidget*>();
    widgets.append(FPopup->findChildren<QWidget*>());
    for (QWidget* widget : widgets) {
        if (!widget->testAttribute(Qt::WA_UnderMouse) || widget->isWindow())
            continue;
        if (widget->isVisible() && widget->rect().contains(widget->mapFromGlobal(cursor)))
            continue;
        widget->setAttribute(Qt::WA_UnderMouse, false);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
        widget->update();
    }
}

void RibbonBar::WatchMenu(QMenu* menu) {
    connect(menu, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, &RibbonBar::ClearStaleHover); });
}

void RibbonBar::PlaceQat() {
    // The toolbar goes into the caption bar (form mode) or its own row above, or the row below.
    bool above = FQatPosition == TQatPosition::Above;
    QLayout* target = nullptr;
    if (above && FFormMode)
        target = FCaptionQatSlot;
    else if (above)
        target = FQatAboveRow->layout();
    else
        target = FQatBelowRow->layout();
    if (FQat->parentWidget())
        FQat->parentWidget()->layout()->removeWidget(FQat);
    if (FCaptionQatSlot->indexOf(FQat) >= 0)
        FCaptionQatSlot->removeWidget(FQat);
    QWidget* host = target == FCaptionQatSlot ? FCaptionBar : target->parentWidget();
    FQat->setParent(host);
    if (auto* box = qobject_cast<QBoxLayout*>(target))
        box->insertWidget(0, FQat);
    FQat->setVisible(FQatVisible);
    FQatAboveRow->setVisible(FQatVisible && above && !FFormMode);
    FQatBelowRow->setVisible(FQatVisible && !above);
    LayoutChanged();
}

void RibbonBar::ApplyFrameMode() {
    FCaptionBar->setVisible(FFormMode);
    QWidget* top = window();
    if (top == this)
        return;
    if (FWatchedWindow != top) {
        if (FWatchedWindow)
            FWatchedWindow->removeEventFilter(this);
        FWatchedWindow = top;
        top->installEventFilter(this);
    }
    bool frameless = top->windowFlags().testFlag(Qt::FramelessWindowHint);
    if (frameless != FFormMode) {
        bool wasVisible = top->isVisible();
        top->setWindowFlag(Qt::FramelessWindowHint, FFormMode);
        if (wasVisible)
            top->show();
    }
    UpdateCaption();
}

void RibbonBar::SetDocumentName(const QString& name) {
    FDocumentName = name;
    UpdateCaption();
}

void RibbonBar::UpdateCaption() {
    QWidget* top = window();
    FCaptionTitle->setText(FDocumentName.isEmpty()
                               ? top->windowTitle()
                               : top->windowTitle() + QStringLiteral(" - ") + FDocumentName);
    UpdateMaxButtonName();
    UpdateCaptionGlyphs();
}

void RibbonBar::UpdateMaxButtonName() {
    NameWithTip(FMaxButton, MessageText(window()->isMaximized() ? msgRibbonRestoreWindow
                                                                : msgRibbonMaximizeWindow));
}

void RibbonBar::UpdateCaptionGlyphs() {
    const QColor color = ColorScheme().CaptionText;
    FMinButton->setIcon(GlyphIcon(TGlyph::Minimise, color));
    FMaxButton->setIcon(
        GlyphIcon(window()->isMaximized() ? TGlyph::Restore : TGlyph::Maximise, color));
    FCloseButton->setIcon(GlyphIcon(TGlyph::Close, color));
    FQat->SetArrowColor(ColorScheme().QatText);
}

void RibbonBar::ShowAppMenu() {
    FAppMenu->Popup(FAppButton->mapToGlobal(QPoint(0, FAppButton->height())));
}

QMenu* RibbonBar::CreateContextMenu(const QPoint& pos) {
    auto* menu = new QMenu(this);
    // An item under the cursor can be put on or taken off the quick access toolbar.
    QWidget* child = pos.x() >= 0 ? childAt(pos) : nullptr;
    auto* button = qobject_cast<RibbonButton*>(child);
    if (button) {
        RibbonCommand* command = button->Command();
        if (FQat->Contains(command))
            menu->addAction(MessageText(msgRibbonQatRemove), this,
                            [this, command] { FQat->RemoveCommand(command); });
        else
            menu->addAction(MessageText(msgRibbonQatAdd), this,
                            [this, command] { FQat->AddCommand(command); });
        menu->addSeparator();
    }
    if (FQatPosition == TQatPosition::Above)
        menu->addAction(MessageText(msgRibbonQatBelow), this,
                        [this] { SetQatPosition(TQatPosition::Below); });
    else
        menu->addAction(MessageText(msgRibbonQatAbove), this,
                        [this] { SetQatPosition(TQatPosition::Above); });
    menu->addSeparator();
    QAction* minimize = menu->addAction(MessageText(msgRibbonMinimize), this,
                                        [this](bool on) { SetMinimized(on); });
    minimize->setCheckable(true);
    minimize->setChecked(FMinimized);
    return menu;
}

void RibbonBar::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = CreateContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    WatchMenu(menu);
    menu->popup(event->globalPos());
}

void RibbonBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (OnResize)
        OnResize();
}

void RibbonBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FFormMode)
        ApplyFrameMode();
}

bool RibbonBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FWatchedWindow) {
        if (event->type() == QEvent::WindowTitleChange ||
            event->type() == QEvent::WindowStateChange)
            UpdateCaption();
    } else if (watched == FCaptionBar || watched == FCaptionTitle) {
        if (event->type() == QEvent::MouseButtonPress &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            if (QWindow* handle = window()->windowHandle())
                handle->startSystemMove();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            FMaxButton->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace lumotrix
