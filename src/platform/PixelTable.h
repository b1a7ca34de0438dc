#pragma once
#include "platform/BoundedTable.h"
#include "platform/ByteWords.h"
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace quorin {

// The text of one cell as it is held: short ASCII text in place, anything
// else (longer, or not ASCII) as a string of its own.
struct CellText {
    QByteArrayView ascii;          // the text when `wide` is null
    const QString* wide = nullptr; // the text otherwise

    bool isEmpty() const { return wide ? wide->isEmpty() : ascii.isEmpty(); }
    bool is(char c) const {
        return wide ? (wide->size() == 1 && wide->at(0) == QLatin1Char(c))
                    : (ascii.size() == 1 && ascii.at(0) == c);
    }
    QString toString() const { return wide ? *wide : QString::fromLatin1(ascii); }
};

// A table of text cells with fixed index limits (rows 0..rowUpper, columns
// 0..colUpper) for the pixel sets: hundreds of thousands of short colour
// texts. It stores only what has been written, row by row, each row as long
// as its highest written column, and keeps an ASCII text of up to eight
// characters (a colour text, a running total) inside its 8-byte cell. Reading an unset or
// out-of-range cell gives "", writing outside the limits is refused.
class PixelTable {
public:
    PixelTable(long long rowUpper, long long colUpper) : cells_(rowUpper, colUpper) {}

    long long rowUpper() const { return cells_.rowUpper(); }
    long long colUpper() const { return cells_.colUpper(); }
    bool inRange(long long r, long long c) const { return cells_.inRange(r, c); }

    CellText cell(long long r, long long c) const {
        const Cell* cell = cells_.find(r, c);
        if (!cell)
            return {};
        if (static_cast<std::uint8_t>((*cell)[0]) == spilled)
            return {{}, &spilled_[spillIndex(*cell)]};
        return {QByteArrayView(cell->data(), inlineLength(*cell)), nullptr};
    }
    QString at(long long r, long long c) const { return cell(r, c).toString(); }

    // Whether two cells hold the same text. A short ASCII text is compared as
    // a word: its eight bytes must be readable and NUL after the text, as in
    // a table's cell.
    static bool sameText(const CellText& a, const CellText& b) {
        if (a.wide || b.wide)
            return a.toString() == b.toString();
        if (a.ascii.size() != b.ascii.size())
            return false;
        if (a.ascii.isEmpty())
            return true;
        if (a.ascii.size() > qsizetype(inlineChars))
            return a.ascii == b.ascii;
        // Both point at eight bytes (a cell), NUL after the text.
        Cell x, y;
        std::memcpy(x.data(), a.ascii.data(), x.size());
        std::memcpy(y.data(), b.ascii.data(), y.size());
        return x == y;
    }

    bool set(long long r, long long c, QStringView text);
    bool set(long long r, long long c, const QString& text) { return set(r, c, QStringView(text)); }
    bool set(long long r, long long c, const char* latin1) {
        return set(r, c, QString::fromLatin1(latin1));
    }
    // Bytes taken as Latin-1 text (ASCII in practice).
    bool setBytes(long long r, long long c, QByteArrayView text);

    // Cells (r, firstCol), (r, firstCol + 1), ... set to `texts` in one go;
    // those beyond the limits are left out. False when none fits.
    bool setRow(long long r, long long firstCol, std::span<const QByteArrayView> texts);
    bool setRow(long long r, long long firstCol, std::span<const QStringView> texts);

    void clear();
    std::size_t memoryBytes() const;

private:
    static constexpr std::size_t inlineChars = 8;
    static constexpr std::uint8_t spilled = 0xFF;
    // The text in place, padded with NUL bytes (an empty cell is all NUL);
    // or `spilled` (never ASCII) and the index of the text among the spilled
    // ones.
    using Cell = std::array<char, 8>;

    // Characters before the first NUL of eight bytes read as a little-endian
    // word (the first byte lowest).
    static qsizetype lengthOfWord(std::uint64_t w) { return firstFlaggedByte(zeroByteFlags(w)); }
    // Characters before the first NUL.
    static qsizetype inlineLength(const Cell& cell) {
        if constexpr (std::endian::native == std::endian::little) {
            std::uint64_t w;
            std::memcpy(&w, cell.data(), sizeof w);
            return lengthOfWord(w);
        } else {
            qsizetype n = 0;
            while (n < 8 && cell[static_cast<std::size_t>(n)] != 0)
                ++n;
            return n;
        }
    }

    static std::uint32_t spillIndex(const Cell& cell) {
        std::uint32_t index;
        std::memcpy(&index, cell.data() + 1, sizeof index);
        return index;
    }
    void release(Cell& cell);
    void spill(Cell& cell, QString text);
    void put(Cell& cell, QStringView text);
    void put(Cell& cell, QByteArrayView text);
    template <class View> bool putRow(long long r, long long c0, std::span<const View> texts);

    BoundedTable<Cell> cells_;
    std::vector<QString> spilled_;
    std::vector<std::uint32_t> freeSpills_;
};

} // namespace quorin
