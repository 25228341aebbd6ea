// The conversation controller driven through a fake window: exchanges, the
// automatic dialogue, restart, the checker report, profiles, saving.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "ui/ChatDlg.h"
#include "ui/FileUtil.h"
#include "FakeWindow.h"

namespace pladdo {
namespace {

using test::FakeWindow;

const std::string kFixtures = PLADDO_FIXTURES "/ui/";
const std::string kWelcome = "V\xE4lkommen till Alfa.\r\n";
const std::string kUserPrompt = "Du s&varar:";

// A controller on the test profiles, started as the program starts it.
struct Conversation {
  explicit Conversation(bool autoDialog = false, bool printNames = false,
                        const std::string& profile1 = "alfa.ppf") {
    PinRandomSeed(7);
    StartOptions options;
    options.strProfile1 = kFixtures + profile1;
    options.strProfile2 = kFixtures + "beta.ppf";
    options.strLanguageFile = kFixtures + "language.dat";
    options.bAutoDialog = autoDialog;
    options.bPrintNames = printNames;
    dlg.Start(options);
  }

  // Plays one step of the user: "+auto"/"-auto" and "+names"/"-names" tick
  // and clear the boxes, "<enter>" presses the button on what the input
  // line holds, anything else is typed into the input line and answered.
  void Do(const std::string& step) {
    if (step == "+auto" || step == "-auto") {
      window.controls.m_bAutoDialog = step[0] == '+' ? 1 : 0;
    } else if (step == "+names" || step == "-names") {
      window.controls.m_bPrintNames = step[0] == '+' ? 1 : 0;
    } else {
      if (step != "<enter>") window.controls.m_strInputLine = step;
      dlg.OnAnswer();
    }
  }

  FakeWindow window;
  CChatDlg dlg{window};
};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// ---- one exchange and the automatic dialogue --------------------------------

struct ExchangeRow {
  const char* what;
  bool autoDialog;
  bool printNames;
  std::vector<std::string> steps;
  std::string transcript;
  std::string inputLine;
  std::string prompt;
};

// A failing row is named by what it shows.
void PrintTo(const ExchangeRow& row, std::ostream* os) { *os << row.what; }

class Exchange : public testing::TestWithParam<ExchangeRow> {};

TEST_P(Exchange, LeavesTranscriptInputLineAndPrompt) {
  const ExchangeRow& row = GetParam();
  Conversation c(row.autoDialog, row.printNames);
  for (const std::string& step : row.steps) c.Do(step);
  EXPECT_EQ(c.window.controls.m_strTranscript, row.transcript);
  EXPECT_EQ(c.window.controls.m_strInputLine, row.inputLine);
  EXPECT_EQ(c.window.controls.m_strPrompt, row.prompt);
}

const std::string kAnna = kWelcome + "> Anna\r\nHej Anna.\r\n";
const std::string kFirstAuto = kWelcome + "> Beta\r\nHej Beta.\r\n";
const std::string kBetaWonders =
    "Beta undrar [SAKNAS2-variabeln finns inte].";

INSTANTIATE_TEST_SUITE_P(
    Controller, Exchange,
    testing::Values(
        ExchangeRow{"blank input does nothing", false, false, {" \t "},
                    kWelcome, " \t ", kUserPrompt},
        ExchangeRow{"first input is the user's name", false, false, {"Anna"},
                    kAnna, "", kUserPrompt},
        ExchangeRow{"names printed show the name twice", false, true,
                    {"Anna"},
                    "Alfa: " + kWelcome + "Anna: Anna\r\nAlfa: Hej Anna.\r\n",
                    "", kUserPrompt},
        ExchangeRow{"print names is read at each line", false, false,
                    {"Anna", "+names", "hej"},
                    kAnna + "Anna: hej\r\nAlfa: Jas\xE5.\r\n", "",
                    kUserPrompt},
        ExchangeRow{"input is shown trimmed", false, false, {"  Anna \t"},
                    kAnna, "", kUserPrompt},
        ExchangeRow{"engine 1 receives the trimmed input", false, false,
                    {"Anna", " hej", "hej  "},
                    kAnna + "> hej\r\nJas\xE5.\r\n> hej\r\nDu upprepar dig.\r\n",
                    "", kUserPrompt},
        ExchangeRow{"reply codes are translated for the view", false, false,
                    {"Anna", "kod"},
                    kAnna + "> kod\r\nSe [SAKNAS-variabeln finns inte] h\xE4r\r\n",
                    "", kUserPrompt},
        ExchangeRow{"echoed words are swapped from the first conversation on",
                    false, false, {"Anna", "jag s\xE4ger att jag \xE4r glad"},
                    kAnna + "> jag s\xE4ger att jag \xE4r glad\r\n"
                            "Du s\xE4ger att du \xE4r glad.\r\n",
                    "", kUserPrompt},
        ExchangeRow{"automatic dialogue starts with profile 2's name", true,
                    false, {}, kWelcome, "Beta", "Beta s&varar:"},
        ExchangeRow{"automatic dialogue puts engine 2's answer in the input "
                    "line",
                    true, false, {"<enter>"}, kFirstAuto,
                    "Beta svarar p\xE5 hej.", "Beta s&varar:"},
        ExchangeRow{"automatic dialogue translates engine 2's answer", true,
                    false, {"<enter>", "<enter>"},
                    kFirstAuto + "> Beta svarar p\xE5 hej.\r\nJas\xE5.\r\n",
                    kBetaWonders, "Beta s&varar:"},
        ExchangeRow{"ticking the dialogue midway prompts with the user's name",
                    false, false, {"Anna", "+auto", "hej"},
                    kAnna + "> hej\r\nJas\xE5.\r\n", kBetaWonders,
                    "Anna s&varar:"},
        ExchangeRow{"clearing the dialogue takes effect at the next press",
                    true, false, {"<enter>", "-auto", "<enter>"},
                    kFirstAuto + "> Beta svarar p\xE5 hej.\r\nJas\xE5.\r\n", "",
                    kUserPrompt},
        ExchangeRow{"engine 2's lines carry engine 1's user name", true, true,
                    {"<enter>", "<enter>"},
                    "Alfa: " + kWelcome +
                        "Beta: Beta\r\nAlfa: Hej Beta.\r\n"
                        "Beta: Beta svarar p\xE5 hej.\r\nAlfa: Jas\xE5.\r\n",
                    kBetaWonders, "Beta s&varar:"}),
    [](const testing::TestParamInfo<ExchangeRow>& param) {
      std::string name;
      for (const char c : std::string(param.param.what)) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
        else if (c == ' ') name += '_';
      }
      return name;
    });

TEST(Controller, AnswerReadsWritesScrollsSelectsAndUpdatesTheButtonInOrder) {
  Conversation c;
  c.window.log.clear();
  c.Do("Anna");
  const std::vector<std::string> expected = {
      "Read",                // OnAnswer reads the window
      "Read", "Write",       // AppendLine(User)
      "Read", "Write",       // AppendLine(Bot)
      "Write",               // the prompt and the input line
      "LineCount", "Scroll 4",  // three lines and the empty one after them
      "Select", "Shown", "Enable 0"};
  EXPECT_EQ(c.window.log, expected);
}

TEST(Controller, BlankInputCallsNoEngineAndWritesNothing) {
  Conversation c;
  c.window.log.clear();
  c.Do("  \t\r\n\v\f");
  EXPECT_EQ(c.window.log, std::vector<std::string>{"Read"});
  EXPECT_FALSE(c.dlg.GetEngine(0).HasUserName());
  EXPECT_TRUE(c.dlg.GetEngine(1).IsFirstTurn());
}

TEST(Controller, FirstInputNamesBothEnginesAndUsesUpEngine2sFirstTurn) {
  Conversation c;
  c.Do("Anna");
  EXPECT_EQ(c.dlg.GetEngine(0).GetUserName(), "Anna");
  EXPECT_EQ(c.dlg.GetEngine(1).GetBotName(), "Anna");
  EXPECT_EQ(c.dlg.GetEngine(1).GetUserName(), "Alfa");
  EXPECT_FALSE(c.dlg.GetEngine(1).IsFirstTurn());
  c.Do("Bertil");
  EXPECT_EQ(c.dlg.GetEngine(0).GetUserName(), "Anna");
}

TEST(Controller, Engine2HearsEngine1sReplyWithTheCodeUntranslated) {
  Conversation c;
  c.Do("Anna");
  c.Do("+auto");
  c.Do("kod");
  EXPECT_EQ(c.dlg.GetEngine(1).GetInput(),
            "se [saknas#error_novariable#] h\xE4r");
}

// ---- start and restart ----------------------------------------------------------

TEST(Start, ShowsOnlyTheWelcomeWithBothBoxesClearedAndTheButtonDisabled) {
  Conversation c;
  EXPECT_EQ(c.window.controls.m_strTranscript, kWelcome);
  EXPECT_EQ(c.window.controls.m_strPrompt, kUserPrompt);
  EXPECT_EQ(c.window.controls.m_strInputLine, "");
  EXPECT_EQ(c.window.controls.m_bAutoDialog, 0);
  EXPECT_EQ(c.window.controls.m_bPrintNames, 0);
  EXPECT_FALSE(c.window.answerEnabled);
}

TEST(Start, LoadsTheLanguageTableOfTheGivenFileBeforeTheProfiles) {
  Conversation c;
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(c.dlg.GetEngine(i).GetLanguageFile(), kFixtures + "language.dat");
    EXPECT_EQ(c.dlg.GetEngine(i).GetLanguage(), "test");
    // Only the test table holds the language "test"; loaded from any other
    // file the table would be empty.
    const std::vector<std::string>& from = c.dlg.GetEngine(i).GetFromWords();
    ASSERT_FALSE(from.empty());
    EXPECT_EQ(from.front(), "jag");
  }
}

TEST(Start, TakesTheProgramFoldersFilesWhenNoneAreGiven) {
  FakeWindow window;
  CChatDlg dlg(window);
  dlg.Start(StartOptions{});
  const std::string folder = GetProgramFolder(true);
  EXPECT_EQ(dlg.GetEngine(0).GetProfilePath(), folder + "profiles/pladdo.ppf");
  EXPECT_EQ(dlg.GetEngine(1).GetProfilePath(), folder + "profiles/rimbus.ppf");
  EXPECT_EQ(dlg.GetEngine(0).GetLanguageFile(), folder + "language.dat");
  EXPECT_EQ(dlg.GetEngine(1).GetLanguageFile(), folder + "language.dat");
}

TEST(Restart, InAutomaticModePutsEngine2sNameInTheInputLine) {
  Conversation c;
  c.Do("Anna");
  c.Do("+auto");
  c.dlg.OnRestart();
  EXPECT_EQ(c.window.controls.m_strTranscript, kWelcome);
  EXPECT_EQ(c.window.controls.m_strInputLine, "Beta");
  EXPECT_EQ(c.window.controls.m_strPrompt, "Beta s&varar:");
  EXPECT_FALSE(c.dlg.GetEngine(0).HasUserName());
  EXPECT_TRUE(c.window.answerEnabled);
  c.Do("<enter>");
  EXPECT_EQ(c.dlg.GetEngine(0).GetUserName(), "Beta");
}

TEST(Restart, WithoutAutomaticModeEmptiesTheInputLine) {
  Conversation c;
  c.Do("Anna");
  c.window.controls.m_strInputLine = "halvskrivet";
  c.dlg.OnRestart();
  EXPECT_EQ(c.window.controls.m_strTranscript, kWelcome);
  EXPECT_EQ(c.window.controls.m_strInputLine, "");
  EXPECT_EQ(c.window.controls.m_strPrompt, kUserPrompt);
  EXPECT_FALSE(c.window.answerEnabled);
}

// ---- the checker -------------------------------------------------------------------

TEST(CheckProfile, ShowsTheTranslatedReportAndTheConversationGoesOnBelowIt) {
  Conversation c(false, false, "faulty.ppf");
  c.window.log.clear();
  c.dlg.OnCheckProfile();
  const std::string report =
      "Profilnamn: " + kFixtures + "faulty.ppf\r\n\r\n"
      "Namn: Fel\r\nVersion:  \r\nF\xF6rfattare:  \r\nInfo:  \r\n"
      "Spr\xE5k: test\r\n\r\n[SPEAK]\r\n"
      "[7] ?hej **\r\nDubbla asterisker hittades, endast en anv\xE4nds.\r\n"
      "[7] ?hej **\r\nMellanslag f\xF6re asterisk hittades, raden kanske inte "
      "fungerar korrekt.\r\n"
      "Inga svarsalternativ hittades.\r\n\r\n3 fel hittades.\r\n";
  EXPECT_EQ(c.window.controls.m_strTranscript, report);
  EXPECT_EQ(c.window.log,
            (std::vector<std::string>{"BeginWait", "Write", "EndWait"}));

  c.Do("Anna");
  EXPECT_EQ(c.window.controls.m_strTranscript,
            report + "> Anna\r\n[FEL. Inga svarsalternativ f\xF6r variabel.]\r\n");
  c.dlg.OnRestart();
  EXPECT_EQ(c.window.controls.m_strTranscript, "Hej\r\n");
}

TEST(CheckProfile, WritesBackTheValuesLastReadWithoutReading) {
  Conversation c(false, false, "gamma.ppf");
  c.window.controls.m_strInputLine = "halvskrivet";
  c.window.controls.m_bAutoDialog = 1;
  c.dlg.OnCheckProfile();
  EXPECT_EQ(c.window.controls.m_strInputLine, "");
  EXPECT_EQ(c.window.controls.m_bAutoDialog, 0);
  const std::string& shown = c.window.controls.m_strTranscript;
  EXPECT_TRUE(shown.ends_with("\r\n\r\nInga fel hittades.\r\n")) << shown;
}

// ---- choosing profiles ---------------------------------------------------------------

TEST(ChooseProfile, KeepsTranscriptAndNamesAndAnswersFromTheNewProfile) {
  Conversation c;
  c.Do("Anna");
  c.window.chosen1 = kFixtures + "gamma.ppf";
  c.dlg.OnChooseProfile();
  EXPECT_EQ(c.window.controls.m_strTranscript, kAnna);
  EXPECT_EQ(c.dlg.GetEngine(0).GetUserName(), "Anna");
  EXPECT_EQ(c.dlg.GetEngine(0).GetBotName(), "Alfa");
  EXPECT_EQ(c.dlg.GetEngine(1).GetProfilePath(), kFixtures + "beta.ppf");

  c.Do("hej");
  EXPECT_EQ(c.window.controls.m_strTranscript, kAnna + "> hej\r\nGamma svarar.\r\n");
  c.dlg.OnRestart();
  EXPECT_EQ(c.window.controls.m_strTranscript, "Gamma h\xE4lsar.\r\n");
  EXPECT_EQ(c.dlg.GetEngine(0).GetBotName(), "Gamma");
}

// ---- saving, ReadMe, about, exit ---------------------------------------------------

class ControllerFiles : public testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() /
               ("pladdo-ui-" + std::to_string(::getpid()));
    std::filesystem::create_directories(m_folder);
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }
  std::string Path(const char* name) const { return (m_folder / name).string(); }

  std::filesystem::path m_folder;
};

TEST_F(ControllerFiles, SaveWritesTheTranscriptAsUtf8WithLineFeeds) {
  Conversation c;
  c.Do("\xC5sa");
  c.window.savePath = Path("samtal.txt");
  c.dlg.OnSaveDialog();
  EXPECT_TRUE(c.window.messages.empty());
  EXPECT_EQ(ReadFile(Path("samtal.txt")),
            "V\xC3\xA4lkommen till Alfa.\n> \xC3\x85sa\nHej \xC3\x85sa.\n");
}

TEST_F(ControllerFiles, SaveCancelledWritesNothingAndSaysNothing) {
  Conversation c;
  c.window.log.clear();
  c.dlg.OnSaveDialog();
  EXPECT_EQ(c.window.log, std::vector<std::string>{"AskSave"});
  EXPECT_TRUE(c.window.messages.empty());
}

TEST_F(ControllerFiles, SaveThatFailsIsReportedWithPathAndReason) {
  Conversation c;
  c.window.savePath = Path("saknas/samtal.txt");
  c.dlg.OnSaveDialog();
  EXPECT_EQ(c.window.messages,
            std::vector<std::string>{"2 Samtalet kunde inte sparas i \"" +
                                     Path("saknas/samtal.txt") +
                                     "\": No such file or directory."});
}

TEST(Controller, ReadMeThatCannotBeOpenedShowsAWarning) {
  Conversation c;
  c.window.openSucceeds = false;
  c.window.log.clear();
  c.dlg.OnReadMe();
  EXPECT_EQ(c.window.log, std::vector<std::string>{
                              "Open " + GetProgramFolder(true) + "readme.txt"});
  EXPECT_EQ(c.window.messages,
            std::vector<std::string>{"1 Det gick inte att \xF6ppna ReadMe-filen."});
}

TEST(Controller, ReadMeThatOpensShowsNoMessage) {
  Conversation c;
  c.dlg.OnReadMe();
  EXPECT_TRUE(c.window.messages.empty());
}

TEST(Controller, AboutRunsTheAboutBoxAndExitEndsTheWindowWithOne) {
  Conversation c;
  c.window.log.clear();
  c.dlg.OnAbout();
  c.dlg.OnExit();
  EXPECT_EQ(c.window.log, (std::vector<std::string>{"About", "End 1"}));
}

TEST(Controller, AnswerButtonFollowsTheInputLineAsShown) {
  const struct {
    const char* shown;
    bool enabled;
  } rows[] = {
      {"", false}, {" \t ", false}, {"\r\n", false}, {"a", true}, {"  a  ", true},
  };
  Conversation c;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.shown);
    c.window.controls.m_strInputLine = row.shown;
    c.dlg.OnInputChanged();
    EXPECT_EQ(c.window.answerEnabled, row.enabled);
    // The button follows the window, not the controller's last read.
    EXPECT_EQ(c.dlg.m_strInputLine, "");
  }
}

}  // namespace
}  // namespace pladdo
