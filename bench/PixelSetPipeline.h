#pragma once
// Two 800 x 600 pictures that differ in a small area, as pixel sets, and the
// comparison pipeline of 图像比较 without its pauses: read both sets, compare
// them, write the difference file.
#include "core/PixelSets.h"
#include "core/RowReader.h"
#include "platform/TextFiles.h"
#include <QFile>
#include <QString>
#include <fstream>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <string>
#include <vector>

namespace quorin::bench {

inline constexpr int pictureWidth = 800;
inline constexpr int pictureHeight = 600;
inline constexpr long long threshold = 100;

// A smooth picture; the second one has a 40 x 30 block of another colour.
inline ColorValue pictureColour(int picture, int x, int y) {
    if (picture == 1 && x >= 380 && x < 420 && y >= 280 && y < 310)
        return rgb(255, 0, 0);
    return rgb(x * 255 / pictureWidth, y * 255 / pictureHeight, (x + y) % 256);
}

// The pixel set of a picture: a line per column of the colour texts, each
// followed by a TAB, and the running total.
inline QByteArray pixelSetOf(int picture) {
    QByteArray text;
    long long total = 0;
    std::vector<ColorValue> column(pictureHeight);
    for (int x = 0; x < pictureWidth; ++x) {
        for (int y = 0; y < pictureHeight; ++y)
            column[std::size_t(y)] = pictureColour(picture, x, y);
        appendColourLine(text, column, total);
    }
    return text;
}

// Reads both sets into the tables, compares, writes the difference file;
// false when something failed.
inline bool comparePixelSets(const QString& first, const QString& second, const QString& out,
                             PixelTable& one, PixelTable& two) {
    if (readPixelSetFile(first, one, 3000).status != PixelSetRead::Status::Read ||
        readPixelSetFile(second, two, 3000).status != PixelSetRead::Status::Read)
        return false;
    QByteArray text;
    text.reserve(4 * pictureWidth * pictureHeight);
    long long total = 0;
    for (long long column = 0; column < pictureWidth; ++column)
        appendSetDifferences(text, one, two, column, pictureHeight, threshold, total);
    return replaceFileBytes(out, text);
}

// The same as the command-line tool does it: both sets read row by row, no
// tables.
inline bool comparePixelSetRows(const QString& first, const QString& second, const QString& out) {
    PixelSetRows one, two;
    const PixelSetRead read = one.open(first, 3000);
    if (read.status != PixelSetRead::Status::Read ||
        two.open(second, 3000).status != PixelSetRead::Status::Read)
        return false;
    long long differing = 0;
    FileReplacement file(out);
    return writeSetDifferences(
               one, read.rows, two, threshold,
               [&](QByteArrayView piece) { return file.write(piece); }, differing) &&
           file.commit();
}

// A figure of the process's status in kB (Linux only; 0 elsewhere):
// "VmHWM:" the peak resident size since the last reset, "VmRSS:" the size now.
inline long long statusKb(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long long kb = 0;
        if (key == name && status >> kb)
            return kb;
    }
    return 0;
}
// Gives freed heap back to the system first, so that the next peak counts
// what a run takes rather than what an earlier one left mapped.
inline void resetResidentPeak() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    std::ofstream("/proc/self/clear_refs") << "5";
}

} // namespace quorin::bench
