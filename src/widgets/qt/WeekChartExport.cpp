#include "widgets/qt/WeekChartExport.h"

#include "runtime/AtomicFile.h"
#include "widgets/qt/WeekChartPainter.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>

namespace lumotrix {

namespace {

// Exports are drawn at the width of a roomy window, in a font of their own, whatever the
// screen: the same picture on every machine with the same fonts.
constexpr int ExportWidth = 1240;

QFont ExportFont() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(13);
    return font;
}

void Paint(QPainter& painter, const TWeekChartData& data, const TWeekChartLayout& layout,
           const TWeekChartColors& colors) {
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.fillRect(QRect(0, 0, ExportWidth, layout.Height), colors.Background);
    PaintWeekChart(painter, data, layout, colors);
}

void PaintSvg(QBuffer& buffer, const TWeekChartData& data, const TWeekChartLayout& layout,
              const TWeekChartColors& colors) {
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setTitle(data.Texts.Title);
    svg.setSize(QSize(ExportWidth, layout.Height));
    svg.setViewBox(QRect(0, 0, ExportWidth, layout.Height));
    svg.setResolution(96);
    QPainter painter(&svg);
    Paint(painter, data, layout, colors);
}

void PaintPdf(QBuffer& buffer, const TWeekChartData& data, const TWeekChartLayout& layout,
              const TWeekChartColors& colors) {
    QPdfWriter pdf(&buffer);
    pdf.setTitle(data.Texts.Title);
    pdf.setResolution(300);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                  QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter painter(&pdf);
    // The whole chart on the page: as wide as the page, or as high when it is longer.
    const QRect page = pdf.pageLayout().paintRectPixels(pdf.resolution());
    const double scale = std::min(double(page.width()) / ExportWidth,
                                  double(page.height()) / std::max(1, layout.Height));
    painter.scale(scale, scale);
    Paint(painter, data, layout, colors);
}

void PaintPng(QBuffer& buffer, const TWeekChartData& data, const TWeekChartLayout& layout,
              const TWeekChartColors& colors) {
    QImage image(ExportWidth, layout.Height, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        Paint(painter, data, layout, colors);
    }
    image.save(&buffer, "PNG");
}

} // namespace

TWeekChartFormat WeekChartFormatOf(const QString& fileName) {
    if (fileName.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive))
        return TWeekChartFormat::Svg;
    if (fileName.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return TWeekChartFormat::Pdf;
    return TWeekChartFormat::Png;
}

QByteArray RenderWeekChart(const TWeekChartData& data, const QString& schemeName,
                           TWeekChartFormat format) {
    const TWeekChartLayout layout = LayOutWeekChart(data, ExportFont(), ExportWidth, true);
    const TWeekChartColors& colors = WeekChartColorsFor(schemeName);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case TWeekChartFormat::Svg:
        PaintSvg(buffer, data, layout, colors);
        break;
    case TWeekChartFormat::Pdf:
        PaintPdf(buffer, data, layout, colors);
        break;
    case TWeekChartFormat::Png:
        PaintPng(buffer, data, layout, colors);
        break;
    }
    buffer.close();
    return bytes;
}

bool ExportWeekChart(const TWeekChartData& data, const QString& schemeName, TWeekChartFormat format,
                     const QString& fileName, TMessage& reason) {
    return WriteFileAtomically(fileName, RenderWeekChart(data, schemeName, format), reason);
}

} // namespace lumotrix
