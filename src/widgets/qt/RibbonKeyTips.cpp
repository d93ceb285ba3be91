#include "widgets/qt/RibbonKeyTips.h"

#include "runtime/Message.h"

#include "widgets/qt/RibbonBar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>

namespace lumotrix {

namespace {

const QString BadgeSheet = QStringLiteral(
    "QLabel { background: #fbfbf4; color: #1e1e1e; border: 1px solid #6d6d6d; border-radius: 2px;"
    " padding: 1px 3px; font-size: 8pt; font-weight: bold; }"
    "QLabel:disabled { color: #9a9a9a; border-color: #b4b4b4; }");

// What a key types, for keys that carry no text (some synthetic events).
QString KeyText(const QKeyEvent* event) {
    QString text = event->text();
    const int key = event->key();
    if (text.isEmpty() &&
        ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)))
        text = QChar(key);
    if (text.size() != 1 || !text[0].isPrint() || text[0].isSpace())
        return {};
    return text;
}

bool IsModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Meta ||
           key == Qt::Key_Alt || key == Qt::Key_AltGr;
}

} // namespace

RibbonKeyTips::RibbonKeyTips(RibbonBar* ribbon) : QObject(ribbon), FRibbon(ribbon) {
    // Keys go to whichever widget has the focus, in the window or in the ribbon's pop-ups.
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(this);
}

RibbonKeyTips::~RibbonKeyTips() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    ClearBadges();
}

void RibbonKeyTips::Start() {
    if (!FRibbon->isVisible() || !FRibbon->isEnabled())
        return;
    ShowLevel(TLevel::Root);
}

void RibbonKeyTips::Stop() {
    const bool wasOn = FLevel != TLevel::Off;
    ClearBadges();
    FLevel = TLevel::Off;
    FTab = -1;
    FTyped.clear();
    FTips.clear();
    if (wasOn)
        emit levelChanged();
}

void RibbonKeyTips::Leave() {
    // Whatever the mode opened closes with it.
    const TLevel level = FLevel;
    Stop();
    if (level == TLevel::AppMenu)
        FRibbon->AppMenu()->hide();
    else if (level == TLevel::Tab && FRibbon->Minimized())
        FRibbon->TabPopup()->hide();
}

std::function<void()> RibbonKeyTips::RunCommand(QAction* command) {
    return [this, command = QPointer<QAction>(command)] {
        Stop();
        if (FRibbon->Minimized())
            FRibbon->TabPopup()->hide();
        if (command && command->isEnabled())
            command->trigger();
    };
}

QList<RibbonKeyTips::TKeyTip> RibbonKeyTips::RootTips() const {
    QList<TKeyTip> tips;
    auto* self = const_cast<RibbonKeyTips*>(this);
    QToolButton* app = FRibbon->AppButton();
    if (!app->isHidden())
        tips.append({app,
                     QPoint(app->width() / 2, app->height()),
                     FRibbon->AppButtonKeyTipId(),
                     {},
                     true,
                     [self] {
                         self->FRibbon->ShowAppMenu();
                         self->ShowLevel(TLevel::AppMenu);
                     }});
    QTabBar* tabs = FRibbon->TabBar();
    for (int i = 0; i < FRibbon->TabCount() && i < tabs->count(); ++i) {
        if (!tabs->isTabVisible(i) || !FRibbon->Tab(i))
            continue;
        const QRect area = tabs->tabRect(i);
        tips.append({tabs,
                     QPoint(area.center().x(), area.bottom()),
                     FRibbon->Tab(i)->KeyTipId(),
                     {},
                     tabs->isTabEnabled(i),
                     [self, i] {
                         self->FRibbon->SetActiveTab(self->FRibbon->Tab(i));
                         if (self->FRibbon->Minimized())
                             self->FRibbon->ShowTabPopup(i);
                         self->ShowLevel(TLevel::Tab, i);
                     }});
    }
    // The toolbar's buttons by their place, as the user may reorder or add to them.
    int number = 1;
    if (FRibbon->QatVisible())
        for (RibbonButton* button : FRibbon->Qat()->Buttons()) {
            if (button->isHidden() || number > 9)
                continue;
            tips.append({button, QPoint(button->width() / 2, button->height()), 0,
                         QString::number(number++), button->Command()->isEnabled(),
                         self->RunCommand(button->Command())});
        }
    for (TKeyTip& tip : tips)
        if (tip.Id)
            tip.Text = MessageText(tip.Id).trimmed();
    return tips;
}

QList<RibbonKeyTips::TKeyTip> RibbonKeyTips::TabTips(int index) const {
    QList<TKeyTip> tips;
    auto* self = const_cast<RibbonKeyTips*>(this);
    RibbonTab* page = index >= 0 && index < FRibbon->TabCount() ? FRibbon->Tab(index) : nullptr;
    if (!page)
        return tips;
    for (RibbonGroup* group : page->Groups())
        for (QWidget* item : group->Items()) {
            if (item->isHidden())
                continue;
            if (auto* button = qobject_cast<RibbonButton*>(item)) {
                RibbonCommand* command = button->Command();
                // A large button's letter sits under its middle, a small one's by its picture.
                const QPoint at = button->Size() == RibbonButton::TSize::Small
                                      ? QPoint(10, button->height())
                                      : QPoint(button->width() / 2, button->height());
                tips.append({button,
                             at,
                             command->KeyTipId(),
                             {},
                             command->isEnabled(),
                             self->RunCommand(command)});
            } else if (auto* editor = qobject_cast<RibbonEditItem*>(item)) {
                QLineEdit* edit = editor->Edit();
                tips.append({edit,
                             QPoint(edit->width() / 2, edit->height()),
                             editor->KeyTipId(),
                             {},
                             editor->isEnabled(),
                             [self, edit = QPointer<QLineEdit>(edit)] {
                                 self->Stop();
                                 if (!edit)
                                     return;
                                 edit->setFocus(Qt::ShortcutFocusReason);
                                 edit->selectAll();
                             }});
            }
        }
    for (TKeyTip& tip : tips)
        tip.Text = tip.Id ? MessageText(tip.Id).trimmed() : QString();
    return tips;
}

QList<RibbonKeyTips::TKeyTip> RibbonKeyTips::AppMenuTips() const {
    QList<TKeyTip> tips;
    auto* self = const_cast<RibbonKeyTips*>(this);
    ApplicationMenu* menu = FRibbon->AppMenu();
    for (QToolButton* button : menu->CommandButtons()) {
        auto* command = qobject_cast<RibbonCommand*>(button->defaultAction());
        if (!command || !command->isVisible())
            continue;
        tips.append({button, QPoint(24, button->height() - 10), command->KeyTipId(),
                     MessageText(command->KeyTipId()).trimmed(), command->isEnabled(),
                     self->RunCommand(command)});
    }
    int number = 1;
    for (QAbstractButton* button : menu->RecentFileButtons()) {
        if (number > 9)
            break;
        tips.append({button, QPoint(10, button->height() / 2), 0, QString::number(number++), true,
                     [self, button = QPointer<QAbstractButton>(button)] {
                         self->Stop();
                         if (button)
                             button->click();
                     }});
    }
    return tips;
}

QList<QLabel*> RibbonKeyTips::Badges() const {
    QList<QLabel*> badges;
    for (const QPointer<QLabel>& badge : FBadges)
        if (badge)
            badges.append(badge);
    return badges;
}

void RibbonKeyTips::ShowLevel(TLevel level, int tab) {
    ClearBadges();
    FLevel = level;
    FTab = level == TLevel::Tab ? tab : -1;
    FTyped.clear();
    switch (level) {
    case TLevel::Root:
        FTips = RootTips();
        break;
    case TLevel::Tab:
        FTips = TabTips(tab);
        break;
    case TLevel::AppMenu:
        FTips = AppMenuTips();
        break;
    case TLevel::Off:
        FTips.clear();
        break;
    }
    // An item without a letter in the language in force cannot be typed: it shows none.
    FTips.removeIf([](const TKeyTip& tip) { return tip.Text.isEmpty() || !tip.Target; });
    ShowBadges();
    emit levelChanged();
}

void RibbonKeyTips::Back() {
    switch (FLevel) {
    case TLevel::AppMenu:
        // Hiding the menu ourselves is no reason to end the mode.
        FLevel = TLevel::Root;
        FRibbon->AppMenu()->hide();
        ShowLevel(TLevel::Root);
        break;
    case TLevel::Tab:
        FLevel = TLevel::Root;
        if (FRibbon->Minimized())
            FRibbon->TabPopup()->hide();
        ShowLevel(TLevel::Root);
        break;
    case TLevel::Root:
    case TLevel::Off:
        Stop();
        break;
    }
}

void RibbonKeyTips::Typed(const QString& text) {
    FTyped += text;
    QList<qsizetype> matching;
    for (qsizetype i = 0; i < FTips.size(); ++i)
        if (FTips[i].Text.startsWith(FTyped, Qt::CaseInsensitive))
            matching.append(i);
    if (matching.isEmpty()) {
        FTyped.chop(text.size());
        QApplication::beep();
        return;
    }
    if (matching.size() == 1 &&
        FTips[matching.first()].Text.compare(FTyped, Qt::CaseInsensitive) == 0) {
        const TKeyTip tip = FTips[matching.first()];
        if (!tip.Enabled) {
            // A disabled item keeps its place in the level; nothing runs.
            FTyped.clear();
            ShowBadges();
            QApplication::beep();
            return;
        }
        tip.Run();
        return;
    }
    ShowBadges();
}

void RibbonKeyTips::ShowBadges() {
    ClearBadges();
    // The items must stand where they will be seen: a tab or menu just shown lays out first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    for (const TKeyTip& tip : std::as_const(FTips)) {
        if (!tip.Target || !tip.Text.startsWith(FTyped, Qt::CaseInsensitive))
            continue;
        QWidget* window = tip.Target->window();
        auto* badge = new QLabel(tip.Text, window);
        badge->setObjectName(QStringLiteral("RibbonKeyTip"));
        badge->setAttribute(Qt::WA_TransparentForMouseEvents);
        badge->setFocusPolicy(Qt::NoFocus);
        badge->setStyleSheet(BadgeSheet);
        badge->setAlignment(Qt::AlignCenter);
        badge->setEnabled(tip.Enabled);
        badge->setAccessibleName(tip.Text);
        // Polished first, so that the size is measured in the badge's own font: a letter with an
        // accent above it must not be cut.
        badge->ensurePolished();
        badge->adjustSize();
        badge->resize(qMax(badge->width(), badge->height()), badge->height());
        const QPoint at = tip.Target->mapTo(window, tip.At);
        const int x =
            qBound(0, at.x() - badge->width() / 2, qMax(0, window->width() - badge->width()));
        const int y =
            qBound(0, at.y() - badge->height() / 2, qMax(0, window->height() - badge->height()));
        badge->move(x, y);
        badge->show();
        badge->raise();
        FBadges.append(badge);
    }
}

void RibbonKeyTips::ClearBadges() {
    for (const QPointer<QLabel>& badge : std::as_const(FBadges))
        delete badge.data();
    FBadges.clear();
}

bool RibbonKeyTips::Ours(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    QWidget* window = widget->window();
    return window == FRibbon->window() || window == FRibbon->AppMenu() ||
           window == FRibbon->TabPopup();
}

bool RibbonKeyTips::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        FAltAlone = false;
        if (FLevel != TLevel::Off)
            Stop();
        return false;
    case QEvent::WindowDeactivate:
        // The ribbon's own pop-ups take the keyboard without the window losing it.
        if (watched == FRibbon->window()) {
            FAltAlone = false;
            if (FLevel != TLevel::Off && !QApplication::activePopupWidget())
                Stop();
        }
        return false;
    case QEvent::Hide:
        // The menu or the pop-up closed some other way (a click outside it).
        if ((FLevel == TLevel::AppMenu && watched == FRibbon->AppMenu()) ||
            (FLevel == TLevel::Tab && FRibbon->Minimized() && watched == FRibbon->TabPopup()))
            Stop();
        return false;
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (!Ours(watched))
            return false;
        return KeyPress(static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

// Returns whether the key is used up here.
bool RibbonKeyTips::KeyPress(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool on = FLevel != TLevel::Off;
    const auto consume = [event] {
        event->accept();
        return true;
    };
    if (event->type() == QEvent::KeyRelease) {
        if (key == Qt::Key_Alt && FAltAlone && !event->isAutoRepeat()) {
            FAltAlone = false;
            if (on)
                Leave();
            else
                Start();
            return consume();
        }
        return false;
    }
    if (key == Qt::Key_Alt) {
        if (event->type() == QEvent::KeyPress)
            FAltAlone = (modifiers & ~Qt::AltModifier) == Qt::NoModifier;
        return false;
    }
    if (event->type() == QEvent::KeyPress || modifiers != Qt::NoModifier)
        FAltAlone = false;
    if (key == Qt::Key_F10 && modifiers == Qt::NoModifier) {
        if (event->type() == QEvent::KeyPress) {
            if (on)
                Leave();
            else
                Start();
        }
        return consume();
    }
    if (!on || IsModifierKey(key))
        return false;
    // With Ctrl or Alt a key is its shortcut again; keys that type nothing work as they would.
    const QString text = KeyText(event);
    const bool escape = key == Qt::Key_Escape && modifiers == Qt::NoModifier;
    if ((modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) ||
        (!escape && text.isEmpty())) {
        Stop();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        if (escape)
            Back();
        else
            Typed(text);
    }
    return consume();
}

} // namespace lumotrix
