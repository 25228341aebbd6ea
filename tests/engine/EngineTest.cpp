// The engine on small profiles written as bytes, and its code pages.
#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Clock.h"
#include "engine/Codepage.h"
#include "engine/ProfileCache.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "tests/TestUtil.h"
#include "tests/engine/EngineTestAccess.h"

namespace pladdo {
namespace {

using Texts = std::vector<std::string>;

std::tm At(int year, int month, int day, int hour, int minute, int second) {
  return std::tm{second, minute, hour, day, month - 1, year - 1900,
                 0,      0,      0,    0,   nullptr};
}

std::string Times(int count, const std::string& text) {
  std::string repeated;
  for (int i = 0; i < count; ++i) repeated += text;
  return repeated;
}

// An engine in a fresh folder, random numbers pinned, the clock fixed.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { PinRandomSeed(1), SetFixedTime(At(2002, 12, 4, 9, 5, 7)); }
  ~EngineTest() override { SetFixedTime(std::nullopt), UnpinRandomSeed(); }
  // A new file each time, never rewritten within one tick of the clock.
  void UseProfile(std::string_view bytes, std::string_view table = "") {
    m_strProfile = m_dir.Write("bot" + std::to_string(++m_nProfiles), bytes);
    m_engine.SetLanguageFile(m_dir.Write("language.dat", table));
    m_engine.SetProfile(m_strProfile);
  }
  std::string Expand(std::string text, int depth = kExpandDepth) {
    m_access.ExpandAnswer(text, depth);
    return text;
  }

  test::TempDir m_dir;
  CChatEngine m_engine;
  CChatEngineTestAccess m_access{m_engine};
  std::string m_strProfile;
  int m_nProfiles = 0;
};

// Profiles streamed from disk, held while young and watched, held once aged.
class FromDiskAndMemory : public EngineTest,
                          public ::testing::WithParamInterface<std::string> {
 protected:
  FromDiskAndMemory() {
    CProfileStream::ClearCache();
    if (GetParam() == "Streamed") CProfileStream::SetMaxHeldFileBytes(0);
    if (GetParam() == "Aged") CProfileStream::SetCacheMargin({});
  }
  ~FromDiskAndMemory() override {
    CProfileStream::SetMaxHeldFileBytes(kMaxHeldFileBytes);
    CProfileStream::SetCacheMargin(kProfileCacheMargin);
    CProfileStream::ClearCache();
  }
};
INSTANTIATE_TEST_SUITE_P(Engine, FromDiskAndMemory,
                         ::testing::Values("Streamed", "Young", "Aged"),
                         [](const auto& row) { return row.param; });

TEST_P(FromDiskAndMemory,
       BlockReaderReadsTheAnswerRowsOfTheFirstMatchingBlock) {
  const std::string x(1021, 'x'), a = "\xC3\xA5";
  // clang-format off
  const struct { std::string profile, block; Texts answers; } rows[] = {
      {"\t[START]\n\t!Hej # vad bra\n \t \n# only a comment\n\n!a\n", "START", {"Hej", "a"}},
      {"[START]\r\n!   Hej    p\xE5   dig  \r\n! Hej\r\n!", "START", {"Hej p\xE5 dig", "Hej", ""}},
      {"[welcome] greetings\n!a\n", "WELCOME", {"a"}},
      {"[ WELCOME ]\n!a\nx[WELCOME]\n!b\n", "WELCOME", {}},
      {"[ab]\n!1\n[a]\n!2\n", "a?", {"1"}},
      {"[START]\n!a\n!b\n[REPEAT]\n!c\n", "START", {"a", "b"}},
      {"[START]\n?x\n!a\n?y\n!b\n", "START", {"a"}},
      {"[START]\n!a\nhello\n!b\n", "START", {"a"}},
      {"!a\n[NOTFOUND]\n!a\n[NOTFOUND]\n!b\n", "NOTFOUND", {"a"}},
      // 1023 letters after conversion, never half a letter; else 1023 bytes.
      {"[START]\n!" + Times(600, a) + "\n!slut\n", "START", {Times(600, "\xE5"), "slut"}},
      {"[START]\n!" + Times(5000, a) + "\n!slut\n", "START", {Times(1022, "\xE5"), "slut"}},
      {"[START]\n!" + x + a + "z\n", "START", {x + "\xE5"}},
      {"[START]\n!\xF6" + x.substr(1) + "\xC3z\n!\xC3\xA5\n", "START", {"\xF6" + x.substr(1) + "\xC3", "\xE5"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile.substr(0, 40));
    UseProfile(row.profile);
    EXPECT_TRUE(m_access.LoadBlock(row.block));
    EXPECT_EQ(m_access.Answers(), row.answers);
  }
}

TEST_F(EngineTest, AChangedFileIsReadAgainAndIndexedAgainOnlyForNewBytes) {
  const std::string before = "[START]\n!alfa\n";
  // The file rewritten (or renamed over it; "-": removed) with the same times:
  // the next lookup's answers, whole reads and index builds.
  // clang-format off
  const struct { const char* change; std::string bytes; bool renamed; Texts answers; int reads, builds; } rows[] = {
      {"nothing", "", false, {"alfa"}, 0, 0},
      {"the same bytes saved again", before, false, {"alfa"}, 1, 0},
      {"other bytes of the same size", "[START]\n!beta\n", false, {"beta"}, 1, 1},
      {"the same bytes renamed over it", before, true, {"alfa"}, 1, 0},
      {"a row added", before + "!gamma\n", false, {"alfa", "gamma"}, 1, 1},
      {"removed", "-", false, {}, 0, 0},
  };
  // clang-format on
  for (const std::string mode : {"watched", "not watched", "aged"}) {
    SetProfileWatching(mode != "not watched");
    CProfileStream::SetCacheMargin(mode == "aged" ? std::chrono::seconds(0)
                                                  : kProfileCacheMargin);
    for (const auto& row : rows) {
      SCOPED_TRACE(row.change + (", " + mode));
      UseProfile(before);
      test::SetFixedTimes(m_strProfile);
      ASSERT_TRUE(m_access.LoadBlock("START"));
      const ProfileCacheCounters start = GetProfileCacheCounters();
      const std::string path = m_strProfile + (row.renamed ? ".new" : "");
      if (row.bytes == "-") std::filesystem::remove(path);
      if (row.bytes != "-" && !row.bytes.empty()) {
        test::WriteFile(path, row.bytes);
        test::SetFixedTimes(path);
      }
      if (row.renamed) std::filesystem::rename(path, m_strProfile);
      const bool loaded = m_access.LoadBlock("START");
      EXPECT_EQ(loaded ? m_access.Answers() : Texts{}, row.answers);
      const ProfileCacheCounters end = GetProfileCacheCounters();
      const int reads = mode == "not watched" && loaded ? 1 : row.reads;
      EXPECT_EQ(end.fileReads - start.fileReads, reads);
      EXPECT_EQ(end.indexBuilds - start.indexBuilds,
                mode == "aged" ? reads : row.builds);
    }
  }
  SetProfileWatching(true);
  CProfileStream::SetCacheMargin(kProfileCacheMargin);
}

TEST_P(FromDiskAndMemory, KeywordMatchTakesWholeWordsAndCapturesTheWordsAfter) {
  // clang-format off
  const struct { std::string pattern, input, capture; } rows[] = {  // "-": none
      {"hej", "ja, hej p\xE5 dig", "p\xE5 dig"},
      {"hej", "hejsan hej", "-"}, {"hej", "\xE5hej", "-"}, {"hej", "1hej2", ""},
      {"H\xC4J", "h\xE4j du", "du"},
      {"jag heter*", "Jag heter Anna.", "anna"},
      {"jag heter *", "jag heter anna", "-"},
      {"jag heter", "jag heter  anna  lisa 25 \xE5r", "anna lisa"},
      {"vad?", "vad", "-"}, {"", "Hej hopp 3", "hej hopp"},
      {"h?j", "ja hoj d\xE5", "d\xE5"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.pattern + " | " + row.input);
    // Answers echoing the capture go when it is empty; %fe% is a block.
    UseProfile("[SPEAK]\n?" + row.pattern + "\n!a %fe%\n!<%FE%>\n!%@FE%!\n");
    m_engine.SetInput(row.input);
    EXPECT_EQ(m_access.MatchSpeak() ? m_engine.GetCapture() : "-", row.capture);
    if (row.capture != "-") {
      EXPECT_EQ(m_access.Answers().size(), row.capture.empty() ? 1u : 3u);
    }
  }
}

TEST_P(FromDiskAndMemory,
       KeywordMatchTakesTheFirstRowFromSpeakToTheEndOfTheFile) {
  UseProfile(
      "[START]\n?tidig\n!before\n[SPEAK]\n?hej\n?tja\n!first\n!first2\n"
      "?hej\n!second\n?h\n[NOTFOUND]\n?sen\n!late\n[x]\n!y\n"
      "?jag heter\n!hej %FE%\n?ingen\n!%FE%\n!x%FE%y\n?ingen\n!z\n");
  // clang-format off
  const struct { std::string input; bool matches; Texts answers; } rows[] = {
      {"hej", true, {"first", "first2"}}, {"tja", true, {"first", "first2"}},
      {"sen", true, {"late"}},
      {"jag heter bo", true, {"hej %FE%"}},
      {"tidig", false, {"hej %FE%"}},  // no match leaves list and capture
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    m_engine.SetInput(row.input);
    EXPECT_EQ(m_access.MatchSpeak(), row.matches);
    EXPECT_EQ(m_access.Answers(), row.answers);
  }
  EXPECT_EQ(m_engine.GetCapture(), "bo");
  m_engine.SetInput("ingen");  // every answer dropped: no match, no later row
  EXPECT_FALSE(m_access.MatchSpeak());
}

TEST_F(EngineTest, ExpansionReplacesEveryVariableWithinDepthAndBudget) {
  const std::string blocks =
      "[en]\n!\xC3\xA5ska\n[a]\n!x %a%\n[dubbel]\n!%dubbel% %dubbel%\n"
      "[tom]\n?x\n[tomrad]\n!\n[kedja]\n!%en% och %@en%\n";
  const std::string file = m_dir.Write("ord", "[f\xC3\xA4rg]\n!bl\xC3\xA5\n");
  const std::string none = m_dir.File("saknas");
  // clang-format off
  const struct { std::string user, capture, text, expected; } rows[] = {
      {"\xE5sa", "", "Hej %NAME_USER%! %@NAME_USER%", "Hej \xE5sa! \xC5sa"},
      {"", "anna", "%NAME_PLADDO%: %FE%, %@FE%", "Pladdo: anna, Anna"},
      {"", "", "100%% s\xE4ker %%NAME_USER%% 50% av oss", "100% s\xE4ker %NAME_USER% 50% av oss"},
      {"Anna", "", "50% av %NAME_USER%", "50[av#ERROR_NOVARIABLE#]NAME_USER%"},
      {"", "", "%SYS_TIME_H%.%SYS_TIME_MM% %SYS_TIME_HH%:%SYS_TIME_M% %SYS_TIME_SS% %SYS_TIME_S%",
       "9.05 09:5 07 7"},
      {"", "", "%SYS_DATE_D%/%SYS_DATE_M% %SYS_DATE_DD%.%SYS_DATE_MM%.%SYS_DATE_YY%", "4/12 04.12.02"},
      {"", "", "%@en%! % EN % %kedja%", "\xC5ska! \xE5ska \xE5ska och \xC5ska"},
      {"", "", "%tom%<%tomrad%>", "[tom#ERROR_NOVARIABLE#]<>"},
      {"", "", "%" + file + "|f\xE4rg% %@" + file + "| f\xE4rg %", "bl\xE5 Bl\xE5"},
      {"", "", "%" + none + "|en%", "[#ERROR_VARIABELCANTOPENFILE# " + none + " ]"},
  };
  // clang-format on
  for (const bool utf8 : {true, false}) {
    UseProfile(utf8 ? blocks : Utf8ToCp1252(blocks));
    for (const auto& row : rows) {
      SCOPED_TRACE(row.text + (utf8 ? ", UTF-8" : ", Windows-1252"));
      m_engine.SetUserName(row.user);
      m_access.CaptureRest(" " + row.capture, 0);
      EXPECT_EQ(Expand(row.text), row.expected);
    }
  }
  for (const int depth : {0, 20, 21}) {
    EXPECT_EQ(Expand("%a%", depth),
              Times(depth, "x ") + "[#ERROR_LOOPPROTECTION# x %a%]");
  }
  const std::string within = Times(kExpandBudget, "%%");
  const std::string percents(static_cast<std::size_t>(kExpandBudget), '%');
  for (int twice = 0; twice < 2; ++twice) {  // each answer gets a new budget
    EXPECT_EQ(Expand(within), percents);
    EXPECT_EQ(
        Expand(within + "%%%en%"),
        percents + "[#ERROR_LOOPPROTECTION# %%][#ERROR_LOOPPROTECTION# %en%]");
  }
  const std::string doubled = Expand("%dubbel%");
  EXPECT_NE(doubled.find("[#ERROR_LOOPPROTECTION# %dubbel% %dubbel%]"),
            doubled.npos);
  EXPECT_EQ(Expand("%dubbel%"), doubled);
}

TEST_F(EngineTest, WideBranchingExpandsWholeWithinTheBudgetAndTheSizeLimit) {
  // 48 blocks each naming 200 others: 9,648 evaluations, within the budget.
  std::string profile, leaves, leaf, text, expected;
  for (int i = 0; i < 200; ++i) {
    const std::string name = {char('a' + i / 26), char('a' + i % 26)};
    profile += "[" + name + "]\n!" + name[1] + "\n";
    leaves += "%" + name + "%", leaf += name[1];
  }
  for (int i = 0; i < 48; ++i) {
    profile += "[g" + std::to_string(i) + "]\n!" + leaves + "\n";
    text += " %g" + std::to_string(i) + "%", expected += " " + leaf;
  }
  UseProfile(profile);
  EXPECT_EQ(Expand(text), expected);

  // Four values that fill the answer exactly; four one byte longer, of which
  // the fourth is left out like every variable after it.
  const std::string names = Times(4, "%NAME_USER%");
  const std::size_t quarter = kMaxAnswerBytes / 4;
  m_engine.SetUserName(std::string(quarter, 'x'));
  std::string expanded = Expand(names);
  EXPECT_TRUE(expanded == std::string(kMaxAnswerBytes, 'x'));
  m_engine.SetUserName(std::string(quarter + 1, 'x'));
  expanded = Expand(names + "%%");
  EXPECT_TRUE(expanded == std::string(3 * (quarter + 1), 'x') +
                              "[#ERROR_LOOPPROTECTION# %NAME_USER%]"
                              "[#ERROR_LOOPPROTECTION# %%]");
}

TEST_F(EngineTest, TheWorkedConversationRunsAsDescribedInBothEncodings) {
  const std::string profile =
      "[INFO]\nname=Exempel\nlanguage=svenska\n[NAME]\n!Kalle\n"
      "[WELCOME]\n!Hej! Vad heter du?\n"
      "[START]\n!Trevligt att tr\xC3\xA4"
      "ffas, %NAME_USER%.\n"
      "[REPEAT]\n!Du upprepar dig.\n[IMITATE]\n!H\xC3\xA4rmar du mig?\n"
      "[SPEAK]\n?jag heter*\n?mitt namn \xC3\xA4r*\n"
      "!Hej %@FE%, jag heter %NAME_PLADDO%.\n"
      "?klockan\n!Den \xC3\xA4r %SYS_TIME_HH%.%SYS_TIME_MM%.\n"
      "?jag tror att\n!Varf\xC3\xB6r tror du att %FE%?\n"
      "[NOTFOUND]\n!%sv\xC3\xA5r%\n[SV\xC3\x85R]\n!Ber\xC3\xA4tta "
      "mer.\n!Jas\xC3\xA5?\n";
  // A word twice: the first row wins.
  const std::string table =
      "[svenska]\n\"du\" \"jag\"\n\"mig\" \"dig\"\n\"v\xC3\xA5r\" \"er\"\n"
      "\"du\" \"X\"\n";
  SetFixedTime(At(2026, 5, 17, 14, 5, 0));
  // clang-format off
  const struct { std::string input, reply, capture; } turns[] = {
      {"", "Hej! Vad heter du?", ""},
      {"Anna", "Trevligt att tr\xE4" "ffas, Anna.", ""},
      {"Jag heter Anna.", "Hej Anna, jag heter Kalle.", "anna"},
      {"Mitt namn \xC4r \xD6rjan", "Hej \xD6rjan, jag heter Kalle.", "\xF6rjan"},
      {"Jag tror att du hatar mig", "Varf\xF6r tror du att jag hatar dig?", "jag hatar dig"},
      {"jag tror att v\xC5r katt jagade jag", "Varf\xF6r tror du att er katt jagade jag?",
       "er katt jagade jag"},
      {"Vad \xE4r klockan?", "Den \xE4r 14.05.", ""}, {"Vad \xE4r klockan?", "Du upprepar dig.", ""},
      // NOTFOUND draws from its block; an answer typed back brings IMITATE.
      {"vet inte", "Jas\xE5?", ""}, {"Jas\xE5?", "Jas\xE5?", ""}, {"nej", "H\xE4rmar du mig?", ""},
  };
  // clang-format on
  for (const bool utf8 : {true, false}) {
    PinRandomSeed(1);
    UseProfile(utf8 ? profile : Utf8ToCp1252(profile),
               utf8 ? table : Utf8ToCp1252(table));
    m_engine.Reset();
    m_engine.SetBotName();
    EXPECT_EQ(m_engine.GetBotName(), "Kalle");
    m_engine.SetUserName("Anna");
    for (const auto& turn : turns) {
      SCOPED_TRACE(turn.input + (utf8 ? ", UTF-8" : ", Windows-1252"));
      if (!turn.input.empty()) m_engine.SetInput(turn.input);
      EXPECT_EQ(
          turn.input.empty() ? m_engine.GetWelcome() : m_engine.GetReply(),
          turn.reply);
      EXPECT_EQ(m_engine.GetCapture(), turn.capture);
    }
  }
}

}  // namespace
}  // namespace pladdo
