#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

namespace lumotrix {

// The colours of one ribbon colour scheme; the ribbon, the status bar and the caption bar
// of the ribbon form paint themselves from it.
struct TColorScheme {
    QString Name;
    QColor CaptionTop, CaptionBottom; // caption bar / tab strip background
    QColor CaptionText;               // window title and tab texts on the strip
    QColor PanelTop, PanelBottom;     // group panel background
    QColor GroupCaptionBack, GroupCaptionText;
    QColor GroupBorder;
    QColor TabActiveBack, TabActiveText;
    QColor ButtonHoverTop, ButtonHoverBottom, ButtonHoverBorder;
    QColor ButtonDownTop, ButtonDownBottom, ButtonDownBorder;
    QColor ButtonText;
    QColor StatusTop, StatusBottom, StatusText, StatusSeparator;
    QColor QatBack, QatText;
    QColor AppButtonTop, AppButtonBottom;
};

// The three schemes: "Blue", "Black", "Silver". An unknown name falls back to "Blue", the
// scheme the ribbon starts with.
QStringList ColorSchemeNames();
bool IsColorSchemeName(const QString& name);
const TColorScheme& ColorSchemeByName(const QString& name);

// The style sheet the ribbon applies to itself and its pop-ups for a scheme.
QString RibbonStyleSheet(const TColorScheme& scheme);

} // namespace lumotrix
