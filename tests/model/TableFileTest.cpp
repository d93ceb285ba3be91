#include "model/ConfigTables.h"
#include "model/MemData.h"
#include "support/FileBytes.h"

#include "MessageMatch.h"
#include "model/ModelMessageIds.h"
#include "runtime/Exception.h"
#include "runtime/MessageIds.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace lumotrix;

namespace {

void FillTimers(TMemData& t) {
    DefineTimerTable(t);
    t.AppendRecord({1, TimerLabel(1), 3, AnsiString("Luned\xEC"), EncodeTime(7, 30, 15),
                    EncodeTime(1, 45, 0), true});
    // Every field but RecId empty.
    t.AppendRecord({2, std::monostate{}, std::monostate{}, std::monostate{}, std::monostate{},
                    std::monostate{}, std::monostate{}});
    t.AppendRecord({std::monostate{}, AnsiString("\xEC\x80\xFF"), -32768,
                    AnsiString("Tutti i giorni"), MSecsPerDay - 1, MaxDurationMSecs, false});
}

std::vector<std::vector<TFieldValue>> Rows(const TMemData& t) {
    std::vector<std::vector<TFieldValue>> rows;
    for (int r = 0; r < t.RecordCount(); ++r) {
        rows.emplace_back();
        for (int f = 0; f < t.FieldCount(); ++f)
            rows.back().push_back(t.CellValue(r, f));
    }
    return rows;
}

// Expects loading `path` into `table` to fail with a message naming the file and giving
// `reason`, and the table to keep its rows.
void ExpectRefused(TMemData& table, const QString& path, quint16 reason) {
    const auto before = Rows(table);
    try {
        table.LoadFromBinaryFile(path);
        ADD_FAILURE() << "loaded " << path.toStdString();
    } catch (const EReadError& e) {
        EXPECT_TRUE(test::Holds(e, msgTableFileRefused) || test::Holds(e, msgTableFileUnreadable))
            << e.what();
        EXPECT_TRUE(e.Message().contains(path)) << e.what();
        EXPECT_TRUE(test::Holds(e, reason)) << e.what();
    }
    EXPECT_EQ(Rows(table), before);
    EXPECT_TRUE(table.Active());
}

QByteArray WithCrc(QByteArray body) {
    // Recompute the trailer so that a test reaches the checks behind the checksum.
    quint32 crc = 0xFFFFFFFFu;
    for (char ch : body) {
        crc ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc & 1) ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        body.append(static_cast<char>((crc >> (8 * i)) & 0xFF));
    return body;
}

} // namespace

TEST(TableFile, EveryFieldTypeAndEmptyFieldsSurviveARoundTrip) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("acquario.tmr"));
    TMemData saved(QStringLiteral("MemData1"));
    FillTimers(saved);
    saved.SaveToBinaryFile(path);

    TMemData loaded(QStringLiteral("MemData1"));
    DefineTimerTable(loaded);
    loaded.AppendRecord({9, TimerLabel(9), 1, AnsiString("x"), 0, 0, true}); // replaced
    loaded.LoadFromBinaryFile(path);
    EXPECT_EQ(Rows(loaded), Rows(saved));
    EXPECT_EQ(loaded.RecNo(), 1);
    loaded.Next();
    EXPECT_TRUE(loaded.FieldByName("Giorno").IsNull());
    loaded.Next();
    EXPECT_EQ(loaded.FieldByName("Timer").AsString(), QByteArray("\xEC\x80\xFF"));
    EXPECT_EQ(loaded.FieldByName("RecId").AsInteger(), 3);

    // Doubles keep every bit; a table with no fields of its own takes the file's.
    TMemData temp;
    DefineTemperatureTable(temp);
    temp.AppendRecord({std::monostate{}, 1, 0.1, 90.0, 25.5, 100, 1, 8});
    const QString tPath = dir.filePath(QStringLiteral("Tacquario"));
    temp.SaveToBinaryFile(tPath);
    TMemData blank;
    blank.LoadFromBinaryFile(tPath);
    EXPECT_EQ(blank.FieldDefs(), temp.FieldDefs());
    EXPECT_EQ(Rows(blank), Rows(temp));
    EXPECT_EQ(blank.FieldByName("TempMin").AsFloat(), 0.1);

    // An empty table saves and loads as empty.
    TMemData ports;
    DefinePortTable(ports);
    ports.SaveToBinaryFile(dir.filePath(QStringLiteral("Pacquario")));
    ports.AppendRecord({1, 1, AnsiString("x")});
    ports.LoadFromBinaryFile(dir.filePath(QStringLiteral("Pacquario")));
    EXPECT_TRUE(ports.IsEmpty());
}

TEST(TableFile, SavingCommitsThePendingEditAndKeepsTheSortOnLoad) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("P"));
    TMemData ports;
    DefinePortTable(ports);
    for (int n = 1; n <= 3; ++n)
        ports.AppendRecord({n, n, AnsiString("Porta")});
    ports.SetCellValue(2, 2, AnsiString("Riscaldatore"));
    ports.SaveToBinaryFile(path);
    EXPECT_EQ(ports.State(), TDataSetState::dsBrowse);
    TMemData loaded;
    DefinePortTable(loaded);
    loaded.LoadFromBinaryFile(path);
    loaded.Last();
    EXPECT_EQ(loaded.FieldByName("Descrizione").AsString(), QByteArray("Riscaldatore"));
}

TEST(TableFile, BadFilesAreRefusedNamingTheFileAndTheTableKeepsItsRows) {
    QTemporaryDir dir;
    TMemData source;
    FillTimers(source);
    const QByteArray good = source.SaveToBytes();
    TMemData table(QStringLiteral("MemData1"));
    FillTimers(table);
    table.First();
    table.Next();
    const QString path = dir.filePath(QStringLiteral("bad.tmr"));

    for (qsizetype cut :
         {qsizetype(0), qsizetype(5), qsizetype(11), qsizetype(40), good.size() - 1}) {
        test::WriteFileBytes(path, good.left(cut));
        ExpectRefused(table, path,
                      cut < 10   ? msgTableNotTableFile
                      : cut < 14 ? msgTableCutShort
                                 : msgTableDamaged);
    }
    for (qsizetype at : {qsizetype(20), good.size() / 2, good.size() - 5}) {
        QByteArray flipped = good;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x10);
        test::WriteFileBytes(path, flipped);
        ExpectRefused(table, path, msgTableDamaged);
    }
    test::WriteFileBytes(path, QByteArray("Timer 01;Luned\xEC;07:30\n"));
    ExpectRefused(table, path, msgTableNotTableFile);
    QByteArray newer = good;
    newer[8] = 2;
    test::WriteFileBytes(path, newer);
    ExpectRefused(table, path, msgTableVersion);
    ExpectRefused(table, dir.filePath(QStringLiteral("missing.tmr")), msgReasonMissing);
    ExpectRefused(table, dir.path(), msgReasonIsFolder);
    // A device or a pipe is refused unread: a pipe without a writer would hang the open.
    ExpectRefused(table, QStringLiteral("/dev/null"), msgReasonNotRegularFile);
    const QString pipe = dir.filePath(QStringLiteral("pipe.tmr"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ExpectRefused(table, pipe, msgReasonNotRegularFile);
    EXPECT_EQ(table.RecNo(), 2);
}

TEST(TableFile, HostileCountsAndValuesBehindAValidChecksumAreRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile"));
    TMemData ports;
    DefinePortTable(ports);
    ports.AppendRecord({1, 1, AnsiString("Pompa")});
    const QByteArray good = ports.SaveToBytes();
    const QByteArray body = good.left(good.size() - 4);
    // Header: 8 signature, 2 version, 2 count, then RecId(1+5+1+2), Nporta(1+6+1+2),
    // Descrizione(1+11+1+2), then the row count. A row: RecId(1+4), Nporta(1+4), Descrizione.
    const qsizetype rowCountAt = 8 + 2 + 2 + 9 + 10 + 15;
    ASSERT_EQ(body[rowCountAt], 1);

    auto patched = [&](qsizetype at, QByteArray bytes) {
        QByteArray b = body;
        b.replace(at, bytes.size(), bytes);
        return WithCrc(b);
    };
    TMemData target;
    DefinePortTable(target);
    target.AppendRecord({4, 4, AnsiString("Luci")});

    test::WriteFileBytes(path, patched(rowCountAt, QByteArray("\xFF\xFF\xFF\xFF", 4)));
    ExpectRefused(target, path, msgTableRowsDoNotFit);
    test::WriteFileBytes(path, patched(10, QByteArray("\0\x10", 2))); // 4096 fields
    ExpectRefused(target, path, msgTableFieldCount);
    test::WriteFileBytes(path,
                         patched(rowCountAt + 4 + 5 + 1, QByteArray("\x01\0\x01\0", 4))); // Nporta
    ExpectRefused(target, path, msgFieldOutOfRange);
    test::WriteFileBytes(
        path, patched(rowCountAt + 4 + 10 + 1, QByteArray("\x21\x00", 2))); // 33 > size 32
    ExpectRefused(target, path, msgTableTextTooLong);
    test::WriteFileBytes(path, WithCrc(body + QByteArray("\0", 1)));
    ExpectRefused(target, path, msgTableTrailingBytes);
    test::WriteFileBytes(path, WithCrc(body.left(body.size() - 2)));
    ExpectRefused(target, path, msgTableCutShort);

    // Many empty rows: one byte each on disk, far more in memory.
    TMemData bare;
    bare.Open();
    QByteArray header = bare.SaveToBytes();
    header.chop(8); // checksum and row count
    const quint32 rows = 2'000'000;
    for (int i = 0; i < 4; ++i)
        header.append(static_cast<char>((rows >> (8 * i)) & 0xFF));
    test::WriteFileBytes(path, WithCrc(header + QByteArray(rows, '\0')));
    ExpectRefused(bare, path, msgTableTooManyRows);
}

TEST(TableFile, AFileOfAnotherTableIsRefusedWithBothFieldLists) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("acquario.tmr"));
    TMemData timers;
    FillTimers(timers);
    timers.SaveToBinaryFile(path);
    TMemData ports(QStringLiteral("MemData2"));
    DefinePortTable(ports);
    ports.AppendRecord({1, 1, AnsiString("Pompa")});
    ExpectRefused(ports, path, msgTableOtherFields);
    try {
        ports.LoadFromBinaryFile(path);
    } catch (const EReadError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Giorno"))) << e.what();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Descrizione"))) << e.what();
    }
}

TEST(TableFile, AFailedSaveLeavesThePreviousFileIntact) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("acquario.tmr"));
    TMemData timers;
    FillTimers(timers);
    timers.SaveToBinaryFile(path);
    const QByteArray before = test::FileBytes(path);

    // A directory where the file should go.
    const QString dirInPlace = dir.filePath(QStringLiteral("Pacquario"));
    ASSERT_TRUE(QDir().mkdir(dirInPlace));
    try {
        timers.SaveToBinaryFile(dirInPlace);
        ADD_FAILURE() << "saved over a directory";
    } catch (const EWriteError& e) {
        EXPECT_TRUE(test::Holds(e, msgTableFileUnwritable)) << e.what();
        EXPECT_TRUE(test::Holds(e, msgReasonIsFolder)) << e.what();
        EXPECT_TRUE(e.Message().contains(dirInPlace)) << e.what();
    }
    EXPECT_TRUE(QFileInfo(dirInPlace).isDir());

    // A folder that cannot be written to (root ignores the permission, so skip then).
    if (geteuid() != 0) {
        timers.AppendRecord({4, TimerLabel(4), 1, AnsiString("Sabato"), 0, 0, true});
        ASSERT_TRUE(
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        EXPECT_THROW(timers.SaveToBinaryFile(path), EWriteError);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        EXPECT_EQ(test::FileBytes(path), before);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("acquario.tmr")});
}
