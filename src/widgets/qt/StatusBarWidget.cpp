#include "widgets/qt/StatusBarWidget.h"

#include "widgets/qt/RibbonBar.h"

#include "runtime/Exception.h"
#include "runtime/Message.h"
#include "widgets/qt/Icons.h"
#include "widgets/qt/LedWidget.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QSizeGrip>
#include <QVBoxLayout>

namespace lumotrix {

StatusItem::StatusItem(QWidget* parent)
    : QWidget(parent), FIcon(new QLabel(this)), FText(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 0, 1, 0);
    layout->setSpacing(2);
    FIcon->setFixedSize(16, 16);
    layout->addWidget(FIcon);
    layout->addWidget(FText, 1);
}

QString StatusItem::Caption() const {
    return FText->text();
}

void StatusItem::SetCaption(const QString& caption) {
    FText->setText(caption);
    setAccessibleName(caption);
}

void StatusItem::SetImage(const QString& iconName) {
    FImage = iconName;
    FIcon->setPixmap(iconName.isEmpty() ? QPixmap() : CommandIcon(iconName).pixmap(16, 16));
}

LedPanel::LedPanel(const QString& caption, QWidget* parent)
    : QWidget(parent), FLed(new LedWidget(this)), FCaption(new QLabel(caption, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 1);
    layout->setSpacing(0);
    layout->addWidget(FLed, 0, Qt::AlignHCenter);
    QFont small = FCaption->font();
    small.setPointSizeF(qMax(6.0, small.pointSizeF() * 0.72));
    FCaption->setFont(small);
    FCaption->setAlignment(Qt::AlignCenter);
    layout->addWidget(FCaption);
    FLed->SetCaption(caption);
}

QString LedPanel::Caption() const {
    return FCaption->text();
}

void LedPanel::SetCaption(const QString& caption) {
    FCaption->setText(caption);
    FLed->SetCaption(caption);
}

StatusBarWidget::StatusBarWidget(QWidget* parent)
    : QWidget(parent), FLayout(new QHBoxLayout(this)), FGrip(new QSizeGrip(this)) {
    setObjectName(QStringLiteral("StatusBar"));
    setAccessibleName(MessageText(msgStatusBar));
    FLayout->setContentsMargins(2, 1, 0, 1);
    FLayout->setSpacing(0);
    FLayout->addStretch();
    FLayout->addWidget(FGrip, 0, Qt::AlignBottom | Qt::AlignRight);
    setFixedHeight(34);
}

void StatusBarWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        setAccessibleName(MessageText(msgStatusBar));
    QWidget::changeEvent(event);
}

int StatusBarWidget::AddPanel(QWidget* content, int width, bool bevel) {
    auto* frame = new QWidget(this);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(bevel ? 2 : 0, 1, bevel ? 2 : 0, 1);
    if (content) {
        content->setParent(frame);
        layout->addWidget(content);
    }
    if (width > 0)
        frame->setFixedWidth(width);
    else
        frame->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // Panels go before the stretch and the grip.
    FLayout->insertWidget(FLayout->count() - 2, frame, width > 0 ? 0 : 1);
    FPanels.push_back({frame, width, bevel});
    return PanelCount() - 1;
}

QLabel* StatusBarWidget::AddTextPanel(int width, bool bevel) {
    auto* label = new QLabel;
    AddPanel(label, width, bevel);
    return label;
}

QWidget* StatusBarWidget::Panel(int index) const {
    if (index < 0 || index >= PanelCount())
        throw ERangeError(DeveloperText(QStringLiteral("No panel %1").arg(index)));
    return FPanels[static_cast<size_t>(index)].Frame;
}

int StatusBarWidget::PanelWidth(int index) const {
    Panel(index);
    return FPanels[static_cast<size_t>(index)].Width;
}

void StatusBarWidget::SetPanelWidth(int index, int width) {
    QWidget* frame = Panel(index);
    FPanels[static_cast<size_t>(index)].Width = width;
    if (width > 0)
        frame->setFixedWidth(width);
}

void StatusBarWidget::FollowScheme(const RibbonBar* ribbon) {
    FRibbon = ribbon;
    update();
}

const TColorScheme& StatusBarWidget::Scheme() const {
    return FRibbon ? FRibbon->ColorScheme() : ColorSchemeByName(QStringLiteral("Blue"));
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
    const TColorScheme& scheme = Scheme();
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, scheme.StatusTop);
    gradient.setColorAt(1, scheme.StatusBottom);
    painter.fillRect(rect(), gradient);
    painter.setPen(scheme.StatusSeparator);
    painter.drawLine(0, 0, width(), 0);
    for (const TPanel& panel : FPanels) {
        if (!panel.Bevel || !panel.Frame->isVisible())
            continue;
        QRect r = panel.Frame->geometry();
        painter.setPen(scheme.StatusSeparator);
        painter.drawLine(r.right(), r.top() + 4, r.right(), r.bottom() - 4);
        painter.setPen(scheme.StatusTop.lighter(115));
        painter.drawLine(r.right() + 1, r.top() + 4, r.right() + 1, r.bottom() - 4);
    }
    // Texts follow the scheme too: light on the dark scheme.
    QPalette pal = palette();
    if (pal.color(QPalette::WindowText) != scheme.StatusText) {
        pal.setColor(QPalette::WindowText, scheme.StatusText);
        setPalette(pal);
    }
}

} // namespace lumotrix
