#include "cli/CliSupport.h"
#include "core/PixelSets.h"
#include "core/RowReader.h"
#include "platform/TextFiles.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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

bool OutputFile::done() {
    if (file_.commit())
        return true;
    tell(notWrittenMessage(path_));
    return false;
}

bool writeOutput(const QString& path, const QByteArray& bytes) {
    OutputFile out(path);
    out.write(bytes);
    return out.done();
}

std::optional<std::pair<QString, QString>> dimensionTexts(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d+)\\s*[xX×*]\\s*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    return std::pair(m.captured(1), m.captured(2));
}

bool inputFileThere(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        tell(QStringLiteral("文件 %1 不存在。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    if (info.isDir()) {
        tell(QStringLiteral("%1 是文件夹，不是文件。").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

std::optional<Args> subcommandArgs(const QStringList& words, const QStringList& known, int count,
                                   const QString& help, int& result) {
    result = Failed;
    const auto args = parseArgs(words, known);
    if (!args)
        return std::nullopt;
    if (args->help) {
        print(help);
        result = Done;
        return std::nullopt;
    }
    if (args->positional.size() != count) {
        tell(QStringLiteral("需要 %1 个参数，给出了 %2 个。\n\n")
                 .arg(count)
                 .arg(args->positional.size()) +
             help);
        return std::nullopt;
    }
    return args;
}

std::optional<long long> readSet(const QString& path, PixelSetRows& set) {
    if (!inputFileThere(path))
        return std::nullopt;
    const PixelSetRead read = set.open(path, rowTableRows);
    if (read.status != PixelSetRead::Status::Read) {
        tell(pixelSetReadMessage(read.status, path));
        return std::nullopt;
    }
    return read.rows;
}

} // namespace quorin::cli
