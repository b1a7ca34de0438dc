#include "core/ParameterRecords.h"
#include "core/PreviewList.h"
#include "support/TempFolder.h"
#include <QDir>
#include <gtest/gtest.h>

namespace quorin {
namespace {

using test::TempFolder;

TEST(RecordRotation, MovesContentToTheBackupAndEmptiesTheRecord) {
    TempFolder f;
    f.write("tree.txt", "T1\r\nT2\r\n");
    f.write("treebackup.txt", "B\r\n");
    ASSERT_TRUE(rotateRecordFile(f.file("tree.txt"), f.file("treebackup.txt")));
    EXPECT_EQ(f.read("treebackup.txt"), QByteArray("B\r\nT1\r\nT2\r\n\r\n"));
    EXPECT_TRUE(f.exists("tree.txt"));
    EXPECT_EQ(f.read("tree.txt"), QByteArray());
    // A second start adds nothing.
    ASSERT_TRUE(rotateRecordFile(f.file("tree.txt"), f.file("treebackup.txt")));
    EXPECT_EQ(f.read("treebackup.txt"), QByteArray("B\r\nT1\r\nT2\r\n\r\n"));
}

TEST(RecordRotation, MissingRecordCreatesBothFilesEmpty) {
    TempFolder f;
    ASSERT_TRUE(rotateRecordFile(f.file("treego.txt"), f.file("treegobackup.txt")));
    EXPECT_TRUE(f.exists("treego.txt"));
    EXPECT_TRUE(f.exists("treegobackup.txt"));
    EXPECT_EQ(f.read("treegobackup.txt"), QByteArray());
}

TEST(RecordRotation, UnwritableBackupLeavesTheRecordAlone) {
    TempFolder f;
    f.write("tree.txt", "precious\r\n");
    QDir(f.folder().path()).mkdir("treebackup.txt"); // a folder cannot be appended to
    EXPECT_FALSE(rotateRecordFile(f.file("tree.txt"), f.file("treebackup.txt")));
    EXPECT_EQ(f.read("tree.txt"), QByteArray("precious\r\n"));
}

TEST(ParameterRecords, BothRecordFormats) {
    const RecordValues v = {"10", "1", "2", "3", "4", "5", "6", "7"};
    EXPECT_EQ(treegoRecord(v), QStringLiteral("10,1,2,3,4,5,6,7,\r\n"));
    EXPECT_EQ(treeRecord("2026/12/8", "/p/a b.jpg", v),
              QStringLiteral("2026/12/8\r\n/p/a b.jpg\t10,1,2,3,4,5,6,7,\r\n"));
}

TEST(PreviewNames, StopAfterTheFirstDollarNameAndAtTheLimit) {
    EXPECT_EQ(previewNames({"a.jpg", "b$.jpg", "c.jpg"}, 10001), (QStringList{"a.jpg", "b$.jpg"}));
    EXPECT_EQ(previewNames({"$", "a"}, 10001), QStringList{"$"});
    EXPECT_EQ(previewNames({"a", "b", "c"}, 2), (QStringList{"a", "b"}));
    EXPECT_TRUE(previewNames({}, 10001).isEmpty());
}

TEST(PreviewNames, FolderIsCutAtTheLastSlashOfEitherKind) {
    EXPECT_EQ(folderOfFile("/x/y/z.jpg"), QStringLiteral("/x/y/"));
    EXPECT_EQ(folderOfFile("C:\\pics\\a/b\\c.jpg"), QStringLiteral("C:\\pics\\a/b\\"));
    EXPECT_EQ(folderOfFile("c.jpg"), QString());
}

TEST(PreviewNames, ListingIsSortedFullPathsOfTheChosenFilesFolder) {
    TempFolder f;
    QDir().mkpath(f.file("pics/sub"));
    for (const char* name : {"c.jpg", "a.jpg", "b.txt"})
        f.write(QStringLiteral("pics/") + name, "x");
    const QString dir = f.file("pics/");
    EXPECT_EQ(previewListing(f.file("pics/zzz.jpg"), 100),
              (QStringList{dir + "a.jpg", dir + "b.txt", dir + "c.jpg"}));
    EXPECT_EQ(previewListing(f.file("pics/a.jpg"), 2).size(), 2);
    EXPECT_TRUE(previewListing("no-folder.jpg", 100).isEmpty());
}

} // namespace
} // namespace quorin
