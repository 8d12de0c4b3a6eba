// Qt's own texts (the standard buttons, the file and print dialogs) in French,
// as the rest of the program.
#pragma once

class QCoreApplication;

namespace tavo::ui {

// Loads Qt's French translations into `application`. False when they are not
// installed (Debian package qt6-translations-l10n): Qt then speaks English.
bool installer_traductions(QCoreApplication& application);

}  // namespace tavo::ui
