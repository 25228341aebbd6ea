// The window layer driven headless with real key and mouse events: the main
// window, the profile chooser it runs, and the file dialog wrapper.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/qt/FileDialog.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/ProfileDlg.h"

namespace pladdo {
namespace {

// Profile 1 (UTF-8, as the shipped profiles are): information, names out of
// Swedish order, a welcome, a first answer and a keyword. Profile 2: no
// information, one name, and answers that suggest "blomma".
const std::string kBot1 =
    "[INFO]\nname=Första\nversion=1.2\ncreator=Anna\ninfo=Den första boten.\n"
    "language=svenska\n[NAME]\n!Örjan\n!Zeta\n!Zet\n!Ärla\n!åsa\n!Émile\n"
    "!alfa\n[WELCOME]\n!Hej, jag är Testbot.\n[START]\n!Trevligt att träffas.\n"
    "[SPEAK]\n?blomma\n!Blå blommor är fina.\n";
const std::string kBot2 = "[NAME]\n!Bertil\n[NOTFOUND]\n!Se en blomma\n";
const QString kWelcome = QStringLiteral("Hej, jag är Testbot.\n");

// A property of parent's child called name, as text.
QString Text(QObject* parent, const char* name, const char* property = "text") {
  return parent->findChild<QWidget*>(name)->property(property).toString();
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_desktop = {};
    StartOptions options;
    options.strProfile1 = m_files.Write("bot1.ppf", kBot1);
    options.strProfile2 = m_files.Write("bot2.ppf", kBot2);
    options.strLanguageFile =
        m_files.Write("language.dat", "[svenska]\n\"a\" \"b\"\n");
    m_window = std::make_unique<CMainWindow>(m_desktop.Hooks());
    m_window->Controller().Start(options);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  }
  QWidget* Child(const char* name) {
    return m_window->findChild<QWidget*>(name);
  }
  QString Get(const char* name, const char* property = "text") {
    return Text(m_window.get(), name, property);
  }
  QString View() { return Get("view", "plainText"); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(Child("inputLine"), key, modifiers);
  }

  test::TempFiles m_files;
  test::FakeDesktop m_desktop;
  std::unique_ptr<CMainWindow> m_window;
};

TEST_F(MainWindowTest, StartsWithTheWelcomeThenTypedLinesAndKeysDoTheirWork) {
  EXPECT_EQ(View(), kWelcome);
  EXPECT_EQ(Get("prompt"), QStringLiteral("Du s&varar:"));
  EXPECT_EQ(Get("inputLine"), QString());
  EXPECT_FALSE(Child("autoDialog")->property("checked").toBool());
  EXPECT_FALSE(Child("printNames")->property("checked").toBool());
  EXPECT_FALSE(Child("answerButton")->isEnabled());
  Key(Qt::Key_Escape);
  EXPECT_TRUE(m_window->isVisible());

  test::Type(Child("inputLine"), QStringLiteral("Åsa Öberg"));
  EXPECT_TRUE(Child("answerButton")->isEnabled());
  Key(Qt::Key_Return);
  test::Type(Child("inputLine"), QStringLiteral("En BLOMMA på ängen"));
  QTest::mouseClick(Child("answerButton"), Qt::LeftButton);
  EXPECT_EQ(View(), kWelcome +
                        "> Åsa Öberg\nTrevligt att träffas.\n"
                        "> En BLOMMA på ängen\nBlå blommor är fina.\n");
  EXPECT_EQ(Get("inputLine"), QString());
  EXPECT_FALSE(Child("answerButton")->isEnabled());

  // The automatic dialogue leaves profile 2's suggestion selected; Enter in
  // the read-only view belongs to the view, Enter in the input sends it.
  QTest::mouseClick(Child("autoDialog"), Qt::LeftButton);
  test::Type(Child("inputLine"), QStringLiteral("x"));
  Key(Qt::Key_Return);
  EXPECT_EQ(Get("inputLine", "selectedText"), QStringLiteral("Se en blomma"));
  EXPECT_EQ(Get("prompt"), QStringLiteral("Åsa Öberg s&varar:"));
  QTest::keyClick(Child("view"), Qt::Key_Return);
  EXPECT_FALSE(View().contains("> Se en blomma"));
  Key(Qt::Key_Return);
  EXPECT_TRUE(View().endsWith("> Se en blomma\nBlå blommor är fina.\n"));

  // The keys reach their commands: Ctrl+S saves what the view shows.
  m_desktop.answers << m_files.Path("s.txt");
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(QString::fromStdString(test::ReadFile(m_files.File("s.txt"))),
            View());
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(View().startsWith("Profilnamn: " + m_files.Path("bot1.ppf")));
  Key(Qt::Key_F2);
  EXPECT_EQ(View(), kWelcome);
  Key(Qt::Key_F1);
  ASSERT_EQ(m_desktop.opened.size(), 1);
  EXPECT_EQ(QFileInfo(m_desktop.opened[0].toLocalFile()).canonicalFilePath(),
            QFileInfo(PLADDO_BUILD_DIR "/readme.txt").canonicalFilePath());
  // A missing file fails without reaching the desktop.
  EXPECT_FALSE(m_window->OpenFile(m_files.Path("saknas").toStdString()));
  EXPECT_EQ(m_desktop.opened.size(), 1);
  EXPECT_TRUE(m_desktop.messages.empty());
}

// A long conversation: the view follows each exchange while it shows its
// end; scrolled up to read, it keeps its place and the user's selection.
TEST_F(MainWindowTest,
       ViewFollowsTheEndOnlyWhenItShowedItAndKeepsTheSelection) {
  auto* view = static_cast<QPlainTextEdit*>(Child("view"));
  QScrollBar* bar = view->verticalScrollBar();
  const auto send = [this](const QString& line) {
    test::Type(Child("inputLine"), line);
    Key(Qt::Key_Return);
  };
  send(QStringLiteral("Anna"));
  for (int i = 0; i < 40; ++i) send(QStringLiteral("rad %1").arg(i));
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum()) << "at the end it follows";

  // The user scrolls to the top and selects the welcome's first word.
  bar->setValue(0);
  QTextCursor selection(view->document());
  selection.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
  view->setTextCursor(selection);
  const QString selected = view->textCursor().selectedText();
  ASSERT_FALSE(selected.isEmpty());
  send(QStringLiteral("en rad till"));
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(view->textCursor().selectedText(), selected);
  EXPECT_TRUE(View().contains("> en rad till\n"));

  // Selected up to the very end, the selection does not grow with the view.
  QTextCursor toEnd(view->document());
  toEnd.movePosition(QTextCursor::End);
  toEnd.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor,
                     3);
  view->setTextCursor(toEnd);
  bar->setValue(0);
  const QString tail = view->textCursor().selectedText();
  send(QStringLiteral("sista"));
  EXPECT_EQ(view->textCursor().selectedText(), tail);
  EXPECT_EQ(bar->value(), 0);

  // Back at the end, it follows again.
  bar->setValue(bar->maximum());
  send(QStringLiteral("och en till"));
  EXPECT_EQ(bar->value(), bar->maximum());
}

// "Varför det svaret?" in the Pladdo menu and on Ctrl+J: a dialog whose text
// is the account the terminal prints, selectable, with a button to close it.
TEST_F(MainWindowTest, WhyAnswerShowsHowTheReplyCameAboutInASelectableText) {
  // No standard key of the desktop is taken.
  const QKeySequence key =
      m_window->findChild<QAction*>("actionWhyAnswer")->shortcut();
  EXPECT_EQ(key, kWhyAnswerKey);
  for (int k = QKeySequence::HelpContents; k <= QKeySequence::Cancel; ++k) {
    EXPECT_FALSE(
        QKeySequence::keyBindings(static_cast<QKeySequence::StandardKey>(k))
            .contains(key))
        << "standard key " << k;
  }
  test::Type(Child("inputLine"), QStringLiteral("Åsa"));
  Key(Qt::Key_Return);
  test::Type(Child("inputLine"), QStringLiteral("en blomma"));
  Key(Qt::Key_Return);
  QString shown, button;
  bool selectable = false;
  test::WhenModal<QDialog>([&](QDialog* dialog) {
    auto* text = dialog->findChild<QPlainTextEdit*>("whyText");
    shown = text->toPlainText();
    selectable =
        text->textInteractionFlags().testFlag(Qt::TextSelectableByMouse) &&
        text->textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard);
    auto* buttons = dialog->findChild<QDialogButtonBox*>("whyButtons");
    button = buttons->button(QDialogButtonBox::Close)->text();
    QTest::mouseClick(buttons->button(QDialogButtonBox::Close), Qt::LeftButton);
  });
  Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(
      shown.startsWith(QStringLiteral("Senaste svaret (profil 1, bot1.ppf):\n"
                                      "  Raden: «en blomma»")))
      << shown.toStdString();
  EXPECT_TRUE(
      shown.contains(QStringLiteral("  Mönster: bot1.ppf:20 ?blomma\n")))
      << shown.toStdString();
  EXPECT_TRUE(selectable);
  EXPECT_FALSE(button.isEmpty());
  EXPECT_TRUE(m_window->isVisible());
}

// Ctrl+O: the chooser shows profile 1, then profile 2 by its radio button;
// a cancelled browse, a browse to profile 1's file, then OK or Cancel after
// the language file changed.
TEST_F(MainWindowTest, ChooserShowsBrowsesAndAppliesOnlyOnOk) {
  const auto shown = [](CProfileDlg* chooser) {
    QStringList texts{Text(chooser, "info", "plainText")};
    for (const char* name : {"fileName", "nameLine", "versionLine",
                             "creatorLine", "languageLine"}) {
      texts << Text(chooser, name);
    }
    const auto* names = chooser->findChild<QListWidget*>("names");
    for (int i = 0; i < names->count(); ++i) texts << names->item(i)->text();
    return texts;
  };
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Avbryt");
    SetUp();
    const QString bot1 = m_files.Path("bot1.ppf");
    const QString bot2 = m_files.Path("bot2.ppf");
    const QStringList first =
        QStringList{"Den första boten.", bot1,
                    "Namn: Första",      "Version: 1.2",
                    "Skapare: Anna",     "Språk: svenska"} +
        QStringLiteral("alfa Émile Zet Zeta åsa Ärla Örjan").split(u' ');
    const QStringList second{
        " ", bot2, "Namn:  ", "Version:  ", "Skapare:  ", "Språk:  ", "Bertil"};
    test::WhenModal<CProfileDlg>([&](CProfileDlg* chooser) {
      const auto click = [chooser](const char* name) {
        QTest::mouseClick(chooser->findChild<QWidget*>(name), Qt::LeftButton);
      };
      EXPECT_EQ(shown(chooser), first);
      click("profile2");
      EXPECT_EQ(shown(chooser), second);
      click("browse");
      EXPECT_EQ(shown(chooser), second);
      m_desktop.answers << bot1;
      click("browse");
      EXPECT_EQ(shown(chooser), first);
      m_files.Write("language.dat", "[svenska]\n\"c\" \"d\"\n");
      click(ok ? "ok" : "cancel");
    });
    Key(Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(m_desktop.requests.size(), 2u);
    EXPECT_EQ(m_desktop.requests[0].initialFile, bot2.toStdString());
    EXPECT_EQ(m_desktop.requests[0].flags, kFileMustExist | kHideReadOnly);
    EXPECT_EQ(m_desktop.requests[0].filter,
              "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||");
    EXPECT_EQ(m_window->Controller().GetEngine(1).GetProfilePath(),
              (ok ? bot1 : bot2).toStdString());
    // Setting a profile reads its language table, so the new table is used
    // only when OK sets both profiles again, unchanged ones too.
    EXPECT_EQ(m_window->Controller().GetEngine(0).GetFromWords().at(0),
              ok ? "c" : "a");
  }
}

TEST_F(MainWindowTest, CloseBoxEndsWithTwoAndExitWithOne) {
  m_window->close();
  EXPECT_EQ(m_window->result(), 2);
  SetUp();
  m_window->findChild<QAction*>("actionExit")->trigger();
  EXPECT_FALSE(m_window->isVisible());
  EXPECT_EQ(m_window->result(), 1);
}

TEST_F(MainWindowTest, ViewTakesTheGrowthAndTheControlsKeepTheirEdges) {
  // What no size may change: the view's corner, every control's distance
  // from the bottom edge, and the input line's and the answer button's
  // from the right edge.
  const auto measure = [this] {
    QApplication::processEvents();
    const QRect window = m_window->rect();
    std::vector<int> anchors{Child("view")->x(), Child("view")->y(),
                             window.right() - Child("answerButton")->x()};
    for (const char* name : {"view", "prompt", "inputLine", "answerButton",
                             "autoDialog", "printNames"}) {
      anchors.push_back(window.bottom() - Child(name)->geometry().bottom());
    }
    for (const char* name : {"view", "inputLine", "answerButton"}) {
      anchors.push_back(window.right() - Child(name)->geometry().right());
    }
    return anchors;
  };
  const std::vector<int> start = measure();
  for (const QSize size :
       {QSize(900, 700), QSize(100, 100), QSize(309, 800), QSize(800, 299)}) {
    SCOPED_TRACE(testing::Message() << size.width() << "x" << size.height());
    m_window->resize(size);
    EXPECT_EQ(m_window->size(), size.expandedTo({310, 300}));
    EXPECT_EQ(measure(), start);
  }
}

TEST(ConvertFilter, PairsBecomeQtNameFiltersUpToTheEmptyPart) {
  EXPECT_EQ(ConvertFilter("a|b|c|d||x|y"), (QStringList{"a (b)", "c (d)"}));
  // "*.*" lists files without an extension too; a name is not given its
  // own pattern twice; an odd last name has no pattern and is left out.
  EXPECT_EQ(ConvertFilter("Alla filer (*.*)|*.*|Bilder|*.png;*.jpg|Udda"),
            (QStringList{"Alla filer (*)", "Bilder (*.png *.jpg)"}));
}

TEST(FileDialog, SaveAsksBeforeOverwritingAndRefusesPathsCp1252CannotHold) {
  FileDialogRequest request;
  request.bOpen = false;
  request.flags = kOverwritePrompt;
  request.defaultExtension = "txt";
  QFileDialog dialog;
  ConfigureFileDialog(dialog, request);
  EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog.defaultSuffix(), QStringLiteral("txt"));

  // A path Windows-1252 cannot hold is refused with a message and leaves
  // the result alone.
  test::FakeDesktop desktop;
  desktop.answers << "/tmp/Åsa/ö.txt"
                  << "/tmp/ł.txt";
  std::string result;
  EXPECT_TRUE(FileDialog(result, nullptr, request, desktop.Hooks()));
  EXPECT_FALSE(FileDialog(result, nullptr, request, desktop.Hooks()));
  EXPECT_EQ(result, "/tmp/\xC5sa/\xF6.txt");
  EXPECT_EQ(desktop.messages,
            QStringList{"Sökvägen\n/tmp/ł.txt\ninnehåller tecken som Pladdo "
                        "inte kan hantera. Välj ett annat filnamn."});
}

}  // namespace
}  // namespace pladdo
