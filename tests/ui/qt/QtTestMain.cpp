// One offscreen QApplication, with the Swedish translations, for every test.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/qt/Translations.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  pladdo::InstallSwedishTranslations(app);
  return RUN_ALL_TESTS();
}
