#pragma once
#include <QString>
#include <QStringList>

class QImage;

namespace quorin::cli {

// A picture as a PNG output file, written as writeOutput writes (false after
// telling the user it was not written).
bool writePng(const QString& path, const QImage& image);

} // namespace quorin::cli

// The module's one entry: runs the picture command `name` (capture, overlay,
// strokes) on the words after it; the tool's exit code.
extern "C" int quorinCliPictureCommand(const QString& name, const QStringList& words);
using PictureCommandEntry = int (*)(const QString& name, const QStringList& words);
