// Loading Qt's Swedish translations from Qt's translations folder.
#include "ui/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace pladdo {

bool InstallSwedishTranslations(QCoreApplication& app) {
  // Owned by the application, which outlives every window.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QLocale(QLocale::Swedish, QLocale::Sweden),
                        QStringLiteral("qt"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace pladdo
