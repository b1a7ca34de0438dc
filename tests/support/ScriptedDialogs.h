#pragma once
#include "platform/Dialogs.h"
#include "support/QtPrint.h"
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace quorin::test {

// Dialogs answered from a script. Every dialog shown is logged; a dialog with
// no scripted answer fails the running test and answers as if cancelled.
class ScriptedDialogs final : public Dialogs {
public:
    struct Shown {
        QString kind; // "message", "open", "save", "color"
        QString text; // message text or filter
        QString title;
        MessageButtons buttons = MessageButtons::Ok;
        ColorValue initialColor = 0; // colour dialogs only
    };

    void answerMessage(Answer a) { messages_.push_back(a); }
    void answerOpen(const QString& path) { files_.push_back(path); }
    void answerSave(const QString& path) { files_.push_back(path); }
    void answerColor(ColorValue c) { colors_.push_back(c); }
    // Cancel: the dialog gives back the colour it was opened with.
    void cancelColor() { colors_.push_back(std::nullopt); }
    // Message boxes with only an OK button are answered by themselves.
    void setAutoOk(bool on) { autoOk_ = on; }

    Answer message(const QString& text, MessageButtons buttons, const QString& title) override;
    QString openFile(const QString& filter) override;
    QString saveFile(const QString& filter) override;
    ColorValue chooseColor(ColorValue initial) override;

    const std::vector<Shown>& shown() const { return shown_; }
    QStringList messageTexts() const;
    bool allAnswersUsed() const { return messages_.empty() && files_.empty() && colors_.empty(); }
    void clearLog() { shown_.clear(); }
    // Runs while a message box is up, as timers may tick under a real one.
    std::function<void()> onMessage;
    // Runs while an open or save dialog is up.
    std::function<void()> onFile;

private:
    QString nextFile(const QString& kind, const QString& filter);
    std::deque<Answer> messages_;
    std::deque<QString> files_;
    std::deque<std::optional<ColorValue>> colors_;
    std::vector<Shown> shown_;
    bool autoOk_ = true;
};

} // namespace quorin::test
