#include "widgets/qt/RibbonBar.h"

#include "runtime/Message.h"
#include "widgets/qt/WidgetMessageIds.h"

#include "widgets/qt/Accessibility.h"
#include "widgets/qt/Icons.h"
#include "widgets/qt/TabScrollButtons.h"

#include "widgets/qt/RibbonKeyTips.h"
#include "widgets/qt/RibbonSupport.h"
#include "widgets/qt/RibbonTabPopup.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace lumotrix {

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

} // namespace

RibbonBar::RibbonBar(QWidget* parent) : QWidget(parent) {
    InstallAccessibles();
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
    connect(FHelpButton, &QToolButton::clicked, this, &RibbonBar::helpClicked);

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
        // First the commands the toolbar can show, each checked while it shows it.
        for (RibbonCommand* command : FQat->Choices()) {
            QAction* choice = customize->addAction(command->icon(), command->text());
            choice->setCheckable(true);
            choice->setChecked(FQat->Contains(command));
            connect(choice, &QAction::toggled, this, [this, command](bool on) {
                if (on)
                    FQat->AddCommand(command);
                else
                    FQat->RemoveCommand(command);
            });
        }
        if (!FQat->Choices().isEmpty())
            customize->addSeparator();
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
    auto* popup = new RibbonTabPopup(FTabs, this);
    FPopup = popup;
    connect(popup, &RibbonTabPopup::tabPressed, this, [this](int tab, bool doubleClick) {
        if (doubleClick)
            SetMinimized(false);
        else
            ShowTabPopup(tab);
    });
    connect(FTabs, &QTabBar::tabBarClicked, this, [this](int index) {
        if (FMinimized && index >= 0 && !FSkipTabClick)
            ShowTabPopup(index);
    });

    TranslateChrome();
    SetColorSchemeName(FScheme);
    PlaceQat();
    FKeyTips = new RibbonKeyTips(this);
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
    FAppButton->setAccessibleDescription(AccessibleDescription(tip.Text, FAppButton->toolTip()));
}

void RibbonBar::SetHelpScreenTip(const TScreenTip& tip) {
    FHelpButton->setToolTip(ScreenTipHtml(tip));
    FHelpButtonNamed = !tip.Header.isEmpty();
    FHelpButton->setAccessibleName(FHelpButtonNamed ? tip.Header : MessageText(msgRibbonHelp));
    FHelpButton->setAccessibleDescription(AccessibleDescription(tip.Text, FHelpButton->toolTip()));
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
    emit colorSchemeChanged();
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
    static_cast<RibbonTabPopup*>(FPopup)->Open(
        index, mapToGlobal(QPoint(0, FTabRow->geometry().bottom() + 1)), width());
}

// The ribbon's height follows its rows: the window re-reads it from sizeHint().
void RibbonBar::LayoutChanged() {
    FLayout->invalidate();
    updateGeometry();
    emit sizeChanged();
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

QString RibbonBar::CaptionText() const {
    return FCaptionTitle->text();
}

void RibbonBar::UpdateCaption() {
    QWidget* top = window();
    // The title's place for the modified mark, filled as the window manager fills it.
    QString title = top->windowTitle();
    title.replace(QStringLiteral("[*]"), top->isWindowModified() ? QStringLiteral("*") : QString());
    FCaptionTitle->setText(FDocumentName.isEmpty() ? title
                                                   : title + QStringLiteral(" - ") + FDocumentName);
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
    emit sizeChanged();
}

void RibbonBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (FFormMode)
        ApplyFrameMode();
}

bool RibbonBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == FWatchedWindow) {
        if (event->type() == QEvent::WindowTitleChange || event->type() == QEvent::ModifiedChange ||
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
