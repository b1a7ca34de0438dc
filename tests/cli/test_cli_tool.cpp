#include "support/RunTool.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace quorin {
namespace {

using test::runTool;

TEST(CliTool, HelpListsTheCommandsAndBadWordsExitWithTwo) {
    const auto help = runTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("quorin-cli")) << help.out.constData();
    EXPECT_TRUE(help.err.isEmpty());

    EXPECT_EQ(runTool({}).exitCode, 2);
    const auto unknown = runTool({"nosuchcommand"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("nosuchcommand"));
    EXPECT_TRUE(unknown.out.isEmpty());
}

// The libraries a binary needs, by the linker's list; nothing without readelf.
std::optional<QByteArray> neededLibraries(const QString& binary) {
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), binary});
    if (!readelf.waitForFinished(30000) || readelf.exitCode() != 0)
        return std::nullopt;
    return readelf.readAllStandardOutput();
}

// The tool needs no display: it links no widget library, and QtGui only in
// the module of its picture commands.
TEST(CliTool, LinksNoWidgetsAndQtGuiOnlyForPictures) {
    const auto tool = neededLibraries(QStringLiteral(QUORIN_CLI));
    const auto module = neededLibraries(QStringLiteral(QUORIN_CLI_PICTURES));
    if (!tool || !module)
        GTEST_SKIP() << "readelf is not available";
    EXPECT_TRUE(tool->contains("libQt6Core")) << tool->constData();
    EXPECT_FALSE(tool->contains("libQt6Gui")) << tool->constData();
    EXPECT_TRUE(module->contains("libQt6Gui")) << module->constData();
    for (const QByteArray& needed : {*tool, *module}) {
        EXPECT_FALSE(needed.contains("Widgets")) << needed.constData();
        EXPECT_FALSE(needed.contains("Multimedia")) << needed.constData();
    }
}

// Without its picture module the tool still derives and compares, and says
// why a picture command cannot run.
TEST(CliTool, WithoutThePictureModuleOnlyThePictureCommandsFail) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString alone = dir.filePath(QStringLiteral("quorin-cli"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(QUORIN_CLI), alone));
    EXPECT_EQ(test::runProgram(alone, {"derive"}).exitCode, 0);
    for (const QStringList& words :
         {QStringList{"pixelset", "capture", "a.png", "a.txt"}, QStringList{"strokes", "--help"}}) {
        const auto run = test::runProgram(alone, words, dir.path());
        EXPECT_EQ(run.exitCode, 2) << words.join(' ').toStdString();
        EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains(QStringLiteral("图片组件")))
            << run.err.constData();
    }
}

} // namespace
} // namespace quorin
