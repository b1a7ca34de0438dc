#pragma once
#include <QString>
#include <QStringList>

// The module's one entry: runs the picture command `name` (capture, overlay,
// strokes) on the words after it; the tool's exit code.
extern "C" int quorinCliPictureCommand(const QString& name, const QStringList& words);
using PictureCommandEntry = int (*)(const QString& name, const QStringList& words);
