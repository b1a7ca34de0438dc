#include "platform/PictureFile.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>

namespace quorin {

namespace {

// The end marker follows the last scan of a whole JPEG. A file cut inside its
// picture data decodes without complaint, the missing part grey; it counts as
// unreadable. (Bytes after the end, as some cameras add, do no harm.)
bool jpegIsComplete(const QByteArray& bytes) {
    const qsizetype lastScan = bytes.lastIndexOf("\xFF\xDA");
    return lastScan >= 0 && bytes.indexOf("\xFF\xD9", lastScan + 2) >= 0;
}

bool fitsInMemory(QSize size) {
    return qint64(size.width()) * size.height() * 4 <= pictureMemoryLimit;
}

} // namespace

QImage readPictureFile(const QString& path) {
    QFile file(path);
    // No picture the program can take is stored in more bytes than it may
    // decode to; anything larger is not read into memory at all.
    if (!file.open(QIODevice::ReadOnly) || file.size() <= 0 || file.size() > pictureMemoryLimit)
        return {};
    const QByteArray bytes = file.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    if (reader.format() == "jpeg" && !jpegIsComplete(bytes))
        return {};
    // The size in the header, when the reader knows it without decoding.
    const QSize size = reader.size();
    if (size.isValid() && !fitsInMemory(size))
        return {};
    return reader.read();
}

QString pictureNotOpenedMessage(const QString& path) {
    return QStringLiteral("无法打开图像文件 ") + QDir::toNativeSeparators(path) +
           QStringLiteral("。");
}

} // namespace quorin
