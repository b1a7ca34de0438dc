#include "platform/PixelTable.h"
#include <cstring>

namespace quorin {

namespace {

bool isAscii(QStringView text) {
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80 || ch.unicode() == 0)
            return false;
    }
    return true;
}

} // namespace

CellText PixelTable::cell(long long r, long long c) const {
    if (r < 0 || c < 0 || static_cast<std::size_t>(r) >= rows_.size())
        return {};
    const auto& row = rows_[static_cast<std::size_t>(r)];
    if (static_cast<std::size_t>(c) >= row.size())
        return {};
    const Cell& cell = row[static_cast<std::size_t>(c)];
    const auto length = static_cast<std::uint8_t>(cell[0]);
    if (length == spilled) {
        std::uint32_t index;
        std::memcpy(&index, cell.data() + 1, sizeof index);
        return {{}, &spilled_[index]};
    }
    return {QByteArrayView(cell.data() + 1, length), nullptr};
}

PixelTable::Cell* PixelTable::slot(long long r, long long c) {
    if (!inRange(r, c))
        return nullptr;
    const auto ri = static_cast<std::size_t>(r);
    const auto ci = static_cast<std::size_t>(c);
    if (ri >= rows_.size())
        rows_.resize(ri + 1);
    auto& row = rows_[ri];
    if (ci >= row.size())
        row.resize(ci + 1, Cell{});
    return &row[ci];
}

void PixelTable::release(Cell& cell) {
    if (static_cast<std::uint8_t>(cell[0]) != spilled)
        return;
    std::uint32_t index;
    std::memcpy(&index, cell.data() + 1, sizeof index);
    spilled_[index] = QString();
    freeSpills_.push_back(index);
    cell[0] = 0;
}

void PixelTable::spill(Cell& cell, QString text) {
    std::uint32_t index;
    if (!freeSpills_.empty()) {
        index = freeSpills_.back();
        freeSpills_.pop_back();
        spilled_[index] = std::move(text);
    } else {
        index = static_cast<std::uint32_t>(spilled_.size());
        spilled_.push_back(std::move(text));
    }
    cell[0] = static_cast<char>(spilled);
    std::memcpy(cell.data() + 1, &index, sizeof index);
}

bool PixelTable::set(long long r, long long c, QStringView text) {
    Cell* cell = slot(r, c);
    if (!cell)
        return false;
    release(*cell);
    if (static_cast<std::size_t>(text.size()) <= inlineChars && isAscii(text)) {
        cell->at(0) = static_cast<char>(text.size());
        for (qsizetype i = 0; i < text.size(); ++i)
            cell->at(static_cast<std::size_t>(i) + 1) = static_cast<char>(text[i].unicode());
    } else {
        spill(*cell, text.toString());
    }
    return true;
}

bool PixelTable::setBytes(long long r, long long c, QByteArrayView text) {
    Cell* cell = slot(r, c);
    if (!cell)
        return false;
    release(*cell);
    if (static_cast<std::size_t>(text.size()) <= inlineChars &&
        std::memchr(text.data(), 0, static_cast<std::size_t>(text.size())) == nullptr) {
        bool ascii = true;
        for (char ch : text)
            ascii = ascii && static_cast<unsigned char>(ch) < 0x80;
        if (ascii) {
            cell->at(0) = static_cast<char>(text.size());
            std::memcpy(cell->data() + 1, text.data(), static_cast<std::size_t>(text.size()));
            return true;
        }
    }
    spill(*cell, QString::fromLatin1(text));
    return true;
}

void PixelTable::reserveRow(long long r, long long colUpper) {
    if (!inRange(r, 0))
        return;
    const auto ri = static_cast<std::size_t>(r);
    if (ri >= rows_.size())
        rows_.resize(ri + 1);
    const long long last = colUpper < colUpper_ ? colUpper : colUpper_;
    if (last >= 0)
        rows_[ri].reserve(static_cast<std::size_t>(last) + 1);
}

void PixelTable::clear() {
    rows_.clear();
    rows_.shrink_to_fit();
    spilled_.clear();
    spilled_.shrink_to_fit();
    freeSpills_.clear();
    freeSpills_.shrink_to_fit();
}

std::size_t PixelTable::memoryBytes() const {
    std::size_t n = sizeof(*this) + rows_.capacity() * sizeof(std::vector<Cell>) +
                    spilled_.capacity() * sizeof(QString) +
                    freeSpills_.capacity() * sizeof(std::uint32_t);
    for (const auto& row : rows_)
        n += row.capacity() * sizeof(Cell);
    for (const QString& s : spilled_)
        n += static_cast<std::size_t>(s.capacity()) * sizeof(QChar);
    return n;
}

} // namespace quorin
