#pragma once
#include <QString>
#include <array>

namespace quorin {

// The parameter records written next to every saved picture: treego.txt holds
// the values alone, tree.txt the date, the picture's name and the values.

// The eight values of a record, in record order: flight time, radius, Vx0,
// VFy, Vy0, the canvas transform X and Y, VFx.
using RecordValues = std::array<QString, 8>;

// treego.txt: the values each followed by a comma, then CR LF.
QString treegoRecord(const RecordValues& values);
// tree.txt: date CR LF, then file name TAB values CR LF.
QString treeRecord(const QString& date, const QString& fileName, const RecordValues& values);

// Moves a record file's content into its backup without losing a record: the
// record file is emptied only once its content is safely in the backup.
// Returns false (and leaves the record file as it was) when the record cannot
// be read or the backup cannot be written.
bool rotateRecordFile(const QString& recordPath, const QString& backupPath);

} // namespace quorin
