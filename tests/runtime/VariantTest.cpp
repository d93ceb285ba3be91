#include "runtime/Variant.h"

#include "runtime/Exception.h"

#include <gtest/gtest.h>

#include <limits>

using namespace lumotrix;

TEST(Variant, ConstructionGivesTheVariantType) {
    EXPECT_EQ(Variant().VarType(), varEmpty);
    EXPECT_TRUE(Variant().IsEmpty());
    EXPECT_TRUE(Variant::Null().IsNull());
    EXPECT_EQ(Variant(qint32(5)).VarType(), varInteger);
    EXPECT_EQ(Variant(quint16(5)).VarType(), varWord);
    EXPECT_EQ(Variant(qint64(5)).VarType(), varInt64);
    EXPECT_EQ(Variant(5.0).VarType(), varDouble);
    EXPECT_EQ(Variant::FromCurrency(50000).VarType(), varCurrency);
    EXPECT_EQ(Variant(true).VarType(), varBoolean);
    EXPECT_EQ(Variant::Ansi("x").VarType(), varString);
    EXPECT_EQ(Variant(QStringLiteral("x")).VarType(), varWideString);
    EXPECT_EQ(Variant(QList<Variant>{Variant(1), Variant(2)}).VarType(), varArray);
    EXPECT_TRUE(Variant::Ansi("x").IsString() && Variant(QStringLiteral("x")).IsString());
    EXPECT_EQ(Variant(qint16(-2)).VarType(), varInteger);
    EXPECT_EQ(Variant(4000000000u).VarType(), varInt64); // no wrap to negative
    EXPECT_EQ(Variant(4000000000u).ToInt64(), 4000000000ll);
    EXPECT_EQ(Variant(QList<int>{1, 2}.size()).VarType(), varInt64);
}

TEST(Variant, NumericConversions) {
    EXPECT_DOUBLE_EQ(Variant::FromCurrency(15000).ToDouble(), 1.5);
    EXPECT_EQ(Variant::FromCurrency(25000).ToInteger(), 2); // half to even
    EXPECT_EQ(Variant::FromCurrency(35000).ToInteger(), 4);
    EXPECT_EQ(Variant::FromCurrency(-15001).ToInteger(), -2);
    EXPECT_EQ(Variant(2.5).ToInteger(), 2);
    EXPECT_EQ(Variant(-3.7).ToInteger(), -4);
    EXPECT_EQ(Variant(true).ToInteger(), -1); // the platform's True
    EXPECT_EQ(Variant(quint16(65535)).ToInteger(), 65535);
    EXPECT_EQ(Variant(qint64(1) << 40).ToInt64(), qint64(1) << 40);
    EXPECT_THROW(Variant(qint64(1) << 40).ToInteger(), ERangeError);
    EXPECT_THROW(Variant(1e300).ToInt64(), ERangeError);
    EXPECT_EQ(Variant(1.25).ToCurrency(), 12500);
    EXPECT_EQ(Variant(qint32(-3)).ToCurrency(), -30000);
    EXPECT_EQ(Variant().ToInteger(), 0);
    EXPECT_TRUE(Variant(0.5).ToBoolean());
    EXPECT_FALSE(Variant(qint32(0)).ToBoolean());
}

TEST(Variant, TextToNumber) {
    EXPECT_EQ(Variant(QStringLiteral(" 42 ")).ToInteger(), 42);
    EXPECT_EQ(Variant::Ansi("$FF").ToInteger(), 255);
    EXPECT_EQ(Variant::Ansi("0x10").ToInt64(), 16);
    EXPECT_DOUBLE_EQ(Variant::Ansi("-1.5e2").ToDouble(), -150.0);
    EXPECT_EQ(Variant::Ansi("9223372036854775807").ToInt64(),
              std::numeric_limits<qint64>::max()); // exact, not through double
    EXPECT_TRUE(Variant(QStringLiteral("true")).ToBoolean());
    EXPECT_FALSE(Variant::Ansi("False").ToBoolean());
    EXPECT_TRUE(Variant::Ansi("2").ToBoolean());
    for (const char* bad : {"", "abc", "12abc", "1,5", "nan", "inf"}) {
        SCOPED_TRACE(bad);
        EXPECT_THROW(Variant::Ansi(bad).ToDouble(), EConvertError);
        EXPECT_THROW(Variant::Ansi(bad).ToInteger(), EConvertError);
    }
    EXPECT_THROW(Variant::Ansi("maybe").ToBoolean(), EConvertError);
}

TEST(Variant, TextConversions) {
    EXPECT_EQ(Variant(qint32(-12)).ToWideString(), QStringLiteral("-12"));
    EXPECT_EQ(Variant(1.5).ToWideString(), QStringLiteral("1.5"));
    EXPECT_EQ(Variant(3.0).ToWideString(), QStringLiteral("3"));
    EXPECT_EQ(Variant::FromCurrency(-12345).ToWideString(), QStringLiteral("-1.2345"));
    EXPECT_EQ(Variant::FromCurrency(20000).ToWideString(), QStringLiteral("2"));
    EXPECT_EQ(Variant::FromCurrency(std::numeric_limits<qint64>::min()).ToWideString(),
              QStringLiteral("-922337203685477.5808"));
    EXPECT_EQ(Variant(true).ToWideString(), QStringLiteral("True"));
    EXPECT_EQ(Variant().ToWideString(), QString());
    // Windows-1252 both ways: 0xEC is "ì", the euro sign is 0x80.
    EXPECT_EQ(Variant(QByteArray("Luned\xEC")).ToWideString(), QStringLiteral("Lunedì"));
    EXPECT_EQ(Variant(QStringLiteral("€")).ToAnsiString(), QByteArray("\x80"));
}

TEST(Variant, InvalidCasts) {
    const Variant null = Variant::Null();
    EXPECT_THROW(null.ToDouble(), EInvalidCast);
    EXPECT_THROW(null.ToInteger(), EInvalidCast);
    EXPECT_THROW(null.ToWideString(), EInvalidCast);
    EXPECT_THROW(null.ToAnsiString(), EInvalidCast);
    EXPECT_THROW(null.ToBoolean(), EInvalidCast);
    const Variant array(QList<Variant>{Variant(1)});
    EXPECT_THROW(array.ToDouble(), EInvalidCast);
    EXPECT_THROW(array.ToWideString(), EInvalidCast);
    EXPECT_THROW(Variant(1).ToArray(), EInvalidCast);
    EXPECT_EQ(array.ArrayCount(), 1);
    EXPECT_EQ(array.ArrayItem(0).ToInteger(), 1);
    EXPECT_THROW(array.ArrayItem(1), ERangeError);
}

TEST(Variant, NumbersCompareByValueAcrossTypes) {
    EXPECT_FALSE(VariantsDiffer(Variant(qint32(7)), Variant(quint16(7))));
    EXPECT_FALSE(VariantsDiffer(Variant(qint32(7)), Variant(7.0)));
    EXPECT_FALSE(VariantsDiffer(Variant(qint64(7)), Variant::FromCurrency(70000)));
    EXPECT_FALSE(VariantsDiffer(Variant(true), Variant(qint32(-1))));
    EXPECT_TRUE(VariantsDiffer(Variant(true), Variant(qint32(1))));
    EXPECT_TRUE(VariantsDiffer(Variant(1.5), Variant(qint32(1))));
    EXPECT_TRUE(VariantsDiffer(Variant::FromCurrency(1), Variant::FromCurrency(2)));
    // Large 64-bit values must not collapse through double.
    const qint64 big = (qint64(1) << 60) + 1;
    EXPECT_TRUE(VariantsDiffer(Variant(big), Variant(big - 1)));
}

TEST(Variant, StringsCompareCaseSensitivelyAsUnicode) {
    EXPECT_FALSE(
        VariantsDiffer(Variant(QByteArray("Luned\xEC")), Variant(QStringLiteral("Lunedì"))));
    EXPECT_TRUE(VariantsDiffer(Variant::Ansi("Chiudi"), Variant(QStringLiteral("chiudi"))));
    EXPECT_TRUE(VariantsDiffer(Variant::Ansi("a"), Variant::Ansi("a ")));
    EXPECT_FALSE(VariantsDiffer(Variant(QStringLiteral("x")), Variant(QStringLiteral("x"))));
}

TEST(Variant, StringAgainstNumberConvertsTheString) {
    EXPECT_FALSE(VariantsDiffer(Variant::Ansi("12"), Variant(qint32(12))));
    EXPECT_FALSE(VariantsDiffer(Variant(1.5), Variant(QStringLiteral("1.5"))));
    EXPECT_TRUE(VariantsDiffer(Variant::Ansi("13"), Variant(qint32(12))));
    EXPECT_FALSE(VariantsDiffer(Variant::Ansi("True"), Variant(true)));
    EXPECT_THROW(VariantsDiffer(Variant::Ansi("Chiudi"), Variant(qint32(1))), EConvertError);
}

TEST(Variant, EmptyNullAndArrays) {
    EXPECT_FALSE(VariantsDiffer(Variant(), Variant()));
    EXPECT_FALSE(VariantsDiffer(Variant::Null(), Variant::Null()));
    EXPECT_TRUE(VariantsDiffer(Variant(), Variant::Null()));
    EXPECT_TRUE(VariantsDiffer(Variant::Null(), Variant(qint32(0))));
    EXPECT_FALSE(VariantsDiffer(Variant(), Variant(qint32(0))));
    EXPECT_FALSE(VariantsDiffer(Variant(), Variant(QString())));
    EXPECT_TRUE(VariantsDiffer(Variant(), Variant::Ansi("x")));
    EXPECT_TRUE(VariantsDiffer(Variant(1.0), Variant()));

    const Variant a(QList<Variant>{Variant(1), Variant::Ansi("x")});
    const Variant same(QList<Variant>{Variant(1.0), Variant(QStringLiteral("x"))});
    const Variant shorter(QList<Variant>{Variant(1)});
    const Variant other(QList<Variant>{Variant(1), Variant::Ansi("y")});
    EXPECT_FALSE(VariantsDiffer(a, same));
    EXPECT_TRUE(VariantsDiffer(a, shorter));
    EXPECT_TRUE(VariantsDiffer(a, other));
    EXPECT_TRUE(VariantsDiffer(a, Variant(1)));
    EXPECT_TRUE(a == same);
    EXPECT_TRUE(a != other);
}
