#pragma once

class QCoreApplication;
class QTranslator;

namespace quorin {

// Puts Qt's own texts (the buttons of message boxes, the file and colour
// dialogs) into simplified Chinese, whatever the machine's locale. The
// translator belongs to `app`; it is given back, or nullptr when Qt's
// translation is not installed and those texts stay English.
QTranslator* installQtChinese(QCoreApplication& app);

} // namespace quorin
