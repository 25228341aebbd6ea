// The main window, its chooser and about box driven by real key and mouse
// events; the about box's colours on dark schemes.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTextCursor>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/Version.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/Colours.h"
#include "ui/qt/Figure.h"
#include "ui/qt/HyperLink.h"
#include "ui/qt/MainWindow.h"
#include "ui/qt/ProfileDlg.h"

namespace pladdo {
namespace {

// Profile 1 has names out of Swedish order; profile 2 suggests "blomma".
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

// Lines are answered; Ctrl+D shows the report and keeps a half-typed line and
// the boxes; Ctrl+J (no standard key) shows the whole account, selectable;
// the dialogue leaves profile 2's suggestion selected for Enter.
TEST_F(MainWindowTest, TypedLinesAreAnsweredCheckedExplainedAndSuggested) {
  EXPECT_FALSE(Child("answerButton")->isEnabled());
  Send(QStringLiteral("Åsa Öberg"));
  test::Type(Child("inputLine"), QStringLiteral("En BLOMMA på ängen"));
  QTest::mouseClick(Child("answerButton"), Qt::LeftButton);
  EXPECT_EQ(View(),
            "Hej, jag är Testbot.\n"
            "> Åsa Öberg\nTrevligt att träffas.\n"
            "> En BLOMMA på ängen\nBlå blommor är fina.\n");
  EXPECT_EQ(Get("inputLine"), QString());
  test::Type(Child("inputLine"), QStringLiteral("halv rad"));
  QTest::mouseClick(Child("printNames"), Qt::LeftButton);
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_TRUE(View().startsWith("Profilnamn: ")) << View();
  EXPECT_EQ(Get("inputLine"), QStringLiteral("halv rad"));
  EXPECT_TRUE(Get("printNames", "checked") == "true");
  EXPECT_FALSE(Get("autoDialog", "checked") == "true");
  QTest::mouseClick(Child("printNames"), Qt::LeftButton);
  static_cast<QLineEdit*>(Child("inputLine"))->clear();

  const QKeySequence key =
      m_window->findChild<QAction*>("actionWhyAnswer")->shortcut();
  EXPECT_EQ(key, QKeySequence(Qt::CTRL | Qt::Key_J));
  for (int k = QKeySequence::HelpContents; k <= QKeySequence::Cancel; ++k)
    EXPECT_FALSE(
        QKeySequence::keyBindings(QKeySequence::StandardKey(k)).contains(key))
        << k;
  QString shown;
  Qt::TextInteractionFlags flags;
  test::WhenModal<QDialog>([&](QDialog* dialog) {
    auto* text = dialog->findChild<QPlainTextEdit*>("whyText");
    shown = text->toPlainText();
    flags = text->textInteractionFlags();
    dialog->reject();
  });
  Key(Qt::Key_J, Qt::ControlModifier);
  EXPECT_TRUE(shown.contains("Mönster: bot1.ppf:16 ?blomma")) << shown;
  EXPECT_EQ(flags, Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  QTest::mouseClick(Child("autoDialog"), Qt::LeftButton);
  Send(QStringLiteral("x"));
  EXPECT_EQ(Get("inputLine", "selectedText"), QStringLiteral("Se en blomma"));
  EXPECT_EQ(Get("prompt"), QStringLiteral("Åsa Öberg s&varar:"));
  Key(Qt::Key_Return);
  EXPECT_TRUE(View().endsWith("> Se en blomma\nBlå blommor är fina.\n"));
}

// Enter answers except in the view; Escape keeps the window open; Ctrl+Q and
// "&Avsluta" end it with 1, the close box with 2.
TEST_F(MainWindowTest, KeysAnswerAndEndAsInTheDialog) {
  const auto press = [this](const char* control, Qt::Key key,
                            Qt::KeyboardModifiers modifiers = {}) {
    FocusByKey(control);
    QTest::keyClick(Child(control), key, modifiers);
  };
  // clang-format off
  const struct { const char* what; std::function<void()> act; bool answers; int result; } rows[] = {
      {"Enter in the input line", [&] { press("inputLine", Qt::Key_Return); }, true, 0},
      {"Enter on a check box", [&] { press("autoDialog", Qt::Key_Enter); }, true, 0},
      {"Enter in the view", [&] { press("view", Qt::Key_Return); }, false, 0},
      {"Escape", [&] { press("inputLine", Qt::Key_Escape); }, false, 0},
      {"Ctrl+Q", [&] { press("view", Qt::Key_Q, Qt::ControlModifier); }, false, 1},
      {"&Avsluta", [this] { m_window->findChild<QAction*>("actionExit")->trigger(); }, false, 1},
      {"close box", [this] { m_window->close(); }, false, 2},
  };
  // clang-format on
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

// A long name is cut with "…" so that "svarar:" and Alt+V stay, at the first
// width and the smallest; a name's "&" is shown and steals no key.
TEST_F(MainWindowTest, PromptCutsALongNameAndKeepsItsKey) {
  const QString longName = QStringLiteral("Långnamn ").repeated(40).trimmed();
  // clang-format off
  const struct { const char* what; QString name; QString shown; } rows[] = {
      {"long name", longName, QString()},  // cut, ending in "… s&varar:"
      {"name with &", QStringLiteral("Tom & Jerry"), QStringLiteral("Tom && Jerry s&varar:")},
  };
  // clang-format on
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
      if (row.shown.isEmpty()) {
        EXPECT_TRUE(prompt->text().endsWith("… s&varar:")) << prompt->text();
        EXPECT_EQ(prompt->toolTip(), whole);
      } else {
        EXPECT_EQ(prompt->text(), row.shown);
      }
    }
    EXPECT_EQ(prompt->accessibleName(), whole);
    FocusByKey("view");
    QTest::keyClick(Child("view"), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), Child("inputLine"));
  }
}

// Screen readers get a Swedish name, description and role for each control.
TEST_F(MainWindowTest, ControlsAndLinksHaveSwedishNamesAndRoles) {
  CAboutDlg about(m_desktop.Hooks());
  const auto inAbout = [&](const char* name) {
    return about.findChild<QWidget*>(name);
  };
  // clang-format off
  const struct { QWidget* widget; QAccessible::Role role; const char* name; } rows[] = {
      {Child("view"), QAccessible::EditableText, "Samtalet"},
      {Child("inputLine"), QAccessible::EditableText, "Din replik"},
      {Child("autoDialog"), QAccessible::CheckBox, "Automatisk dialog"},
      {Child("printNames"), QAccessible::CheckBox, "Skriv ut namn"},
      {Child("answerButton"), QAccessible::Button, "Svara"},
      {inAbout("webLink"), QAccessible::Link, "https://pladdo.invalid/"},
      {inAbout("mailLink"), QAccessible::Link, "pladdo@pladdo.invalid"},
      {inAbout("readMeLink"), QAccessible::Link, "ReadMe-filen."},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    QAccessibleInterface* face =
        QAccessible::queryAccessibleInterface(row.widget);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), row.role);
    EXPECT_EQ(face->text(QAccessible::Name), QString::fromUtf8(row.name));
    EXPECT_FALSE(face->text(QAccessible::Description).isEmpty());
  }
  QAccessible::queryAccessibleInterface(inAbout("webLink"))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(m_desktop.opened, QList<QUrl>{QUrl("https://pladdo.invalid/")});
}

// The view follows the end it shows; scrolled up it keeps its place and the
// selection, even one reaching the end.
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
}

// Ctrl+O lists names in Swedish order; OK alone sets profile 2 and re-reads
// profile 1's language.
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

// The number of pixels of image in exactly the colour.
int CountPixels(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
  return count;
}

// Tab goes from "OK" through the links, each framed in dotted text colour
// while focused; Space or Enter follows it. The box shows the version; a
// click on the icon turns the figure in its place; a link follows a click
// that ends on it.
TEST(AboutDlgTest, ShowsTheVersionAndTabReachesEveryLinkWhichShowsItsFrame) {
  test::FakeDesktop desktop;
  CAboutDlg about(desktop.Hooks());
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
  ASSERT_EQ(QApplication::focusWidget()->objectName(), "ok");
  // clang-format off
  const struct { const char* link; Qt::Key key; QUrl opened; } rows[] = {
      {"webLink", Qt::Key_Space, QUrl("https://pladdo.invalid/")},
      {"mailLink", Qt::Key_Return, QUrl("mailto:pladdo@pladdo.invalid")},
      {"readMeLink", Qt::Key_Space, QUrl()},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.link);
    auto* link = about.findChild<CHyperLink*>(row.link);
    const int framed = CountPixels(link->grab().toImage(), link->TextColour());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    // The frame adds a dotted line on each side in the focus colour.
    const int frameDots = (link->width() + link->height()) / 2;
    EXPECT_GE(CountPixels(link->grab().toImage(), link->TextColour()),
              framed + frameDots);
    if (row.opened.isEmpty()) continue;
    desktop.opened.clear();
    QTest::keyClick(link, row.key);
    EXPECT_EQ(desktop.opened, QList<QUrl>{row.opened});
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "ok");
  EXPECT_EQ(about.findChild<QLabel*>("version")->text().toStdString(),
            "Pladdo " + std::string(GetProgramVersion()));
  QTest::mouseClick(about.findChild<QWidget*>("programIcon"), Qt::LeftButton);
  EXPECT_FALSE(about.findChild<QWidget*>("figureIcon")->isVisible());
  QWidget* web = about.findChild<QWidget*>("webLink");
  desktop.opened.clear();
  QTest::mousePress(web, Qt::LeftButton);
  QTest::mouseRelease(web, Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_TRUE(desktop.opened.empty());
  QTest::mouseClick(web, Qt::LeftButton);
  EXPECT_EQ(desktop.opened, QList<QUrl>{QUrl("https://pladdo.invalid/")});
}

// A light palette keeps the fixed colours; a dark one (light
// text on dark grey) gives its own link and text colours.
TEST(AboutColours, FixedOnALightPaletteThePalettesOwnOnADarkOne) {
  QPalette dark(QColor(53, 53, 53));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Link, QColor(120, 180, 255));
  dark.setColor(QPalette::LinkVisited, QColor(200, 150, 255));
  const LinkColourSet fixed = {QColor(0, 0, 255), QColor(128, 0, 128),
                               QColor(255, 0, 0), QColor(0, 128, 128)};
  const QPalette light = QStyleFactory::create("Fusion")->standardPalette();
  EXPECT_EQ(LinkColours(light), fixed);
  EXPECT_EQ(FigureColour(light), QColor(Qt::black));
  const QColor text = dark.color(QPalette::WindowText);
  EXPECT_EQ(LinkColours(dark),
            (LinkColourSet{dark.color(QPalette::Link),
                           dark.color(QPalette::LinkVisited), text, text}));
  EXPECT_EQ(FigureColour(dark), text);
}

}  // namespace
}  // namespace pladdo
