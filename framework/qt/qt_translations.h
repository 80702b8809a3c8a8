#pragma once

class QLocale;

// Loads Qt's own translations of its texts (the fields' context menus, the message box's
// buttons) for Language, from Qt's translations folder, so they match the program's language.
// Returns false when they are not installed; Qt's texts then stay in English.
bool InstallQtTranslations(const QLocale& Language);

// Whether the user's language is Japanese: the first of the languages the user asked for
// (LANGUAGE, else LC_ALL, LC_MESSAGES or LANG, as Qt reads them). C and POSIX are not.
bool JapaneseLanguage(const QLocale& User);

// The program speaks the user's language where it has it: under Japanese its own (Japanese)
// texts with Qt's Japanese ones; under any other language the English translation, embedded in
// the program as the resource kEnglishTranslation, with Qt's own texts as they are (English).
// Returns false when a translation that belongs there could not be loaded.
inline constexpr const char* kEnglishTranslation = ":/i18n/vellox_en.qm";
bool InstallTranslations(const QLocale& User);
