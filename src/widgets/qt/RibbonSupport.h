#pragma once

// Helpers the ribbon's widgets share; not for use outside the ribbon.

#include <QColor>
#include <QIcon>
#include <QString>

class QAction;
class QToolButton;
class QWidget;

namespace lumotrix {

// Buttons drawn as glyphs only: what assistive tools read is also what the pointer shows.
void NameWithTip(QWidget* widget, const QString& name);

// What assistive tools read as a widget's description: `description`, or when there is none the
// widget's tooltip in plain words (left empty, they would read the tooltip's markup aloud).
QString AccessibleDescription(const QString& description, const QString& toolTip);

// A caption or an item shown or hidden changes what a page's groups need: the page holding
// `widget` fits them again.
void RefitTabOf(QWidget* widget);

// Runs the command when a tool button toggles on its own; false when there was nothing to pass on.
bool ToggleRunsCommand(QToolButton* button, QAction* command);

enum class TGlyph { Minimise, Maximise, Restore, Close, MenuArrow };

// A caption-bar or menu-arrow glyph drawn in `color`.
QIcon GlyphIcon(TGlyph glyph, const QColor& color);

} // namespace lumotrix
