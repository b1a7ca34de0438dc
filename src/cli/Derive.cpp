#include "cli/Derive.h"
#include "cli/CliSupport.h"
#include "core/PlotSampling.h"
#include "state/DropFields.h"
#include "state/MainFields.h"
#include <array>
#include <charconv>
#include <cmath>

namespace quorin::cli {

namespace {

// The main window's entry fields, filled from the options: the same readers
// and the same check then apply, with the window's default of 1 in each.
class OptionFields final : public MainFields {
public:
    OptionFields() {
        for (int i : dropInputFields)
            fields_[std::size_t(i)] = QStringLiteral("1");
    }
    QString fieldText(int index) const override {
        return index >= 0 && index < count ? fields_[std::size_t(index)] : QString();
    }
    void setFieldText(int index, const QString& text) override {
        if (index >= 0 && index < count)
            fields_[std::size_t(index)] = text;
    }
    void hideDragLabel() override {}

private:
    std::array<QString, count> fields_;
};

// Option, field it fills, what the field is.
struct InputOption {
    const char* name;
    int field;
};
constexpr InputOption inputOptions[] = {
    {"radius", 0}, {"density", 13}, {"vx0", 1}, {"vy0", 4}, {"vfx", 2}, {"vfy", 3}, {"t", 10},
};

const QString help = QStringLiteral(
    "用法：quorin-cli derive [选项]\n"
    "  按主窗口“推导计算”的规则算出 t 时刻的结果（取整与窗口相同）。\n\n"
    "选项（默认值同主窗口，均为 1）：\n"
    "  --radius R      半径 r（mm）\n"
    "  --density P     物质相对水的密度 P\n"
    "  --vx0 V         水平初速 Vx0\n"
    "  --vy0 V         垂直初速 Vy0\n"
    "  --vfx V         水平风速 VFx\n"
    "  --vfy V         垂直风速 VFy\n"
    "  --t T           飞行时间 t（大于 0）\n"
    "  --path 文件.csv  另把路径写成表格（UTF-8，逗号分隔，首行为列名 t,x,y,vx,vy）\n"
    "  --samples N     路径的取样数，从 0 到 t 均匀取 N 个（默认 1001，2 到 10000000）\n\n"
    "退出码：0 完成，2 输入有误或文件无法写入。");

constexpr long long defaultSamples = 1001;
constexpr long long mostSamples = 10'000'000;

void appendNumber(QByteArray& out, double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr - buf);
}

// The path at N evenly spaced times from 0 to t, written whole or not at all
// (false after telling the user).
bool writePath(const QString& path, const DropInputs& in, double t, long long samples) {
    OutputFile file(path);
    const DropMotion motion(in);
    // Written a megabyte at a time from one buffer.
    constexpr qsizetype chunkBytes = 1 << 20;
    QByteArray chunk;
    chunk.reserve(chunkBytes + 256);
    chunk += "t,x,y,vx,vy\n";
    for (long long i = 0; i < samples; ++i) {
        const double s = i == samples - 1 ? t : t * double(i) / double(samples - 1);
        const DropState d = motion.stateAt(s);
        for (double v : {s, d.x, d.y, d.vx, d.vy}) {
            appendNumber(chunk, v);
            chunk += ',';
        }
        chunk.back() = '\n';
        if (chunk.size() > chunkBytes) {
            if (!file.write(chunk))
                break;
            chunk.truncate(0);
        }
    }
    file.write(chunk);
    return file.done();
}

} // namespace

int derive(const QStringList& words) {
    QStringList known = {QStringLiteral("path"), QStringLiteral("samples")};
    for (const InputOption& o : inputOptions)
        known << QString::fromLatin1(o.name);
    const auto args = parseArgs(words, known);
    if (!args)
        return Failed;
    if (args->help) {
        print(help);
        return Done;
    }
    if (!args->positional.isEmpty()) {
        tell(QStringLiteral("derive 不接受参数 %1。").arg(args->positional.first()));
        return Failed;
    }
    OptionFields fields;
    for (const InputOption& o : inputOptions)
        if (const auto v = args->option(QString::fromLatin1(o.name)))
            fields.setFieldText(o.field, *v);

    // The window's own check and messages.
    const double t = readFlightTime(fields);
    if (!dropFieldsAreNumbers(fields) || !(t > 0)) {
        tell(QString::fromUtf8(inputCheckMessage));
        return Failed;
    }
    const DropInputs in = readDropInputs(fields);
    const auto r = deriveResults(in, t);
    if (!r) {
        tell(QString::fromUtf8(arithmeticErrorMessage));
        return Failed;
    }

    long long samples = defaultSamples;
    const auto pathFile = args->option(QStringLiteral("path"));
    if (const auto n = args->option(QStringLiteral("samples"))) {
        bool ok = false;
        samples = n->trimmed().toLongLong(&ok);
        if (!ok || samples < 2 || samples > mostSamples) {
            tell(QStringLiteral("取样数 %1 无效：须为 2 到 %2 之间的整数。")
                     .arg(*n)
                     .arg(mostSamples));
            return Failed;
        }
    }
    if (pathFile && !writePath(*pathFile, in, t, samples))
        return Failed; // the user has been told

    QString text = QStringLiteral("水平位移Hx = ") + wc(r->atT.x) +
                   QStringLiteral("\n垂直位移Hy = ") + wc(r->atT.y) +
                   QStringLiteral("\n水平速度Vx = ") + wc(r->atT.vx) +
                   QStringLiteral("\n垂直速度Vy = ") + wc(r->atT.vy) +
                   QStringLiteral("\n速率V = ") + wc(r->speed()) + QStringLiteral("\n路程H = ") +
                   wc(r->scan.length) + QLatin1Char('\n') + r->notes();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    print(text);
    return Done;
}

} // namespace quorin::cli
