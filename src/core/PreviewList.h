#pragma once
#include <QString>
#include <QStringList>

namespace quorin {

// The pictures a preview steps through: the files of the folder the user
// pointed at.

// The folder part of a chosen file, up to and including its last "/" or "\".
QString folderOfFile(const QString& path);
// The names a preview shows: in the given order, ending after the first name
// that contains "$", at most `limit` names.
QStringList previewNames(const QStringList& folderNames, int limit);
// Full paths of the files a preview of the folder of `chosenFile` shows, in
// name order (empty when the path names no folder).
QStringList previewListing(const QString& chosenFile, int limit);

} // namespace quorin
