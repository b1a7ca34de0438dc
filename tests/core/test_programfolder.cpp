#include "platform/ProgramFolder.h"
#include "support/TempFolder.h"
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace quorin {
namespace {

using test::TempFolder;

// A folder nobody can create a file in, root included: a read-only folder
// where permissions stop us, else the kernel's process folder.
QString unwritableFolder(const TempFolder& f) {
    const QString dir = f.file(QStringLiteral("locked"));
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner);
    if (!canCreateFilesIn(dir))
        return dir;
    return canCreateFilesIn(QStringLiteral("/proc/self")) ? QString()
                                                          : QStringLiteral("/proc/self");
}

TEST(ProgramFolder, ABuildKeepsEverythingBesideTheExecutable) {
    TempFolder f;
    ASSERT_TRUE(QDir().mkpath(f.file("build/bin")));
    const QString bin = f.file("build/bin");
    const ProgramFolder folder =
        chooseProgramFolder(bin, bin + QStringLiteral("/../share/quorin"), f.file("user"));
    EXPECT_EQ(folder.picture("22.bmp"), bin + QStringLiteral("/22.bmp"));
    EXPECT_EQ(folder.ownFile("tree.txt"), bin + QStringLiteral("/tree.txt"));
    EXPECT_FALSE(QFileInfo::exists(f.file("user"))); // nothing made for nothing
}

TEST(ProgramFolder, AnInstalledProgramReadsTheSharedPicturesAndWritesInTheUsersFolder) {
    TempFolder f;
    // <prefix>/bin and <prefix>/share/quorin, both writable: the layout
    // decides, so root and a user's own prefix behave alike.
    ASSERT_TRUE(QDir().mkpath(f.file("prefix/bin")));
    ASSERT_TRUE(QDir().mkpath(f.file("prefix/share/quorin")));
    const QString bin = f.file("prefix/bin");
    const ProgramFolder folder = chooseProgramFolder(bin, bin + QStringLiteral("/../share/quorin"),
                                                     f.file("home/.local/share/quorin"));
    EXPECT_EQ(folder.picture("hai1.jpg"), f.file("prefix/share/quorin/hai1.jpg"));
    EXPECT_EQ(folder.ownFile("tree.txt"), f.file("home/.local/share/quorin/tree.txt"));
    EXPECT_TRUE(QFileInfo(folder.path()).isDir()); // ready for the first record
}

TEST(ProgramFolder, AnExecutableFolderThatTakesNoFilesSendsTheOwnFilesToTheUser) {
    TempFolder f;
    const QString locked = unwritableFolder(f);
    if (locked.isEmpty())
        GTEST_SKIP() << "no folder refuses new files here";
    const ProgramFolder folder =
        chooseProgramFolder(locked, locked + QStringLiteral("/../share/quorin"), f.file("user"));
    EXPECT_EQ(folder.picturePath(), locked);
    EXPECT_EQ(folder.path(), f.file("user"));
    QFile::setPermissions(f.file("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolder, TheProbeLeavesNothingBehindAndFailsWhereNoFileCanBe) {
    TempFolder f;
    EXPECT_TRUE(canCreateFilesIn(f.folder().path()));
    EXPECT_EQ(
        QDir(f.folder().path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
        QStringList());
    f.write("plain.txt", "x");
    EXPECT_FALSE(canCreateFilesIn(f.file("plain.txt"))); // a file, not a folder
    EXPECT_FALSE(canCreateFilesIn(f.file("missing")));
}

} // namespace
} // namespace quorin
