#pragma once

#include "widgets/qt/CommandIconSvg.h"

#include <QIcon>
#include <QImage>
#include <QString>

namespace lumotrix {

// The picture by name (see CommandIconNames): at the sizes the window draws it, from the pixels
// prerendered by the build; at any other size rendered from its SVG when first drawn. A null
// icon for an unknown name.
QIcon CommandIcon(const QString& name);
// The pixels the build prerendered of a picture at `size`, shared with the program's image (not
// copied); a null image for a size or name it has none of.
QImage PrerenderedCommandIcon(const QString& name, const QSize& size);

} // namespace lumotrix
