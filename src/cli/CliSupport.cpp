#include "cli/CliSupport.h"
#include "platform/TextFiles.h"
#include <QBuffer>
#include <QImage>
#include <cstdio>

namespace quorin::cli {

std::optional<QString> Args::option(const QString& name) const {
    const auto it = options.find(name);
    return it == options.end() ? std::nullopt : std::optional<QString>(it->second);
}

std::optional<Args> parseArgs(const QStringList& words, const QStringList& known) {
    Args args;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& w = words[i];
        if (w == QLatin1String("--help") || w == QLatin1String("-h")) {
            args.help = true;
            continue;
        }
        if (!w.startsWith(QLatin1String("--")) || w == QLatin1String("--")) {
            args.positional << w;
            continue;
        }
        QString name = w.mid(2);
        QString value;
        const qsizetype eq = name.indexOf(QLatin1Char('='));
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name.truncate(eq);
        } else if (i + 1 < words.size()) {
            value = words[++i];
        } else {
            tell(QStringLiteral("选项 --%1 缺少取值。").arg(name));
            return std::nullopt;
        }
        if (!known.contains(name)) {
            tell(QStringLiteral("未知选项 --%1。").arg(name));
            return std::nullopt;
        }
        args.options[name] = value;
    }
    return args;
}

namespace {
void line(std::FILE* to, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), to);
    std::fputc('\n', to);
    std::fflush(to);
}
} // namespace

void tell(const QString& message) {
    line(stderr, message);
}

void print(const QString& text) {
    line(stdout, text);
}

bool writeOutput(const QString& path, const QByteArray& bytes) {
    if (replaceFileBytes(path, bytes))
        return true;
    tell(notWrittenMessage(path));
    return false;
}

bool writePng(const QString& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        tell(QStringLiteral("无法生成 PNG 图片，未写出 %1。").arg(path));
        return false;
    }
    return writeOutput(path, bytes);
}

} // namespace quorin::cli
