#include "canvas/RecordReplay.h"
#include "platform/TextFiles.h"
#include "support/CanvasTest.h"
#include <QFile>
#include <QTest>

namespace quorin {
namespace {

using test::CanvasTest;

class RecordReplay : public CanvasTest {
protected:
    void SetUp() override {
        c = &launch(CanvasMode::Freehand);
        c->Picture1->resize(200, 150);
        t.temp.write("treego.txt", "1,1,1,1,1,10,20,1,\r\n"
                                   "2,1,1,1,1,11,21,1,\r\n"
                                   "3,1,1,1,1,12,22,1,\r\n");
    }
    CanvasWindow* c = nullptr;
};

TEST_F(RecordReplay, AutoRunsEveryRecordThenTheLastOnceMoreAndStartsOver) {
    c->Timer8.start();
    autoCycleStart(*c);
    EXPECT_FALSE(c->Timer8.isActive());
    EXPECT_TRUE(c->Timer9.isActive());
    EXPECT_EQ(state().treeRecordCount, 3);
    QStringList renderer; // rains sets huaxian, rainst clears it
    QStringList times;
    for (int tick = 0; tick < 4; ++tick) {
        autoCycleStep(*c);
        renderer << (c->huaxian ? "rains" : "rainst");
        times << main().Text1[10]->text();
    }
    EXPECT_EQ(renderer, (QStringList{"rains", "rains", "rainst", "rains"}));
    EXPECT_EQ(times, (QStringList{"1", "2", "3", "3"})); // the read past the end
    EXPECT_EQ(c->Text1[2]->text(), "12");
    autoCycleStep(*c);
    EXPECT_FALSE(c->Timer9.isActive());
    EXPECT_TRUE(c->Timer8.isActive());
}

TEST_F(RecordReplay, AutoplayPansEveryRecordAndTheWordsStopEverything) {
    state().replayPanX = 100;
    state().replayPanY = 200;
    autoplayCycleStart(*c);
    EXPECT_TRUE(state().replayMode);
    autoplayCycleStep(*c);
    EXPECT_FALSE(c->huaxian); // rainst
    EXPECT_EQ(c->Text1[2]->text(), "110");
    EXPECT_EQ(c->Text1[3]->text(), "220");

    c->Text2->setText(QStringLiteral("autoplay"));
    QTest::mouseClick(c->Text2->editor(), Qt::LeftButton);
    EXPECT_TRUE(c->Timer10.isActive());
    EXPECT_EQ(c->Text2->text(), QString());
    for (QTimer* timer : {&c->Timer8, &c->Timer9, &c->Timer11})
        timer->start();
    c->Text2->setText(QStringLiteral("other"));
    QTest::mouseClick(c->Text2->editor(), Qt::LeftButton);
    for (QTimer* timer : {&c->Timer8, &c->Timer9, &c->Timer10, &c->Timer11})
        EXPECT_FALSE(timer->isActive());
    EXPECT_FALSE(state().replayMode);

    // Enter starts "auto"; a key with "autolook" there starts the preview.
    c->Text2->setText(QStringLiteral("auto"));
    QTest::keyClick(c->Text2->editor(), Qt::Key_Return);
    EXPECT_TRUE(c->Timer8.isActive());
    c->Text2->setText(QStringLiteral("autolook"));
    QTest::keyClick(c->Text2->editor(), Qt::Key_X);
    EXPECT_TRUE(c->Timer12.isActive());
    c->Timer12.stop();
}

// A renderer's message box lets the cycle timer fire again: that tick does
// nothing, so no second box opens and no record is skipped.
TEST_F(RecordReplay, ATickDuringAMessageWaitsItsTurn) {
    t.temp.write("treego.txt", "1,0,1,1,1,10,20,1,\r\n2,1,1,1,1,11,21,1,\r\n");
    autoCycleStart(*c);
    t.dialogs.onMessage = [&] { autoCycleStep(*c); };
    autoCycleStep(*c); // radius 0: the arithmetic message
    t.dialogs.onMessage = nullptr;
    EXPECT_EQ(t.dialogs.messageTexts().size(), 1);
    EXPECT_EQ(state().treeRecordIndex, 1);
    EXPECT_TRUE(c->Timer9.isActive());
}

TEST_F(RecordReplay, NoRecordsNoCycle) {
    t.temp.write("treego.txt", "");
    autoCycleStart(*c);
    EXPECT_FALSE(c->Timer9.isActive());
    QFile::remove(t.temp.file("treego.txt"));
    EXPECT_EQ(query1(*c, QLatin1Char(',')), 0);
}

TEST_F(RecordReplay, ARecordFileTooLargeToReadIsNamedOnceAndNoCycleRuns) {
    QFile f(t.temp.file("treego.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(300LL * 1024 * 1024)); // sparse
    f.close();
    c->Timer8.start();
    autoCycleStart(*c);
    EXPECT_FALSE(c->Timer8.isActive());
    EXPECT_FALSE(c->Timer9.isActive());
    EXPECT_EQ(state().treeRecordCount, 0);
    EXPECT_EQ(t.dialogs.messageTexts(), QStringList{tooLargeMessage(f.fileName())});
    QFile::remove(f.fileName());
}

} // namespace
} // namespace quorin
