#include "platform/PictureBox.h"
#include "platform/Twips.h"
#include "support/DiskFull.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace quorin;

namespace {

constexpr ColorValue white = rgb(255, 255, 255);
constexpr ColorValue green = rgb(0, 255, 0);
constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

ColorValue pixelOf(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return rgb(qRed(p), qGreen(p), qBlue(p));
}

int countColour(const QImage& image, ColorValue c) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += pixelOf(image, x, y) == c;
    return n;
}

// A 200 x 100 box on white, scaled in pixels so that positions are exact.
class PictureBoxTest : public ::testing::Test {
protected:
    PictureBoxTest() {
        box.resize(200, 100);
        box.setBackColor(white);
        box.scaleToPixels();
    }
    PictureBox box;
};

} // namespace

// --- layers ---

TEST_F(PictureBoxTest, AutoRedrawOnDrawsOnPersistentAndScreenFollows) {
    box.setAutoRedraw(true);
    box.pset(10, 20, colors::red);
    EXPECT_EQ(pixelOf(box.persistentImage(), 10, 20), colors::red);
    EXPECT_EQ(pixelOf(box.screenImage(), 10, 20), colors::red);
    EXPECT_EQ(box.point(10, 20), colors::red);
    EXPECT_EQ(box.point(11, 20), white);
}

TEST_F(PictureBoxTest, AutoRedrawOffDrawsOnScreenOnlyAndRefreshDropsIt) {
    box.setAutoRedraw(true);
    box.pset(5, 5, colors::blue);
    box.setAutoRedraw(false);
    box.pset(10, 20, colors::red);
    EXPECT_EQ(pixelOf(box.persistentImage(), 10, 20), white);
    EXPECT_EQ(pixelOf(box.screenImage(), 10, 20), colors::red);
    EXPECT_EQ(box.point(10, 20), colors::red); // reads the screen

    box.refresh();
    EXPECT_EQ(pixelOf(box.screenImage(), 10, 20), white);
    EXPECT_EQ(pixelOf(box.screenImage(), 5, 5), colors::blue);
}

TEST_F(PictureBoxTest, PaintingShowsScreenOnlyDrawing) {
    box.show();
    box.pset(10, 20, colors::red);
    box.repaint();
    EXPECT_EQ(pixelOf(box.screenImage(), 10, 20), colors::red);
    EXPECT_EQ(pixelOf(box.grab().toImage(), 10, 20), colors::red);
}

// A command that lets events in after every line must not paint (and flush
// the window) at every line: paints come at most at display rate.
TEST_F(PictureBoxTest, UpdatesComeAtMostAtDisplayRate) {
    struct Counter final : QObject {
        bool eventFilter(QObject*, QEvent* e) override {
            paints += e->type() == QEvent::Paint;
            return false;
        }
        int paints = 0;
    } counter;
    box.show();
    QCoreApplication::processEvents();
    box.installEventFilter(&counter);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; timer.elapsed() < 100; ++i) {
        box.line(0, i % 100, 199, 99 - i % 100, colors::red);
        QCoreApplication::processEvents();
    }
    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, timer.elapsed() / 16 + 2);
}

TEST_F(PictureBoxTest, DrawingWithAutoRedrawOnReplacesScreenOnlyDrawing) {
    box.pset(10, 20, colors::red); // screen only
    box.setAutoRedraw(true);
    box.pset(30, 30, colors::blue);
    EXPECT_EQ(pixelOf(box.screenImage(), 10, 20), white);
    EXPECT_EQ(pixelOf(box.screenImage(), 30, 30), colors::blue);
}

TEST_F(PictureBoxTest, ClsFollowsAutoRedraw) {
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    box.setPicture(picture);
    box.setAutoRedraw(true);
    box.pset(100, 50, colors::red);
    box.setAutoRedraw(false);
    box.pset(120, 50, colors::blue);

    box.cls(); // off: the screen goes back to the persistent image
    EXPECT_EQ(box.point(100, 50), colors::red);
    EXPECT_EQ(box.point(120, 50), white);

    box.setAutoRedraw(true);
    box.cls(); // on: back colour and picture only
    EXPECT_EQ(box.point(100, 50), white);
    EXPECT_EQ(box.point(5, 5), green);
    EXPECT_EQ(pixelOf(box.screenImage(), 100, 50), white);
}

TEST_F(PictureBoxTest, ClsMovesCurrentPointToScaleOrigin) {
    box.scale(-5, 7, 5, -7);
    box.setCurrent(3, 3);
    box.cls();
    EXPECT_EQ(box.currentX(), -5);
    EXPECT_EQ(box.currentY(), 7);
}

// --- background ---

TEST_F(PictureBoxTest, BackColorErasesPersistentDrawingToo) {
    box.setAutoRedraw(true);
    box.pset(10, 10, colors::red);
    box.setBackColor(colors::blue);
    EXPECT_EQ(box.point(10, 10), colors::blue);
    EXPECT_EQ(pixelOf(box.screenImage(), 10, 10), colors::blue);
    EXPECT_EQ(box.backColor(), colors::blue);
}

TEST_F(PictureBoxTest, PictureSitsAtNaturalSizeAndReplacingItErasesDrawing) {
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::green);
    box.setAutoRedraw(true);
    box.pset(100, 50, colors::red);
    box.setPicture(picture);
    EXPECT_TRUE(box.hasPicture());
    EXPECT_EQ(box.point(19, 9), green);
    EXPECT_EQ(box.point(20, 9), white); // not stretched
    EXPECT_EQ(box.point(100, 50), white);

    box.clearPicture();
    EXPECT_FALSE(box.hasPicture());
    EXPECT_EQ(box.point(19, 9), white);
}

TEST_F(PictureBoxTest, LoadPictureReadsByContentAndRefusesMissingFile) {
    test::TempFolder temp;
    QImage picture(8, 4, QImage::Format_RGB32);
    picture.fill(Qt::green);
    // A bitmap under a .jpg name, as the box saves them itself.
    ASSERT_TRUE(picture.save(temp.file("p.jpg"), "BMP"));
    EXPECT_TRUE(box.loadPicture(temp.file("p.jpg")));
    EXPECT_EQ(box.picture().size(), QSize(8, 4));
    EXPECT_EQ(box.point(7, 3), green);

    EXPECT_FALSE(box.loadPicture(temp.file("missing.jpg")));
    EXPECT_FALSE(box.hasPicture());
    EXPECT_EQ(box.point(7, 3), white);

    temp.write("junk.jpg", "not a picture");
    EXPECT_FALSE(box.loadPicture(temp.file("junk.jpg")));
    EXPECT_FALSE(box.hasPicture());
}

// --- point and scale ---

TEST_F(PictureBoxTest, PointIsMinusOneOutsideTheBox) {
    EXPECT_EQ(box.point(0, 0), white);
    EXPECT_EQ(box.point(199, 99), white);
    EXPECT_EQ(box.point(-1, 0), -1);
    EXPECT_EQ(box.point(200, 0), -1);
    EXPECT_EQ(box.point(0, 100), -1);
    EXPECT_EQ(box.point(notANumber, 0), -1);
    EXPECT_EQ(box.point(0, infinity), -1);
    EXPECT_EQ(box.point(1e300, -1e300), -1);
}

TEST_F(PictureBoxTest, ScaleWithYGrowingDownward) {
    box.scale(-100, -50, 100, 50);
    EXPECT_EQ(box.scaleLeft(), -100);
    EXPECT_EQ(box.scaleTop(), -50);
    EXPECT_EQ(box.scaleWidth(), 200);
    EXPECT_EQ(box.scaleHeight(), 100);
    box.pset(-100, -50, colors::red);
    box.pset(90, 40, colors::blue);
    EXPECT_EQ(pixelOf(box.screenImage(), 0, 0), colors::red);
    EXPECT_EQ(pixelOf(box.screenImage(), 190, 90), colors::blue);
    EXPECT_EQ(box.point(90, 40), colors::blue);
}

TEST_F(PictureBoxTest, ScaleWithYGrowingUpward) {
    box.scale(0, 10, 20, 0); // y = 10 at the top, 0 at the bottom
    EXPECT_EQ(box.scaleHeight(), -10);
    box.pset(0, 10, colors::red);
    box.pset(10, 2, colors::blue);
    EXPECT_EQ(pixelOf(box.screenImage(), 0, 0), colors::red);
    EXPECT_EQ(pixelOf(box.screenImage(), 100, 80), colors::blue);
    const QPointF user = box.toUser(QPointF(100, 80));
    EXPECT_DOUBLE_EQ(user.x(), 10);
    EXPECT_DOUBLE_EQ(user.y(), 2);
}

TEST(PictureBoxScale, DefaultTwipsFollowTheSizeAndUserScaleStays) {
    PictureBox box;
    box.resize(200, 100);
    const double tpp = twipsPerPixel();
    EXPECT_DOUBLE_EQ(box.scaleWidth(), 200 * tpp);
    EXPECT_DOUBLE_EQ(box.scaleHeight(), 100 * tpp);
    box.resize(300, 150);
    EXPECT_DOUBLE_EQ(box.scaleWidth(), 300 * tpp);

    box.scale(0, 0, 10, 5);
    box.resize(400, 50);
    EXPECT_EQ(box.scaleWidth(), 10);
    EXPECT_EQ(box.scaleHeight(), 5);
    EXPECT_DOUBLE_EQ(box.toPixels(5, 5).x(), 200);
    EXPECT_DOUBLE_EQ(box.toPixels(5, 5).y(), 50);

    box.resetScale();
    EXPECT_DOUBLE_EQ(box.scaleWidth(), 400 * tpp);
    EXPECT_EQ(box.scaleLeft(), 0);
}

// --- drawing ---

TEST_F(PictureBoxTest, LinesRunEndToEndAndMoveTheCurrentPoint) {
    box.line(10, 10, 50, 10, colors::red);
    EXPECT_EQ(box.point(10, 10), colors::red);
    EXPECT_EQ(box.point(30, 10), colors::red);
    EXPECT_EQ(box.point(50, 10), colors::red);
    EXPECT_EQ(box.point(30, 11), white);
    EXPECT_EQ(box.currentX(), 50);
    EXPECT_EQ(box.currentY(), 10);

    box.lineTo(50, 40, colors::blue);
    EXPECT_EQ(box.point(50, 25), colors::blue);
    EXPECT_EQ(box.point(50, 40), colors::blue);
    EXPECT_EQ(box.currentY(), 40);

    box.setForeColor(green);
    box.line(0, 90, 20, 90);
    EXPECT_EQ(box.point(10, 90), green);
}

TEST_F(PictureBoxTest, BoxOutlineAndFills) {
    box.box(10, 10, 30, 20, colors::red);
    EXPECT_EQ(box.point(10, 10), colors::red);
    EXPECT_EQ(box.point(30, 20), colors::red);
    EXPECT_EQ(box.point(20, 15), white);
    EXPECT_EQ(box.point(31, 20), white);
    EXPECT_EQ(box.currentX(), 30);

    box.box(50, 10, 70, 20, colors::red, true);
    EXPECT_EQ(box.point(60, 15), colors::red);

    box.setFillStyle(FillStyle::Solid);
    box.setFillColor(green);
    box.box(110, 30, 90, 10, colors::blue); // corners in any order
    EXPECT_EQ(box.point(100, 20), green);
    EXPECT_EQ(box.point(90, 20), colors::blue);
}

TEST_F(PictureBoxTest, CircleOutlineFillAndAspect) {
    box.circle(100, 50, 20, colors::red);
    EXPECT_EQ(box.point(100, 50), white); // transparent inside
    EXPECT_EQ(box.point(120, 50), colors::red);
    EXPECT_EQ(box.point(100, 30), colors::red);
    EXPECT_EQ(box.point(123, 50), white);
    EXPECT_EQ(box.currentX(), 100);
    EXPECT_EQ(box.currentY(), 50);

    box.cls();
    box.setFillStyle(FillStyle::Solid);
    box.setFillColor(green);
    box.circle(100, 50, 20, colors::red);
    EXPECT_EQ(box.point(100, 50), green);
    EXPECT_EQ(box.point(110, 55), green);
    EXPECT_EQ(box.point(120, 50), colors::red);

    box.cls();
    box.setFillStyle(FillStyle::Transparent);
    box.circle(100, 50, 40, colors::red, 0.5); // wide: radius is horizontal
    EXPECT_EQ(box.point(140, 50), colors::red);
    EXPECT_EQ(box.point(100, 30), colors::red);
    box.cls();
    box.circle(100, 50, 40, colors::red, 2.0); // tall: radius is vertical
    EXPECT_EQ(box.point(100, 10), colors::red);
    EXPECT_EQ(box.point(120, 50), colors::red);
}

TEST_F(PictureBoxTest, CircleRadiusIsInXUnits) {
    box.scale(0, 0, 100, 10); // x: 2 px per unit, y: 10 px per unit
    box.circle(50, 5, 10, colors::red);
    EXPECT_EQ(pixelOf(box.screenImage(), 120, 50), colors::red);
    EXPECT_EQ(pixelOf(box.screenImage(), 100, 30), colors::red); // still round
}

TEST_F(PictureBoxTest, DrawWidthThickensAndIsClamped) {
    box.setDrawWidth(5);
    box.line(20, 50, 180, 50, colors::red);
    EXPECT_EQ(box.point(100, 48), colors::red);
    EXPECT_EQ(box.point(100, 52), colors::red);
    EXPECT_EQ(box.point(100, 55), white);

    box.pset(50, 20, colors::blue);
    EXPECT_EQ(box.point(50, 20), colors::blue);
    EXPECT_EQ(box.point(52, 20), colors::blue);

    box.setDrawWidth(0);
    EXPECT_EQ(box.drawWidth(), 1);
    box.setDrawWidth(1000);
    EXPECT_EQ(box.drawWidth(), 70);
}

TEST_F(PictureBoxTest, PrintDrawsTextAndMovesToTheNextLine) {
    box.setFontSize(20);
    box.setFontBold(true);
    box.setForeColor(colors::red);
    box.setCurrent(10, 5);
    box.print("WWW");
    EXPECT_EQ(box.currentX(), 10);
    EXPECT_GT(box.currentY(), 5 + 15);
    EXPECT_LT(box.currentY(), 5 + 60);
    EXPECT_GT(countColour(box.screenImage(), colors::red), 20);

    box.scale(0, 100, 200, 0); // y up: the next line is lower, so y falls
    box.setCurrent(10, 90);
    box.print("x");
    EXPECT_LT(box.currentY(), 90);
}

TEST_F(PictureBoxTest, PaintPictureStretchesIntoTheRectangle) {
    QImage picture(2, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(0, 0, 255));
    box.paintPicture(picture, 0, 0, box.scaleWidth(), box.scaleHeight());
    EXPECT_EQ(box.point(0, 0), colors::red);
    EXPECT_EQ(box.point(10, 99), colors::red);
    EXPECT_EQ(box.point(199, 0), colors::blue);
    EXPECT_EQ(box.point(190, 99), colors::blue);

    box.cls();
    box.paintPicture(picture, 100, 0, -100, 50); // negative width mirrors
    EXPECT_EQ(box.point(5, 10), colors::blue);
    EXPECT_EQ(box.point(95, 10), colors::red);
    EXPECT_EQ(box.point(150, 10), white);
    EXPECT_EQ(box.point(50, 60), white);
}

TEST_F(PictureBoxTest, FarAwayInfiniteAndNaNCoordinatesNeverHang) {
    QElapsedTimer timer;
    timer.start();
    box.setDrawWidth(3);
    box.line(-1e300, 50, 1e300, 50, colors::red); // clipped, still visible
    EXPECT_EQ(box.point(100, 50), colors::red);
    box.line(notANumber, 0, 10, 10, colors::red);
    box.line(0, 0, infinity, 10, colors::red);
    box.lineTo(5, 5, colors::red);
    box.pset(1e300, 1e300);
    box.pset(notANumber, notANumber);
    box.box(-1e300, -1e300, 1e300, 1e300, colors::red);
    box.box(0, 0, infinity, 5, colors::red, true);
    box.circle(100, 50, 1e300, colors::red);
    box.circle(100, 50, infinity, colors::red);
    box.circle(notANumber, 50, 3, colors::red);
    box.circle(1e300, 1e300, 5, colors::red);
    box.setFillStyle(FillStyle::Solid);
    box.circle(100, 50, 1e12, colors::red);
    box.setCurrent(1e300, notANumber);
    box.print("far away");
    box.paintPicture(QImage(4, 4, QImage::Format_RGB32), -1e300, -1e300, 2e300, 2e300);
    box.scale(0, 0, 1e-300, 1e-300);
    box.line(0, 0, 1, 1, colors::red);
    box.circle(0, 0, 1, colors::red);
    EXPECT_LT(timer.elapsed(), 2000);
}

TEST_F(PictureBoxTest, HugeCircleShowsItsVisibleEdge) {
    // Centre far to the left, beyond the range of int for the second; the edge
    // crosses x = 100.
    box.setFillStyle(FillStyle::Solid);
    box.setFillColor(green);
    for (const double r : {1e6, 3e9}) {
        SCOPED_TRACE(r);
        box.cls();
        box.circle(-r + 100, 50, r, colors::red);
        EXPECT_EQ(box.point(50, 50), green);
        EXPECT_EQ(box.point(100, 50), colors::red);
        EXPECT_EQ(box.point(150, 50), white);
        EXPECT_EQ(box.point(100, 0), colors::red); // sagitta is far below a pixel
    }
}

// --- saving ---

TEST_F(PictureBoxTest, SavePictureWritesBitmapOrByExtension) {
    test::TempFolder temp;
    box.setAutoRedraw(true);
    box.box(0, 0, 199, 99, colors::red, true);
    ASSERT_TRUE(box.savePicture(temp.file("11.jpg")));
    const QByteArray bmp = temp.read("11.jpg");
    EXPECT_TRUE(bmp.startsWith("BM"));
    const QImage back(temp.file("11.jpg"), "BMP");
    ASSERT_EQ(back.size(), QSize(200, 100));
    EXPECT_EQ(pixelOf(back, 5, 5), colors::red);

    ASSERT_TRUE(box.savePicture(temp.file("a.jpg"), SaveFormat::ByExtension));
    EXPECT_TRUE(temp.read("a.jpg").startsWith("\xFF\xD8"));
    ASSERT_TRUE(box.savePicture(temp.file("a.gif"), SaveFormat::ByExtension));
    EXPECT_FALSE(QImage(temp.file("a.gif")).isNull());
    ASSERT_TRUE(box.savePicture(temp.file("a.xyz"), SaveFormat::ByExtension));
    EXPECT_TRUE(temp.read("a.xyz").startsWith("BM"));

    EXPECT_FALSE(box.savePicture(temp.file("no/such/folder/b.bmp")));
}

TEST_F(PictureBoxTest, AFailedSaveKeepsThePreviousFile) {
    test::TempFolder temp;
    box.setAutoRedraw(true);
    box.box(0, 0, 199, 99, colors::red, true);
    temp.write("old.jpg", "the previous picture");
    {
        test::DiskFull disk(16); // the start of a picture, then no room
        EXPECT_FALSE(box.savePicture(temp.file("old.jpg")));
        EXPECT_FALSE(box.savePicture(temp.file("old.jpg"), SaveFormat::ByExtension));
    }
    EXPECT_EQ(temp.read("old.jpg"), QByteArray("the previous picture"));
    EXPECT_EQ(QDir(temp.folder().path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"old.jpg"}); // no temporary file left over

    // A folder by the picture's name stays a folder; a file for a folder
    // takes no picture.
    ASSERT_TRUE(QDir(temp.folder().path()).mkdir("dir.bmp"));
    EXPECT_FALSE(box.savePicture(temp.file("dir.bmp")));
    EXPECT_TRUE(QFileInfo(temp.file("dir.bmp")).isDir());
    EXPECT_FALSE(box.savePicture(temp.file("old.jpg/new.bmp")));
    EXPECT_EQ(temp.read("old.jpg"), QByteArray("the previous picture"));
}

// --- resizing ---

TEST_F(PictureBoxTest, ResizeKeepsContentAndFillsNewAreaWithBackColour) {
    box.setAutoRedraw(true);
    box.pset(150, 80, colors::red);
    box.setAutoRedraw(false);
    box.pset(160, 80, colors::blue);
    box.resize(300, 200);
    EXPECT_EQ(box.persistentImage().size(), QSize(300, 200));
    EXPECT_EQ(pixelOf(box.persistentImage(), 150, 80), colors::red);
    EXPECT_EQ(pixelOf(box.persistentImage(), 250, 150), white);
    EXPECT_EQ(pixelOf(box.screenImage(), 160, 80), colors::blue);
    EXPECT_EQ(pixelOf(box.screenImage(), 250, 150), white);
    EXPECT_EQ(box.point(250, 150), white);
}

// --- mouse and keys ---

TEST_F(PictureBoxTest, MouseEventsGiveButtonShiftAndUserCoordinates) {
    box.scale(0, 0, 20, 10); // 10 px per unit
    box.show();
    QSignalSpy down(&box, &PictureBox::mouseDown);
    QSignalSpy move(&box, &PictureBox::mouseMove);
    QSignalSpy up(&box, &PictureBox::mouseUp);
    QSignalSpy clicked(&box, &PictureBox::clicked);

    QTest::mousePress(&box, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 30));
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 1);
    EXPECT_EQ(down[0][1].toInt(), 1);
    EXPECT_DOUBLE_EQ(down[0][2].toDouble(), 5.0);
    EXPECT_DOUBLE_EQ(down[0][3].toDouble(), 3.0);

    QTest::mouseMove(&box, QPoint(70, 40));
    ASSERT_GE(move.count(), 1);
    EXPECT_DOUBLE_EQ(move.last()[2].toDouble(), 7.0);
    EXPECT_DOUBLE_EQ(move.last()[3].toDouble(), 4.0);

    QTest::mouseRelease(&box, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier,
                        QPoint(70, 40));
    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][0].toInt(), 1);
    EXPECT_EQ(up[0][1].toInt(), 6);
    EXPECT_EQ(clicked.count(), 1);

    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(down.last()[0].toInt(), 2);
    EXPECT_EQ(clicked.count(), 1); // only the left button clicks
    QTest::mousePress(&box, Qt::MiddleButton, {}, QPoint(10, 10));
    EXPECT_EQ(down.last()[0].toInt(), 4);
    QTest::mouseRelease(&box, Qt::MiddleButton, {}, QPoint(10, 10));
}

TEST_F(PictureBoxTest, DoubleClickIsReported) {
    box.show();
    QSignalSpy doubled(&box, &PictureBox::doubleClicked);
    QTest::mouseDClick(&box, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(doubled.count(), 1);
}

TEST_F(PictureBoxTest, KeysGiveClassicCodesAndCharacters) {
    QSignalSpy down(&box, &PictureBox::keyDown);
    QSignalSpy press(&box, &PictureBox::keyPress);

    QTest::keyClick(&box, Qt::Key_Escape);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 27);
    ASSERT_EQ(press.count(), 1);
    EXPECT_EQ(press[0][0].toInt(), 27);

    QTest::keyClick(&box, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(down.last()[0].toInt(), 83);
    EXPECT_EQ(down.last()[1].toInt(), 2);
    EXPECT_EQ(press.last()[0].toInt(), 19); // Ctrl+S

    const auto before = press.count();
    QTest::keyClick(&box, Qt::Key_F5);
    EXPECT_EQ(down.last()[0].toInt(), 116);
    EXPECT_EQ(press.count(), before); // no character from it
}
