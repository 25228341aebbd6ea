// Tests of the keyword matching: which pattern row matches, what is
// captured, and how the capture's words are swapped.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "tests/engine/EngineTestUtil.h"

namespace pladdo {
namespace {

using test::EngineFixture;
using test::Lines;

using Answers = std::vector<std::string>;

struct MatchRow {
  std::string pattern;  // the pattern row, "?" included
  std::string input;
  bool matches;
  std::string capture;
  const char* what;
};

class KeywordMatch : public EngineFixture {
 protected:
  // True when MatchSpeak matched the single group of the pattern row.
  bool Match(const std::string& patternRow, const std::string& input) {
    UseProfile(Lines({"[SPEAK]", patternRow, "!svar"}));
    m_engine.SetInput(input);
    return m_engine.MatchSpeak();
  }
};

TEST_F(KeywordMatch, MatchesWholeWordsAndCapturesTheRest) {
  const MatchRow rows[] = {
      // Word ends
      {"?hej", "hej", true, "", "whole input"},
      {"?hej", "Hej!", true, "", "punctuation after"},
      {"?hej", "ja, hej p\xE5 dig", true, "p\xE5 dig", "in the middle"},
      {"?hej", "hejsan", false, "", "inside a longer word"},
      {"?hej", "hejsan hej", false, "", "only the first place is tried"},
      {"?hej", "ohej", false, "", "letter before"},
      {"?hej", "\xE5hej", false, "", "Swedish letter before"},
      {"?hej", "hej\xF6", false, "", "Swedish letter after"},
      {"?hej", "1hej2", true, "", "digits are no letters"},
      // Captures
      {"?jag heter*", "Jag heter Anna.", true, "anna", "star at the end"},
      {"?jag heter", "Jag heter Anna.", true, "anna", "no star"},
      {"?jag heter *", "jag heter anna", false, "", "blank before star"},
      {"?jag heter", "jag heter anna lisa", true, "anna lisa", "two words"},
      {"?jag heter", "jag heter  anna  ", true, "anna",
       "capture normalised"},
      {"?jag \xE4r*", "jag \xE4r 25 \xE5r", true, "", "digit stops capture"},
      {"?jag heter", "jag heter x-y", true, "x", "hyphen stops capture"},
      {"?jag heter", "jag heter a", true, "a", "one letter to the end"},
      {"?jag heter", "jag heter", true, "", "nothing after"},
      {"?jag heter", "jag heter.", true, "", "stop right after"},
      {"?jag heter", "jag heter a.", true, "a", "stop two after"},
      // Wildcards
      {"?jag*dig", "jag tycker om dig", true, "", "pieces in order"},
      {"?jag*dig", "jag dig", true, "", "adjacent pieces"},
      {"?jag*dig", "jagar dig", true, "", "only outer ends tested"},
      {"?jag*dig", "dig jag", false, "", "pieces out of order"},
      {"?hej**d\xE5", "hej och d\xE5", true, "", "double star"},
      {"?vad?", "vad?", true, "", "question mark: ?"},
      {"?vad?", "vad!", true, "", "question mark: !"},
      {"?vad?", "vad", false, "", "question mark needs a byte"},
      {"?", "Hej hopp 3", true, "hej hopp", "empty pattern"},
      {"?*", "hej", true, "hej", "star only"},
      {"?  hej   d\xE5 ", "hej d\xE5", true, "", "pattern normalised"},
      {"?hej d\xE5", "hej  d\xE5", false, "", "input not normalised"},
      {"?H\xC4J", "h\xE4j du", true, "du", "Swedish capitals in pattern"},
  };
  for (const MatchRow& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Match(row.pattern, row.input), row.matches);
    if (row.matches) {
      EXPECT_EQ(m_engine.GetCapture(), row.capture);
      EXPECT_EQ(m_engine.GetAnswers(), Answers{"svar"});
    }
  }
}

TEST_F(KeywordMatch, FirstRowInFileOrderWins) {
  UseProfile(Lines({"[SPEAK]", "?hej", "?tja", "!first", "!first2", "?hej",
                    "!second", "?h", "?da", "!third"}));
  const struct {
    std::string input;
    Answers answers;
  } rows[] = {
      {"hej", {"first", "first2"}},
      {"tja", {"first", "first2"}},
      {"da", {"third"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    m_engine.SetInput(row.input);
    EXPECT_TRUE(m_engine.MatchSpeak());
    EXPECT_EQ(m_engine.GetAnswers(), row.answers);
  }
}

TEST_F(KeywordMatch, TheScanRunsPastTheSpeakBlock) {
  UseProfile(Lines({"[START]", "?tidig", "!before", "[SPEAK]", "?hej", "!a",
                    "[NOTFOUND]", "?sen", "!late", "!late2", "[x]", "!y"}));
  const struct {
    std::string input;
    bool matches;
    Answers answers;
  } rows[] = {
      {"sen", true, {"late", "late2"}},
      {"tidig", false, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    m_engine.SetInput(row.input);
    EXPECT_EQ(m_engine.MatchSpeak(), row.matches);
    if (row.matches) {
      EXPECT_EQ(m_engine.GetAnswers(), row.answers);
    }
  }
}

TEST_F(KeywordMatch, AnswersUsingTheCaptureAreDroppedWithoutOne) {
  const struct {
    std::vector<std::string> answers;
    bool matches;
    Answers kept;
  } rows[] = {
      {{"!a %FE%", "!b", "!c %FE% d"}, true, {"b"}},
      {{"!%FE%", "!x%FE%y"}, false, {}},
      {{"!%fe%", "!%@FE%"}, true, {"%fe%", "%@FE%"}},
  };
  for (const auto& row : rows) {
    std::string profile = Lines({"[SPEAK]", "?jag \xE4r"});
    for (const std::string& answer : row.answers) {
      profile += answer + "\n";
    }
    SCOPED_TRACE(profile);
    UseProfile(profile);
    m_engine.SetInput("jag \xE4r 25");
    EXPECT_EQ(m_engine.MatchSpeak(), row.matches);
    EXPECT_EQ(m_engine.GetAnswers(), row.kept);
  }
}

TEST_F(KeywordMatch, NoMatchLeavesListAndCapture) {
  UseProfile(Lines({"[SPEAK]", "?jag heter", "!hej %FE%", "[ett]", "!x"}));
  m_engine.SetInput("jag heter anna");
  ASSERT_TRUE(m_engine.MatchSpeak());
  ASSERT_TRUE(m_engine.LoadBlock("ett"));
  m_engine.SetInput("inget");
  EXPECT_FALSE(m_engine.MatchSpeak());
  EXPECT_EQ(m_engine.GetCapture(), "anna");
  EXPECT_EQ(m_engine.GetAnswers(), Answers{"x"});
  m_engine.SetProfile(m_dir.File("none.ppf"));
  EXPECT_FALSE(m_engine.MatchSpeak());
  EXPECT_EQ(m_engine.GetCapture(), "anna");
}

TEST_F(KeywordMatch, SwapsTheCapturedWordsThroughTheLanguageTable) {
  const std::string table = Lines({
      "[svenska]",
      "\"du\" \"jag\"",
      "\"mig\" \"dig\"",
      "\"min\" \"din\"",
      "\"v\xC3\xA5r\" \"er\"",
  });
  const struct {
    std::string input;
    std::string capture;
  } rows[] = {
      {"Jag tror att du hatar mig", "jag hatar dig"},
      {"jag tror att jag gillar dig", "du gillar mig"},
      {"jag tror att min katt", "din katt"},
      {"jag tror att jagade jag", "jagade jag"},
      {"jag tror att v\xC5r bil", "er bil"},
      {"jag tror att er bil", "v\xE5r bil"},
  };
  for (const bool utf8 : {true, false}) {
    UseLanguageTable(utf8 ? table : Utf8ToCp1252(table));
    UseProfile(Lines({"[INFO]", "language=svenska", "[SPEAK]",
                      "?jag tror att*", "!%FE%"}));
    for (const auto& row : rows) {
      SCOPED_TRACE(row.input);
      m_engine.SetInput(row.input);
      EXPECT_TRUE(m_engine.MatchSpeak());
      EXPECT_EQ(m_engine.GetCapture(), row.capture);
    }
  }
}

struct CaptureRow {
  std::string text;
  std::size_t start;
  std::string capture;
  const char* what;
};

TEST_F(KeywordMatch, CaptureRestStopsAtTheFirstNonLetter) {
  const CaptureRow rows[] = {
      {" hej anna", 4, "anna", "to the end"},
      {" hej anna!", 4, "anna", "to a stop"},
      {" hej!", 4, "", "stop at start"},
      {" hej a!", 5, "", "stop at start + 1 drops the one letter"},
      {" hej a!", 4, "a", "stop at start + 2"},
      {" hej", 4, "", "start at the end"},
      {" hej", 9, "", "start beyond the end"},
      {" hej   \xE5 \xE4  ", 4, "\xE5 \xE4", "Swedish letters, normalised"},
  };
  for (const CaptureRow& row : rows) {
    SCOPED_TRACE(row.what);
    m_engine.CaptureRest(row.text, row.start);
    EXPECT_EQ(m_engine.GetCapture(), row.capture);
  }
}

}  // namespace
}  // namespace pladdo
