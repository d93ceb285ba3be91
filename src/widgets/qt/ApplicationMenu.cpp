#include "widgets/qt/ApplicationMenu.h"

#include "runtime/Message.h"
#include "widgets/qt/WidgetMessageIds.h"

#include "widgets/qt/RibbonSupport.h"

#include <QActionEvent>
#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumotrix {

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

QList<QToolButton*> ApplicationMenu::CommandButtons() const {
    QList<QToolButton*> buttons;
    for (int i = 0; i < FItems->count(); ++i)
        if (auto* button = qobject_cast<QToolButton*>(FItems->itemAt(i)->widget()))
            buttons.append(button);
    return buttons;
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
            emit recentFileClicked(file);
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

} // namespace lumotrix
