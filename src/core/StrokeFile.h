#pragma once
#include "platform/BoundedTable.h"
#include <QString>
#include <vector>

namespace quorin {

// The stroke file of the canvas's freehand drawing: two lines per stroke, the
// X line and the Y line, each holding the points, then the stroke's last
// colour and width, then an ordinal (2s+1 and 2s+2) that only keeps the lines
// of a file apart, so that reading the rows removes none of them.

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

} // namespace quorin
