// The commands that read, draw or write pictures (QtGui), built as a module
// of their own that quorin-cli loads only when one of them runs: the other
// commands start without QtGui.
#include "cli/PictureCommands.h"
#include "cli/CliSupport.h"
#include "cli/PngOutput.h"
#include "cli/StrokesCommand.h"
#include "core/PixelSets.h"
#include "platform/PictureDrawing.h"
#include "platform/PictureFile.h"
#include "platform/PictureGeometry.h"
#include "platform/QtColour.h"
#include <QImage>
#include <optional>

namespace quorin::cli {

namespace {

// The picture is taken as the canvas shows it at 1:1 on a 96-dpi screen
// (twipsPerPixel).

// The resolution box's default.
const QString defaultResolution = QStringLiteral("800x600");

const QString captureHelp = QStringLiteral(
    "用法：quorin-cli pixelset capture PICTURE OUT [--resolution XxY]\n\n"
    "写出画布上“图像采集”按钮对这幅图片（按 1:1 显示于 96 dpi 屏幕，每像素 15 缇）\n"
    "所写的像素集合：每列一行，颜色为大写十六进制，各跟一个制表符，行末为累计点数。\n\n"
    "  --resolution XxY  采集分辨率（X 列、Y 行），默认 800x600。\n\n"
    "退出码：0 完成，2 输入有误或文件无法读写。");

const QString overlayHelp = QStringLiteral(
    "用法：quorin-cli pixelset overlay SET PICTURE OUT.png [--resolution XxY]\n\n"
    "按“图像叠加”的画法，把像素集合（或不同点文件）的每个点以它自己的颜色\n"
    "画成实心圆（半径为行距），叠加在图片（1:1，96 dpi）上，存为 PNG。* 点不画。\n\n"
    "  --resolution XxY  采集分辨率（X 列、Y 行），默认 800x600；应与采集时相同。\n\n"
    "退出码：0 完成，2 输入有误或文件无法读写。");

// A picture as the canvas shows it, 1:1 in a box of its size, and the grid
// --resolution XxY lays over that box.
struct ShownPicture {
    QImage image;
    PixelGrid grid;
    double height() const { return image.height() * twipsPerPixel; }
};

std::optional<ShownPicture> showPicture(const QString& path, const Args& args) {
    if (!inputFileThere(path))
        return std::nullopt;
    QImage image = readPictureFile(path);
    if (image.isNull()) {
        tell(pictureNotOpenedMessage(path));
        return std::nullopt;
    }
    const QString text = args.option(QStringLiteral("resolution")).value_or(defaultResolution);
    const auto xy = dimensionTexts(text);
    if (!xy) {
        tell(QStringLiteral("采集分辨率 %1 无效：应为 X×Y 两个正整数，例如 800x600。").arg(text));
        return std::nullopt;
    }
    const auto grid = pixelGrid(image.width() * twipsPerPixel, image.height() * twipsPerPixel,
                                xy->first, xy->second);
    if (!grid) {
        tell(QStringLiteral("采集分辨率 %1 不适用于 %2×%3 像素的图片：X、Y 不能为 0，"
                            "取样间距不能小于 1 缇，且不能超过 5000 列或 5000 行。")
                 .arg(text)
                 .arg(image.width())
                 .arg(image.height()));
        return std::nullopt;
    }
    return ShownPicture{std::move(image), *grid};
}

int capture(const QStringList& words) {
    int result = Failed;
    const auto args = subcommandArgs(words, {QStringLiteral("resolution")}, 2, captureHelp, result);
    if (!args)
        return result;
    const auto shown = showPicture(args->positional[0], *args);
    if (!shown)
        return Failed;
    const QImage& picture = shown->image;
    const auto colourAt = [&](double x, double y) {
        const auto pixel = pixelRead(twipsToPixelPosition(x, y, twipsPerPixel), picture.size());
        return pixel ? fromQRgb(picture.pixel(*pixel)) : ColorValue(-1);
    };
    QByteArray text;
    long long total = 0;
    for (long long i = 0; i < shown->grid.columns(); ++i)
        appendColourLine(text, columnColours(shown->grid, i, shown->height(), colourAt), total);
    return writeOutput(args->positional[1], text) ? Done : Failed;
}

int overlay(const QStringList& words) {
    int result = Failed;
    const auto args = subcommandArgs(words, {QStringLiteral("resolution")}, 3, overlayHelp, result);
    if (!args)
        return result;
    PixelSetRows set;
    if (!readSet(args->positional[0], set))
        return Failed;
    const auto shown = showPicture(args->positional[1], *args);
    if (!shown)
        return Failed;
    // Discs of radius stepY round each grid point, column by column, with the
    // pen one pixel wide: the redraw's Circle with a solid fill.
    const PixelGrid& grid = shown->grid;
    QImage image = shown->image.convertToFormat(QImage::Format_RGB32);
    const double radius = static_cast<double>(grid.stepY) / twipsPerPixel;
    const long long rows = grid.rows(shown->height());
    for (long long i = 0; i < grid.columns(); ++i)
        for (long long k = 0; k < rows; ++k)
            if (const auto colour = ownColour(set.cell(i, cellField(k)))) {
                const QPointF centre =
                    twipsToPixelPosition(grid.columnX(i), grid.rowY(k), twipsPerPixel);
                drawEllipse(image, snapToPixel(centre), radius, radius, *colour, 1, *colour);
            }
    const QString out = args->positional[2];
    return writePng(out, image) ? Done : Failed;
}

} // namespace

} // namespace quorin::cli

extern "C" Q_DECL_EXPORT int quorinCliPictureCommand(const QString& name,
                                                     const QStringList& words) {
    using namespace quorin::cli;
    if (name == QLatin1String("capture"))
        return capture(words);
    if (name == QLatin1String("overlay"))
        return overlay(words);
    if (name == QLatin1String("strokes"))
        return runStrokes(words);
    return Failed;
}
