#include "cli/StrokesCommand.h"
#include "cli/CliSupport.h"
#include "cli/PngOutput.h"
#include "core/RowReader.h"
#include "core/StrokeFile.h"
#include "platform/PictureDrawing.h"
#include "platform/PictureFile.h"
#include "platform/PictureGeometry.h"
#include "platform/TextFiles.h"
#include "state/SharedState.h"
#include <QFileInfo>
#include <QImage>
#include <cmath>
#include <memory>
#include <vector>

namespace quorin::cli {

namespace {

// The canvas picture as designed (13092 x 7332 twips) at 15 twips a pixel.
constexpr int defaultWidth = 873;
constexpr int defaultHeight = 489;
constexpr int maxSide = 20000;

const char* const strokesHelp =
    "用法：quorin-cli strokes render 轨迹文件 输出.svg|输出.png [--size 宽x高]\n"
    "\n"
    "轨迹文件是画画的“导出”写出、“导入”读入的文本文件。\n"
    "\n"
    "  render  把轨迹文件中的笔画画成图片（SVG 或 PNG）。\n"
    "\n"
    "quorin-cli strokes render --help 查看详细说明。";

const char* const renderHelp =
    "用法：quorin-cli strokes render 轨迹文件 输出.svg|输出.png [--size 宽x高]\n"
    "\n"
    "按“导入”的规则读入轨迹文件（同样的大小和行数上限，同样的提示），\n"
    "再像“自动”那样在一张空白画布上逐笔重画：每笔在起点画一个点，\n"
    "然后依次连线到各采样点，用每点记录的颜色和笔宽（1 到 70 像素）。\n"
    "\n"
    "空白画布：白色底，坐标变换为 0（未用“坐标变换”）。画布图片框的\n"
    "刻度是缇，按每像素 15 缇（96 dpi）换算：文件中的点 (x, y) 落在\n"
    "像素 (x/15, y/15)，超出画布的部分不画。\n"
    "\n"
    "输出格式由扩展名决定：\n"
    "  .svg  白色底的矩形，每笔一条折线（画色、笔宽，圆头圆角），\n"
    "        顶点取画布所画像素的中心；\n"
    "  .png  与画布相同的像素，不抗锯齿。\n"
    "输出先写入同一文件夹的临时文件，写完才替换；失败时原有文件不变。\n"
    "\n"
    "选项：\n"
    "  --size 宽x高  画布的像素尺寸，每边 1 到 20000。默认 873x489：\n"
    "                画布图片框的设计尺寸 13092x7332 缇（程序中载入后\n"
    "                的实际尺寸随窗口和屏幕而变）。PNG 另受图片的\n"
    "                内存上限 128 MB 所限（每像素 4 字节，约 5792x5792）。\n"
    "\n"
    "退出码：0 已写出；2 参数有误、文件无法读取或被导入拒绝、输出无法写入。";

enum class Format { Svg, Png };

std::optional<Format> formatOf(const QString& path) {
    const QString ext = QFileInfo(path).suffix().toLower();
    if (ext == QLatin1String("svg"))
        return Format::Svg;
    if (ext == QLatin1String("png"))
        return Format::Png;
    return std::nullopt;
}

std::optional<QSize> sizeOf(const QString& text) {
    const auto wh = dimensionTexts(text);
    if (!wh)
        return std::nullopt;
    const int w = wh->first.toInt(), h = wh->second.toInt(); // 0 when too long
    if (w < 1 || h < 1 || w > maxSide || h > maxSide)
        return std::nullopt;
    return QSize(w, h);
}

// One pen's run of a stroke: the pixels it joins.
struct Run {
    ColorValue colour;
    int width;
    std::vector<QPoint> pixels;
};

// The replay of every stroke read, in pixel positions of the canvas.
class Replay {
public:
    explicit Replay(QSize size) : size_(size) {}

    QPointF pixelOf(const ReplayPoint& p) const {
        return scale_.toPixels(p.x, p.y, size_, twipsPerPixel);
    }

    QImage png(SharedState& s) const {
        QImage image(size_, QImage::Format_RGB32);
        image.fill(Qt::white);
        forEachStroke(s, [&](const std::vector<ReplayPoint>& points) {
            drawPenPoint(image, pixelOf(points.front()), points.front().colour,
                         points.front().width);
            for (std::size_t i = 1; i < points.size(); ++i)
                drawPenLine(image, pixelOf(points[i - 1]), pixelOf(points[i]), points[i].colour,
                            points[i].width);
        });
        return image;
    }

    QByteArray svg(SharedState& s) const {
        const QString w = QString::number(size_.width()), h = QString::number(size_.height());
        QString out = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                     "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" "
                                     "height=\"%2\" viewBox=\"0 0 %1 %2\">\n"
                                     "<rect width=\"%1\" height=\"%2\" fill=\"#ffffff\"/>\n")
                          .arg(w, h);
        forEachStroke(s, [&](const std::vector<ReplayPoint>& points) {
            for (const Run& run : runsOf(points))
                out += polyline(run);
        });
        out += QStringLiteral("</svg>\n");
        return out.toUtf8();
    }

private:
    template <class Draw> static void forEachStroke(SharedState& s, Draw&& draw) {
        const double strokes = s.groupStrokeCount();
        for (long long k = 0; k < strokes; ++k) {
            const std::vector<ReplayPoint> points = replayPoints(s.strokeTables(), k);
            if (!points.empty())
                draw(points);
        }
    }

    // The stroke's lines as runs of one pen: a run goes on while the pen
    // stays and each line starts where the one before it ended. A point that
    // cannot be placed draws nothing and joins nothing, as on the canvas. The
    // dot at the press point starts the first run.
    std::vector<Run> runsOf(const std::vector<ReplayPoint>& points) const {
        std::vector<Run> runs;
        std::optional<QPoint> previous;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const ReplayPoint& p = points[i];
            const QPointF at = pixelOf(p);
            const std::optional<QPoint> pixel =
                isFinite(at) ? std::optional<QPoint>(roundPoint(at)) : std::nullopt;
            if (pixel && i == 0) {
                runs.push_back({p.colour, p.width, {*pixel}});
            } else if (pixel && previous) {
                Run* run = runs.empty() ? nullptr : &runs.back();
                if (run && run->colour == p.colour && run->width == p.width &&
                    run->pixels.back() == *previous)
                    run->pixels.push_back(*pixel);
                else
                    runs.push_back({p.colour, p.width, {*previous, *pixel}});
            }
            previous = pixel;
        }
        return runs;
    }

    static QString polyline(const Run& run) {
        QStringList points;
        for (const QPoint& p : run.pixels)
            points << QString::number(p.x() + 0.5, 'f', 1) + QLatin1Char(',') +
                          QString::number(p.y() + 0.5, 'f', 1);
        if (points.size() == 1) // a dot: a line of no length shows its round end
            points << points.front();
        const QString colour = QStringLiteral("#%1%2%3")
                                   .arg(redOf(run.colour), 2, 16, QLatin1Char('0'))
                                   .arg(greenOf(run.colour), 2, 16, QLatin1Char('0'))
                                   .arg(blueOf(run.colour), 2, 16, QLatin1Char('0'));
        return QStringLiteral("<polyline points=\"%1\" fill=\"none\" stroke=\"%2\" "
                              "stroke-width=\"%3\" stroke-linecap=\"round\" "
                              "stroke-linejoin=\"round\"/>\n")
            .arg(points.join(QLatin1Char(' ')), colour, QString::number(run.width));
    }

    QSize size_;
    PictureScale scale_; // twips, as the canvas picture starts
};

// Reads the file into the tables as 导入 does; false after telling why not.
bool readStrokes(const QString& path, SharedState& s) {
    StrokeTables tables = s.strokeTables();
    const StrokeFileRead read = readStrokeFile(path, tables);
    switch (read.status) {
    case StrokeFileRead::Status::Read:
        break;
    case StrokeFileRead::Status::TooLarge:
        tell(tooLargeMessage(path));
        return false;
    case StrokeFileRead::Status::Unreadable:
        tell(QStringLiteral("无法读取轨迹文件 %1：文件不存在、是文件夹或无权读取。").arg(path));
        return false;
    case StrokeFileRead::Status::TooManyRows:
        tell(tooManyRowsMessage());
        return false;
    }
    if (!read.strokes.complete) {
        tell(importStoppedMessage(read.strokes.badRow));
        return false;
    }
    return true;
}

int render(const QStringList& words) {
    const std::optional<Args> args = parseArgs(words, {QStringLiteral("size")});
    if (!args)
        return Failed;
    if (args->help) {
        print(QString::fromUtf8(renderHelp));
        return Done;
    }
    if (args->positional.size() != 2) {
        tell(QStringLiteral("strokes render 需要两个参数：轨迹文件和输出文件。"
                            "用 quorin-cli strokes render --help 查看说明。"));
        return Failed;
    }
    const QString in = args->positional[0], out = args->positional[1];
    const std::optional<Format> format = formatOf(out);
    if (!format) {
        tell(QStringLiteral("输出文件 %1 的扩展名应为 .svg 或 .png。").arg(out));
        return Failed;
    }
    QSize size(defaultWidth, defaultHeight);
    if (const std::optional<QString> given = args->option(QStringLiteral("size"))) {
        const std::optional<QSize> s = sizeOf(*given);
        if (!s) {
            tell(QStringLiteral("--size %1 无效：应为 宽x高，每边是 1 到 %2 的整数像素，"
                                "例如 873x489。")
                     .arg(*given)
                     .arg(maxSide));
            return Failed;
        }
        size = *s;
    }
    if (*format == Format::Png && qint64(size.width()) * size.height() * 4 > pictureMemoryLimit) {
        tell(QStringLiteral("画布 %1x%2 太大，无法生成 PNG：图片最多占 %3 MB（每像素 4 字节）。")
                 .arg(size.width())
                 .arg(size.height())
                 .arg(pictureMemoryLimit / (1024 * 1024)));
        return Failed;
    }
    // The record is large: it lives on the heap.
    const auto state = std::make_unique<SharedState>();
    if (!readStrokes(in, *state)) {
        tell(QStringLiteral("未写出 %1。").arg(out));
        return Failed;
    }
    const Replay replay(size);
    const bool written = *format == Format::Svg ? writeOutput(out, replay.svg(*state))
                                                : writePng(out, replay.png(*state));
    return written ? Done : Failed;
}

} // namespace

int runStrokes(const QStringList& words) {
    if (words.isEmpty()) {
        print(QString::fromUtf8(strokesHelp));
        return Failed;
    }
    if (words.first() == QLatin1String("--help") || words.first() == QLatin1String("-h")) {
        print(QString::fromUtf8(strokesHelp));
        return Done;
    }
    if (words.first() == QLatin1String("render"))
        return render(words.mid(1));
    tell(QStringLiteral("strokes 没有子命令 %1。用 quorin-cli strokes --help 查看说明。")
             .arg(words.first()));
    return Failed;
}

} // namespace quorin::cli
