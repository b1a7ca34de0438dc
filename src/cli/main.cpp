// quorin-cli: the drop model, pixel sets and stroke files from the command
// line, without a display. Each command is a row of the table below.
#include "cli/CliSupport.h"
#include "cli/Derive.h"
#include "cli/PictureModule.h"
#include "cli/PixelSetCommand.h"
#include <QCoreApplication>
#include <QStringList>
#include <iterator>

using namespace quorin;
using namespace quorin::cli;

namespace {

struct Command {
    const char* name;
    const char* summary;
    int (*run)(const QStringList& words);
};

const Command commands[] = {
    {"derive", "水滴的推导计算结果，及路径表格（--path）", derive},
    {"strokes", "轨迹文件画成图片（SVG 或 PNG）",
     [](const QStringList& words) { return runPictureCommand(QStringLiteral("strokes"), words); }},
    {"pixelset", "像素集合：图像采集、图像比较、图像叠加", pixelSetCommand},
};

void usage() {
    QString text = QStringLiteral("用法：quorin-cli 命令 [参数...]\n"
                                  "      quorin-cli 命令 --help   查看该命令的说明\n\n命令：");
    for (const Command& c : commands)
        text += QStringLiteral("\n  %1  %2")
                    .arg(QString::fromUtf8(c.name).leftJustified(10), QString::fromUtf8(c.summary));
    text += QStringLiteral(
        "\n\n退出码：0 完成（比较：没有差异），1 比较发现差异，2 输入有误或文件无法读写。");
    print(text);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("quorin-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUORIN_VERSION));
    QStringList words = QCoreApplication::arguments().mid(1);
    if (words.isEmpty() || words.first() == QLatin1String("--help") ||
        words.first() == QLatin1String("-h")) {
        usage();
        return words.isEmpty() ? Failed : Done;
    }
    const QString name = words.takeFirst();
    for (const Command& c : commands)
        if (name == QString::fromUtf8(c.name))
            return c.run(words);
    tell(QStringLiteral("未知命令 %1。用 quorin-cli --help 查看命令。").arg(name));
    return Failed;
}
