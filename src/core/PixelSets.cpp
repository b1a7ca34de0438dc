#include "core/PixelSets.h"
#include "core/RowReader.h"
#include "platform/NumberText.h"
#include "platform/TextFiles.h"
#include <QFile>
#include <QFileInfo>
#include <algorithm>
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

// Int(size / count) when it is a whole step of at least 1.
std::optional<double> step(double size, double count) {
    const double s = Int(size / count);
    if (!std::isfinite(s) || s < 1)
        return std::nullopt;
    return s;
}

int hexDigit(int ch) {
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
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

template <class View> Rgb components(View text) {
    const qsizetype n = text.size();
    if (n >= 1 && n <= 8) {
        quint32 value = 0;
        bool hex = true;
        for (qsizetype i = 0; i < n && hex; ++i) {
            const int d = hexDigit(unit(text, i));
            hex = d >= 0;
            value = value * 16 + static_cast<quint32>(std::max(d, 0));
        }
        if (hex)
            return colourComponents(static_cast<ColorValue>(value));
    }
    // Red is the last two characters (or the one there is), green the two
    // before them and blue the two before those; a pair the text does not
    // reach counts 0.
    Rgb c;
    c.red = n >= 1 ? pairAt(text, std::max<qsizetype>(n - 2, 0)) : 0;
    c.green = n >= 4 ? pairAt(text, n - 4) : 0;
    c.blue = n >= 6 ? pairAt(text, n - 6) : 0;
    return c;
}

void appendCell(QByteArray& out, const CellText& text) {
    if (text.wide)
        out += toGbk(*text.wide);
    else
        out.append(text.ascii);
}

QByteArrayView star() {
    return QByteArrayView("*", 1);
}

// The ASCII text lowered in place; false (nothing changed) when it is not
// all ASCII.
bool lowerAscii(QByteArray& bytes) {
    char* d = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (static_cast<unsigned char>(d[i]) >= 0x80)
            return false;
    }
    for (qsizetype i = 0; i < n; ++i) {
        if (d[i] >= 'A' && d[i] <= 'Z')
            d[i] = static_cast<char>(d[i] + ('a' - 'A'));
    }
    return true;
}

template <class View, class Set>
PixelSetRead storeRows(View text, PixelTable& table, long long maxRows, Set&& set) {
    const std::vector<View> rows = rowrules::lastOccurrences(rowrules::cutAtCr(text));
    if (static_cast<long long>(rows.size()) > maxRows)
        return {PixelSetRead::Status::TooManyRows, 0};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const auto row = static_cast<long long>(r);
        const View line = rows[r];
        // One allocation per row: a field needs at least one separator.
        const auto separators = std::count_if(line.begin(), line.end(),
                                              [](auto ch) { return ch == '\t' || ch == '|'; });
        table.reserveRow(row, std::min<long long>(separators + 1, lastStoredField));
        forEachField(line, [&](long long field, View value) {
            if (field <= lastStoredField)
                set(row, field, value);
        });
    }
    return {PixelSetRead::Status::Read, static_cast<long long>(rows.size())};
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
    static constexpr char digits[] = "0123456789ABCDEF";
    auto v = static_cast<quint32>(colour);
    char buffer[8];
    int n = 0;
    do {
        buffer[7 - n++] = digits[v & 0xF];
        v >>= 4;
    } while (v != 0);
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
Rgb colourComponents(ColorValue colour) {
    const auto v = static_cast<quint32>(colour);
    return {static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
            static_cast<int>((v >> 16) & 0xFF)};
}

std::optional<ColorValue> cellColour(const CellText& text) {
    if (text.isEmpty())
        return std::nullopt;
    const Rgb c = colourComponents(text);
    return rgb(c.red, c.green, c.blue);
}

int colourDistance(const Rgb& a, const Rgb& b) {
    const int dr = a.red - b.red, dg = a.green - b.green, db = a.blue - b.blue;
    return static_cast<int>(
        std::floor(std::sqrt(static_cast<double>(dr * dr + dg * dg + db * db))));
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
    return colourDistance(a, b) > threshold;
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
    if (!bytes.contains('\r'))
        return {PixelSetRead::Status::NoRows, 0};
    if (lowerAscii(bytes)) {
        bytes.append("\r\n");
        return storeRows(
            QByteArrayView(bytes), table, maxRows,
            [&](long long r, long long c, QByteArrayView v) { table.setBytes(r, c, v); });
    }
    const QString text = lowerCase(fromGbk(bytes) + QStringLiteral("\r\n"));
    bytes = QByteArray();
    return storeRows(QStringView(text), table, maxRows,
                     [&](long long r, long long c, QStringView v) { table.set(r, c, v); });
}

PixelSetRead readPixelSetFile(const QString& path, PixelTable& table, long long maxRows) {
    QFile file(path);
    if (QFileInfo(path).isDir() || file.size() > maxTextFileBytes ||
        !file.open(QIODevice::ReadOnly))
        return {};
    // Room for the CR LF the reading adds, so the text is never copied.
    QByteArray bytes;
    bytes.reserve(file.size() + 2);
    bytes.resize(file.size());
    if (file.read(bytes.data(), bytes.size()) != bytes.size())
        return {};
    return readPixelSet(std::move(bytes), table, maxRows);
}

// --- writing ---

void endPixelLine(QByteArray& out, long long total) {
    out += QByteArray::number(total);
    out += "\r\n";
}

void appendSetDifferences(QByteArray& out, const PixelTable& first, const PixelTable& second,
                          long long column, long long rows, long long threshold, long long& total) {
    for (long long k = 0; k < rows; ++k) {
        const CellText a = first.cell(column, cellField(k));
        const CellText b = second.cell(column, cellField(k));
        if (colourDiffers(colourComponents(a), colourComponents(b), threshold))
            appendCell(out, b);
        else
            out.append(star());
        out += '\t';
        ++total;
    }
    endPixelLine(out, total);
}

void appendLiveDifferences(QByteArray& out, const PixelTable& first, long long column,
                           std::span<const ColorValue> live, long long threshold,
                           long long& total) {
    for (std::size_t k = 0; k < live.size(); ++k) {
        const CellText a = first.cell(column, cellField(static_cast<long long>(k)));
        if (colourDiffers(colourComponents(a), colourComponents(live[k]), threshold))
            appendCell(out, a);
        else
            out.append(star());
        out += '\t';
        ++total;
    }
    endPixelLine(out, total);
}

void appendTemplateDifferences(QByteArray& out, const PixelTable& templ, long long column,
                               std::span<const ColorValue> live, long long threshold,
                               long long& total) {
    for (std::size_t k = 0; k < live.size(); ++k) {
        const CellText a = templ.cell(column, cellField(static_cast<long long>(k)));
        if (templateDiffers(colourComponents(a), colourComponents(live[k]), threshold))
            appendColourText(out, live[k]);
        else
            out.append(star());
        out += '\t';
        ++total;
    }
    endPixelLine(out, total);
}

} // namespace quorin
