#include "canvas/HiddenCapture.h"
#include "canvas/Freehand.h"
#include "canvas/StrokeFiles.h"
#include "core/PixelSets.h"
#include "platform/NumberText.h"
#include "platform/Services.h"
#include "platform/TextFiles.h"
#include "state/SharedState.h"
#include <cmath>

namespace quorin {

namespace {

// Points of 0, step, 2 step, ... <= end (none when end is below 0).
long long gridPoints(double end, double step) {
    return end >= 0 ? static_cast<long long>(std::floor(end / step)) + 1 : 0;
}

} // namespace

void hiddenCapture(StrokeEnv& canvas) {
    const QString name = chooseTextFileToReplace(
        canvas, QStringLiteral("将要保存的是Quorin画画的像素集合；\r\n是否继续？"));
    if (name.isEmpty())
        return;
    PictureBox& pic = *canvas.Picture1;
    const double width = pic.scaleWidth(), height = pic.scaleHeight();
    SharedState& s = canvas.state();
    // The grid follows the user scale a drawing left, which may be huge:
    // beyond the table of captured pixels nothing is written.
    if (!std::isfinite(width) || !std::isfinite(height) ||
        gridPoints(width, 1000) > s.capturedPixels.rowUpper() ||
        gridPoints(height, 100) > s.capturedPixels.colUpper() + 1) {
        tellDrawing(canvas, QString::fromUtf8(captureGridTooLargeMessage));
        return;
    }
    QString text;
    long long column = 0;
    forStep(0.0, width, 1000.0, [&](double x) {
        column += 1;
        long long row = 0;
        QString line;
        forStep(0.0, height, 100.0, [&](double y) {
            const ColorValue c = pic.point(x, y);
            line += QString::fromLatin1(colourText(c)) + QLatin1Char('\t');
            s.capturedPixels.set(column, row, QString::number(c));
            pic.circle(x, y, width / 100, colors::red);
            row += 1;
        });
        text += line + QStringLiteral("\r\n");
    });
    if (!replaceTextFile(name, text))
        tellNotWritten(canvas, name);
}

void text1Key3(StrokeEnv& canvas, int character) {
    if (character == 13 && canvas.Text1[3]->text() == QStringLiteral("se"))
        hiddenCapture(canvas);
}

} // namespace quorin
