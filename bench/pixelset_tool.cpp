// The pixel-set comparison as one command, to set beside another program's
// on the same pictures (bench/compare-with-imagemagick):
//
//   pixelset_tool make DIR            a.ppm, b.ppm and their pixel sets a.txt, b.txt
//   pixelset_tool compare A B OUT     reads, compares, writes; prints the time in ms
//                                     and the number of differing points
#include "PixelSetPipeline.h"
#include <chrono>
#include <cstdio>
#include <cstring>

using namespace quorin;
using namespace quorin::bench;

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "make") == 0) {
        const QString dir = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
        const bool ok = replaceFileBytes(dir + "a.ppm", ppmOf(0)) &&
                        replaceFileBytes(dir + "b.ppm", ppmOf(1)) &&
                        replaceFileBytes(dir + "a.txt", pixelSetOf(0)) &&
                        replaceFileBytes(dir + "b.txt", pixelSetOf(1));
        if (ok)
            std::printf("%s\n", imageMagickFuzz);
        return ok ? 0 : 1;
    }
    if (argc == 5 && std::strcmp(argv[1], "compare") == 0) {
        const auto start = std::chrono::steady_clock::now();
        PixelTable one(5000, 5000), two(5000, 5000);
        const QString out = QString::fromLocal8Bit(argv[4]);
        long long differing = 0;
        const bool ok =
            comparePixelSets(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), out,
                             one, two, &differing);
        const std::chrono::duration<double, std::milli> ms =
            std::chrono::steady_clock::now() - start;
        if (!ok)
            return 1;
        std::printf("%.1f %lld\n", ms.count(), differing);
        return 0;
    }
    std::fprintf(stderr, "usage: pixelset_tool make DIR | compare A B OUT\n");
    return 2;
}
