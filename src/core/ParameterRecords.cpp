#include "core/ParameterRecords.h"
#include "platform/TextFiles.h"
#include <QCryptographicHash>
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

namespace {

QString markerPath(const QString& backupPath) {
    return backupPath + QStringLiteral(".rotating");
}

QByteArray checksum(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex();
}

// What the marker notes: the backup's size before and after the block, and
// the block's checksum.
struct Marker {
    qint64 before = 0;
    qint64 after = 0;
    QByteArray sum;
};

QByteArray markerText(const Marker& m) {
    return QByteArray::number(m.before) + ' ' + QByteArray::number(m.after) + ' ' + m.sum + '\n';
}

std::optional<Marker> readMarker(const QString& path) {
    const auto bytes = readFileBytes(path);
    if (!bytes)
        return std::nullopt;
    const QList<QByteArray> fields = bytes->trimmed().split(' ');
    if (fields.size() != 3)
        return std::nullopt;
    bool beforeOk = false;
    bool afterOk = false;
    Marker m{fields[0].toLongLong(&beforeOk), fields[1].toLongLong(&afterOk), fields[2]};
    if (!beforeOk || !afterOk || m.before < 0 || m.after <= m.before ||
        m.after - m.before > maxTextFileBytes + 2)
        return std::nullopt;
    return m;
}

// The file's bytes from `from` to `to`; empty when it holds fewer.
QByteArray fileRange(const QString& path, qint64 from, qint64 to) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() < to || !f.seek(from))
        return {};
    return f.read(to - from);
}

bool cutBackDurably(const QString& path, qint64 size) {
    if (!fileExists(path) || QFileInfo(path).size() <= size)
        return true;
    return QFile::resize(path, size) && syncFileToDisk(path);
}

bool stopsAfter(const RotationStop& stopAfter, RotationStep step) {
    return stopAfter && stopAfter(step);
}

// Finishes or undoes a move that was cut off. The record file is emptied only
// once the block is whole on the disk, and nothing is recorded while the
// marker is there; so a block that is not whole, or a record file that still
// holds it, means the records are all still in the record file: the block is
// cut from the backup and the move starts again. Otherwise the move had got
// past emptying the record file and only the marker is left to remove.
bool settleInterruptedRotation(const QString& recordPath, const QString& backupPath,
                               const RotationStop& stopAfter) {
    const QString marker = markerPath(backupPath);
    if (!QFileInfo::exists(marker))
        return true;
    const auto m = readMarker(marker);
    if (!m)
        return false; // not a marker of ours: better no move than a wrong one
    const bool blockWhole = checksum(fileRange(backupPath, m->before, m->after)) == m->sum;
    bool recordHoldsBlock = false;
    if (fileExists(recordPath)) {
        const auto record = readFileBytes(recordPath);
        if (!record)
            return false;
        recordHoldsBlock = !record->isEmpty() && checksum(*record + "\r\n") == m->sum;
    }
    if (!blockWhole || recordHoldsBlock) {
        if (!cutBackDurably(backupPath, m->before))
            return false;
        if (stopsAfter(stopAfter, RotationStep::UndoneBlockCut))
            return false;
    }
    return removeFileDurably(marker);
}

} // namespace

bool rotateRecordFile(const QString& recordPath, const QString& backupPath,
                      const RotationStop& stopAfter) {
    if (!settleInterruptedRotation(recordPath, backupPath, stopAfter))
        return false;
    // Bytes, not text: whatever the file holds reaches the backup unchanged.
    QByteArray content;
    if (fileExists(recordPath)) {
        const auto read = readFileBytes(recordPath);
        if (!read)
            return false; // unreadable: leave it for the next start
        content = *read;
    }
    if (content.isEmpty()) {
        // Nothing to move; both files exist afterwards.
        return appendFileBytes(backupPath, {}) &&
               (fileExists(recordPath) || replaceFileBytes(recordPath, {}));
    }
    // Each step is on the disk before the next begins, so that a power cut
    // leaves the steps done in order; the marker lets the next call see how
    // far they came.
    const QByteArray block = content + "\r\n";
    const qint64 before = QFileInfo(backupPath).size(); // 0 when missing
    const QString marker = markerPath(backupPath);
    if (!replaceFileBytesDurably(marker,
                                 markerText({before, before + block.size(), checksum(block)})))
        return false;
    if (stopsAfter(stopAfter, RotationStep::MarkerWritten))
        return false;
    // The folder too: a backup made just now must not vanish in a power cut
    // that keeps the emptied record file.
    const bool appended = appendFileBytes(backupPath, block) && syncFileToDisk(backupPath) &&
                          syncFolderOf(backupPath);
    if (appended && stopsAfter(stopAfter, RotationStep::BlockAppended))
        return false;
    if (!appended || !replaceFileBytesDurably(recordPath, {})) {
        // Undone at once as a next start would undo it: the records stay in
        // the record file and leave no copy in the backup.
        settleInterruptedRotation(recordPath, backupPath, {});
        return false;
    }
    if (stopsAfter(stopAfter, RotationStep::RecordEmptied))
        return false;
    return removeFileDurably(marker);
}

} // namespace quorin
