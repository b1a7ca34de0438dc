#include "core/CanvasModes.h"
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace quorin {
namespace {

// A short or mistyped row would be read past its end or silently leave a
// control alone in some mode.
TEST(CanvasModeTables, EveryControlHasOneKnownLetterPerModeAndOneRow) {
    std::set<std::pair<std::string, int>> seen;
    for (const ControlVisibility& row : modeVisibility()) {
        const std::string letters = row.modes;
        EXPECT_EQ(letters.size(), std::size_t(canvasModeCount)) << row.control.name;
        EXPECT_EQ(letters.find_first_not_of("SHh"), std::string::npos) << row.control.name;
        EXPECT_TRUE(seen.insert({row.control.name, row.control.index}).second)
            << row.control.name << "(" << row.control.index << ") listed twice";
    }
}

TEST(CanvasModeTables, RowsAreFoundByTheirModeAndFillOnlyEntryFields) {
    std::set<std::string> captions;
    for (int m = 0; m < canvasModeCount; ++m) {
        const CanvasModeRow& row = canvasModeRow(static_cast<CanvasMode>(m));
        EXPECT_EQ(static_cast<int>(row.mode), m);
        EXPECT_TRUE(captions.insert(row.caption).second) << row.caption;
    }
    // Only 反导模拟 keeps its canvas, and only it paints the screen-sized background.
    for (int m = 0; m < canvasModeCount; ++m) {
        const CanvasModeRow& row = canvasModeRow(static_cast<CanvasMode>(m));
        const bool intercept = row.mode == CanvasMode::Intercept;
        EXPECT_EQ(row.keepsInterceptionCanvas, intercept);
        EXPECT_EQ(row.background == ModeBackground::ScreenAndHai1, intercept);
    }
    std::set<int> fields(prefilledFieldIndexes.begin(), prefilledFieldIndexes.end());
    EXPECT_EQ(fields.size(), prefilledFieldIndexes.size());
    for (int i : fields) // entry fields, never a result field
        EXPECT_TRUE((i >= 0 && i <= 4) || i == 10 || i == 13) << i;
}

} // namespace
} // namespace quorin
