#include "cli/PixelSetCommand.h"
#include "cli/CliSupport.h"
#include "cli/PictureModule.h"
#include "core/PixelSets.h"
#include "platform/NumberText.h"

namespace quorin::cli {

namespace {

// The threshold box's default.
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

const QString compareHelp =
    QStringLiteral("用法：quorin-cli pixelset compare A B OUT [--threshold T]\n\n"
                   "写出“图像比较”对两个像素集合所写的不同点文件：格式同像素集合，\n"
                   "颜色距离大于 T 的点写 B 的颜色，其余写 *。网格取 A 的：A 的每行一列，\n"
                   "每列的点数为 A 第一行的颜色个数。标准输出给出不同点的个数。\n\n"
                   "  --threshold T  颜色比较阀门限值，默认 100。\n\n"
                   "退出码：0 没有不同点，1 有不同点，2 输入有误或文件无法读写。");

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
    OutputFile out(args->positional[2]);
    writeSetDifferences(
        first, *rows, second, colourThreshold(thresholdText),
        [&](QByteArrayView piece) { return out.write(piece); }, differing);
    if (!out.done())
        return Failed;
    print(QString::number(differing));
    return differing > 0 ? Differences : Done;
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
    if (sub == QLatin1String("compare"))
        return compare(rest);
    // The subcommands with pictures.
    if (sub == QLatin1String("capture") || sub == QLatin1String("overlay"))
        return runPictureCommand(sub, rest);
    tell(QStringLiteral("未知子命令 %1。用 quorin-cli pixelset --help 查看子命令。").arg(sub));
    return Failed;
}

} // namespace quorin::cli
