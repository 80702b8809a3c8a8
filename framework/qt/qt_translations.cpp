#include "qt/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool InstallQtTranslations(const QLocale& Language) {
  auto* Translator = new QTranslator(QCoreApplication::instance());
  if (!Translator->load(Language, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete Translator;
    return false;
  }
  return QCoreApplication::installTranslator(Translator);
}

bool JapaneseLanguage(const QLocale& User) {
  const QStringList Languages = User.uiLanguages();
  return !Languages.isEmpty() && QLocale(Languages.front()).language() == QLocale::Japanese;
}

bool InstallTranslations(const QLocale& User) {
  if (JapaneseLanguage(User)) return InstallQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan));
  auto* English = new QTranslator(QCoreApplication::instance());
  if (!English->load(QString::fromLatin1(kEnglishTranslation))) {
    delete English;
    return false;
  }
  return QCoreApplication::installTranslator(English);
}
