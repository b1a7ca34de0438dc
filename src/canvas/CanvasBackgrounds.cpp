#include "canvas/CanvasBackgrounds.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "state/CanvasSurface.h"

namespace quorin {

void setBorderless(CanvasSurface& canvas, bool borderless) {
    if (canvas.canvasWidget().windowFlags().testFlag(Qt::FramelessWindowHint) == borderless)
        return;
    CanvasSurface::QuietResize quiet(canvas);
    const bool visible = canvas.canvasWidget().isVisible();
    canvas.canvasWidget().setWindowFlag(Qt::FramelessWindowHint, borderless);
    if (visible) {
        canvas.canvasWidget().show();
        canvas.canvasWidget().activateWindow(); // keys (Esc) go to the re-created window
    }
}

void fillScreen(CanvasSurface& canvas) {
    const QSize screen = screenSizeTwips();
    fitOnScreen(canvas.canvasWidget(),
                QSize(twipsToPixels(screen.width()), twipsToPixels(screen.height())));
    const QSize client = canvas.canvasWidget().size();
    canvas.Picture1->resize(client);
    canvas.Image1->resize(client);
}

void screenSizeCanvas(CanvasSurface& canvas) {
    canvas.canvasWidget().setWindowState(Qt::WindowNoState);
    setBorderless(canvas, false);
    // The size change raises the resize rule; the full-screen commands have
    // set the flags that make it take its full-screen branch.
    fillScreen(canvas);
    canvas.Picture1->move(0, 0);
}

void paintImageOverPicture(CanvasSurface& canvas) {
    PictureBox& pic = *canvas.Picture1;
    if (canvas.Image1->hasPicture())
        pic.paintPicture(canvas.Image1->picture(), pic.scaleLeft(), pic.scaleTop(),
                         pic.scaleWidth(), pic.scaleHeight());
}

void repaintBackground(CanvasSurface& canvas) {
    canvas.Picture1->setAutoRedraw(true);
    canvas.Image1->setStretch(true);
    paintImageOverPicture(canvas);
    canvas.Picture1->refresh();
}

void chromeOff(CanvasSurface& canvas) {
    const QWidget& window = canvas.canvasWidget();
    const bool screenSized =
        canvas.Picture1->pos() == QPoint(0, 0) && canvas.Picture1->size() == window.size();
    setBorderless(canvas, true);
    canvas.canvasWidget().setWindowTitle(QString());
    // Without its frame a screen-sized canvas has the room the frame took.
    if (screenSized)
        fillScreen(canvas);
}

namespace {

// A missing or unreadable file leaves Image1 empty and nothing is painted.
void loadBackground(CanvasSurface& canvas, const QString& name) {
    canvas.Image1->setStretch(true);
    repaintBackground(canvas);
    canvas.Image1->setStretch(true);
    canvas.Image1->loadPicture(canvas.services().folder.picture(name));
    paintImageOverPicture(canvas);
    PictureBox& pic = *canvas.Picture1;
    for (int i = 0; i < 2; ++i) {
        pic.setAutoRedraw(false);
        pic.refresh();
    }
}

} // namespace

void daotu(CanvasSurface& canvas) {
    screenSizeCanvas(canvas);
    loadBackground(canvas, QStringLiteral("hai1.jpg"));
}
void hai(CanvasSurface& canvas) {
    loadBackground(canvas, QStringLiteral("hai2.jpg"));
}
void hai3(CanvasSurface& canvas) {
    loadBackground(canvas, QStringLiteral("hai03.jpg"));
}
void zhihuaxiang(CanvasSurface& canvas) {
    loadBackground(canvas, QStringLiteral("hai11.jpg"));
}

void loadModeBackground(CanvasSurface& canvas, ModeBackground background) {
    switch (background) {
    case ModeBackground::None:
        break;
    case ModeBackground::ScreenAndHai1:
        daotu(canvas);
        break;
    case ModeBackground::Hai2:
        hai(canvas);
        break;
    case ModeBackground::Hai03:
        hai3(canvas);
        break;
    case ModeBackground::Hai11:
        zhihuaxiang(canvas);
        break;
    }
}

} // namespace quorin
