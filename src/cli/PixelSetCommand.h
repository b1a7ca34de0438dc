#pragma once
#include <QStringList>

namespace quorin::cli {

// quorin-cli pixelset capture | compare | overlay: the pixel sets of 图像采集,
// the difference file of 图像比较 and the redraw of 图像叠加, from files.
int pixelSetCommand(const QStringList& words);

} // namespace quorin::cli
