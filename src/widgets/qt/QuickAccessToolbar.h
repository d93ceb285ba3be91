#pragma once

#include "widgets/qt/RibbonButton.h"

#include <QFrame>
#include <QPointer>
#include <QToolButton>

class QHBoxLayout;

namespace lumotrix {

// The quick access toolbar: small picture-only buttons and a customise menu.
class QuickAccessToolbar : public QFrame {
    Q_OBJECT
public:
    explicit QuickAccessToolbar(QWidget* parent = nullptr);
    RibbonButton* AddCommand(RibbonCommand* command);
    void RemoveCommand(RibbonCommand* command);
    void Clear();
    bool Contains(RibbonCommand* command) const;
    QList<RibbonCommand*> Commands() const;
    // The commands the customise menu offers to show or hide, in its order.
    void SetChoices(const QList<RibbonCommand*>& commands);
    QList<RibbonCommand*> Choices() const;
    QList<RibbonButton*> Buttons() const;
    QToolButton* CustomizeButton() const { return FCustomize; }
    void SetArrowColor(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void TranslateChrome();
    QHBoxLayout* FLayout;
    QToolButton* FCustomize;
    QList<QPointer<RibbonCommand>> FChoices;
};

} // namespace lumotrix
