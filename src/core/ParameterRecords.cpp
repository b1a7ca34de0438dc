#include "core/ParameterRecords.h"
#include "platform/TextFiles.h"
#include <QFile>
#include <QFileInfo>

namespace quorin {

QString treegoRecord(const RecordValues& values) {
    QString line;
    for (const QString& v : values)
        line += v + QLatin1Char(',');
    return line + QStringLiteral("\r\n");
}

QString treeRecord(const QString& date, const QString& fileName, const RecordValues& values) {
    return date + QStringLiteral("\r\n") + fileName + QLatin1Char('\t') + treegoRecord(values);
}

bool rotateRecordFile(const QString& recordPath, const QString& backupPath) {
    // Bytes, not text: whatever the file holds reaches the backup unchanged.
    QByteArray content;
    if (fileExists(recordPath)) {
        const auto read = readFileBytes(recordPath);
        if (!read)
            return false; // unreadable: leave it for the next start
        content = *read;
    }
    // The backup is opened for appending even when there is nothing to add,
    // so it exists afterwards.
    const QByteArray block = content.isEmpty() ? QByteArray() : content + "\r\n";
    const qint64 backupBefore = QFileInfo(backupPath).size(); // 0 when missing
    if (!appendFileBytes(backupPath, block))
        return false;
    if (replaceTextFile(recordPath, QString()))
        return true;
    // The record stays; so must the backup, or the next start would copy the
    // same records into it a second time.
    QFile::resize(backupPath, backupBefore);
    return false;
}

} // namespace quorin
