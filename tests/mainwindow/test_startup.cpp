#include "app/Program.h"
#include "canvaswindow/CanvasWindow.h"
#include "core/ParameterRecords.h"
#include "mainwindow/MainWindow.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"
#include "support/TestProgram.h"
#include <QCoreApplication>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::TempFolder;
using quorin::test::TestProgram;

namespace {

constexpr ColorValue fieldGreen = rgb(158, 239, 158);

QRect designed(double l, double t, double w, double h) {
    return twipsRect(l, t, w, h);
}

} // namespace

TEST(MainWindowStartup, WindowAndControlsAsDesigned) {
    TestProgram t;
    MainWindow& m = t.main();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("风雨同路，一往无前"));
    EXPECT_EQ(m.size(), QSize(twipsToPixels(15732), twipsToPixels(9300)));
    EXPECT_EQ(m.palette().color(QPalette::Window), QColor(192, 208, 192));

    EXPECT_EQ(m.Command1->caption(), QStringLiteral("推导计算"));
    EXPECT_EQ(m.Command1->geometry(), designed(9600, 240, 1455, 495));
    const QStringList launchers = {"Quorin模拟", "反导模拟", "数学画画",
                                   "图像比较",   "新月画画", "图像叠加"};
    const std::array<CommandButton*, 6> buttons = {m.Command8,  m.Command9,  m.Command10,
                                                   m.Command11, m.Command12, m.Command13};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(buttons[i]->caption(), launchers[i]);
        EXPECT_EQ(buttons[i]->geometry(), designed(6720 + 1080 * i, 7800, 492, 1332));
        EXPECT_EQ(buttons[i]->backColor(), rgb(232, 227, 174));
    }
    EXPECT_EQ(m.Command14->caption(), QStringLiteral("视频播放"));
    EXPECT_EQ(m.Picture1->geometry(), designed(6840, 960, 6960, 4320));
    EXPECT_EQ(m.Image1->geometry(), designed(14640, 8520, 852, 612));
    EXPECT_TRUE(m.Image1->hasPicture());   // 22.bmp
    EXPECT_TRUE(m.Picture1->hasPicture()); // the designed plot picture
    EXPECT_TRUE(m.Picture1->autoRedraw());

    // The colour swatches are never visible; they hold the paper and pen colours.
    EXPECT_TRUE(m.Command6[0]->isHidden() && m.Command6[1]->isHidden());
    EXPECT_EQ(m.Command6[0]->backColor(), rgb(146, 197, 198));
    EXPECT_EQ(m.Command6[1]->backColor(), rgb(232, 227, 174));
}

TEST(MainWindowStartup, FieldsAndLabels) {
    TestProgram t;
    MainWindow& m = t.main();
    const QStringList texts = {"1", "1", "1", "1",  "1", "?", "?", "?", "?",
                               "?", "1", "",  "？", "1", "?", "0", "0", "1"};
    const std::array<std::pair<int, int>, 18> places = {{{1440, 240},
                                                         {1440, 1680},
                                                         {1440, 960},
                                                         {4560, 960},
                                                         {4560, 1680},
                                                         {960, 3840},
                                                         {960, 4680},
                                                         {960, 5520},
                                                         {960, 6360},
                                                         {4200, 6360},
                                                         {1440, 2640},
                                                         {960, 7920},
                                                         {4200, 5520},
                                                         {4560, 240},
                                                         {6720, 7080},
                                                         {1680, 7080},
                                                         {3480, 7080},
                                                         {10680, 7080}}};
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(m.Text1[i]->text(), texts[i]);
        EXPECT_EQ(m.Text1[i]->pos(),
                  QPoint(twipsToPixels(places[i].first), twipsToPixels(places[i].second)));
        EXPECT_EQ(m.Text1[i]->backColor(), fieldGreen);
        EXPECT_EQ(m.Text1[i]->editor()->font().pointSizeF(), 20.0);
        const bool disabled = i == 7 || i == 8 || i == 9 || i == 12 || i == 14;
        EXPECT_EQ(m.Text1[i]->isEnabled(), !disabled);
        EXPECT_EQ(m.Label1[i]->backColor(), rgb(192, 208, 192));
    }
    EXPECT_TRUE(m.Text1[11]->isMultiLine());
    EXPECT_EQ(m.Label1[0]->text(), QStringLiteral("半径r(mm)="));
    EXPECT_EQ(m.Label1[12]->text(), QStringLiteral("物质相对水的密度   P ="));
    EXPECT_EQ(m.Label1[17]->text(), QStringLiteral("拦截误差设定值（%）："));
    // Each label sits left of its own field, on the same row.
    const std::array<std::pair<int, int>, 5> pairs = {{{0, 0}, {1, 2}, {2, 1}, {12, 13}, {10, 10}}};
    for (auto [label, field] : pairs) {
        EXPECT_EQ(m.Label1[label]->y(), m.Text1[field]->y());
        EXPECT_LE(m.Label1[label]->geometry().right(), m.Text1[field]->x());
    }
    EXPECT_FALSE(m.Label1[13]->isHidden());
    EXPECT_TRUE(m.Label1[14]->isHidden());
}

// The canvas reaches these fields by index only; a wrong index must not
// write into another control or outside the array.
TEST(MainWindowStartup, FieldsByIndexAsTextIgnoreIndexesOutside) {
    TestProgram t;
    MainWindow& m = t.main();
    MainFields& fields = m;
    fields.setFieldText(15, "12");
    EXPECT_EQ(m.Text1[15]->text(), QStringLiteral("12"));
    fields.setFieldText(11, "a\r\n");
    fields.appendFieldText(11, "b");
    EXPECT_EQ(fields.fieldText(11), QStringLiteral("a\r\nb"));
    fields.setFieldText(-1, "x");
    fields.setFieldText(18, "x");
    EXPECT_EQ(fields.fieldText(18), QString());
    EXPECT_EQ(fields.fieldText(-1), QString());
}

TEST(MainWindowStartup, VideoPartsWaitHidden) {
    TestProgram t;
    MainWindow& m = t.main();
    EXPECT_TRUE(m.HScroll1->isHidden());
    EXPECT_FALSE(m.Timer3.isActive());
    EXPECT_EQ(m.Timer3.interval(), 618);
    ASSERT_NE(t.player, nullptr);
    EXPECT_FALSE(t.player->visible);
    EXPECT_EQ(t.player->rect, m.Picture1->geometry());
    EXPECT_EQ(m.HScroll1->geometry().left(), m.Picture1->geometry().left());
    EXPECT_EQ(m.HScroll1->geometry().top(),
              m.Picture1->geometry().bottom() + 1 + twipsToPixels(30));
    EXPECT_EQ(m.HScroll1->width(), m.Picture1->width());
    EXPECT_EQ(m.HScroll1->maximum(), 32767);
    EXPECT_EQ(t.state().penColor, 16711680.0);
    EXPECT_FALSE(t.state().simulationMode);
}

TEST(MainWindowStartup, MissingPicturesAreSkipped) {
    TestProgram t(false);
    EXPECT_FALSE(t.main().Image1->hasPicture());
    EXPECT_FALSE(t.main().Picture1->hasPicture());
    t.main().windowClick();
    EXPECT_FALSE(t.main().Picture1->hasPicture());
}

// ---------------------------------------------------------------- records

TEST(RecordRotation, StartUpRotatesBothRecordFilesWithoutDecodingThem) {
    TestProgram t;
    const QByteArray gbk =
        toGbk(QStringLiteral("2026/12/8\r\nC:\\画\\a.jpg\t1,1,1,1,1,0,0,1,\r\n"));
    t.temp.write("tree.txt", gbk);
    t.temp.write("treego.txt", "1,1,1,1,1,0,0,1,\r\n");
    // A second program start in the same folder.
    Program second(Services{t.dialogs, t.clock, t.temp.folder(), t.random, {}});
    EXPECT_EQ(t.temp.read("treebackup.txt"), gbk + "\r\n");
    EXPECT_EQ(t.temp.read("treegobackup.txt"), QByteArray("1,1,1,1,1,0,0,1,\r\n\r\n"));
    EXPECT_EQ(t.temp.read("tree.txt"), QByteArray());
    EXPECT_EQ(t.temp.read("treego.txt"), QByteArray());
}

// ---------------------------------------------------------------- behaviour

TEST(MainWindowStartup, Timer4OpensTheCanvasOnceAndEscBringsTheWindowBack) {
    TestProgram t;
    MainWindow& m = t.main();
    EXPECT_TRUE(m.Timer4.isActive());
    EXPECT_EQ(m.Timer4.interval(), 1000);
    m.timer4Tick(); // not shown yet: nothing happens
    EXPECT_FALSE(t.program->canvasLoaded() && t.program->canvas().isVisible());
    EXPECT_TRUE(m.Timer4.isActive());

    m.show();
    m.timer4Tick();
    ASSERT_TRUE(t.program->canvasLoaded());
    CanvasWindow& canvas = t.program->canvas();
    EXPECT_TRUE(canvas.isVisible());
    EXPECT_FALSE(m.isVisible());
    EXPECT_FALSE(m.Timer4.isActive());
    EXPECT_EQ(m.Text1[0]->text(), "1"); // the 数学画画 launcher ran

    t.state().screenSaverMode = true;
    t.state().fullScreen = true;
    canvas.escPressed();
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(t.program->canvasLoaded());
    EXPECT_FALSE(m.Timer4.isActive()); // never again
}

// Alt+F4 on the full-screen start-up display must not leave the program with
// no window at all.
TEST(MainWindowStartup, ClosingTheStartUpCanvasBringsTheMainWindowBack) {
    TestProgram t;
    MainWindow& m = t.main();
    m.show();
    m.timer4Tick();
    CanvasWindow& canvas = t.program->canvas();
    canvas.timer17Tick();
    ASSERT_TRUE(t.state().screenSaverMode);
    canvas.close();
    EXPECT_FALSE(t.program->canvasLoaded());
    EXPECT_TRUE(m.isVisible());
    EXPECT_FALSE(t.state().screenSaverMode);
}

TEST(MainWindowStartup, WindowClickResetsThePlotArea) {
    TestProgram t;
    MainWindow& m = t.main();
    m.Picture1->setBackColor(rgb(1, 2, 3));
    m.show();
    QTest::mouseClick(&m, Qt::LeftButton, {}, QPoint(5, m.height() - 5));
    EXPECT_EQ(m.Picture1->backColor(), rgb(192, 208, 192));
    EXPECT_TRUE(m.Picture1->hasPicture()); // IMG1463A.jpg
    EXPECT_FALSE(m.Picture1->autoRedraw());
}

TEST(MainWindowStartup, Image1ShowsTheCanvasWithoutALauncher) {
    TestProgram t;
    MainWindow& m = t.main();
    m.show();
    t.state().simulationMode = true;
    QTest::mouseClick(m.Image1, Qt::LeftButton);
    ASSERT_TRUE(t.program->canvasLoaded());
    EXPECT_TRUE(t.program->canvas().isVisible());
    EXPECT_EQ(t.program->canvas().windowTitle(), QStringLiteral("新月 画画"));
    EXPECT_TRUE(t.state().simulationMode); // mode flags untouched
    EXPECT_EQ(m.Text1[13]->text(), "1");
}

TEST(MainWindowStartup, ClosingTheMainWindowUnloadsTheCanvas) {
    TestProgram t;
    t.main().show();
    t.program->canvas().show();
    t.main().close();
    EXPECT_FALSE(t.program->canvasLoaded());
    EXPECT_FALSE(t.main().isVisible());
    EXPECT_FALSE(t.main().Timer4.isActive());
}
