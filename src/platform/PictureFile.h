#pragma once
#include <QImage>
#include <QString>

namespace quorin {

// Decoding a picture takes at most this much memory (4 bytes a pixel): the
// 30000 x 30000 picture a small file can claim is refused before any of it
// is allocated. Qt's readers keep the same limit by default.
inline constexpr qint64 pictureMemoryLimit = 128LL * 1024 * 1024;

// Every picture the program reads from a file, shipped or chosen by the user.
// The kind is judged by the content, not the name (the program saves bitmaps
// under .jpg names). A null image when the file is missing, empty, not a
// picture, damaged, cut short (a JPEG without its end), or larger than
// pictureMemoryLimit allows.
QImage readPictureFile(const QString& path);

// What the user is told when readPictureFile gives a null image.
QString pictureNotOpenedMessage(const QString& path);

} // namespace quorin
