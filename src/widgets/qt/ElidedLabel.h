#pragma once

#include <QLabel>

namespace lumotrix {

// A one-line label that asks for its full text's width but accepts less: short of room it shows
// the text cut with "…" and offers the whole text as its tool tip. Assistive tools always read
// the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);
    QString FullText() const { return FFullText; }
    void SetFullText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Width taken by everything but the text: margins, padding and border.
    int Overhead() const;
    // The full text's width in the label's font, measured once per text and font: shaping it
    // is most of what fitting a ribbon costs.
    int FullTextWidth() const;
    void Elide();

    QString FFullText;
    mutable int FFullTextWidth = -1;
};

} // namespace lumotrix
