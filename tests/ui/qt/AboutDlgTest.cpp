// The about box: the version it shows, and a link that follows a click ending
// on it or the space bar and then shows it was visited.
#include <gtest/gtest.h>

#include <QLabel>

#include "tests/ui/qt/QtTestUtil.h"
#include "ui/Version.h"
#include "ui/qt/AboutDlg.h"

namespace pladdo {
namespace {

TEST(AboutDlgTest, ShowsTheVersionAndLinksFollowAClickThatEndsOnThem) {
  qunsetenv("BROWSER");
  test::FakeDesktop desktop;
  CAboutDlg about(desktop.Hooks());
  about.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
  EXPECT_EQ(about.findChild<QLabel*>("version")->text().toStdString(),
            "Pladdo " + std::string(GetProgramVersion()));
  QWidget* web = about.findChild<QWidget*>("webLink");
  QTest::mousePress(web, Qt::LeftButton);
  QTest::mouseRelease(web, Qt::LeftButton, {}, QPoint(-5, -5));
  EXPECT_TRUE(desktop.opened.empty());
  QTest::mouseClick(web, Qt::LeftButton);
  QTest::keyClick(web, Qt::Key_Space);
  EXPECT_EQ(desktop.opened, QList<QUrl>(2, QUrl("https://pladdo.invalid/")));
  about.findChild<QWidget*>("ok")->setFocus();
  EXPECT_EQ(web->palette().windowText().color(), QColor(128, 0, 128));
}

}  // namespace
}  // namespace pladdo
