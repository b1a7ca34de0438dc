#include "canvas/CanvasLayout.h"
#include "canvas/CommandBar.h"
#include "canvas/Preview.h"
#include "support/CanvasTest.h"
#include <QDir>
#include <QImage>

namespace quorin {
namespace {

using test::CanvasTest;

class Preview : public CanvasTest {
protected:
    void SetUp() override {
        QDir().mkpath(t.temp.file("pics"));
        picture("a.jpg", Qt::red);
        picture("b$.jpg", Qt::green);
        picture("c.jpg", Qt::blue);
        c = &launch(CanvasMode::Freehand);
    }
    void picture(const QString& name, Qt::GlobalColor colour) {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(t.temp.file("pics/" + name), "BMP"));
    }
    ColorValue centre() {
        PictureBox& p = *c->Picture1;
        return p.point(p.scaleLeft() + p.scaleWidth() / 2, p.scaleTop() + p.scaleHeight() / 2);
    }
    CanvasWindow* c = nullptr;
};

TEST_F(Preview, ButtonTogglesBetweenPreviewAndStop) {
    c->Command1[20]->click();
    EXPECT_EQ(c->Command1[20]->caption(), QStringLiteral("停止预览"));
    EXPECT_TRUE(c->Timer12.isActive());
    EXPECT_EQ(c->Timer12.interval(), 1500);
    c->Timer1.start();
    c->Command1[20]->click();
    EXPECT_EQ(c->Command1[20]->caption(), QStringLiteral("图像预览"));
    EXPECT_FALSE(c->Timer12.isActive());
    EXPECT_FALSE(c->Timer1.isActive());
}

TEST_F(Preview, CancelledDialogIsAskedAgainOnTheNextTick) {
    c->Command1[20]->click();
    t.dialogs.answerOpen(QString());
    c->timer12Tick();
    EXPECT_TRUE(c->Timer12.isActive());
    EXPECT_FALSE(c->Timer1.isActive());
    ASSERT_EQ(t.dialogs.shown().size(), 1u);
    EXPECT_EQ(t.dialogs.shown()[0].kind, QStringLiteral("open"));
    EXPECT_EQ(t.dialogs.shown()[0].text, pictureFileFilter());
}

TEST_F(Preview, AStartIndexThatIsNoNumberStartsAtZero) {
    c->Command1[20]->click();
    c->Text1[2]->setText(QStringLiteral("1abc"));
    t.dialogs.answerOpen(t.temp.file("pics/c.jpg"));
    c->timer12Tick();
    EXPECT_EQ(state().previewIndex, 0);
}

TEST_F(Preview, ShowsTheFolderUpToTheDollarFileThenStopsPastTheEnd) {
    c->Command1[20]->click();
    c->Text1[2]->setText(QStringLiteral("7")); // beyond the folder: starts at 0
    t.dialogs.answerOpen(t.temp.file("pics/c.jpg"));
    c->timer12Tick();
    EXPECT_EQ(state().previewFileCount, 2);
    EXPECT_EQ(state().previewFiles.at(0), t.temp.file("pics/a.jpg"));
    EXPECT_EQ(state().previewFiles.at(1), t.temp.file("pics/b$.jpg"));
    EXPECT_EQ(state().previewIndex, 0);
    EXPECT_FALSE(c->Timer12.isActive());
    EXPECT_TRUE(c->Timer1.isActive());
    EXPECT_EQ(c->Timer1.interval(), 1800);

    c->timer1Tick();
    EXPECT_EQ(centre(), colors::red);
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("1"));
    EXPECT_TRUE(c->windowTitle().endsWith(QStringLiteral("        ") + t.temp.file("pics/a.jpg")));
    EXPECT_FALSE(c->Picture1->autoRedraw());
    c->timer1Tick();
    EXPECT_EQ(centre(), rgb(0, 255, 0));
    c->timer1Tick(); // the empty entry after the list
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("3"));
    EXPECT_TRUE(c->Timer1.isActive());
    c->timer1Tick();
    EXPECT_FALSE(c->Timer1.isActive());
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("3"));
}

TEST_F(Preview, StartsAtTheIndexInTheFieldAndRepaintsOverAFileThatIsNoPicture) {
    t.temp.write("pics/a0.jpg", "not a picture");
    c->Text1[2]->setText(QStringLiteral("1"));
    t.dialogs.answerOpen(t.temp.file("pics/a.jpg"));
    c->Command1[20]->click();
    c->timer12Tick();
    ASSERT_EQ(state().previewFileCount, 3); // a.jpg, a0.jpg, b$.jpg
    EXPECT_EQ(state().previewIndex, 1);
    c->Image1->setPicture(QImage()); // nothing held yet
    state().previewIndex = 0;
    c->timer1Tick(); // a.jpg
    c->timer1Tick(); // a0.jpg: not readable, a.jpg is painted again
    EXPECT_EQ(centre(), colors::red);
    EXPECT_EQ(c->Text1[2]->text(), QStringLiteral("2"));
}

TEST_F(Preview, ShorterListingForgetsTheEarlierFolder) {
    QDir().mkpath(t.temp.file("one"));
    t.temp.write("one/x.jpg", "x");
    listPreviewFolder(state(), t.temp.file("pics/a.jpg"));
    ASSERT_EQ(state().previewFileCount, 2);
    EXPECT_EQ(listPreviewFolder(state(), t.temp.file("one/x.jpg")), 1);
    EXPECT_TRUE(state().previewFiles.at(1).isEmpty());
}

} // namespace
} // namespace quorin
