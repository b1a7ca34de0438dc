#pragma once
#include "platform/Dialogs.h"
#include <memory>

namespace quorin {

// The real thing: Qt's modal message boxes and common dialogs. Make it after
// the QApplication: it follows which window the user worked in last, so that
// a dialog can sit over that one when the active window has gone.
class QtDialogs final : public Dialogs {
public:
    QtDialogs();
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;

    Answer message(const QString& text, MessageButtons buttons, const QString& title) override;
    QString openFile(const QString& filter) override;
    QString saveFile(const QString& filter) override;
    ColorValue chooseColor(ColorValue initial) override;

private:
    class WindowHistory;
    std::unique_ptr<WindowHistory> history_;
};

} // namespace quorin
