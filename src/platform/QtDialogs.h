#pragma once
#include "platform/Dialogs.h"

namespace quorin {

// The real thing: Qt's modal message boxes and common dialogs.
class QtDialogs final : public Dialogs {
public:
    Answer message(const QString& text, MessageButtons buttons, const QString& title) override;
    QString openFile(const QString& filter) override;
    QString saveFile(const QString& filter) override;
    ColorValue chooseColor(ColorValue initial) override;
};

} // namespace quorin
