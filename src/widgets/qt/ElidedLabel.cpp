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
    FFullTextWidth = -1;
    setAccessibleName(text);
    if (testAttribute(Qt::WA_PendingResizeEvent)) {
        // The label is cut when its pending size arrives (before it shows): cutting it to the
        // size it has now would measure for nothing.
        setToolTip(QString());
        if (QLabel::text() != text)
            setText(text);
    } else {
        Elide();
    }
    updateGeometry();
}

int ElidedLabel::FullTextWidth() const {
    if (FFullTextWidth < 0)
        FFullTextWidth = fontMetrics().horizontalAdvance(FFullText);
    return FFullTextWidth;
}

int ElidedLabel::Overhead() const {
    // The label's own hint covers the shown text plus whatever a style sheet puts around it.
    const QString shown = text();
    return QLabel::sizeHint().width() -
           (shown == FFullText ? FullTextWidth() : fontMetrics().horizontalAdvance(shown));
}

QSize ElidedLabel::sizeHint() const {
    QSize hint = QLabel::sizeHint();
    hint.setWidth(Overhead() + FullTextWidth());
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

void ElidedLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        FFullTextWidth = -1;
    QLabel::changeEvent(event);
}

void ElidedLabel::Elide() {
    const int room = width() - Overhead();
    const QString shown = FullTextWidth() <= room
                              ? FFullText
                              : fontMetrics().elidedText(FFullText, Qt::ElideRight, room);
    setToolTip(shown == FFullText ? QString() : FFullText);
    if (shown != text())
        setText(shown);
}

} // namespace lumotrix
