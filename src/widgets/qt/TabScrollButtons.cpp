#include "widgets/qt/TabScrollButtons.h"

#include "runtime/Message.h"
#include "widgets/qt/WidgetMessageIds.h"

#include <QTabBar>
#include <QToolButton>

namespace lumotrix {

void NameTabScrollButtons(QTabBar* tabs) {
    if (auto* left = tabs->findChild<QToolButton*>(QStringLiteral("ScrollLeftButton")))
        left->setAccessibleName(MessageText(msgScrollLeft));
    if (auto* right = tabs->findChild<QToolButton*>(QStringLiteral("ScrollRightButton")))
        right->setAccessibleName(MessageText(msgScrollRight));
}

} // namespace lumotrix
