#include "widgets/qt/ElidedLabel.h"

#include <QResizeEvent>

namespace lumotrix {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), FFullText(text) {
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
    setAccessibleName(text);
    // Nothing is measured yet: measuring polishes the label, and a style sheet rule that
    // matches a name given after construction would then miss it. The text is cut when the
    // label gets its first size.
}

void ElidedLabel::SetFullText(const QString& text) {
    FFullText = text;
    setAccessibleName(text);
    Elide();
    updateGeometry();
}

int ElidedLabel::Overhead() const {
    // The label's own hint covers the shown text plus whatever a style sheet puts around it.
    return QLabel::sizeHint().width() - fontMetrics().horizontalAdvance(text());
}

QSize ElidedLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    hint.setWidth(Overhead() + fontMetrics().horizontalAdvance(FFullText));
    return hint;
}

QSize ElidedLabel::minimumSizeHint() const {
    QSize hint = QLabel::minimumSizeHint();
    hint.setWidth(Overhead() + fontMetrics().horizontalAdvance(QStringLiteral("…")));
    return hint;
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    Elide();
}

void ElidedLabel::Elide() {
    const int room = width() - Overhead();
    const QString shown = fontMetrics().horizontalAdvance(FFullText) <= room
                              ? FFullText
                              : fontMetrics().elidedText(FFullText, Qt::ElideRight, room);
    setToolTip(shown == FFullText ? QString() : FFullText);
    if (shown != text())
        setText(shown);
}

} // namespace lumotrix
