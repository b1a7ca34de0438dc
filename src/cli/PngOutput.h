#pragma once
#include <QString>

class QImage;

namespace quorin::cli {

// A picture as a PNG output file, written as writeOutput writes (false after
// telling the user it was not written).
bool writePng(const QString& path, const QImage& image);

} // namespace quorin::cli
