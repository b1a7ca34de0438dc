// A pixel-set file as 导入像素集合 and the comparisons read it: the bytes
// as in the file (ASCII read in place, anything else decoded as GBK), cut into
// rows, their fields into the table.
#include "FuzzCheck.h"
#include "core/PixelSets.h"

using namespace quorin;
using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    PixelTable table(5000, 5000);
    // The program's limit, or a small one that refusals reach; the first byte
    // picks one.
    const long long maxRows = size > 0 && (data[0] & 1) != 0 ? 5 : 3000;
    const PixelSetRead read = readPixelSet(fuzz::bytesOf(data, size), table, maxRows);
    if (read.status != PixelSetRead::Status::Read) {
        require(table.memoryBytes() == PixelTable(5000, 5000).memoryBytes(),
                "a refused file leaves the table untouched");
        return 0;
    }
    // Every cell read is a colour text the comparisons and redraws take.
    for (long long r = 0; r < read.rows; ++r) {
        for (long long f = 1;; ++f) {
            const CellText cell = table.cell(r, f);
            if (cell.isEmpty() && table.cell(r, f + 1).isEmpty())
                break;
            const Rgb c = colourComponents(cell);
            require(c.red >= 0 && c.red <= 255 && c.green >= 0 && c.green <= 255 && c.blue >= 0 &&
                        c.blue <= 255,
                    "components are bytes");
            cellColour(cell);
        }
    }
    return 0;
}
