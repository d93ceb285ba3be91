#include "widgets/qt/CommandIconSvg.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

namespace lumotrix {

namespace {

// Shared pieces: a gear, a microchip and a document outline recur in several pictures.
constexpr const char* Gear =
    R"svg(<g transform="translate(20 20)"><path fill="#6b7785" stroke="#3c4550" stroke-width="0.8"
 d="M-1.6,-9 h3.2 l0.6,2.4 a6.6,6.6 0 0 1 2.1,1.2 l2.3,-0.8 l1.6,2.8 l-1.8,1.6 a6.6,6.6 0 0 1 0,2.4
 l1.8,1.6 l-1.6,2.8 l-2.3,-0.8 a6.6,6.6 0 0 1 -2.1,1.2 l-0.6,2.4 h-3.2 l-0.6,-2.4 a6.6,6.6 0 0 1
 -2.1,-1.2 l-2.3,0.8 l-1.6,-2.8 l1.8,-1.6 a6.6,6.6 0 0 1 0,-2.4 l-1.8,-1.6 l1.6,-2.8 l2.3,0.8
 a6.6,6.6 0 0 1 2.1,-1.2 z"/><circle r="2.6" fill="#eef2f6" stroke="#3c4550" stroke-width="0.8"/></g>)svg";

// The chip's "PIC" is outlined rather than set as text: text would bring in fonts and shaping.
constexpr const char* Chip =
    R"svg(<g stroke="#777" stroke-width="1.4"><path d="M9 6v-3M13 6v-3M17 6v-3M21 6v-3M9 26v3M13 26v3M17 26v3M21 26v3"/></g>
<rect x="6" y="6" width="18" height="20" rx="2" fill="#2f3a46" stroke="#1b232b"/>
<circle cx="10" cy="10" r="1.3" fill="#9aa7b4"/>
<path fill="#e8eef4" d="M9.6 15.3h2.1a1.6 1.55 0 0 1 0 3.1h-0.9v1.6h-1.2zM10.8 16.2v1.3h0.8a0.65 0.65 0 0 0 0-1.3zM14.4 15.3h1.2v4.7h-1.2z"/>
<path d="M20.5 16.2a1.95 1.9 0 1 0 0 2.9" fill="none" stroke="#e8eef4" stroke-width="1.15"/>)svg";

constexpr const char* Defs = R"svg(<defs>
<linearGradient id="gBlue" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8cc4ff"/><stop offset="1" stop-color="#1f66c2"/></linearGradient>
<linearGradient id="gGreen" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#8fe07a"/><stop offset="1" stop-color="#2e8f1f"/></linearGradient>
<linearGradient id="gYellow" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffe59a"/><stop offset="1" stop-color="#e0a526"/></linearGradient>
<linearGradient id="gRed" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ff9b8a"/><stop offset="1" stop-color="#c9261a"/></linearGradient>
<linearGradient id="gGrey" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#f4f6f8"/><stop offset="1" stop-color="#b9c2cc"/></linearGradient>
<linearGradient id="gDark" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#6a6f76"/><stop offset="1" stop-color="#1c1f23"/></linearGradient>
<linearGradient id="gSilver" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#a9b1bb"/></linearGradient>
</defs>)svg";

// Arrows used by the transfer and toolbar pictures.
constexpr const char* ArrowRightGreen =
    R"svg(<path d="M1 13h8v-5l8 8-8 8v-5h-8z" fill="url(#gGreen)" stroke="#1f6a14" stroke-linejoin="round"/>)svg";

// The gradients of Defs that `body` refers to, each parsed again at every picture's render: most
// pictures use one or two of them.
QString DefsFor(const QString& body) {
    QString defs;
    for (const QString& line : QString::fromLatin1(Defs).split(QLatin1Char('\n'))) {
        static const QString start = QStringLiteral("<linearGradient id=\"");
        if (!line.startsWith(start))
            continue;
        const QString id =
            line.mid(start.size(), line.indexOf(QLatin1Char('"'), start.size()) - start.size());
        if (body.contains(QStringLiteral("url(#%1)").arg(id)))
            defs += line + QLatin1Char('\n');
    }
    return defs.isEmpty() ? QString()
                          : QStringLiteral("<defs>\n") + defs + QStringLiteral("</defs>");
}

QString Wrap(const QString& body) {
    return QStringLiteral(
               R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">)svg") +
           DefsFor(body) + body + QStringLiteral("</svg>");
}

QString Scheme(const char* gradient, const char* frame) {
    return QStringLiteral(
               R"svg(<rect x="3" y="4" width="26" height="24" rx="3" fill="#fff" stroke="%2"/>
<rect x="3" y="4" width="26" height="9" rx="3" fill="url(#%1)" stroke="%2"/>
<rect x="6" y="15" width="7" height="4" fill="url(#%1)" opacity="0.8"/>
<rect x="15" y="15" width="11" height="2" fill="#9aa3ad"/><rect x="15" y="19" width="9" height="2" fill="#9aa3ad"/>
<rect x="6" y="22" width="20" height="3" rx="1" fill="url(#%1)" opacity="0.6"/>)svg")
        .arg(QLatin1String(gradient), QLatin1String(frame));
}

// The pictures' bodies, wrapped into a document only when one is asked for: the window draws most
// of them from their prerendered pixels and never needs their SVG.
const QHash<QString, QString>& Bodies() {
    static const QHash<QString, QString> bodies = [] {
        QHash<QString, QString> b;
        b["open"] =
            R"svg(<path d="M2 8h9l2 3h15v15H2z" fill="url(#gYellow)" stroke="#9b6d0c" stroke-linejoin="round"/>
<path d="M6 14h24l-3 12H2z" fill="#ffd86b" stroke="#9b6d0c" stroke-linejoin="round"/>)svg";
        b["save"] =
            R"svg(<path d="M4 4h20l4 4v20H4z" fill="url(#gBlue)" stroke="#123f7a" stroke-linejoin="round"/>
<rect x="8" y="4" width="14" height="9" fill="#eef4fb" stroke="#123f7a"/><rect x="17" y="6" width="3" height="5" fill="#123f7a"/>
<rect x="8" y="17" width="16" height="11" fill="#fff" stroke="#123f7a"/><path d="M10 21h12M10 24h12" stroke="#9fb4cc"/>)svg";
        b["saveas"] =
            b["save"] +
            R"svg(<path d="M17 29l2-5 9-9 3 3-9 9z" fill="url(#gYellow)" stroke="#7a5608" stroke-linejoin="round"/>)svg";
        b["print"] = R"svg(<rect x="8" y="3" width="16" height="9" fill="#fff" stroke="#555"/>
<rect x="3" y="11" width="26" height="12" rx="2" fill="url(#gGrey)" stroke="#555"/>
<rect x="8" y="19" width="16" height="10" fill="#fff" stroke="#555"/><path d="M11 23h10M11 26h8" stroke="#888"/>
<circle cx="25" cy="15" r="1.3" fill="#3fae2a"/>)svg";
        b["clear"] =
            R"svg(<path d="M6 3h14l6 6v20H6z" fill="#fff" stroke="#66707a" stroke-linejoin="round"/>
<path d="M10 11h12M10 15h12M10 19h8" stroke="#b5bec8"/>
<circle cx="21" cy="22" r="8" fill="url(#gRed)" stroke="#8c1810"/><path d="M17.5 18.5l7 7M24.5 18.5l-7 7" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/>)svg";
        b["exit"] =
            R"svg(<path d="M5 3h14v26H5z" fill="#b5773b" stroke="#5e3a17"/><path d="M5 3l10 3v25l-10-2z" fill="#8d5524" stroke="#5e3a17" stroke-linejoin="round"/>
<circle cx="12.5" cy="17" r="1.2" fill="#ffd86b"/>
<path d="M17 13h7v-4l7 7-7 7v-4h-7z" fill="url(#gRed)" stroke="#8c1810" stroke-linejoin="round"/>)svg";
        b["send"] = QStringLiteral("<g transform=\"translate(7 0)\">") + QString::fromLatin1(Chip) +
                    QStringLiteral("</g>") + ArrowRightGreen;
        b["receive"] =
            QString::fromLatin1(Chip) +
            R"svg(<path d="M31 13h-8v-5l-8 8 8 8v-5h8z" fill="url(#gBlue)" stroke="#123f7a" stroke-linejoin="round"/>)svg";
        b["cancel"] =
            QString::fromLatin1(Chip) +
            R"svg(<circle cx="22" cy="22" r="8" fill="url(#gRed)" stroke="#8c1810"/><path d="M18.5 18.5l7 7M25.5 18.5l-7 7" stroke="#fff" stroke-width="2.4" stroke-linecap="round"/>)svg";
        b["datesync"] =
            R"svg(<rect x="3" y="5" width="22" height="21" rx="2" fill="#fff" stroke="#66707a"/>
<rect x="3" y="5" width="22" height="6" rx="2" fill="url(#gRed)" stroke="#8c1810"/>
<path d="M8 3v5M20 3v5" stroke="#444" stroke-width="2" stroke-linecap="round"/>
<path fill="#333" d="M8.2 21.7h1.7v-4.7l-1.7 0.35v-1.25l1.7-0.4h1.8v6h1.6v1.3h-5.1zM14.8 23v-1.4l2.7-2.3c0.5-0.45 0.7-0.8 0.7-1.2 0-0.65-0.5-1.1-1.3-1.1-0.6 0-1.3 0.25-2.1 0.6v-1.6c0.8-0.25 1.6-0.4 2.5-0.4 1.7 0 2.7 0.8 2.7 2.2 0 0.9-0.45 1.5-1.6 2.5l-1.5 1.3h3.2v1.4z"/>
<circle cx="24" cy="24" r="7" fill="#fff" stroke="#1f66c2" stroke-width="1.2"/>
<path d="M20 22.5a4.3 4.3 0 0 1 7.6-1.4M28 25.5a4.3 4.3 0 0 1-7.6 1.4" fill="none" stroke="#2e8f1f" stroke-width="1.5"/>
<path d="M28.6 18.5v3.4h-3.4zM19.4 29.5v-3.4h3.4z" fill="#2e8f1f"/>)svg";
        b["serialsettings"] =
            R"svg(<path d="M2 5h20l-3 11H5z" fill="url(#gGrey)" stroke="#4d5660" stroke-linejoin="round"/>
<g fill="#333"><circle cx="7" cy="8.5" r="1"/><circle cx="10" cy="8.5" r="1"/><circle cx="13" cy="8.5" r="1"/><circle cx="16" cy="8.5" r="1"/><circle cx="19" cy="8.5" r="1"/>
<circle cx="8.5" cy="12" r="1"/><circle cx="11.5" cy="12" r="1"/><circle cx="14.5" cy="12" r="1"/><circle cx="17.5" cy="12" r="1"/></g>)svg" +
            QString::fromLatin1(Gear);
        b["loadsettings"] =
            R"svg(<rect x="2" y="14" width="16" height="14" rx="1.5" fill="url(#gYellow)" stroke="#9b6d0c"/><path d="M5 19h10" stroke="#9b6d0c"/>
<path d="M10 2v7h-4l4 5 4-5h-4" fill="none"/><path d="M7 2h6v6h3l-6 6-6-6h3z" fill="url(#gGreen)" stroke="#1f6a14" stroke-linejoin="round"/>)svg" +
            QString::fromLatin1(Gear);
        b["savesettings"] =
            R"svg(<path d="M2 12h14l2 2v14H2z" fill="url(#gBlue)" stroke="#123f7a" stroke-linejoin="round"/>
<rect x="5" y="12" width="9" height="5" fill="#eef4fb" stroke="#123f7a"/><rect x="5" y="21" width="10" height="7" fill="#fff" stroke="#123f7a"/>)svg" +
            QString::fromLatin1(Gear);
        b["schemeblue"] = Scheme("gBlue", "#1f4f8f");
        b["schemeblack"] = Scheme("gDark", "#111");
        b["schemesilver"] = Scheme("gSilver", "#7d8792");
        b["ribbonform"] =
            R"svg(<rect x="2" y="4" width="28" height="24" rx="2" fill="#fff" stroke="#34506f"/>
<rect x="2" y="4" width="28" height="11" rx="2" fill="url(#gBlue)" stroke="#34506f"/>
<circle cx="7" cy="8.5" r="3" fill="url(#gYellow)" stroke="#9b6d0c"/>
<rect x="12" y="7" width="5" height="5" fill="#fff" opacity="0.8"/><rect x="19" y="7" width="5" height="5" fill="#fff" opacity="0.8"/>
<path d="M26 6.5l2 2M28 6.5l-2 2" stroke="#fff"/><path d="M5 19h22M5 23h16" stroke="#b5bec8" stroke-width="2"/>)svg";
        b["language"] = R"svg(<circle cx="16" cy="16" r="13" fill="url(#gBlue)" stroke="#123f7a"/>
<g fill="none" stroke="#dff0ff" stroke-width="1.2"><ellipse cx="16" cy="16" rx="5.5" ry="13"/><path d="M3 16h26M5 9h22M5 23h22M16 3v26"/></g>
<path d="M8 8c3 1 4 4 2 6s1 5-2 6" fill="none" stroke="#5cbf4a" stroke-width="2.2" stroke-linecap="round" opacity="0.9"/>)svg";
        b["qatvisible"] =
            R"svg(<rect x="2" y="6" width="28" height="8" rx="2" fill="url(#gBlue)" stroke="#123f7a"/>
<rect x="5" y="8" width="4" height="4" fill="#fff"/><rect x="11" y="8" width="4" height="4" fill="#fff"/><rect x="17" y="8" width="4" height="4" fill="#fff"/>
<path d="M4 23c4-6 20-6 24 0c-4 6-20 6-24 0z" fill="#fff" stroke="#333"/><circle cx="16" cy="23" r="3.6" fill="#3b6fb6" stroke="#123f7a"/><circle cx="16" cy="23" r="1.4" fill="#111"/>)svg";
        b["qatabove"] =
            R"svg(<rect x="2" y="2" width="28" height="28" rx="2" fill="#fff" stroke="#66707a"/>
<rect x="4" y="4" width="24" height="6" rx="1" fill="url(#gYellow)" stroke="#9b6d0c"/>
<rect x="4" y="12" width="24" height="9" fill="url(#gBlue)" stroke="#123f7a"/>
<path d="M16 30v-6M12.5 26.5l3.5-3.5 3.5 3.5" fill="none" stroke="#2e8f1f" stroke-width="2"/>)svg";
        b["qatbelow"] =
            R"svg(<rect x="2" y="2" width="28" height="28" rx="2" fill="#fff" stroke="#66707a"/>
<rect x="4" y="4" width="24" height="9" fill="url(#gBlue)" stroke="#123f7a"/>
<rect x="4" y="15" width="24" height="6" rx="1" fill="url(#gYellow)" stroke="#9b6d0c"/>
<path d="M16 23v6M12.5 25.5l3.5 3.5 3.5-3.5" fill="none" stroke="#2e8f1f" stroke-width="2"/>)svg";
        b["about"] = R"svg(<circle cx="16" cy="16" r="13" fill="url(#gBlue)" stroke="#123f7a"/>
<circle cx="16" cy="9.5" r="2.2" fill="#fff"/><rect x="13.8" y="13.5" width="4.4" height="11" rx="1.2" fill="#fff"/>)svg";
        b["help"] = R"svg(<circle cx="16" cy="16" r="13" fill="url(#gBlue)" stroke="#123f7a"/>
<path d="M11.5 12.5a4.5 4.5 0 1 1 6.3 4.1c-1.2.6-1.8 1.4-1.8 2.7v1" fill="none" stroke="#fff" stroke-width="3" stroke-linecap="round"/>
<circle cx="16" cy="24.5" r="1.9" fill="#fff"/>)svg";
        b["appbutton"] = R"svg(<circle cx="16" cy="16" r="14" fill="url(#gBlue)" stroke="#0d3566"/>
<ellipse cx="16" cy="10" rx="10" ry="6" fill="#fff" opacity="0.35"/>
<path d="M8 19c4-6 11-6 15-1 l4-3v8l-4-3c-4 5-11 5-15-1z" fill="url(#gYellow)" stroke="#8a5a06" stroke-linejoin="round"/>
<circle cx="11.5" cy="18.5" r="1.1" fill="#222"/>)svg";
        b["program"] =
            R"svg(<rect x="2" y="5" width="28" height="22" rx="3" fill="url(#gBlue)" stroke="#0d3566"/>
<path d="M2 22c6-3 10 2 16-1s9 0 12-1v4a3 3 0 0 1-3 3H5a3 3 0 0 1-3-3z" fill="#d7c48a"/>
<path d="M8 14c4-5 10-5 13 0 l4-3v7l-4-3c-3 5-9 5-13-1z" fill="url(#gYellow)" stroke="#8a5a06" stroke-linejoin="round"/>
<circle cx="11" cy="14" r="1" fill="#222"/><circle cx="24" cy="9" r="1.2" fill="#e6f4ff"/><circle cx="26" cy="6.5" r="0.8" fill="#e6f4ff"/>)svg";
        b["undo"] =
            R"svg(<path d="M12 5L3 13l9 8v-5c7 0 12 2 16 10 0-11-6-17-16-17z" fill="url(#gBlue)" stroke="#123f7a" stroke-linejoin="round"/>)svg";
        b["redo"] = QStringLiteral("<g transform=\"matrix(-1 0 0 1 32 0)\">") + b["undo"] +
                    QStringLiteral("</g>");
        b["modified"] =
            R"svg(<path d="M6 3h14l6 6v20H6z" fill="#fff" stroke="#66707a" stroke-linejoin="round"/>
<path d="M10 27l2-6 12-12 4 4-12 12z" fill="url(#gYellow)" stroke="#7a5608" stroke-linejoin="round"/><path d="M10 27l2-6 4 4z" fill="#333"/>)svg";
        return b;
    }();
    return bodies;
}

} // namespace

QStringList CommandIconNames() {
    QStringList names = Bodies().keys();
    names.sort();
    return names;
}

bool IsCommandIconName(const QString& name) {
    return Bodies().contains(name);
}

QByteArray CommandIconSvg(const QString& name) {
    auto it = Bodies().constFind(name);
    return it == Bodies().constEnd() ? QByteArray() : Wrap(it.value()).toUtf8();
}

QImage RenderCommandIconSvg(QSvgRenderer& renderer, const QSize& size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image;
}

} // namespace lumotrix
