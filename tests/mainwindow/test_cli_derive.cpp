// quorin-cli derive gives what 推导计算 writes into the main window's fields,
// and the same message for inputs the window refuses.
#include "mainwindow/MainWindow.h"
#include "support/RunTool.h"
#include "support/TestProgram.h"
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::runTool;
using quorin::test::TestProgram;

namespace {

struct Case {
    // radius, density, vx0, vy0, vfx, vfy, t
    std::array<const char*, 7> values;
};

TEST(CliDerive, GivesTheMainWindowsResultsAndMessages) {
    const Case cases[] = {
        {{"1", "1", "1", "1", "1", "1", "1"}},       // the window's defaults
        {{"2.5", "1", "30", "-20", "-5", "3", "4"}}, // thrown up, crosses the x axis
        {{"0.5", "2", "10", "0", "0", "0", "12.5"}}, // heavier, thrown level
        {{"1", "1", "1e200", "1", "1", "1", "1"}},   // a huge speed
        {{"0", "1", "1", "1", "1", "1", "1"}},       // radius 0: no drop to compute
        {{"1", "1", "abc", "1", "1", "1", "1"}},     // not a number
        {{"1", "1", "1", "1", "1", "1", "0"}},       // no flight time
    };
    const char* const options[] = {"--radius", "--density", "--vx0", "--vy0",
                                   "--vfx",    "--vfy",     "--t"};
    const int fields[] = {0, 13, 1, 4, 2, 3, 10};
    for (const Case& c : cases) {
        TestProgram tp(false);
        MainWindow& w = tp.main();
        QStringList args = {QStringLiteral("derive")};
        for (int i = 0; i < 7; ++i) {
            w.Text1[fields[i]]->setText(QString::fromUtf8(c.values[i]));
            args << QString::fromUtf8(options[i]) << QString::fromUtf8(c.values[i]);
        }
        w.Command1->click();
        const auto run = runTool(args);
        const QString label = args.join(QLatin1Char(' '));
        if (!tp.dialogs.shown().empty()) {
            EXPECT_EQ(run.exitCode, 2) << label.toStdString();
            EXPECT_EQ(QString::fromLocal8Bit(run.err).trimmed(), tp.dialogs.shown()[0].text)
                << label.toStdString();
            EXPECT_TRUE(run.out.isEmpty());
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << label.toStdString() << run.err.constData();
        QString expected;
        const char* const labels[] = {"水平位移Hx = ", "垂直位移Hy = ", "水平速度Vx = ",
                                      "垂直速度Vy = ", "速率V = ",      "路程H = "};
        const int results[] = {5, 6, 7, 8, 9, 12};
        for (int i = 0; i < 6; ++i)
            expected += QString::fromUtf8(labels[i]) + w.Text1[results[i]]->text() + '\n';
        expected += w.Text1[11]->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        EXPECT_EQ(QString::fromLocal8Bit(run.out).trimmed(), expected.trimmed())
            << label.toStdString();
    }
}

} // namespace
