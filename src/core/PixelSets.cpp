#include "core/PixelSets.h"
#include "core/RowReader.h"
#include "platform/NumberText.h"
#include "platform/TextFiles.h"
#include <QDir>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>

namespace quorin {

namespace {

// The largest column and field number of the pixel tables.
constexpr long long tableUpper = 5000;

// A resolution as typed: Int(Val(text)).
double resolution(const QString& text) {
    return Int(val(text));
}

// Int(size / count) when it is a whole step of at least 1 (and, far beyond
// any box, at most 1e12 twips, so it stays a whole number of any type).
std::optional<double> step(double size, double count) {
    const double s = Int(size / count);
    if (!std::isfinite(s) || s < 1 || s > 1e12)
        return std::nullopt;
    return s;
}

constexpr std::array<signed char, 128> hexDigits = [] {
    std::array<signed char, 128> t{};
    for (auto& v : t)
        v = -1;
    for (int i = 0; i < 10; ++i)
        t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        t['a' + i] = static_cast<signed char>(10 + i);
        t['A' + i] = static_cast<signed char>(10 + i);
    }
    return t;
}();

inline int hexDigit(int ch) {
    return ch >= 0 && ch < 128 ? hexDigits[static_cast<std::size_t>(ch)] : -1;
}

template <class View> int unit(View text, qsizetype i) {
    if constexpr (std::is_same_v<View, QStringView>)
        return text.at(i).unicode();
    else
        return static_cast<unsigned char>(text.at(i));
}

// The pair of characters from 0-based `at` (one when the text ends there);
// 0 when it is not hexadecimal.
template <class View> int pairAt(View text, qsizetype at) {
    int value = 0;
    for (qsizetype i = at; i < at + 2 && i < text.size(); ++i) {
        const int d = hexDigit(unit(text, i));
        if (d < 0)
            return 0;
        value = value * 16 + d;
    }
    return value;
}

// Up to eight hexadecimal digits as one number. No early exit: short texts
// of hexadecimal digits are the rule.
template <class View> inline bool hexNumber(View text, quint32& value) {
    const qsizetype n = text.size();
    if (n < 1 || n > 8)
        return false;
    value = 0;
    int bad = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const int d = hexDigit(unit(text, i));
        bad |= d;
        value = value * 16 + static_cast<quint32>(d & 0xF);
    }
    return bad >= 0;
}

template <class View> Rgb pairwiseComponents(View text) {
    const qsizetype n = text.size();
    // Red is the last two characters (or the one there is), green the two
    // before them and blue the two before those; a pair the text does not
    // reach counts 0.
    Rgb c;
    c.red = n >= 1 ? pairAt(text, std::max<qsizetype>(n - 2, 0)) : 0;
    c.green = n >= 4 ? pairAt(text, n - 4) : 0;
    c.blue = n >= 6 ? pairAt(text, n - 6) : 0;
    return c;
}

template <class View> inline Rgb components(View text) {
    quint32 value;
    if (hexNumber(text, value))
        return colourComponents(static_cast<ColorValue>(value));
    return pairwiseComponents(text);
}

// The colour text at the end of `buffer`; its length.
int colourDigits(ColorValue colour, char (&buffer)[8]) {
    auto v = static_cast<quint32>(colour);
    int n = 0;
    do {
        buffer[7 - n++] = "0123456789ABCDEF"[v & 0xF];
        v >>= 4;
    } while (v != 0);
    return n;
}

// Writes one line of a pixel-set text at the end of `out`: room for the
// usual fields is made once, and the line is cut to its length at the end.
class LineWriter {
public:
    LineWriter(QByteArray& out, std::size_t fields) : out_(out), at_(out.size()) {
        room(static_cast<qsizetype>(fields) * 9 + 32);
    }
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    void field(QByteArrayView text) {
        room(text.size() + 1);
        if (!text.isEmpty()) // an empty cell's view may have no data at all
            std::memcpy(d_ + at_, text.data(), static_cast<std::size_t>(text.size()));
        at_ += text.size();
        d_[at_++] = '\t';
    }
    void field(const CellText& text) {
        if (text.wide)
            field(QByteArrayView(toGbk(*text.wide)));
        else
            field(text.ascii);
    }
    void colourField(ColorValue colour) {
        char buffer[8];
        const int n = colourDigits(colour, buffer);
        field(QByteArrayView(buffer + 8 - n, n));
    }
    // The running total and CR LF end the line.
    void end(long long total) {
        out_.resize(at_);
        endPixelLine(out_, total);
    }

private:
    void room(qsizetype n) {
        if (at_ + n > out_.size())
            out_.resize(std::max(at_ + n, out_.size() + out_.size() / 2));
        d_ = out_.data();
    }
    QByteArray& out_;
    qsizetype at_;
    char* d_ = nullptr;
};

const QByteArrayView star("*", 1);

// A colour text as written: hexadecimal digits, or "*" for a point a
// difference file leaves out.
template <class View> bool isColourText(View field) {
    if (field.size() == 1 && unit(field, 0) == '*')
        return true;
    for (qsizetype i = 0; i < field.size(); ++i)
        if (hexDigit(unit(field, i)) < 0)
            return false;
    return !field.isEmpty();
}

template <class View> bool isWholeNumber(View field) {
    for (qsizetype i = 0; i < field.size(); ++i) {
        const int ch = unit(field, i);
        if (ch < '0' || ch > '9')
            return false;
    }
    return !field.isEmpty();
}

// A line as the capture and the comparisons write them: colour texts and the
// running total. Empty fields after the total are allowed, an empty field
// before it (a run of more than 21 separators) is not.
template <class View> bool isPixelRow(View row) {
    bool colours = true; // every non-empty field before `last` is a colour text
    bool gap = false;    // an empty field since `last`
    std::optional<View> last;
    forEachField(row, [&](long long, View field) {
        if (field.isEmpty()) {
            gap = true;
            return;
        }
        if (gap || (last && !isColourText(*last)))
            colours = false;
        gap = false;
        last = field;
    });
    return colours && last && isWholeNumber(*last);
}

template <class View> bool anyPixelRow(const std::vector<View>& rows) {
    return std::any_of(rows.begin(), rows.end(), [](View row) { return isPixelRow(row); });
}

// The fields of a row go to the table's row `r` from field 1 (`fields` is
// room for them); only fields 1 .. lastStoredField are stored.
template <class View>
void storeRow(PixelTable& table, long long r, View row, std::vector<View>& fields) {
    fields.clear();
    forEachField(row, [&](long long field, View value) {
        if (field <= lastStoredField)
            fields.push_back(value);
    });
    table.setRow(r, 1, std::span<const View>(fields));
}

template <class View>
PixelSetRead::Status storeRows(const std::vector<View>& rows, PixelTable& table) {
    if (!anyPixelRow(rows))
        return PixelSetRead::Status::NotAPixelSet;
    std::vector<View> fields;
    for (std::size_t r = 0; r < rows.size(); ++r)
        storeRow(table, static_cast<long long>(r), rows[r], fields);
    return PixelSetRead::Status::Read;
}

// A set's cells, from a table or read row by row.
template <class Cells> PixelSetExtent extentOf(Cells& set, long long rows) {
    long long fields = 0;
    while (fields < lastStoredField && !set.cell(0, fields + 1).isEmpty())
        ++fields;
    return {rows, std::max(fields - 1, 0LL)};
}

} // namespace

// --- the grid ---

long long PixelGrid::columns() const {
    if (!(stepX >= 1) || !(width - stepX >= 0))
        return 0;
    return static_cast<long long>(std::floor((width - stepX) / stepX)) + 1;
}

long long PixelGrid::rows(double height) const {
    if (stepY < 1 || !(height - static_cast<double>(stepY) >= 0))
        return 0;
    return static_cast<long long>(
               std::floor((height - static_cast<double>(stepY)) / static_cast<double>(stepY))) +
           1;
}

std::optional<PixelGrid> pixelGrid(double width, double height, const QString& xText,
                                   const QString& yText) {
    const double x = resolution(xText), y = resolution(yText);
    if (x == 0 || y == 0)
        return std::nullopt;
    const auto sx = step(width, x), sy = step(height, y);
    if (!sx || !sy)
        return std::nullopt;
    PixelGrid grid{width, *sx, static_cast<long long>(*sy)};
    // Column numbers and fields beyond the tables could be neither kept nor
    // read back.
    if (grid.columns() > tableUpper + 1 || grid.rows(height) > tableUpper)
        return std::nullopt;
    return grid;
}

// --- colours ---

void appendColourText(QByteArray& out, ColorValue colour) {
    char buffer[8];
    const int n = colourDigits(colour, buffer);
    out.append(buffer + 8 - n, n);
}

QByteArray colourText(ColorValue colour) {
    QByteArray out;
    appendColourText(out, colour);
    return out;
}

Rgb colourComponents(QByteArrayView text) {
    return components(text);
}
Rgb colourComponents(QStringView text) {
    return components(text);
}
Rgb colourComponents(const CellText& text) {
    return text.wide ? components(QStringView(*text.wide)) : components(text.ascii);
}

std::optional<ColorValue> cellColour(const CellText& text) {
    if (text.isEmpty())
        return std::nullopt;
    const Rgb c = colourComponents(text);
    return rgb(c.red, c.green, c.blue);
}

int squaredDistance(const Rgb& a, const Rgb& b) {
    const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
    return dr * dr + dg * dg + db * db;
}

int colourDistance(const Rgb& a, const Rgb& b) {
    return static_cast<int>(std::floor(std::sqrt(static_cast<double>(squaredDistance(a, b)))));
}

long long colourThreshold(const QString& text) {
    const double v = val(text);
    if (std::isnan(v))
        return 0;
    // Past the largest distance (441) every threshold marks nothing, and below
    // 0 every one marks everything; the bound only keeps the value small.
    const double bounded = std::clamp(v, -1e6, 1e6);
    return static_cast<long long>(std::nearbyint(bounded));
}

bool colourDiffers(const Rgb& a, const Rgb& b, long long threshold) {
    // The whole part of the root is above T exactly when the square reaches
    // (T + 1) squared; T is bounded, so the square cannot overflow.
    return threshold < 0 || squaredDistance(a, b) >= (threshold + 1) * (threshold + 1);
}

bool templateDiffers(const Rgb& templ, const Rgb& live, long long threshold) {
    const int s1 = templ.red + templ.green + templ.blue;
    const int s2 = live.red + live.green + live.blue;
    const int base = s1 > s2 ? s1 - std::max({templ.red, templ.green, templ.blue})
                             : s2 - std::max({live.red, live.green, live.blue});
    int d[3] = {std::abs(templ.red - live.red), std::abs(templ.green - live.green),
                std::abs(templ.blue - live.blue)};
    std::sort(d, d + 3);
    return std::abs(s1 - s2) > base || (d[2] > threshold && d[1] > threshold);
}

// --- reading ---

PixelSetRead readPixelSet(QByteArray bytes, PixelTable& table, long long maxRows) {
    // No text the program writes holds a NUL byte, nor does GBK text.
    if (bytes.contains('\0'))
        return {PixelSetRead::Status::NotAPixelSet, 0};
    if (!bytes.contains('\r'))
        return {PixelSetRead::Status::NoRows, 0};
    auto status = PixelSetRead::Status::Read;
    const RowReadResult rows =
        zhong(std::move(bytes), static_cast<qsizetype>(std::max(maxRows, 0LL)),
              [&](const auto& kept) { status = storeRows(kept, table); });
    if (rows.tooMany)
        return {PixelSetRead::Status::TooManyRows, 0};
    if (status != PixelSetRead::Status::Read)
        return {status, 0};
    return {status, rows.rowCount};
}

PixelSetRead readPixelSetFile(const QString& path, PixelTable& table, long long maxRows) {
    if (tooLargeToRead(path))
        return {PixelSetRead::Status::TooLarge, 0};
    std::optional<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return {};
    return readPixelSet(std::move(*bytes), table, maxRows);
}

QString pixelSetReadMessage(PixelSetRead::Status status, const QString& path) {
    switch (status) {
    case PixelSetRead::Status::TooManyRows:
        return tooManyRowsMessage();
    case PixelSetRead::Status::TooLarge:
        return tooLargeMessage(path);
    case PixelSetRead::Status::NotAPixelSet:
        return QStringLiteral("文件 %1 不是像素集合文件，未导入。")
            .arg(QDir::toNativeSeparators(path));
    case PixelSetRead::Status::Read:
    case PixelSetRead::Status::Unreadable:
    case PixelSetRead::Status::NoRows:
        break;
    }
    return QStringLiteral("无法读取像素集合 ") + path +
           QStringLiteral("：文件无法打开，或其中没有以回车换行结尾的行。");
}

PixelSetExtent pixelSetExtent(const PixelTable& table, long long rows) {
    return extentOf(table, rows);
}

PixelSetExtent pixelSetExtent(PixelSetRows& set, long long rows) {
    return extentOf(set, rows);
}

// The tables a set is read into.
constexpr long long setTableUpper = 5000;

PixelSetRows::PixelSetRows() = default;
PixelSetRows::~PixelSetRows() = default;

PixelSetRead PixelSetRows::open(const QString& path, long long maxRows) {
    rows_.clear();
    whole_.reset();
    current_ = -1;
    file_.reset();
    if (tooLargeToRead(path))
        return {PixelSetRead::Status::TooLarge, 0};
    file_ = FileView::open(path);
    if (!file_)
        return {};
    const QByteArrayView text = file_->bytes();
    // The checks of readPixelSet, in its order.
    if (text.contains('\0'))
        return {PixelSetRead::Status::NotAPixelSet, 0};
    if (!text.contains('\r'))
        return {PixelSetRead::Status::NoRows, 0};
    if (!isAscii(text)) {
        whole_ = std::make_unique<PixelTable>(setTableUpper, setTableUpper);
        const PixelSetRead read = readPixelSet(text.toByteArray(), *whole_, maxRows);
        file_.reset();
        return read;
    }
    auto rows = rowrules::keptRows<QByteArrayView, FoldedBytes>(
        text, static_cast<qsizetype>(std::max(maxRows, 0LL)), true);
    if (!rows)
        return {PixelSetRead::Status::TooManyRows, 0};
    if (!anyPixelRow(*rows))
        return {PixelSetRead::Status::NotAPixelSet, 0};
    rows_ = std::move(*rows);
    textEnd_ = text.data() + text.size();
    return {PixelSetRead::Status::Read, static_cast<long long>(rows_.size())};
}

CellText PixelSetRows::cell(long long r, long long c) {
    if (whole_)
        return whole_->cell(r, c);
    if (r < 0 || r >= static_cast<long long>(rows_.size()) || r > setTableUpper || c < 1 ||
        c > lastStoredField)
        return {};
    if (r != current_ || c <= passed_) {
        current_ = r;
        cursor_ = FieldCursor<QByteArrayView>(rows_[static_cast<std::size_t>(r)]);
        passed_ = 0;
    }
    QByteArrayView field;
    for (; passed_ < c; ++passed_)
        if (!cursor_.next(field)) {
            passed_ = lastStoredField; // no more fields in this row
            return {};
        }
    const qsizetype n = field.size();
    if (n > qsizetype(sizeof short_)) {
        long_ = field.toByteArray();
        lowerAsciiLetters(long_.data(), n);
        return {QByteArrayView(long_), nullptr};
    }
    if constexpr (std::endian::native != std::endian::little) {
        std::memset(short_, 0, sizeof short_);
        std::memcpy(short_, field.data(), static_cast<std::size_t>(n));
        lowerAsciiLetters(short_, sizeof short_);
        return {QByteArrayView(short_, n), nullptr};
    }
    // Its bytes, NUL after them, as one word (the first byte lowest): read
    // whole where eight bytes are there to read.
    std::uint64_t w = 0;
    if (field.data() + sizeof w <= textEnd_) {
        std::memcpy(&w, field.data(), sizeof w);
        if (n < qsizetype(sizeof w))
            w &= (std::uint64_t(1) << (8 * n)) - 1;
    } else {
        for (qsizetype k = n; k-- > 0;)
            w = (w << 8) | static_cast<std::uint8_t>(field[k]);
    }
    w = lowerAsciiWord(w);
    std::memcpy(short_, &w, sizeof w);
    return {QByteArrayView(short_, n), nullptr};
}

// --- writing ---

void endPixelLine(QByteArray& out, long long total) {
    out += QByteArray::number(total);
    out += "\r\n";
}

void appendColourLine(QByteArray& out, std::span<const ColorValue> colours, long long& total) {
    LineWriter line(out, colours.size());
    for (const ColorValue colour : colours)
        line.colourField(colour);
    total += static_cast<long long>(colours.size());
    line.end(total);
}

namespace {

template <class Cells>
long long setDifferences(QByteArray& out, Cells& first, Cells& second, long long column,
                         long long rows, long long threshold, long long& total) {
    long long differing = 0;
    LineWriter line(out, static_cast<std::size_t>(std::max(rows, 0LL)));
    for (long long k = 0; k < rows; ++k) {
        const CellText a = first.cell(column, cellField(k));
        const CellText b = second.cell(column, cellField(k));
        // The same text is the same colour: most points of two captures of
        // one scene are.
        const bool same = PixelTable::sameText(a, b);
        if ((!same || threshold < 0) &&
            colourDiffers(colourComponents(a), colourComponents(b), threshold)) {
            line.field(b);
            ++differing;
        } else {
            line.field(star);
        }
        ++total;
    }
    line.end(total);
    return differing;
}

} // namespace

long long appendSetDifferences(QByteArray& out, const PixelTable& first, const PixelTable& second,
                               long long column, long long rows, long long threshold,
                               long long& total) {
    return setDifferences(out, first, second, column, rows, threshold, total);
}

long long appendSetDifferences(QByteArray& out, PixelSetRows& first, PixelSetRows& second,
                               long long column, long long rows, long long threshold,
                               long long& total) {
    return setDifferences(out, first, second, column, rows, threshold, total);
}

bool writeSetDifferences(PixelSetRows& first, long long firstRows, PixelSetRows& second,
                         long long threshold, const std::function<bool(QByteArrayView)>& write,
                         long long& differing) {
    const PixelSetExtent grid = pixelSetExtent(first, firstRows);
    // Handed on in pieces of about this size, from one buffer.
    constexpr qsizetype pieceBytes = 256 * 1024;
    QByteArray text;
    text.reserve(pieceBytes + 2 * grid.rows + 64);
    long long total = 0;
    differing = 0;
    for (long long i = 0; i < grid.columns; ++i) {
        differing += setDifferences(text, first, second, i, grid.rows, threshold, total);
        if (text.size() >= pieceBytes) {
            if (!write(text))
                return false;
            text.truncate(0);
        }
    }
    return write(text);
}

namespace {

// A line of the set against the picture: `field(cell, live)` writes the
// field of a point that differs by `differs(cell, live)`.
template <class Differs, class Field>
void appendAgainstPicture(QByteArray& out, const PixelTable& set, long long column,
                          std::span<const ColorValue> live, long long& total, Differs differs,
                          Field field) {
    LineWriter line(out, live.size());
    for (std::size_t k = 0; k < live.size(); ++k) {
        const CellText cell = set.cell(column, cellField(static_cast<long long>(k)));
        if (differs(colourComponents(cell), colourComponents(live[k])))
            field(line, cell, live[k]);
        else
            line.field(star);
        ++total;
    }
    line.end(total);
}

} // namespace

void appendLiveDifferences(QByteArray& out, const PixelTable& first, long long column,
                           std::span<const ColorValue> live, long long threshold,
                           long long& total) {
    appendAgainstPicture(
        out, first, column, live, total,
        [&](const Rgb& a, const Rgb& b) { return colourDiffers(a, b, threshold); },
        [](LineWriter& line, const CellText& cell, ColorValue) { line.field(cell); });
}

void appendTemplateDifferences(QByteArray& out, const PixelTable& templ, long long column,
                               std::span<const ColorValue> live, long long threshold,
                               long long& total) {
    appendAgainstPicture(
        out, templ, column, live, total,
        [&](const Rgb& a, const Rgb& b) { return templateDiffers(a, b, threshold); },
        [](LineWriter& line, const CellText&, ColorValue colour) { line.colourField(colour); });
}

} // namespace quorin
