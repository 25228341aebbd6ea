// Qt's own texts in Swedish: the standard buttons, file dialogs and context
// menus that Qt draws itself.
#pragma once

class QCoreApplication;

namespace pladdo {

// Loads Qt's Swedish translations into app (once per application). False
// when they are not installed; the texts then stay in English.
bool InstallSwedishTranslations(QCoreApplication& app);

}  // namespace pladdo
