#include "platform/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

using namespace quorin;

namespace {

TEST(QtChinese, MessageBoxAndDialogButtonsReadChinese) {
    // Deleting the translator takes it out of the application again, so the
    // tests after this one see Qt's English.
    const std::unique_ptr<QTranslator> translator(installQtChinese(*qApp));
    if (!translator)
        GTEST_SKIP() << "Qt's simplified-Chinese translation is not installed";
    QMessageBox box(QMessageBox::Question, QString(), QString(),
                    QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")))
        << box.button(QMessageBox::Yes)->text().toStdString();
    EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")))
        << box.button(QMessageBox::No)->text().toStdString();
    // The file and colour dialogs close with Cancel.
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

} // namespace
