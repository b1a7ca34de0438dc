#pragma once
#include "platform/ByteWords.h"
#include "platform/Colour.h"
#include "platform/PixelTable.h"
#include "platform/TextFiles.h"
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace quorin {

// Pixel sets: the colours of a picture sampled on a regular grid, one text
// line per grid column, each colour as upper-case hexadecimal followed by a
// TAB, the line closed by the running total of samples in the file (which
// keeps every line distinct, as the row reader drops repeated lines). The
// difference file has the same layout with "*" where a point does not differ.

// --- the grid ---

// Sampling steps for a box of width W and height H (twips) and a resolution
// of X columns and Y rows as typed: stepX = Int(W / Int(Val(X))), stepY the
// same for H and Y. Nothing when either step is not a whole number of at
// least 1 (X or Y reading as 0, negative, or larger than the box), or when
// the grid would not fit the pixel tables.
struct PixelGrid {
    double width = 0;
    double stepX = 0;
    long long stepY = 0;

    // Columns x = 0, stepX, 2 stepX, ... <= W - stepX.
    long long columns() const;
    double columnX(long long column) const { return static_cast<double>(column) * stepX; }
    // Rows y = 0, stepY, ... <= height - stepY, for the height of the moment.
    long long rows(double height) const;
    double rowY(long long row) const { return static_cast<double>(row * stepY); }
};
std::optional<PixelGrid> pixelGrid(double width, double height, const QString& xText,
                                   const QString& yText);

// The colours of grid column `column` in a box `height` twips high, top
// down, as `colourAt(x, y)` reads them at each grid point (twips from the
// box's top-left corner).
template <class ColourAt>
std::vector<ColorValue> columnColours(const PixelGrid& grid, long long column, double height,
                                      ColourAt&& colourAt) {
    std::vector<ColorValue> colours(static_cast<std::size_t>(grid.rows(height)));
    const double x = grid.columnX(column);
    for (std::size_t k = 0; k < colours.size(); ++k)
        colours[k] = colourAt(x, grid.rowY(static_cast<long long>(k)));
    return colours;
}

// The table cell of grid point (column, row): the row of the table is the
// column, and its fields start at 1.
constexpr long long cellField(long long row) {
    return row + 1;
}

// --- colours ---

struct Rgb {
    int red = 0, green = 0, blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Upper-case hexadecimal without leading zeros; -1 (outside the picture) is
// its 32 bits, FFFFFFFF.
QByteArray colourText(ColorValue colour);
void appendColourText(QByteArray& out, ColorValue colour);

// The components of a colour text (either case). A text of up to eight
// hexadecimal digits is one number whose low bytes are red, green and blue
// (so "A0B0C" is RGB(12, 11, 10)); any other text is read pair by pair from
// its end (red the last two characters, green the two before, blue the two
// before those), a pair that is missing or not hexadecimal counting 0.
Rgb colourComponents(QByteArrayView text);
Rgb colourComponents(QStringView text);
Rgb colourComponents(const CellText& text);
inline Rgb colourComponents(ColorValue colour) {
    const auto v = static_cast<quint32>(colour);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
            static_cast<int>((v >> 16) & 0xFF)};
}

// The colour a cell is drawn in; nothing for an empty cell (no point of the
// file).
std::optional<ColorValue> cellColour(const CellText& text);
// Whether a cell is a point a redraw draws: neither empty nor "*" (a point
// a difference file leaves out).
inline bool isMarked(const CellText& text) {
    return !text.isEmpty() && !text.is('*');
}
// The colour a redraw draws a cell in: its own, nothing for a cell it skips.
inline std::optional<ColorValue> ownColour(const CellText& text) {
    return isMarked(text) ? cellColour(text) : std::nullopt;
}

// The whole part of the Euclidean distance of two colours.
int colourDistance(const Rgb& a, const Rgb& b);
// Its square, exactly.
int squaredDistance(const Rgb& a, const Rgb& b);

// The threshold T typed into the threshold box: its leading number rounded
// to the nearest whole number, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4); text that is no number gives 0. Far beyond the largest
// distance it is held at a bound, so it never overflows.
long long colourThreshold(const QString& text);

// Distance rule: the point differs when the distance is above T.
bool colourDiffers(const Rgb& a, const Rgb& b, long long threshold);

// Template rule: with s the component sums, the point differs when the sums
// differ by more than the base (the larger sum less its largest component),
// or when the largest and the middle component difference are both above T.
bool templateDiffers(const Rgb& templ, const Rgb& live, long long threshold);

// --- reading ---

// Cuts a row into its fields as if it were enclosed in one TAB at each end:
// a field lies between two separators (TAB or "|"); a separator followed
// directly by further ones skips at most 21 of them; text after the last
// separator is not a field. next() gives fields 1, 2, ... in turn.
template <class View> class FieldCursor {
public:
    explicit FieldCursor(View row) : row_(row) {}

    // The next field into `field`; false past the last one.
    bool next(View& field) {
        // Positions -1 and size are the enclosing TABs; the scan only ever
        // stops at separators.
        const qsizetype size = row_.size();
        const auto* const d = row_.data();
        const auto isSeparator = [](auto ch) { return ch == '\t' || ch == '|'; };
        const auto separator = [&](qsizetype k) { return k < 0 || k >= size || isSeparator(d[k]); };
        qsizetype p = i_;
        for (int skipped = 0; skipped < 21 && p + 1 <= size && separator(p + 1); ++skipped)
            ++p;
        qsizetype q = p + 1;
        if constexpr (sizeof(*d) == 1 && std::endian::native == std::endian::little) {
            // Bytes: eight at a time. A byte equal to TAB or "|" is a zero
            // byte of the word XORed with it.
            for (; q + 8 <= size; q += 8) {
                std::uint64_t w;
                std::memcpy(&w, d + q, sizeof w);
                const std::uint64_t hits =
                    zeroByteFlags(w ^ byteLanes('\t')) | zeroByteFlags(w ^ byteLanes('|'));
                if (hits != 0) {
                    q += firstFlaggedByte(hits);
                    break;
                }
            }
        }
        while (q < size && !isSeparator(d[q]))
            ++q;
        if (q > size) {
            i_ = size; // stays past the end
            return false;
        }
        field = row_.sliced(p + 1, q - p - 1);
        i_ = q;
        return true;
    }

private:
    View row_;
    qsizetype i_ = -1; // the separator the last field ended at
};

// The fields of a row in turn: `store(number, text)` gets fields 1, 2, ...
template <class View, class Store> void forEachField(View row, Store&& store) {
    FieldCursor<View> cursor(row);
    View field;
    for (long long number = 1; cursor.next(field); ++number)
        store(number, field);
}

// Only fields 1 .. 4999 of a line are stored.
inline constexpr long long lastStoredField = 4999;

struct PixelSetRead {
    enum class Status { Read, Unreadable, NoRows, TooManyRows, TooLarge, NotAPixelSet };
    Status status = Status::Unreadable;
    long long rows = 0;
};

// Reads a pixel-set text (bytes as in the file, GBK) into the table: the text
// and a CR LF are cut into rows as the row reader does (lower case, cut at
// CR, repeats keep their last occurrence, empty rows dropped), and row r's
// fields 1 .. 4999 go to cells (r, field). Cells the text does not reach keep
// what they held.
//
// Refused, with the table untouched:
// - a text with a NUL byte (a picture or any other binary file) is no pixel
//   set;
// - a text without any CR has no rows;
// - more than `maxRows` rows are too many;
// - a text none of whose rows is a line the capture or a comparison could
//   have written is no pixel set. Such a row is colour texts (hexadecimal
//   digits of any length and case, or "*") ended by a whole number, the
//   running total: every field before its last non-empty one is a colour
//   text, and that one is decimal digits. One such row is enough; the others
//   may hold anything, as the colour reading takes any text.
PixelSetRead readPixelSet(QByteArray bytes, PixelTable& table, long long maxRows);
// The same from a file: unreadable when missing or a folder, too large when
// larger than the readers take (maxTextFileBytes).
PixelSetRead readPixelSetFile(const QString& path, PixelTable& table, long long maxRows);

// What the user is told when the file at `path` could not serve as a pixel
// set (any status but Read).
QString pixelSetReadMessage(PixelSetRead::Status status, const QString& path);

// The grid a pixel set read into `table` (`rows` rows) was written on, as far
// as the set shows it: a column per row, and as many points in a column as
// the first row has fields before its last one, the running total.
struct PixelSetExtent {
    long long columns = 0;
    long long rows = 0;
};
PixelSetExtent pixelSetExtent(const PixelTable& table, long long rows);

// A pixel set read for one pass over its cells: cell (r, c) is what
// readPixelSetFile would leave in an empty table's cell (r, c), but no table
// of the whole set is built. Plain ASCII text stays where the file is (see
// FileView) and is cut into cells, and lowered, as they are asked for: a row
// at a time, fields in order (going back in a row cuts it again from its
// start). Other text is read into a table.
class PixelSetRows {
public:
    PixelSetRows();
    ~PixelSetRows();
    PixelSetRows(const PixelSetRows&) = delete;
    PixelSetRows& operator=(const PixelSetRows&) = delete;

    // The set in the file at `path`, with readPixelSetFile's answers.
    PixelSetRead open(const QString& path, long long maxRows);

    // Valid until the next cell is asked for.
    CellText cell(long long r, long long c);

private:
    std::optional<FileView> file_;
    std::vector<QByteArrayView> rows_;  // the kept rows of plain ASCII text
    const char* textEnd_ = nullptr;     // and where that text ends
    std::unique_ptr<PixelTable> whole_; // the set, when its text is not plain ASCII
    // The row being read: its number, where its fields are cut, how many
    // have been, and the last one, lowered (NUL after a short text, as in a
    // table's cell).
    long long current_ = -1;
    FieldCursor<QByteArrayView> cursor_{QByteArrayView()};
    long long passed_ = 0;
    alignas(8) char short_[8] = {};
    QByteArray long_;
};
PixelSetExtent pixelSetExtent(PixelSetRows& set, long long rows);

// --- writing ---

// Ends a line with the running total and CR LF.
void endPixelLine(QByteArray& out, long long total);

// One line of a capture: each colour's text followed by a TAB, then the
// running total (counting these colours) and CR LF.
void appendColourLine(QByteArray& out, std::span<const ColorValue> colours, long long& total);

// One line of a difference file: for the grid points 0 .. rows - 1 of
// `column`, the second set's text where the two sets differ, else "*".
// Returns how many points differ.
long long appendSetDifferences(QByteArray& out, const PixelTable& first, const PixelTable& second,
                               long long column, long long rows, long long threshold,
                               long long& total);
long long appendSetDifferences(QByteArray& out, PixelSetRows& first, PixelSetRows& second,
                               long long column, long long rows, long long threshold,
                               long long& total);
// The whole difference file of two sets, on the grid of the first (read with
// `firstRows` rows, see pixelSetExtent), handed to `write` a piece at a time;
// `differing` counts its points that differ. False as soon as `write` is.
bool writeSetDifferences(PixelSetRows& first, long long firstRows, PixelSetRows& second,
                         long long threshold, const std::function<bool(QByteArrayView)>& write,
                         long long& differing);
// The same against colours read from the picture: the first set's text where
// they differ.
void appendLiveDifferences(QByteArray& out, const PixelTable& first, long long column,
                           std::span<const ColorValue> live, long long threshold, long long& total);
// The template rule against the picture: the picture's colour text where
// they differ.
void appendTemplateDifferences(QByteArray& out, const PixelTable& templ, long long column,
                               std::span<const ColorValue> live, long long threshold,
                               long long& total);

} // namespace quorin
