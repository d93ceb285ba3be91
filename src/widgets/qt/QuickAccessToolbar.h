#pragma once

#include "widgets/qt/RibbonButton.h"

#include <QFrame>
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
    QList<RibbonButton*> Buttons() const;
    QToolButton* CustomizeButton() const { return FCustomize; }
    void SetArrowColor(const QColor& color);

protected:
    void changeEvent(QEvent* event) override;

private:
    void TranslateChrome();
    QHBoxLayout* FLayout;
    QToolButton* FCustomize;
};

} // namespace lumotrix
