#include "app/Program.h"
#include "mainwindow/MainWindow.h"
#include "platform/Controls.h"
#include "platform/QtDialogs.h"
#include "platform/QtMediaPlayer.h"
#include "platform/Translations.h"
#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QFontDatabase>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt's dialogs and buttons in Chinese too; English if Qt's file is missing.
    quorin::installQtChinese(app);
    quorin::applyInterfaceFont();
    quorin::QtDialogs dialogs;
    quorin::SystemClock clock;
    const quorin::ProgramFolder folder(QCoreApplication::applicationDirPath());
    quorin::SeededRandom random(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
    quorin::Program program({dialogs, clock, folder, random, [](QWidget* parent) {
                                 return std::make_unique<quorin::QtMediaPlayer>(parent);
                             }});
    program.mainWindow().show();
    return app.exec();
}
