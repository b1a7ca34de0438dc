#pragma once
#include <QString>
#include <QStringList>

namespace quorin::cli {

// Runs the picture command `name` (pixelset capture or overlay, strokes) from
// the picture module, loaded now; exit code Failed, after telling the user,
// when the module cannot be found or loaded.
int runPictureCommand(const QString& name, const QStringList& words);

} // namespace quorin::cli
