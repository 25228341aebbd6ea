// The profile chooser: what it shows for each profile, the radio buttons,
// browsing, OK and Cancel, and the Swedish order of the name list.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "profile/ProfileDlg.h"
#include "tests/qt/QtTestUtil.h"

namespace pladdo {
namespace {

using test::FakeDesktop;
using test::WriteBytes;

TEST(SwedishNameLess, OrdersNamesAsASwedishDictionary) {
  struct Row {
    const char* what;
    std::string first;
    std::string second;
  };
  const Row rows[] = {
      {"plain letters", "Alfa", "Zeta"},
      {"case ignored", "alfa", "Zeta"},
      {"case ignored, capital second", "bertil", "Cesar"},
      {"Z before \xC5", "Zorro", "\xC5sa"},
      {"\xC5 before \xC4", "\xE5sa", "\xC4rla"},
      {"\xC4 before \xD6", "\xC4rla", "\xF6rjan"},
      {"prefix first", "Bo", "Bosse"},
      {"same letters, capital first", "Eva", "eva"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_TRUE(SwedishNameLess(row.first, row.second));
    EXPECT_FALSE(SwedishNameLess(row.second, row.first));
  }
}

const std::string kFirst =
    "[INFO]\n"
    "name=F\xF6rsta\n"
    "version=1.2\n"
    "creator=Anna\n"
    "info=Den f\xF6rsta boten.\n"
    "language=svenska\n"
    "[NAME]\n"
    "!Zeta\n"
    "!Alfa\n"
    "!\xD6rjan\n";

// No creator and a single name.
const std::string kSecond =
    "[INFO]\n"
    "name=Andra\n"
    "version=2\n"
    "info=Den andra.\n"
    "language=svenska\n"
    "[NAME]\n"
    "!Bertil\n";

// Neither an [INFO] nor a NAME block.
const std::string kBare = "[WELCOME]\n!Hej.\n";

const std::string kLanguageOne = "[svenska]\n\"jag\" \"du\"\n";
const std::string kLanguageTwo = "[svenska]\n\"mig\" \"dig\"\n";

class ProfileDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    WriteBytes(Path("forsta.ppf"), kFirst);
    WriteBytes(Path("andra.ppf"), kSecond);
    WriteBytes(Path("bar.ppf"), kBare);
    WriteBytes(Path("language.dat"), kLanguageOne);
    for (CChatEngine* engine : {&m_engine1, &m_engine2}) {
      engine->SetLanguageFile(Path("language.dat"));
    }
    m_engine1.SetProfile(Path("forsta.ppf"));
    m_engine2.SetProfile(Path("andra.ppf"));
  }

  std::string Path(const char* name) const {
    return m_dir.filePath(QString::fromLatin1(name)).toStdString();
  }

  // A chooser set up the way the main window sets it up, shown.
  std::unique_ptr<CProfileDlg> Open() {
    auto chooser = std::make_unique<CProfileDlg>(m_desktop.Hooks());
    chooser->m_aEngine[0].SetProfile(m_engine1.GetProfilePath());
    chooser->m_aEngine[1].SetProfile(m_engine2.GetProfilePath());
    chooser->m_pEngine1 = &m_engine1;
    chooser->m_pEngine2 = &m_engine2;
    chooser->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
    return chooser;
  }

  template <typename T>
  static T* Child(CProfileDlg& chooser, const char* name) {
    T* child = chooser.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  // Everything the chooser shows, one line per control, names last.
  static QStringList Shown(CProfileDlg& chooser) {
    QStringList shown{
        Child<QLineEdit>(chooser, "fileName")->text(),
        Child<QPlainTextEdit>(chooser, "info")->toPlainText(),
        Child<QLabel>(chooser, "nameLine")->text(),
        Child<QLabel>(chooser, "versionLine")->text(),
        Child<QLabel>(chooser, "creatorLine")->text(),
        Child<QLabel>(chooser, "languageLine")->text(),
    };
    auto* names = Child<QListWidget>(chooser, "names");
    for (int i = 0; i < names->count(); ++i) shown << names->item(i)->text();
    return shown;
  }

  void Click(CProfileDlg& chooser, const char* name) {
    QTest::mouseClick(Child<QAbstractButton>(chooser, name), Qt::LeftButton);
  }

  QTemporaryDir m_dir;
  FakeDesktop m_desktop;
  CChatEngine m_engine1;
  CChatEngine m_engine2;
};

QStringList FirstShown(const QString& path) {
  return {path,
          QStringLiteral("Den första boten."),
          QStringLiteral("Namn: Första"),
          QStringLiteral("Version: 1.2"),
          QStringLiteral("Skapare: Anna"),
          QStringLiteral("Språk: svenska"),
          QStringLiteral("Alfa"),
          QStringLiteral("Zeta"),
          QStringLiteral("Örjan")};
}

QStringList SecondShown(const QString& path) {
  return {path,
          QStringLiteral("Den andra."),
          QStringLiteral("Namn: Andra"),
          QStringLiteral("Version: 2"),
          QStringLiteral("Skapare:  "),
          QStringLiteral("Språk: svenska"),
          QStringLiteral("Bertil")};
}

TEST_F(ProfileDlgTest, OpensOnProfileOneWithItsInformationAndSortedNames) {
  auto chooser = Open();
  EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Välj profil..."));
  EXPECT_EQ(chooser->m_nProfile, 0);
  EXPECT_TRUE(Child<QRadioButton>(*chooser, "profile1")->isChecked());
  EXPECT_EQ(Shown(*chooser),
            FirstShown(QString::fromStdString(Path("forsta.ppf"))));
}

TEST_F(ProfileDlgTest, RadioButtonsSwitchBetweenTheTwoProfiles) {
  auto chooser = Open();
  Click(*chooser, "profile2");
  EXPECT_EQ(chooser->m_nProfile, 1);
  EXPECT_EQ(Shown(*chooser),
            SecondShown(QString::fromStdString(Path("andra.ppf"))));
  Click(*chooser, "profile1");
  EXPECT_EQ(chooser->m_nProfile, 0);
  EXPECT_EQ(Shown(*chooser),
            FirstShown(QString::fromStdString(Path("forsta.ppf"))));
  EXPECT_EQ(m_engine1.GetProfilePath(), Path("forsta.ppf"));
  EXPECT_EQ(m_engine2.GetProfilePath(), Path("andra.ppf"));
}

TEST_F(ProfileDlgTest, ProfileWithoutInfoOrNamesShowsBlanks) {
  struct Row {
    const char* what;
    const char* file;
  };
  const Row rows[] = {{"no [INFO], no NAME", "bar.ppf"},
                      {"cannot be opened", "saknas.ppf"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    m_engine1.SetProfile(Path(row.file));
    auto chooser = Open();
    const QString path = QString::fromStdString(Path(row.file));
    EXPECT_EQ(
        Shown(*chooser),
        (QStringList{path, QStringLiteral(" "), QStringLiteral("Namn:  "),
                     QStringLiteral("Version:  "), QStringLiteral("Skapare:  "),
                     QStringLiteral("Språk:  ")}));
  }
}

TEST_F(ProfileDlgTest, BrowseAsksForAnExistingProfileStartingAtTheShownFile) {
  auto chooser = Open();
  Click(*chooser, "browse");
  ASSERT_EQ(m_desktop.requests.size(), 1u);
  const FileDialogRequest& request = m_desktop.requests.front();
  EXPECT_TRUE(request.bOpen);
  EXPECT_EQ(request.flags, kFileMustExist | kHideReadOnly);
  EXPECT_EQ(request.initialPath, Path("forsta.ppf"));
  EXPECT_EQ(request.initialFile, Path("forsta.ppf"));
  EXPECT_EQ(request.filter,
            "Pladdo-profil (*.ppf)|*.ppf|Alla filer (*.*)|*.*||");
  EXPECT_FALSE(request.defaultExtension.has_value());
  EXPECT_EQ(request.filterIndex, 1u);
  // The dialog was cancelled: nothing changed.
  EXPECT_EQ(Shown(*chooser),
            FirstShown(QString::fromStdString(Path("forsta.ppf"))));
}

TEST_F(ProfileDlgTest, BrowseThenCancelLeavesTheWindowsEngineAlone) {
  auto chooser = Open();
  Click(*chooser, "profile2");
  m_desktop.dialogAnswers.push_back(QString::fromStdString(Path("forsta.ppf")));
  Click(*chooser, "browse");
  EXPECT_EQ(Shown(*chooser),
            FirstShown(QString::fromStdString(Path("forsta.ppf"))));
  Click(*chooser, "cancel");
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(m_engine1.GetProfilePath(), Path("forsta.ppf"));
  EXPECT_EQ(m_engine2.GetProfilePath(), Path("andra.ppf"));
}

TEST_F(ProfileDlgTest, BrowsingForBothThenOkAppliesBothPaths) {
  auto chooser = Open();
  Click(*chooser, "profile2");
  m_desktop.dialogAnswers.push_back(QString::fromStdString(Path("bar.ppf")));
  Click(*chooser, "browse");
  Click(*chooser, "profile1");
  m_desktop.dialogAnswers.push_back(QString::fromStdString(Path("andra.ppf")));
  Click(*chooser, "browse");
  EXPECT_EQ(Shown(*chooser),
            SecondShown(QString::fromStdString(Path("andra.ppf"))));
  Click(*chooser, "ok");
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(m_engine1.GetProfilePath(), Path("andra.ppf"));
  EXPECT_EQ(m_engine2.GetProfilePath(), Path("bar.ppf"));
}

TEST_F(ProfileDlgTest, OkWithoutChangesStillReloadsBothLanguageTables) {
  auto chooser = Open();
  // The tables are read when a profile is set, so a changed language file
  // shows only if OK sets both profiles again.
  WriteBytes(QString::fromStdString(Path("language.dat")), kLanguageTwo);
  Click(*chooser, "ok");
  for (CChatEngine* engine : {&m_engine1, &m_engine2}) {
    EXPECT_EQ(engine->GetFromWords(), (std::vector<std::string>{"mig", "dig"}));
  }
}

}  // namespace
}  // namespace pladdo
