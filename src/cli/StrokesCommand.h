#pragma once
#include <QStringList>

namespace quorin::cli {

// quorin-cli strokes render FILE OUT.svg|OUT.png [--size WxH]: the strokes of
// a stroke file, read as 导入 reads them, drawn as 自动 replays them on an
// empty canvas.
int runStrokes(const QStringList& words);

} // namespace quorin::cli
