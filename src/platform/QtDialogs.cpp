#include "platform/QtDialogs.h"
#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace quorin {

namespace {
QWidget* dialogParent() {
    return QApplication::activeWindow();
}
} // namespace

Answer QtDialogs::message(const QString& text, MessageButtons buttons, const QString& title) {
    if (buttons == MessageButtons::Ok) {
        QMessageBox::information(dialogParent(), title, text, QMessageBox::Ok);
        return Answer::Ok;
    }
    const auto r = QMessageBox::question(dialogParent(), title, text,
                                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return r == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

QString QtDialogs::openFile(const QString& filter) {
    return QFileDialog::getOpenFileName(dialogParent(), QString(), QString(), toQtFilter(filter));
}

QString QtDialogs::saveFile(const QString& filter) {
    // The program asks its own replace question, so Qt's is switched off.
    return QFileDialog::getSaveFileName(dialogParent(), QString(), QString(), toQtFilter(filter),
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

ColorValue QtDialogs::chooseColor(ColorValue initial) {
    const QColor start(redOf(initial), greenOf(initial), blueOf(initial));
    const QColor c = QColorDialog::getColor(start, dialogParent());
    if (!c.isValid())
        return initial;
    return rgb(c.red(), c.green(), c.blue());
}

} // namespace quorin
