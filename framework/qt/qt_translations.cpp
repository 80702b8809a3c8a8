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
