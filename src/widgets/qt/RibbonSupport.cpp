#include "widgets/qt/RibbonSupport.h"

#include "widgets/qt/RibbonTab.h"

#include <QAction>
#include <QToolButton>

#include <QPainter>
#include <QTextDocumentFragment>

namespace lumotrix {

// Buttons drawn as glyphs only: what assistive tools read is also what the pointer shows.
void NameWithTip(QWidget* widget, const QString& name) {
    widget->setAccessibleName(name);
    widget->setToolTip(name);
}

QString AccessibleDescription(const QString& description, const QString& toolTip) {
    if (!description.isEmpty())
        return description;
    if (!Qt::mightBeRichText(toolTip))
        return toolTip;
    return QTextDocumentFragment::fromHtml(toolTip).toPlainText().simplified();
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

} // namespace lumotrix
