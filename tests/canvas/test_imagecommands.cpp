#include "core/RowReader.h"
#include "imagecmp/ImageCommands.h"
#include "platform/TextFiles.h"
#include "platform/Twips.h"
#include "support/CanvasTest.h"
#include "support/RunTool.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

namespace quorin {
namespace {

using test::CanvasTest;

const QString recognitionTitle = QStringLiteral("Quorin 进化-quorin evolution 之图像识别");
constexpr ColorValue white = rgb(255, 255, 255);

// A white picture of 160 x 120 pixels (2400 x 1800 twips) sampled every 100
// twips: 24 columns of 18 points.
class ImageCommands : public CanvasTest {
protected:
    void SetUp() override {
        c = &launchSmall(CanvasMode::Overlay, {160, 120}, white);
        c->Text1[2]->setText(QStringLiteral("24"));
        c->Text1[3]->setText(QStringLiteral("18"));
        c->Text2->setText(QStringLiteral("100"));
        // A user scale from an earlier drawing must not matter.
        c->Picture1->scale(-1, 1, 1, -1);
        t.dialogs.clearLog(); // the mode's advice
    }
    PictureBox& pic() { return *c->Picture1; }
    // A red square over the grid points (500..700, 300..500) twips.
    void drawRedSquare() {
        pic().resetScale();
        pic().box(450, 250, 750, 550, colors::red, true);
        pic().scale(-1, 1, 1, -1);
    }
    void captureTo(const QString& name) {
        t.dialogs.answerSave(t.temp.file(name));
        command12Click(*c, 0);
    }
    QStringList lines(const QString& name) {
        return fromGbk(t.temp.read(name)).split(QStringLiteral("\r\n"));
    }
    CanvasWindow* c = nullptr;
};

TEST_F(ImageCommands, AResolutionWithoutAGridPutsTheDefaultsBackWithoutADialog) {
    for (const char* x : {"0", "abc", "-5", "1e9", "3000"}) { // 3000 columns: more than the box
        SCOPED_TRACE(x);
        t.dialogs.clearLog();
        c->Text1[2]->setText(QString::fromLatin1(x));
        command12Click(*c, 1);
        EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("800"));
        EXPECT_EQ(c->Text1[3]->text(), QStringLiteral("600"));
        EXPECT_EQ(c->Text2->text(), QStringLiteral("100"));
        ASSERT_EQ(t.dialogs.shown().size(), 1u);
        EXPECT_TRUE(t.dialogs.shown()[0].text.startsWith(QStringLiteral("图像采集时")));
        EXPECT_EQ(t.dialogs.shown()[0].title, QStringLiteral("Quorin"));
    }
    EXPECT_TRUE(state().captureMode);
    // The template button's own message comes first, then its threshold.
    t.dialogs.clearLog();
    c->Text1[3]->setText(QStringLiteral("0"));
    command9Click(*c);
    ASSERT_EQ(t.dialogs.shown().size(), 1u);
    EXPECT_TRUE(t.dialogs.shown()[0].text.startsWith(QStringLiteral("按钮：“坐标变换”")));
    EXPECT_EQ(c->Text2->text(), QStringLiteral("30"));
    EXPECT_EQ(c->Command9->caption(), QStringLiteral("图像采集"));
}

TEST_F(ImageCommands, CaptureWritesAColumnPerLineWithRunningTotals) {
    drawRedSquare();
    t.clock.onPause = [this](int) {
        EXPECT_TRUE(c->Command12[0]->isHidden());
        EXPECT_TRUE(c->Command1[9]->isHidden());
    };
    captureTo(QStringLiteral("a.txt"));
    t.clock.onPause = nullptr;
    const QStringList l = lines(QStringLiteral("a.txt"));
    ASSERT_EQ(l.size(), 25); // 24 lines, and nothing after the last CR LF
    for (int i = 0; i < 24; ++i) {
        const QStringList f = l[i].split(QLatin1Char('\t'));
        ASSERT_EQ(f.size(), 19);
        EXPECT_EQ(f.back(), QString::number(18 * (i + 1))); // distinct even where all white
    }
    EXPECT_EQ(l[0].split(QLatin1Char('\t'))[0], QStringLiteral("FFFFFF"));
    EXPECT_EQ(l[5].split(QLatin1Char('\t'))[3], QStringLiteral("FF")); // (500, 300)
    EXPECT_EQ(t.dialogs.messageTexts().back(),
              t.temp.file(QStringLiteral("a.txt")) +
                  QStringLiteral(
                      "采集成功，在进行下一步图像处理之前，请记住该图像所对应的像素文件名称。"));
    EXPECT_TRUE(shown(c->Command12[0]));
    EXPECT_TRUE(pic().autoRedraw());
    EXPECT_EQ(pic().scaleWidth(), 2); // the user scale is left alone
}

TEST_F(ImageCommands, ReplacingAskedNoKeepsTheOldFileAndYesEndsWithTwoEmptyLines) {
    t.temp.write(QStringLiteral("a.txt"), "old\r\n");
    t.dialogs.answerMessage(Answer::No);
    captureTo(QStringLiteral("a.txt"));
    EXPECT_EQ(t.temp.read(QStringLiteral("a.txt")), "old\r\n");
    EXPECT_EQ(t.dialogs.shown()[2].text, QStringLiteral("已经存在,要替换她吗？"));
    EXPECT_EQ(t.dialogs.shown()[2].title,
              QStringLiteral("Quorin 进化-quorin evolution 之 图像识别"));
    EXPECT_TRUE(shown(c->Command12[0])); // shown again although nothing was written

    t.dialogs.answerMessage(Answer::Yes);
    captureTo(QStringLiteral("a.txt"));
    EXPECT_TRUE(t.temp.read(QStringLiteral("a.txt")).endsWith("\t432\r\n\r\n\r\n"));
}

TEST_F(ImageCommands, ClosingTheCanvasDuringACaptureKeepsTheOldFile) {
    t.temp.write(QStringLiteral("a.txt"), "old\r\n");
    t.dialogs.answerMessage(Answer::Yes);
    t.clock.onPause = [this](int n) {
        if (n == 6)
            t.program->unloadCanvas();
    };
    captureTo(QStringLiteral("a.txt"));
    EXPECT_TRUE(c->isDead());
    EXPECT_EQ(t.temp.read(QStringLiteral("a.txt")), "old\r\n");
    EXPECT_EQ(t.dialogs.shown().size(), 3u); // no success
}

TEST_F(ImageCommands, ComparingTwoSetsWritesTheDifferencesAndMarksThemInThePenColour) {
    captureTo(QStringLiteral("a.txt"));
    drawRedSquare();
    captureTo(QStringLiteral("b.txt"));
    pic().setBackColor(white);
    t.dialogs.clearLog();

    t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("b.txt")));
    t.dialogs.answerMessage(Answer::Yes); // marks in the pen colour
    command12Click(*c, 1);

    const QString path = t.temp.file(QString::fromLatin1(differenceFileName));
    const QStringList l = lines(QString::fromLatin1(differenceFileName));
    ASSERT_EQ(l.size(), 25);
    EXPECT_EQ(l[0], QStringList(18, QStringLiteral("*")).join(QLatin1Char('\t')) +
                        QStringLiteral("\t18"));
    const QStringList f = l[5].split(QLatin1Char('\t'));
    EXPECT_EQ(f[3], QStringLiteral("ff")); // the second set's text, as the row reader left it
    EXPECT_EQ(f[2], QStringLiteral("*"));
    EXPECT_TRUE(t.dialogs.messageTexts().contains(
        QStringLiteral("已成功对比图片,并保存不同点到 了:") + QDir::toNativeSeparators(path)));
    EXPECT_EQ(pic().pointTwips(500, 300), c->yaa);
    EXPECT_EQ(pic().pointTwips(700, 500), c->yaa);
    EXPECT_EQ(pic().pointTwips(200, 200), white);
    EXPECT_TRUE(t.dialogs.allAnswersUsed());
}

TEST_F(ImageCommands, IdenticalSetsGiveOnlyStarsAndMarkNothing) {
    drawRedSquare();
    captureTo(QStringLiteral("a.txt"));
    const QImage before = pic().persistentImage();
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
    t.dialogs.answerMessage(Answer::No); // marks in the points' own colours
    command12Click(*c, 1);
    const QByteArray diff = t.temp.read(QString::fromLatin1(differenceFileName));
    EXPECT_EQ(diff.count("*"), 24 * 18);
    EXPECT_EQ(pic().persistentImage(), before);
}

TEST_F(ImageCommands, AFileWithoutCrLfRowsEndsTheCompareWithANotice) {
    t.temp.write(QStringLiteral("lf.txt"), "ff\tff\t2\nff\tff\t4\n");
    t.temp.write(QString::fromLatin1(differenceFileName), "previous");
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("lf.txt")));
    command12Click(*c, 1);
    EXPECT_TRUE(t.dialogs.messageTexts().back().startsWith(QStringLiteral("无法读取像素集合")));
    EXPECT_EQ(t.temp.read(QString::fromLatin1(differenceFileName)), "previous");
    EXPECT_TRUE(t.dialogs.allAnswersUsed());
}

TEST_F(ImageCommands, AFileThatCannotBeASetIsToldByNameAndNothingIsCompared) {
    captureTo(QStringLiteral("a.txt"));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(colors::red);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "JPG"));
    t.temp.write(QStringLiteral("photo.jpg"), jpeg);
    t.temp.write(QStringLiteral("nul.txt"), QByteArray("FF\t1\r\n\0", 7));
    QFile huge(t.temp.file(QStringLiteral("huge.txt")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(300LL * 1000 * 1000)); // sparse
    const QString diff = QString::fromLatin1(differenceFileName);
    t.temp.write(diff, "previous");
    const auto refused = [&](const char* name, const QString& message, bool second) {
        SCOPED_TRACE(name);
        const QString path = t.temp.file(QString::fromLatin1(name));
        t.dialogs.clearLog();
        if (second)
            t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
        t.dialogs.answerOpen(path);
        command12Click(*c, 1);
        const QStringList texts = t.dialogs.messageTexts();
        EXPECT_EQ(texts.back(), message.arg(QDir::toNativeSeparators(path)));
        EXPECT_EQ(texts.filter(QStringLiteral("成功导入")).size(), second ? 1 : 0);
        EXPECT_EQ(t.temp.read(diff), "previous");
    };
    const QString noSet = QStringLiteral("文件 %1 不是像素集合文件，未导入。");
    refused("photo.jpg", noSet, false);
    refused("nul.txt", noSet, true);
    refused("huge.txt", QStringLiteral("文件 %1 太大（超过 256 MB），无法读取。"), false);
}

TEST_F(ImageCommands, AFailedWriteOfTheDifferenceFileShowsNoSuccess) {
    captureTo(QStringLiteral("a.txt"));
    ASSERT_TRUE(QDir(t.temp.folder().path()).mkdir(QString::fromLatin1(differenceFileName)));
    t.dialogs.clearLog();
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
    command12Click(*c, 1);
    const QStringList texts = t.dialogs.messageTexts();
    EXPECT_TRUE(texts.back().startsWith(QStringLiteral("无法写入文件")));
    EXPECT_EQ(t.dialogs.shown().back().title, recognitionTitle);
    for (const QString& text : texts)
        EXPECT_FALSE(text.startsWith(QStringLiteral("已成功对比图片")));
}

TEST_F(ImageCommands, TwoStepButtonComparesWithThePicture) {
    t.dialogs.answerSave(t.temp.file(QStringLiteral("a.txt")));
    command11Click(*c);
    EXPECT_EQ(c->Command11->caption(), QStringLiteral("图像对比"));
    EXPECT_EQ(c->Command11->backColor(), 39321);
    EXPECT_EQ(t.dialogs.messageTexts().back(),
              QStringLiteral("采集成功，在进行下一步之前，请打开参与比较的第2幅图像，准备比较。"
                             "或者 采集好2张图片的像素文件。"));

    drawRedSquare();
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("a.txt")));
    t.dialogs.answerMessage(Answer::Yes); // compare with the picture
    t.dialogs.answerMessage(Answer::No);  // mark in the points' own colours
    command11Click(*c);
    EXPECT_EQ(c->Command11->caption(), QStringLiteral("图像采集"));
    EXPECT_EQ(c->Command11->backColor(), 39168);
    const QStringList f =
        lines(QString::fromLatin1(differenceFileName))[5].split(QLatin1Char('\t'));
    EXPECT_EQ(f[3], QStringLiteral("ffffff")); // the first set's colour where they differ
    EXPECT_EQ(f[2], QStringLiteral("*"));
    EXPECT_EQ(pic().pointTwips(500, 300), white); // redrawn in the first set's colour
    EXPECT_TRUE(t.dialogs.allAnswersUsed());
}

TEST_F(ImageCommands, TemplateButtonKeepsTheColoursAndWritesLiveTextsOnly) {
    drawRedSquare();
    t.dialogs.answerSave(t.temp.file(QStringLiteral("t.txt")));
    command9Click(*c);
    EXPECT_EQ(state().capturedPixels.at(5, 4), QString::number(colors::red));
    EXPECT_EQ(state().capturedPixels.at(0, 1), QString::number(white));

    pic().setBackColor(white);
    t.dialogs.clearLog();
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("t.txt")));
    t.dialogs.answerMessage(Answer::Yes);
    command9Click(*c);
    const QStringList f =
        lines(QString::fromLatin1(differenceFileName))[5].split(QLatin1Char('\t'));
    EXPECT_EQ(f[3], QStringLiteral("FFFFFF"));
    // No message and no marking after the file.
    EXPECT_EQ(t.dialogs.shown().size(), 3u);
    EXPECT_EQ(pic().pointTwips(500, 300), white);
}

TEST_F(ImageCommands, OverlayRedrawsOnlyTheDifferingPointsOfADifferenceFile) {
    t.temp.write(QStringLiteral("d.txt"), "*\t*\t*\t3\r\n*\tff\t*\t6\r\n");
    t.dialogs.answerMessage(Answer::Yes); // a background is shown
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("d.txt")));
    t.dialogs.answerMessage(Answer::No); // own colours
    command12Click(*c, 2);
    const QStringList texts = t.dialogs.messageTexts();
    EXPECT_TRUE(
        texts[1].contains(QDir::toNativeSeparators(t.temp.file(QStringLiteral("caculator.txt")))));
    EXPECT_FALSE(texts[1].contains(QStringLiteral("calculator")));
    EXPECT_EQ(texts.back(), QStringLiteral("叠加图片,绘画完毕！"));
    EXPECT_EQ(pic().pointTwips(100, 100), colors::red);
    EXPECT_EQ(pic().pointTwips(300, 100), white);
    EXPECT_EQ(pic().pointTwips(100, 500), white); // beyond the file: no point
}

TEST_F(ImageCommands, APressDuringAnOperationStartsNoSecondOne) {
    int presses = 0;
    t.clock.onPause = [&](int) {
        if (presses++ == 0)
            command12Click(*c, 1);
    };
    captureTo(QStringLiteral("a.txt"));
    EXPECT_EQ(presses, 25);                  // one pause before writing, one per column
    EXPECT_EQ(t.dialogs.shown().size(), 3u); // notice, save, success
}

// quorin-cli pixelset takes a picture as the canvas shows it at 1:1 on a
// 96-dpi screen: its capture and overlay of the picture shown so are the
// canvas's, byte for byte and pixel for pixel.
class ImageCommandsBesideTheTool : public ImageCommands {
protected:
    void SetUp() override {
        ImageCommands::SetUp();
        if (twipsPerPixel() != 15.0)
            GTEST_SKIP() << "the screen is not at 96 dpi";
        // Every pixel its own colour, the size of the box.
        QImage picture(160, 120, QImage::Format_RGB32);
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 160; ++x)
                picture.setPixel(x, y, qRgb(x * 3 / 2, y * 2, (x * 7 + y * 13) % 256));
        ASSERT_TRUE(picture.save(t.temp.file(QStringLiteral("p.png"))));
        pic().scaleToPixels();
        pic().paintPicture(picture, 0, 0, 160, 120);
        pic().scale(-1, 1, 1, -1);
    }
    test::ToolRun tool(QStringList words) {
        words.prepend(QStringLiteral("pixelset"));
        return test::runTool(words);
    }
};

TEST_F(ImageCommandsBesideTheTool, CapturesAreTheSameBytes) {
    // Steps of 100 twips (6 2/3 pixels), one pixel, and 1 twip down the
    // columns, which reads past the last half pixel.
    for (const auto& [x, y] : {std::pair{"24", "18"}, {"160", "120"}, {"7", "1800"}}) {
        SCOPED_TRACE(x);
        const QString name = QStringLiteral("canvas-%1.txt").arg(QString::fromLatin1(x));
        c->Text1[2]->setText(QString::fromLatin1(x));
        c->Text1[3]->setText(QString::fromLatin1(y));
        captureTo(name);
        const auto r =
            tool({"capture", t.temp.file(QStringLiteral("p.png")),
                  t.temp.file(QStringLiteral("tool.txt")), "--resolution",
                  QStringLiteral("%1x%2").arg(QString::fromLatin1(x), QString::fromLatin1(y))});
        ASSERT_EQ(r.exitCode, 0) << r.err.constData();
        const QByteArray canvas = t.temp.read(name);
        EXPECT_FALSE(canvas.isEmpty());
        EXPECT_TRUE(canvas == t.temp.read(QStringLiteral("tool.txt")));
    }
}

TEST_F(ImageCommandsBesideTheTool, OverlaysAreTheSamePixels) {
    t.temp.write(QStringLiteral("d.txt"), "*\tff\t*\t3\r\nff00\t*\t123456\t6\r\n*\t*\t*\t9\r\n");
    c->Text1[2]->setText(QStringLiteral("3"));
    c->Text1[3]->setText(QStringLiteral("3"));
    t.dialogs.answerMessage(Answer::Yes); // a background is shown
    t.dialogs.answerOpen(t.temp.file(QStringLiteral("d.txt")));
    t.dialogs.answerMessage(Answer::No); // own colours
    command12Click(*c, 2);
    ASSERT_TRUE(pic().savePicture(t.temp.file(QStringLiteral("canvas.bmp"))));
    const auto r =
        tool({"overlay", t.temp.file(QStringLiteral("d.txt")), t.temp.file(QStringLiteral("p.png")),
              t.temp.file(QStringLiteral("o.png")), "--resolution=3x3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QImage canvas =
        QImage(t.temp.file(QStringLiteral("canvas.bmp"))).convertToFormat(QImage::Format_RGB32);
    const QImage drawn =
        QImage(t.temp.file(QStringLiteral("o.png"))).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(drawn.size(), canvas.size());
    EXPECT_NE(drawn.pixel(53, 0), qRgb(79, 0, (53 * 7) % 256)); // a disc is drawn there
    EXPECT_TRUE(drawn == canvas);
}

} // namespace
} // namespace quorin
