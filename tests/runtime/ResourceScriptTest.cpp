#include "runtime/ResourceScript.h"
#include "runtime/Exception.h"
#include "runtime/FormStream.h"
#include "runtime/TextForm.h"
#include "support/FileBytes.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace lumotrix;

namespace {

class ResourceScript : public ::testing::Test {
protected:
    QString Path(const char* name) const { return Dir.filePath(QString::fromUtf8(name)); }

    std::string ErrorOf(const QByteArray& script) {
        try {
            CompileResourceScript(script, Path("test.rc"));
        } catch (const Exception& e) {
            return e.Message().toStdString();
        }
        return {};
    }

    QTemporaryDir Dir;
};

} // namespace

TEST_F(ResourceScript, CompilesStringsAndForms) {
    test::WriteFileBytes(Path("forms/Main.form"),
                         "object Form1: TForm1\n  Caption = 'Ciao'\nend\n");
    test::WriteFileBytes(Path("blob.bin"), QByteArray("\0\1\2", 3));
    const QByteArray script = "// comment \"not a string\"\n"
                              "/* a block\n comment */\n"
                              "STRINGTABLE DISCARDABLE\n"
                              "BEGIN\n"
                              "    65504, \"Porta\"\n"
                              "    65505 \"Luned\xEC\"  // 1252 by default\n"
                              "    1, \"say \"\"hi\"\"\\n\\t\\\\ \\\" \\101\\x42 \\q\"\n"
                              "    2, \"one \" \"two\"\n"
                              "    0x10, L\"\\x4e2d\"\n"
                              "END\n"
                              "#pragma code_page(65001)\n"
                              "STRINGTABLE LANGUAGE 7, 1 { 3, \"Mercoled\xC3\xAC\" }\n"
                              "TForm1 RCDATA \"forms/Main.form\"\n"
                              "42 RCDATA PRELOAD \"blob.bin\"\n";
    const TResourceFile file = CompileResourceScript(script, Path("app.rc"));

    EXPECT_EQ(file.LoadString(65504), QStringLiteral("Porta"));
    EXPECT_EQ(file.LoadString(65505), QStringLiteral("Luned\u00ec"));
    EXPECT_EQ(file.LoadString(1), QStringLiteral("say \"hi\"\n\t\\ \" AB \\q"));
    EXPECT_EQ(file.LoadString(2), QStringLiteral("one two"));
    EXPECT_EQ(file.LoadString(16), QStringLiteral("\u4e2d"));
    EXPECT_EQ(file.LoadString(3), QStringLiteral("Mercoled\u00ec"));

    const TResourceEntry* form = file.Find(RT_RCDATA, QStringLiteral("tform1"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->Name.Name(), QStringLiteral("TFORM1")); // stored upper case
    EXPECT_EQ(FormBinaryToText(form->Data),
              QStringLiteral("object Form1: TForm1\n  Caption = 'Ciao'\nend\n"));
    const TResourceEntry* blob = file.Find(RT_RCDATA, 42);
    ASSERT_NE(blob, nullptr);
    EXPECT_EQ(blob->Data, QByteArray("\0\1\2", 3));
    EXPECT_EQ(blob->MemoryFlags, ResMoveable | ResPure | ResPreload);

    for (const TResourceEntry& e : file.Entries())
        if (e.Type.Matches(RT_STRING) && e.Name.Matches(1) && e.LanguageId != 0) {
            EXPECT_EQ(e.LanguageId, (1 << 10) | 7);
            EXPECT_EQ(e.MemoryFlags, ResMoveable | ResPure | ResDiscardable);
        }
}

TEST_F(ResourceScript, UnicodeByteOrderMarkSelectsUtf8) {
    const TResourceFile file =
        CompileResourceScript("\xEF\xBB\xBFSTRINGTABLE { 5, \"\xC3\xA8\" }", QString());
    EXPECT_EQ(file.LoadString(5), QStringLiteral("\u00e8"));
}

TEST_F(ResourceScript, LanguageByNameOrNumber) {
    const TResourceFile file = CompileResourceScript("LANGUAGE LANG_GERMAN, SUBLANG_GERMAN\n"
                                                     "STRINGTABLE { 1, \"a\" }\n"
                                                     "STRINGTABLE LANGUAGE 0x10, 2 { 17, \"b\" }\n",
                                                     QString());
    ASSERT_EQ(file.Entries().size(), 2);
    EXPECT_EQ(file.Entries()[0].LanguageId, 0x0407);
    EXPECT_EQ(file.Entries()[1].LanguageId, 0x0810);
    EXPECT_EQ(ErrorOf("LANGUAGE LANG_KLINGON, 1"), "test.rc, line 1: Language expected");
    EXPECT_EQ(ErrorOf("LANGUAGE 7, 64"), "test.rc, line 1: Sublanguage 64 out of range");
}

TEST_F(ResourceScript, ErrorsNameTheLine) {
    test::WriteFileBytes(Path("bad.form"), "object A: TA\n  X = 'open\nend\n");
    EXPECT_EQ(ErrorOf("STRINGTABLE\nBEGIN\n 1, \"open\nEND"),
              "test.rc, line 3: Unterminated string");
    EXPECT_EQ(ErrorOf("STRINGTABLE\nBEGIN\n 1, \"a\"\n 1, \"b\"\nEND"),
              "test.rc, line 4: Duplicate string id 1");
    EXPECT_EQ(ErrorOf("STRINGTABLE\nBEGIN\n 70000, \"a\"\nEND"),
              "test.rc, line 3: String id 70000 out of range");
    EXPECT_EQ(ErrorOf("STRINGTABLE\nBEGIN\n 1, \"a\"\n"), "test.rc, line 4: END expected");
    EXPECT_EQ(ErrorOf("\n\nICON1 ICON \"x.ico\""),
              "test.rc, line 3: Unsupported resource type 'ICON'");
    EXPECT_EQ(ErrorOf("#include \"x.h\""), "test.rc, line 1: Unsupported directive '#include'");
    EXPECT_EQ(ErrorOf("#pragma code_page(850)"), "test.rc, line 1: Unsupported code page 850");
    EXPECT_EQ(ErrorOf("X RCDATA \"missing.form\""),
              "test.rc, line 1: Cannot open 'missing.form': No such file or directory");
    EXPECT_EQ(ErrorOf("\nX RCDATA \"bad.form\""),
              "test.rc, line 2: bad.form: Unterminated string at line 2, column 7");
    EXPECT_EQ(ErrorOf("/* never closed\n"), "test.rc, line 1: Unterminated comment");
    EXPECT_EQ(ErrorOf("STRINGTABLE { 1, \"\\777\" }"),
              "test.rc, line 1: Escape value out of range");
    EXPECT_EQ(ErrorOf("#pragma code_page(65001)\nSTRINGTABLE { 1, \"\xFF\" }"),
              "test.rc, line 2: Invalid UTF-8 in a string");
    EXPECT_THROW(CompileResourceScriptFile(Path("none.rc")), EResNotFound);
    // A device would be read until memory runs out.
    EXPECT_EQ(ErrorOf("X RCDATA \"/dev/zero\""),
              "test.rc, line 1: '/dev/zero' is not a regular file");
    QDir().mkpath(Path("folder"));
    EXPECT_EQ(ErrorOf("X RCDATA \"folder\""), "test.rc, line 1: 'folder' is not a regular file");
    QFile big(Path("big.bin"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(16 * 1024 * 1024 + 1)); // sparse: no disk is spent
    big.close();
    EXPECT_EQ(ErrorOf("X RCDATA \"big.bin\""),
              "test.rc, line 1: 'big.bin' is larger than 16777216 bytes");
}

TEST_F(ResourceScript, CutOrDamagedScriptsThrowOrCompile) {
    test::WriteFileBytes(Path("f.form"), "object A: TA\nend\n");
    const QByteArray script = "STRINGTABLE LANGUAGE 0x10, 1\nBEGIN\n 1, \"a\\x41\\101\"\n"
                              " 2 L\"b\" \"c\"\nEND\nF RCDATA \"f.form\" /* x */ // y\n";
    for (qsizetype cut = 0; cut <= script.size(); ++cut) {
        try {
            CompileResourceScript(script.left(cut), Path("t.rc"));
        } catch (const Exception&) {
        }
    }
    for (qsizetype at = 0; at < script.size(); ++at)
        for (char c : {'"', '\\', '/', '*', '#', '{', '\n', 'x', '\xFF'}) {
            QByteArray bad = script;
            bad[at] = c;
            try {
                CompileResourceScript(bad, Path("t.rc"));
            } catch (const Exception&) {
            }
        }
}
