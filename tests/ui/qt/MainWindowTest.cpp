// The window layer driven headless with real key and mouse events: the main
// window's exchange and view, its keys, prompt and focus, what screen readers
// are told, "Varför det svaret?", the profile chooser and the about box.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/Version.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/ProfileDlg.h"

namespace pladdo {
namespace {

// Profile 1 (UTF-8, as the shipped profiles are): its language, names out
// of Swedish order, a welcome, a first answer and a keyword. Profile 2:
// answers that suggest "blomma".
const std::string kBot1 =
    "[INFO]\nlanguage=svenska\n[NAME]\n!Örjan\n!Zeta\n!Zet\n!Ärla\n!åsa\n"
    "!Émile\n!alfa\n[WELCOME]\n!Hej, jag är Testbot.\n[START]\n"
    "!Trevligt att träffas.\n[SPEAK]\n?blomma\n!Blå blommor är fina.\n";

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_desktop = {};
    StartOptions options;
    options.strProfile1 = m_files.Write("bot1.ppf", kBot1);
    options.strProfile2 =
        m_files.Write("bot2.ppf", "[NOTFOUND]\n!Se en blomma\n");
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
    return Child(name)->property(property).toString();
  }
  QString View() { return Get("view", "plainText"); }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(Child("inputLine"), key, modifiers);
  }
  void Send(const QString& line) {
    test::Type(Child("inputLine"), line);
    Key(Qt::Key_Return);
  }
  // Focuses a control as the Tab key would.
  void FocusByKey(const char* name) {
    Child(name)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), Child(name));
  }

  test::TempDir m_files;
  test::FakeDesktop m_desktop;
  std::unique_ptr<CMainWindow> m_window;
};

// Typed lines are answered; "Varför det svaret?" (Ctrl+J, which is no
// standard key of the desktop) shows the whole account in a selectable text;
// the automatic dialogue leaves profile 2's suggestion selected, under a
// prompt with the name profile 2's bot goes by, and Enter sends it.
TEST_F(MainWindowTest, TypedLinesAreAnsweredExplainedAndSuggested) {
  EXPECT_FALSE(Child("answerButton")->isEnabled());
  Send(QStringLiteral("Åsa Öberg"));
  test::Type(Child("inputLine"), QStringLiteral("En BLOMMA på ängen"));
  QTest::mouseClick(Child("answerButton"), Qt::LeftButton);
  EXPECT_EQ(View(),
            "Hej, jag är Testbot.\n"
            "> Åsa Öberg\nTrevligt att träffas.\n"
            "> En BLOMMA på ängen\nBlå blommor är fina.\n");
  EXPECT_EQ(Get("inputLine"), QString());

  const QKeySequence key =
      m_window->findChild<QAction*>("actionWhyAnswer")->shortcut();
  EXPECT_EQ(key, QKeySequence(Qt::CTRL | Qt::Key_J));
  for (int k = QKeySequence::HelpContents; k <= QKeySequence::Cancel; ++k) {
    const auto standard = static_cast<QKeySequence::StandardKey>(k);
    EXPECT_FALSE(QKeySequence::keyBindings(standard).contains(key)) << k;
  }
  QString shown;
  Qt::TextInteractionFlags flags;
  test::WhenModal<QDialog>([&](QDialog* dialog) {
    auto* text = dialog->findChild<QPlainTextEdit*>("whyText");
    shown = text->toPlainText();
    flags = text->textInteractionFlags();
    dialog->reject();
  });
  Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(
      shown.startsWith("Senaste svaret (profil 1, bot1.ppf):\n"
                       "  Raden: «en blomma på ängen»"))
      << shown.toStdString();
  EXPECT_TRUE(shown.contains("  Mönster: bot1.ppf:16 ?blomma\n"))
      << shown.toStdString();
  EXPECT_EQ(flags, Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  QTest::mouseClick(Child("autoDialog"), Qt::LeftButton);
  Send(QStringLiteral("x"));
  EXPECT_EQ(Get("inputLine", "selectedText"), QStringLiteral("Se en blomma"));
  EXPECT_EQ(Get("prompt"), QStringLiteral("Åsa Öberg s&varar:"));
  Key(Qt::Key_Return);
  EXPECT_TRUE(View().endsWith("> Se en blomma\nBlå blommor är fina.\n"));
}

// Ctrl+D shows the checker's report but leaves a half-typed line and a box
// ticked since the last exchange as they are.
TEST_F(MainWindowTest, CheckerKeepsAHalfTypedLineAndTheBoxes) {
  Send(QStringLiteral("Anna"));
  test::Type(Child("inputLine"), QStringLiteral("halv rad"));
  QTest::mouseClick(Child("printNames"), Qt::LeftButton);
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(View().startsWith("Profilnamn: ")) << View().toStdString();
  EXPECT_EQ(Get("inputLine"), QStringLiteral("halv rad"));
  EXPECT_TRUE(Get("printNames", "checked") == "true");
  EXPECT_FALSE(Get("autoDialog", "checked") == "true");
}

// The keys of a dialog, in an ordinary window: Enter presses "Svara"
// wherever the focus is but in the conversation view, where it belongs to
// the view; Escape leaves the window open; "&Avsluta" and Ctrl+Q end it
// with 1, the close box with 2.
TEST_F(MainWindowTest, KeysAnswerAndEndAsInTheDialog) {
  const auto press = [this](const char* control, Qt::Key key,
                            Qt::KeyboardModifiers modifiers = {}) {
    FocusByKey(control);
    QTest::keyClick(Child(control), key, modifiers);
  };
  const struct {
    const char* what;
    std::function<void()> act;
    bool answers;
    int result;
  } rows[] = {
      // clang-format off
      {"Enter in the input line", [&] { press("inputLine", Qt::Key_Return); }, true, 0},
      {"Enter on the button", [&] { press("answerButton", Qt::Key_Return); }, true, 0},
      {"Enter on a check box", [&] { press("autoDialog", Qt::Key_Enter); }, true, 0},
      {"Enter in the view", [&] { press("view", Qt::Key_Return); }, false, 0},
      {"Escape", [&] { press("inputLine", Qt::Key_Escape); }, false, 0},
      {"Ctrl+Q", [&] { press("view", Qt::Key_Q, Qt::ControlModifier); }, false, 1},
      {"&Avsluta", [this] { m_window->findChild<QAction*>("actionExit")->trigger(); }, false, 1},
      {"close box", [this] { m_window->close(); }, false, 2},
      // clang-format on
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    test::Type(Child("inputLine"), QStringLiteral("Anna"));
    row.act();
    EXPECT_EQ(View().contains("> Anna\n"), row.answers);
    EXPECT_EQ(m_window->isVisible(), row.result == 0);
    EXPECT_EQ(m_window->Result(), row.result);
  }
}

// The focused view and answer button wear a ring in the highlight colour
// around them; other controls show their focus as the style draws it.
TEST_F(MainWindowTest, FocusedViewAndAnswerButtonAreRinged) {
  test::Type(Child("inputLine"), QStringLiteral("x"));
  const auto* ring = m_window->findChild<QFocusFrame*>("focusRing");
  for (const char* control : {"answerButton", "inputLine", "view"}) {
    SCOPED_TRACE(control);
    FocusByKey(control);
    QApplication::processEvents();
    const bool ringed = std::string_view(control) != "inputLine";
    EXPECT_EQ(ring->isVisible(), ringed);
    if (!ringed) continue;
    const QRect around = Child(control)->geometry();
    EXPECT_TRUE(ring->geometry().contains(around));
    EXPECT_GT(ring->width(), around.width());
  }
}

// A name too long for the label is cut with "…", so "svarar:" and its Alt
// letter stay in view, at the window's first width and once it is shrunk to
// its smallest; a name's own "&" is shown as written and steals no key. The
// whole prompt is the label's accessible name, and its tooltip when it was
// cut.
TEST_F(MainWindowTest, PromptCutsALongNameAndKeepsItsKey) {
  const QString longName = QStringLiteral("Långnamn ").repeated(40).trimmed();
  const struct {
    const char* what;
    QString name;
    QString shown;  // empty: cut, ending in "… s&varar:"
  } rows[] = {
      {"short name", QStringLiteral("Åsa Öberg"),
       QStringLiteral("Åsa Öberg s&varar:")},
      {"long name", longName, QString()},
      {"name with &", QStringLiteral("Tom & Jerry"),
       QStringLiteral("Tom && Jerry s&varar:")},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    SetUp();
    static_cast<QLineEdit*>(Child("inputLine"))->setText(row.name);
    Key(Qt::Key_Return);
    QTest::mouseClick(Child("autoDialog"), Qt::LeftButton);
    Send(QStringLiteral("x"));
    const auto* prompt = static_cast<QLabel*>(Child("prompt"));
    const QString whole = row.name + QStringLiteral(" svarar:");
    for (const int width : {m_window->width(), kMinimumWidth}) {
      SCOPED_TRACE(width);
      m_window->resize(width, m_window->height());
      QApplication::processEvents();
      ASSERT_EQ(m_window->width(), width);
      EXPECT_LE(prompt->geometry().right(), m_window->rect().right());
      if (row.shown.isEmpty()) {
        EXPECT_TRUE(prompt->text().endsWith(QStringLiteral("… s&varar:")))
            << prompt->text().toStdString();
        QString drawn = prompt->text();
        drawn.remove(u'&');
        EXPECT_LE(prompt->fontMetrics().horizontalAdvance(drawn),
                  prompt->contentsRect().width());
        EXPECT_EQ(prompt->toolTip(), whole);
      } else {
        EXPECT_EQ(prompt->text(), row.shown);
        EXPECT_EQ(prompt->toolTip(), QString());
      }
    }
    EXPECT_EQ(prompt->accessibleName(), whole);
    FocusByKey("view");
    QTest::keyClick(Child("view"), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Child("inputLine"));
  }
}

// Screen readers are told what each control is and does, in Swedish: the
// main window's controls, and the about box's links (announced as links)
// and pictures.
TEST_F(MainWindowTest, ControlsAndLinksHaveSwedishNamesAndRoles) {
  CAboutDlg about(m_desktop.Hooks());
  const auto inAbout = [&about](const char* name) {
    return about.findChild<QWidget*>(name);
  };
  const struct {
    QWidget* widget;
    QAccessible::Role role;
    const char* name;
  } rows[] = {
      {Child("view"), QAccessible::EditableText, "Samtalet"},
      {Child("inputLine"), QAccessible::EditableText, "Din replik"},
      {Child("autoDialog"), QAccessible::CheckBox, "Automatisk dialog"},
      {Child("printNames"), QAccessible::CheckBox, "Skriv ut namn"},
      {Child("answerButton"), QAccessible::Button, "Svara"},
      {inAbout("webLink"), QAccessible::Link, "https://pladdo.invalid/"},
      {inAbout("mailLink"), QAccessible::Link, "pladdo@pladdo.invalid"},
      {inAbout("readMeLink"), QAccessible::Link, "ReadMe-filen."},
      {inAbout("programIcon"), QAccessible::Graphic, "Pladdos ikon"},
      {inAbout("figureIcon"), QAccessible::Graphic, "Pladdos figur"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(row.widget);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), row.role);
    EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(row.name));
    if (row.role != QAccessible::Graphic) {
      EXPECT_FALSE(face->text(QAccessible::Description).isEmpty());
    }
  }
  // Pressing a link through its accessible action follows it.
  QAccessible::queryAccessibleInterface(inAbout("webLink"))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(m_desktop.opened, QList<QUrl>{QUrl("https://pladdo.invalid/")});
}

// The view follows each exchange while it shows its end; scrolled up to
// read, it keeps its place and the user's selection, even one that reaches
// the very end.
TEST_F(MainWindowTest,
       ViewFollowsTheEndOnlyWhenItShowedItAndKeepsTheSelection) {
  auto* view = static_cast<QPlainTextEdit*>(Child("view"));
  QScrollBar* bar = view->verticalScrollBar();
  Send(QStringLiteral("Anna"));
  for (int i = 0; i < 40; ++i) Send(QStringLiteral("rad %1").arg(i));
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());

  QTextCursor selection(view->document());
  selection.movePosition(QTextCursor::End);
  selection.movePosition(QTextCursor::PreviousCharacter,
                         QTextCursor::KeepAnchor, 3);
  view->setTextCursor(selection);
  bar->setValue(0);
  const QString selected = view->textCursor().selectedText();
  Send(QStringLiteral("sista"));
  EXPECT_EQ(view->textCursor().selectedText(), selected);
  EXPECT_EQ(bar->value(), 0);
  EXPECT_TRUE(View().contains("> sista\n"));
}

// Ctrl+O: the chooser lists profile 1's names in Swedish order; profile 2,
// browsed to profile 1's file, is set on OK only, and OK sets profile 1
// again too, so that its changed language file is read.
TEST_F(MainWindowTest, ChooserAppliesWhatWasChosenOnlyOnOk) {
  for (const bool ok : {true, false}) {
    SCOPED_TRACE(ok ? "OK" : "Avbryt");
    SetUp();
    QStringList names;
    test::WhenModal<CProfileDlg>([&](CProfileDlg* chooser) {
      const auto click = [chooser](const char* name) {
        QTest::mouseClick(chooser->findChild<QWidget*>(name), Qt::LeftButton);
      };
      const auto* list = chooser->findChild<QListWidget*>("names");
      for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
      click("profile2");
      m_desktop.answers << QString::fromStdString(m_files.File("bot1.ppf"));
      click("browse");
      m_files.Write("language.dat", "[svenska]\n\"c\" \"d\"\n");
      click(ok ? "ok" : "cancel");
    });
    Key(Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(names.join(u' '),
              QStringLiteral("alfa Émile Zet Zeta åsa Ärla Örjan"));
    EXPECT_EQ(m_window->Controller().GetEngine(1).GetProfilePath(),
              m_files.File(ok ? "bot1.ppf" : "bot2.ppf"));
    EXPECT_EQ(m_window->Controller().GetEngine(0).GetFromWords().at(0),
              ok ? "c" : "a");
  }
}

// The about box shows the program's version; its links follow a click that
// ends on them, or the space bar.
TEST_F(MainWindowTest, AboutBoxShowsTheVersionAndFollowsItsLinks) {
  test::WhenModal<CAboutDlg>([&](CAboutDlg* about) {
    EXPECT_EQ(about->findChild<QLabel*>("version")->text().toStdString(),
              "Pladdo " + std::string(GetProgramVersion()));
    QWidget* web = about->findChild<QWidget*>("webLink");
    QTest::mousePress(web, Qt::LeftButton);
    QTest::mouseRelease(web, Qt::LeftButton, {}, QPoint(-5, -5));
    EXPECT_TRUE(m_desktop.opened.empty());
    QTest::mouseClick(web, Qt::LeftButton);
    QTest::keyClick(web, Qt::Key_Space);
    about->accept();
  });
  m_window->findChild<QAction*>("actionAbout")->trigger();
  EXPECT_EQ(m_desktop.opened, QList<QUrl>(2, QUrl("https://pladdo.invalid/")));
}

}  // namespace
}  // namespace pladdo
