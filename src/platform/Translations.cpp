#include "platform/Translations.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace quorin {

QTranslator* installQtChinese(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto translator = std::make_unique<QTranslator>();
    // "qt" gathers qtbase (dialogs, buttons) and qtmultimedia; when one of
    // them is missing, qtbase alone still covers the dialogs.
    if (!translator->load(QStringLiteral("qt_zh_CN"), folder) &&
        !translator->load(QStringLiteral("qtbase_zh_CN"), folder))
        return nullptr;
    translator->setParent(&app);
    QCoreApplication::installTranslator(translator.get());
    return translator.release();
}

} // namespace quorin
