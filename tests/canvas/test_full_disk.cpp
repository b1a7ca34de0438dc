#include "canvas/CommandBar.h"
#include "canvas/HiddenCapture.h"
#include "canvas/StrokeFiles.h"
#include "imagecmp/ImageCommands.h"
#include "platform/TextFiles.h"
#include "support/CanvasTest.h"
#include "support/DiskFull.h"
#include <QDir>
#include <QTest>
#include <functional>

namespace quorin {
namespace {

using test::CanvasTest;
using test::DiskFull;

// Every canvas command that writes a file, on a disk with no room left: the
// file it would replace is as it was, no temporary file is left over, and
// the user is told.
class FullDisk : public CanvasTest {
protected:
    void SetUp() override {
        c = &launchSmall(CanvasMode::Freehand, {200, 100}, rgb(1, 2, 3));
        c->Picture1->scale(0, 0, 2000, 1000);
        c->Picture1->pset(300, 300, colors::red);
        t.dialogs.clearLog();
    }
    QStringList filesInFolder() const {
        return QDir(t.temp.folder().path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    CanvasWindow* c = nullptr;
};

struct WritingCommand {
    const char* name;
    const char* file;                                // in the program's folder
    std::function<void(test::TestProgram&)> answers; // what the dialogs will say
    std::function<void(CanvasWindow&)> run;
};

TEST_F(FullDisk, NoCommandLosesTheFileItWouldReplace) {
    const auto yes = [](test::TestProgram& t) { t.dialogs.answerMessage(Answer::Yes); };
    const std::vector<WritingCommand> commands = {
        {"图像保存", "old.bmp",
         [&](test::TestProgram& t) {
             t.dialogs.answerSave(t.temp.file("old.bmp"));
             yes(t);
         },
         [](CanvasWindow& w) { w.Command1[3]->click(); }},
        {"图像预存", "old.jpg",
         [&](test::TestProgram& t) {
             yes(t);
             t.dialogs.answerSave(t.temp.file("old.jpg"));
             yes(t);
         },
         [](CanvasWindow& w) { w.Command1[2]->click(); }},
        {"导出", "strokes.txt",
         [&](test::TestProgram& t) {
             t.dialogs.answerSave(t.temp.file("strokes.txt"));
             yes(t);
         },
         [](CanvasWindow& w) { outsave(w); }},
        {"se", "pixels.txt",
         [&](test::TestProgram& t) {
             t.dialogs.answerSave(t.temp.file("pixels.txt"));
             yes(t);
         },
         [](CanvasWindow& w) { hiddenCapture(w); }},
        {"图像采集", "set.txt",
         [&](test::TestProgram& t) {
             t.dialogs.answerSave(t.temp.file("set.txt"));
             yes(t);
         },
         [](CanvasWindow& w) {
             w.Text1[2]->setText(QStringLiteral("24"));
             w.Text1[3]->setText(QStringLiteral("18"));
             w.Text2->setText(QStringLiteral("100"));
             command12Click(w, 0);
         }},
    };
    // One stroke of one point, so the export has something to write.
    state().strokeGroupEnd.set(0, 1);
    state().strokePointCount.set(0, 1);
    state().strokeX.set(0, 1, 10);
    state().strokeY.set(0, 1, 20);
    for (const WritingCommand& command : commands) {
        SCOPED_TRACE(command.name);
        const QString file = QString::fromLatin1(command.file);
        t.temp.write(file, "the previous content");
        const QStringList before = filesInFolder();
        t.dialogs.clearLog();
        command.answers(t);
        {
            DiskFull disk(4);
            command.run(*c);
        }
        EXPECT_EQ(t.temp.read(file), QByteArray("the previous content"));
        EXPECT_EQ(filesInFolder(), before);
        EXPECT_TRUE(t.dialogs.allAnswersUsed());
        const QStringList texts = t.dialogs.messageTexts();
        ASSERT_FALSE(texts.isEmpty());
        EXPECT_EQ(texts.back(), notWrittenMessage(t.temp.file(file)));
        EXPECT_EQ(t.temp.read("tree.txt"), QByteArray()); // no record of a picture not saved
    }
}

TEST_F(FullDisk, TheDifferenceFileKeepsTheLastCompare) {
    c->Text1[2]->setText(QStringLiteral("24"));
    c->Text1[3]->setText(QStringLiteral("18"));
    c->Text2->setText(QStringLiteral("100"));
    t.dialogs.answerSave(t.temp.file("a.txt"));
    command12Click(*c, 0);
    const QString diff = QString::fromLatin1(differenceFileName);
    t.temp.write(diff, "the last compare");
    t.dialogs.clearLog();
    t.dialogs.answerOpen(t.temp.file("a.txt"));
    t.dialogs.answerOpen(t.temp.file("a.txt"));
    {
        DiskFull disk(4);
        command12Click(*c, 1);
    }
    EXPECT_EQ(t.temp.read(diff), QByteArray("the last compare"));
    EXPECT_EQ(t.dialogs.messageTexts().back(), notWrittenMessage(t.temp.file(diff)));
}

TEST_F(FullDisk, ARecordThatDoesNotFitIsToldAndLeavesNoHalfRecord) {
    // treego.txt has a few bytes of room left, tree.txt plenty: the picture
    // and the tree.txt record are saved, treego.txt stays as it was.
    constexpr int room = 64 * 1024;
    const QByteArray full(room - 10, 'x');
    t.temp.write("treego.txt", full);
    const QString file = t.temp.file("p.jpg");
    t.dialogs.answerSave(file);
    {
        DiskFull disk(room);
        c->Command1[3]->click();
    }
    EXPECT_FALSE(QImage(file).isNull());
    EXPECT_EQ(t.temp.read("treego.txt"), full);
    EXPECT_TRUE(fromGbk(t.temp.read("tree.txt")).contains(file + QLatin1Char('\t')));
    ASSERT_EQ(t.dialogs.messageTexts().size(), 1);
    EXPECT_EQ(t.dialogs.messageTexts()[0], notWrittenMessage(t.temp.file("treego.txt")));
    EXPECT_EQ(t.dialogs.shown().back().title, QStringLiteral("Quorin计算 "));
}

} // namespace
} // namespace quorin
