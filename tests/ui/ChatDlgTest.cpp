// The conversation controller driven through a fake window that records what
// the controller read, wrote, scrolled and enabled; its message codes and the
// string table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Random.h"
#include "tests/engine/EngineTestAccess.h"
#include "ui/ChatDlg.h"
#include "ui/FileUtil.h"

namespace pladdo {
namespace {

using Log = std::vector<std::string>;

// The test plays the user by changing `controls` between calls.
// clang-format off
class FakeWindow : public IChatWindow {
 public:
  void ReadControls(ChatControls& c) override { Note("Read"); c = controls; }
  // The view is kept from the changes alone: "+" text appended, "=" replaced.
  void WriteControls(const ChatControls& c, const ViewUpdate& update) override {
    using enum ViewUpdate::Kind;
    Note(update.kind == Append ? "Write +" : update.kind == Replace ? "Write =" : "Write");
    if (update.kind == Replace) view.clear();
    view += update.text;
    controls = c;
  }
  int GetViewLineCount() override {  // with the empty line after the last end
    Note("LineCount");
    return static_cast<int>(std::ranges::count(view, '\n')) + 1;
  }
  void ScrollView(int lines) override { Note("Scroll " + std::to_string(lines)); }
  void SelectInputLine() override { Note("Select"); }
  std::string GetShownInputLine() override { Note("Shown"); return controls.m_strInputLine; }
  void EnableAnswerButton(bool on) override { Note(on ? "Enable 1" : "Enable 0"); enabled = on; }
  void BeginWaitCursor() override { Note("BeginWait"); }
  void EndWaitCursor() override { Note("EndWait"); }
  void RunProfileChooser(CChatEngine&, CChatEngine&) override { Note("Chooser"); }
  void RunAboutBox() override { Note("About"); }
  void EndWindow(int result) override { Note("End " + std::to_string(result)); }
  bool AskSavePath(std::string& path) override { Note("AskSave"); path = savePath; return !path.empty(); }
  bool OpenFile(const std::string& path) override { Note("Open " + path); return openSucceeds; }
  void ShowMessage(std::string_view text, MessageKind kind) override {
    messages.push_back(std::to_string(static_cast<int>(kind)) + " " + std::string(text));
  }
  void ShowWhyAnswer(std::string_view text) override { why = text; }
  void Note(std::string what) { log.push_back(std::move(what)); }

  ChatControls controls;
  std::string view;
  Log log, messages;
  bool enabled = false, openSucceeds = true;
  std::string savePath, why;
};
// clang-format on

const std::string kFixtures = PLADDO_FIXTURES "/ui/";
const std::string kWelcome = "V\xE4lkommen till Alfa.\r\n";
const std::string kAnna = kWelcome + "> Anna\r\nHej Anna.\r\n";
const std::string kUserPrompt = "Du s&varar:";

// A controller on the test profiles, started as the program starts it.
struct Conversation {
  explicit Conversation(bool autoDialog = false) {
    PinRandomSeed(7);
    dlg.Start({kFixtures + "alfa.ppf", kFixtures + "beta.ppf",
               kFixtures + "language.dat", autoDialog, false});
  }
  // Steps of the user: "+auto"/"-auto" and "+names" tick and clear the
  // boxes, "<check>" and "<restart>" are the menu commands, "<enter>" presses
  // the button on what the input line holds; any other step is typed in and
  // answered.
  void Do(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
      ChatControls& f = window.controls;
      if (step.ends_with("auto")) f.m_bAutoDialog = step[0] == '+';
      if (step == "+names") f.m_bPrintNames = 1;
      if (step == "<check>") dlg.OnCheckProfile();
      if (step == "<restart>") dlg.OnRestart();
      if (step == "<enter>") dlg.OnAnswer();
      if (std::string_view("+-<").find(step[0]) == std::string_view::npos) {
        f.m_strInputLine = step;
        dlg.OnAnswer();
      }
    }
  }
  // What the window shows: transcript, input line and prompt.
  std::string Shown() const {
    const ChatControls& f = window.controls;
    return window.view + "|" + f.m_strInputLine + "|" + f.m_strPrompt;
  }
  FakeWindow window;
  CChatDlg dlg{window};
};

TEST(Controller, ExchangesLeaveTranscriptInputLineAndPrompt) {
  const std::string wonders = "Beta undrar [SAKNAS2-variabeln finns inte].";
  // clang-format off
  const struct {
    const char* what;
    std::vector<std::string> steps;
    std::string transcript, inputLine, prompt;
  } rows[] = {
      {"blank input does nothing", {" \t "}, kWelcome, " \t ", kUserPrompt},
      {"first input is the name; input trimmed for view and engine",
       {"  Anna \t", " hej", "hej  "},
       kAnna + "> hej\r\nJas\xE5.\r\n> hej\r\nDu upprepar dig.\r\n", "", kUserPrompt},
      {"names printed, read at each line, show the name twice", {"+names", "Anna", "hej"},
       kWelcome + "Anna: Anna\r\nAlfa: Hej Anna.\r\nAnna: hej\r\nAlfa: Jas\xE5.\r\n", "",
       kUserPrompt},
      {"words swapped from the first conversation on",
       {"Anna", "jag s\xE4ger att jag \xE4r glad"},
       kAnna + "> jag s\xE4ger att jag \xE4r glad\r\nDu s\xE4ger att du \xE4r glad.\r\n",
       "", kUserPrompt},
      {"codes translated for the view; ticking midway prompts with the name",
       {"Anna", "+auto", "kod"},
       kAnna + "> kod\r\nSe [SAKNAS-variabeln finns inte] h\xE4r\r\n", wonders,
       "Anna s&varar:"},
      {"restart without the dialogue empties the input line",
       {"Anna", "+auto", "hej", "-auto", "<restart>"}, kWelcome, "", kUserPrompt},
      {"restart in the dialogue suggests engine 2's name, then its translated answers",
       {"Anna", "+auto", "<restart>", "<enter>", "<enter>"},
       kWelcome + "> Beta\r\nHej Beta.\r\n> Beta svarar p\xE5 hej.\r\nJas\xE5.\r\n",
       wonders, "Beta s&varar:"},
      {"the checker's report, the conversation going on below it",
       {"<check>", "Anna"}, "Profilnamn: " + kFixtures + "alfa.ppf\r\n\r\nNamn: Alfa\r\n"
       "Version: 2\r\nF\xF6rfattare: Testaren\r\nInfo: Svarar f\xF6ruts\xE4gbart.\r\n"
       "Spr\xE5k: test\r\n\r\n[SPEAK]\r\n[21] \"%SAKNAS%\"\r\nVariablen hittades "
       "inte.\r\n\r\n1 fel hittades.\r\n> Anna\r\nHej Anna.\r\n", "", kUserPrompt},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Conversation c;
    c.Do(row.steps);
    EXPECT_EQ(c.Shown(),
              row.transcript + "|" + row.inputLine + "|" + row.prompt);
  }
}

TEST(Controller, Engine2HearsTheUntranslatedReplyAndKnowsBothNames) {
  Conversation c;
  c.Do({"Anna", "+auto", "kod"});
  CChatEngine& engine2 = c.dlg.GetEngine(1);
  EXPECT_EQ(CChatEngineTestAccess(engine2).Input(),
            "se [saknas#error_novariable#] h\xE4r");
  EXPECT_EQ(engine2.GetBotName() + "/" + engine2.GetUserName(), "Anna/Alfa");
  // Its language table was loaded with its profile, as engine 1's was.
  EXPECT_EQ(engine2.GetFromWords().size(), 4u);
}

// The checker writes without reading: the other controls get back the values
// last read.
TEST(Controller, AnswerScrollsSelectsAndUpdatesAndTheCheckerDoesNotRead) {
  Conversation c;
  c.window.log.clear();
  c.Do({"Anna"});
  EXPECT_EQ(c.window.log,
            (Log{"Read", "Read", "Write +", "Read", "Write +", "Write",
                 "LineCount", "Scroll 4", "Select", "Shown", "Enable 0"}));
  c.window.log.clear();
  c.Do({"<check>"});
  EXPECT_EQ(c.window.log, (Log{"BeginWait", "Write =", "EndWait"}));
  c.window.log.clear();
  c.Do({"<restart>"});
  EXPECT_EQ(c.window.log, (Log{"Read", "Write =", "Read", "Write +", "Write",
                               "Shown", "Enable 0"}));
  EXPECT_EQ(c.window.view, c.dlg.m_strTranscript);
}

TEST(Controller, MenuCommandsReachTheWindowAndFailuresAreReported) {
  Conversation c;
  c.window.log.clear();
  c.dlg.OnSaveDialog();  // cancelled: nothing read, nothing said
  c.dlg.OnReadMe();
  c.window.openSucceeds = false;
  c.window.savePath = "/saknas/samtal.txt";
  c.dlg.OnSaveDialog();
  c.dlg.OnReadMe();
  c.dlg.OnAbout();
  c.dlg.OnExit();
  const std::string open = "Open " + GetProgramFolder(true) + "readme.txt";
  EXPECT_EQ(c.window.log,
            (Log{"AskSave", open, "AskSave", "Read", open, "About", "End 1"}));
  EXPECT_EQ(c.window.messages,
            (Log{"2 Samtalet kunde inte sparas i \"/saknas/samtal.txt\": No "
                 "such file or directory.",
                 "1 Det gick inte att \xF6ppna ReadMe-filen."}));
}

TEST(Controller, AnswerButtonFollowsTheInputLineAsShown) {
  Conversation c(true);
  EXPECT_TRUE(c.window.enabled);  // the suggested name
  for (const auto& [shown, enabled] :
       {std::pair{" \t\r\n", false}, {"  a  ", true}, {"", false}}) {
    SCOPED_TRACE(shown);
    c.window.controls.m_strInputLine = shown;
    c.dlg.OnInputChanged();
    EXPECT_EQ(c.window.enabled, enabled);
  }
}

}  // namespace
}  // namespace pladdo
