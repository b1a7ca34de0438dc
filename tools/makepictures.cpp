// makepictures <outdir>: draws the fixed pictures the program reads from its own folder.
// makepictures --icon <file.png>: draws the program's icon for the desktop entry.
// Everything is painted here at build time so the repository holds no binary files.
// Output is deterministic (fixed seeds) so rebuilding gives the same pictures.

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace {

using Stops = std::vector<std::pair<qreal, QColor>>;

// mt19937's sequence is fixed by the standard; the distributions are not, so scale by hand.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : gen_(seed) {}
    double unit() { return gen_() / 4294967296.0; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    std::mt19937 gen_;
};

QImage blank(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

QLinearGradient vertical(qreal top, qreal bottom, const Stops& stops) {
    QLinearGradient g(0, top, 0, bottom);
    for (const auto& [at, colour] : stops)
        g.setColorAt(at, colour);
    return g;
}

void fillVertical(QPainter& p, const QRectF& r, const Stops& stops) {
    p.fillRect(r, vertical(r.top(), r.bottom(), stops));
}

// A round glow fading to nothing: sun haloes, cloud puffs.
void glow(QPainter& p, QPointF c, qreal rx, qreal ry, QColor colour) {
    QColor edge = colour;
    edge.setAlpha(0);
    QRadialGradient g(QPointF(0, 0), 1.0);
    g.setColorAt(0, colour);
    g.setColorAt(1, edge);
    p.save();
    p.translate(c);
    p.scale(rx, ry);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), 1.0, 1.0);
    p.restore();
}

void cloud(QPainter& p, Dice& dice, QPointF c, qreal width, QColor colour) {
    for (int i = 0; i < 7; ++i) {
        const qreal dx = dice.range(-0.5, 0.5) * width;
        const qreal dy = dice.range(-0.12, 0.08) * width;
        const qreal r = dice.range(0.18, 0.32) * width;
        glow(p, c + QPointF(dx, dy), r, r * 0.55, colour);
    }
}

// The moon minus an offset disc; `bite` is the offset as a fraction of the radius.
QPainterPath crescent(QPointF c, qreal r, qreal bite) {
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    QPainterPath shadow;
    shadow.addEllipse(c + QPointF(-bite * r, -0.35 * bite * r), r * 0.92, r * 0.92);
    return disc.subtracted(shadow);
}

// A smooth ridge line across the picture, closed down to `bottom`.
QPainterPath ridge(qreal width, qreal base, qreal bottom, Dice& dice, qreal height, int bumps) {
    QPainterPath path(QPointF(0, bottom));
    const double phase1 = dice.range(0, 6.28), phase2 = dice.range(0, 6.28);
    const int steps = 64;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const double y = base - height * (0.55 * std::sin(t * bumps * 3.1416 + phase1) +
                                          0.45 * std::sin(t * bumps * 1.7 * 3.1416 + phase2));
        path.lineTo(t * width, y);
    }
    path.lineTo(width, bottom);
    path.closeSubpath();
    return path;
}

// Slight per-pixel unevenness so flat colours read as paper.
void grain(QImage& img, std::uint32_t seed, int amplitude) {
    Dice dice(seed);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const int d = int(std::lround(dice.range(-amplitude, amplitude)));
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255),
                           qBound(0, qBlue(c) + d, 255));
        }
    }
}

// Short horizontal glints on water, denser and brighter near `centreX`.
void glints(QPainter& p, Dice& dice, const QRectF& sea, qreal centreX, QColor colour, int count) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double depth = dice.unit();
        const qreal y = sea.top() + 2 + depth * depth * (sea.height() - 4);
        const qreal spread = 40 + 0.6 * (y - sea.top());
        const qreal x = centreX + dice.range(-1, 1) * spread * (1 + dice.unit());
        const qreal len = dice.range(4, 18) * (1 + 2 * depth);
        QColor c = colour;
        c.setAlphaF(float(0.15 + 0.6 * dice.unit() * (1 - 0.5 * depth)));
        p.setPen(QPen(c, 1 + depth * 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x - len / 2, y), QPointF(x + len / 2, y));
    }
    p.restore();
}

// Gentle wave crests: small flat arcs scattered over the sea, larger towards the viewer.
void wavelets(QPainter& p, Dice& dice, const QRectF& sea, QColor colour, int count) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const double depth = dice.unit();
        const qreal y = sea.top() + 4 + depth * depth * (sea.height() - 8);
        const qreal x = dice.range(sea.left(), sea.right());
        const qreal w = (6 + 30 * depth) * dice.range(0.6, 1.4);
        QColor c = colour;
        c.setAlphaF(float(0.12 + 0.35 * dice.unit()));
        p.setPen(QPen(c, 0.8 + 1.2 * depth, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(x - w / 2, y - w * 0.08, w, w * 0.25), 30 * 16, 120 * 16);
    }
    p.restore();
}

void rainStreaks(QPainter& p, Dice& dice, const QRectF& area, QColor colour, int count) {
    p.save();
    for (int i = 0; i < count; ++i) {
        const qreal x = dice.range(area.left() - 40, area.right());
        const qreal y = dice.range(area.top() - 20, area.bottom());
        const qreal len = dice.range(10, 28);
        QColor c = colour;
        c.setAlphaF(float(dice.range(0.15, 0.45)));
        p.setPen(QPen(c, dice.range(0.6, 1.4), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len * 0.28, y + len));
    }
    p.restore();
}

QPainterPath raindrop(QPointF tip, qreal size) {
    // A teardrop: pointed top, round bottom.
    QPainterPath path(tip);
    const QPointF bottom = tip + QPointF(0, size);
    path.cubicTo(tip + QPointF(size * 0.15, size * 0.35),
                 bottom + QPointF(size * 0.45, -size * 0.2), bottom);
    path.cubicTo(bottom + QPointF(-size * 0.45, -size * 0.2),
                 tip + QPointF(-size * 0.15, size * 0.35), tip);
    return path;
}

// Small emblem for the main window's corner: crescent moon and rain drops at night.
QImage emblem() {
    QImage img = blank(57, 41);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, img.rect(), {{0, QColor(24, 36, 74)}, {1, QColor(58, 82, 128)}});
    glow(p, QPointF(20, 17), 18, 18, QColor(255, 240, 190, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 228, 150));
    p.drawPath(crescent(QPointF(20, 17), 11, 0.55));
    const QPointF drops[] = {{38, 8}, {47, 17}, {36, 24}, {46, 29}};
    p.setBrush(QColor(150, 200, 240));
    for (QPointF d : drops)
        p.drawPath(raindrop(d, 7));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, 56, 40));
    return img;
}

// Soft landscape: evening sky, clouds, hills and a still lake.
QImage landscape() {
    const int w = 464, h = 288;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Dice dice(1463);
    const qreal horizon = h * 0.64;
    fillVertical(
        p, QRectF(0, 0, w, horizon),
        {{0, QColor(126, 168, 210)}, {0.6, QColor(206, 216, 226)}, {1, QColor(246, 218, 190)}});
    glow(p, QPointF(w * 0.7, horizon - 20), 120, 70, QColor(255, 236, 200, 150));
    for (int i = 0; i < 4; ++i)
        cloud(p, dice, QPointF(dice.range(40, w - 40), dice.range(30, 90)), dice.range(80, 140),
              QColor(255, 255, 255, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 166, 186));
    p.drawPath(ridge(w, horizon - 34, horizon + 1, dice, 16, 2));
    p.setBrush(QColor(112, 138, 142));
    p.drawPath(ridge(w, horizon - 14, horizon + 1, dice, 10, 3));
    // The lake mirrors the sky, a little darker.
    fillVertical(
        p, QRectF(0, horizon, w, h - horizon),
        {{0, QColor(206, 200, 196)}, {0.4, QColor(150, 176, 196)}, {1, QColor(92, 124, 150)}});
    glints(p, dice, QRectF(0, horizon, w, h - horizon), w * 0.7, QColor(255, 244, 220), 90);
    p.setBrush(QColor(70, 96, 82));
    QPainterPath shore(QPointF(0, h));
    shore.lineTo(0, h - 42);
    shore.cubicTo(QPointF(70, h - 50), QPointF(140, h - 18), QPointF(230, h - 10));
    shore.lineTo(230, h);
    shore.closeSubpath();
    p.drawPath(shore);
    return img;
}

// Light squared paper for a plot background.
QImage plotPaper() {
    const int w = 464, h = 288;
    QImage img = blank(w, h);
    img.fill(QColor(250, 247, 238));
    grain(img, 11, 3);
    QPainter p(&img);
    const int minor = 8, major = 40;
    for (int x = 0; x <= w; x += minor) {
        p.setPen(QPen(x % major == 0 ? QColor(168, 190, 206) : QColor(214, 224, 230), 1));
        p.drawLine(x, 0, x, h);
    }
    for (int y = 0; y <= h; y += minor) {
        p.setPen(QPen(y % major == 0 ? QColor(168, 190, 206) : QColor(214, 224, 230), 1));
        p.drawLine(0, y, w, y);
    }
    return img;
}

struct SeaMood {
    Stops sky;
    Stops sea;
    QColor sunGlow;
    QColor glint;
    QColor crest;
    qreal horizon; // fraction of the height
    qreal sunX;    // fraction of the width; < 0 means no sun
    std::uint32_t seed;
};

QImage seascape(const SeaMood& mood, void (*extra)(QPainter&, Dice&, int, int, qreal)) {
    const int w = 1024, h = 576;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Dice dice(mood.seed);
    const qreal horizon = h * mood.horizon;
    const QRectF sky(0, 0, w, horizon), sea(0, horizon, w, h - horizon);
    fillVertical(p, sky, mood.sky);
    if (mood.sunX >= 0)
        glow(p, QPointF(w * mood.sunX, horizon), 260, 150, mood.sunGlow);
    if (extra)
        extra(p, dice, w, h, horizon);
    fillVertical(p, sea, mood.sea);
    if (mood.sunX >= 0)
        glints(p, dice, sea, w * mood.sunX, mood.glint, 420);
    wavelets(p, dice, sea, mood.crest, 260);
    return img;
}

void duskExtras(QPainter& p, Dice& dice, int w, int, qreal horizon) {
    // Low sun half sunk, a few warm cloud bands and the first stars.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 196, 120));
    p.drawEllipse(QPointF(w * 0.62, horizon + 4), 26, 26);
    for (int i = 0; i < 5; ++i)
        glow(p, QPointF(dice.range(0, w), horizon * dice.range(0.45, 0.8)), dice.range(120, 260),
             dice.range(5, 10), QColor(255, 150, 120, 70));
    for (int i = 0; i < 40; ++i) {
        const qreal y = horizon * 0.35 * dice.unit();
        p.setBrush(QColor(255, 255, 240, int(dice.range(60, 200))));
        p.drawEllipse(QPointF(dice.range(0, w), y), 0.9, 0.9);
    }
}

void calmExtras(QPainter& p, Dice& dice, int w, int, qreal horizon) {
    for (int i = 0; i < 5; ++i)
        cloud(p, dice, QPointF(dice.range(60, w - 60), horizon * dice.range(0.15, 0.6)),
              dice.range(140, 260), QColor(255, 255, 255, 110));
}

void tealExtras(QPainter& p, Dice& dice, int w, int, qreal horizon) {
    // Misty islands on the horizon.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(96, 140, 132, 150));
    p.drawPath(ridge(w * 0.45, horizon - 10, horizon + 1, dice, 12, 2));
    p.save();
    p.translate(w * 0.6, 0);
    p.setBrush(QColor(80, 124, 118, 170));
    p.drawPath(ridge(w * 0.4, horizon - 6, horizon + 1, dice, 8, 3));
    p.restore();
}

// Pale paper for freehand drawing; the moon stays faint so strokes stand out.
QImage moonPaper() {
    const int w = 1024, h = 576;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    fillVertical(p, img.rect(), {{0, QColor(246, 246, 240)}, {1, QColor(240, 236, 226)}});
    glow(p, QPointF(w * 0.8, h * 0.22), 110, 110, QColor(220, 226, 240, 90));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(200, 208, 226, 120));
    p.drawPath(crescent(QPointF(w * 0.8, h * 0.22), 56, 0.5));
    Dice dice(11);
    wavelets(p, dice, QRectF(0, h * 0.84, w, h * 0.16), QColor(170, 184, 200), 70);
    p.end();
    grain(img, 111, 2);
    return img;
}

// The main window's designed plot picture: a soft sky, rain and the title.
QImage titledPlot() {
    const int w = 580, h = 360;
    QImage img = blank(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    Dice dice(580);
    fillVertical(
        p, img.rect(),
        {{0, QColor(150, 180, 214)}, {0.55, QColor(206, 214, 232)}, {1, QColor(238, 222, 214)}});
    for (int i = 0; i < 3; ++i)
        cloud(p, dice, QPointF(dice.range(60, w - 60), dice.range(30, 110)), dice.range(120, 200),
              QColor(255, 255, 255, 80));
    rainStreaks(p, dice, img.rect(), QColor(250, 252, 255), 140);

    // Prefer a serif CJK face; any face that claims Simplified Chinese will do.
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QString family;
    for (const char* wanted : {"Noto Serif CJK SC", "Noto Sans CJK SC", "WenQuanYi Zen Hei"}) {
        if (families.contains(QString::fromLatin1(wanted))) {
            family = QString::fromLatin1(wanted);
            break;
        }
    }
    if (family.isEmpty() && !families.isEmpty())
        family = families.first();
    if (family.isEmpty()) {
        std::fprintf(stderr, "makepictures: no CJK font, plot picture drawn without its title\n");
        return img;
    }
    QFont font(family);
    font.setPixelSize(64);
    font.setWeight(QFont::DemiBold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 12);
    p.setFont(font);
    const QString title = QString::fromUtf8("风雨同路");
    const QRectF box(0, h * 0.34, w, h * 0.3);
    p.setPen(QColor(40, 60, 100, 70));
    p.drawText(box.translated(3, 3), Qt::AlignCenter, title);
    p.setPen(QColor(44, 62, 104));
    p.drawText(box, Qt::AlignCenter, title);
    return img;
}

// The desktop icon: a rounded tile of evening sky over the sea, a drop's
// dashed path falling from the upper left and the drop where it lands.
QImage icon() {
    const int size = 128;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(4, 4, size - 8, size - 8);
    QPainterPath rounded;
    rounded.addRoundedRect(tile, 22, 22);
    p.setClipPath(rounded);
    fillVertical(
        p, tile,
        {{0, QColor(38, 34, 84)}, {0.55, QColor(122, 76, 128)}, {1, QColor(250, 178, 120)}});
    const QRectF sea(tile.left(), 88, tile.width(), tile.bottom() - 88);
    fillVertical(p, sea, {{0, QColor(58, 118, 178)}, {1, QColor(22, 66, 124)}});
    glow(p, QPointF(96, 86), 30, 12, QColor(255, 190, 130, 150));

    // Thrown to the right, slowed by the air: the path drops more steeply
    // than it rose.
    QPainterPath path(QPointF(18, 70));
    path.cubicTo(QPointF(38, 18), QPointF(74, 14), QPointF(92, 80));
    p.setClipping(false);
    p.setPen(QPen(QColor(255, 244, 214), 5, Qt::DashLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 200, 240));
    p.drawPath(raindrop(QPointF(92, 66), 24));
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(QPointF(88, 83), 3, 4);
    p.setPen(QPen(QColor(255, 255, 255, 90), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded);
    return img;
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--icon") == 0) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        if (!QDir().mkpath(QFileInfo(path).path()) || !icon().save(path, "PNG")) {
            std::fprintf(stderr, "makepictures: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: makepictures <outdir> | makepictures --icon <file.png>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        std::fprintf(stderr, "makepictures: cannot create %s\n", argv[1]);
        return 1;
    }

    const SeaMood dusk{
        {{0, QColor(38, 34, 84)},
         {0.55, QColor(122, 76, 128)},
         {0.85, QColor(222, 122, 104)},
         {1, QColor(250, 178, 120)}},
        {{0, QColor(92, 64, 104)}, {0.3, QColor(52, 44, 88)}, {1, QColor(18, 20, 48)}},
        QColor(255, 170, 110, 160),
        QColor(255, 190, 130),
        QColor(170, 140, 200),
        0.58,
        0.62,
        1};
    const SeaMood calm{
        {{0, QColor(92, 150, 214)}, {0.7, QColor(176, 208, 236)}, {1, QColor(226, 238, 246)}},
        {{0, QColor(120, 170, 210)}, {0.4, QColor(58, 118, 178)}, {1, QColor(22, 66, 124)}},
        QColor(255, 255, 240, 90),
        QColor(255, 255, 255),
        QColor(236, 246, 255),
        0.5,
        0.3,
        2};
    const SeaMood teal{
        {{0, QColor(122, 178, 172)}, {0.7, QColor(192, 222, 210)}, {1, QColor(222, 236, 222)}},
        {{0, QColor(104, 164, 152)}, {0.4, QColor(44, 120, 114)}, {1, QColor(14, 70, 70)}},
        QColor(255, 255, 230, 70),
        QColor(236, 255, 240),
        QColor(210, 240, 226),
        0.52,
        0.45,
        3};

    const std::pair<const char*, QImage> pictures[] = {
        {"22.bmp", emblem()},
        {"IMG1463A.jpg", landscape()},
        {"I1.jpg", plotPaper()},
        {"hai1.jpg", seascape(dusk, duskExtras)},
        {"hai2.jpg", seascape(calm, calmExtras)},
        {"hai03.jpg", seascape(teal, tealExtras)},
        {"hai11.jpg", moonPaper()},
        {"plot580x360.jpg", titledPlot()},
    };
    int failures = 0;
    for (const auto& [name, image] : pictures) {
        const QString path = out.filePath(QString::fromLatin1(name));
        if (!image.save(path, nullptr, 90)) {
            std::fprintf(stderr, "makepictures: cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
