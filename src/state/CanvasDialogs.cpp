#include "state/CanvasDialogs.h"
#include "platform/Services.h"
#include "state/CanvasSurface.h"

namespace quorin {

Dialogs& dialogs(CanvasSurface& canvas) {
    return canvas.services().dialogs;
}

std::optional<bool> ask(CanvasSurface& canvas, const QString& question, const QString& title) {
    const Answer a = dialogs(canvas).message(question, MessageButtons::YesNo, title);
    if (canvas.mustStop())
        return std::nullopt;
    return a == Answer::Yes;
}

bool askYes(CanvasSurface& canvas, const QString& question, const QString& title) {
    return ask(canvas, question, title).value_or(false);
}

} // namespace quorin
