// Tests of the shipped bots Pladdo and Rimbus and of language.dat: both
// profiles pass the checker, Pladdo answers typical Swedish lines from its
// keyword groups, echoed words come back with their pronouns swapped, and the
// two bots keep an automatic dialogue going on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"
#include "ui/ChatDlg.h"
#include "ui/ChatWindow.h"

namespace pladdo {
namespace {

const std::string kProfiles = PLADDO_PROFILES;
const std::string kFixtures = std::string(PLADDO_FIXTURES) + "/bots";

std::string Shipped(std::string_view name) {
  return kProfiles + "/" + std::string(name);
}

std::string LanguageFile() { return Shipped("language.dat"); }

// Windows-1252 to UTF-8, so that failure messages read right.
std::string Utf8(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }

// The lines of the typical-input list, converted to Windows-1252 as the
// window converts what the user types.
std::vector<std::string> ReadInputs() {
  std::ifstream in(kFixtures + "/inputs.txt");
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(Utf8ToCp1252(line));
  }
  return lines;
}

// True when text holds something that must never reach the user: a variable
// left unexpanded, a message code or a bracketed error note.
bool HoldsRawMarkup(std::string_view text) {
  return text.find_first_of("%#[") != std::string_view::npos;
}

// True when word stands in text as a whole word (text lower-cased).
bool HasWord(std::string_view text, std::string_view word) {
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + 1)) {
    const std::size_t after = at + word.size();
    if ((at == 0 || !IsLetter(text[at - 1])) &&
        (after >= text.size() || !IsLetter(text[after]))) {
      return true;
    }
  }
  return false;
}

// When the reply echoes the captured words, every word of the capture that
// the language table can put in must have come from one of the words it
// replaces: an echoed "du" needs a "jag" in what the user typed. An unswapped
// or wrongly swapped pronoun fails this.
void ExpectEchoFitsInput(const CChatEngine& engine, std::string input,
                         std::string reply) {
  const std::string& capture = engine.GetCapture();
  ToLower(input);
  ToLower(reply);
  if (capture.empty() || reply.find(capture) == std::string::npos) return;
  const std::vector<std::string>& from = engine.GetFromWords();
  const std::vector<std::string>& to = engine.GetToWords();
  std::size_t start = 0;
  while (start < capture.size()) {
    while (start < capture.size() && !IsLetter(capture[start])) ++start;
    std::size_t end = start;
    while (end < capture.size() && IsLetter(capture[end])) ++end;
    const std::string word = capture.substr(start, end - start);
    bool putIn = false;
    bool fromInput = false;
    for (std::size_t i = 0; i < to.size() && !word.empty(); ++i) {
      std::string written = to[i];
      ToLower(written);
      if (written != word) continue;
      putIn = true;
      std::string source = from[i];
      ToLower(source);
      if (HasWord(input, source)) fromInput = true;
    }
    EXPECT_TRUE(!putIn || fromInput)
        << "\"" << Utf8(word) << "\" echoed in \"" << Utf8(reply)
        << "\" for the input \"" << Utf8(input) << "\"";
    start = end;
  }
}

// One bot in conversation with a user, driven as the controller drives
// engine 1: reset, a bot name from the profile, the user's name as the first
// input, then one input after the other.
class Conversation {
 public:
  Conversation(const std::string& profile, std::string_view userName) {
    m_engine.SetLanguageFile(LanguageFile());
    m_engine.SetProfile(profile);
    m_engine.Reset();
    m_engine.SetBotName();
    m_strGreeting = m_engine.GetWelcome();
    m_engine.SetUserName(userName);
    m_strFirstReply = Say(userName);
  }

  std::string Say(std::string_view input) {
    m_engine.SetInput(input);
    return std::string(m_engine.GetReply());
  }

  const std::string& Greeting() const { return m_strGreeting; }
  const std::string& FirstReply() const { return m_strFirstReply; }
  const CChatEngine& Engine() const { return m_engine; }

 private:
  CChatEngine m_engine;
  std::string m_strGreeting;
  std::string m_strFirstReply;
};

// Pins the random choice for one scope, so that every run picks the same
// answers.
class PinnedSeed {
 public:
  explicit PinnedSeed(unsigned seed) { PinRandomSeed(seed); }
  ~PinnedSeed() { UnpinRandomSeed(); }
  PinnedSeed(const PinnedSeed&) = delete;
  PinnedSeed& operator=(const PinnedSeed&) = delete;
};

// Seeds spread far apart: the generator's first numbers for neighbouring
// seeds lie close together, and the tests want different answers per seed.
constexpr unsigned kSeeds[] = {1, 4711, 31337, 65521, 100003, 271828, 314159,
                               999983};

// ---- Both shipped profiles ------------------------------------------------

class ShippedProfile : public ::testing::TestWithParam<const char*> {};

TEST_P(ShippedProfile, CheckerFindsNoFault) {
  CChatEngine engine;
  engine.SetLanguageFile(LanguageFile());
  engine.SetProfile(Shipped(GetParam()));
  const std::string report = engine.CheckProfile();
  EXPECT_TRUE(std::string_view(report).ends_with("\n#NOERROR#"))
      << Utf8(report);
}

TEST_P(ShippedProfile, GreetsAndThenAnswersTheUserByName) {
  for (unsigned seed : kSeeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    PinnedSeed pinned(seed);
    Conversation talk(Shipped(GetParam()), "Anna");
    EXPECT_FALSE(HoldsRawMarkup(talk.Greeting())) << Utf8(talk.Greeting());
    EXPECT_NE(talk.FirstReply().find("Anna"), std::string::npos)
        << Utf8(talk.FirstReply());
  }
}

TEST_P(ShippedProfile, RepliesToTypicalLinesShowNoMarkupOrBrokenEcho) {
  const std::vector<std::string> inputs = ReadInputs();
  ASSERT_GE(inputs.size(), 60u);
  for (unsigned seed : kSeeds) {
    PinnedSeed pinned(seed);
    Conversation talk(Shipped(GetParam()), "Anna");
    for (const std::string& input : inputs) {
      const std::string reply = talk.Say(input);
      EXPECT_FALSE(HoldsRawMarkup(reply))
          << "seed " << seed << ", input \"" << Utf8(input) << "\": \""
          << Utf8(reply) << "\"";
      EXPECT_FALSE(reply.empty()) << "seed " << seed << ", input \""
                                  << Utf8(input) << "\"";
      ExpectEchoFitsInput(talk.Engine(), input, reply);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Bots, ShippedProfile,
                         ::testing::Values("pladdo.ppf", "rimbus.ppf"),
                         [](const auto& param) {
                           return std::string(param.param).substr(0, 6);
                         });

// ---- Pladdo answers typical lines from its keyword groups -------------------

constexpr std::string_view kNotFoundMarker = "NOTFOUND-MARKER";

// A copy of the shipped Pladdo whose NOTFOUND answers are all replaced by a
// marker, made afresh from the shipped file so it never goes stale.
std::string WriteMarkedPladdo() {
  std::ifstream in(Shipped("pladdo.ppf"));
  std::ostringstream out;
  std::string line;
  bool inNotFound = false;
  while (std::getline(in, line)) {
    std::string_view row(line);
    row.remove_prefix(std::min(row.find_first_not_of(" \t"), row.size()));
    if (row.starts_with("[")) inNotFound = row.starts_with("[NOTFOUND]");
    if (inNotFound && row.starts_with("!")) {
      out << "!" << kNotFoundMarker << "\n";
    } else {
      out << line << "\n";
    }
  }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() /
      ("pladdo-bots-test-" + std::to_string(::testing::UnitTest::GetInstance()
                                                ->random_seed()) +
       "-marked.ppf");
  std::ofstream(path) << out.str();
  return path.string();
}

TEST(PladdoCoverage, SeventyPercentOfTypicalLinesHitAKeywordGroup) {
  const std::string marked = WriteMarkedPladdo();
  const std::vector<std::string> inputs = ReadInputs();
  ASSERT_GE(inputs.size(), 60u);
  for (unsigned seed : {kSeeds[0], kSeeds[1], kSeeds[2]}) {
    PinnedSeed pinned(seed);
    Conversation talk(marked, "Anna");
    std::size_t answered = 0;
    std::string missed;
    for (const std::string& input : inputs) {
      if (talk.Say(input) == kNotFoundMarker) {
        missed += "\n  " + Utf8(input);
      } else {
        ++answered;
      }
    }
    EXPECT_GE(answered * 10, inputs.size() * 7)
        << "seed " << seed << ": " << answered << " of " << inputs.size()
        << " answered; fell through:" << missed;
  }
  std::filesystem::remove(marked);
}

TEST(PladdoCoverage, TheMarkedCopyStillFallsThroughOnGibberish) {
  // Guards the coverage test itself: a line that no pattern knows must reach
  // the marker, or the count above would prove nothing.
  const std::string marked = WriteMarkedPladdo();
  PinnedSeed pinned(1);
  Conversation talk(marked, "Anna");
  EXPECT_EQ(talk.Say("qwzx vbnm"), kNotFoundMarker);
  std::filesystem::remove(marked);
}

// ---- Echoes: the captured words come back with pronouns swapped ------------

struct EchoRow {
  const char* input;      // what the user types (UTF-8)
  const char* capture;    // the value of %FE% afterwards (UTF-8)
  const char* forbidden;  // unswapped words that must never be echoed
};

void PrintTo(const EchoRow& row, std::ostream* out) { *out << row.input; }

class PladdoEcho : public ::testing::TestWithParam<EchoRow> {};

TEST_P(PladdoEcho, CaptureIsSwappedAndTheRawWordsNeverComeBack) {
  const EchoRow& row = GetParam();
  const std::string input = Utf8ToCp1252(row.input);
  const std::string capture = Utf8ToCp1252(row.capture);
  bool echoed = false;
  for (unsigned seed : kSeeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    PinnedSeed pinned(seed);
    Conversation talk(Shipped("pladdo.ppf"), "Anna");
    std::string reply = talk.Say(input);
    EXPECT_EQ(Utf8(talk.Engine().GetCapture()), row.capture);
    ExpectEchoFitsInput(talk.Engine(), input, reply);
    EXPECT_FALSE(HoldsRawMarkup(reply)) << Utf8(reply);
    std::string lowered = reply;
    ToLower(lowered);
    EXPECT_EQ(lowered.find(Utf8ToCp1252(row.forbidden)), std::string::npos)
        << Utf8(reply);
    if (lowered.find(capture) != std::string::npos) echoed = true;
  }
  EXPECT_TRUE(echoed) << "no seed chose an answer that echoes the capture";
}

// Lines that reach Pladdo's echoing groups; each echo must read as Pladdo
// speaking, so "jag" becomes "du", "min" becomes "din" and so on.
const EchoRow kEchoRows[] = {
    // Subject and object pronouns.
    {"Jag tror att du glömmer mig", "jag glömmer dig", "du glömmer mig"},
    {"Jag vill att du kommer ihåg mig", "att jag kommer ihåg dig",
     "att du kommer"},
    // Possessives, singular and plural, common and neuter.
    {"Jag behöver din åsikt om mitt förslag", "min åsikt om ditt förslag",
     "din åsikt"},
    {"Min granne lånar min stege", "granne lånar din stege", "min stege"},
    {"Jag har lånat dina pennor", "lånat mina pennor", "dina pennor"},
    {"Jag tycker om att leka med mina kusiner", "leka med dina kusiner",
     "mina kusiner"},
    // Plural persons: "oss" and "er", "vår" and "er".
    {"Jag känner mig glömd av er", "glömd av oss", "av er"},
    {"Jag saknar vårt gamla kvarter", "ert gamla kvarter", "vårt gamla"},
    // A reflexive object.
    {"Jag är stolt över mig själv", "stolt över dig själv", "över mig"},
    // An echo of a "du är" line turns it round.
    {"Du är en bra vän till mig", "en bra vän till dig", "till mig"},
};

INSTANTIATE_TEST_SUITE_P(Bots, PladdoEcho, ::testing::ValuesIn(kEchoRows));

// ---- The word pairs of language.dat --------------------------------------

struct PairRow {
  const char* what;     // what the row shows
  const char* profile;  // fixture: a bot that echoes all after its keyword
  const char* input;    // UTF-8
  const char* capture;  // UTF-8
};

void PrintTo(const PairRow& row, std::ostream* out) { *out << row.what; }

class WordPairs : public ::testing::TestWithParam<PairRow> {};

TEST_P(WordPairs, SwapTheEchoedWords) {
  const PairRow& row = GetParam();
  SCOPED_TRACE(row.what);
  CChatEngine engine;
  engine.SetLanguageFile(LanguageFile());
  engine.SetProfile(kFixtures + "/" + row.profile);
  engine.Reset();
  engine.SetUserName("Anna");
  engine.SetInput("Anna");
  (void)engine.GetReply();
  engine.SetInput(Utf8ToCp1252(row.input));
  EXPECT_EQ(Utf8(engine.GetReply()), row.capture);
}

const PairRow kPairRows[] = {
    // Swedish: each pair swaps both ways, in one pass.
    {"jag and du swap", "echo_sv.ppf", "eko jag och du", "du och jag"},
    {"mig and dig swap", "echo_sv.ppf", "eko hjälp mig, inte dig",
     "hjälp dig"},
    {"mej and dej swap", "echo_sv.ppf", "eko ge mej", "ge dej"},
    {"min and din swap", "echo_sv.ppf", "eko min bok och din penna",
     "din bok och min penna"},
    {"mitt and ditt swap", "echo_sv.ppf", "eko mitt hus och ditt tak",
     "ditt hus och mitt tak"},
    {"mina and dina swap", "echo_sv.ppf", "eko mina skor och dina",
     "dina skor och mina"},
    {"vi and ni swap", "echo_sv.ppf", "eko vi ses och ni också",
     "ni ses och vi också"},
    {"er becomes oss, the pair listed first", "echo_sv.ppf",
     "eko jag gillar er", "du gillar oss"},
    {"oss becomes er", "echo_sv.ppf", "eko ge oss mat", "ge er mat"},
    {"vår becomes er", "echo_sv.ppf", "eko vår katt", "er katt"},
    {"vårt becomes ert", "echo_sv.ppf", "eko vårt hus", "ert hus"},
    {"våra becomes era", "echo_sv.ppf", "eko våra barn", "era barn"},
    // Swedish: only whole words.
    {"a pronoun inside a longer word stays", "echo_sv.ppf",
     "eko jagar du mig", "jagar jag dig"},
    {"mindre and dina keep their letters", "echo_sv.ppf",
     "eko mindre än dina", "mindre än mina"},
    // The Swedish block stops at the English one.
    {"English words stay in a Swedish echo", "echo_sv.ppf",
     "eko my friend and i", "my friend and i"},
    {"Swedish i (in) is not the English I", "echo_sv.ppf", "eko i dag",
     "i dag"},
    // English.
    {"I am becomes you are", "echo_en.ppf", "echo i am happy",
     "you are happy"},
    {"you are becomes I am", "echo_en.ppf", "echo you are my friend",
     "I am your friend"},
    {"me becomes you", "echo_en.ppf", "echo help me", "help you"},
    {"myself becomes yourself", "echo_en.ppf", "echo i hate myself",
     "you hate yourself"},
    {"our becomes your", "echo_en.ppf", "echo our house", "your house"},
};

INSTANTIATE_TEST_SUITE_P(Bots, WordPairs, ::testing::ValuesIn(kPairRows));

// ---- The automatic dialogue ---------------------------------------------

// A window that only holds the five mirrored values, so that the controller
// can run the automatic dialogue without a screen.
class QuietWindow : public IChatWindow {
 public:
  void ReadControls(ChatFields& fields) override { fields = m_fields; }
  void WriteControls(const ChatFields& fields) override { m_fields = fields; }
  int GetViewLineCount() override {
    return static_cast<int>(std::count(m_fields.m_strTranscript.begin(),
                                       m_fields.m_strTranscript.end(), '\n'));
  }
  void ScrollView(int) override {}
  void SelectInputLine() override {}
  std::string GetShownInputLine() override { return m_fields.m_strInputLine; }
  void EnableAnswerButton(bool) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}
  void RunProfileChooser(CChatEngine&, CChatEngine&) override {}
  void RunAboutBox() override {}
  void EndWindow(int) override {}
  bool AskSavePath(std::string&) override { return false; }
  bool OpenFile(const std::string&) override { return false; }
  void ShowMessage(std::string_view, MessageKind) override {}

  const ChatFields& Fields() const { return m_fields; }

 private:
  ChatFields m_fields;
};

// The transcript's lines, without their CR LF.
std::vector<std::string> SplitLines(const std::string& transcript) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = transcript.find("\r\n"); end != std::string::npos;
       end = transcript.find("\r\n", start)) {
    lines.push_back(transcript.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// Starts the window with the automatic dialogue ticked and presses the
// answer button presses times: the first press sends Rimbus's name.
std::vector<std::string> RunDialogue(unsigned seed, int presses) {
  PinnedSeed pinned(seed);
  QuietWindow window;
  CChatDlg dialog(window);
  StartOptions options;
  options.strProfile1 = Shipped("pladdo.ppf");
  options.strProfile2 = Shipped("rimbus.ppf");
  options.strLanguageFile = LanguageFile();
  options.bAutoDialog = true;
  options.bPrintNames = true;
  dialog.Start(options);
  for (int i = 0; i < presses; ++i) dialog.OnAnswer();
  return SplitLines(window.Fields().m_strTranscript);
}

class AutomaticDialogue : public ::testing::TestWithParam<unsigned> {};

TEST_P(AutomaticDialogue, FiftyExchangesStayFreeOfCodesAndMostlyDistinct) {
  const std::vector<std::string> lines = RunDialogue(GetParam(), 51);
  // The welcome, the name and its answer, then two lines per exchange.
  ASSERT_EQ(lines.size(), 1u + 2u * 51u);
  EXPECT_EQ(lines[1], "Rimbus: Rimbus");
  for (const std::string& line : lines) {
    EXPECT_FALSE(HoldsRawMarkup(line)) << Utf8(line);
  }
  const std::set<std::string> distinct(lines.begin(), lines.end());
  EXPECT_GE(distinct.size() * 10, lines.size() * 6)
      << distinct.size() << " distinct of " << lines.size();
}

TEST_P(AutomaticDialogue, BothBotsKeepTalking) {
  // Neither bot may fall into answering every line with its fallback: the
  // two speakers alternate and no line repeats more than a few times.
  const std::vector<std::string> lines = RunDialogue(GetParam(), 51);
  std::map<std::string, int> counts;
  for (std::size_t i = 3; i < lines.size(); ++i) {
    const bool fromRimbus = (i % 2) == 1;
    EXPECT_TRUE(lines[i].starts_with(fromRimbus ? "Rimbus: " : "Pladdo: "))
        << "line " << i << ": " << Utf8(lines[i]);
    ++counts[lines[i]];
  }
  for (const auto& [line, count] : counts) {
    EXPECT_LE(count, 5) << Utf8(line);
  }
}

INSTANTIATE_TEST_SUITE_P(Bots, AutomaticDialogue,
                         ::testing::Values(kSeeds[0], kSeeds[1], kSeeds[2],
                                           kSeeds[3], kSeeds[4]));

}  // namespace
}  // namespace pladdo
