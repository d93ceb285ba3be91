#include "runtime/FormStream.h"
#include "runtime/Exception.h"

#include <gtest/gtest.h>

#include <QtEndian>
#include <bit>
#include <cmath>
#include <limits>

using namespace lumotrix;

namespace {

QByteArray Extended(quint64 mantissa, quint16 signExp) {
    QByteArray b(10, '\0');
    qToLittleEndian(mantissa, b.data());
    qToLittleEndian(signExp, b.data() + 8);
    return b;
}

// One stream holding a section with every kind of value, nested lists and a collection.
QByteArray SampleStream() {
    TWriter w;
    w.WriteSignature();
    w.WritePrefix(ffInherited | ffChildPos, 3);
    w.WriteStr("TForm1");
    w.WriteStr("Form1");
    w.WriteStr("Null");
    w.WriteValue(TValueType::vaNull);
    w.WriteStr("List");
    w.WriteListBegin();
    w.WriteInteger(-5);
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteStr("I8");
    w.WriteInteger(-128);
    w.WriteStr("I16");
    w.WriteInteger(-129);
    w.WriteStr("I32");
    w.WriteInteger(40000);
    w.WriteStr("I64");
    w.WriteInt64(-5000000000LL);
    w.WriteStr("Ext");
    w.WriteFloat(0.1);
    w.WriteStr("Str");
    w.WriteString("Luned\xEC");
    w.WriteStr("Id");
    w.WriteIdent("clRed");
    w.WriteStr("F");
    w.WriteBoolean(false);
    w.WriteStr("T");
    w.WriteBoolean(true);
    w.WriteStr("Bin");
    w.WriteBinary(QByteArray("\x00\x01\xFF", 3));
    w.WriteStr("Set");
    w.WriteSet({"akLeft", "akTop"});
    w.WriteStr("Long");
    w.WriteString(QByteArray(300, 'x'));
    w.WriteStr("Nil");
    w.WriteIdent("nil");
    w.WriteStr("Coll");
    w.WriteCollectionBegin();
    w.WriteInteger(7);
    w.WriteListBegin();
    w.WriteStr("Width");
    w.WriteInteger(64);
    w.WriteListEnd();
    w.WriteListBegin();
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteStr("Sgl");
    w.WriteSingle(1.5f);
    w.WriteStr("Cur");
    w.WriteCurrency(-123456);
    w.WriteStr("Date");
    w.WriteDate(45000.25);
    w.WriteStr("Wide");
    w.WriteWideString(QStringLiteral("\u4e2d\u6587"));
    w.WriteStr("Utf8");
    w.WriteUTF8String(QStringLiteral("caf\u00e9 \u20ac"));
    w.WriteStr("Dbl");
    w.WriteDouble(-2.5e-300);
    w.WriteListEnd();
    w.WritePrefix(0, -1);
    w.WriteStr("TButton");
    w.WriteStr("");
    w.WriteListEnd();
    w.WriteListEnd();
    w.WriteListEnd();
    return w.Data();
}

} // namespace

TEST(FormStream, EveryValueKindSurvivesWriterAndReader) {
    TReader r(SampleStream());
    r.ReadSignature();
    int flags, childPos;
    r.ReadPrefix(flags, childPos);
    EXPECT_EQ(flags, ffInherited | ffChildPos);
    EXPECT_EQ(childPos, 3);
    EXPECT_EQ(r.ReadStr(), "TForm1");
    EXPECT_EQ(r.ReadStr(), "Form1");

    EXPECT_EQ(r.ReadStr(), "Null");
    EXPECT_EQ(r.ReadIdent(), "Null");
    EXPECT_EQ(r.ReadStr(), "List");
    r.ReadListBegin();
    EXPECT_EQ(r.ReadInteger(), -5);
    r.ReadListBegin();
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    r.ReadListEnd();
    EXPECT_EQ(r.ReadStr(), "I8");
    EXPECT_EQ(r.NextValue(), TValueType::vaInt8);
    EXPECT_EQ(r.ReadInteger(), -128);
    EXPECT_EQ(r.ReadStr(), "I16");
    EXPECT_EQ(r.NextValue(), TValueType::vaInt16);
    EXPECT_EQ(r.ReadInteger(), -129);
    EXPECT_EQ(r.ReadStr(), "I32");
    EXPECT_EQ(r.NextValue(), TValueType::vaInt32);
    EXPECT_EQ(r.ReadInt64(), 40000);
    EXPECT_EQ(r.ReadStr(), "I64");
    EXPECT_EQ(r.NextValue(), TValueType::vaInt64);
    EXPECT_EQ(r.ReadInt64(), -5000000000LL);
    EXPECT_EQ(r.ReadStr(), "Ext");
    EXPECT_EQ(r.ReadFloat(), 0.1);
    EXPECT_EQ(r.ReadStr(), "Str");
    EXPECT_EQ(r.ReadWideString(), QStringLiteral("Luned\u00ec"));
    EXPECT_EQ(r.ReadStr(), "Id");
    EXPECT_EQ(r.ReadIdent(), "clRed");
    EXPECT_EQ(r.ReadStr(), "F");
    EXPECT_FALSE(r.ReadBoolean());
    EXPECT_EQ(r.ReadStr(), "T");
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadStr(), "Bin");
    EXPECT_EQ(r.ReadBinary(), QByteArray("\x00\x01\xFF", 3));
    EXPECT_EQ(r.ReadStr(), "Set");
    EXPECT_EQ(r.ReadSet(), (QList<QByteArray>{"akLeft", "akTop"}));
    EXPECT_EQ(r.ReadStr(), "Long");
    EXPECT_EQ(r.NextValue(), TValueType::vaLString);
    EXPECT_EQ(r.ReadString(), QByteArray(300, 'x'));
    EXPECT_EQ(r.ReadStr(), "Nil");
    EXPECT_EQ(r.NextValue(), TValueType::vaNil);
    EXPECT_EQ(r.ReadIdent(), "nil");
    EXPECT_EQ(r.ReadStr(), "Coll");
    EXPECT_EQ(r.ReadValue(), TValueType::vaCollection);
    EXPECT_EQ(r.ReadInteger(), 7);
    r.ReadListBegin();
    EXPECT_EQ(r.ReadStr(), "Width");
    EXPECT_EQ(r.ReadInteger(), 64);
    r.ReadListEnd();
    r.ReadListBegin();
    r.ReadListEnd();
    r.ReadListEnd();
    EXPECT_EQ(r.ReadStr(), "Sgl");
    EXPECT_EQ(r.ReadFloat(), 1.5);
    EXPECT_EQ(r.ReadStr(), "Cur");
    EXPECT_EQ(r.ReadCurrency(), -123456);
    EXPECT_EQ(r.ReadStr(), "Date");
    EXPECT_EQ(r.ReadDate(), 45000.25);
    EXPECT_EQ(r.ReadStr(), "Wide");
    EXPECT_EQ(r.ReadWideString(), QStringLiteral("\u4e2d\u6587"));
    EXPECT_EQ(r.ReadStr(), "Utf8");
    EXPECT_EQ(r.ReadWideString(), QStringLiteral("caf\u00e9 \u20ac"));
    EXPECT_EQ(r.ReadStr(), "Dbl");
    EXPECT_EQ(r.ReadDouble(), -2.5e-300);
    EXPECT_TRUE(r.EndOfList());
    r.ReadListEnd();
    r.ReadPrefix(flags, childPos);
    EXPECT_EQ(flags, 0);
    EXPECT_EQ(childPos, -1);
    EXPECT_EQ(r.ReadStr(), "TButton");
    EXPECT_EQ(r.ReadStr(), "");
    r.ReadListEnd();
    r.ReadListEnd();
    r.ReadListEnd();
    EXPECT_TRUE(r.AtEnd());
}

TEST(FormStream, SkipComponentWalksTheWholeStream) {
    TReader r(SampleStream());
    r.ReadSignature();
    r.SkipComponent();
    EXPECT_TRUE(r.AtEnd());
}

TEST(FormStream, IntegersUseTheSmallestTagAndSignExtend) {
    const struct {
        qint64 value;
        TValueType tag;
        int size;
    } cases[] = {{0, TValueType::vaInt8, 2},
                 {127, TValueType::vaInt8, 2},
                 {128, TValueType::vaInt16, 3},
                 {-32768, TValueType::vaInt16, 3},
                 {32768, TValueType::vaInt32, 5},
                 {std::numeric_limits<qint32>::min(), TValueType::vaInt32, 5},
                 {std::numeric_limits<qint64>::max(), TValueType::vaInt64, 9}};
    for (const auto& c : cases) {
        TWriter w;
        w.WriteInteger(c.value);
        ASSERT_EQ(w.Data().size(), c.size) << c.value;
        TReader r(w.Data());
        EXPECT_EQ(r.NextValue(), c.tag);
        EXPECT_EQ(r.ReadInt64(), c.value);
    }
    TWriter w;
    EXPECT_THROW(w.WriteTaggedInteger(TValueType::vaInt8, 200), ERangeError);
    w.WriteTaggedInteger(TValueType::vaInt32, -1);
    EXPECT_EQ(w.Data(), QByteArray("\x04\xFF\xFF\xFF\xFF", 5));
    EXPECT_THROW(TReader(QByteArray("\x13\0\0\0\0\0\0\0\0", 9)).ReadInteger(), EReadError);
}

TEST(FormStream, ExtendedConversionIsExact) {
    EXPECT_EQ(DoubleToExtended(1.0), Extended(0x8000000000000000ULL, 0x3FFF));
    EXPECT_EQ(DoubleToExtended(-2.0), Extended(0x8000000000000000ULL, 0xC000));
    const double samples[] = {0.0,
                              -0.0,
                              0.1,
                              -1e300,
                              std::numeric_limits<double>::denorm_min(),
                              -std::numeric_limits<double>::denorm_min() * 12345,
                              std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity()};
    for (double d : samples) {
        const QByteArray ext = DoubleToExtended(d);
        EXPECT_EQ(std::bit_cast<quint64>(ExtendedToDouble(ext.constData())),
                  std::bit_cast<quint64>(d))
            << d;
    }
    const double nan = std::bit_cast<double>(0x7FF8000000001234ULL);
    EXPECT_EQ(std::bit_cast<quint64>(ExtendedToDouble(DoubleToExtended(nan).constData())),
              0x7FF8000000001234ULL);
}

TEST(FormStream, ExtendedRoundsToNearestEven) {
    auto toDouble = [](quint64 m, quint16 e) {
        return ExtendedToDouble(Extended(m, e).constData());
    };
    // 1 + 2^-53 is half way between 1 and the next double: ties to even gives 1.
    EXPECT_EQ(toDouble(0x8000000000000400ULL, 0x3FFF), 1.0);
    EXPECT_EQ(toDouble(0x8000000000000401ULL, 0x3FFF), 1.0 + std::ldexp(1.0, -52));
    // 1 + 2^-52 + 2^-53: a tie with an odd last bit rounds up.
    EXPECT_EQ(toDouble(0x8000000000000C00ULL, 0x3FFF), 1.0 + std::ldexp(1.0, -51));
    // All ones rounds up into the next power of two.
    EXPECT_EQ(toDouble(0xFFFFFFFFFFFFFFFFULL, 0x3FFF), 2.0);
    // Beyond the double range: infinity; below half the smallest denormal: zero.
    EXPECT_TRUE(std::isinf(toDouble(0x8000000000000000ULL, 0x3FFF + 1024)));
    EXPECT_EQ(toDouble(0x8000000000000000ULL, 0x3FFF - 1076), 0.0);
    // Exactly half the smallest denormal ties to zero; a little more rounds up to it.
    EXPECT_EQ(toDouble(0x8000000000000000ULL, 0x3FFF - 1075), 0.0);
    EXPECT_EQ(toDouble(0x8000000000000001ULL, 0x3FFF - 1075),
              std::numeric_limits<double>::denorm_min());
    // Denormal result with rounding: 1.5 * smallest denormal ties to 2 * smallest.
    EXPECT_EQ(toDouble(0xC000000000000000ULL, 0x3FFF - 1074),
              2 * std::numeric_limits<double>::denorm_min());
    // An extended denormal and an unnormal are taken by value.
    EXPECT_EQ(toDouble(0x0000000000000001ULL, 0), 0.0);
    EXPECT_EQ(toDouble(0x4000000000000000ULL, 0x3FFF), 0.5);
    EXPECT_TRUE(std::isnan(toDouble(0xC000000000000000ULL, 0xFFFF)));
    EXPECT_TRUE(std::signbit(toDouble(0, 0x8000)));
}

TEST(FormStream, StringConversionsBetweenAnsiAndWide) {
    TWriter w;
    w.WriteWideString(QStringLiteral("Mercoled\u00ec \u4e2d"));
    w.WriteString("\x80");
    TReader r(w.Data());
    EXPECT_EQ(r.ReadString(), QByteArray("Mercoled\xEC ?"));
    EXPECT_EQ(r.ReadWideString(), QString(QChar(0x20AC)));
    EXPECT_THROW(TWriter().WriteStr(QByteArray(256, 'a')), EWriteError);
    EXPECT_THROW(TWriter().WriteSet({"a", ""}), EWriteError);
}

TEST(FormStream, ErrorsNameTheOffset) {
    auto messageOf = [](auto&& f) -> QString {
        try {
            f();
        } catch (const EReadError& e) {
            return e.Message();
        }
        return {};
    };
    EXPECT_EQ(messageOf([] { TReader(QByteArray("\x02\x05\x16", 3)).SkipValue(); }), QString());
    EXPECT_EQ(messageOf([] {
                  TReader r(QByteArray("\x02\x05\x16", 3));
                  r.SkipValue();
                  r.SkipValue();
              }),
              QStringLiteral("Unknown value type at offset 2"));
    EXPECT_EQ(messageOf([] { TReader(QByteArray("TPF", 3)).ReadSignature(); }),
              QStringLiteral("Invalid form stream signature at offset 0"));
    EXPECT_TRUE(messageOf([] {
                    TReader(QByteArray("\x06\x05"
                                       "abc",
                                       5))
                        .ReadString();
                }).endsWith(QStringLiteral("at offset 2")));
    EXPECT_TRUE(messageOf([] {
                    TReader(QByteArray("\x09", 1)).ReadInteger();
                }).contains(QStringLiteral("integer expected")));
    // A long string whose length exceeds the data, and a negative one.
    EXPECT_THROW(TReader(QByteArray("\x0C\xFF\xFF\xFF\x7F"
                                    "ab",
                                    7))
                     .ReadString(),
                 EReadError);
    EXPECT_THROW(TReader(QByteArray("\x12\xFF\xFF\xFF\xFF", 5)).ReadWideString(), EReadError);
    EXPECT_THROW(TReader(QByteArray("\x12\x02\0\0\0a", 6)).ReadWideString(), EReadError);
    EXPECT_THROW(TReader(QByteArray()).EndOfList(), EReadError);
    // Binary data with a negative length reads as empty.
    EXPECT_EQ(TReader(QByteArray("\x0A\xFF\xFF\xFF\xFF", 5)).ReadBinary(), QByteArray());
}

TEST(FormStream, HostileNestingIsRefused) {
    QByteArray deep(100000, '\x01');
    EXPECT_THROW(TReader(deep).SkipValue(), EReadError);
    QByteArray sections = FormSignature;
    for (int i = 0; i < 100000; ++i)
        sections.append("\x01T\x00\x00", 4);
    TReader r(sections);
    r.ReadSignature();
    EXPECT_THROW(r.SkipComponent(), EReadError);
}

TEST(FormStream, TruncatedOrCorruptedStreamsThrowOrParse) {
    const QByteArray good = SampleStream();
    for (qsizetype cut = 0; cut < good.size(); ++cut) {
        TReader r(good.left(cut));
        EXPECT_THROW(
            {
                r.ReadSignature();
                r.SkipComponent();
            },
            EReadError)
            << cut;
    }
    for (qsizetype at = 0; at < good.size(); ++at) {
        for (unsigned char flip : {0x01, 0x80, 0xFF}) {
            QByteArray bad = good;
            bad[at] = char(bad[at] ^ flip);
            TReader r(bad);
            try {
                r.ReadSignature();
                r.SkipComponent();
            } catch (const Exception&) {
            }
        }
    }
}
