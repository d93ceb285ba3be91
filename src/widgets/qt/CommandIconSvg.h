#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

class QSvgRenderer;

namespace lumotrix {

// The program's command pictures, drawn as SVG in the source so that they scale to any size.
// They hold no text, so that drawing them needs no font. The build prerenders them from here
// (see PrerenderedIcons.h); this file needs Qt Gui and Svg only, so the build's tool can use it.
// Names: open, save, saveas, print, clear, exit, send, receive, cancel, datesync, serialsettings,
// loadsettings, savesettings, schemeblue, schemeblack, schemesilver, ribbonform, language,
// qatvisible, qatabove, qatbelow, about, appbutton, help, modified, program.
QStringList CommandIconNames();
bool IsCommandIconName(const QString& name);
// The SVG document of a picture; empty for an unknown name.
QByteArray CommandIconSvg(const QString& name);
// Draws a parsed picture at `size` into a premultiplied ARGB32 image: the build's prerendering
// and the run-time drawing of other sizes go through here, so they give the same pixels.
QImage RenderCommandIconSvg(QSvgRenderer& renderer, const QSize& size);

} // namespace lumotrix
