#include "canvas/CommandBar.h"
#include "canvas/StrokeFiles.h"
#include "platform/TextFiles.h"
#include "support/CanvasTest.h"
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>
#include <QtEndian>

namespace quorin {
namespace {

using test::CanvasTest;

const QString replaceQuestion = QStringLiteral("已经存在。\r\n要替换她吗？");

class CommandBar : public CanvasTest {
protected:
    void SetUp() override {
        c = &launch(CanvasMode::Freehand);
        // Distinct record values, so their order shows in the records.
        const std::array<std::pair<int, const char*>, 6> fields = {
            {{10, "t10"}, {0, "r0"}, {1, "v1"}, {3, "w3"}, {4, "v4"}, {2, "w2"}}};
        for (auto [i, text] : fields)
            main().Text1[i]->setText(QString::fromLatin1(text));
        c->Text1[2]->setText(QStringLiteral("12"));
        c->Text1[3]->setText(QStringLiteral("34"));
        c->Picture1->setAutoRedraw(true);
        c->Picture1->pset(300, 300, colors::red);
    }
    QString records(const char* name) { return fromGbk(t.temp.read(QString::fromLatin1(name))); }
    static QString values() { return QStringLiteral("t10,r0,v1,w3,v4,12,34,w2,"); }
    static QString today() {
        return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    }
    CanvasWindow* c = nullptr;
};

TEST_F(CommandBar, ClearAnsweredNoChangesNothingAndYesStartsOver) {
    state().keepPicture = true;
    t.dialogs.answerMessage(Answer::No);
    c->Command1[1]->click();
    ASSERT_EQ(t.dialogs.shown().size(), 1u);
    EXPECT_EQ(t.dialogs.shown()[0].text, QStringLiteral("确定要清空保存的图像，重新开始画图吗？"));
    EXPECT_EQ(t.dialogs.shown()[0].title, QStringLiteral("Quorin画图"));
    EXPECT_TRUE(state().keepPicture);
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("12"));
    EXPECT_EQ(c->Picture1->point(300, 300), colors::red);

    main().Text1[15]->setText(QStringLiteral("5"));
    state().coordTransformX = 9;
    t.dialogs.answerMessage(Answer::Yes);
    c->Command1[1]->click();
    EXPECT_FALSE(state().keepPicture);
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("0"));
    EXPECT_EQ(c->Text1[3]->text(), QStringLiteral("0"));
    EXPECT_EQ(main().Text1[15]->text(), QStringLiteral("0"));
    EXPECT_EQ(state().coordTransformX, 0);
    EXPECT_FALSE(c->Image1->hasPicture());
    EXPECT_FALSE(c->Picture1->autoRedraw());
    EXPECT_EQ(c->Picture1->point(300, 300), colors::black);
}

TEST_F(CommandBar, SaveUnderANewNameWritesPictureAndBothRecords) {
    const QString file = t.temp.file("new.bmp");
    t.dialogs.answerSave(file);
    c->Command1[3]->click();
    ASSERT_TRUE(fileExists(file));
    QImage saved(file);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), c->Picture1->size());
    EXPECT_EQ(records("treego.txt"), values() + "\r\n");
    EXPECT_EQ(records("tree.txt"), today() + "\r\n" + file + "\t" + values() + "\r\n");
    EXPECT_EQ(t.dialogs.shown().size(), 1u); // no question for a new file
    EXPECT_EQ(t.dialogs.shown()[0].text, pictureFileFilter());
}

TEST_F(CommandBar, SaveOverAnExistingNameAsksFirst) {
    const QString file = t.temp.file("old.bmp");
    t.temp.write("old.bmp", "keep me");
    t.dialogs.answerSave(file);
    t.dialogs.answerMessage(Answer::No);
    c->Command1[3]->click();
    EXPECT_EQ(t.temp.read("old.bmp"), QByteArray("keep me"));
    EXPECT_TRUE(records("treego.txt").isEmpty());
    EXPECT_TRUE(records("tree.txt").isEmpty());
    ASSERT_EQ(t.dialogs.shown().size(), 2u);
    EXPECT_EQ(t.dialogs.shown()[1].text, file + replaceQuestion);
    EXPECT_EQ(t.dialogs.shown()[1].title, QStringLiteral("Quorin计算 "));
    EXPECT_EQ(t.dialogs.shown()[1].buttons, MessageButtons::YesNo);

    t.dialogs.answerSave(file);
    t.dialogs.answerMessage(Answer::Yes);
    c->Command1[3]->click();
    EXPECT_FALSE(QImage(file).isNull());
    EXPECT_EQ(records("treego.txt"), values() + "\r\n");
}

TEST_F(CommandBar, FailedSaveWritesNoRecordsAndCancelNothingAtAll) {
    t.dialogs.answerSave(t.temp.file("no/such/folder/x.bmp"));
    c->Command1[3]->click();
    EXPECT_TRUE(records("treego.txt").isEmpty());
    EXPECT_TRUE(records("tree.txt").isEmpty());
    EXPECT_EQ(t.dialogs.messageTexts(),
              QStringList{notWrittenMessage(t.temp.file("no/such/folder/x.bmp"))});

    t.dialogs.answerSave(QString());
    c->Command1[3]->click();
    EXPECT_TRUE(records("treego.txt").isEmpty());
}

TEST_F(CommandBar, RecordThatCannotBeAppendedDoesNotCostThePicture) {
    // treego.txt cannot be opened for appending: a folder stands in its way.
    QFile::remove(t.temp.file("treego.txt"));
    QDir().mkpath(t.temp.file("treego.txt"));
    const QString file = t.temp.file("p.bmp");
    t.dialogs.answerSave(file);
    c->Command1[3]->click();
    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(records("tree.txt").endsWith(file + "\t" + values() + "\r\n"));
}

TEST_F(CommandBar, PrestoreKeepsThePictureAndWritesNoRecords) {
    const QString file = t.temp.file("pre.jpg");
    t.temp.write("pre.jpg", "old");
    t.dialogs.answerMessage(Answer::Yes);
    t.dialogs.answerSave(file);
    t.dialogs.answerMessage(Answer::Yes);
    c->Command1[2]->click();
    EXPECT_TRUE(state().keepPicture);
    EXPECT_TRUE(c->Picture1->autoRedraw());
    ASSERT_EQ(t.dialogs.shown().size(), 3u);
    EXPECT_EQ(t.dialogs.shown()[0].text, QStringLiteral("确定要预存图像吗？"));
    EXPECT_EQ(t.dialogs.shown()[2].title, QStringLiteral("Quorin计算 之 查询存储"));
    EXPECT_FALSE(QImage(file).isNull());
    EXPECT_TRUE(records("treego.txt").isEmpty());

    t.dialogs.clearLog();
    state().keepPicture = false;
    t.dialogs.answerMessage(Answer::No);
    c->Command1[2]->click();
    EXPECT_FALSE(state().keepPicture);
    EXPECT_EQ(t.dialogs.shown().size(), 1u);
}

TEST_F(CommandBar, CtrlSSavesOnlyOnAKeptFullScreenPicture) {
    QTest::keyClick(c->Picture1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(t.dialogs.shown().empty());

    state().fullScreen = true;
    state().keepPicture = true;
    QTest::keyClick(c->Picture1, Qt::Key_S, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_TRUE(t.dialogs.shown().empty());

    const QString file = t.temp.file("ctrl.bmp");
    t.dialogs.answerSave(file);
    QTest::keyClick(c->Picture1, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(fileExists(file));
    EXPECT_TRUE(records("treego.txt").isEmpty());
}

TEST_F(CommandBar, CtrlLTogglesThePenOnlyWhileDrawing) {
    state().fullScreen = true;
    state().keepPicture = true;
    state().drawingMode = true;
    QTest::keyClick(c->Picture1, Qt::Key_L, Qt::ControlModifier);
    EXPECT_EQ(c->Command1[21]->caption(), QStringLiteral("细"));
    EXPECT_EQ(c->Picture1->drawWidth(), 7);
}

TEST_F(CommandBar, ThickThinOnlyWhileDrawing) {
    const int width = c->Picture1->drawWidth();
    c->Command1[21]->click();
    EXPECT_EQ(c->Command1[21]->caption(), QStringLiteral("粗"));
    EXPECT_EQ(c->Picture1->drawWidth(), width);

    state().drawingMode = true;
    c->Command1[21]->click();
    EXPECT_EQ(c->Command1[21]->caption(), QStringLiteral("细"));
    EXPECT_EQ(c->Picture1->drawWidth(), 7);
    c->Command1[21]->click();
    EXPECT_EQ(c->Command1[21]->caption(), QStringLiteral("粗"));
    EXPECT_EQ(c->Picture1->drawWidth(), 2);
}

TEST_F(CommandBar, CoordinateTransformTakesTheLastPressedPoint) {
    c->Command1[11]->click();
    EXPECT_EQ(state().coordTransformX, 0); // nothing pressed yet: the fields hold "0"
    EXPECT_EQ(state().coordTransformY, 0);
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("0"));
    EXPECT_TRUE(c->baochi);
    EXPECT_FALSE(c->Picture1->autoRedraw());
    EXPECT_EQ(c->Text1[2]->backColor(), rgb(232, 227, 174));

    main().Text1[15]->setText(QStringLiteral("120.5"));
    main().Text1[16]->setText(QStringLiteral("abc"));
    c->Command1[11]->click();
    EXPECT_EQ(state().coordTransformX, 120.5);
    EXPECT_EQ(state().coordTransformY, 0);
    EXPECT_EQ(c->zx, 120.5);
}

TEST_F(CommandBar, ColourButtonsGoThroughTheMainWindowSwatches) {
    t.dialogs.answerColor(rgb(10, 20, 30));
    c->Command1[6]->click();
    EXPECT_EQ(main().Command6[0]->backColor(), rgb(10, 20, 30));
    EXPECT_EQ(c->Picture1->backColor(), rgb(10, 20, 30));

    t.dialogs.answerColor(colors::red);
    c->Command1[7]->click();
    EXPECT_EQ(main().Command6[1]->backColor(), colors::red);
    EXPECT_EQ(c->yaa, colors::red);
}

// One dialog serves both buttons: it opens on the last colour chosen and a
// Cancel applies that colour (black before any choice).
TEST_F(CommandBar, CancelledColourDialogAppliesTheLastColour) {
    t.dialogs.cancelColor();
    c->Command1[6]->click();
    EXPECT_EQ(c->Picture1->backColor(), colors::black);

    t.dialogs.answerColor(rgb(1, 2, 3));
    c->Command1[6]->click();
    t.dialogs.cancelColor();
    c->Command1[7]->click();
    EXPECT_EQ(t.dialogs.shown().back().initialColor, rgb(1, 2, 3));
    EXPECT_EQ(c->yaa, rgb(1, 2, 3));
    EXPECT_EQ(main().Command6[1]->backColor(), rgb(1, 2, 3));
}

TEST_F(CommandBar, SmallSwitches) {
    c->Command1[4]->click();
    EXPECT_EQ(c->yae, PlotWindow::Yae::danse);
    EXPECT_FALSE(c->Command1[4]->isEnabled());
    EXPECT_TRUE(c->Command1[5]->isEnabled());
    c->Command1[5]->show();
    c->Command1[5]->click();
    EXPECT_EQ(c->yae, PlotWindow::Yae::caise);
    EXPECT_TRUE(c->Command1[4]->isEnabled());
    EXPECT_FALSE(c->Command1[5]->isEnabled());

    c->command1Click(8);
    EXPECT_FALSE(c->huatuo);
    c->command1Click(12);
    EXPECT_TRUE(c->huaxian);
}

TEST_F(CommandBar, WriteTextMarksThePressedPointAndPrintsThere) {
    c->zx = 600;
    c->zy = 450;
    c->Text2->setText(QString());
    c->yaa = colors::red;
    c->command1Click(13);
    PictureBox& p = *c->Picture1;
    EXPECT_EQ(p.point(600, 450), colors::red);
    EXPECT_EQ(p.currentX(), 600);
    EXPECT_EQ(p.drawFont().pointSizeF(), 30);
    EXPECT_TRUE(p.drawFont().bold());
    EXPECT_EQ(p.fillColor(), colors::red);
    EXPECT_EQ(p.drawFont().family(), availableFontFamily(QStringLiteral("华文行楷")));
}

TEST_F(CommandBar, ImportPictureStretchesTheChosenFileOverTheCanvas) {
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(t.temp.file("in.bmp"), "BMP"));
    t.dialogs.answerOpen(t.temp.file("in.bmp"));
    const int pauses = t.clock.processingPauses();
    c->command1Click(9);
    EXPECT_EQ(t.clock.processingPauses(), pauses + 1);
    PictureBox& p = *c->Picture1;
    EXPECT_EQ(p.point(p.scaleWidth() - 20, p.scaleHeight() - 20), colors::blue);
    EXPECT_EQ(p.point(20, 20), colors::blue);
    EXPECT_FALSE(p.autoRedraw());
    EXPECT_FALSE(c->Image1->isVisible());
    EXPECT_TRUE(t.dialogs.messageTexts().isEmpty());
}

TEST_F(CommandBar, ImportOfAFileThatCannotBeShownNamesItAndEndsThere) {
    const QByteArray jpeg = t.temp.read("hai1.jpg");
    ASSERT_TRUE(QImage(t.temp.file("hai1.jpg")).save(t.temp.file("whole.png")));
    const QByteArray png = t.temp.read("whole.png");
    QByteArray huge = jpeg; // its frame header claims 30000 x 30000 pixels
    qToBigEndian<quint16>(30000, huge.data() + huge.indexOf("\xFF\xC0") + 5);
    qToBigEndian<quint16>(30000, huge.data() + huge.indexOf("\xFF\xC0") + 7);
    const std::vector<std::pair<QString, QByteArray>> files = {
        {"empty.jpg", {}},
        {"notes.jpg", "not a picture"},
        {"scrambled.png", png.left(40) + QByteArray(png.size() - 40, 'Z')},
        {"cut.png", png.left(png.size() / 2)},
        {"cut.jpg", jpeg.left(jpeg.size() * 3 / 4)}, // inside the picture data
        {"huge.jpg", huge}};
    QStringList expected;
    for (const auto& [name, bytes] : files) {
        t.temp.write(name, bytes);
        t.dialogs.answerOpen(t.temp.file(name));
        c->command1Click(9);
        EXPECT_FALSE(c->Image1->hasPicture()) << name.toStdString();
        expected << QStringLiteral("无法打开图像文件 %1。")
                        .arg(QDir::toNativeSeparators(t.temp.file(name)));
    }
    EXPECT_EQ(t.dialogs.messageTexts(), expected);
    EXPECT_EQ(t.dialogs.shown().back().title, QStringLiteral("Quorin"));

    // Bytes after the end of a whole JPEG do no harm.
    t.temp.write("tail.jpg", jpeg + QByteArray(64, '\0'));
    t.dialogs.answerOpen(t.temp.file("tail.jpg"));
    c->command1Click(9);
    EXPECT_TRUE(c->Image1->hasPicture());
    EXPECT_EQ(t.dialogs.messageTexts().size(), files.size());
}

TEST_F(CommandBar, ImportPictureStopsWhenTheCanvasIsClosedDuringItsWait) {
    t.clock.onPause = [this](int) { t.program->unloadCanvas(); };
    c->command1Click(9); // no open dialog may follow
    EXPECT_TRUE(c->isDead());
    EXPECT_TRUE(t.dialogs.shown().empty());
}

} // namespace
} // namespace quorin
