#include "widgets/qt/Icons.h"
#include "support/TestApplication.h"
#include "widgets/qt/PrerenderedIcons.h"

#include <QPixmap>
#include <QSvgRenderer>
#include <gtest/gtest.h>

using namespace lumotrix;

namespace {

QImage Rendered(const QString& name, const QSize& size) {
    QSvgRenderer renderer(CommandIconSvg(name));
    return RenderCommandIconSvg(renderer, size);
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return a.width() * a.height() + b.width() * b.height();
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int column = 0; column < x.width(); ++column)
            differing += x.pixel(column, row) != y.pixel(column, row);
    return differing;
}

} // namespace

// The build's pixels must be what the pictures' SVG gives now: a picture edited without the
// prerendering following, or pixels written in the wrong order, fail here.
TEST(Icons, PrerenderedPixelsAreWhatTheSvgRenders) {
    test::App();
    ASSERT_GT(PrerenderedIconCount, 0);
    for (int i = 0; i < PrerenderedIconCount; ++i) {
        const TPrerenderedIcon& entry = PrerenderedIcons[i];
        const QString name = QString::fromLatin1(entry.Name);
        const QSize size(entry.Width, entry.Height);
        const QImage prerendered = PrerenderedCommandIcon(name, size);
        ASSERT_FALSE(prerendered.isNull()) << entry.Name;
        EXPECT_EQ(DifferingPixels(prerendered, Rendered(name, size)), 0)
            << entry.Name << " at " << entry.Width << "x" << entry.Height;
    }
}

// The sizes the window draws at start-up at device pixel ratio 1: small and large buttons, the
// application button, the window icon's sizes and the about box's stretched picture.
TEST(Icons, EverySizeTheWindowDrawsIsPrerendered) {
    for (const QString& name : CommandIconNames())
        for (int size : {16, 32})
            EXPECT_FALSE(PrerenderedCommandIcon(name, QSize(size, size)).isNull())
                << name.toStdString() << " at " << size;
    EXPECT_FALSE(PrerenderedCommandIcon(QStringLiteral("appbutton"), QSize(26, 26)).isNull());
    for (QSize size : {QSize(24, 24), QSize(48, 48), QSize(65, 98)})
        EXPECT_FALSE(PrerenderedCommandIcon(QStringLiteral("program"), size).isNull())
            << size.width() << "x" << size.height();
    EXPECT_TRUE(PrerenderedCommandIcon(QStringLiteral("open"), QSize(20, 20)).isNull());
    EXPECT_TRUE(PrerenderedCommandIcon(QStringLiteral("open"), QSize(16, 32)).isNull());
    EXPECT_TRUE(PrerenderedCommandIcon(QStringLiteral("nonexistent"), QSize(16, 16)).isNull());
}

// The icon serves the prerendered pixels, renders any other size from the SVG, fits a high
// device pixel ratio, and leaves the disabled look to the style.
TEST(Icons, AnIconDrawsEverySizeAndModeAsTheSvgDoes) {
    test::App();
    const QString name = QStringLiteral("send");
    const QIcon icon = CommandIcon(name);
    for (QSize size : {QSize(16, 16), QSize(32, 32), QSize(20, 20), QSize(64, 40)})
        EXPECT_EQ(DifferingPixels(icon.pixmap(size).toImage(), Rendered(name, size)), 0)
            << size.width() << "x" << size.height();

    const QPixmap sharp = icon.pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(sharp.size(), QSize(32, 32));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(DifferingPixels(sharp.toImage(), Rendered(name, QSize(32, 32))), 0);

    const QImage normal = icon.pixmap(QSize(16, 16)).toImage();
    const QImage disabled = icon.pixmap(QSize(16, 16), QIcon::Disabled).toImage();
    EXPECT_EQ(disabled.size(), normal.size());
    EXPECT_GT(DifferingPixels(disabled, normal), 0);
}

// Text in a picture would bring in the font machinery at start-up, and its look would depend on
// the fonts of the machine that built the program.
TEST(Icons, NoPictureNeedsAFont) {
    for (const QString& name : CommandIconNames()) {
        const QByteArray svg = CommandIconSvg(name);
        EXPECT_FALSE(svg.contains("<text") || svg.contains("<tspan") || svg.contains("font"))
            << name.toStdString();
    }
}
