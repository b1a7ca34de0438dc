#include "canvas/Freehand.h"
#include "canvas/StrokeFiles.h"
#include "canvas/StrokeReplay.h"
#include "core/RowReader.h"
#include "platform/TextFiles.h"
#include "support/CanvasTest.h"
#include <QDir>
#include <QTest>

namespace quorin {
namespace {

using test::CanvasTest;

const QString exportNotice = QStringLiteral("将要保存的是Quorin画画的轨迹结果；\r\n是否继续？");
const QString importNotice = QStringLiteral("将要导入的是Quorin画画的轨迹结果；\r\n是否继续？");

class StrokeFiles : public CanvasTest {
protected:
    void SetUp() override {
        c = &launchSmall(CanvasMode::Freehand, {300, 200}, colors::black);
        c->Picture1->scaleToPixels();
    }
    // A stroke through the given points, drawn with the mouse and the sampler.
    void stroke(std::initializer_list<QPoint> points) {
        auto it = points.begin();
        QTest::mouseMove(c->Picture1, *it);
        QTest::mousePress(c->Picture1, Qt::LeftButton, {}, *it);
        for (++it; it != points.end(); ++it) {
            QTest::mouseMove(c->Picture1, *it);
            c->Timer13.timeout({});
        }
        QTest::mouseRelease(c->Picture1, Qt::LeftButton, {}, *(points.end() - 1));
    }
    CanvasWindow* c = nullptr;
};

TEST_F(StrokeFiles, ExportThenImportGivesTheStrokesBackAndTheReplayDrawsThem) {
    huahua(*c);
    stroke({{10, 10}, {40, 10}, {40, 40}});
    c->yaa = colors::red;
    stroke({{100, 100}}); // a press alone
    stroke({{5, 7}, {7, 9}});
    const QString file = t.temp.file("strokes.txt");
    t.dialogs.answerSave(file);
    c->Command1[16]->click(); // 导出
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{exportNotice});
    const QStringList lines = fromGbk(t.temp.read("strokes.txt")).split("\r\n");
    EXPECT_EQ(lines.size(), 7); // three strokes, two lines each, then the end
    EXPECT_EQ(lines[0], "10\t40\t40\t16711680\t2\t1");
    EXPECT_EQ(QSet<QString>(lines.begin(), lines.end()).size(), 7); // no two alike

    SharedState& s = state();
    s.strokeX.clear();
    s.strokeY.clear();
    s.strokePointCount.clear();
    s.strokeGroupEnd.clear();
    t.dialogs.answerOpen(file);
    c->Command1[17]->click(); // 导入
    EXPECT_FALSE(s.drawingMode);
    EXPECT_EQ(c->Command1[14]->backColor(), 153);
    EXPECT_EQ(s.strokeGroupEnd.at(0), 3);
    EXPECT_EQ(s.strokePointCount.at(0), 2);
    EXPECT_EQ(s.strokeX.at(0, 1), 40);
    EXPECT_EQ(s.strokeY.at(0, 2), 40);
    EXPECT_EQ(s.strokeColor.at(2, 1), colors::red);
    EXPECT_EQ(s.strokeWidth.at(0, 1), 2);

    // Replay after 坐标变换: every stroke offset, the point-only one skipped.
    c->Picture1->cls();
    s.coordTransformX = 100;
    c->Command1[15]->click(); // 自动
    EXPECT_TRUE(c->Timer14.isActive());
    for (int i = 0; i < 4; ++i)
        c->Timer14.timeout({});
    EXPECT_FALSE(c->Timer14.isActive());
    EXPECT_EQ(c->Text2->text(), "3");
    EXPECT_EQ(c->Command1[15]->backColor(), 153);
    EXPECT_EQ(c->Picture1->point(125, 10), colors::blue);
    EXPECT_EQ(c->Picture1->point(25, 10), colors::black);
    EXPECT_EQ(c->Picture1->point(200, 100), colors::black); // the lone press
}

TEST_F(StrokeFiles, NothingToExportWritesAnEmptyFileAndAFailedWriteKeepsTheOldOne) {
    t.temp.write("empty.txt", "old");
    t.dialogs.answerSave(t.temp.file("empty.txt"));
    t.dialogs.answerMessage(Answer::Yes); // replace it
    outsave(*c);
    EXPECT_EQ(t.temp.read("empty.txt"), QByteArray());
    EXPECT_EQ(t.dialogs.shown()[2].title, QString::fromUtf8(strokesReplaceTitle));

    // A folder stands where the file should go: nothing is lost, and it says so.
    QDir(t.temp.folder().path()).mkdir("taken.txt");
    t.dialogs.clearLog();
    t.dialogs.answerSave(t.temp.file("taken.txt"));
    outsave(*c);
    ASSERT_EQ(t.dialogs.shown().size(), 3u); // notice, save, failure
    EXPECT_TRUE(t.dialogs.shown()[2].text.contains(QStringLiteral("无法写入文件")));
    EXPECT_TRUE(t.dialogs.allAnswersUsed());
}

TEST_F(StrokeFiles, ImportTellsWhereANumberIsMissingAndRefusesTooManyRows) {
    t.temp.write("bad.txt", "1\t2\t255\t2\t1\r\n3\t4\t255\t2\t2\r\n5\tx\t255\t2\t3\r\n");
    t.dialogs.answerOpen(t.temp.file("bad.txt"));
    inputres(*c);
    EXPECT_EQ(state().strokeX.at(0, 1), 2); // the stroke before it stays
    const QStringList texts = t.dialogs.messageTexts();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_TRUE(texts[1].contains(QStringLiteral("第 3 行"))) << texts[1].toStdString();

    QString many;
    for (int i = 0; i < 3001; ++i)
        many += QString::number(i) + "\r\n";
    t.temp.write("many.txt", many.toLatin1());
    state().tableRowCount = 7;
    t.dialogs.clearLog();
    t.dialogs.answerOpen(t.temp.file("many.txt"));
    inputres(*c);
    EXPECT_EQ(t.dialogs.messageTexts().back(), tooManyRowsMessage());
    EXPECT_EQ(state().tableRowCount, 7);

    // Cancel, or a file that cannot be read, ends quietly.
    t.dialogs.clearLog();
    t.dialogs.answerOpen(QString());
    inputres(*c);
    t.dialogs.answerOpen(t.temp.file("missing.txt"));
    inputres(*c);
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList(2, importNotice));
}

} // namespace
} // namespace quorin
