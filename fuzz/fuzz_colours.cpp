// One line of a pixel set cut into its fields, as bytes and as text; each
// field read as a colour and as a threshold, neighbours compared by both
// rules; the first two fields typed as the grid's resolution.
#include "FuzzCheck.h"
#include "core/PixelSets.h"
#include <vector>

using namespace quorin;
using fuzz::require;

namespace {

bool isByte(int v) {
    return v >= 0 && v <= 255;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray line = fuzz::bytesOf(data, size);
    std::vector<QByteArrayView> fields;
    forEachField(QByteArrayView(line), [&](long long number, QByteArrayView field) {
        require(number == static_cast<long long>(fields.size()) + 1, "fields in order");
        fields.push_back(field);
    });
    // Latin-1 text holds the same characters, so it must be cut alike.
    const QString text = QString::fromLatin1(line);
    std::size_t k = 0;
    forEachField(QStringView(text), [&](long long, QStringView field) {
        require(k < fields.size() && field == QLatin1String(fields[k]), "text cut as bytes");
        ++k;
    });
    require(k == fields.size(), "as many fields in text as in bytes");

    Rgb previous;
    for (const QByteArrayView field : fields) {
        const Rgb c = colourComponents(field);
        require(isByte(c.red) && isByte(c.green) && isByte(c.blue), "components are bytes");
        require(c == colourComponents(QStringView(QString::fromLatin1(field))),
                "bytes and text give one colour");
        const long long threshold = colourThreshold(QString::fromLatin1(field));
        colourDiffers(previous, c, threshold);
        templateDiffers(previous, c, threshold);
        require(colourDistance(previous, c) <= 441, "distances stay within the colour cube");
        previous = c;
    }

    // A picture box of the sizes the canvas takes (twips), from the line's
    // length, with the first two fields as the resolution typed.
    if (fields.size() >= 2) {
        const double width = 1 + static_cast<double>(size * 37 % 40000);
        const double height = 1 + static_cast<double>(size * 53 % 30000);
        const auto grid = pixelGrid(width, height, QString::fromLatin1(fields[0]),
                                    QString::fromLatin1(fields[1]));
        if (grid) {
            require(grid->stepX >= 1 && grid->stepY >= 1, "steps of at least one twip");
            require(grid->columns() <= 5001 && grid->rows(height) <= 5000,
                    "the grid fits the tables");
            require(grid->columns() == 0 || grid->columnX(grid->columns() - 1) <= width,
                    "columns inside the box");
        }
    }
    return 0;
}
