#pragma once

class QLocale;

// Loads Qt's own translations of its texts (the fields' context menus, the message box's
// buttons) for Language, from Qt's translations folder, so they match the program's language.
// Returns false when they are not installed; Qt's texts then stay in English.
bool InstallQtTranslations(const QLocale& Language);
