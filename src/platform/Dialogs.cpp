#include "platform/Dialogs.h"
#include <QStringList>

namespace quorin {

QString pictureFileFilter() {
    return QStringLiteral("图形文件*.jpg|*.jpg|图形文件*.bmp|*.bmp|图形文件*.gif|*.gif");
}

QString textFileFilter() {
    return QStringLiteral("文本文件*.txt|*.txt");
}

QString toQtFilter(const QString& programFilter) {
    const QStringList parts = programFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
    }
    if (filters.isEmpty() && !programFilter.isEmpty())
        filters << programFilter;
    return filters.join(QStringLiteral(";;"));
}

} // namespace quorin
