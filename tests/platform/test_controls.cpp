#include "platform/Controls.h"
#include "platform/Twips.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

using namespace quorin;

// Readable rectangles in failure messages.
static void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}

// The frame a text box shows is its editor's: it must cover the whole place
// the box was given, whatever its height and font.
TEST(TextBox, EditorFillsThePlacedBox) {
    struct Case {
        const char* name;
        bool multiLine;
        double top, width, height; // twips
        double fontPoints;         // 0: as it comes
    };
    const std::vector<Case> cases = {
        {"taller than a line", false, 7320, 612, 1104, 0},
        {"large font", false, 240, 1700, 555, 20},
        {"several lines", true, 5640, 615, 1812, 0},
    };
    for (const auto& [name, multiLine, top, width, height, fontPoints] : cases) {
        SCOPED_TRACE(name);
        QWidget parent;
        parent.resize(twipsToPixels(3000), twipsToPixels(9000));
        auto* box = new TextBox(multiLine, &parent);
        if (fontPoints > 0)
            box->setFontSize(fontPoints);
        placeTwips(box, 0, top, width, height);
        parent.show();
        QCoreApplication::processEvents();
        ASSERT_EQ(box->geometry(), twipsRect(0, top, width, height));
        EXPECT_EQ(box->editor()->geometry(), QRect(QPoint(0, 0), box->size()));
    }
}
