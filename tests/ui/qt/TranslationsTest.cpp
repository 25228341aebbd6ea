// Qt's own texts in Swedish: the table against the Qt in use, and the real
// widgets - standard buttons, context menus, the file dialog and its
// questions - read back for Swedish words and English ones.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QToolButton>
#include <QTreeView>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <tuple>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/Translations.h"
#include "ui/qt/WhyDialog.h"

namespace pladdo {
namespace {

QString Swedish(const char* utf8) { return QString::fromUtf8(utf8); }

// A text as shown, without the mnemonic marks and the shortcut after a tab.
QString Shown(QString text) {
  text = text.section(u'\t', 0, 0);
  text.remove(u'&');
  return text;
}

// English words, in lower case, that Qt's untranslated texts in these
// windows would show; none is a Swedish word.
const QSet<QString> kEnglishWords = {
    "abort",    "all",       "back",   "bottom", "bytes", "cancel", "close",
    "computer", "copy",      "create", "cut",    "date",  "delete", "detail",
    "details",  "directory", "down",   "edge",   "file",  "files",  "folder",
    "forward",  "go",        "here",   "hidden", "left",  "look",   "modified",
    "name",     "new",       "no",     "open",   "page",  "parent", "paste",
    "redo",     "remove",    "rename", "right",  "save",  "scroll", "select",
    "show",     "size",      "top",    "type",   "undo",  "up",     "view",
    "yes"};

// The words of texts that are on kEnglishWords, whatever their case.
QStringList EnglishWords(const QStringList& texts) {
  static const QRegularExpression kNonLetters(QStringLiteral("[^\\p{L}]+"));
  QStringList found;
  for (const QString& text : texts) {
    for (const QString& word : Shown(text).split(kNonLetters)) {
      if (kEnglishWords.contains(word.toLower())) {
        found << word + " in \"" + text + '"';
      }
    }
  }
  return found;
}

// Records every text Qt asks translators for while it is installed; answers
// none of them, so the translators below still answer.
class CRecordingTranslator : public QTranslator {
 public:
  CRecordingTranslator() { QCoreApplication::installTranslator(this); }
  ~CRecordingTranslator() override { QCoreApplication::removeTranslator(this); }
  QString translate(const char* context, const char* sourceText,
                    const char* disambiguation, int) const override {
    m_asked.insert({context, sourceText, disambiguation ? disambiguation : ""});
    return {};
  }
  bool isEmpty() const override { return false; }

  mutable std::set<std::tuple<std::string, std::string, std::string>> m_asked;
};

// The action texts of the context menu that a right click on widget opens;
// the menu is read while it is open and then closed.
QStringList ContextMenuTexts(QWidget* widget) {
  QStringList texts;
  bool opened = false;
  // Owned here, so that it never fires once this function has returned.
  QTimer reader;
  reader.setSingleShot(true);
  QObject::connect(&reader, &QTimer::timeout, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      opened = true;
      for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) texts << action->text();
      }
      menu->close();
    }
  });
  reader.start(0);
  // A scroll area takes mouse clicks on its viewport.
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) {
    widget = area->viewport();
  }
  const QPoint inside = widget->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, inside,
                          widget->mapToGlobal(inside));
  QApplication::sendEvent(widget, &event);
  QApplication::processEvents();
  EXPECT_TRUE(opened) << "no context menu opened";
  return texts;
}

// Every text a file dialog shows: labels, buttons and tool buttons with
// their tooltips, combo box entries, column headers, the rows of the file
// list and the side bar, and every action of its menus.
QStringList VisibleTexts(QFileDialog& dialog) {
  QStringList texts{dialog.windowTitle()};
  for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&dialog)) continue;
    texts << widget->toolTip() << widget->accessibleName();
    if (auto* label = qobject_cast<const QLabel*>(widget)) {
      texts << label->text();
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      texts << button->text();
    }
    if (auto* combo = qobject_cast<const QComboBox*>(widget)) {
      for (int i = 0; i < combo->count(); ++i) texts << combo->itemText(i);
    }
    if (auto* view = qobject_cast<const QAbstractItemView*>(widget)) {
      const QAbstractItemModel* model = view->model();
      const QModelIndex root = view->rootIndex();
      for (int column = 0; column < model->columnCount(root); ++column) {
        texts << model->headerData(column, Qt::Horizontal).toString();
        for (int row = 0; row < model->rowCount(root); ++row) {
          texts << model->index(row, column, root).data().toString();
        }
      }
    }
  }
  for (const QAction* action : dialog.findChildren<QAction*>()) {
    texts << action->text() << action->toolTip();
  }
  texts.removeAll(QString());
  return texts;
}

// A temporary folder with a conversation already saved in it and a
// subfolder, and a file dialog configured as Pladdo's own are.
class TranslationFileDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    m_files.Write("samtal.txt", "> Hej\nHej.\n");
    ASSERT_TRUE(std::filesystem::create_directory(m_files.Path() / "mapp"));
  }
  // Shown in detail view, with the folder's contents listed.
  void Open(QFileDialog& dialog, bool open) {
    FileDialogRequest request;
    request.bOpen = open;
    request.flags = open ? kFileMustExist : kHideReadOnly | kOverwritePrompt;
    request.filter = "Textdokument|*.txt|Alla filer (*.*)|*.*||";
    request.defaultExtension = "txt";
    request.initialPath = m_files.Path("samtal.txt").toStdString();
    ConfigureFileDialog(dialog, request);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* list = dialog.findChild<QTreeView*>("treeView");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return list->model()->rowCount(list->rootIndex()) == 2; }));
  }
  test::TempFiles m_files;
};

// ---------------------------------------------------------------------------
// The table

TEST(TranslationTable, NoRowIsThereTwiceAndMnemonicsComeInOnes) {
  std::set<std::tuple<std::string, std::string, std::string>> seen;
  for (const QtTextRow& row : SwedishQtTexts()) {
    SCOPED_TRACE(std::string(row.context) + " / " + row.source);
    EXPECT_TRUE(
        seen.insert({row.context, row.source, row.disambiguation}).second);
    // One "&" where Qt's text has one, never "&&" or a trailing "&".
    const QString swedish = Swedish(row.swedish);
    EXPECT_FALSE(swedish.endsWith(u'&') || swedish.contains(u"&&"));
    EXPECT_EQ(std::strchr(row.source, '&') != nullptr, swedish.contains(u'&'));
  }
}

// A row with a disambiguation answers only that one; a row without answers
// whatever disambiguation the caller gives; anything else is left to the
// translators below.
TEST(TranslationTable, DisambiguationsPickTheRow) {
  // clang-format off
  const struct { const char *context, *source, *disambiguation, *expected; } rows[] = {
      {"QFileSystemModel", "Type", "All other platforms", "Typ"},
      {"QFileSystemModel", "Type", nullptr, ""},
      {"QFileSystemModel", "Type", "Match OS X Finder", ""},
      {"QLineEdit", "&Copy", nullptr, "&Kopiera"},
      {"QLineEdit", "&Copy", "a note of the caller's", "&Kopiera"},
      {"QLineEdit", "Copy", nullptr, ""},
      {"QNoSuchWidget", "&Copy", nullptr, ""},
      {nullptr, "&Copy", nullptr, ""},
  };
  // clang-format on
  const CSwedishQtTranslator table;
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.context ? row.context : "(none)") + " / " +
                 row.source + " / " +
                 (row.disambiguation ? row.disambiguation : "(none)"));
    EXPECT_EQ(table.translate(row.context, row.source, row.disambiguation),
              Swedish(row.expected));
  }
}

// A row is only ever asked for when its texts are Qt's own, which the
// libraries of Qt's GUI and widgets hold as they are, each ended by a zero
// byte.
TEST(TranslationTable, EveryTextOfARowIsATextOfTheQtInUse) {
  QByteArray libraries;
  for (const void* symbol :
       {static_cast<const void*>(&QGuiApplication::staticMetaObject),
        static_cast<const void*>(&QWidget::staticMetaObject)}) {
    Dl_info info{};
    ASSERT_NE(dladdr(symbol, &info), 0);
    QFile library(QString::fromLocal8Bit(info.dli_fname));
    ASSERT_TRUE(library.open(QIODevice::ReadOnly)) << info.dli_fname;
    libraries += library.readAll();
  }
  std::set<std::string> texts;
  for (const QtTextRow& row : SwedishQtTexts()) {
    texts.insert({row.context, row.source, row.disambiguation});
  }
  texts.erase("");
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    EXPECT_NE(memmem(libraries.constData(), std::size_t(libraries.size()),
                     text.c_str(), text.size() + 1),
              nullptr);
  }
}

// ---------------------------------------------------------------------------
// The real widgets

TEST(TranslationWidgets, EveryTextQtAsksForInPladdosWindowsHasARow) {
  // Key names that Qt reads back as shortcuts: translated, they would stop
  // working, so Qt's file keeps them as they are.
  const std::set<std::string> shortcuts = {"Alt+Left", "Alt+Right", "Alt+Up"};
  // Qt's key names in shortcuts, and the layout direction, come from
  // qt_sv.qm and are no words of a window.
  const std::set<std::string> others = {"QShortcut", "QGuiApplication"};
  test::FakeDesktop desktop;
  test::TempFiles files;
  CRecordingTranslator recorder;
  {
    QDialogButtonBox buttons;
    for (int button = QDialogButtonBox::FirstButton;
         button <= QDialogButtonBox::LastButton; button <<= 1) {
      buttons.addButton(QDialogButtonBox::StandardButton(button));
    }
    QMessageBox box(QMessageBox::Warning, "Pladdo", "Text",
                    QMessageBox::Yes | QMessageBox::No);
    box.setDetailedText(QStringLiteral("Detaljer"));
    box.show();
    CMainWindow window(desktop.Hooks());
    window.show();
    ContextMenuTexts(window.findChild<QWidget*>("inputLine"));
    auto* view = window.findChild<QPlainTextEdit*>("view");
    ContextMenuTexts(view);
    ContextMenuTexts(view->verticalScrollBar());
    for (const auto mode : {QFileDialog::AcceptOpen, QFileDialog::AcceptSave}) {
      QFileDialog dialog;
      dialog.setOption(QFileDialog::DontUseNativeDialog);
      dialog.setAcceptMode(mode);
      dialog.setDirectory(QString::fromStdString(files.Path().string()));
      dialog.setViewMode(QFileDialog::Detail);
      dialog.show();
      ContextMenuTexts(dialog.findChild<QTreeView*>("treeView")->header());
      dialog.setFileMode(QFileDialog::Directory);
    }
  }
  const CSwedishQtTranslator table;
  ASSERT_FALSE(recorder.m_asked.empty());
  for (const auto& [context, source, disambiguation] : recorder.m_asked) {
    if (others.count(context) != 0 || shortcuts.count(source) != 0) continue;
    SCOPED_TRACE(context + " / " + source + " / " + disambiguation);
    EXPECT_FALSE(
        table.translate(context.c_str(), source.c_str(), disambiguation.c_str())
            .isEmpty());
  }
}

// The message box's details button: Qt's own file has it as "Dölj
// detaljer,,,"; the table's row wins.
TEST(TranslationWidgets, StandardButtonsAndTheMessageBoxShowSwedishWords) {
  using B = QDialogButtonBox;
  // clang-format off
  const std::pair<B::StandardButton, const char*> rows[] = {
      {B::Close, "Stäng"}, {B::Ok, "OK"}, {B::Cancel, "Avbryt"}, {B::Yes, "&Ja"},
      {B::No, "&Nej"}, {B::Save, "Spara"}, {B::Open, "Öppna"}};
  // clang-format on
  QDialogButtonBox buttons;
  for (const auto& [button, text] : rows) {
    EXPECT_EQ(buttons.addButton(button)->text(), Swedish(text));
  }
  QMessageBox box(QMessageBox::Question, "Pladdo", "Text",
                  QMessageBox::Yes | QMessageBox::No);
  box.setDetailedText(QStringLiteral("Detaljer"));
  box.show();
  QStringList texts;
  QPushButton* details = nullptr;
  for (QPushButton* button : box.findChildren<QPushButton*>()) {
    texts << button->text();
    if (box.buttonRole(button) == QMessageBox::ActionRole) details = button;
  }
  texts.sort();
  EXPECT_EQ(texts, (QStringList{"&Ja", "&Nej", "Visa detaljer..."}));
  ASSERT_NE(details, nullptr);
  details->click();
  EXPECT_EQ(details->text(), Swedish("Dölj detaljer..."));
}

TEST(TranslationWidgets, ContextMenusOfPladdosWindowsAreSwedish) {
  test::FakeDesktop desktop;
  CMainWindow window(desktop.Hooks());
  window.show();
  auto* view = window.findChild<QPlainTextEdit*>("view");
  CWhyDialog why("Regel: *blomma*", &window);
  why.show();
  // clang-format off
  const struct { const char* name; QWidget* widget; QStringList texts; } rows[] = {
      {"input line", window.findChild<QWidget*>("inputLine"),
       {"&Ångra", "&Gör om", "Klipp &ut", "&Kopiera", "Klistra &in", "Ta bort", "Markera allt"}},
      {"conversation view (read only)", view, {"&Kopiera", "Markera allt"}},
      {"the view's scroll bar", view->verticalScrollBar(),
       {"Rulla hit", "Överkant", "Nederkant", "En sida upp", "En sida ned", "Rulla uppåt",
        "Rulla nedåt"}},
      {"explanation of a reply", why.findChild<QWidget*>("whyText"), {"&Kopiera", "Markera allt"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QStringList shown;
    for (const QString& text : ContextMenuTexts(row.widget)) {
      shown << text.section(u'\t', 0, 0);
    }
    EXPECT_EQ(shown, row.texts);
    EXPECT_EQ(EnglishWords(shown), QStringList());
  }
}

TEST_F(TranslationFileDialog,
       LabelsButtonsToolsAndColumnsAreSwedishNotEnglish) {
  // clang-format off
  const struct { bool open; const char *name, *property, *text; } rows[] = {
      // name: of the child; empty: the dialog itself
      {false, "", "windowTitle", "Spara som"},
      {false, "lookInLabel", "text", "Sök i:"},
      {false, "fileNameLabel", "text", "Fil&namn:"},
      {false, "fileTypeLabel", "text", "Filtyp:"},
      {false, "backButton", "toolTip", "Tillbaka"},
      {false, "forwardButton", "toolTip", "Framåt"},
      {false, "toParentButton", "toolTip", "Överordnad mapp"},
      {false, "newFolderButton", "toolTip", "Skapa ny mapp"},
      {false, "listModeButton", "toolTip", "Listvy"},
      {false, "detailModeButton", "toolTip", "Detaljvy"},
      {true, "", "windowTitle", "Öppna"},
      {true, "fileNameLabel", "text", "Fil&namn:"},
  };
  // clang-format on
  for (const bool open : {false, true}) {
    SCOPED_TRACE(open ? "open" : "save");
    QFileDialog dialog;
    Open(dialog, open);
    for (const auto& row : rows) {
      if (row.open != open) continue;
      SCOPED_TRACE(std::string(row.name) + "." + row.property);
      QObject* object = row.name[0] == '\0'
                            ? static_cast<QObject*>(&dialog)
                            : dialog.findChild<QObject*>(row.name);
      ASSERT_NE(object, nullptr);
      EXPECT_EQ(object->property(row.property).toString(), Swedish(row.text));
    }
    QStringList buttons, columns;
    for (const QAbstractButton* button :
         dialog.findChild<QDialogButtonBox*>("buttonBox")->buttons()) {
      buttons << button->text();
    }
    EXPECT_EQ(buttons, (QStringList{open ? "&Öppna" : "&Spara", "Avbryt"}));
    const QHeaderView* header =
        dialog.findChild<QTreeView*>("treeView")->header();
    for (int i = 0; i < header->count(); ++i) {
      columns << header->model()->headerData(i, Qt::Horizontal).toString();
    }
    EXPECT_EQ(columns, (QStringList{"Namn", "Storlek", "Typ",
                                    Swedish("Ändringsdatum")}));
    // Every text shown or in a menu.
    const QStringList texts = VisibleTexts(dialog);
    EXPECT_TRUE(texts.contains(Swedish("Visa &dolda filer")));
    EXPECT_EQ(EnglishWords(texts), QStringList());
  }
}

// Sizes and dates are written the Swedish way whatever the system's locale
// is; file types are named in Swedish.
TEST_F(TranslationFileDialog, TheFileListShowsSwedishSizesDatesAndTypes) {
  QFileDialog dialog;
  Open(dialog, false);
  const auto* list = dialog.findChild<QTreeView*>("treeView");
  const QAbstractItemModel* model = list->model();
  const QRegularExpression date(
      QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d$"));
  const struct {
    const char *name, *size, *type;
  } rows[] = {{"mapp", "", "Mapp"},
              {"samtal.txt", "11 byte", "vanligt textdokument"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const QModelIndexList found =
        model->match(model->index(0, 0, list->rootIndex()), Qt::DisplayRole,
                     row.name, 1, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    const auto column = [&](int i) {
      return found[0].siblingAtColumn(i).data().toString();
    };
    EXPECT_EQ(column(1), Swedish(row.size));
    EXPECT_EQ(column(2), Swedish(row.type));
    EXPECT_TRUE(date.match(column(3)).hasMatch()) << column(3).toStdString();
  }
}

TEST_F(TranslationFileDialog, QuestionsAndWarningsAreSwedish) {
  // clang-format off
  const struct { const char* name; bool open; const char *typed, *text; QStringList buttons; } rows[] = {
      {"saving over a file", false, "samtal",
       "Filen \"samtal.txt\" finns redan.\nVill du ersätta den?", {"&Ja", "&Nej"}},
      {"opening a missing file", true, "saknas.txt",
       "saknas.txt\nFilen hittades inte.\nKontrollera att filnamnet är rätt.", {"OK"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QFileDialog dialog;
    Open(dialog, row.open);
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    name->setText(row.typed);
    QString text;
    QStringList buttons;
    test::WhenModal<QMessageBox>([&](QMessageBox* box) {
      text = box->text();
      for (const QAbstractButton* button : box->buttons()) {
        buttons << button->text();
      }
      QAbstractButton* answer = box->button(QMessageBox::No);
      (answer != nullptr ? answer : box->button(QMessageBox::Ok))->click();
    });
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(text, Swedish(row.text));
    EXPECT_EQ(buttons, row.buttons);
    EXPECT_TRUE(dialog.isVisible());
  }
}

}  // namespace
}  // namespace pladdo
