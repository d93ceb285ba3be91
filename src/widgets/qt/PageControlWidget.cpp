#include "widgets/qt/PageControlWidget.h"

#include <QTabBar>

namespace lumotrix {

PageControlWidget::PageControlWidget(QWidget* parent) : QTabWidget(parent) {
    setTabPosition(QTabWidget::South);
    setDocumentMode(false);
    tabBar()->setAccessibleName(QStringLiteral("Pagine"));
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
