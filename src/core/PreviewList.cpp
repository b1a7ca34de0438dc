#include "core/PreviewList.h"
#include <QDir>
#include <algorithm>

namespace quorin {

QString folderOfFile(const QString& path) {
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

QStringList previewNames(const QStringList& folderNames, int limit) {
    QStringList out;
    for (const QString& name : folderNames) {
        if (out.size() >= limit)
            break; // the table is full: further names are refused
        out << name;
        if (name.contains(QLatin1Char('$')))
            break;
    }
    return out;
}

QStringList previewListing(const QString& chosenFile, int limit) {
    const QString folder = folderOfFile(chosenFile);
    if (folder.isEmpty())
        return {};
    // Sorted by name: the file system's own order is not stable everywhere.
    const QStringList names =
        QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    QStringList paths;
    for (const QString& name : previewNames(names, limit))
        paths << folder + name;
    return paths;
}

} // namespace quorin
