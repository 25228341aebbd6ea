// Qt's own texts in Swedish: the standard buttons, file dialogs and context
// menus that Qt draws itself.
#pragma once

class QCoreApplication;

namespace pladdo {

// Loads Qt's own Swedish translations (qt_sv.qm, and qtbase_sv.qm where
// installed) from Qt's translations folder, whatever the user's locale, and
// installs over them Pladdo's table of the texts Qt shows in its windows
// that those files lack or get wrong, so that its rows win. Makes Swedish
// the default locale, which the file dialog's file types follow. Call once
// per application. True when Qt's own file was found; without it many of
// Qt's texts stay English.
bool InstallSwedishTranslations(QCoreApplication& app);

}  // namespace pladdo
