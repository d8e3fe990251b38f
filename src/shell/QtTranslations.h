#pragma once

// Qt's own texts (the folder and colour dialogs, the context menus of text fields, the standard
// buttons) in the language of the program: the system's, German when no locale is set. Without
// Qt's translations on the machine they stay English.
void InstallQtTranslations();
