#include "support/ScriptedDialogs.h"
#include <gtest/gtest.h>

namespace quorin::test {

Answer ScriptedDialogs::message(const QString& text, MessageButtons buttons, const QString& title) {
    shown_.push_back({"message", text, title, buttons});
    if (onMessage)
        onMessage();
    if (buttons == MessageButtons::Ok && autoOk_ &&
        (messages_.empty() || messages_.front() != Answer::Ok))
        return Answer::Ok;
    if (messages_.empty()) {
        ADD_FAILURE() << "unexpected message box: " << text.toStdString();
        return buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
    }
    Answer a = messages_.front();
    messages_.pop_front();
    return a;
}

QString ScriptedDialogs::nextFile(const QString& kind, const QString& filter) {
    shown_.push_back({kind, filter, {}, MessageButtons::Ok});
    if (onFile)
        onFile();
    if (files_.empty()) {
        ADD_FAILURE() << "unexpected " << kind.toStdString() << " dialog";
        return {};
    }
    QString f = files_.front();
    files_.pop_front();
    return f;
}

QString ScriptedDialogs::openFile(const QString& filter) {
    return nextFile("open", filter);
}
QString ScriptedDialogs::saveFile(const QString& filter) {
    return nextFile("save", filter);
}

ColorValue ScriptedDialogs::chooseColor(ColorValue initial) {
    shown_.push_back({"color", {}, {}, MessageButtons::Ok, initial});
    if (colors_.empty()) {
        ADD_FAILURE() << "unexpected colour dialog";
        return initial;
    }
    const std::optional<ColorValue> c = colors_.front();
    colors_.pop_front();
    return c.value_or(initial);
}

QStringList ScriptedDialogs::messageTexts() const {
    QStringList out;
    for (const auto& s : shown_)
        if (s.kind == "message")
            out << s.text;
    return out;
}

} // namespace quorin::test
