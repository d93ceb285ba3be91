#include "runtime/TextForm.h"
#include "runtime/Exception.h"
#include "runtime/FormStream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lumotrix;

namespace {

// Canonical text: exactly what FormBinaryToText writes.
const char* const CanonicalForm = R"(object Form1: TForm1
  Left = 10
  Top = -200
  Tag = 100000
  Big = 5000000000
  Ratio = 0.1
  Huge = 1e+300
  Caption = 'Luned'#236' ''quoted'''#13#10'second line'
  Ansi = A'Luned'#236
  Long = 'aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa' +
    'bbbb'#9
  Hint = #20013#25991' '#55357#56351
  Empty = ''
  Color = clRed
  Target = Form2.PopupMenu1
  Visible = False
  Enabled = True
  Nothing = nil
  Missing = Null
  Font.Style = [fsBold, fsItalic]
  Anchors = []
  Items.Strings = (
    'uno'
    'due'
    (
      1
      2)
    ())
  Columns = <
    item
      Width = 64
      Title.Caption = 'A'
    end
    item [3]
    end>
  NoItems = <>
  Glyph.Data = {
    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F
    FF}
  NoData = {}
  Scale = 1.5s
  Price = -12.3456c
  Whole = 7.0c
  Born = 45000.25d
  Exact = -2.5e-300r
  Tiny = 5e-324r
  'end' = 1
  object Panel1: TPanel [2]
    inherited Button1: TButton
    end
    inline Frame1: TFrame1
    end
    inherited inline Frame2: TFrame2 [0]
    end
  end
  object TBarSeparator
  end
end
)";

QByteArray WithEverySpecialEncoding() {
    TWriter w;
    w.WriteSignature();
    w.WriteRaw(QByteArray("\xF0", 1)); // prefix without flags
    w.WriteStr("T Class");
    w.WriteStr("");
    w.WriteStr("I5");
    w.WriteTaggedInteger(TValueType::vaInt32, 5);
    w.WriteStr("I64");
    w.WriteTaggedInteger(TValueType::vaInt64, -3);
    w.WriteStr("L");
    w.WriteLString("short");
    w.WriteStr("W");
    w.WriteWideString("ansi");
    w.WriteStr("Lone");
    w.WriteWideString(QString(QChar(0xD800)) + QChar(0xFEFF) + QChar(0x81));
    w.WriteStr("U");
    w.WriteUTF8String(QStringLiteral("\u00e8"));
    w.WriteStr("Ident");
    w.WriteValue(TValueType::vaIdent);
    w.WriteStr("true");
    w.WriteStr("OddIdent");
    w.WriteValue(TValueType::vaIdent);
    w.WriteStr("9 lives");
    w.WriteStr("Inf");
    w.WriteDouble(std::numeric_limits<double>::infinity());
    w.WriteStr("NaN");
    w.WriteSingle(std::bit_cast<float>(0x7FA00001u));
    w.WriteStr("DateNaN");
    w.WriteDate(std::bit_cast<double>(0xFFF8000000000123ULL));
    w.WriteStr("Precise"); // an extended with more precision than a double
    w.WriteExtendedBytes(QByteArray("\x01\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10));
    w.WriteStr("ExtInf");
    w.WriteFloat(-std::numeric_limits<double>::infinity());
    w.WriteStr("SetOdd");
    w.WriteSet({"a b", "end"});
    w.WriteStr("Coll");
    w.WriteCollectionBegin();
    w.WriteTaggedInteger(TValueType::vaInt16, 1);
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteRaw(QByteArray("\xFA", 1)); // flag 8 and child position
    w.WriteTaggedInteger(TValueType::vaInt32, 1);
    w.WriteStr("TX");
    w.WriteStr("end");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    return w.Data();
}

std::string ErrorOf(const QByteArray& text) {
    try {
        FormTextToBinary(text);
    } catch (const EParserError& e) {
        return e.Message().toStdString();
    }
    return {};
}

} // namespace

TEST(TextForm, CanonicalTextSurvivesBinaryAndBack) {
    const QByteArray text(CanonicalForm);
    const QByteArray binary = FormTextToBinary(text);
    EXPECT_EQ(FormBinaryToText(binary).toUtf8(), text);
}

TEST(TextForm, TextBecomesTheExpectedValues) {
    TReader r(FormTextToBinary(QByteArray(CanonicalForm)));
    r.ReadSignature();
    int flags, childPos;
    r.ReadPrefix(flags, childPos);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(r.ReadStr(), "TForm1");
    EXPECT_EQ(r.ReadStr(), "Form1");
    auto expectProp = [&](const char* name, TValueType tag) {
        EXPECT_EQ(r.ReadStr(), name);
        EXPECT_EQ(r.NextValue(), tag) << name;
    };
    expectProp("Left", TValueType::vaInt8);
    EXPECT_EQ(r.ReadInteger(), 10);
    expectProp("Top", TValueType::vaInt16);
    EXPECT_EQ(r.ReadInteger(), -200);
    expectProp("Tag", TValueType::vaInt32);
    EXPECT_EQ(r.ReadInteger(), 100000);
    expectProp("Big", TValueType::vaInt64);
    EXPECT_EQ(r.ReadInt64(), 5000000000LL);
    expectProp("Ratio", TValueType::vaExtended);
    EXPECT_EQ(r.ReadFloat(), 0.1);
    expectProp("Huge", TValueType::vaExtended);
    EXPECT_EQ(r.ReadFloat(), 1e300);
    expectProp("Caption", TValueType::vaWString);
    EXPECT_EQ(r.ReadWideString(), QString::fromUtf8("Luned\xC3\xAC 'quoted'\r\nsecond line"));
    expectProp("Ansi", TValueType::vaString);
    EXPECT_EQ(r.ReadString(), QByteArray("Luned\xEC"));
    expectProp("Long", TValueType::vaString);
    EXPECT_EQ(r.ReadString(), QByteArray(64, 'a') + "bbbb\t");
    expectProp("Hint", TValueType::vaWString);
    EXPECT_EQ(r.ReadWideString(), QStringLiteral("\u4e2d\u6587 \U0001F41F"));
    expectProp("Empty", TValueType::vaString);
    EXPECT_EQ(r.ReadString(), QByteArray());
    expectProp("Color", TValueType::vaIdent);
    EXPECT_EQ(r.ReadIdent(), "clRed");
    expectProp("Target", TValueType::vaIdent);
    EXPECT_EQ(r.ReadIdent(), "Form2.PopupMenu1");
    expectProp("Visible", TValueType::vaFalse);
    r.SkipValue();
    expectProp("Enabled", TValueType::vaTrue);
    r.SkipValue();
    expectProp("Nothing", TValueType::vaNil);
    r.SkipValue();
    expectProp("Missing", TValueType::vaNull);
    r.SkipValue();
    expectProp("Font.Style", TValueType::vaSet);
    EXPECT_EQ(r.ReadSet(), (QList<QByteArray>{"fsBold", "fsItalic"}));
    expectProp("Anchors", TValueType::vaSet);
    EXPECT_TRUE(r.ReadSet().isEmpty());
    expectProp("Items.Strings", TValueType::vaList);
    r.SkipValue();
    expectProp("Columns", TValueType::vaCollection);
    r.ReadValue();
    r.ReadListBegin();
    EXPECT_EQ(r.ReadStr(), "Width");
    EXPECT_EQ(r.ReadInteger(), 64);
    r.SkipProperty();
    r.ReadListEnd();
    EXPECT_EQ(r.ReadInteger(), 3);
    r.ReadListBegin();
    r.ReadListEnd();
    r.ReadListEnd();
    expectProp("NoItems", TValueType::vaCollection);
    r.SkipValue();
    expectProp("Glyph.Data", TValueType::vaBinary);
    EXPECT_EQ(r.ReadBinary().size(), 33);
    expectProp("NoData", TValueType::vaBinary);
    EXPECT_EQ(r.ReadBinary(), QByteArray());
    expectProp("Scale", TValueType::vaSingle);
    EXPECT_EQ(r.ReadFloat(), 1.5);
    expectProp("Price", TValueType::vaCurrency);
    EXPECT_EQ(r.ReadCurrency(), -123456);
    expectProp("Whole", TValueType::vaCurrency);
    EXPECT_EQ(r.ReadCurrency(), 70000);
    expectProp("Born", TValueType::vaDate);
    EXPECT_EQ(r.ReadDate(), 45000.25);
    expectProp("Exact", TValueType::vaDouble);
    EXPECT_EQ(r.ReadDouble(), -2.5e-300);
    expectProp("Tiny", TValueType::vaDouble);
    EXPECT_EQ(r.ReadDouble(), std::numeric_limits<double>::denorm_min());
    expectProp("end", TValueType::vaInt8);
    r.SkipValue();
    r.ReadListEnd();
    // Panel1 with child position 2, then its children with their prefixes.
    r.ReadPrefix(flags, childPos);
    EXPECT_EQ(flags, ffChildPos);
    EXPECT_EQ(childPos, 2);
    r.ReadStr();
    r.ReadStr();
    r.ReadListEnd();
    const int expectedFlags[] = {ffInherited, ffInline, ffInherited | ffInline | ffChildPos};
    for (int expected : expectedFlags) {
        r.ReadPrefix(flags, childPos);
        EXPECT_EQ(flags, expected);
        r.ReadStr();
        r.ReadStr();
        r.ReadListEnd();
        r.ReadListEnd();
    }
    r.ReadListEnd();
    r.ReadPrefix(flags, childPos);
    EXPECT_EQ(r.ReadStr(), "TBarSeparator");
    EXPECT_EQ(r.ReadStr(), "");
}

TEST(TextForm, UnusualEncodingsSurviveTextAndBack) {
    const QByteArray binary = WithEverySpecialEncoding();
    TReader check(binary);
    check.ReadSignature();
    check.SkipComponent();
    EXPECT_TRUE(check.AtEnd());
    const QString text = FormBinaryToText(binary);
    EXPECT_EQ(FormTextToBinary(text), binary) << text.toStdString();
    EXPECT_TRUE(text.contains(QLatin1String("I5 = 5i32")));
    EXPECT_TRUE(text.contains(QLatin1String("Ident = I'true'")));
    EXPECT_TRUE(text.contains(QLatin1String("Inf = %r7FF0000000000000")));
}

TEST(TextForm, StringsCompileAsTheStandardToolsDo) {
    const auto kindOf = [](const QByteArray& value) {
        TReader r(FormTextToBinary("object A: TA\n  X = " + value + "\nend"));
        r.ReadSignature();
        r.ReadStr();
        r.ReadStr();
        r.ReadStr();
        return r.NextValue();
    };
    // A character above 127, raw or coded, makes a wide string; pure ASCII an 8-bit one.
    EXPECT_EQ(kindOf("'Luned\xC3\xAC'"), TValueType::vaWString);
    EXPECT_EQ(kindOf("'Luned'#236"), TValueType::vaWString);
    EXPECT_EQ(kindOf("'x'#128"), TValueType::vaWString);
    EXPECT_EQ(kindOf("'a'#13#10#127"), TValueType::vaString);
    EXPECT_EQ(kindOf("A'Luned'#236"), TValueType::vaString);

    // Written back, nothing above 127 stands between quotes, and a prefix appears only where
    // the plain notation would compile to another kind.
    const auto textOf = [](auto write) {
        TWriter w;
        w.WriteSignature();
        w.WriteStr("TA");
        w.WriteStr("A");
        w.WriteStr("X");
        write(w);
        w.WriteListEnd();
        w.WriteListEnd();
        const QString text = FormBinaryToText(w.Data());
        EXPECT_EQ(FormTextToBinary(text), w.Data());
        return text.section(QLatin1String("X = "), 1).section(u'\n', 0, 0);
    };
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteWideString(QString::fromUtf8("Luned\xC3\xAC")); }),
              "'Luned'#236");
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteWideString(QStringLiteral("abc")); }), "W'abc'");
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteString("Luned\xEC"); }), "A'Luned'#236");
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteString("\x80"); }), "A#8364");
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteString("plain"); }), "'plain'");
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteLString(QByteArray(300, 'a') + "\xE8"); }).left(2),
              "L'");
    EXPECT_EQ(textOf([](TWriter& w) { w.WriteLString(QByteArray(300, 'a')); }).left(2), "'a");
}

TEST(TextForm, AcceptsHandWrittenNotation) {
    const QByteArray text = "\xEF\xBB\xBF  OBJECT f: TF\r\n"
                            "  A = 'x' + \r\n\r\n  #65#$42'c'\n"
                            "  B = $FF\n  C = -$10\n  D = ( 1 2 'three' )\n"
                            "  E = [ a,b ]\n  F = { 0a 0B\n 0c }\n  G = 12c\n"
                            "  Inner.Name = W'x'\n  H = < Item [1] X = 1 END >\n"
                            "END";
    TReader r(FormTextToBinary(text));
    r.ReadSignature();
    r.SkipComponent();
    EXPECT_TRUE(r.AtEnd());
    const QString canonical = FormBinaryToText(r.Data());
    EXPECT_TRUE(canonical.contains(QLatin1String("A = 'xABc'")));
    EXPECT_TRUE(canonical.contains(QLatin1String("B = 255")));
    EXPECT_TRUE(canonical.contains(QLatin1String("C = -16")));
    EXPECT_TRUE(canonical.contains(QLatin1String("F = {\n    0A0B0C}")));
    EXPECT_TRUE(canonical.contains(QLatin1String("G = 12.0c")));
    EXPECT_TRUE(canonical.contains(QLatin1String("Inner.Name = W'x'")));
}

TEST(TextForm, ErrorsNameLineAndColumn) {
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 'open\nend"), "Unterminated string at line 2, column 7");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1\n  object B: TB\n  end\n  Y = 2\nend"),
              "Property after a child object at line 5, column 3");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 300i8\nend"),
              "Integer 300 does not fit value type 2 at line 2, column 7");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1.23456c\nend"),
              "Currency has more than 4 decimals at line 2, column 7");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1e999\nend"), "Number out of range at line 2, column 7");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = {0A0}\nend"),
              "Odd number of hex digits at line 2, column 11");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 1\n"), "'end' expected at line 3, column 1");
    // Null's tag would end the list; a class name's length byte from 0xF0 reads as a prefix.
    EXPECT_EQ(ErrorOf("object A: TA\n  P = (1 null)\nend"),
              "Null cannot be an element of a list at line 2, column 10");
    EXPECT_EQ(ErrorOf("object A: T" + QByteArray(239, 'x') + "\nend"),
              "Class name longer than 239 bytes at line 1, column 11");
    const QByteArray longest = "object A: T" + QByteArray(238, 'x') + "\nend\n";
    EXPECT_EQ(FormBinaryToText(FormTextToBinary(longest)).toUtf8(), longest);
    EXPECT_EQ(ErrorOf("object A: TA\nend\nend"), "Text after the final 'end' at line 3, column 1");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = L'\xE4\xB8\xAD'\nend"),
              "Character outside Windows-1252 in an 8-bit string at line 2, column 7");
    EXPECT_EQ(ErrorOf("object A: TA\n  X = 'a'\n  Y = '\xFF'\nend"), "Invalid UTF-8 at line 3");
    EXPECT_EQ(ErrorOf("object A: TA\n  '' = 1\nend"), "Empty property name at line 2, column 3");
    EXPECT_EQ(ErrorOf(QByteArray("object A: TA\n  X = 9223372036854775808\nend")),
              "Integer out of range at line 2, column 7");
    EXPECT_TRUE(IsTextForm("\n  inherited X: TX"));
    EXPECT_FALSE(IsTextForm("TPF0\x06TForm1"));
    EXPECT_FALSE(IsTextForm("objection"));
}

TEST(TextForm, BinaryErrorsAndTrailingDataAreRefused) {
    QByteArray binary = FormTextToBinary(QByteArray("object A: TA\nend"));
    EXPECT_THROW(FormBinaryToText(binary + "x"), EReadError);
    QByteArray deep = FormSignature + QByteArray("\x01T\x00\x01P", 5);
    deep += QByteArray(10000, '\x01');
    EXPECT_THROW(FormBinaryToText(deep), EReadError);
    QByteArray deepText = "object A: TA\n X = ";
    deepText += QByteArray(10000, '(');
    EXPECT_THROW(FormTextToBinary(deepText), EParserError);
}

TEST(TextForm, DamagedTextThrowsOrParses) {
    const QByteArray text(CanonicalForm);
    for (qsizetype cut = 0; cut < text.size(); ++cut) {
        try {
            FormTextToBinary(text.left(cut));
        } catch (const Exception&) {
        }
    }
    const char replacements[] = {'\'', '#', '(', '<', '{', '[', '%', '$', '-', '+', '\n', 'e'};
    for (qsizetype at = 0; at < text.size(); at += 3) {
        for (char c : replacements) {
            QByteArray bad = text;
            bad[at] = c;
            try {
                const QByteArray binary = FormTextToBinary(bad);
                // Whatever parses must also describe itself again.
                EXPECT_EQ(FormTextToBinary(FormBinaryToText(binary)), binary);
            } catch (const Exception&) {
            }
        }
    }
}

TEST(TextForm, DamagedBinaryThrowsOrConvertsExactly) {
    const QByteArray good = FormTextToBinary(QByteArray(CanonicalForm));
    const QByteArray special = WithEverySpecialEncoding();
    for (const QByteArray& sample : {good, special}) {
        for (qsizetype cut = 0; cut < sample.size(); ++cut)
            EXPECT_THROW(FormBinaryToText(sample.left(cut)), EReadError) << cut;
        for (qsizetype at = 0; at < sample.size(); ++at) {
            for (unsigned char flip : {0x01, 0x04, 0x10, 0x80}) {
                QByteArray bad = sample;
                bad[at] = char(bad[at] ^ flip);
                QString text;
                try {
                    text = FormBinaryToText(bad);
                } catch (const EReadError&) {
                    continue;
                }
                // Invalid UTF-8 and negative binary lengths are the documented exceptions.
                if (text.contains(QLatin1String("U'")) || text.contains(QLatin1String("U#")) ||
                    text.contains(QLatin1String("{}")))
                    continue;
                EXPECT_EQ(FormTextToBinary(text), bad) << at << " " << text.toStdString();
            }
        }
    }
}
