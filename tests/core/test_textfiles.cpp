#include "platform/BoundedTable.h"
#include "platform/TextFiles.h"
#include "support/TempFolder.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::TempFolder;

TEST(TextFiles, ChineseTextRoundTripsThroughGbk) {
    TempFolder t;
    const QString text = QStringLiteral("风雨同路，一往无前\r\n半径r(mm)=1\r\n");
    ASSERT_TRUE(writeTextFile(t.file("a.txt"), text));
    // On disk: GBK bytes (two per Chinese character), CR LF kept.
    const QByteArray bytes = t.read("a.txt");
    EXPECT_EQ(bytes.left(2), QByteArray("\xB7\xE7", 2)); // 风
    EXPECT_TRUE(bytes.contains("\r\n"));
    EXPECT_EQ(bytes.size(), 9 * 2 + 2 + 9 + 2 + 2);
    EXPECT_EQ(readTextFile(t.file("a.txt")).value(), text);
}

TEST(TextFiles, AsciiReadsTheSameWithOrWithoutChineseBesideIt) {
    // ASCII alone is taken byte for byte; beside a Chinese character it goes
    // through the codec. Both must give the same characters.
    QByteArray ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.append(static_cast<char>(b));
    const QString plain = fromGbk(ascii);
    ASSERT_EQ(plain.size(), 0x80);
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(plain[b].unicode(), b);
    const QByteArray feng("\xB7\xE7", 2); // 风
    EXPECT_EQ(fromGbk(ascii + feng), plain + QStringLiteral("风"));
    EXPECT_EQ(toGbk(plain), ascii);
    EXPECT_EQ(toGbk(plain + QStringLiteral("风")), ascii + feng);
}

TEST(TextFiles, AppendCreatesAndExtends) {
    TempFolder t;
    ASSERT_TRUE(appendTextFile(t.file("log.txt"), QStringLiteral("一\r\n")));
    ASSERT_TRUE(appendTextFile(t.file("log.txt"), QStringLiteral("二\r\n")));
    EXPECT_EQ(readTextFile(t.file("log.txt")).value(), QStringLiteral("一\r\n二\r\n"));
    ASSERT_TRUE(writeTextFile(t.file("log.txt"), QString()));
    EXPECT_EQ(readTextFile(t.file("log.txt")).value(), QString());
    EXPECT_TRUE(fileExists(t.file("log.txt")));
}

TEST(TextFiles, FailuresAreReportedNotHidden) {
    TempFolder t;
    EXPECT_FALSE(fileExists(t.file("missing.txt")));
    EXPECT_FALSE(readTextFile(t.file("missing.txt")).has_value());
    EXPECT_FALSE(fileExists(t.folder().path())); // a folder is not a file
    EXPECT_FALSE(readTextFile(t.folder().path()).has_value());
    EXPECT_FALSE(writeTextFile(t.file("no/such/dir/x.txt"), QStringLiteral("x")));
    EXPECT_FALSE(appendTextFile(t.file("no/such/dir/x.txt"), QStringLiteral("x")));
}

TEST(TextFiles, ReplaceIsWholeOrNothing) {
    TempFolder t;
    ASSERT_TRUE(replaceTextFile(t.file("s.txt"), QStringLiteral("一\r\n")));
    ASSERT_TRUE(replaceTextFile(t.file("s.txt"), QStringLiteral("二\r\n")));
    EXPECT_EQ(t.read("s.txt"), QByteArray("\xB6\xFE\r\n")); // 二 in GBK

    EXPECT_FALSE(replaceTextFile(t.file("no/such/dir/x.txt"), QStringLiteral("x")));
    // A folder in the way is not replaced, nor is anything in it touched.
    QDir(t.folder().path()).mkdir("d");
    t.write("d/inner.txt", "kept");
    EXPECT_FALSE(replaceTextFile(t.file("d"), QStringLiteral("x")));
    EXPECT_EQ(t.read("d/inner.txt"), "kept");
    EXPECT_EQ(t.read("s.txt"), QByteArray("\xB6\xFE\r\n"));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(t.folder().path()).entryList(QDir::Files), QStringList({"s.txt"}));
}

TEST(TextFiles, ReplacingRemovesOnlyItsOwnLeftoverTemporaryFiles) {
    TempFolder t;
    t.write("s.txt", "old");
    // Left by crashes while s.txt was written: removed by the next write.
    const QStringList ours = {"s.txt.quorin-AbC123.tmp", "s.txt.quorin-000000.tmp"};
    // Everything else stays, however close its name.
    const QStringList others = {"s.txt.GAowFR",
                                "s.txt.quorin-abc.tmp",
                                "s.txt.quorin-ab_12!.tmp",
                                "t.txt.quorin-abc123.tmp",
                                "s.txt.quorin-abc123.tmp.bak",
                                "xs.txt.quorin-abc123.tmp",
                                "s.txt.quorin-abc123.TMP.txt"};
    for (const QString& name : ours + others)
        t.write(name, "leftover");
    QDir(t.folder().path()).mkdir("s.txt.quorin-dir123.tmp");
    ASSERT_TRUE(replaceTextFile(t.file("s.txt"), QStringLiteral("new")));
    EXPECT_EQ(t.read("s.txt"), "new");
    QStringList expected = others + QStringList{"s.txt"};
    expected.sort();
    EXPECT_EQ(QDir(t.folder().path()).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_TRUE(QFileInfo(t.file("s.txt.quorin-dir123.tmp")).isDir());

#ifdef Q_OS_UNIX
    // A link is followed; the file keeps its permissions.
    t.write("real.txt", "a");
    ASSERT_TRUE(QFile::setPermissions(t.file("real.txt"),
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(t.file("real.txt"), t.file("link.txt")));
    ASSERT_TRUE(replaceTextFile(t.file("link.txt"), QStringLiteral("b")));
    EXPECT_TRUE(QFileInfo(t.file("link.txt")).isSymLink());
    EXPECT_EQ(t.read("real.txt"), "b");
    EXPECT_EQ(QFile::permissions(t.file("real.txt")) & 0x7077, // owner, group, others
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
#endif
}

// A replacement written in pieces is the old file until it is committed, and
// one given up leaves no trace.
TEST(TextFiles, ReplacementInPiecesIsWholeOrNothing) {
    TempFolder t;
    t.write("s.txt", "old");
    {
        FileReplacement r(t.file("s.txt"));
        EXPECT_TRUE(r.write("ne"));
        EXPECT_TRUE(r.write("w"));
        EXPECT_EQ(t.read("s.txt"), "old");
    }
    EXPECT_EQ(t.read("s.txt"), "old");
    EXPECT_EQ(QDir(t.folder().path()).entryList(QDir::Files), QStringList({"s.txt"}));
    FileReplacement r(t.file("s.txt"));
    EXPECT_TRUE(r.write("ne") && r.write("") && r.write("w"));
    EXPECT_TRUE(r.commit());
    EXPECT_EQ(t.read("s.txt"), "new");
    EXPECT_FALSE(r.write("more")); // committed: nothing more goes in
    EXPECT_FALSE(r.commit());
    EXPECT_EQ(t.read("s.txt"), "new");

    FileReplacement nowhere(t.file("no/such/dir/x.txt"));
    EXPECT_FALSE(nowhere.write("x"));
    EXPECT_FALSE(nowhere.commit());
}

// A file's bytes seen in place are the bytes read.
TEST(TextFiles, FileViewSeesWhatIsRead) {
    TempFolder t;
    t.write("a.txt", "abc\r\n");
    t.write("empty.txt", "");
    const auto a = FileView::open(t.file("a.txt"));
    ASSERT_TRUE(a);
    EXPECT_EQ(a->bytes(), QByteArrayView("abc\r\n"));
    const auto empty = FileView::open(t.file("empty.txt"));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->bytes().isEmpty());
    EXPECT_FALSE(FileView::open(t.file("none.txt")));
    EXPECT_FALSE(FileView::open(t.folder().path()));
}

TEST(TextFiles, BytesMoveUnchanged) {
    TempFolder t;
    static const char raw[] = "\xFF\xFE not GBK \x80\r\n";
    const QByteArray odd(raw, sizeof raw - 1);
    t.write("odd.txt", odd);
    EXPECT_EQ(readFileBytes(t.file("odd.txt")).value(), odd);
    ASSERT_TRUE(appendFileBytes(t.file("copy.txt"), odd));
    EXPECT_EQ(t.read("copy.txt"), odd);
}

TEST(BoundedTables, RefuseIndexesOutsideTheirLimits) {
    BoundedArray<double> a(7);
    EXPECT_TRUE(a.set(7, 1.5));
    EXPECT_FALSE(a.set(8, 2.0));
    EXPECT_FALSE(a.set(-1, 2.0));
    EXPECT_EQ(a.at(7), 1.5);
    EXPECT_EQ(a.at(8), 0.0);
    EXPECT_EQ(a.at(-5), 0.0);
    EXPECT_EQ(a.used(), 8u);

    BoundedTable<QString> t(5000, 5000);
    EXPECT_TRUE(t.set(5000, 5000, "x"));
    EXPECT_FALSE(t.set(5001, 0, "y"));
    EXPECT_FALSE(t.set(0, 5001, "y"));
    EXPECT_EQ(t.at(5000, 5000), "x");
    EXPECT_EQ(t.at(4999, 5000), "");
    EXPECT_EQ(t.at(9999, 9999), "");

    // A run of a row is written whole or not at all.
    BoundedTable<double> runs(3, 3);
    EXPECT_TRUE(runs.fill(1, 0, 3, 2.5));
    EXPECT_EQ(runs.at(1, 3), 2.5);
    EXPECT_FALSE(runs.fill(2, 0, 4, 1.0));
    EXPECT_EQ(runs.at(2, 0), 0.0);
    EXPECT_TRUE(runs.fill(2, 3, 2, 1.0)); // an empty run
}

TEST(BoundedTables, StoreOnlyWhatIsUsed) {
    BoundedTable<double> t(3000, 3000);
    const std::size_t empty = t.memoryBytes();
    EXPECT_LT(empty, 256u);
    t.set(2, 10, 1.0);
    EXPECT_LT(t.memoryBytes(), empty + 3 * sizeof(std::vector<double>) + 11 * sizeof(double) + 64);
}

TEST(BoundedTables, IndexesFromComputedNumbers) {
    EXPECT_EQ(tableIndex(2.0), 2);
    EXPECT_EQ(tableIndex(2.6), 3);
    EXPECT_EQ(tableIndex(std::nan("")), -1);
    EXPECT_EQ(tableIndex(INFINITY), -1);
    EXPECT_EQ(tableIndex(1e300), -1);
}
