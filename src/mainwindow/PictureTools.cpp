#include "mainwindow/PictureTools.h"
#include "mainwindow/MainWindow.h"
#include "platform/Services.h"

namespace quorin {

void savePlot(MainWindow& w) {
    w.Picture1->setAutoRedraw(true);
    const QString path = w.services().folder.file(QStringLiteral("11.jpg"));
    // The user believes the plot is saved unless told otherwise.
    if (!w.Picture1->savePicture(path, SaveFormat::Bmp))
        w.services().dialogs.message(QString::fromUtf8(plotSaveFailedMessage), MessageButtons::Ok,
                                     QStringLiteral("Quorin"));
}

void clearPlot(MainWindow& w) {
    w.Picture1->cls();
}

} // namespace quorin
