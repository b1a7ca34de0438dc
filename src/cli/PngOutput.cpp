#include "cli/PngOutput.h"
#include "cli/CliSupport.h"
#include <QBuffer>
#include <QImage>

namespace quorin::cli {

bool writePng(const QString& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        tell(QStringLiteral("无法生成 PNG 图片，未写出 %1。").arg(path));
        return false;
    }
    return writeOutput(path, bytes);
}

} // namespace quorin::cli
