// The about box, its figure and its links: the figure's lines, the timer
// and angles, the drawing, link colours, errors and clicks, and F1.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/qt/AboutDlg.h"
#include "ui/qt/Figure.h"
#include "ui/qt/HyperLink.h"

namespace pladdo {
namespace {

const QString kUrl = QStringLiteral("https://pladdo.invalid/");
const QColor kLink(0, 0, 255), kVisited(128, 0, 128), kFocus(0, 128, 128);

TEST(Figure, UnturnedItIsAVAStemAndAnOpenBox) {
  const std::vector<FigureSegment> expected = {
      {{17, 55}, {27, 65}}, {{27, 65}, {37, 55}},  // the V: 0-3-1
      {{27, 65}, {27, 85}},                        // the stem: 3-8
      {{37, 85}, {17, 85}}, {{17, 85}, {17, 65}},  // the box: 9-7-2-4-6-5
      {{17, 65}, {37, 65}}, {{37, 65}, {37, 75}}, {{37, 75}, {17, 75}}};
  EXPECT_EQ(FigureSegments(FigurePoints(0, 0, 0)), expected);
}

TEST(AboutDlg, AfterNTicksTheAnglesAreNSteps) {
  for (const int n : {0, 1, 250}) {
    SCOPED_TRACE(n);
    CAboutDlg about(test::FakeDesktop().Hooks());
    for (int i = 0; i < n; ++i) about.OnTimer();
    EXPECT_NEAR(about.AngleA(), n * 0.003, 1e-9);
    EXPECT_NEAR(about.AngleB(), n * 0.15, 1e-9);
    EXPECT_NEAR(about.AngleC(), n * 0.007, 1e-9);
  }
}

// Hover (with its style) beats focus (unless its style forbids it), which
// beats visited, which beats the plain colour.
TEST(LinkColour, HoverThenFocusThenVisitedPickTheColour) {
  const unsigned plain = kDefaultLinkStyle;
  EXPECT_EQ(LinkColour(plain, false, false, false), kLink);
  EXPECT_EQ(LinkColour(plain, false, false, true), kVisited);
  EXPECT_EQ(LinkColour(plain, true, true, true), kFocus);
  EXPECT_EQ(LinkColour(plain | LinkHoverColour, true, true, true), Qt::red);
  EXPECT_EQ(LinkColour(plain | LinkNoFocusColour, false, true, true), kVisited);
}

// The codes a link raises have their English texts; others their number.
TEST(LinkErrorText, NamesTheCodesALinkRaisesAndNumbersOthers) {
  // clang-format off
  const std::pair<int, const char*> rows[] = {
      {kLinkFileNotFound, "The specified file was not found."},
      {kLinkPathNotFound, "The specified path was not found."},
      {kLinkNoAssociation, "There is no application associated\nwith the given filename extension."},
      {-7, "Unknown Error (-7) occurred."}};
  // clang-format on
  for (const auto& [code, text] : rows) EXPECT_EQ(LinkErrorText(code), text);
  EXPECT_EQ(LinkErrorMessage(3),
            "Can't open link:\n\nThe specified path was not found.");
}

class AboutDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qunsetenv("BROWSER");
    m_about.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_about));
  }
  QWidget* Child(const char* name) { return m_about.findChild<QWidget*>(name); }
  CHyperLink* Link(const char* name) {
    return static_cast<CHyperLink*>(Child(name));
  }

  test::FakeDesktop m_desktop;
  CAboutDlg m_about{m_desktop.Hooks()};
};

TEST_F(AboutDlgTest, ShowsTheVersionThatTheCommandLineShows) {
  // --version prints the same number (tests/e2e).
  EXPECT_EQ(static_cast<QLabel*>(Child("version"))->text(), "Pladdo 2.01");
}

TEST_F(AboutDlgTest, IconClicksStartOneTimerThatTurnsAndDrawsTheFigure) {
  // The figure is drawn centred on the second icon.
  EXPECT_EQ(Child("figureIcon")->geometry(), QRect(11, 54, 32, 32));
  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(Child("programIcon"), Qt::LeftButton);
  QTest::mouseClick(Child("programIcon"), Qt::LeftButton);
  EXPECT_EQ(m_about.Timer().interval(), 40);
  EXPECT_FALSE(Child("figureIcon")->isVisible());
  QTest::qWait(400);
  // One timer makes at most one tick per 40 ms (a little slack for a timer
  // that fires early); two timers, or doubled steps, about twice as many.
  const double ticks = m_about.AngleB() / 0.15;
  EXPECT_GE(ticks, 1.0);
  EXPECT_LE(ticks, static_cast<double>(clock.elapsed()) / 38.0 + 1.0);
  // Point 3 lies on three of the lines; the wiped square's corner on none.
  const QImage image = m_about.grab().toImage();
  const auto points =
      FigurePoints(m_about.AngleA(), m_about.AngleB(), m_about.AngleC());
  EXPECT_EQ(QColor(image.pixel(points[3].x, points[3].y)), QColor(Qt::black));
  EXPECT_EQ(QColor(image.pixel(8, 51)),
            m_about.palette().color(QPalette::Window));
}

TEST_F(AboutDlgTest, LinksFollowOnAClickInsideOrOnSpaceAndF1OpensTheReadMe) {
  CHyperLink* web = Link("webLink");
  const auto colour = [web] { return web->palette().windowText().color(); };
  EXPECT_EQ(web->toolTip(), "URL:" + kUrl);
  EXPECT_EQ(colour(), kLink);
  QTest::mousePress(web, Qt::LeftButton);
  EXPECT_EQ(colour(), kFocus);
  QTest::mouseRelease(web, Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_TRUE(m_desktop.opened.empty());
  QTest::mouseClick(web, Qt::LeftButton);
  QTest::keyClick(web, Qt::Key_Space);
  EXPECT_EQ(m_desktop.opened, QList<QUrl>(2, QUrl(kUrl)));
  Child("ok")->setFocus();
  EXPECT_EQ(colour(), kVisited);
  // F1 opens the ReadMe file, and a failure shows nothing.
  m_desktop.openOk = false;
  QTest::keyClick(&m_about, Qt::Key_F1);
  EXPECT_EQ(m_desktop.opened.size(), 3);
  EXPECT_EQ(QFileInfo(m_desktop.opened[2].toLocalFile()).canonicalFilePath(),
            QFileInfo(PLADDO_BUILD_DIR "/readme.txt").canonicalFilePath());
  EXPECT_TRUE(m_desktop.messages.empty());
}

TEST_F(AboutDlgTest, LinkFailuresTryTheBrowsersThenReportWhatFailed) {
  test::TempFiles files;
  m_desktop.openOk = false;
  const std::pair<QString, int> rows[] = {
      {"URL:" + kUrl, kLinkNoAssociation},
      {files.Path("saknas.txt"), kLinkFileNotFound},
      {files.Path("borta/saknas.txt"), kLinkPathNotFound}};
  for (const auto& [target, error] : rows) {
    SCOPED_TRACE(target.toStdString());
    m_desktop.started.clear();
    m_desktop.messages.clear();
    Link("readMeLink")->SetLinkTarget(target);
    Link("readMeLink")->FollowLink();
    // Only an address goes on to the browsers; a missing file is told so.
    EXPECT_EQ(m_desktop.started.size(), error == kLinkNoAssociation ? 2 : 0);
    EXPECT_EQ(m_desktop.messages, QStringList{LinkErrorMessage(error)});
    EXPECT_FALSE(Link("readMeLink")->IsVisited());
  }
}

}  // namespace
}  // namespace pladdo
