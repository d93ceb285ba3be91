#pragma once

#include <QColor>
#include <QWidget>

namespace lumotrix {

enum class TLedKind { Red, Green, Yellow, Purple, Blue };

// The lit colour of a LED kind; the unlit colour is a dark shade of it.
QColor LedOnColor(TLedKind kind);
QColor LedOffColor(TLedKind kind);

// A small round LED. Assistive tools read it as its caption with its state ("acceso"/"spento"
// in the language in force) as description.
class LedWidget : public QWidget {
    Q_OBJECT
public:
    explicit LedWidget(QWidget* parent = nullptr);
    TLedKind Kind() const { return FKind; }
    void SetKind(TLedKind kind);
    bool State() const { return FState; }
    void SetState(bool lit);
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& caption);
    QSize sizeHint() const override { return QSize(12, 12); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Describe();

    TLedKind FKind = TLedKind::Red;
    bool FState = false;
    QString FCaption;
};

} // namespace lumotrix
