#pragma once
#include <QString>
#include <optional>

namespace quorin {

class CanvasSurface;
class Dialogs;

// The dialogs of the canvas's commands. A box lets the window's events run,
// so the canvas may have been closed, or asked to stop, by the time it is
// answered: such an answer counts for nothing.
Dialogs& dialogs(CanvasSurface& canvas);
// A Yes/No question: Yes or No; nothing when the canvas must stop meanwhile.
std::optional<bool> ask(CanvasSurface& canvas, const QString& question, const QString& title);
// Yes, and the canvas goes on.
bool askYes(CanvasSurface& canvas, const QString& question, const QString& title);

} // namespace quorin
