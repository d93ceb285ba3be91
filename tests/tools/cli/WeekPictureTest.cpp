#include "CliSupport.h"

#include <QtEndian>

using namespace lumotrix;
using namespace lumotrix::test;

namespace {

class WeekPicture : public CliTest {};

// Every picture option writes its format whole, headless: the tool paints on the offscreen
// platform even when the environment names a display platform that cannot start here.
TEST_F(WeekPicture, SvgPdfAndPngAreWrittenWithoutADisplay) {
    QJsonObject config = SampleConfig();
    SetTemperature(config, "sensor", true);
    SetTemperature(config, "first_port", 4);
    ASSERT_EQ(RunCli({"import", WriteJson(config), Path("vasca.tmr")}).ExitCode, 0);
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const QByteArray display = qgetenv("DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb");
    qunsetenv("DISPLAY");
    const auto restore = [&] {
        qputenv("QT_QPA_PLATFORM", platform);
        if (!display.isEmpty())
            qputenv("DISPLAY", display);
    };
    struct TCase {
        const char* Option;
        const char* File;
        QByteArray Head;
    };
    const TCase cases[] = {{"--svg", "week.svg", "<?xml"},
                           {"--pdf", "week.pdf", "%PDF-"},
                           {"--png", "week.png", QByteArray("\x89PNG\r\n\x1a\n", 8)}};
    for (const TCase& c : cases) {
        const TRun r = RunCli({"week", Path("vasca.tmr"), c.Option, Path(c.File)});
        EXPECT_EQ(r.ExitCode, 0) << c.Option << ": " << r.Err.toStdString();
        EXPECT_EQ(r.Out, QStringLiteral("wrote %1\n").arg(Path(c.File)));
        const QByteArray bytes = FileBytes(Path(c.File));
        EXPECT_TRUE(bytes.startsWith(c.Head)) << c.Option;
    }
    restore();

    // The SVG speaks English and carries the problems; the PDF is one whole document; the
    // PNG is as wide as the window the chart was drawn for.
    const QByteArray svg = FileBytes(Path("week.svg"));
    EXPECT_TRUE(svg.contains("<title>Week of vasca</title>"));
    EXPECT_TRUE(svg.contains(">Monday<"));
    EXPECT_TRUE(svg.contains("Problems in the schedule:"));
    EXPECT_TRUE(svg.contains("Regulated port"));
    EXPECT_TRUE(FileBytes(Path("week.pdf")).trimmed().endsWith("%%EOF"));
    // The PNG's header chunk: width and height, big-endian, after the signature and "IHDR".
    const QByteArray png = FileBytes(Path("week.png"));
    ASSERT_GE(png.size(), 24);
    EXPECT_EQ(png.mid(12, 4), "IHDR");
    EXPECT_EQ(qFromBigEndian<quint32>(png.constData() + 16), 1240u);
    EXPECT_GT(qFromBigEndian<quint32>(png.constData() + 20), 300u);

    const TRun both = RunCli({"week", Path("vasca.tmr"), "--svg", Path("a.svg"), "--json"});
    EXPECT_EQ(both.ExitCode, 2);
    const TRun unwritable =
        RunCli({"week", Path("vasca.tmr"), "--png", Path("no-such-folder/week.png")});
    EXPECT_EQ(unwritable.ExitCode, 1);
    EXPECT_TRUE(unwritable.Err.contains("Nothing written")) << unwritable.Err.toStdString();
}

} // namespace
