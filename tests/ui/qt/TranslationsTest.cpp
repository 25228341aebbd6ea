// Qt's texts in Swedish, read back from the real widgets of Pladdo's windows;
// the file dialogs: no English word, and where the save dialog starts.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Translations.h"

namespace pladdo {
namespace {

// A word of Qt's untranslated texts in these windows; none is Swedish.
const QRegularExpression kEnglish(
    "\\b(back|bottom|cancel|close|copy|create|date|delete|detail|directory|"
    "file|files|folder|forward|hidden|look|modified|name|new|no|open|paste|"
    "parent|remove|save|scroll|select|show|size|type|undo|view|yes)\\b",
    QRegularExpression::CaseInsensitiveOption);

// The entries of a context menu, without the shortcut after a tab.
QStringList MenuTexts(QMenu* menu) {
  const std::unique_ptr<QMenu> owned(menu);
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text().section(u'\t', 0, 0);
  }
  return texts;
}

TEST(TranslationWidgets, QtsTextsInPladdosWindowsAreSwedish) {
  test::FakeDesktop desktop;
  CMainWindow window(desktop.Hooks());
  QMessageBox box(QMessageBox::Question, "Pladdo", "Text",
                  QMessageBox::Yes | QMessageBox::No);
  box.setDetailedText(QStringLiteral("Detaljer"));
  box.show();
  using B = QDialogButtonBox;
  // clang-format off
  const struct { const char* what; std::function<QStringList()> read; QStringList shown; } rows[] = {
      {"standard buttons", [] {
         QDialogButtonBox buttons;
         QStringList texts;
         for (const auto b : {B::Close, B::Ok, B::Cancel, B::Yes, B::No, B::Save, B::Open})
           texts << buttons.addButton(b)->text();
         return texts;
       }, {"Stäng", "OK", "Avbryt", "&Ja", "&Nej", "Spara", "Öppna"}},
      {"message box, its details shown", [&] {
         QStringList texts;
         for (QPushButton* button : box.findChildren<QPushButton*>()) {
           texts << button->text();
           if (box.buttonRole(button) == QMessageBox::ActionRole) {
             button->click();
             texts << button->text();
           }
         }
         texts.sort();
         return texts;
       }, {"&Ja", "&Nej", "Dölj detaljer...", "Visa detaljer..."}},
      {"input line's menu", [&] { return MenuTexts(window.findChild<QLineEdit*>("inputLine")->createStandardContextMenu()); },
       {"&Ångra", "&Gör om", "Klipp &ut", "&Kopiera", "Klistra &in", "Ta bort", "Markera allt"}},
      {"read-only view's menu", [&] { return MenuTexts(window.findChild<QPlainTextEdit*>("view")->createStandardContextMenu()); },
       {"&Kopiera", "Markera allt"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.read(), row.shown);
  }
  // Every text the file dialogs show, with their columns, or hold in a menu.
  test::TempDir files;
  for (const bool open : {false, true}) {
    SCOPED_TRACE(open ? "open" : "save");
    QFileDialog dialog;
    FileDialogRequest request;
    request.bOpen = open;
    request.filter = "Textdokument|*.txt|Alla filer (*.*)|*.*||";
    request.initialPath = files.File("samtal.txt");
    ConfigureFileDialog(dialog, request);
    dialog.setViewMode(QFileDialog::Detail);
    QStringList texts;
    for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
      if (!widget->isVisibleTo(&dialog)) continue;
      texts << widget->toolTip() << widget->accessibleName()
            << widget->property("text").toString();
      if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
        for (int i = 0; i < header->count(); ++i)
          texts << header->model()->headerData(i, Qt::Horizontal).toString();
      }
    }
    for (const QAction* action : dialog.findChildren<QAction*>())
      texts << action->text() << action->toolTip();
    EXPECT_EQ(dialog.windowTitle(), open ? "Öppna" : "Spara som");
    EXPECT_EQ(dialog.labelText(QFileDialog::LookIn), "Sök i:");
    EXPECT_EQ(texts.filter(kEnglish), QStringList());
  }
}

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
// or home, in the platform's dialog, with the text filters and ".txt".
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

    test::FakeDesktop desktop;
    CMainWindow window(desktop.Hooks());
    window.findChild<QAction*>("actionSaveDialog")->trigger();
    ASSERT_EQ(desktop.asked.size(), 1);
    QFileDialog dialog;
    ConfigureFileDialog(dialog, desktop.asked[0]);
    EXPECT_EQ(
        dialog.directory().absolutePath(),
        QDir(QString::fromStdString(home.File(row.start))).absolutePath());
    EXPECT_EQ(dialog.nameFilters(),
              QStringList({"Textdokument (*.txt)", "Alla filer (*)"}));
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  }
}

}  // namespace
}  // namespace pladdo
