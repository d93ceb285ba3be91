#include "widgets/qt/ColorScheme.h"

#include <array>

namespace lumotrix {

namespace {

// Hovered and pressed buttons look the same in every scheme.
void SetButtonColors(TColorScheme& s) {
    s.ButtonHoverTop = QColor("#fff8d9");
    s.ButtonHoverBottom = QColor("#ffd966");
    s.ButtonHoverBorder = QColor("#dbb94f");
    s.ButtonDownTop = QColor("#fcd38d");
    s.ButtonDownBottom = QColor("#f9a94e");
    s.ButtonDownBorder = QColor("#c28a30");
}

TColorScheme MakeBlue() {
    TColorScheme s;
    s.Name = QStringLiteral("Blue");
    s.CaptionTop = QColor("#dfeaf7");
    s.CaptionBottom = QColor("#c3d7ef");
    s.CaptionText = QColor("#15428b");
    s.PanelTop = QColor("#f3f7fc");
    s.PanelBottom = QColor("#d5e3f4");
    s.GroupCaptionBack = QColor("#c2d8f1");
    s.GroupCaptionText = QColor("#15428b");
    s.GroupBorder = QColor("#9ebadf");
    s.TabActiveBack = QColor("#f3f7fc");
    s.TabActiveText = QColor("#15428b");
    SetButtonColors(s);
    s.ButtonText = QColor("#15284b");
    s.StatusTop = QColor("#d7e6f7");
    s.StatusBottom = QColor("#b4cdeb");
    s.StatusText = QColor("#15428b");
    s.StatusSeparator = QColor("#8fb0d9");
    s.QatBack = QColor("#d4e3f5");
    s.QatText = QColor("#15428b");
    s.AppButtonTop = QColor("#5e9be0");
    s.AppButtonBottom = QColor("#1d5ca8");
    return s;
}

TColorScheme MakeBlack() {
    TColorScheme s;
    s.Name = QStringLiteral("Black");
    s.CaptionTop = QColor("#4b4f55");
    s.CaptionBottom = QColor("#2a2d31");
    s.CaptionText = QColor("#f0f0f0");
    s.PanelTop = QColor("#f2f3f4");
    s.PanelBottom = QColor("#cdd0d4");
    s.GroupCaptionBack = QColor("#8b9097");
    s.GroupCaptionText = QColor("#ffffff");
    s.GroupBorder = QColor("#6f747b");
    s.TabActiveBack = QColor("#f2f3f4");
    s.TabActiveText = QColor("#1c1c1c");
    SetButtonColors(s);
    s.ButtonText = QColor("#1c1c1c");
    s.StatusTop = QColor("#55595f");
    s.StatusBottom = QColor("#2c2f33");
    s.StatusText = QColor("#f0f0f0");
    s.StatusSeparator = QColor("#1a1b1d");
    s.QatBack = QColor("#3b3e43");
    s.QatText = QColor("#f0f0f0");
    s.AppButtonTop = QColor("#6b7078");
    s.AppButtonBottom = QColor("#1f2226");
    return s;
}

TColorScheme MakeSilver() {
    TColorScheme s;
    s.Name = QStringLiteral("Silver");
    s.CaptionTop = QColor("#f1f2f4");
    s.CaptionBottom = QColor("#d9dce1");
    s.CaptionText = QColor("#3b3b3b");
    s.PanelTop = QColor("#fbfbfc");
    s.PanelBottom = QColor("#e2e5e9");
    s.GroupCaptionBack = QColor("#d3d7dd");
    s.GroupCaptionText = QColor("#4c535c");
    s.GroupBorder = QColor("#b6bcc6");
    s.TabActiveBack = QColor("#fbfbfc");
    s.TabActiveText = QColor("#3b3b3b");
    SetButtonColors(s);
    s.ButtonText = QColor("#2b2b2b");
    s.StatusTop = QColor("#eceef1");
    s.StatusBottom = QColor("#c9ced5");
    s.StatusText = QColor("#3b3b3b");
    s.StatusSeparator = QColor("#a5acb6");
    s.QatBack = QColor("#e1e4e8");
    s.QatText = QColor("#3b3b3b");
    s.AppButtonTop = QColor("#c9ced6");
    s.AppButtonBottom = QColor("#7b8592");
    return s;
}

// In the order of ColorSchemeNames; the first is the fallback for an unknown name.
const std::array<TColorScheme, 3>& Schemes() {
    static const std::array<TColorScheme, 3> schemes{MakeBlue(), MakeBlack(), MakeSilver()};
    return schemes;
}

QString Gradient(const QColor& top, const QColor& bottom) {
    return QStringLiteral("qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 %1, stop:1 %2)")
        .arg(top.name(), bottom.name());
}

} // namespace

QStringList ColorSchemeNames() {
    QStringList names;
    for (const TColorScheme& scheme : Schemes())
        names.append(scheme.Name);
    return names;
}

bool IsColorSchemeName(const QString& name) {
    return ColorSchemeNames().contains(name);
}

const TColorScheme& ColorSchemeByName(const QString& name) {
    for (const TColorScheme& scheme : Schemes())
        if (scheme.Name == name)
            return scheme;
    return Schemes().front();
}

QString RibbonStyleSheet(const TColorScheme& s) {
    // Object names address the ribbon's own parts so that the pages and dialogs it hosts keep
    // the platform style.
    QString css;
    css += QStringLiteral("#RibbonCaption, #RibbonTabRow { background: %1; }\n")
               .arg(Gradient(s.CaptionTop, s.CaptionBottom));
    css += QStringLiteral("#RibbonCaptionTitle { color: %1; }\n").arg(s.CaptionText.name());
    css += QStringLiteral("#RibbonPanel { background: %1; border-top: 1px solid %2; "
                          "border-bottom: 1px solid %2; }\n")
               .arg(Gradient(s.PanelTop, s.PanelBottom), s.GroupBorder.name());
    css +=
        QStringLiteral("#RibbonQat { background: %1; border: 1px solid %2; border-radius: 3px; }\n")
            .arg(s.QatBack.name(), s.GroupBorder.name());
    css += QStringLiteral("#RibbonGroup { background: transparent; border: 1px solid %1; "
                          "border-radius: 3px; }\n")
               .arg(s.GroupBorder.name());
    css += QStringLiteral("#RibbonGroupCaption { background: %1; color: %2; border-top: 1px solid "
                          "%3; padding: 1px 4px; }\n")
               .arg(s.GroupCaptionBack.name(), s.GroupCaptionText.name(), s.GroupBorder.name());
    css += QStringLiteral("#RibbonGroupSeparator { background: %1; }\n").arg(s.GroupBorder.name());
    css += QStringLiteral(
               "QTabBar#RibbonTabs { background: transparent; }\n"
               "QTabBar#RibbonTabs::tab { color: %1; background: transparent; border: 1px solid "
               "transparent; border-bottom: none; padding: 3px 14px; margin-top: 2px; "
               "border-top-left-radius: 3px; border-top-right-radius: 3px; }\n"
               "QTabBar#RibbonTabs::tab:selected { color: %2; background: %3; border-color: %4; }\n"
               "QTabBar#RibbonTabs::tab:hover:!selected { background: rgba(255,255,255,60); }\n")
               .arg(s.CaptionText.name(), s.TabActiveText.name(), s.TabActiveBack.name(),
                    s.GroupBorder.name());
    css += QStringLiteral(
               "QToolButton[ribbonItem=\"true\"] { color: %1; background: transparent; border: 1px "
               "solid transparent; border-radius: 3px; padding: 1px; }\n"
               "QToolButton[ribbonItem=\"true\"]:hover { background: %2; border-color: %3; }\n"
               "QToolButton[ribbonItem=\"true\"]:checked, QToolButton[ribbonItem=\"true\"]:pressed "
               "{ background: %4; border-color: %5; }\n"
               "QToolButton[ribbonItem=\"true\"]:disabled { color: #8d96a0; }\n")
               .arg(s.ButtonText.name(), Gradient(s.ButtonHoverTop, s.ButtonHoverBottom),
                    s.ButtonHoverBorder.name(), Gradient(s.ButtonDownTop, s.ButtonDownBottom),
                    s.ButtonDownBorder.name());
    css += QStringLiteral(
               "QToolButton[captionItem=\"true\"] { color: %1; background: transparent; "
               "border: none; padding: 2px 6px; }\n"
               "QToolButton[captionItem=\"true\"]:hover { background: rgba(255,255,255,70); }\n"
               "QToolButton#RibbonCloseButton:hover { background: #d9392b; color: white; }\n")
               .arg(s.CaptionText.name());
    css += QStringLiteral("#RibbonEditCaption { color: %1; }\n").arg(s.ButtonText.name());
    // The customise button draws its own arrow, in the toolbar's text colour.
    css += QStringLiteral(
        "QToolButton#RibbonQatCustomize::menu-indicator { image: none; width: 0; }\n");
    return css;
}

} // namespace lumotrix
