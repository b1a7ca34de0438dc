#pragma once
#include <QString>
#include <array>
#include <functional>

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

// The points at which a rotation may be cut off. Each is reached once its
// writes are on the disk.
enum class RotationStep {
    UndoneBlockCut, // an interrupted move's unconfirmed block cut from the backup
    MarkerWritten,  // the backup's size and the block's checksum noted
    BlockAppended,  // the block appended to the backup
    RecordEmptied,  // the record file emptied
};
// Answers true to stop the rotation right after `step`, as a kill would:
// nothing is tidied up.
using RotationStop = std::function<bool(RotationStep step)>;

// Moves a record file's content into its backup, followed by CR LF, without
// losing a record or copying one twice, even when the program is killed or
// the power fails part way: a marker beside the backup (backup + ".rotating")
// tells the next call how far the move came, and that call finishes or undoes
// it first. Returns false when the record cannot be read or the backup
// cannot be written; the record file then keeps its records and the backup
// gains no copy of them.
bool rotateRecordFile(const QString& recordPath, const QString& backupPath,
                      const RotationStop& stopAfter = {});

} // namespace quorin
