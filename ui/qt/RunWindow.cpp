// RunWindow: the Qt application around the main window.
#include "ui/qt/RunWindow.h"

#include <QApplication>
#include <QIcon>

#include "ui/StringTable.h"
#include "ui/qt/Icons.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/QtText.h"
#include "ui/qt/Translations.h"

namespace pladdo {

int RunWindow(int& argc, char** argv, const StartOptions& options) {
  QApplication app(argc, argv);
  InstallSwedishTranslations(app);
  QApplication::setApplicationName(FromCp1252(LoadString(IDS_APP_TITLE)));
  // Lets the desktop match the running window to se.pladdo.Pladdo.desktop
  // and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("se.pladdo.Pladdo"));
  QApplication::setWindowIcon(ProgramIcon());

  CMainWindow window;
  window.Controller().Start(options);
  // An ordinary window: the window manager places it, and the program ends
  // when it closes. How it ended (close box or "&Avsluta") does not change
  // the exit status.
  window.show();
  QApplication::exec();
  return 0;
}

}  // namespace pladdo
