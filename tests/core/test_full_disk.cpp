#include "core/ParameterRecords.h"
#include "platform/TextFiles.h"
#include "support/DiskFull.h"
#include "support/TempFolder.h"
#include <QDir>
#include <gtest/gtest.h>

namespace quorin {
namespace {

using test::DiskFull;
using test::TempFolder;

TEST(FullDisk, AnAppendThatDoesNotFitLeavesTheFileAsItWas) {
    TempFolder f;
    const QByteArray before = "2026/12/8\r\na.jpg\t1,2,3,\r\n";
    f.write("tree.txt", before);
    {
        // Room for a few bytes more: without care the record would be cut
        // in the middle and the next reader would see half a record.
        DiskFull disk(before.size() + 5);
        EXPECT_FALSE(
            appendTextFile(f.file("tree.txt"), QStringLiteral("2026/12/9\r\nb.jpg\t4,\r\n")));
        EXPECT_FALSE(appendFileBytes(f.file("tree.txt"), "0123456789"));
    }
    EXPECT_EQ(f.read("tree.txt"), before);
    EXPECT_TRUE(appendFileBytes(f.file("tree.txt"), "ok")); // the disk has room again
    EXPECT_EQ(f.read("tree.txt"), before + "ok");
}

TEST(FullDisk, ReplacingAFileKeepsTheOldOneAndLeavesNoTemporaryFile) {
    TempFolder f;
    f.write("caculator.txt", "old set\r\n");
    {
        DiskFull disk(4);
        EXPECT_FALSE(replaceTextFile(f.file("caculator.txt"), QStringLiteral("a new set\r\n")));
    }
    EXPECT_EQ(f.read("caculator.txt"), QByteArray("old set\r\n"));
    EXPECT_EQ(QDir(f.folder().path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"caculator.txt"});
}

TEST(FullDisk, RecordRotationLosesNoRecordAndDoublesNone) {
    TempFolder f;
    f.write("tree.txt", "T1\r\n");
    f.write("treebackup.txt", "B\r\n");
    {
        DiskFull disk(5); // the backup cannot take the record
        EXPECT_FALSE(rotateRecordFile(f.file("tree.txt"), f.file("treebackup.txt")));
    }
    EXPECT_EQ(f.read("tree.txt"), QByteArray("T1\r\n"));
    EXPECT_EQ(f.read("treebackup.txt"), QByteArray("B\r\n"));
    // The next start, with room again, moves it once.
    EXPECT_TRUE(rotateRecordFile(f.file("tree.txt"), f.file("treebackup.txt")));
    EXPECT_EQ(f.read("treebackup.txt"), QByteArray("B\r\nT1\r\n\r\n"));
    EXPECT_EQ(f.read("tree.txt"), QByteArray());
}

} // namespace
} // namespace quorin
