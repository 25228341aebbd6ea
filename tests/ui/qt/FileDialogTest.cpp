// The save dialog the window asks for, as QFileDialog is set up from it.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <cstdlib>
#include <filesystem>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/MainWindow.h"

namespace pladdo {
namespace {

// Sets an environment variable for the life of the object.
struct ScopedEnv {
  ScopedEnv(const char* variable, const std::string& value) : name(variable) {
    if (const char* was = std::getenv(name)) old = was;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
  const char* name;
  std::optional<std::string> old;
};

// Ctrl+S starts in the documents folder (user-dirs.dirs', else ~/Documents)
// or home, in the platform's dialog, with the text filters, ".txt" added and
// a question before a file is replaced.
TEST(SaveDialog, StartsInTheDocumentsFolderWithTheTextFilters) {
  // clang-format off
  const struct { const char* what; const char* userDirs; const char* made; const char* start; } rows[] = {
      {"the folder user-dirs.dirs names", "XDG_DOCUMENTS_DIR=\"$HOME/Dokument\"\n", "Dokument", "Dokument"},
      {"Documents without user-dirs.dirs", nullptr, "Documents", "Documents"},
      {"no documents folder: home", nullptr, nullptr, ""},
      {"the named folder missing: home", "XDG_DOCUMENTS_DIR=\"$HOME/Dokument\"\n", "Documents", ""},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const test::TempDir home;
    const ScopedEnv homeEnv("HOME", home.Path().string());
    const ScopedEnv configEnv("XDG_CONFIG_HOME", home.File(".config"));
    std::filesystem::create_directory(home.Path() / ".config");
    if (row.userDirs) home.Write(".config/user-dirs.dirs", row.userDirs);
    if (row.made) std::filesystem::create_directory(home.Path() / row.made);

    std::optional<FileDialogRequest> asked;
    test::FakeDesktop desktop;
    DesktopHooks hooks = desktop.Hooks();
    hooks.fileDialog = [&](QWidget*, const FileDialogRequest& request) {
      asked = request;
      return std::optional<QString>();
    };
    CMainWindow window(hooks);
    window.findChild<QAction*>("actionSaveDialog")->trigger();
    ASSERT_TRUE(asked);

    QFileDialog dialog;
    ConfigureFileDialog(dialog, *asked);
    EXPECT_EQ(
        dialog.directory().absolutePath(),
        QDir(QString::fromStdString(home.File(row.start))).absolutePath());
    EXPECT_EQ(dialog.nameFilters(),
              QStringList({"Textdokument (*.txt)", "Alla filer (*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Textdokument (*.txt)");
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  }
}

}  // namespace
}  // namespace pladdo
