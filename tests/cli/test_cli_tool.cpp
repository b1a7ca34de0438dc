#include "support/RunTool.h"
#include <QProcess>
#include <gtest/gtest.h>

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

// The tool needs no display: it links no widget library.
TEST(CliTool, LinksNoWidgets) {
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("-d"), QStringLiteral(QUORIN_CLI)});
    if (!readelf.waitForFinished(30000) || readelf.exitCode() != 0)
        GTEST_SKIP() << "readelf is not available";
    const QByteArray needed = readelf.readAllStandardOutput();
    EXPECT_TRUE(needed.contains("libQt6Core")) << needed.constData();
    EXPECT_FALSE(needed.contains("Widgets")) << needed.constData();
    EXPECT_FALSE(needed.contains("Multimedia")) << needed.constData();
}

} // namespace
} // namespace quorin
