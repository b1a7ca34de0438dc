#include "canvas/Preview.h"
#include "canvas/CanvasBackgrounds.h"
#include "core/PreviewList.h"
#include "platform/NumberText.h"
#include "platform/PictureFile.h"
#include "platform/Services.h"
#include "platform/Twips.h"
#include "state/SharedState.h"
#include <cmath>

namespace quorin {

namespace {

// The Image control reports its own size when it stretches its picture and
// the picture's size otherwise.
QSizeF imageHolderSize(const ImageBox& image) {
    if (image.stretch() || !image.hasPicture())
        return QSizeF(image.size());
    return QSizeF(image.picture().size());
}

} // namespace

void previewClick(PreviewEnv& canvas) {
    canvas.previewing = !canvas.previewing;
    canvas.Command1[20]->setCaption(canvas.previewing ? QStringLiteral("停止预览")
                                                      : QStringLiteral("图像预览"));
    if (canvas.previewing) {
        canvas.Timer12.start();
    } else {
        canvas.Timer12.stop();
        canvas.Timer1.stop();
    }
}

int listPreviewFolder(SharedState& state, const QString& chosenFile) {
    // A shorter listing must not leave names of an earlier folder behind it.
    state.previewFiles.clear();
    state.previewFileCount = 0;
    const int limit = static_cast<int>(state.previewFiles.upper()) + 1;
    for (const QString& path : previewListing(chosenFile, limit)) {
        state.previewFiles.set(static_cast<long long>(state.previewFileCount), path);
        state.previewFileCount += 1;
    }
    return static_cast<int>(state.previewFileCount);
}

void previewFolderTick(PreviewEnv& canvas) {
    // No second dialog on top of this one while it is open.
    canvas.Timer12.stop();
    const QString chosen = canvas.services().dialogs.openFile(pictureFileFilter());
    if (canvas.mustStop())
        return;
    if (chosen.isEmpty()) {
        // Asked again on the next tick, as long as the preview is on.
        if (canvas.previewing)
            canvas.Timer12.start();
        return;
    }
    SharedState& s = canvas.state();
    listPreviewFolder(s, chosen);
    canvas.Timer1.start();
    const QString start = canvas.Text1[2]->text();
    s.previewIndex = isNumeric(start) ? val(start) : 0;
    if (s.previewIndex > s.previewFileCount || s.previewIndex < 0 || !std::isfinite(s.previewIndex))
        s.previewIndex = 0;
}

void previewStepTick(PreviewEnv& canvas) {
    SharedState& s = canvas.state();
    if (s.previewIndex > s.previewFileCount) {
        canvas.Timer1.stop();
        return;
    }
    const QString entry = s.previewFiles.at(tableIndex(s.previewIndex));
    canvas.canvasWidget().setWindowTitle(QStringLiteral("新月 画画 ") +
                                         QString(8, QLatin1Char(' ')) + entry);
    PictureBox& pic = *canvas.Picture1;
    pic.setAutoRedraw(true);
    if (!entry.isEmpty()) {
        // A file that is no picture leaves the previous one to be painted again.
        const QImage image = readPictureFile(entry);
        if (!image.isNull())
            canvas.Image1->setPicture(image);
        const QSizeF holder = imageHolderSize(*canvas.Image1);
        const double ratio = holder.height() > 0 ? holder.width() / holder.height() : 0.0;
        if (ratio > 0 && std::isfinite(ratio))
            setSizeTwips(&pic, heightTwips(&pic) * ratio, heightTwips(&pic));
        pic.scale(0, 0, widthTwips(&pic), heightTwips(&pic));
        paintImageOverPicture(canvas);
    }
    pic.refresh();
    pic.setAutoRedraw(false);
    s.previewIndex += 1;
    canvas.Text1[2]->setText(numberToText(s.previewIndex));
}

} // namespace quorin
