#include "widgets/qt/PageControlWidget.h"

#include "runtime/Message.h"
#include "widgets/qt/TabScrollButtons.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QEvent>
#include <QTabBar>

namespace lumotrix {

PageControlWidget::PageControlWidget(QWidget* parent) : QTabWidget(parent) {
    setTabPosition(QTabWidget::South);
    setDocumentMode(false);
    NameForAssistiveTools();
}

void PageControlWidget::NameForAssistiveTools() {
    tabBar()->setAccessibleName(MessageText(msgPages));
    NameTabScrollButtons(tabBar());
}

void PageControlWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        NameForAssistiveTools();
    QTabWidget::changeEvent(event);
}

QWidget* PageControlWidget::AddPage(const QString& caption) {
    auto* page = new QWidget;
    page->setAccessibleName(caption);
    addTab(page, caption);
    return page;
}

void PageControlWidget::SetPageCaption(int index, const QString& caption) {
    setTabText(index, caption);
    if (QWidget* page = widget(index))
        page->setAccessibleName(caption);
}

} // namespace lumotrix
