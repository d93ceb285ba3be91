#pragma once

#include <QtGlobal>

namespace lumotrix {

// The command pictures at the sizes the window draws them at device pixel ratio 1, rendered from
// their SVG when the program is built (lumotrix-prerender-icons writes the definitions), so that
// showing the window costs neither an SVG parse nor rasterising.
struct TPrerenderedIcon {
    char Name[16];
    quint16 Width; // in pixels
    quint16 Height;
    quint32 Offset; // of the first pixel in PrerenderedIconPixels
};

extern const TPrerenderedIcon PrerenderedIcons[];
extern const int PrerenderedIconCount;
// Premultiplied ARGB32 pixels as QImage holds them (0xAARRGGBB values, so written as numbers they
// suit any byte order), row by row, one picture after another.
extern const quint32 PrerenderedIconPixels[];

} // namespace lumotrix
