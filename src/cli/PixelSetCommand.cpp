#include "cli/PixelSetCommand.h"
#include "cli/CliSupport.h"
#include "core/PixelSets.h"
#include "core/RowReader.h"
#include "platform/NumberText.h"
#include "platform/PictureDrawing.h"
#include "platform/PictureFile.h"
#include "platform/PictureGeometry.h"
#include "platform/QtColour.h"
#include "platform/TextFiles.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

namespace quorin::cli {

namespace {

// The picture is taken as the canvas shows it at 1:1 on a 96-dpi screen
// (twipsPerPixel).

// The defaults of the canvas's boxes: resolution 800 x 600, threshold 100.
const QString defaultResolution = QStringLiteral("800x600");
const QString defaultThreshold = QStringLiteral("100");

const QString pixelSetHelp = QStringLiteral(
    "用法：quorin-cli pixelset 子命令 [参数...]\n\n"
    "像素集合：图片按采集分辨率的网格取样的颜色，每列一行（GBK，回车换行）。\n\n"
    "子命令：\n"
    "  capture PICTURE OUT [--resolution XxY]      图像采集：把图片的像素集合写入 OUT\n"
    "  compare A B OUT [--threshold T]             图像比较：把两个像素集合的不同点写入 OUT\n"
    "  overlay SET PICTURE OUT.png [--resolution XxY]\n"
    "                                              图像叠加：把像素集合画在图片上，存为 PNG\n\n"
    "每个子命令都可用 --help 查看说明。");

const QString captureHelp = QStringLiteral(
    "用法：quorin-cli pixelset capture PICTURE OUT [--resolution XxY]\n\n"
    "写出画布上“图像采集”按钮对这幅图片（按 1:1 显示于 96 dpi 屏幕，每像素 15 缇）\n"
    "所写的像素集合：每列一行，颜色为大写十六进制，各跟一个制表符，行末为累计点数。\n\n"
    "  --resolution XxY  采集分辨率（X 列、Y 行），默认 800x600。\n\n"
    "退出码：0 完成，2 输入有误或文件无法读写。");

const QString compareHelp =
    QStringLiteral("用法：quorin-cli pixelset compare A B OUT [--threshold T]\n\n"
                   "写出“图像比较”对两个像素集合所写的不同点文件：格式同像素集合，\n"
                   "颜色距离大于 T 的点写 B 的颜色，其余写 *。网格取 A 的：A 的每行一列，\n"
                   "每列的点数为 A 第一行的颜色个数。标准输出给出不同点的个数。\n\n"
                   "  --threshold T  颜色比较阀门限值，默认 100。\n\n"
                   "退出码：0 没有不同点，1 有不同点，2 输入有误或文件无法读写。");

const QString overlayHelp = QStringLiteral(
    "用法：quorin-cli pixelset overlay SET PICTURE OUT.png [--resolution XxY]\n\n"
    "按“图像叠加”的画法，把像素集合（或不同点文件）的每个点以它自己的颜色\n"
    "画成实心圆（半径为行距），叠加在图片（1:1，96 dpi）上，存为 PNG。* 点不画。\n\n"
    "  --resolution XxY  采集分辨率（X 列、Y 行），默认 800x600；应与采集时相同。\n\n"
    "退出码：0 完成，2 输入有误或文件无法读写。");

// A file named on the command line: it must be there and not be a folder.
bool inputFileThere(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        tell(QStringLiteral("文件 %1 不存在。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (info.isDir()) {
        tell(QStringLiteral("%1 是文件夹，不是文件。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

// A pixel set, read row by row; its rows, or nothing after telling why not.
std::optional<long long> readSet(const QString& path, PixelSetRows& set) {
    if (!inputFileThere(path))
        return std::nullopt;
    const PixelSetRead read = set.open(path, rowTableRows);
    if (read.status != PixelSetRead::Status::Read) {
        tell(pixelSetReadMessage(read.status, path));
        return std::nullopt;
    }
    return read.rows;
}

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
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d+)\\s*[xX×*]\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) {
        tell(QStringLiteral("采集分辨率 %1 无效：应为 X×Y 两个正整数，例如 800x600。").arg(text));
        return std::nullopt;
    }
    const auto grid = pixelGrid(image.width() * twipsPerPixel, image.height() * twipsPerPixel,
                                m.captured(1), m.captured(2));
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

// The words of a subcommand: its options and exactly `count` positional
// words. Nothing when it is done already (--help) or the words are wrong;
// `result` is then the exit code.
std::optional<Args> subcommandArgs(const QStringList& words, const QStringList& known, int count,
                                   const QString& help, int& result) {
    result = Failed;
    const auto args = parseArgs(words, known);
    if (!args)
        return std::nullopt;
    if (args->help) {
        print(help);
        result = Done;
        return std::nullopt;
    }
    if (args->positional.size() != count) {
        tell(QStringLiteral("需要 %1 个参数，给出了 %2 个。\n\n")
                 .arg(count)
                 .arg(args->positional.size()) +
             help);
        return std::nullopt;
    }
    return args;
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

int compare(const QStringList& words) {
    int result = Failed;
    const auto args = subcommandArgs(words, {QStringLiteral("threshold")}, 3, compareHelp, result);
    if (!args)
        return result;
    const QString thresholdText =
        args->option(QStringLiteral("threshold")).value_or(defaultThreshold);
    if (!isNumeric(thresholdText)) {
        tell(QStringLiteral("颜色比较阀门限值 %1 无效：应为数字，例如 100。").arg(thresholdText));
        return Failed;
    }
    // Each set is read once, row by row, beside the other: no tables.
    PixelSetRows first, second;
    const auto rows = readSet(args->positional[0], first);
    if (!rows || !readSet(args->positional[1], second))
        return Failed;
    long long differing = 0;
    const QByteArray text =
        setDifferenceFile(first, *rows, second, colourThreshold(thresholdText), differing);
    if (!writeOutput(args->positional[2], text))
        return Failed;
    print(QString::number(differing));
    return differing > 0 ? Differences : Done;
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

int pixelSetCommand(const QStringList& words) {
    if (words.isEmpty()) {
        tell(pixelSetHelp);
        return Failed;
    }
    const QString& sub = words.first();
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        print(pixelSetHelp);
        return Done;
    }
    const QStringList rest = words.mid(1);
    if (sub == QLatin1String("capture"))
        return capture(rest);
    if (sub == QLatin1String("compare"))
        return compare(rest);
    if (sub == QLatin1String("overlay"))
        return overlay(rest);
    tell(QStringLiteral("未知子命令 %1。用 quorin-cli pixelset --help 查看子命令。").arg(sub));
    return Failed;
}

} // namespace quorin::cli
