#pragma once
#include "platform/BoundedTable.h"
#include "platform/Colour.h"
#include <QString>
#include <vector>

namespace quorin {

// The stroke file of the canvas's freehand drawing: two lines per stroke, the
// X line and the Y line, each holding the points, then the stroke's last
// colour and width, then an ordinal (2s+1 and 2s+2) that only keeps the lines
// of a file apart, so that reading the rows removes none of them.

// The stroke tables: strokes 0 .. 3000 of points 0 .. 3000.
inline constexpr int strokeLimit = 3000;

// The canvas's stroke tables (rows are strokes, columns points).
struct StrokeTables {
    BoundedTable<double>& x;
    BoundedTable<double>& y;
    BoundedTable<double>& colour;
    BoundedTable<double>& width;
    BoundedArray<double>& pointCount; // index of a stroke's last point
    BoundedArray<double>& groupEnd;   // entry 0: number of strokes read
};

// The file text of strokes 0..strokeCount-1: TAB between fields, CR LF after
// every line; empty for no strokes.
QString strokeFileText(const StrokeTables& t, int strokeCount);

struct StrokeImportResult {
    bool complete = true;
    int badRow = -1;     // row holding a field that is not a number
    int strokeCount = 0; // strokes converted
};

// Reads the rows of a stroke file, as the row reader keeps them (without
// their enclosing TABs), into the tables, and after them the closing entry
// (an empty row). Fields are separated by TAB or "|". A field that is not a
// number stops the reading there: the fields of its row before it are stored
// where a complete row would put them, that row sets no point count, colour
// or width, the strokes before it stay and groupEnd is left alone.
template <class View> StrokeImportResult qingz(const std::vector<View>& rows, StrokeTables& t);

// A stroke file read as 导入 reads it: refused when larger than the readers
// take (tooLargeMessage) or when its rows do not fit the tables
// (tooManyRowsMessage); a file that cannot be read (gone, a folder, no
// access) is Unreadable. Only Read touches the tables.
struct StrokeFileRead {
    enum class Status { Read, TooLarge, Unreadable, TooManyRows };
    Status status = Status::Read;
    int rowCount = 0; // rows kept, for the row tables
    StrokeImportResult strokes;
};
StrokeFileRead readStrokeFile(const QString& path, StrokeTables& t);

// Told when a row stops the import (badRow counts from 0).
QString importStoppedMessage(int badRow);

// The pen of a stored colour and width: the colour's low three bytes, the
// width within 1 .. 70 pixels.
ColorValue strokeColourOf(double stored);
int strokeWidthOf(double stored);

// One point of a stroke's replay, in the stroke's own coordinates.
struct ReplayPoint {
    double x = 0;
    double y = 0;
    ColorValue colour = 0;
    int width = 1;
};

// What 自动 draws of stroke s: a dot at its press point, then a line from
// each point to the next, at most strokeLimit of them, each in the colour and
// width stored with it (the dot in those of the first). A stroke of its press
// point alone has no sampled point: nothing.
std::vector<ReplayPoint> replayPoints(const StrokeTables& t, long long s);

} // namespace quorin
