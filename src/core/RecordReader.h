#pragma once
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace quorin {

// Reading the parameter records (treego.txt) for the record replays.

// The records of the text: for every occurrence of `separator`, the whole
// line round it (lowered; the character after a CR, the LF, belongs to no
// line). An occurrence whose next CR lies beyond the 720 characters starting
// at it is passed over, unless it stands in the first line, which is taken
// whole. Repeats keep their last place; empty lines go.
QStringList recordRows(const QString& text, QChar separator);

// The eight values of a record "v0,v1,...,v7,": each value ends at a comma;
// the character right after a comma is not looked at. A value that is no
// number is left out (nothing), as are values that are not there.
std::array<std::optional<double>, 8> recordFields(const QString& record);

} // namespace quorin
