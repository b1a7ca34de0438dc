#include "platform/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(QtChinese, MessageBoxAndDialogButtonsReadChinese) {
    // Deleting the translator takes it out again: later tests see English.
    const std::unique_ptr<QTranslator> translator(quorin::installQtChinese(*qApp));
    if (!translator)
        GTEST_SKIP() << "Qt's simplified-Chinese translation is not installed";
    const QMessageBox box(QMessageBox::Question, QString(), QString(),
                          QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")));
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
    // The file and colour dialogs close with Cancel.
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

} // namespace
