// The about box's links on the keyboard, and its colours on dark schemes.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/Version.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/Colours.h"
#include "ui/qt/Figure.h"
#include "ui/qt/HyperLink.h"

namespace pladdo {
namespace {

// The number of pixels of image in exactly the colour.
int CountPixels(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
    }
  }
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

// Light palettes, however tuned, keep the fixed colours; a dark one (light
// text on dark grey) gives its own link and text colours.
TEST(AboutColours, FixedOnALightPaletteThePalettesOwnOnADarkOne) {
  QPalette dark(QColor(53, 53, 53));
  dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
  dark.setColor(QPalette::Link, QColor(120, 180, 255));
  dark.setColor(QPalette::LinkVisited, QColor(200, 150, 255));
  QPalette tuned = QStyleFactory::create("Fusion")->standardPalette();
  tuned.setColor(QPalette::Link, QColor(0, 100, 0));
  const LinkColourSet fixed = {QColor(0, 0, 255), QColor(128, 0, 128),
                               QColor(255, 0, 0), QColor(0, 128, 128)};
  const QColor text = dark.color(QPalette::WindowText);
  // clang-format off
  const struct { const char* what; QPalette palette; LinkColourSet links; QColor figure; } rows[] = {
      {"Fusion's light palette", QStyleFactory::create("Fusion")->standardPalette(), fixed, Qt::black},
      {"a light palette with a link colour of its own", tuned, fixed, Qt::black},
      {"dark palette", dark, {dark.color(QPalette::Link), dark.color(QPalette::LinkVisited), text, text}, text},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(LinkColours(row.palette), row.links);
    EXPECT_EQ(FigureColour(row.palette), row.figure);
  }
}

}  // namespace
}  // namespace pladdo
