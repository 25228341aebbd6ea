// The about box on the keyboard and on a dark colour scheme: its links are
// Tab stops with a visible frame that Space and Enter follow, and its links
// and figure take the palette's colours where the fixed ones cannot be read.
#include <gtest/gtest.h>

#include <QImage>
#include <QStyle>
#include <QStyleFactory>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/Colours.h"
#include "ui/qt/Figure.h"
#include "ui/qt/HyperLink.h"

namespace pladdo {
namespace {

// A dark scheme as desktops ship them: light text on dark grey, a light blue
// link and a light purple visited link.
QPalette DarkPalette() {
  QPalette dark(QColor(53, 53, 53));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Link, QColor(120, 180, 255));
  dark.setColor(QPalette::LinkVisited, QColor(200, 150, 255));
  return dark;
}

// The number of pixels of image that have exactly the colour.
int CountPixels(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    }
  }
  return count;
}

class AboutDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_about = std::make_unique<CAboutDlg>(m_desktop.Hooks());
    m_about->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_about.get()));
  }
  void TearDown() override {
    QApplication::setPalette(QApplication::style()->standardPalette());
  }
  CHyperLink* Link(const char* name) {
    return m_about->findChild<CHyperLink*>(name);
  }

  test::FakeDesktop m_desktop;
  std::unique_ptr<CAboutDlg> m_about;
};

// The box opens on "OK"; Tab visits the three links in reading order, each
// framed in dotted text colour while it has the focus, and Space or Enter
// follows the focused link.
TEST_F(AboutDlgTest, TabReachesEveryLinkWhichShowsItsFrameAndOpens) {
  ASSERT_EQ(QApplication::focusWidget()->objectName(), "ok");
  const struct {
    const char* link;
    Qt::Key key;
    QUrl opened;
  } rows[] = {
      {"webLink", Qt::Key_Space, QUrl("https://pladdo.invalid/")},
      {"mailLink", Qt::Key_Return, QUrl("mailto:pladdo@pladdo.invalid")},
      {"readMeLink", Qt::Key_Space, QUrl()},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.link);
    CHyperLink* link = Link(row.link);
    const int framed = CountPixels(link->grab().toImage(), link->TextColour());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    // The focused text takes the focus colour; its frame adds a dotted line
    // on each side of it in that colour.
    const QImage focused = link->grab().toImage();
    const int frameDots = (link->width() + link->height()) / 2;
    EXPECT_GE(CountPixels(focused, link->TextColour()), framed + frameDots);
    if (row.opened.isEmpty()) continue;
    m_desktop.opened.clear();
    QTest::keyClick(link, row.key);
    EXPECT_EQ(m_desktop.opened, QList<QUrl>{row.opened});
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "ok");
}

// Light palettes, however they are tuned, keep the classic fixed colours;
// a dark one gives its own link colours and its text colour.
TEST(AboutColours, FixedOnALightPaletteThePalettesOwnOnADarkOne) {
  const QPalette dark = DarkPalette();
  QPalette tuned = QStyleFactory::create("Fusion")->standardPalette();
  tuned.setColor(QPalette::Link, QColor(0, 100, 0));
  const LinkColourSet fixed = {QColor(0, 0, 255), QColor(128, 0, 128),
                               QColor(255, 0, 0), QColor(0, 128, 128)};
  const QColor text = dark.color(QPalette::WindowText);
  const struct {
    const char* what;
    QPalette palette;
    LinkColourSet links;
    QColor figure;
  } rows[] = {
      {"Fusion's light palette",
       QStyleFactory::create("Fusion")->standardPalette(), fixed,
       QColor(Qt::black)},
      {"a light palette with a link colour of its own", tuned, fixed,
       QColor(Qt::black)},
      {"dark palette",
       dark,
       {dark.color(QPalette::Link), dark.color(QPalette::LinkVisited), text,
        text},
       text},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(LinkColours(row.palette), row.links);
    EXPECT_EQ(FigureColour(row.palette), row.figure);
  }
}

// Switching the scheme while the box is open repaints it in the new colours:
// the links and the turning figure, and back again.
TEST_F(AboutDlgTest, SchemeSwitchedWhileOpenRepaintsLinksAndFigure) {
  m_about->OnIconClicked();
  const FigureSquare square = FigureBackground();
  const QRect figure(square.left, square.top, square.side, square.side);
  const QPalette light = QApplication::palette();
  for (const QPalette& palette : {DarkPalette(), light}) {
    const bool dark = IsDarkPalette(palette);
    SCOPED_TRACE(dark ? "dark" : "light");
    QApplication::setPalette(palette);
    QApplication::processEvents();
    CHyperLink* web = Link("webLink");
    const QColor link = dark ? palette.color(QPalette::Link) : Qt::blue;
    EXPECT_EQ(web->TextColour(), link);
    EXPECT_GT(CountPixels(web->grab().toImage(), link), web->width() / 2);
    // Every line in the scheme's colour, none left in the other's.
    const QImage frame = m_about->grab(figure).toImage();
    const QPalette other = dark ? light : DarkPalette();
    EXPECT_GT(CountPixels(frame, FigureColour(palette)), 20);
    EXPECT_EQ(CountPixels(frame, FigureColour(other)), 0);
  }
}

}  // namespace
}  // namespace pladdo
