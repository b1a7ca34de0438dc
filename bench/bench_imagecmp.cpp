// The image buttons' work on the picture, without their designed pauses.
#include "core/PixelSets.h"
#include "platform/PictureBox.h"
#include <benchmark/benchmark.h>

using namespace quorin;

namespace {

// A capture's grid read: 800 x 600 points of an 800 x 600 pixel picture, each
// read from the box and written as colour text, column by column as the
// capture does.
void BM_captureGridRead(benchmark::State& state) {
    PictureBox pic;
    pic.resize(800, 600);
    pic.setAutoRedraw(true);
    pic.setBackColor(rgb(255, 255, 255));
    pic.scale(0, 0, 800, 600);
    for (int i = 0; i < 600; i += 7)
        pic.line(0, i, 800, 600 - i, rgb(i % 256, 40, 200));
    const auto grid = pixelGrid(12000, 9000, QStringLiteral("800"), QStringLiteral("600"));
    if (!grid) {
        state.SkipWithError("no grid");
        return;
    }
    for (auto _ : state) {
        QByteArray text;
        long long total = 0;
        for (long long i = 0; i < grid->columns(); ++i) {
            for (long long k = 0; k < grid->rows(9000); ++k) {
                appendColourText(text, pic.pointTwips(grid->columnX(i), grid->rowY(k)));
                text += '\t';
                ++total;
            }
            endPixelLine(text, total);
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_captureGridRead)->Unit(benchmark::kMillisecond);

} // namespace
