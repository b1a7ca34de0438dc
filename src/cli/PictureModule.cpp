#include "cli/PictureModule.h"
#include "cli/CliSupport.h"
#include "cli/PictureCommands.h"
#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace quorin::cli {

int runPictureCommand(const QString& name, const QStringList& words) {
    // Where the build and the installation put it, relative to the tool.
    const QString path =
        QDir::cleanPath(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/" QUORIN_CLI_MODULE_DIR "/quorin-cli-pictures"));
    QLibrary module(path);
    const auto run =
        reinterpret_cast<PictureCommandEntry>(module.resolve("quorinCliPictureCommand"));
    if (!run) {
        tell(QStringLiteral("无法使用图片命令：找不到或无法载入图片组件 %1（%2）。请重新安装 "
                            "quorin-cli。")
                 .arg(QDir::toNativeSeparators(path), module.errorString()));
        return Failed;
    }
    // The module stays loaded until the tool ends.
    return run(name, words);
}

} // namespace quorin::cli
