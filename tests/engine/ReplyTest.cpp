// Tests of the engine object, the random pick, the welcome and the choice of
// the replying block, with the worked conversation end to end.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "tests/engine/EngineTestUtil.h"

namespace pladdo {
namespace {

using test::EngineFixture;
using test::Lines;
using test::MakeTime;
using test::WriteBytes;

using Answers = std::vector<std::string>;

// ---- The random generator -------------------------------------------------

TEST(Random, APinnedSeedGivesTheRuntimeSequence) {
  // The sequence of the Microsoft C runtime's rand() after srand(1).
  PinRandomSeed(1);
  const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
  for (int value : expected) {
    EXPECT_EQ(DrawRandom(), value);
  }
  UnpinRandomSeed();
}

TEST(Random, ANewEngineDoesNotReseedAPinnedGenerator) {
  PinRandomSeed(7);
  const int first = DrawRandom();
  PinRandomSeed(7);
  CChatEngine engine;
  EXPECT_EQ(DrawRandom(), first);
  UnpinRandomSeed();
}

// ---- The engine object ----------------------------------------------------

class EngineObject : public EngineFixture {};

TEST_F(EngineObject, StartsWithAnEmptyConversation) {
  CChatEngine engine;
  EXPECT_FALSE(engine.HasUserName());
  EXPECT_EQ(engine.GetBotName(), "Pladdo");
  EXPECT_EQ(engine.GetLanguageFile(), "language.dat");
  EXPECT_EQ(engine.GetProfilePath(), "");
  EXPECT_TRUE(engine.IsFirstTurn());
  EXPECT_EQ(engine.GetLineCount(), 0);
}

TEST_F(EngineObject, SetInputStoresLowerCaseAndShifts) {
  m_engine.SetInput("Hej DU \xC5");
  EXPECT_EQ(m_engine.GetInput(), "hej du \xE5");
  EXPECT_EQ(m_engine.GetPrevInput(), "");
  m_engine.SetInput("  Nu  ");
  EXPECT_EQ(m_engine.GetInput(), "  nu  ");
  EXPECT_EQ(m_engine.GetPrevInput(), "hej du \xE5");
}

TEST_F(EngineObject, ResetStartsAnewButKeepsProfileAndTable) {
  UseLanguageTable(Lines({"[svenska]", "\"jag\" \"du\""}));
  UseProfile(Lines({"[INFO]", "language=svenska", "[NAME]", "!Kalle",
                    "[START]", "!s"}));
  m_engine.SetBotName();
  m_engine.SetUserName("Anna");
  m_engine.SetInput("a");
  m_engine.GetReply();
  m_engine.Reset();
  EXPECT_FALSE(m_engine.HasUserName());
  EXPECT_EQ(m_engine.GetBotName(), "Pladdo");
  EXPECT_TRUE(m_engine.IsFirstTurn());
  EXPECT_EQ(m_engine.GetInput(), "");
  EXPECT_EQ(m_engine.GetAnswer(), "");
  EXPECT_EQ(m_engine.GetProfilePath(), m_strProfile);
  EXPECT_EQ(m_engine.GetFromWords(), (Answers{"jag", "du"}));
  // The first input after a reset has an empty previous input.
  m_engine.SetInput("b");
  EXPECT_EQ(m_engine.GetPrevInput(), "");
}

TEST_F(EngineObject, SetBotNameTakesTheNameFromTheNameBlock) {
  const struct {
    std::string profile;
    std::string expected;
    const char* what;
  } rows[] = {
      {Lines({"[NAME]", "!Kalle"}), "Kalle", "one row"},
      {Lines({"[NAME]", "!%NAME_USER%"}), "%NAME_USER%", "not expanded"},
      {Lines({"[START]", "!a"}), "#ERROR_NOVARIABLEANSWER#", "no NAME block"},
      {Lines({"[NAME]", "?x"}), "#ERROR_NOVARIABLEANSWER#", "no answer row"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(row.profile);
    m_engine.SetBotName();
    EXPECT_EQ(m_engine.GetBotName(), row.expected);
  }
  const struct {
    std::string path;
    const char* what;
  } noProfile[] = {{"", "empty path"}, {m_dir.File("none.ppf"), "missing"}};
  for (const auto& row : noProfile) {
    SCOPED_TRACE(row.what);
    m_engine.SetBotName("X");
    m_engine.SetProfile(row.path);
    m_engine.SetBotName();
    EXPECT_EQ(m_engine.GetBotName(), "Pladdo");
  }
}

TEST_F(EngineObject, SetBotNameDrawsEachNameAboutEquallyOften) {
  UseProfile(Lines({"[NAME]", "!Ada", "!Bo", "!Cilla"}));
  std::map<std::string, int> counts;
  for (int i = 0; i < 3000; ++i) {
    m_engine.SetBotName();
    ++counts[m_engine.GetBotName()];
  }
  ASSERT_EQ(counts.size(), 3u);
  for (const auto& [name, count] : counts) {
    SCOPED_TRACE(name);
    EXPECT_GT(count, 800);
    EXPECT_LT(count, 1200);
  }
}

// ---- Choosing the block -----------------------------------------------------

const std::string kSelectionProfile = Lines({
    "[WELCOME]", "!welcome",  //
    "[START]", "!start",      //
    "[REPEAT]", "!repeat",    //
    "[IMITATE]", "!imitate",  //
    "[SPEAK]", "?hej", "!speak",  //
    "[NOTFOUND]", "!notfound",
});

struct TurnRow {
  std::vector<std::string> inputs;  // one GetReply after each
  std::vector<std::string> replies;
  const char* what;
};

class ReplySelection : public EngineFixture {};

TEST_F(ReplySelection, ChoosesTheBlockOfTheSituation) {
  const TurnRow rows[] = {
      {{"hej", "hej"}, {"start", "repeat"},
       "first turn is START even for a keyword"},
      {{"x", "hej", "HEJ"}, {"start", "speak", "repeat"},
       "REPEAT ignores case"},
      {{"x", "hej", "hej!"}, {"start", "speak", "speak"},
       "punctuation makes a new input"},
      {{"x", "nothing"}, {"start", "notfound"}, "no keyword: NOTFOUND"},
      {{"x", "Notfound", "b"}, {"start", "notfound", "imitate"},
       "previous input equals the last answer"},
      {{"x", "notfound", "notfound"}, {"start", "notfound", "repeat"},
       "REPEAT comes before IMITATE"},
  };
  for (const TurnRow& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(kSelectionProfile);
    m_engine.Reset();
    ASSERT_EQ(row.inputs.size(), row.replies.size());
    for (std::size_t i = 0; i < row.inputs.size(); ++i) {
      SCOPED_TRACE(row.inputs[i]);
      m_engine.SetInput(row.inputs[i]);
      EXPECT_EQ(m_engine.GetReply(), row.replies[i]);
    }
  }
}

TEST_F(ReplySelection, AMissingSpecialBlockStillTakesTheTurn) {
  const struct {
    std::string profile;
    std::vector<std::string> inputs;
    std::vector<std::string> replies;
    const char* what;
  } rows[] = {
      {Lines({"[SPEAK]", "?hej", "!speak", "[NOTFOUND]", "!nf"}),
       {"hej", "hej"},
       {"#ERROR_NOVARIABLEANSWER#", "#ERROR_NOVARIABLEANSWER#"},
       "no START, then no REPEAT"},
      {Lines({"[START]", "!s"}), {"a", "b"}, {"s", "#ERROR_NOVARIABLEANSWER#"},
       "no SPEAK and no NOTFOUND"},
      {Lines({"[START]", "!A", "[NOTFOUND]", "!nf"}), {"a", "b"},
       {"A", "#ERROR_NOVARIABLEANSWER#"}, "no IMITATE block"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(row.profile);
    m_engine.Reset();
    for (std::size_t i = 0; i < row.inputs.size(); ++i) {
      SCOPED_TRACE(row.inputs[i]);
      m_engine.SetInput(row.inputs[i]);
      EXPECT_EQ(m_engine.GetReply(), row.replies[i]);
      EXPECT_EQ(m_engine.GetAnswer(), row.replies[i]);
    }
  }
}

TEST_F(ReplySelection, WelcomeReportsWhatIsMissing) {
  const struct {
    std::string profile;
    std::string expected;
    const char* what;
  } rows[] = {
      {Lines({"[WELCOME]", "!Hej %NAME_PLADDO%"}), "Hej Pladdo", "expanded"},
      {Lines({"[WELCOME]", "?hej"}), "#ERROR_WELCOMEEMPTY#",
       "only a pattern row"},
      {Lines({"[START]", "!a"}), "#ERROR_WELCOMEEMPTY#", "no WELCOME block"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    UseProfile(row.profile);
    EXPECT_EQ(m_engine.GetWelcome(), row.expected);
  }
}

TEST_F(ReplySelection, WelcomeLeavesTheFirstTurnAlone) {
  UseProfile(kSelectionProfile);
  EXPECT_EQ(m_engine.GetWelcome(), "welcome");
  EXPECT_TRUE(m_engine.IsFirstTurn());
  m_engine.SetInput("hej");
  EXPECT_EQ(m_engine.GetReply(), "start");
}

TEST_F(ReplySelection, AProfileThatCannotBeOpenedGivesMessageCodes) {
  const struct {
    std::string path;
    const char* what;
  } rows[] = {
      {"", "empty path"},
      {m_dir.File("none.ppf"), "missing file"},
      {m_dir.Path().string(), "a directory"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    m_engine.Reset();
    m_engine.SetProfile(row.path);
    EXPECT_EQ(m_engine.GetWelcome(), "#ERROR_CANTOPENFILE#");
    for (int turn = 0; turn < 3; ++turn) {
      m_engine.SetInput("hej");
      EXPECT_EQ(m_engine.GetReply(), "#ERROR_NOPROFILE#");
      EXPECT_FALSE(m_engine.IsFirstTurn());
    }
  }
}

TEST_F(ReplySelection, AFailedReplyKeepsTheLowerCasedLastAnswer) {
  UseProfile(Lines({"[START]", "!Hej D\xC5"}));
  m_engine.SetInput("a");
  EXPECT_EQ(m_engine.GetReply(), "Hej D\xC5");
  std::filesystem::remove(m_strProfile);
  m_engine.SetInput("b");
  EXPECT_EQ(m_engine.GetReply(), "#ERROR_NOPROFILE#");
  EXPECT_EQ(m_engine.GetAnswer(), "hej d\xE5");
}

TEST_F(ReplySelection, APickFromTwoRowsGivesBothAndMayRepeat) {
  UseProfile(Lines({"[NOTFOUND]", "!a", "!b"}));
  ASSERT_TRUE(m_engine.LoadBlock("NOTFOUND"));
  std::map<std::string, int> counts;
  bool repeated = false;
  std::string previous;
  for (int i = 0; i < 200; ++i) {
    const std::string pick = m_engine.PickAnswer();
    repeated = repeated || pick == previous;
    previous = pick;
    ++counts[pick];
  }
  EXPECT_EQ(counts.size(), 2u);
  EXPECT_TRUE(repeated);
  EXPECT_EQ(m_engine.GetAnswers(), (Answers{"a", "b"}));
}

// ---- Files that change under the engine -------------------------------------

TEST_F(ReplySelection, AnEditedProfileIsUsedFromTheNextLookup) {
  UseProfile(Lines({"[START]", "!s", "[NOTFOUND]", "!old"}));
  m_engine.SetInput("a");
  EXPECT_EQ(m_engine.GetReply(), "s");
  m_engine.SetInput("b");
  EXPECT_EQ(m_engine.GetReply(), "old");
  WriteBytes(m_strProfile, Lines({"[NOTFOUND]", "!new"}));
  m_engine.SetInput("c");
  EXPECT_EQ(m_engine.GetReply(), "new");
}

TEST_F(ReplySelection, ADeletedProfileGivesTheCodeAndComesBack) {
  UseProfile(Lines({"[START]", "!s", "[NOTFOUND]", "!nf"}));
  m_engine.SetInput("a");
  EXPECT_EQ(m_engine.GetReply(), "s");
  std::filesystem::remove(m_strProfile);
  m_engine.SetInput("b");
  EXPECT_EQ(m_engine.GetReply(), "#ERROR_NOPROFILE#");
  EXPECT_EQ(m_engine.GetWelcome(), "#ERROR_CANTOPENFILE#");
  WriteBytes(m_strProfile, Lines({"[NOTFOUND]", "!back"}));
  m_engine.SetInput("c");
  EXPECT_EQ(m_engine.GetReply(), "back");
}

// ---- The worked conversation ----------------------------------------------

// The example bot, in UTF-8 as the source file is written.
const std::string kExampleUtf8 = Lines({
    "[INFO]",
    "name=Exempel",
    "[NAME]",
    "!Kalle",
    "[WELCOME]",
    "!Hej! Vad heter du?",
    "[START]",
    "!Trevligt att tr\xC3\xA4" "ffas, %NAME_USER%.",
    "[REPEAT]",
    "!Du upprepar dig.",
    "[IMITATE]",
    "!H\xC3\xA4rmar du mig?",
    "[SPEAK]",
    "?jag heter*",
    "?mitt namn \xC3\xA4r*",
    "!Hej %@FE%, jag heter %NAME_PLADDO%.",
    "?klockan",
    "!Den \xC3\xA4r %SYS_TIME_HH%.%SYS_TIME_MM%.",
    "[NOTFOUND]",
    "!%svar%",
    "[svar]",
    "!Ber\xC3\xA4tta mer.",
    "!Jas\xC3\xA5?",
});

class WorkedExample : public EngineFixture,
                      public ::testing::WithParamInterface<bool> {};

TEST_P(WorkedExample, RunsAsDescribed) {
  const bool utf8 = GetParam();
  UseProfile(utf8 ? kExampleUtf8 : Utf8ToCp1252(kExampleUtf8));
  SetFixedTime(MakeTime(2026, 5, 17, 14, 5, 0));

  // What the window does at a restart and with the first input.
  m_engine.Reset();
  m_engine.SetBotName();
  EXPECT_EQ(m_engine.GetBotName(), "Kalle");
  EXPECT_EQ(m_engine.GetWelcome(), "Hej! Vad heter du?");

  m_engine.SetUserName("Anna");
  m_engine.SetInput("Anna");
  EXPECT_EQ(m_engine.GetReply(), "Trevligt att tr\xE4" "ffas, Anna.");

  m_engine.SetInput("Jag heter Anna.");
  EXPECT_EQ(m_engine.GetReply(), "Hej Anna, jag heter Kalle.");
  EXPECT_EQ(m_engine.GetCapture(), "anna");

  m_engine.SetInput("Vad \xE4r klockan?");
  EXPECT_EQ(m_engine.GetReply(), "Den \xE4r 14.05.");
  EXPECT_EQ(m_engine.GetCapture(), "");

  m_engine.SetInput("Vad \xE4r klockan?");
  EXPECT_EQ(m_engine.GetReply(), "Du upprepar dig.");

  const std::string kMore = "Ber\xE4tta mer.";
  const std::string kReally = "Jas\xE5?";
  m_engine.SetInput("Det vet jag inte");
  const std::string sixth(m_engine.GetReply());
  EXPECT_TRUE(sixth == kMore || sixth == kReally) << sixth;

  // The user types the bot's answer: neither equals the previous input
  // "det vet jag inte", so NOTFOUND answers again.
  m_engine.SetInput(sixth);
  const std::string seventh(m_engine.GetReply());
  EXPECT_TRUE(seventh == kMore || seventh == kReally) << seventh;

  // Now the previous input equals the last answer exactly when NOTFOUND
  // gave the same answer twice: then IMITATE takes the next input.
  m_engine.SetInput("Och sen?");
  const std::string eighth(m_engine.GetReply());
  if (seventh == sixth) {
    EXPECT_EQ(eighth, "H\xE4rmar du mig?");
  } else {
    EXPECT_TRUE(eighth == kMore || eighth == kReally) << eighth;
  }
}

INSTANTIATE_TEST_SUITE_P(BothEncodings, WorkedExample, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& row) {
                           return row.param ? "Utf8" : "Windows1252";
                         });

}  // namespace
}  // namespace pladdo
