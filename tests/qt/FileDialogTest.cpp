// The file dialog wrapper: filters in Qt's form, the dialog's set-up, a
// real save dialog driven by keys, and paths Windows-1252 cannot hold.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "tests/qt/QtTestUtil.h"
#include "ui/qt/FileDialog.h"

namespace pladdo {
namespace {

using test::FakeDesktop;
using test::WhenModal;
using test::WriteBytes;

TEST(ConvertFilter, PairsBecomeQtNameFilters) {
  struct Row {
    const char* what;
    std::string filter;
    QStringList expected;
  };
  const Row rows[] = {
      {"save dialog",
       "Textdokument|*.txt|Alla filer (*.*)|*.*||",
       {QStringLiteral("Textdokument (*.txt)"),
        QStringLiteral("Alla filer (*)")}},
      {"browse dialog, name holding its own pattern",
       "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||",
       {QStringLiteral("Pladdo-profil (*.ppf)"),
        QStringLiteral("Alla filer (*)")}},
      {"several patterns",
       "Bilder|*.png;*.jpg||",
       {QStringLiteral("Bilder (*.png *.jpg)")}},
      {"Swedish letters in Windows-1252",
       "Textfiler p\xE5 svenska|*.txt||",
       {QStringLiteral("Textfiler på svenska (*.txt)")}},
      {"missing end marker", "Text|*.txt", {QStringLiteral("Text (*.txt)")}},
      {"name without pattern is left out",
       "Text|*.txt|Udda||",
       {QStringLiteral("Text (*.txt)")}},
      {"empty", "", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(ConvertFilter(row.filter), row.expected);
  }
}

TEST(ConfigureFileDialog, SaveRequestAsksBeforeOverwritingAndAddsTxt) {
  FileDialogRequest request;
  request.bOpen = false;
  request.flags = kOverwritePrompt | kHideReadOnly;
  request.filter = "Textdokument|*.txt|Alla filer (*.*)|*.*||";
  request.defaultExtension = "txt";
  request.filterIndex = 2;
  QFileDialog dialog;
  ConfigureFileDialog(dialog, request);
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::AnyFile);
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("txt"));
  EXPECT_EQ(dialog.selectedNameFilter(), QStringLiteral("Alla filer (*)"));
}

TEST(ConfigureFileDialog, OpenRequestNeedsAnExistingFileAndStartsAtIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("bot.ppf"));
  WriteBytes(path, "[NAME]\n!Bot\n");
  FileDialogRequest request;
  request.bOpen = true;
  request.flags = kFileMustExist | kHideReadOnly;
  request.initialPath = path.toStdString();
  request.initialFile = path.toStdString();
  request.filter = "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||";
  QFileDialog dialog;
  ConfigureFileDialog(dialog, request);
  EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
  EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog.directory().absolutePath(), QDir(dir.path()).absolutePath());
  EXPECT_EQ(dialog.selectedNameFilter(),
            QStringLiteral("Pladdo-profil (*.ppf)"));
  EXPECT_EQ(dialog.selectedFiles(), QStringList{path});
}

// Types name into the running save dialog and presses Enter.
void TypeIntoSaveDialog(const QString& name) {
  WhenModal<QFileDialog>([name](QFileDialog* dialog) {
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    test::Type(edit, name);
    QTest::keyClick(edit, Qt::Key_Return);
  });
}

FileDialogRequest SaveRequest(const QString& folder) {
  FileDialogRequest request;
  request.bOpen = false;
  request.flags = kOverwritePrompt | kHideReadOnly;
  request.filter = "Textdokument|*.txt|Alla filer (*.*)|*.*||";
  request.defaultExtension = "txt";
  request.initialPath = (folder + QStringLiteral("/")).toStdString();
  return request;
}

TEST(RunQtFileDialog, TypedNamesGetTxtOnlyWhenTheyHaveNoExtension) {
  struct Row {
    const char* what;
    QString typed;
    QString chosen;
  };
  const Row rows[] = {
      {"bare name", QStringLiteral("samtal"), QStringLiteral("samtal.txt")},
      {"own extension kept", QStringLiteral("samtal.log"),
       QStringLiteral("samtal.log")},
      {"Swedish letters", QStringLiteral("räksmörgås"),
       QStringLiteral("räksmörgås.txt")},
  };
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    TypeIntoSaveDialog(row.typed);
    const std::optional<QString> chosen =
        RunQtFileDialog(nullptr, SaveRequest(dir.path()));
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, dir.filePath(row.chosen));
  }
}

TEST(RunQtFileDialog, SavingOverAnExistingFileAsksFirst) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WriteBytes(dir.filePath(QStringLiteral("gammal.txt")), "gammalt\n");
  bool asked = false;
  TypeIntoSaveDialog(QStringLiteral("gammal"));
  WhenModal<QMessageBox>([&asked](QMessageBox* box) {
    asked = true;
    box->button(QMessageBox::Yes)->click();
  });
  const std::optional<QString> chosen =
      RunQtFileDialog(nullptr, SaveRequest(dir.path()));
  EXPECT_TRUE(asked);
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(*chosen, dir.filePath(QStringLiteral("gammal.txt")));
}

TEST(RunQtFileDialog, CancelGivesNothing) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
  EXPECT_FALSE(RunQtFileDialog(nullptr, SaveRequest(dir.path())).has_value());
}

TEST(FileDialog, ChosenPathsComeBackInWindows1252OrAreRefused) {
  struct Row {
    const char* what;
    std::optional<QString> chosen;
    bool ok;
    std::string result;
    int messages;
  };
  const Row rows[] = {
      {"plain path", QStringLiteral("/tmp/samtal.txt"), true, "/tmp/samtal.txt",
       0},
      {"Swedish letters", QStringLiteral("/tmp/Åsa/ö.txt"), true,
       "/tmp/\xC5sa/\xF6.txt", 0},
      {"character outside Windows-1252", QStringLiteral("/tmp/łódź.txt"), false,
       "unchanged", 1},
      {"cancelled", std::nullopt, false, "unchanged", 0},
      {"empty answer", QString(), false, "unchanged", 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    FakeDesktop desktop;
    desktop.dialogAnswers.push_back(row.chosen);
    std::string result = "unchanged";
    EXPECT_EQ(FileDialog(result, nullptr, FileDialogRequest{}, desktop.Hooks()),
              row.ok);
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(desktop.messages.size(), static_cast<size_t>(row.messages));
  }
}

}  // namespace
}  // namespace pladdo
