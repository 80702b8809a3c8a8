#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QTranslator>

#include <memory>

#include "qt/qt_translations.h"

namespace {

// Qt's own texts follow the program's language once its translations are installed: the
// expression field's context menu and the message box's buttons.
TEST(QtTranslationsTest, QtsOwnTextsAreJapanese) {
  ASSERT_TRUE(InstallQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan)));
  QLineEdit Field;
  const std::unique_ptr<QMenu> Menu(Field.createStandardContextMenu());
  QStringList Items;
  for (const QAction* Item : Menu->actions())
    if (!Item->isSeparator()) Items << Item->text().section(QLatin1Char('\t'), 0, 0);
  EXPECT_EQ(Items, (QStringList{"元に戻す(&U)", "やり直す(&R)", "切り取り(&T)", "コピー(&C)", "貼り付け(&P)",
                                "削除", "すべてを選択"}));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "キャンセル");
  for (QTranslator* Translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(Translator);
    delete Translator;
  }
}

}  // namespace
