#include "platform/ProgramFolder.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace quorin {

bool canCreateFilesIn(const QString& dir) {
    // A real attempt: permission bits say nothing to root, nor about a
    // read-only mount or a full disk.
    QTemporaryFile probe(dir + QStringLiteral("/.quorin-probe-XXXXXX"));
    return probe.open(); // removed again with `probe`
}

ProgramFolder chooseProgramFolder(const QString& exeDir, const QString& installedPictures,
                                  const QString& userDir) {
    const bool installed = !installedPictures.isEmpty() && QFileInfo(installedPictures).isDir();
    if (!installed && canCreateFilesIn(exeDir))
        return ProgramFolder(exeDir);
    QDir().mkpath(userDir); // a failure shows when a file is written there
    return ProgramFolder(installed ? QDir::cleanPath(installedPictures) : exeDir, userDir);
}

} // namespace quorin
