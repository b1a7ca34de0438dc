#include "mainwindow/MainWindow.h"
#include "plottools/PictureTools.h"
#include "support/DiskFull.h"
#include "support/QtPrint.h"
#include "support/TestProgram.h"
#include <QDir>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorin;
using quorin::test::TestProgram;

namespace {

// A pixel of the frame's left side after 推导计算.
QPoint framePixel(const PictureBox& pic) {
    const double R = -pic.scaleLeft();
    return pic.toPixels(-0.9 * R, -0.5 * R).toPoint();
}

} // namespace

TEST(PictureTools, LabelClickSavesThePlotAsABitmap) {
    TestProgram tp;
    MainWindow& w = tp.main();
    w.Command1->click();
    w.windowClick(); // leaves AutoRedraw off
    ASSERT_FALSE(w.Picture1->autoRedraw());

    QTest::mouseClick(w.Label1[0], Qt::LeftButton);

    EXPECT_TRUE(w.Picture1->autoRedraw());
    const QByteArray bytes = tp.temp.read("11.jpg");
    ASSERT_TRUE(bytes.startsWith("BM"));
    QImage saved;
    ASSERT_TRUE(saved.loadFromData(bytes, "BMP"));
    EXPECT_EQ(saved.size(), w.Picture1->size());
    EXPECT_TRUE(tp.dialogs.shown().empty());

    // Every label saves, overwriting the last file.
    for (int i = 0; i < 18; ++i) {
        QFile::remove(tp.temp.file("11.jpg"));
        w.label1Click(i);
        EXPECT_TRUE(tp.temp.read("11.jpg").startsWith("BM")) << i;
    }
}

TEST(PictureTools, SavedFileHoldsThePersistentImage) {
    TestProgram tp;
    MainWindow& w = tp.main();
    w.Command1->click();
    w.label1Click(3);
    QImage saved;
    ASSERT_TRUE(saved.load(tp.temp.file("11.jpg"), "BMP"));
    const QImage& plot = w.Picture1->persistentImage();
    const QPoint p = framePixel(*w.Picture1);
    EXPECT_EQ(saved.pixel(p) & 0xFFFFFF, plot.pixel(p) & 0xFFFFFF);
    EXPECT_EQ(saved.pixel(p) & 0xFFFFFF, 0x0000FFu); // blue frame
}

TEST(PictureTools, FailedSaveIsReportedAndKeepsTheLastPlot) {
    TestProgram tp;
    MainWindow& w = tp.main();
    // No room on the disk: the last saved plot stays whole.
    tp.temp.write("11.jpg", "the last plot");
    {
        test::DiskFull disk(1000);
        w.label1Click(0);
    }
    EXPECT_EQ(tp.temp.read("11.jpg"), QByteArray("the last plot"));
    // A folder in the way: the file cannot be written.
    QFile::remove(tp.temp.file("11.jpg"));
    ASSERT_TRUE(QDir(tp.temp.folder().path()).mkdir("11.jpg"));
    w.label1Click(0);
    ASSERT_EQ(tp.dialogs.shown().size(), 2u);
    for (const auto& shown : tp.dialogs.shown()) {
        EXPECT_EQ(shown.text, QString::fromUtf8(plotSaveFailedMessage));
        EXPECT_EQ(shown.title, QStringLiteral("Quorin"));
    }
}

TEST(PictureTools, DoubleClickClearsTheDrawingButKeepsThePicture) {
    TestProgram tp;
    MainWindow& w = tp.main();
    PictureBox& pic = *w.Picture1;
    w.Command1->click();
    const QPoint p = framePixel(pic);
    ASSERT_EQ(pic.persistentImage().pixel(p) & 0xFFFFFF, 0x0000FFu);

    // Only the double-click event: a real double click also clicks, which
    // would start the replay.
    const QPointF at(5, 5);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, pic.mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&pic, &dbl);

    EXPECT_TRUE(pic.hasPicture());
    EXPECT_EQ(pic.backColor(), w.paperColor());
    // The frame pixel shows the background again: I1.jpg where it covers,
    // else the paper colour.
    const QImage i1(tp.temp.file("I1.jpg"));
    const QRgb expected = i1.rect().contains(p) ? i1.pixel(p) : qRgb(146, 197, 198);
    EXPECT_EQ(pic.persistentImage().pixel(p) & 0xFFFFFF, expected & 0xFFFFFF);
}
