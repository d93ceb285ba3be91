#include "runtime/ResourceFile.h"
#include "runtime/Exception.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QtEndian>

using namespace lumotrix;

namespace {

TResourceFile SampleFile() {
    TResourceFile file;
    TResourceEntry form;
    form.Type = RT_RCDATA;
    form.Name = TResourceId(QStringLiteral("TFORM1"));
    form.LanguageId = 0x0410;
    form.Data = QByteArray("TPF0\x06TForm1\x05", 12); // 12 bytes: no padding needed
    file.Add(form);
    TResourceEntry odd;
    odd.Type = TResourceId(QStringLiteral("MYTYPE"));
    odd.Name = 7;
    odd.Version = 3;
    odd.Characteristics = 0xDEADBEEF;
    odd.DataVersion = 9;
    odd.Data = "abcde"; // 5 bytes: padded to 8
    file.Add(odd);
    file.SetString(65504, QStringLiteral("Porta"));
    file.SetString(65535, QStringLiteral("Ultima \u00e8 \u4e2d"));
    file.SetString(17, QStringLiteral("Diciassette"));
    return file;
}

quint32 DwordAt(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

QByteArray WithDwordAt(QByteArray b, qsizetype at, quint32 value) {
    qToLittleEndian(value, b.data() + at);
    return b;
}

std::string ReadErrorOf(const QByteArray& bytes) {
    try {
        TResourceFile::FromBytes(bytes);
    } catch (const EReadError& e) {
        return e.Message().toStdString();
    }
    return {};
}

} // namespace

TEST(ResourceFile, LayoutIsTheStandardOne) {
    const QByteArray bytes = SampleFile().ToBytes();
    // The leading empty entry.
    EXPECT_EQ(bytes.left(16), QByteArray("\0\0\0\0\x20\0\0\0\xFF\xFF\0\0\xFF\xFF\0\0", 16));
    EXPECT_EQ(bytes.mid(16, 16), QByteArray(16, '\0'));
    // TFORM1: ordinal type (4 bytes), name of 7 UTF-16 units with terminator (14 bytes),
    // padding to 28, then the 16 bytes of fixed fields.
    EXPECT_EQ(DwordAt(bytes, 32), 12u);
    EXPECT_EQ(DwordAt(bytes, 36), 44u);
    EXPECT_EQ(bytes.mid(40, 4), QByteArray("\xFF\xFF\x0A\0", 4));
    EXPECT_EQ(bytes.mid(44, 14), QByteArray("T\0F\0O\0R\0M\0"
                                            "1\0\0\0",
                                            14));
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 32 + 28 + 4), 0x30);   // flags
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 32 + 28 + 6), 0x0410); // language
    EXPECT_EQ(bytes.mid(76, 4), QByteArray("TPF0"));
    // The next entry starts right after the 12 data bytes; its 5 data bytes are padded.
    EXPECT_EQ(DwordAt(bytes, 88), 5u);
    EXPECT_EQ(bytes.size() % 4, 0);
}

TEST(ResourceFile, WrittenFileReadsBackAndFindsByNameIgnoringCase) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lumotrix.DEU"));
    SampleFile().SaveToFile(path);
    const TResourceFile file = TResourceFile::LoadFromFile(path);
    EXPECT_EQ(file.FileName(), path);
    ASSERT_EQ(file.Entries().size(), 5);

    const TResourceEntry* form = file.Find(RT_RCDATA, QStringLiteral("TForm1"));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->LanguageId, 0x0410);
    EXPECT_TRUE(form->Data.startsWith("TPF0"));
    EXPECT_EQ(file.Find(RT_RCDATA, QStringLiteral("TForm2")), nullptr);
    EXPECT_EQ(file.Find(RT_STRING, QStringLiteral("TForm1")), nullptr);

    const TResourceEntry* odd = file.Find(QStringLiteral("mytype"), 7);
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->Data, "abcde");
    EXPECT_EQ(odd->Version, 3u);
    EXPECT_EQ(odd->Characteristics, 0xDEADBEEFu);
    EXPECT_EQ(odd->DataVersion, 9u);
    // An ordinal never matches a name spelling the same number.
    EXPECT_EQ(file.Find(QStringLiteral("MYTYPE"), QStringLiteral("7")), nullptr);

    EXPECT_EQ(file.LoadString(65504), QStringLiteral("Porta"));
    EXPECT_EQ(file.LoadString(65535), QStringLiteral("Ultima \u00e8 \u4e2d"));
    EXPECT_EQ(file.LoadString(17), QStringLiteral("Diciassette"));
    EXPECT_EQ(file.LoadString(16), std::nullopt);   // same block, empty
    EXPECT_EQ(file.LoadString(1000), std::nullopt); // no block
    const QMap<quint16, QString> strings = file.Strings();
    EXPECT_EQ(strings.keys(), (QList<quint16>{17, 65504, 65535}));

    EXPECT_THROW(TResourceFile::LoadFromFile(dir.filePath(QStringLiteral("none.res"))),
                 EResNotFound);
}

TEST(ResourceFile, ImageIsReadInPlaceAndReadsAsTheCopy) {
    const QByteArray bytes = SampleFile().ToBytes();
    const TResourceFile image = TResourceFile::FromImage(bytes, QStringLiteral("embedded"));
    const TResourceFile copy = TResourceFile::FromBytes(bytes);
    ASSERT_EQ(image.Entries().size(), copy.Entries().size());
    EXPECT_EQ(image.ToBytes(), bytes);
    const char* begin = bytes.constData();
    for (const TResourceEntry& e : image.Entries()) {
        const TResourceEntry* same = copy.Find(e.Type, e.Name);
        ASSERT_NE(same, nullptr);
        EXPECT_EQ(e.Data, same->Data);
        // Data points into the image: nothing is copied.
        EXPECT_GE(e.Data.constData(), begin);
        EXPECT_LE(e.Data.constData() + e.Data.size(), begin + bytes.size());
    }
    EXPECT_EQ(image.LoadString(65535), QStringLiteral("Ultima \u00e8 \u4e2d"));
    // A string set afterwards changes the file, never the image.
    TResourceFile changed = TResourceFile::FromImage(bytes);
    changed.SetString(65504, QStringLiteral("Port"));
    EXPECT_EQ(changed.LoadString(65504), QStringLiteral("Port"));
    EXPECT_EQ(TResourceFile::FromBytes(bytes).LoadString(65504), QStringLiteral("Porta"));
    EXPECT_THROW(TResourceFile::FromImage(bytes.left(40)), EReadError);
}

TEST(ResourceFile, StringBlocksAreNumberedFromOne) {
    TResourceFile file;
    file.SetString(15, QStringLiteral("a"));
    file.SetString(16, QStringLiteral("b"));
    ASSERT_EQ(file.Entries().size(), 2);
    EXPECT_EQ(file.Entries()[0].Name.Ordinal(), 1);
    EXPECT_EQ(file.Entries()[1].Name.Ordinal(), 2);
    // 16 length words; string 15 is last in block 1.
    const QByteArray block = file.Entries()[0].Data;
    EXPECT_EQ(block.size(), 16 * 2 + 2);
    EXPECT_EQ(block.right(4), QByteArray("\x01\0a\0", 4));
    file.SetString(15, QString());
    EXPECT_EQ(file.LoadString(15), std::nullopt);
    EXPECT_THROW(file.SetString(1, QString(70000, u'x')), EWriteError);
}

TEST(ResourceFile, DamagedFilesAreRefusedWithTheOffset) {
    const QByteArray good = SampleFile().ToBytes();
    EXPECT_EQ(ReadErrorOf("garbage"), "Not a 32-bit resource file at offset 0");

    // The first entry's data size is at offset 32, its header size at 36.
    EXPECT_EQ(ReadErrorOf(WithDwordAt(good, 32, 0x7FFFFFF0)),
              "Resource data size 2147483632 past the end at offset 32");
    EXPECT_EQ(ReadErrorOf(WithDwordAt(good, 36, 40)),
              "Resource header size 40 too small at offset 36");
    EXPECT_EQ(ReadErrorOf(WithDwordAt(good, 36, 0xFFFFFFFF)),
              "Resource header size 4294967295 past the end at offset 36");
    // A name whose terminator is missing inside the header.
    EXPECT_EQ(ReadErrorOf(WithDwordAt(good, 36, 20)), "Resource header cut short at offset 52");

    try {
        TResourceFile::FromBytes("x", QStringLiteral("lumotrix.DEU"));
        FAIL();
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("lumotrix.DEU: Not a 32-bit resource file at offset 0"));
    }

    QByteArray block(10, '\0');
    EXPECT_THROW(DecodeStringBlock(block), EReadError);
    block = QByteArray(32, '\0');
    block[30] = 5;
    EXPECT_THROW(DecodeStringBlock(block), EReadError);
}

TEST(ResourceFile, CutOrFlippedFilesThrowOrParse) {
    const QByteArray good = SampleFile().ToBytes();
    auto exercise = [](const QByteArray& bytes) {
        try {
            const TResourceFile file = TResourceFile::FromBytes(bytes);
            for (const TResourceEntry& e : file.Entries())
                (void)file.Find(e.Type, e.Name);
            (void)file.Strings();
            (void)file.LoadString(65504);
            (void)file.ToBytes();
        } catch (const Exception&) {
        }
    };
    for (qsizetype cut = 0; cut < good.size(); ++cut)
        exercise(good.left(cut));
    for (qsizetype at = 0; at < good.size(); ++at)
        for (unsigned char flip : {0x01, 0x02, 0x10, 0x80, 0xFF}) {
            QByteArray bad = good;
            bad[at] = char(bad[at] ^ flip);
            exercise(bad);
        }
}
