// The about box: texts and link targets, the figure's timer and angles, the
// drawing, and F1.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <memory>

#include "about/AboutDlg.h"
#include "about/Figure.h"
#include "about/HyperLink.h"
#include "tests/qt/QtTestUtil.h"

namespace pladdo {
namespace {

using test::FakeDesktop;

class AboutDlgTest : public ::testing::Test {
 protected:
  std::unique_ptr<CAboutDlg> Open() {
    auto about = std::make_unique<CAboutDlg>(m_desktop.Hooks());
    about->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(about.get()));
    return about;
  }

  template <typename T>
  static T* Child(CAboutDlg& about, const char* name) {
    T* child = about.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  FakeDesktop m_desktop;
};

QString Canonical(const QString& path) {
  return QFileInfo(path).canonicalFilePath();
}

TEST_F(AboutDlgTest, ShowsNameCreditAndThreeLinks) {
  auto about = Open();
  EXPECT_EQ(about->windowTitle(), QStringLiteral("Om Pladdo..."));
  QStringList texts;
  for (const QLabel* label : about->findChildren<QLabel*>()) {
    if (!label->text().isEmpty()) texts << label->text();
  }
  for (const QString& expected :
       {QStringLiteral("Pladdo 2.01"),
        QStringLiteral("Skapad av Pladdo-gruppen"),
        QStringLiteral("För mer information (hjälp och liknande) läs i "),
        QStringLiteral("ReadMe-filen."),
        QStringLiteral("https://pladdo.invalid/"),
        QStringLiteral("pladdo@pladdo.invalid")}) {
    SCOPED_TRACE(expected.toStdString());
    EXPECT_TRUE(texts.contains(expected));
  }
  EXPECT_EQ(Child<CHyperLink>(*about, "webLink")->GetLinkTarget(),
            QStringLiteral("URL:https://pladdo.invalid/"));
  EXPECT_EQ(Child<CHyperLink>(*about, "mailLink")->GetLinkTarget(),
            QStringLiteral("mailto:pladdo@pladdo.invalid"));
  EXPECT_EQ(Canonical(Child<CHyperLink>(*about, "readMeLink")->GetLinkTarget()),
            Canonical(QStringLiteral(PLADDO_BUILD_DIR "/readme.txt")));
}

TEST_F(AboutDlgTest, BothIconsAreLoadedFromTheResources) {
  auto about = Open();
  for (const char* name : {"programIcon", "figureIcon"}) {
    SCOPED_TRACE(name);
    const QPixmap pixmap = Child<QLabel>(*about, name)->pixmap();
    EXPECT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), QSize(32, 32));
  }
  // The figure is drawn centred on the second icon.
  EXPECT_EQ(Child<QLabel>(*about, "figureIcon")->geometry().center(),
            QPoint(kFigureCentreX, kFigureCentreY) - QPoint(1, 1));
}

TEST_F(AboutDlgTest, SentenceEndsWhereTheReadMeLinkBegins) {
  auto about = Open();
  const QLabel* sentence = nullptr;
  for (const QLabel* label : about->findChildren<QLabel*>()) {
    if (label->text().startsWith(QStringLiteral("För mer"))) sentence = label;
  }
  ASSERT_NE(sentence, nullptr);
  EXPECT_EQ(sentence->geometry().right() + 1,
            Child<CHyperLink>(*about, "readMeLink")->geometry().left());
}

TEST_F(AboutDlgTest, AfterNTicksTheAnglesAreNSteps) {
  for (const int n : {0, 1, 2, 10, 250}) {
    SCOPED_TRACE(n);
    CAboutDlg about(m_desktop.Hooks());
    for (int i = 0; i < n; ++i) about.OnTimer();
    EXPECT_NEAR(about.AngleA(), n * 0.003, 1e-9);
    EXPECT_NEAR(about.AngleB(), n * 0.15, 1e-9);
    EXPECT_NEAR(about.AngleC(), n * 0.007, 1e-9);
  }
}

TEST_F(AboutDlgTest, ClickOnTheIconStartsTheFortyMillisecondTimer) {
  auto about = Open();
  EXPECT_FALSE(about->Timer().isActive());
  EXPECT_TRUE(Child<QLabel>(*about, "figureIcon")->isVisible());
  QTest::mouseClick(Child<QLabel>(*about, "programIcon"), Qt::LeftButton);
  EXPECT_TRUE(about->Timer().isActive());
  EXPECT_EQ(about->Timer().interval(), 40);
  // The figure now stands in the second icon's place.
  EXPECT_FALSE(Child<QLabel>(*about, "figureIcon")->isVisible());
  // Real ticks turn the figure.
  QTRY_VERIFY_WITH_TIMEOUT(about->AngleB() > 0, 5000);
}

TEST_F(AboutDlgTest, SecondClickDoesNotSpeedTheAnimationUp) {
  auto about = Open();
  QLabel* icon = Child<QLabel>(*about, "programIcon");
  QElapsedTimer clock;
  clock.start();
  QTest::mouseClick(icon, Qt::LeftButton);
  QTest::mouseClick(icon, Qt::LeftButton);
  QTest::qWait(400);
  const double ticks = about->AngleB() / 0.15;
  // One timer makes at most one tick per 40 ms (a little slack for a timer
  // that fires early); two timers would make about twice as many.
  EXPECT_LE(ticks, static_cast<double>(clock.elapsed()) / 38.0 + 1.0);
  EXPECT_GE(ticks, 1.0);
}

TEST_F(AboutDlgTest, PaintDrawsTheFigureInBlackOnTheWipedSquare) {
  struct Row {
    const char* what;
    int ticks;
  };
  const Row rows[] = {
      {"unturned", 0}, {"after 7 ticks", 7}, {"after 40 ticks", 40}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    auto about = Open();
    QTest::mouseClick(Child<QLabel>(*about, "programIcon"), Qt::LeftButton);
    for (int i = 0; i < row.ticks; ++i) about->OnTimer();
    const QImage image = about->grab().toImage();
    const auto points =
        FigurePoints(about->AngleA(), about->AngleB(), about->AngleC());
    // Point 3 lies on three of the lines; the square's corner on none.
    EXPECT_EQ(QColor(image.pixel(points[3].x, points[3].y)), QColor(Qt::black));
    const FigureSquare square = FigureBackground();
    EXPECT_EQ(QColor(image.pixel(square.left, square.top)),
              about->palette().color(QPalette::Window));
  }
}

TEST_F(AboutDlgTest, F1OpensTheReadMeAndAFailureShowsNothing) {
  for (const bool opens : {true, false}) {
    SCOPED_TRACE(opens ? "opens" : "fails");
    m_desktop = FakeDesktop();
    m_desktop.openUrlSucceeds = opens;
    auto about = Open();
    QTest::keyClick(about.get(), Qt::Key_F1);
    ASSERT_EQ(m_desktop.openedUrls.size(), 1u);
    EXPECT_EQ(Canonical(m_desktop.openedUrls.front().toLocalFile()),
              Canonical(QStringLiteral(PLADDO_BUILD_DIR "/readme.txt")));
    EXPECT_TRUE(m_desktop.messages.empty());
    EXPECT_TRUE(about->isVisible());
  }
}

}  // namespace
}  // namespace pladdo
