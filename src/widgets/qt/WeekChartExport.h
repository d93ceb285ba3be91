#pragma once

#include "runtime/Message.h"
#include "widgets/qt/WeekChartData.h"

#include <QByteArray>

#include <QString>

namespace lumotrix {

enum class TWeekChartFormat { Svg, Pdf, Png };

// The format a file name asks for by its suffix (.svg, .pdf, .png, any case); Png otherwise.
TWeekChartFormat WeekChartFormatOf(const QString& fileName);

// The chart with its title, legend and problems as an SVG, an A4 landscape PDF page or a PNG
// image, in the colours of `schemeName`. Needs a QGuiApplication (fonts).
QByteArray RenderWeekChart(const TWeekChartData& data, const QString& schemeName,
                           TWeekChartFormat format);

// Renders and writes the file whole or not at all; false with the reason when it cannot.
bool ExportWeekChart(const TWeekChartData& data, const QString& schemeName, TWeekChartFormat format,
                     const QString& fileName, TMessage& reason);

} // namespace lumotrix
