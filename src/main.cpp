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
#include <QStandardPaths>
#include <QTimer>
#include <chrono>
#include <cstdio>

// The installed pictures as seen from the executable's folder (set by the build).
#ifndef QUORIN_INSTALLED_PICTURES
#define QUORIN_INSTALLED_PICTURES ""
#endif

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Qt's dialogs and buttons in Chinese too; English if Qt's file is missing.
    quorin::installQtChinese(app);
    quorin::applyInterfaceFont();
    quorin::QtDialogs dialogs;
    quorin::SystemClock clock;
    // An installed program keeps its own files in the user's folder
    // (~/.local/share/quorin); a build keeps them beside the executable.
    QCoreApplication::setApplicationName(QStringLiteral("quorin"));
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString installed = QStringLiteral(QUORIN_INSTALLED_PICTURES);
    const quorin::ProgramFolder folder = quorin::chooseProgramFolder(
        exeDir, installed.isEmpty() ? QString() : exeDir + QLatin1Char('/') + installed,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    quorin::SeededRandom random(static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch()));
    quorin::Program program({dialogs, clock, folder, random, [](QWidget* parent) {
                                 return std::make_unique<quorin::QtMediaPlayer>(parent);
                             }});
    program.mainWindow().show();
    // QUORIN_STARTUP_PROBE=1: print the wall clock (ns since the epoch) once
    // the shown window's first events are handled, and quit. scripts/perf-figures
    // times the start-up with it.
    if (qEnvironmentVariableIntValue("QUORIN_STARTUP_PROBE") == 1)
        QTimer::singleShot(0, &app, [] {
            const auto now = std::chrono::system_clock::now().time_since_epoch();
            std::printf("%lld\n",
                        static_cast<long long>(
                            std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    return app.exec();
}
