#include "ResToolFixture.h"
#include "runtime/ResourceFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace lumotrix;

namespace {

using test::BuildDir;
using test::TRun;

class ResTool : public test::TResToolFixture {
protected:
    void SetUp() override {
        TResToolFixture::SetUp();
        Write("Main.form", "object Form1: TForm1\n  Caption = 'Lumotrix'\n  object Button1: "
                           "TButton\n    Caption = 'Invio dati'\n  end\nend\n");
        Write("app.rc", "#pragma code_page(65001)\n"
                        "STRINGTABLE\nBEGIN\n"
                        "  65505, \"Giorno\"\n"
                        "  65504, \"Porta\\tuscita\"\n"
                        "  7, \"Mercoled\xC3\xAC\"\n"
                        "END\n"
                        "TForm1 RCDATA \"Main.form\"\n");
    }
};

} // namespace

TEST_F(ResTool, BuildsAndListsAResourceFile) {
    TRun r = Run({QStringLiteral("build"), Path("app.rc"), Path("app.res")});
    ASSERT_EQ(r.ExitCode, 0) << r.Err.toStdString();
    const TResourceFile file = TResourceFile::LoadFromFile(Path("app.res"));
    EXPECT_EQ(file.LoadString(65504), QStringLiteral("Porta\tuscita"));
    ASSERT_NE(file.Find(RT_RCDATA, QStringLiteral("TForm1")), nullptr);

    r = Run({QStringLiteral("list"), Path("app.res")});
    ASSERT_EQ(r.ExitCode, 0);
    const QStringList lines = r.Out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("RCDATA\tTFORM1\t0x0000\t")));
    EXPECT_EQ(lines[1], QStringLiteral("STRING\t#1\t0x0000\t%1").arg(16 * 2 + 2 * 9));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("STRING\t#4095\t0x0000\t")));

    r = Run({QStringLiteral("strings"), Path("app.res")});
    ASSERT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Out, QStringLiteral("7\tMercoled\u00ec\n65504\tPorta\\tuscita\n65505\tGiorno\n"));

    r = Run({QStringLiteral("forms"), Path("app.res")});
    ASSERT_EQ(r.ExitCode, 0);
    EXPECT_EQ(r.Out, QStringLiteral("=== TFORM1 (language 0x0000) ===\n") +
                         QString::fromUtf8(Read("Main.form")));
}

TEST_F(ResTool, ConvertsFormsBothWays) {
    ASSERT_EQ(Run({QStringLiteral("form2bin"), Path("Main.form"), Path("Main.bin")}).ExitCode, 0);
    EXPECT_TRUE(Read("Main.bin").startsWith("TPF0"));
    ASSERT_EQ(Run({QStringLiteral("form2text"), Path("Main.bin"), Path("Again.form")}).ExitCode, 0);
    EXPECT_EQ(Read("Again.form"), Read("Main.form"));
}

TEST_F(ResTool, FailuresLeaveNoOutputAndSayWhy) {
    Write("broken.rc", "STRINGTABLE\nBEGIN\n  1, \"open\nEND\n");
    Write("old.res", "previous content");
    TRun r = Run({QStringLiteral("build"), Path("broken.rc"), Path("old.res")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err, QStringLiteral("lumotrix-res: broken.rc, line 3: Unterminated string\n"));
    EXPECT_EQ(Read("old.res"), QByteArray("previous content"));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 4); // no temporary left behind

    r = Run({QStringLiteral("form2text"), Path("Main.form"), Path("x.form")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(r.Err.count(u'\n'), 1);
    EXPECT_FALSE(QFile::exists(Path("x.form")));

    r = Run({QStringLiteral("list"), Path("Main.form")});
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_TRUE(r.Err.contains(QStringLiteral("Not a 32-bit resource file at offset 0")));

    EXPECT_EQ(Run({}).ExitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("build"), Path("app.rc")}).ExitCode, 2);
    EXPECT_EQ(Run({QStringLiteral("compile"), Path("app.rc"), Path("x")}).ExitCode, 2);
}

TEST_F(ResTool, EmbeddedResourcesServeTheProgram) {
    QProcess p;
    p.start(BuildDir() + QStringLiteral("/tests/tools/res/lumotrix_embed_probe"), {});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()),
              QStringLiteral("Porta \u00e8 aperta\nobject ProbeForm: TProbeForm\n"
                             "  Caption = 'Sonda'\nend\n"));
}
