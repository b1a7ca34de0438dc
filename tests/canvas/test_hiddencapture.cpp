#include "canvas/HiddenCapture.h"
#include "platform/TextFiles.h"
#include "support/CanvasTest.h"
#include <QTest>

namespace quorin {
namespace {

using test::CanvasTest;

class HiddenCapture : public CanvasTest {
protected:
    void SetUp() override {
        c = &launchSmall(CanvasMode::Freehand, {200, 100}, rgb(1, 2, 3));
        // 2000 x 1000 scale units: three columns of eleven points.
        c->Picture1->scale(0, 0, 2000, 1000);
        c->Text1[3]->setText(QStringLiteral("se"));
    }
    CanvasWindow* c = nullptr;
};

TEST_F(HiddenCapture, EnterOverSeWritesOneLinePerColumnOfColourTexts) {
    t.dialogs.answerSave(t.temp.file("pixels.txt"));
    QTest::keyClick(c->Text1[3]->editor(), Qt::Key_Return);
    const QStringList lines = fromGbk(t.temp.read("pixels.txt")).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4); // three columns, then the end
    const QStringList first = lines[0].split(QLatin1Char('\t'));
    EXPECT_EQ(first.size(), 12);                  // eleven points, each followed by a TAB
    EXPECT_EQ(first[0], QStringLiteral("30201")); // RGB(1, 2, 3) as 0x030201
    EXPECT_EQ(state().capturedPixels.at(1, 0), QString::number(rgb(1, 2, 3)));
    EXPECT_EQ(c->Picture1->point(1020, 500), colors::red); // a ring round each point
    // Only Enter over "se" does it.
    c->Text1[3]->setText(QStringLiteral("s"));
    QTest::keyClick(c->Text1[3]->editor(), Qt::Key_Return);
    EXPECT_EQ(t.dialogs.shown().size(), 2u);
}

TEST_F(HiddenCapture, AGridBeyondTheTableIsRefusedAndNothingWritten) {
    c->Picture1->scale(0, 0, 1e9, 1000);
    t.temp.write("pixels.txt", "old");
    t.dialogs.answerSave(t.temp.file("pixels.txt"));
    t.dialogs.answerMessage(Answer::Yes);
    hiddenCapture(*c);
    EXPECT_EQ(t.dialogs.messageTexts().back(), QString::fromUtf8(captureGridTooLargeMessage));
    EXPECT_EQ(t.temp.read("pixels.txt"), QByteArray("old"));
}

} // namespace
} // namespace quorin
