#pragma once
#include "platform/Colour.h"
#include <QString>

namespace quorin {

enum class MessageButtons { Ok, YesNo };
enum class Answer { Ok, Yes, No };

// Message boxes and the common file and colour dialogs.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual Answer message(const QString& text, MessageButtons buttons, const QString& title) = 0;
    // `filter` is in the program's "描述|*.ext|描述|*.ext" form. Cancel gives "".
    virtual QString openFile(const QString& filter) = 0;
    virtual QString saveFile(const QString& filter) = 0;
    // Cancel gives `initial` back.
    virtual ColorValue chooseColor(ColorValue initial) = 0;
};

// The filter of every picture dialog: "图形文件*.jpg|*.jpg|..." (jpg, bmp, gif).
QString pictureFileFilter();
// The filter of every text-file dialog: "文本文件*.txt|*.txt".
QString textFileFilter();

// "文本文件*.txt|*.txt" -> "文本文件*.txt (*.txt)"; pairs joined with ";;".
QString toQtFilter(const QString& programFilter);

} // namespace quorin
