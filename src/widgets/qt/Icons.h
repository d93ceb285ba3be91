#pragma once

#include <QByteArray>
#include <QIcon>
#include <QString>
#include <QStringList>

namespace lumotrix {

// The program's command pictures, drawn as SVG in the source so that they scale to the
// small (16 px) and large (32 px) button sizes without a resource step.
// Names: open, save, saveas, print, clear, exit, send, receive, cancel, datesync, serialsettings,
// loadsettings, savesettings, schemeblue, schemeblack, schemesilver, ribbonform, language,
// qatvisible, qatabove, qatbelow, about, appbutton, help, modified, program.
QStringList CommandIconNames();
// The SVG text of a picture; empty for an unknown name.
QByteArray CommandIconSvg(const QString& name);
// The picture, rendered at each size when that size is first drawn; a null icon for an
// unknown name.
QIcon CommandIcon(const QString& name);

} // namespace lumotrix
