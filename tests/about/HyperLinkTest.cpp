// The hyperlink control: colours by state, error texts, where a target
// goes, browser fallback, and clicks, keys and focus on a real widget.
#include <gtest/gtest.h>

#include <QEnterEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <memory>

#include "about/HyperLink.h"
#include "tests/qt/QtTestUtil.h"

namespace pladdo {
namespace {

using test::FakeDesktop;

const QColor kLink(0, 0, 255);
const QColor kVisited(128, 0, 128);
const QColor kHover(255, 0, 0);
const QColor kFocus(0, 128, 128);

TEST(LinkColour, StateAndStylePickTheColour) {
  struct Row {
    const char* what;
    unsigned style;
    bool over, focus, visited;
    QColor expected;
  };
  const unsigned hover = kDefaultLinkStyle | LinkHoverColour;
  const unsigned noFocus = kDefaultLinkStyle | LinkNoFocusColour;
  const Row rows[] = {
      {"fresh link", kDefaultLinkStyle, false, false, false, kLink},
      {"visited", kDefaultLinkStyle, false, false, true, kVisited},
      {"focus beats visited", kDefaultLinkStyle, false, true, true, kFocus},
      {"mouse over without hover style", kDefaultLinkStyle, true, false, false,
       kLink},
      {"mouse over with hover style", hover, true, false, false, kHover},
      {"hover beats focus and visited", hover, true, true, true, kHover},
      {"focus colour switched off", noFocus, false, true, false, kLink},
      {"focus colour switched off, visited", noFocus, false, true, true,
       kVisited},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(LinkColour(row.style, row.over, row.focus, row.visited),
              row.expected);
  }
}

TEST(LinkErrorText, EveryCodeHasItsEnglishText) {
  struct Row {
    int code;
    QString text;
  };
  const Row rows[] = {
      {0,
       QStringLiteral("The operating system is out\nof memory or resources.")},
      {2, QStringLiteral("The specified file was not found.")},
      {3, QStringLiteral("The specified path was not found.")},
      {5, QStringLiteral(
              "The operating system denied\naccess to the specified file.")},
      {8, QStringLiteral(
              "There was not enough memory to complete the operation.")},
      {11, QStringLiteral("The .EXE file is invalid\n(non-Win32 .EXE or error "
                          "in .EXE image).")},
      {26, QStringLiteral("A sharing violation occurred. ")},
      {27,
       QStringLiteral("The filename association is\nincomplete or invalid.")},
      {28, QStringLiteral("The DDE transaction could not\nbe completed because "
                          "the request timed out.")},
      {29, QStringLiteral("The DDE transaction failed.")},
      {30, QStringLiteral("The DDE transaction could not\nbe completed because "
                          "other DDE transactions\nwere being processed.")},
      {31, QStringLiteral("There is no application associated\nwith the given "
                          "filename extension.")},
      {32, QStringLiteral("The specified dynamic-link library was not found.")},
      {1, QStringLiteral("Unknown Error (1) occurred.")},
      {99, QStringLiteral("Unknown Error (99) occurred.")},
      {-7, QStringLiteral("Unknown Error (-7) occurred.")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.code);
    EXPECT_EQ(LinkErrorText(row.code), row.text);
    EXPECT_EQ(LinkErrorMessage(row.code),
              QStringLiteral("Can't open link:\n\n") + row.text);
  }
}

TEST(LinkTargetToUrl, TargetsBecomeAddresses) {
  struct Row {
    const char* what;
    QString target;
    QUrl url;
  };
  const Row rows[] = {
      {"URL: prefix dropped", QStringLiteral("URL:https://pladdo.invalid/"),
       QUrl(QStringLiteral("https://pladdo.invalid/"))},
      {"prefix in any case", QStringLiteral("url:http://pladdo.invalid/a"),
       QUrl(QStringLiteral("http://pladdo.invalid/a"))},
      {"e-mail", QStringLiteral("mailto:pladdo@pladdo.invalid"),
       QUrl(QStringLiteral("mailto:pladdo@pladdo.invalid"))},
      {"absolute path with Swedish letters and a blank",
       QStringLiteral("/tmp/läs mig.txt"),
       QUrl::fromLocalFile(QStringLiteral("/tmp/läs mig.txt"))},
      {"address without scheme", QStringLiteral("pladdo.invalid"),
       QUrl(QStringLiteral("http://pladdo.invalid"))},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(LinkTargetToUrl(row.target), row.url);
  }
}

TEST(BrowserCommands, BrowserVariableFirstThenTheDesktopsOpeners) {
  const QString url = QStringLiteral("https://pladdo.invalid/");
  const QStringList xdg{QStringLiteral("xdg-open"), url};
  const QStringList www{QStringLiteral("x-www-browser"), url};
  struct Row {
    const char* what;
    QString variable;
    QList<QStringList> expected;
  };
  const Row rows[] = {
      {"unset", QString(), {xdg, www}},
      {"one program",
       QStringLiteral("firefox"),
       {{QStringLiteral("firefox"), url}, xdg, www}},
      {"%s placeholder and a second entry",
       QStringLiteral("firefox --new-tab %s:lynx"),
       {{QStringLiteral("firefox"), QStringLiteral("--new-tab"), url},
        {QStringLiteral("lynx"), url},
        xdg,
        www}},
      {"quoted program name",
       QStringLiteral("\"my browser\" -x"),
       {{QStringLiteral("my browser"), QStringLiteral("-x"), url}, xdg, www}},
      {"empty entries skipped",
       QStringLiteral("::w3m:"),
       {{QStringLiteral("w3m"), url}, xdg, www}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(BrowserCommands(row.variable, url), row.expected);
  }
}

TEST(FitRect, AlignmentDecidesWhichEdgesStay) {
  const QRect box(10, 20, 100, 30);
  const QSize text(40, 10);
  struct Row {
    const char* what;
    Qt::Alignment alignment;
    QRect expected;
  };
  const Row rows[] = {
      {"left, top", Qt::AlignLeft | Qt::AlignTop, QRect(10, 20, 40, 10)},
      {"right keeps the right edge", Qt::AlignRight | Qt::AlignTop,
       QRect(70, 20, 40, 10)},
      {"centred shrinks from both sides", Qt::AlignHCenter | Qt::AlignTop,
       QRect(40, 20, 40, 10)},
      {"vertically centred shrinks from top and bottom",
       Qt::AlignLeft | Qt::AlignVCenter, QRect(10, 30, 40, 10)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(FitRect(box, text, row.alignment), row.expected);
  }
}

// A link beside an input line (somewhere for the focus to go), shown.
class HyperLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_savedBrowser = qgetenv("BROWSER");
    qunsetenv("BROWSER");
    ASSERT_TRUE(m_dir.isValid());
  }
  void TearDown() override {
    m_host.reset();
    if (m_savedBrowser.isEmpty()) {
      qunsetenv("BROWSER");
    } else {
      qputenv("BROWSER", m_savedBrowser);
    }
  }

  CHyperLink* Make(const QString& text, const QString& target,
                   unsigned style = kDefaultLinkStyle) {
    m_host = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(m_host.get());
    auto* link = new CHyperLink(text, m_desktop.Hooks(), m_host.get());
    link->SetLinkStyle(style);
    if (!target.isEmpty()) link->SetLinkTarget(target);
    layout->addWidget(link);
    m_other = new QLineEdit(m_host.get());
    layout->addWidget(m_other);
    m_host->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_host.get()));
    return link;
  }

  static QColor Shown(const CHyperLink* link) {
    return link->palette().color(QPalette::WindowText);
  }

  QTemporaryDir m_dir;
  FakeDesktop m_desktop;
  std::unique_ptr<QWidget> m_host;
  QLineEdit* m_other = nullptr;
  QByteArray m_savedBrowser;
};

const QString kWeb = QStringLiteral("URL:https://pladdo.invalid/");

TEST_F(HyperLinkTest, ClickFollowsOnReleaseTakesTheFocusThenShowsVisited) {
  CHyperLink* link = Make(QStringLiteral("webben"), kWeb);
  EXPECT_EQ(Shown(link), kLink);
  QTest::mousePress(link, Qt::LeftButton);
  EXPECT_TRUE(m_desktop.openedUrls.empty());
  EXPECT_TRUE(link->hasFocus());
  QTest::mouseRelease(link, Qt::LeftButton);
  ASSERT_EQ(m_desktop.openedUrls.size(), 1u);
  EXPECT_EQ(m_desktop.openedUrls.front(),
            QUrl(QStringLiteral("https://pladdo.invalid/")));
  EXPECT_TRUE(link->IsVisited());
  EXPECT_EQ(Shown(link), kFocus);

  m_other->setFocus();
  EXPECT_FALSE(link->HasFocusState());
  EXPECT_EQ(Shown(link), kVisited);
  EXPECT_TRUE(m_desktop.messages.empty());
}

TEST_F(HyperLinkTest, FollowOnPressStyleOpensWhenTheButtonGoesDown) {
  CHyperLink* link = Make(QStringLiteral("webben"), kWeb,
                          kDefaultLinkStyle | LinkFollowOnPress);
  QTest::mousePress(link, Qt::LeftButton);
  EXPECT_EQ(m_desktop.openedUrls.size(), 1u);
  QTest::mouseRelease(link, Qt::LeftButton);
  EXPECT_EQ(m_desktop.openedUrls.size(), 1u);
}

TEST_F(HyperLinkTest, ReleaseOutsideTheLinkDoesNotFollowIt) {
  CHyperLink* link = Make(QStringLiteral("webben"), kWeb);
  QTest::mousePress(link, Qt::LeftButton);
  QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier,
                      QPoint(link->width() + 20, link->height() + 20));
  EXPECT_TRUE(m_desktop.openedUrls.empty());
  EXPECT_FALSE(link->IsVisited());
}

TEST_F(HyperLinkTest, SpaceBarFollowsTheLink) {
  CHyperLink* link = Make(QStringLiteral("webben"), kWeb);
  link->setFocus();
  QTest::keyClick(link, Qt::Key_Space);
  EXPECT_EQ(m_desktop.openedUrls.size(), 1u);
  EXPECT_TRUE(link->IsVisited());
}

TEST_F(HyperLinkTest, FailureTriesTheBrowsersThenReportsAndStaysUnvisited) {
  CHyperLink* link = Make(QStringLiteral("webben"), kWeb);
  m_desktop.openUrlSucceeds = false;
  link->FollowLink();
  const QString url = QStringLiteral("https://pladdo.invalid/");
  EXPECT_EQ(m_desktop.startedPrograms,
            (std::vector<QStringList>{{QStringLiteral("xdg-open"), url},
                                      {QStringLiteral("x-www-browser"), url}}));
  ASSERT_EQ(m_desktop.messages.size(), 1u);
  EXPECT_EQ(m_desktop.messages.front(),
            QStringLiteral("Can't open link:\n\nThere is no application "
                           "associated\nwith the given filename extension."));
  EXPECT_EQ(m_desktop.messageKinds.front(), MessageKind::Warning);
  EXPECT_FALSE(link->IsVisited());
  EXPECT_EQ(Shown(link), kLink);
}

TEST_F(HyperLinkTest, BrowserVariableOpensTheLinkWhenTheDesktopCannot) {
  qputenv("BROWSER", "min-webblasare --ny %s");
  CHyperLink* link = Make(QStringLiteral("webben"), kWeb);
  m_desktop.openUrlSucceeds = false;
  m_desktop.startSucceeds = true;
  link->FollowLink();
  EXPECT_EQ(m_desktop.startedPrograms,
            (std::vector<QStringList>{
                {QStringLiteral("min-webblasare"), QStringLiteral("--ny"),
                 QStringLiteral("https://pladdo.invalid/")}}));
  EXPECT_TRUE(m_desktop.messages.empty());
  EXPECT_TRUE(link->IsVisited());
}

TEST_F(HyperLinkTest, MissingLocalFilesAreReportedWithoutOpeningAnything) {
  struct Row {
    const char* what;
    QString target;
    QString text;
  };
  const Row rows[] = {
      {"file missing in an existing folder",
       m_dir.filePath(QStringLiteral("saknas.txt")),
       QStringLiteral("The specified file was not found.")},
      {"folder missing", m_dir.filePath(QStringLiteral("borta/saknas.txt")),
       QStringLiteral("The specified path was not found.")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    m_desktop = FakeDesktop();
    CHyperLink* link = Make(QStringLiteral("ReadMe-filen."), row.target);
    link->FollowLink();
    EXPECT_TRUE(m_desktop.openedUrls.empty());
    EXPECT_TRUE(m_desktop.startedPrograms.empty());
    ASSERT_EQ(m_desktop.messages.size(), 1u);
    EXPECT_EQ(m_desktop.messages.front(),
              QStringLiteral("Can't open link:\n\n") + row.text);
  }
}

TEST_F(HyperLinkTest, EmptyTextAndEmptyTargetFillEachOther) {
  CHyperLink* noText =
      Make(QString(), QStringLiteral("mailto:a@pladdo.invalid"));
  EXPECT_EQ(noText->text(), QStringLiteral("mailto:a@pladdo.invalid"));
  EXPECT_EQ(noText->toolTip(), QStringLiteral("mailto:a@pladdo.invalid"));

  CHyperLink* noTarget =
      Make(QStringLiteral("https://pladdo.invalid/"), QString());
  EXPECT_EQ(noTarget->GetLinkTarget(),
            QStringLiteral("https://pladdo.invalid/"));
  EXPECT_EQ(noTarget->toolTip(), QStringLiteral("https://pladdo.invalid/"));
}

TEST_F(HyperLinkTest, HoverColourShowsOnlyWithItsStyle) {
  struct Row {
    const char* what;
    unsigned style;
    QColor over;
  };
  const Row rows[] = {
      {"default style", kDefaultLinkStyle, kLink},
      {"hover style", kDefaultLinkStyle | LinkHoverColour, kHover},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CHyperLink* link = Make(QStringLiteral("webben"), kWeb, row.style);
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(link, &enter);
    EXPECT_TRUE(link->IsMouseOver());
    EXPECT_EQ(Shown(link), row.over);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_FALSE(link->IsMouseOver());
    EXPECT_EQ(Shown(link), kLink);
  }
}

TEST_F(HyperLinkTest, LooksLikeALinkUnlessTheStyleSaysOtherwise) {
  struct Row {
    const char* what;
    unsigned style;
    bool underline;
    Qt::CursorShape cursor;
  };
  const Row rows[] = {
      {"default", kDefaultLinkStyle, true, Qt::PointingHandCursor},
      {"no underline", kDefaultLinkStyle & ~LinkUnderline, false,
       Qt::PointingHandCursor},
      {"no hand cursor", kDefaultLinkStyle | LinkNoHandCursor, true,
       Qt::ArrowCursor},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CHyperLink* link = Make(QStringLiteral("webben"), kWeb, row.style);
    EXPECT_EQ(link->font().underline(), row.underline);
    EXPECT_EQ(link->cursor().shape(), row.cursor);
    EXPECT_EQ(link->toolTip(), kWeb);
  }
}

}  // namespace
}  // namespace pladdo
