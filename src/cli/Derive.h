#pragma once
#include <QStringList>

namespace quorin::cli {

// quorin-cli derive [options]: the results 推导计算 shows for a drop, and
// with --path the sampled path as a CSV table.
int derive(const QStringList& words);

} // namespace quorin::cli
