// The conversation controller driven through a fake window that records what
// it wrote, scrolled and enabled; the message codes and the system's errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/Random.h"
#include "tests/TestUtil.h"
#include "ui/ChatDlg.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

using Log = std::vector<std::string>;

// The test plays the user by changing `controls` between calls.
// clang-format off
class FakeWindow : public IChatWindow {
 public:
  void ReadControls(ChatControls& c) override { c = controls; }
  // The view is kept from the changes alone: "+" text appended, "=" replaced.
  void WriteControls(const ChatControls& c, const ViewUpdate& update) override {
    if (update.kind != ViewUpdate::Kind::None) Note(update.kind == ViewUpdate::Kind::Append ? "+" : "=");
    if (update.kind == ViewUpdate::Kind::Replace) view.clear();
    view += update.text;
    controls = c;
  }
  int GetViewLineCount() override { return static_cast<int>(std::ranges::count(view, '\n')) + 1; }
  void ScrollView(int lines) override { Note("Scroll " + std::to_string(lines)); }
  std::string GetShownInputLine() override { return controls.m_strInputLine; }
  void EnableAnswerButton(bool on) override { answerEnabled = on; }
  bool AskSavePath(std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  // What these tests do not look at.
  void SelectInputLine() override {} void BeginWaitCursor() override {} void EndWaitCursor() override {}
  void RunProfileChooser(CChatEngine&, CChatEngine&) override {} void RunAboutBox() override {}
  void EndWindow(int) override {} void ShowMessage(std::string_view, MessageKind) override {}
  void ShowWhyAnswer(std::string_view) override {}
  void Note(std::string what) { log.push_back(std::move(what)); }

  ChatControls controls;
  std::string view;
  Log log;
  bool answerEnabled = false;
};
// clang-format on

const std::string kFixtures = PLADDO_FIXTURES "/ui/";
const std::string kWelcome = "V\xE4lkommen till Alfa.\r\n";
const std::string kAnna = kWelcome + "> Anna\r\nHej Anna.\r\n";
const std::string kUserPrompt = "Du s&varar:";

// A controller on the test profiles, started as the program starts it.
struct Conversation {
  Conversation() {
    PinRandomSeed(7);
    dlg.Start({kFixtures + "alfa.ppf", kFixtures + "beta.ppf",
               kFixtures + "language.dat", false, false});
  }
  // Steps: "+auto"/"-auto"/"+names" tick and clear boxes, "<...>" presses,
  // "~text" types without pressing; any other step is typed and answered.
  void Do(const std::vector<std::string>& steps) {
    for (const std::string& step : steps) {
      ChatControls& f = window.controls;
      if (step.ends_with("auto")) f.m_bAutoDialog = step[0] == '+';
      if (step == "+names") f.m_bPrintNames = 1;
      if (step == "<check>") dlg.OnCheckProfile();
      if (step == "<restart>") dlg.OnRestart();
      if (step[0] == '~') f.m_strInputLine = step.substr(1);
      const bool typed = std::string_view("+-<~").find(step[0]) == step.npos;
      if (typed) f.m_strInputLine = step;
      if (typed || step == "<enter>") dlg.OnAnswer();
    }
  }
  // What the window shows: transcript, input line, prompt and ticked boxes.
  std::string Shown() const {
    const ChatControls& f = window.controls;
    return window.view + "|" + f.m_strInputLine + "|" + f.m_strPrompt +
           (f.m_bAutoDialog ? "|auto" : "") + (f.m_bPrintNames ? "|names" : "");
  }
  FakeWindow window;
  CChatDlg dlg{window};
};

// clang-format off
TEST(Controller, ExchangesLeaveTranscriptInputLineAndPrompt) {
  const std::string wonders = "Beta undrar [SAKNAS2-variabeln finns inte].";
  const struct { const char* what; std::vector<std::string> steps; std::string transcript, inputLine, prompt; } rows[] = {
      {"blank input does nothing", {" \t "}, kWelcome, " \t ", kUserPrompt},
      {"first input is the name; input trimmed for view and engine; words swapped",
       {"  Anna \t", " hej", "hej  ", "jag s\xE4ger att jag \xE4r glad"},
       kAnna + "> hej\r\nJas\xE5.\r\n> hej\r\nDu upprepar dig.\r\n"
       "> jag s\xE4ger att jag \xE4r glad\r\nDu s\xE4ger att du \xE4r glad.\r\n", "",
       kUserPrompt},
      {"codes translated for the view; ticking midway prompts with the name", {"Anna", "+auto", "kod"},
       kAnna + "> kod\r\nSe [SAKNAS-variabeln finns inte] h\xE4r\r\n", wonders,
       "Anna s&varar:|auto"},
      {"restart without the dialogue empties the input line",
       {"Anna", "+auto", "hej", "-auto", "<restart>"}, kWelcome, "", kUserPrompt},
      {"restart in the dialogue suggests engine 2's name, then its answers", {"Anna", "+auto", "<restart>", "<enter>", "<enter>"},
       kWelcome + "> Beta\r\nHej Beta.\r\n> Beta svarar p\xE5 hej.\r\nJas\xE5.\r\n",
       wonders, "Beta s&varar:|auto"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Conversation c;
    c.Do(row.steps);
    EXPECT_EQ(c.Shown(), row.transcript + "|" + row.inputLine + "|" + row.prompt);
  }
}

TEST(Controller, OnlyALineWithMoreThanBlanksEnablesTheAnswerButton) {
  for (const auto& [line, enabled] : {std::pair{"", false}, {" \t ", false}, {" a ", true}}) {
    SCOPED_TRACE(line);
    Conversation c;
    c.window.controls.m_strInputLine = line;
    c.dlg.OnInputChanged();
    EXPECT_EQ(c.window.answerEnabled, enabled);
  }
}

// What was typed and ticked since the last press outlives the report.
TEST(Controller, CheckerReportKeepsTheInputLineAndTheBoxes) {
  const std::string report = "Profilnamn: " + kFixtures + "alfa.ppf\r\n\r\nNamn: Alfa\r\nVersion: 2\r\n"
      "F\xF6rfattare: Testaren\r\nInfo: Svarar f\xF6ruts\xE4gbart.\r\nSpr\xE5k: test\r\n\r\n"
      "[SPEAK]\r\n[21] \"%SAKNAS%\"\r\nVariablen hittades inte.\r\n\r\n1 fel hittades.\r\n";
  const struct { const char* what; std::vector<std::string> steps; std::string shown; } rows[] = {
      {"a half-typed line", {"Anna", "~halv rad", "<check>"}, report + "|halv rad|" + kUserPrompt},
      {"both boxes ticked since the last press", {"Anna", "+auto", "+names", "<check>"}, report + "||" + kUserPrompt + "|auto|names"},
      {"a box cleared since the last press, the suggestion still up", {"+auto", "Anna", "-auto", "<check>"},
       report + "|Beta svarar p\xE5 hej.|Anna s&varar:"},
      {"the next press uses the kept line and box", {"Anna", "~hej", "+auto", "<check>", "<enter>"},
       report + "> hej\r\nJas\xE5.\r\n|Beta undrar [SAKNAS2-variabeln finns inte].|Anna s&varar:|auto"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Conversation c;
    c.Do(row.steps);
    EXPECT_EQ(c.Shown(), row.shown);
  }
}

// An exchange appends and scrolls by the lines added; report and restart replace.
TEST(Controller, AnswersAppendToTheViewAndTheCheckerAndRestartReplaceIt) {
  Conversation c;
  const auto steps = [&c](const std::string& step) {
    c.window.log.clear();
    c.Do({step});
    return c.window.log;
  };
  EXPECT_EQ(steps("Anna"), (Log{"+", "+", "Scroll 4"}));
  EXPECT_EQ(steps("<check>"), (Log{"="}));
  EXPECT_EQ(steps("<restart>"), (Log{"=", "+"}));
  EXPECT_EQ(c.window.view, c.dlg.m_strTranscript);
}

TEST(TranslateCodes, ReplacesTheFirstOccurrenceOfEachCodeOnly) {
  const struct { const char* what; std::string text, expected; } rows[] = {
      {"codes alone, before a variable, after a word",
       "#ERROR_NOPROFILE# [#ERROR_LOOPPROTECTION# %a%] [namn#ERROR_NOVARIABLE#]",
       "Ingen profil hittades. [Lop-fel i %a%] [namn-variabeln finns inte]"},
      {"same code twice: only the first", "#ERROR_NOPROFILE##ERROR_NOPROFILE#",
       "Ingen profil hittades.#ERROR_NOPROFILE#"},
      {"lower case, unknown, checker and cut-short codes stay",
       "#error_noprofile# #ERROR_SOMETHING# #NOERROR# #ERROR_NOPROFILE",
       "#error_noprofile# #ERROR_SOMETHING# #NOERROR# #ERROR_NOPROFILE"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CChatDlg::TranslateCodes(row.text), row.expected);
  }
}

// The reason in Swedish words of its own, never foreign words mid-sentence.
TEST(FormatSystemError, GivesTheReasonInSwedishOrItsNumber) {
  const struct { const char* what; int id, error; std::string expected; } rows[] = {
      {"a missing folder on saving", IDS_SAVE_FAILED, ENOENT,
       "Samtalet kunde inte sparas i \"/a/b.txt\": filen eller mappen finns inte."},
      {"a folder as a profile, in the sentence's middle", IDS_TERM_PROFILE_FAILED, EISDIR,
       "Profilen \"/a/b.txt\" kunde inte öppnas: det är en mapp. Inget har ändrats."},
      {"a number no one knows: the system's words on a line after", IDS_TERM_PROFILE_FAILED, 4000,
       "Profilen \"/a/b.txt\" kunde inte öppnas: ett oväntat fel (felnummer 4000). Inget har "
       "ändrats.\n(systemets beskrivning: Unknown error 4000)"},
  };
  // A C library with no locale but C and POSIX has no Swedish words of its own.
  const test::TempDir noLocales;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const test::ChildRun run = test::RunChild([&] {
      setenv("LOCPATH", noLocales.Path().c_str(), 1);
      return Cp1252ToUtf8(FormatSystemError(row.id, "/a/b.txt", row.error));
    });
    EXPECT_EQ(run.Result(), row.expected);
  }
}
// clang-format on

}  // namespace
}  // namespace pladdo
