#include "widgets/qt/Icons.h"

#include "widgets/qt/PrerenderedIcons.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <memory>

namespace lumotrix {

namespace {

// Draws a picture from the pixels the build prerendered where it has them, else renders its SVG,
// parsed only when a size the build did not foresee is asked for (a high device pixel ratio, a
// stretched image). What it hands out is kept by size and mode: an SVG rendering and the style's
// disabled look both cost, while a kept prerendered pixmap merely shares the program's pixels.
class TSvgIconEngine : public QIconEngine {
public:
    explicit TSvgIconEngine(QString name) : FName(std::move(name)) {}
    TSvgIconEngine(const TSvgIconEngine& other)
        : QIconEngine(other), FName(other.FName), FRenderer(other.FRenderer),
          FPixmaps(other.FPixmaps) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, pixmap(rect.size() * ratio, mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        if (size.isEmpty())
            return QPixmap();
        // Normal and active look the same; disabled and selected are derived by the style,
        // as for any other icon.
        const bool derived = mode == QIcon::Disabled || mode == QIcon::Selected;
        const quint64 key = (quint64(size.width()) << 34) | (quint64(size.height()) << 4) |
                            quint64(derived ? mode : QIcon::Normal);
        auto cached = FPixmaps.constFind(key);
        if (cached != FPixmaps.constEnd())
            return cached.value();
        QPixmap result;
        if (derived) {
            const QPixmap normal = pixmap(size, QIcon::Normal, state);
            QStyleOption option;
            option.palette = QGuiApplication::palette();
            result = QApplication::style()
                         ? QApplication::style()->generatedIconPixmap(mode, normal, &option)
                         : normal;
        } else {
            QImage image = PrerenderedCommandIcon(FName, size);
            if (image.isNull()) {
                if (!FRenderer)
                    FRenderer = std::make_shared<QSvgRenderer>(CommandIconSvg(FName));
                image = RenderCommandIconSvg(*FRenderer, size);
            }
            result = QPixmap::fromImage(std::move(image));
        }
        FPixmaps.insert(key, result);
        return result;
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48)};
    }

    QString key() const override { return QStringLiteral("lumotrix-svg"); }

    QIconEngine* clone() const override { return new TSvgIconEngine(*this); }

private:
    QString FName;
    std::shared_ptr<QSvgRenderer> FRenderer; // parsed on the first render
    QHash<quint64, QPixmap> FPixmaps;
};

} // namespace

QImage PrerenderedCommandIcon(const QString& name, const QSize& size) {
    const QByteArray latin1 = name.toLatin1();
    for (int i = 0; i < PrerenderedIconCount; ++i) {
        const TPrerenderedIcon& icon = PrerenderedIcons[i];
        if (icon.Width == size.width() && icon.Height == size.height() && latin1 == icon.Name)
            return QImage(reinterpret_cast<const uchar*>(PrerenderedIconPixels + icon.Offset),
                          icon.Width, icon.Height, qsizetype(icon.Width) * 4,
                          QImage::Format_ARGB32_Premultiplied);
    }
    return QImage();
}

QIcon CommandIcon(const QString& name) {
    static QHash<QString, QIcon> cache;
    auto cached = cache.constFind(name);
    if (cached != cache.constEnd())
        return cached.value();
    if (!IsCommandIconName(name))
        return QIcon();
    QIcon icon(new TSvgIconEngine(name));
    cache.insert(name, icon);
    return icon;
}

} // namespace lumotrix
