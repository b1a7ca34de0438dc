#include "platform/PixelTable.h"
#include <algorithm>
#include <cstring>

namespace quorin {

namespace {

// Text that can stay in its cell: ASCII without NUL.
bool isAscii(QStringView text) {
    for (QChar ch : text) {
        if (ch.unicode() >= 0x80 || ch.unicode() == 0)
            return false;
    }
    return true;
}

} // namespace

void PixelTable::release(Cell& cell) {
    if (static_cast<std::uint8_t>(cell[0]) != spilled)
        return;
    std::uint32_t index;
    std::memcpy(&index, cell.data() + 1, sizeof index);
    spilled_[index] = QString();
    freeSpills_.push_back(index);
    cell.fill(0);
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

void PixelTable::put(Cell& cell, QStringView text) {
    release(cell);
    if (static_cast<std::size_t>(text.size()) <= inlineChars && isAscii(text)) {
        cell.fill(0);
        for (qsizetype i = 0; i < text.size(); ++i)
            cell[static_cast<std::size_t>(i)] = static_cast<char>(text[i].unicode());
    } else {
        spill(cell, text.toString());
    }
}

void PixelTable::put(Cell& cell, QByteArrayView text) {
    if (static_cast<std::uint8_t>(cell[0]) == spilled)
        release(cell);
    const auto n = static_cast<std::size_t>(text.size());
    if (n <= inlineChars) {
        const char* p = text.data();
        if constexpr (std::endian::native == std::endian::little) {
            // The bytes as a word, first byte lowest, gathered in at most two
            // overlapping loads.
            const auto byte = [&](std::size_t i) {
                return std::uint64_t(static_cast<unsigned char>(p[i])) << (8 * i);
            };
            std::uint64_t w = 0;
            if (n >= 4) {
                std::uint32_t low, high;
                std::memcpy(&low, p, 4);
                std::memcpy(&high, p + n - 4, 4);
                w = low | std::uint64_t(high) << (8 * (n - 4));
            } else if (n > 0) {
                w = byte(0) | byte(n / 2) | byte(n - 1);
            }
            // ASCII without NUL: no high bit, and the first NUL after the text.
            if ((w & byteLanes(0x80)) == 0 && lengthOfWord(w) == text.size()) {
                std::memcpy(cell.data(), &w, sizeof w);
                return;
            }
        } else {
            Cell in{};
            bool plain = true;
            for (std::size_t i = 0; i < n; ++i) {
                const auto ch = static_cast<unsigned char>(p[i]);
                plain = plain && ch != 0 && ch < 0x80;
                in[i] = p[i];
            }
            if (plain) {
                cell = in;
                return;
            }
        }
    }
    spill(cell, QString::fromLatin1(text));
}

bool PixelTable::set(long long r, long long c, QStringView text) {
    return putRow(r, c, std::span<const QStringView>(&text, 1));
}

bool PixelTable::setBytes(long long r, long long c, QByteArrayView text) {
    return putRow(r, c, std::span<const QByteArrayView>(&text, 1));
}

template <class View>
bool PixelTable::putRow(long long r, long long c0, std::span<const View> texts) {
    const std::span<Cell> cells = cells_.cells(r, c0, texts.size());
    for (std::size_t i = 0; i < cells.size(); ++i)
        put(cells[i], texts[i]);
    return !cells.empty();
}

bool PixelTable::setRow(long long r, long long c0, std::span<const QByteArrayView> texts) {
    return putRow(r, c0, texts);
}
bool PixelTable::setRow(long long r, long long c0, std::span<const QStringView> texts) {
    return putRow(r, c0, texts);
}

void PixelTable::clear() {
    cells_.clear();
    spilled_.clear();
    spilled_.shrink_to_fit();
    freeSpills_.clear();
    freeSpills_.shrink_to_fit();
}

std::size_t PixelTable::memoryBytes() const {
    std::size_t n = sizeof(*this) - sizeof(cells_) + cells_.memoryBytes() +
                    spilled_.capacity() * sizeof(QString) +
                    freeSpills_.capacity() * sizeof(std::uint32_t);
    for (const QString& s : spilled_)
        n += static_cast<std::size_t>(s.capacity()) * sizeof(QChar);
    return n;
}

} // namespace quorin
