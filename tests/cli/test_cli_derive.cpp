#include "core/DropModel.h"
#include "support/RunTool.h"
#include "support/TempFolder.h"
#include <QFile>
#include <gtest/gtest.h>

namespace quorin {
namespace {

using test::runTool;

// The path table: a header, N rows from 0 to t exactly, each row the model's
// state at its time (read back to the last bit).
TEST(CliDerive, WritesThePathTable) {
    test::TempFolder temp;
    const QString csv = temp.file(QStringLiteral("path.csv"));
    const auto run =
        runTool({"derive", "--vx0", "10", "--t", "5", "--path", csv, "--samples", "6"});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> rows = f.readAll().split('\n');
    ASSERT_EQ(rows.size(), 8); // header, 6 rows, the empty rest after the last line break
    EXPECT_EQ(rows[0], "t,x,y,vx,vy");
    EXPECT_TRUE(rows[7].isEmpty());
    const DropInputs in{1, 1, 10, 1, 1, 1};
    for (int i = 1; i <= 6; ++i) {
        const QList<QByteArray> cells = rows[i].split(',');
        ASSERT_EQ(cells.size(), 5);
        const double t = cells[0].toDouble();
        EXPECT_DOUBLE_EQ(t, (i - 1) * 1.0);
        const DropState d = dropStateAt(in, t);
        EXPECT_EQ(cells[1].toDouble(), d.x) << i;
        EXPECT_EQ(cells[2].toDouble(), d.y) << i;
        EXPECT_EQ(cells[3].toDouble(), d.vx) << i;
        EXPECT_EQ(cells[4].toDouble(), d.vy) << i;
    }
}

// Bad words and a path that cannot be written: exit 2, a message, and no
// file left behind.
TEST(CliDerive, RefusesBadOptionsAndUnwritablePaths) {
    test::TempFolder temp;
    for (const QStringList& args : {QStringList{"derive", "--samples", "1", "--path", "x.csv"},
                                    QStringList{"derive", "--samples", "many", "--path", "x.csv"},
                                    QStringList{"derive", "--speed", "3"},
                                    QStringList{"derive", "--t"}, QStringList{"derive", "extra"}}) {
        const auto run = runTool(args, temp.file(QString()));
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_FALSE(QFile::exists(temp.file(QStringLiteral("x.csv"))));
    }
    const QString noFolder = temp.file(QStringLiteral("missing/path.csv"));
    const auto run = runTool({"derive", "--path", noFolder});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(QString::fromLocal8Bit(run.err).contains(noFolder));
    EXPECT_TRUE(runTool({"derive", "--help"}).out.contains("--samples"));
}

} // namespace
} // namespace quorin
