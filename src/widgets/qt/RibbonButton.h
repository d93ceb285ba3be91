#pragma once

#include "widgets/qt/RibbonCommand.h"

#include <QToolButton>
#include <QWidget>

class QLabel;
class QLineEdit;

namespace lumotrix {

// A button bound to a command. Large: 32 px picture above the caption (wrapped on two lines);
// small: 16 px picture beside the caption; IconOnly: the quick access toolbar's look.
class RibbonButton : public QToolButton {
    Q_OBJECT
public:
    enum class TSize { Large, Small, IconOnly };
    RibbonButton(RibbonCommand* command, TSize size, QWidget* parent = nullptr);
    RibbonCommand* Command() const { return FCommand; }
    TSize Size() const { return FSize; }
    // A group that runs short of room shows its buttons smaller.
    void SetSize(TSize size);
    static QString WrapCaption(const QString& caption);
    // A button never lays out narrower than its caption needs.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void actionEvent(QActionEvent* event) override;
    void checkStateSet() override;

private:
    void ApplySize();
    void SyncText();
    RibbonCommand* FCommand;
    TSize FSize;
};

// A caption followed by a one-line text field.
class RibbonEditItem : public QWidget {
    Q_OBJECT
public:
    RibbonEditItem(const QString& caption, int editWidth, QWidget* parent = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    QString Text() const;
    void SetText(const QString& text);
    void SetHint(const QString& hint);
    void SetScreenTip(const TScreenTip& tip);
    void SetEditWidth(int width);
    QLineEdit* Edit() const { return FEdit; }
    QLabel* CaptionLabel() const { return FCaption; }
    // The string-table message holding the field's key tip (0: none).
    quint16 KeyTipId() const { return FKeyTipId; }
    void SetKeyTipId(quint16 id) { FKeyTipId = id; }

signals:
    // The text changed, by typing or by SetText.
    void changed();

private:
    QLabel* FCaption;
    QLineEdit* FEdit;
    quint16 FKeyTipId = 0;
};

} // namespace lumotrix
