#include "core/ParameterRecords.h"
#include "support/TempFolder.h"
#include <QDir>
#include <QElapsedTimer>
#include <gtest/gtest.h>
#include <random>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace quorin {
namespace {

const QByteArray oldBackup = "B1\r\nB2\r\n";
const QByteArray someRecords = "2026/12/8\r\na.jpg\t1,2,\r\n2026/12/9\r\nb.jpg\t3,4,\r\n";

RotationStop killAfter(RotationStep at) {
    return [at](RotationStep step) { return step == at; };
}

// A program folder with records waiting to be moved into an older backup.
struct RecordFolder : test::TempFolder {
    explicit RecordFolder(const QByteArray& records = someRecords) : records(records) {
        write("tree.txt", records);
        write("treebackup.txt", oldBackup);
    }
    bool rotate(const RotationStop& stop = {}) const {
        return rotateRecordFile(file("tree.txt"), file("treebackup.txt"), stop);
    }
    // Every record once, after the old backup; nothing else left behind.
    void expectMovedOnce() const {
        EXPECT_EQ(read("treebackup.txt"), oldBackup + records + "\r\n");
        EXPECT_EQ(read("tree.txt"), QByteArray());
        EXPECT_EQ(QDir(folder().path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{"tree.txt", "treebackup.txt"}));
    }
    QByteArray records;
};

TEST(RecordRotationKill, AKillAfterAnyStepEvenWhileUndoingLeavesEveryRecordOnce) {
    using enum RotationStep;
    for (const RotationStep first : {UndoneBlockCut, MarkerWritten, BlockAppended, RecordEmptied}) {
        for (const RotationStep next : {UndoneBlockCut, MarkerWritten, BlockAppended}) {
            SCOPED_TRACE(testing::Message() << "killed after " << int(first) << ", " << int(next));
            RecordFolder f;
            f.rotate(killAfter(first));
            f.rotate(killAfter(next)); // the next start, killed as well
            EXPECT_TRUE(f.rotate());
            f.expectMovedOnce();
            EXPECT_TRUE(f.rotate()); // a later start adds nothing
            f.expectMovedOnce();
        }
    }
}

TEST(RecordRotationKill, WritesCutShortAreUndoneAndRecordsMadeSinceKept) {
    const QByteArray block = someRecords + "\r\n";
    // A power cut in the middle of the append may leave part of the block or
    // zeros in its place; one in the middle of a replacement, a temporary file.
    const std::pair<const char*, QByteArray> leftovers[] = {
        {"treebackup.txt", oldBackup + block.left(block.size() / 2)},
        {"treebackup.txt", oldBackup + QByteArray(block.size(), '\0')},
        {"tree.txt.quorin-k1LLed.tmp", "2026"},
        {"treebackup.txt.rotating.quorin-0a1b2c.tmp", "0 1"}};
    for (const auto& [name, bytes] : leftovers) {
        RecordFolder f;
        f.rotate(killAfter(RotationStep::MarkerWritten));
        f.write(name, bytes);
        EXPECT_TRUE(f.rotate());
        f.expectMovedOnce();
    }
    RecordFolder f;
    f.rotate(killAfter(RotationStep::RecordEmptied));
    f.write("tree.txt", "N\r\n"); // the marker was not removed, and recording went on
    EXPECT_TRUE(f.rotate());
    EXPECT_EQ(f.read("treebackup.txt"), oldBackup + someRecords + "\r\nN\r\n\r\n");
}

#ifdef Q_OS_UNIX
TEST(RecordRotationKill, SigkillAtRandomMomentsLosesAndDoublesNoRecord) {
    QByteArray records;
    for (int i = 0; records.size() < 2 * 1024 * 1024; ++i)
        records += "2026/12/8\r\npicture" + QByteArray::number(i) + ".jpg\t1,2,3,4,5,6,7,8,\r\n";
    const RecordFolder timed(records);
    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(timed.rotate()); // how long a whole rotation takes here
    std::uniform_int_distribution<qint64> moment(0, timer.nsecsElapsed() / 1000);
    std::mt19937 random(20261209);
    for (int run = 0; run < 30; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        RecordFolder f(records);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            _exit(f.rotate() ? 0 : 1);
        usleep(useconds_t(moment(random)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        EXPECT_TRUE(f.rotate());
        f.expectMovedOnce();
    }
}
#endif

} // namespace
} // namespace quorin
