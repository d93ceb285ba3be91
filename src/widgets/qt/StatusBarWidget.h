#pragma once

#include "widgets/qt/ColorScheme.h"

#include <QPointer>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QProgressBar;
class QSizeGrip;

namespace lumotrix {

class LedWidget;
class RibbonBar;

// A status-bar item: picture and caption ("Modified").
class StatusItem : public QWidget {
    Q_OBJECT
public:
    explicit StatusItem(QWidget* parent = nullptr);
    QString Caption() const;
    void SetCaption(const QString& caption);
    // The picture by name (see CommandIcon); an empty name shows none.
    void SetImage(const QString& iconName);
    QString Image() const { return FImage; }

private:
    QLabel* FIcon;
    QLabel* FText;
    QString FImage;
};

// A LED above a small caption, the content of a 30 px LED panel.
class LedPanel : public QWidget {
    Q_OBJECT
public:
    explicit LedPanel(const QString& caption, QWidget* parent = nullptr);
    LedWidget* Led() const { return FLed; }
    QString Caption() const;
    void SetCaption(const QString& caption);

private:
    LedWidget* FLed;
    QLabel* FCaption;
};

// The status bar: panels of given widths side by side, separated by bevels, painted in the
// colour scheme of the ribbon it follows, with a size grip at the right.
class StatusBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusBarWidget(QWidget* parent = nullptr);
    // Adds a panel holding `content` (may be null for an empty text panel). A width of 0 lets
    // the panel take the remaining room.
    int AddPanel(QWidget* content, int width, bool bevel = true);
    QLabel* AddTextPanel(int width, bool bevel = true);
    int PanelCount() const { return static_cast<int>(FPanels.size()); }
    QWidget* Panel(int index) const;
    int PanelWidth(int index) const;
    void SetPanelWidth(int index, int width);
    // The ribbon whose colour scheme the bar takes, asked at every paint, so a redraw picks up
    // a new scheme; none (or a ribbon gone): the default scheme.
    void FollowScheme(const RibbonBar* ribbon);
    const TColorScheme& Scheme() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct TPanel {
        QWidget* Frame;
        int Width;
        bool Bevel;
    };
    QHBoxLayout* FLayout;
    QSizeGrip* FGrip;
    std::vector<TPanel> FPanels;
    QPointer<const RibbonBar> FRibbon;
};

} // namespace lumotrix
