#pragma once
#include <QByteArray>
#include <QtEndian>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace quorin::test {

inline quint32 pngWord(const QByteArray& png, qsizetype at) {
    return qFromBigEndian<quint32>(png.constData() + at);
}

// The width and height in a PNG's header; nullopt when the bytes are no PNG.
inline std::optional<std::pair<int, int>> pngSize(const QByteArray& png) {
    if (!png.startsWith("\x89PNG\r\n\x1a\n") || png.size() < 29 || png.mid(12, 4) != "IHDR")
        return std::nullopt;
    return std::pair(int(pngWord(png, 16)), int(pngWord(png, 20)));
}

// 0xRRGGBB of every pixel of an 8-bit RGB PNG without interlacing, read with
// QtCore alone (zlib through qUncompress, then the five row filters); empty
// for any other PNG.
inline std::vector<unsigned> pngPixels(const QByteArray& png) {
    const auto size = pngSize(png);
    if (!size || png[24] != 8 || png[25] != 2 || png[28] != 0)
        return {};
    const auto [w, h] = *size;
    const qsizetype stride = qsizetype(w) * 3;
    QByteArray z(4, '\0');
    qToBigEndian<quint32>(quint32((stride + 1) * h), z.data());
    for (qsizetype at = 8; at + 8 <= png.size(); at += 12 + pngWord(png, at))
        if (png.mid(at + 4, 4) == "IDAT")
            z += png.mid(at + 8, pngWord(png, at));
    const QByteArray raw = qUncompress(z);
    if (raw.size() != (stride + 1) * h)
        return {};
    std::vector<unsigned char> rows(std::size_t(stride * h));
    for (qsizetype y = 0; y < h; ++y)
        for (qsizetype i = 0; i < stride; ++i) {
            const int a = i >= 3 ? rows[y * stride + i - 3] : 0;
            const int b = y > 0 ? rows[(y - 1) * stride + i] : 0;
            const int c = y > 0 && i >= 3 ? rows[(y - 1) * stride + i - 3] : 0;
            const int p = a + b - c;
            const int paeth =
                std::abs(p - a) <= std::abs(p - b) && std::abs(p - a) <= std::abs(p - c) ? a
                : std::abs(p - b) <= std::abs(p - c)                                     ? b
                                                                                         : c;
            const int predictor[] = {0, a, b, (a + b) / 2, paeth};
            const auto filter = static_cast<unsigned char>(raw[y * (stride + 1)]);
            rows[y * stride + i] = static_cast<unsigned char>(raw[y * (stride + 1) + 1 + i] +
                                                              (filter < 5 ? predictor[filter] : 0));
        }
    std::vector<unsigned> pixels(std::size_t(w) * h);
    for (std::size_t k = 0; k < pixels.size(); ++k)
        pixels[k] = unsigned(rows[3 * k]) << 16 | unsigned(rows[3 * k + 1]) << 8 | rows[3 * k + 2];
    return pixels;
}

} // namespace quorin::test
