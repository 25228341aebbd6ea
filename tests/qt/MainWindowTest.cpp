// The main window driven with real key and mouse events, headless.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "about/AboutDlg.h"
#include "engine/Random.h"
#include "profile/ProfileDlg.h"
#include "tests/qt/QtTestUtil.h"
#include "ui/qt/MainWindow.h"

namespace pladdo {
namespace {

using test::FakeDesktop;
using test::ReadBytes;
using test::WhenModal;
using test::WriteBytes;

// Profile 1: greets, answers the name from START, "blomma" from SPEAK and
// anything else from NOTFOUND.
const std::string kBot1 =
    "# Testbot\n"
    "[INFO]\n"
    "name=Testbot\n"
    "version=1.0\n"
    "creator=Provare\n"
    "info=En liten testbot.\n"
    "language=svenska\n"
    "[NAME]\n"
    "!Testbot\n"
    "[WELCOME]\n"
    "!Hej, jag \xE4r Testbot.\n"
    "[START]\n"
    "!Trevligt att tr\xE4"
    "ffas.\n"
    "[SPEAK]\n"
    "?blomma\n"
    "!Bl\xE5 blommor \xE4r fina.\n"
    "[NOTFOUND]\n"
    "!Ber\xE4tta mer.\n";

// Profile 2: speaks in the automatic dialogue.
const std::string kBot2 =
    "[NAME]\n"
    "!Rimbo\n"
    "[WELCOME]\n"
    "!Hall\xE5.\n"
    "[START]\n"
    "!Jag b\xF6rjar.\n"
    "[NOTFOUND]\n"
    "!Se en blomma\n";

const std::string kLanguage =
    "[svenska]\n"
    "\"jag\" \"du\"\n"
    "\"du\" \"jag\"\n";

const QString kWelcome = QStringLiteral("Hej, jag är Testbot.\n");

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    WriteBytes(Path("bot1.ppf"), kBot1);
    WriteBytes(Path("bot2.ppf"), kBot2);
    WriteBytes(Path("language.dat"), kLanguage);
    PinRandomSeed(7);
    m_window = std::make_unique<CMainWindow>(m_desktop.Hooks());
  }

  void TearDown() override {
    m_window.reset();
    UnpinRandomSeed();
  }

  QString Path(const QString& name) const { return m_dir.filePath(name); }

  void Start(bool autoDialog = false, bool printNames = false) {
    StartOptions options;
    options.strProfile1 = Path("bot1.ppf").toStdString();
    options.strProfile2 = Path("bot2.ppf").toStdString();
    options.strLanguageFile = Path("language.dat").toStdString();
    options.bAutoDialog = autoDialog;
    options.bPrintNames = printNames;
    m_window->Controller().Start(options);
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  }

  template <typename T>
  T* Child(const char* name) {
    T* child = m_window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  QLineEdit* Input() { return Child<QLineEdit>("inputLine"); }
  QPlainTextEdit* View() { return Child<QPlainTextEdit>("view"); }
  QPushButton* Answer() { return Child<QPushButton>("answerButton"); }
  QLabel* Prompt() { return Child<QLabel>("prompt"); }

  // Types text into the input line and presses Enter.
  void Say(const QString& text) {
    Input()->setFocus();
    test::Type(Input(), text);
    QTest::keyClick(Input(), Qt::Key_Return);
  }

  QTemporaryDir m_dir;
  FakeDesktop m_desktop;
  std::unique_ptr<CMainWindow> m_window;
};

// ---- Start-up --------------------------------------------------------------

TEST_F(MainWindowTest, StartsWithTheWelcomeAloneAndTheAnswerButtonDisabled) {
  Start();
  EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Pladdo"));
  EXPECT_EQ(View()->toPlainText(), kWelcome);
  EXPECT_EQ(Prompt()->text(), QStringLiteral("Du s&varar:"));
  EXPECT_FALSE(Child<QCheckBox>("autoDialog")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>("printNames")->isChecked());
  EXPECT_EQ(Input()->text(), QString());
  EXPECT_FALSE(Answer()->isEnabled());
  EXPECT_TRUE(Answer()->isDefault());
  EXPECT_EQ(QApplication::focusWidget(), Input());
  EXPECT_FALSE(m_window->windowIcon().isNull());
}

TEST_F(MainWindowTest, MenuHoldsTheItemsWithTheirKeys) {
  struct Row {
    const char* action;
    QString text;
    QKeySequence key;
  };
  const Row rows[] = {
      {"actionRestart", QStringLiteral("&Börja om"), QKeySequence(Qt::Key_F2)},
      {"actionChooseProfile", QStringLiteral("&Välj profil..."),
       QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"actionSaveDialog", QStringLiteral("&Spara dialog..."),
       QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"actionExit", QStringLiteral("&Avsluta"), QKeySequence()},
      {"actionCheckProfile", QStringLiteral("Felsök i profilen"),
       QKeySequence(Qt::CTRL | Qt::Key_D)},
      {"actionReadMe", QStringLiteral("Öppna &ReadMe-filen..."),
       QKeySequence(Qt::Key_F1)},
      {"actionAbout", QStringLiteral("&Om..."), QKeySequence()},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.action);
    auto* action = Child<QAction>(row.action);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), row.text);
    EXPECT_EQ(action->shortcut(), row.key);
  }
}

// ---- Exchanges -------------------------------------------------------------

TEST_F(MainWindowTest, TypingANameAndEnterMakesTheFirstExchange) {
  Start();
  test::Type(Input(), QStringLiteral("Åsa Öberg"));
  EXPECT_TRUE(Answer()->isEnabled());
  QTest::keyClick(Input(), Qt::Key_Return);

  EXPECT_EQ(View()->toPlainText(),
            kWelcome + QStringLiteral("> Åsa Öberg\nTrevligt att träffas.\n"));
  EXPECT_EQ(m_window->Controller().GetEngine(0).GetUserName(),
            "\xC5sa \xD6"
            "berg");
  EXPECT_EQ(Input()->text(), QString());
  EXPECT_EQ(Prompt()->text(), QStringLiteral("Du s&varar:"));
  EXPECT_FALSE(Answer()->isEnabled());
}

TEST_F(MainWindowTest, SwedishLettersOfAKeywordReachTheEngine) {
  Start();
  Say(QStringLiteral("Åsa"));
  Say(QStringLiteral("En BLOMMA på ängen, ÅÄÖ åäö"));
  EXPECT_EQ(View()->toPlainText(),
            kWelcome + QStringLiteral("> Åsa\nTrevligt att träffas.\n"
                                      "> En BLOMMA på ängen, ÅÄÖ åäö\n"
                                      "Blå blommor är fina.\n"));
}

TEST_F(MainWindowTest, ClickingTheAnswerButtonMakesAnExchangeToo) {
  Start();
  test::Type(Input(), QStringLiteral("Bo"));
  QTest::mouseClick(Answer(), Qt::LeftButton);
  EXPECT_EQ(View()->toPlainText(),
            kWelcome + QStringLiteral("> Bo\nTrevligt att träffas.\n"));
}

TEST_F(MainWindowTest, BlankInputDoesNothing) {
  Start();
  test::Type(Input(), QStringLiteral("   "));
  EXPECT_FALSE(Answer()->isEnabled());
  QTest::keyClick(Input(), Qt::Key_Return);
  EXPECT_EQ(View()->toPlainText(), kWelcome);
  EXPECT_EQ(Input()->text(), QStringLiteral("   "));
}

TEST_F(MainWindowTest, AutomaticDialogueLeavesEngineTwosReplySelected) {
  Start();
  Child<QCheckBox>("autoDialog")->setChecked(true);
  Say(QStringLiteral("Åsa"));
  EXPECT_EQ(Input()->text(), QStringLiteral("Se en blomma"));
  EXPECT_EQ(Input()->selectedText(), Input()->text());
  EXPECT_EQ(Prompt()->text(), QStringLiteral("Åsa s&varar:"));
  EXPECT_TRUE(Answer()->isEnabled());

  // The next Enter sends the suggestion on to profile 1.
  QTest::keyClick(Input(), Qt::Key_Return);
  EXPECT_TRUE(View()->toPlainText().endsWith(
      QStringLiteral("> Se en blomma\nBlå blommor är fina.\n")))
      << View()->toPlainText().toStdString();
}

TEST_F(MainWindowTest, EnterInTheConversationViewDoesNotAnswer) {
  Start();
  test::Type(Input(), QStringLiteral("Bo"));
  View()->setFocus();
  QTest::keyClick(View(), Qt::Key_Return);
  QTest::keyClick(View(), Qt::Key_Enter);
  EXPECT_EQ(View()->toPlainText(), kWelcome);
  EXPECT_EQ(Input()->text(), QStringLiteral("Bo"));
}

TEST_F(MainWindowTest, NamesArePrintedWhenTheBoxIsTicked) {
  Start(false, true);
  Say(QStringLiteral("Åsa"));
  EXPECT_EQ(View()->toPlainText(),
            QStringLiteral("Testbot: Hej, jag är Testbot.\nÅsa: Åsa\n"
                           "Testbot: Trevligt att träffas.\n"));
}

TEST_F(MainWindowTest, ViewIsScrolledToItsEndAfterEachExchange) {
  Start();
  m_window->resize(kMinimumWidth, kMinimumHeight);
  for (int i = 0; i < 20; ++i) Say(QStringLiteral("rad %1").arg(i));
  QScrollBar* bar = View()->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(MainWindowTest, TabGoesThroughTheControlsInTemplateOrder) {
  Start();
  test::Type(Input(), QStringLiteral("x"));
  const char* order[] = {"answerButton", "autoDialog", "printNames", "view",
                         "inputLine"};
  for (const char* name : order) {
    SCOPED_TRACE(name);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(),
              QString::fromLatin1(name));
  }
}

TEST_F(MainWindowTest, AltVMovesTheFocusToTheInputLine) {
  Start();
  Child<QCheckBox>("printNames")->setFocus();
  QTest::keyClick(m_window.get(), Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), Input());
}

// ---- Menu commands and keys -----------------------------------------------

TEST_F(MainWindowTest, F2RestartsTheConversation) {
  Start();
  Say(QStringLiteral("Åsa"));
  QTest::keyClick(Input(), Qt::Key_F2);
  EXPECT_EQ(View()->toPlainText(), kWelcome);
  EXPECT_FALSE(m_window->Controller().GetEngine(0).HasUserName());
}

TEST_F(MainWindowTest, CtrlDShowsTheCheckersReportOnProfileOne) {
  Start();
  Say(QStringLiteral("Åsa"));
  QTest::keyClick(Input(), Qt::Key_D, Qt::ControlModifier);
  const QStringList lines = View()->toPlainText().split(u'\n');
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.front(), QStringLiteral("Profilnamn: ") + Path("bot1.ppf"));
  EXPECT_FALSE(View()->toPlainText().contains(QStringLiteral("> Åsa")));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowTest, CtrlSAsksForAPathAndTheTranscriptIsSavedThere) {
  Start();
  Say(QStringLiteral("Åsa"));
  m_desktop.dialogAnswers.push_back(Path("samtal.txt"));
  QTest::keyClick(Input(), Qt::Key_S, Qt::ControlModifier);

  ASSERT_EQ(m_desktop.requests.size(), 1u);
  const FileDialogRequest& request = m_desktop.requests.front();
  EXPECT_FALSE(request.bOpen);
  EXPECT_EQ(request.flags, kOverwritePrompt | kHideReadOnly);
  EXPECT_EQ(request.filter, "Textdokument|*.txt|Alla filer (*.*)|*.*||");
  EXPECT_EQ(request.defaultExtension, "txt");
  EXPECT_EQ(request.filterIndex, 1u);
  EXPECT_FALSE(request.initialPath.has_value());
  EXPECT_EQ(ReadBytes(Path("samtal.txt")),
            "Hej, jag \xC3\xA4r Testbot.\n> \xC3\x85sa\n"
            "Trevligt att tr\xC3\xA4"
            "ffas.\n");
  EXPECT_TRUE(m_desktop.messages.empty());
}

TEST_F(MainWindowTest, SavePathWindows1252CannotHoldIsRefusedWithAMessage) {
  Start();
  const QString path = Path(QStringLiteral("łódź.txt"));
  m_desktop.dialogAnswers.push_back(path);
  QTest::keyClick(Input(), Qt::Key_S, Qt::ControlModifier);

  ASSERT_EQ(m_desktop.messages.size(), 1u);
  EXPECT_EQ(m_desktop.messages.front(),
            QStringLiteral("Sökvägen\n") + path +
                QStringLiteral("\ninnehåller tecken som Pladdo inte kan "
                               "hantera. Välj ett annat filnamn."));
  EXPECT_TRUE(
      QDir(m_dir.path()).entryList({QStringLiteral("*.txt")}).isEmpty());
}

TEST_F(MainWindowTest, CancelledSaveWritesNothingAndSaysNothing) {
  Start();
  QTest::keyClick(Input(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(m_desktop.requests.size(), 1u);
  EXPECT_TRUE(m_desktop.messages.empty());
  EXPECT_TRUE(
      QDir(m_dir.path()).entryList({QStringLiteral("*.txt")}).isEmpty());
}

TEST_F(MainWindowTest, CtrlOOpensTheChooserOnProfileOne) {
  Start();
  QString shown;
  WhenModal<CProfileDlg>([&shown](CProfileDlg* chooser) {
    shown = chooser->findChild<QLineEdit*>(QStringLiteral("fileName"))->text();
    chooser->reject();
  });
  QTest::keyClick(Input(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(shown, Path("bot1.ppf"));
}

TEST_F(MainWindowTest, ChooserOkGivesTheWindowsEngineItsNewProfile) {
  Start();
  WriteBytes(Path("bot3.ppf"), "[NAME]\n!Trea\n[WELCOME]\n!Trea h\xE4r.\n");
  m_desktop.dialogAnswers.push_back(Path("bot3.ppf"));
  WhenModal<CProfileDlg>([](CProfileDlg* chooser) {
    QTest::mouseClick(
        chooser->findChild<QPushButton*>(QStringLiteral("browse")),
        Qt::LeftButton);
    QTest::mouseClick(chooser->findChild<QPushButton*>(QStringLiteral("ok")),
                      Qt::LeftButton);
  });
  QTest::keyClick(Input(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(m_window->Controller().GetEngine(0).GetProfilePath(),
            Path("bot3.ppf").toStdString());
  // The conversation stays until a restart brings the new welcome.
  EXPECT_EQ(View()->toPlainText(), kWelcome);
  // The offscreen platform does not hand the activation back by itself.
  m_window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  QTest::keyClick(Input(), Qt::Key_F2);
  EXPECT_EQ(View()->toPlainText(), QStringLiteral("Trea här.\n"));
}

TEST_F(MainWindowTest, F1HandsTheReadMeFileToTheDesktop) {
  Start();
  QTest::keyClick(Input(), Qt::Key_F1);
  ASSERT_EQ(m_desktop.openedUrls.size(), 1u);
  const QUrl url = m_desktop.openedUrls.front();
  EXPECT_TRUE(url.isLocalFile());
  EXPECT_EQ(QFileInfo(url.toLocalFile()).canonicalFilePath(),
            QFileInfo(QStringLiteral(PLADDO_BUILD_DIR "/readme.txt"))
                .canonicalFilePath());
  EXPECT_TRUE(m_desktop.messages.empty());
}

TEST_F(MainWindowTest, ReadMeTheDesktopCannotOpenIsReportedInSwedish) {
  Start();
  m_desktop.openUrlSucceeds = false;
  QTest::keyClick(Input(), Qt::Key_F1);
  ASSERT_EQ(m_desktop.messages.size(), 1u);
  EXPECT_EQ(m_desktop.messages.front(),
            QStringLiteral("Det gick inte att öppna ReadMe-filen."));
  EXPECT_EQ(m_desktop.messageKinds.front(), MessageKind::Warning);
}

TEST_F(MainWindowTest, OpeningAFileThatDoesNotExistFailsWithoutTheDesktop) {
  Start();
  EXPECT_FALSE(m_window->OpenFile(Path("saknas.txt").toStdString()));
  EXPECT_TRUE(m_desktop.openedUrls.empty());
}

TEST_F(MainWindowTest, AboutItemShowsTheAboutBox) {
  Start();
  QString title;
  WhenModal<CAboutDlg>([&title](CAboutDlg* about) {
    title = about->windowTitle();
    about->accept();
  });
  Child<QAction>("actionAbout")->trigger();
  EXPECT_EQ(title, QStringLiteral("Om Pladdo..."));
}

// ---- Ending the window -----------------------------------------------------

TEST_F(MainWindowTest, EscapeLeavesTheWindowOpen) {
  Start();
  QTest::keyClick(Input(), Qt::Key_Escape);
  QTest::keyClick(m_window.get(), Qt::Key_Escape);
  EXPECT_TRUE(m_window->isVisible());
}

TEST_F(MainWindowTest, CloseBoxEndsWithTwoAndExitWithOne) {
  struct Row {
    const char* what;
    std::function<void(CMainWindow&)> end;
    int result;
  };
  const Row rows[] = {
      {"close box", [](CMainWindow& w) { w.close(); }, 2},
      {"&Avsluta",
       [](CMainWindow& w) {
         w.findChild<QAction*>(QStringLiteral("actionExit"))->trigger();
       },
       1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    m_window = std::make_unique<CMainWindow>(m_desktop.Hooks());
    Start();
    row.end(*m_window);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_window->result(), row.result);
  }
}

// ---- Size ------------------------------------------------------------------

// Distances that must not change when the window is resized.
struct Anchors {
  int viewLeft, viewTop, viewRightGap;
  int promptBottomGap, inputBottomGap, answerBottomGap, checksBottomGap;
  int inputRightGap, answerRightGap, answerWidth;
  int viewBottomGap;
};

Anchors Measure(CMainWindow& window) {
  window.layout()->activate();
  const auto rect = [&window](const char* name) {
    return window.findChild<QWidget*>(QString::fromLatin1(name))->geometry();
  };
  const int w = window.width();
  const int h = window.height();
  return {rect("view").left(),
          rect("view").top(),
          w - rect("view").right(),
          h - rect("prompt").top(),
          h - rect("inputLine").top(),
          h - rect("answerButton").top(),
          h - rect("autoDialog").top(),
          w - rect("inputLine").right(),
          w - rect("answerButton").left(),
          rect("answerButton").width(),
          h - rect("view").bottom()};
}

void ExpectSameAnchors(const Anchors& a, const Anchors& b) {
  EXPECT_EQ(a.viewLeft, b.viewLeft);
  EXPECT_EQ(a.viewTop, b.viewTop);
  EXPECT_EQ(a.viewRightGap, b.viewRightGap);
  EXPECT_EQ(a.viewBottomGap, b.viewBottomGap);
  EXPECT_EQ(a.promptBottomGap, b.promptBottomGap);
  EXPECT_EQ(a.inputBottomGap, b.inputBottomGap);
  EXPECT_EQ(a.answerBottomGap, b.answerBottomGap);
  EXPECT_EQ(a.checksBottomGap, b.checksBottomGap);
  EXPECT_EQ(a.inputRightGap, b.inputRightGap);
  EXPECT_EQ(a.answerRightGap, b.answerRightGap);
  EXPECT_EQ(a.answerWidth, b.answerWidth);
}

TEST_F(MainWindowTest, ResizingGivesAllGrowthToTheViewAndKeepsTheEdges) {
  Start();
  const Anchors before = Measure(*m_window);
  const QSize start = m_window->size();
  const int viewHeight = View()->height();
  const int viewWidth = View()->width();
  const QSize sizes[] = {QSize(900, 700), QSize(1200, 420), QSize(500, 900),
                         start};
  for (const QSize& size : sizes) {
    SCOPED_TRACE(QStringLiteral("%1x%2")
                     .arg(size.width())
                     .arg(size.height())
                     .toStdString());
    m_window->resize(size);
    QApplication::processEvents();
    ASSERT_EQ(m_window->size(), size);
    ExpectSameAnchors(before, Measure(*m_window));
    EXPECT_EQ(View()->height() - viewHeight, size.height() - start.height());
    EXPECT_EQ(View()->width() - viewWidth, size.width() - start.width());
  }
}

TEST_F(MainWindowTest, ResizingStopsAtTheMinimumSize) {
  Start();
  const QSize sizes[] = {QSize(100, 100), QSize(309, 800), QSize(800, 299),
                         QSize(0, 0)};
  for (const QSize& size : sizes) {
    SCOPED_TRACE(QStringLiteral("%1x%2")
                     .arg(size.width())
                     .arg(size.height())
                     .toStdString());
    m_window->resize(size);
    QApplication::processEvents();
    EXPECT_GE(m_window->width(), kMinimumWidth);
    EXPECT_GE(m_window->height(), kMinimumHeight);
  }
}

// ---- The window's side of the controller's interface ----------------------

TEST_F(MainWindowTest, TranscriptLineEndsShowAsLineBreaksAndReadBackExactly) {
  struct Row {
    const char* what;
    std::string transcript;
    QString shown;
  };
  const Row rows[] = {
      {"empty", "", QString()},
      {"one line", "Hej\r\n", QStringLiteral("Hej\n")},
      {"two lines, Swedish letters", "> \xC5sa\r\n\xE4ngen \xF6\r\n",
       QStringLiteral("> Åsa\nängen ö\n")},
      {"a lone CR inside a line", "a\rb\r\n", QStringLiteral("a\nb\n")},
      {"no line end at the end", "slut", QStringLiteral("slut")},
  };
  Start();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ChatFields fields;
    fields.m_strTranscript = row.transcript;
    m_window->WriteControls(fields);
    EXPECT_EQ(View()->toPlainText(), row.shown);
    ChatFields read;
    m_window->ReadControls(read);
    EXPECT_EQ(read.m_strTranscript, row.transcript);
  }
}

TEST_F(MainWindowTest, ControlsConvertBetweenTheWidgetsAndWindows1252) {
  struct Row {
    const char* what;
    QString typed;
    std::string read;
  };
  const Row rows[] = {
      {"plain", QStringLiteral("hej"), "hej"},
      {"small letters", QStringLiteral("åäö"), "\xE5\xE4\xF6"},
      {"capitals", QStringLiteral("ÅÄÖ"), "\xC5\xC4\xD6"},
      {"euro sign", QStringLiteral("5 €"), "5 \x80"},
      {"outside Windows-1252", QStringLiteral("łx"), "\x1Ax"},
  };
  Start();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    Input()->clear();
    test::Type(Input(), row.typed);
    ChatFields fields;
    m_window->ReadControls(fields);
    EXPECT_EQ(fields.m_strInputLine, row.read);
    EXPECT_EQ(m_window->GetShownInputLine(), row.read);
  }
}

TEST_F(MainWindowTest, WritingTheControlsSetsBoxesAndPrompt) {
  Start();
  ChatFields fields;
  fields.m_strInputLine = "f\xF6rslag";
  fields.m_bAutoDialog = 1;
  fields.m_bPrintNames = 1;
  fields.m_strPrompt = "R\xF6st s&varar:";
  m_window->WriteControls(fields);
  EXPECT_EQ(Input()->text(), QStringLiteral("förslag"));
  EXPECT_TRUE(Child<QCheckBox>("autoDialog")->isChecked());
  EXPECT_TRUE(Child<QCheckBox>("printNames")->isChecked());
  EXPECT_EQ(Prompt()->text(), QStringLiteral("Röst s&varar:"));
}

TEST_F(MainWindowTest, BusyCursorShowsBetweenBeginAndEnd) {
  Start();
  m_window->BeginWaitCursor();
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  m_window->EndWaitCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace pladdo
