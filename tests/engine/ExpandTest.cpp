// Tests of the answer expansion: built-in variables, block variables, files,
// the capital marker, the nesting depth and the evaluation budget.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/Codepage.h"
#include "engine/TextUtil.h"
#include "tests/engine/EngineTestUtil.h"

namespace pladdo {
namespace {

using test::EngineFixture;
using test::Lines;
using test::MakeTime;
using test::WriteBytes;

// The bot's blocks for the expansion tests, in UTF-8.
const std::string kBlocksUtf8 = Lines({
    "[h\xC3\xA4lsning]",
    "!hej",
    "!tjena",
    "[en]",
    "!\xC3\xA5ska",
    "[a]",
    "!x %a%",
    "[dubbel]",
    "!%dubbel% %dubbel%",
    "[tom]",
    "?x",
    "[tomrad]",
    "!",
    "[kedja]",
    "!%en% och %@en%",
});

struct ExpandRow {
  std::string userName;
  std::string capture;
  std::string text;
  std::string expected;
  const char* what;
};

class Expansion : public EngineFixture,
                  public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    UseProfile(GetParam() ? kBlocksUtf8 : Utf8ToCp1252(kBlocksUtf8));
  }
  std::string Expand(std::string text, int depth = kExpandDepth) {
    m_engine.ExpandAnswer(text, depth);
    return text;
  }
};

TEST_P(Expansion, ReplacesEveryVariableByItsValue) {
  const ExpandRow rows[] = {
      // Names and capture
      {"Anna", "", "Hej %NAME_USER%!", "Hej Anna!", "user name"},
      {"anna", "", "%@NAME_USER%", "Anna", "capital marker"},
      {"\xE5sa", "", "%@NAME_USER%", "\xC5sa", "capital Swedish letter"},
      {"", "", "%@NAME_USER%.", ".", "capital of nothing"},
      {"", "", "%NAME_PLADDO%", "Pladdo", "bot name"},
      {"", "anna", "Hej %FE%, %@FE%", "Hej anna, Anna", "capture"},
      {"", "", "[%FE%]", "[]", "empty capture"},
      {"%SYS_DATE_YYYY%", "", "%NAME_USER%", "2002",
       "values are expanded too"},
      // Percent signs
      {"", "", "100%% s\xE4ker", "100% s\xE4ker", "double percent"},
      {"", "", "%%NAME_USER%%", "%NAME_USER%", "percent around a name"},
      {"", "", "50% av oss", "50% av oss", "no closing sign"},
      {"Anna", "", "50% av %NAME_USER%", "50[av#ERROR_NOVARIABLE#]NAME_USER%",
       "a variable between two signs"},
      {"", "", "", "", "empty text"},
      // Clock at 09:05:07 on 4 December 2002
      {"", "", "%SYS_TIME_H%.%SYS_TIME_MM%", "9.05", "hour and minute"},
      {"", "", "%SYS_TIME_HH%:%SYS_TIME_M%", "09:5", "two and one digits"},
      {"", "", "%SYS_TIME_SS% %SYS_TIME_S%", "07 7", "seconds"},
      {"", "", "%SYS_DATE_D%/%SYS_DATE_M% %SYS_DATE_YY%", "4/12 02", "date"},
      {"", "", "%SYS_DATE_DD%.%SYS_DATE_MM%.%SYS_DATE_YYYY%", "04.12.2002",
       "date, two digits"},
      // Block variables
      {"", "", "%en%!", "\xE5ska!", "block"},
      {"", "", "%@en%!", "\xC5ska!", "block, capital"},
      {"", "", "% en %", "\xE5ska", "blanks around the name"},
      {"", "", "%EN%", "\xE5ska", "case ignored"},
      {"", "", "%kedja%", "\xE5ska och \xC5ska", "values nest"},
      {"", "", "%name_user%", "[name_user#ERROR_NOVARIABLE#]",
       "built-ins are case-sensitive"},
      {"", "", "%@ok\xE4nd%", "[ok\xE4nd#ERROR_NOVARIABLE#]",
       "missing block, never capitalised"},
      {"", "", "%  ok  \xE4nd %", "[ok \xE4nd#ERROR_NOVARIABLE#]",
       "name normalised in the note"},
      {"", "", "%tom%", "[tom#ERROR_NOVARIABLE#]", "block without answers"},
      {"", "", "<%tomrad%>", "<>", "empty answer row"},
  };
  for (const ExpandRow& row : rows) {
    SCOPED_TRACE(row.what);
    m_engine.SetUserName(row.userName);
    m_engine.CaptureRest(" " + row.capture, 0);
    EXPECT_EQ(Expand(row.text), row.expected);
  }
}

TEST_P(Expansion, TheHoursAtMidnight) {
  SetFixedTime(MakeTime(2009, 1, 1, 0, 0, 0));
  EXPECT_EQ(Expand("%SYS_TIME_H% %SYS_TIME_HH% %SYS_TIME_M% %SYS_DATE_YY%"),
            "0 00 0 09");
}

TEST_P(Expansion, ABotNamedByAnErrorCodeShowsTheCode) {
  m_engine.SetBotName("#ERROR_NOVARIABLEANSWER#");
  EXPECT_EQ(Expand("Jag heter %NAME_PLADDO%."),
            "Jag heter #ERROR_NOVARIABLEANSWER#.");
}

TEST_P(Expansion, ABlockVariableDrawsEachRow) {
  const struct {
    std::string text;
    std::set<std::string> expected;
  } rows[] = {
      {"%h\xE4lsning%!", {"hej!", "tjena!"}},
      {"%@h\xE4lsning%!", {"Hej!", "Tjena!"}},
      {"% h\xE4lsning %", {"hej", "tjena"}},
      {"%H\xC4LSNING%", {"hej", "tjena"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    std::set<std::string> seen;
    for (int i = 0; i < 50; ++i) {
      seen.insert(Expand(row.text));
    }
    EXPECT_EQ(seen, row.expected);
  }
}

TEST_P(Expansion, FileVariablesReadTheNamedFile) {
  const std::string file = m_dir.File("ord.txt");
  WriteBytes(file, Lines({"[f\xC3\xA4rg]", "!r\xC3\xB6" "d"}));
  const std::string missing = m_dir.File("saknas.txt");
  const struct {
    std::string text;
    std::string expected;
  } rows[] = {
      {"%" + file + "|f\xE4rg%", "r\xF6" "d"},
      {"%" + file + "|@f\xE4rg%", "R\xF6" "d"},
      {"%@" + file + "|f\xE4rg%", "R\xF6" "d"},
      {"%" + file + "| f\xE4rg %", "r\xF6" "d"},
      {"%" + file + "|bl\xE5%", "[bl\xE5#ERROR_NOVARIABLE#]"},
      {"%" + missing + "|f\xE4rg%",
       "[#ERROR_VARIABELCANTOPENFILE# " + missing + " ]"},
      {"%|f\xE4rg%", "[#ERROR_VARIABELCANTOPENFILE#  ]"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(Expand(row.text), row.expected);
  }
}

TEST_P(Expansion, AProfileThatCannotBeOpenedNamesItsPath) {
  m_engine.SetProfile(m_dir.File("borta.ppf"));
  EXPECT_EQ(Expand("%en%"), "[#ERROR_VARIABELCANTOPENFILE# " +
                                m_dir.File("borta.ppf") + " ]");
}

// ---- Depth and budget -------------------------------------------------------

std::string Chain(int times) {
  std::string text;
  for (int i = 0; i < times; ++i) {
    text += "x ";
  }
  return text + "[#ERROR_LOOPPROTECTION# x %a%]";
}

TEST_P(Expansion, NestingStopsAtTheDepth) {
  const struct {
    int depth;
    std::string expected;
  } rows[] = {
      {0, Chain(0)},
      {1, Chain(1)},
      {20, Chain(20)},
      {21, Chain(21)},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.depth);
    EXPECT_EQ(Expand("%a%", row.depth), row.expected);
  }
}

TEST_P(Expansion, VariablesSideBySideEachGetTheFullDepth) {
  EXPECT_EQ(Expand("%a%|%a%"), Chain(20) + "|" + Chain(20));
}

TEST_P(Expansion, TheBudgetCountsEvaluationsOfOneAnswer) {
  std::string within;
  for (int i = 0; i < kExpandBudget; ++i) {
    within += "%%";
  }
  const std::string allPercent(static_cast<std::size_t>(kExpandBudget), '%');
  const struct {
    std::string text;
    std::string expected;
    const char* what;
  } rows[] = {
      {within, allPercent, "exactly the budget"},
      {within + "%%", allPercent + "[#ERROR_LOOPPROTECTION# %%]",
       "one past the budget"},
      {within + "%%%en%", allPercent +
                              "[#ERROR_LOOPPROTECTION# %%]"
                              "[#ERROR_LOOPPROTECTION# %en%]",
       "two past the budget"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    // Twice: every top-level expansion starts with a full budget.
    EXPECT_EQ(Expand(row.text), row.expected);
    EXPECT_EQ(Expand(row.text), row.expected);
  }
}

TEST_P(Expansion, ADoublingProfileEndsWithTheLoopNote) {
  const std::string first = Expand("%dubbel%");
  EXPECT_NE(first.find("[#ERROR_LOOPPROTECTION# %dubbel%]"), npos);
  EXPECT_NE(first.find("[#ERROR_LOOPPROTECTION# %dubbel% %dubbel%]"), npos);
  EXPECT_EQ(Expand("%dubbel%"), first);
  // The engine is usable afterwards: the next answer has its full budget.
  EXPECT_EQ(Expand("%a%"), Chain(20));
}

INSTANTIATE_TEST_SUITE_P(BothEncodings, Expansion, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& row) {
                           return row.param ? "Utf8" : "Windows1252";
                         });

// ---- FindVariable and EvaluateVariable -----------------------------------

TEST(FindVariable, FindsTheTextBetweenTwoSigns) {
  const struct {
    std::string text;
    std::size_t from;
    bool found;
    std::size_t pos;
    std::string variable;  // "?" when left unchanged
  } rows[] = {
      {"abc", 0, false, npos, "?"},
      {"a%b", 0, false, 1, "?"},
      {"a%b%c", 0, true, 1, "%b%"},
      {"%a%%b%", 2, true, 2, "%%"},
      {"%a%%b%", 3, true, 3, "%b%"},
      {"%a%", 3, false, npos, "?"},
      {"%a%", 9, false, npos, "?"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text + " from " + std::to_string(row.from));
    std::string variable = "?";
    std::size_t pos = row.from;
    EXPECT_EQ(CChatEngine::FindVariable(row.text, variable, pos), row.found);
    EXPECT_EQ(pos, row.pos);
    EXPECT_EQ(variable, row.variable);
  }
}

class EvaluateVariable : public EngineFixture {};

TEST_F(EvaluateVariable, IsFalseOnlyForBlocksWithoutValue) {
  UseProfile(kBlocksUtf8);
  const struct {
    std::string variable;
    bool result;
    std::string value;
  } rows[] = {
      {"%%", true, "%"},
      {"%FE%", true, ""},
      {"%NAME_USER%", true, ""},
      {"%tomrad%", true, ""},
      {"%en%", true, "\xE5ska"},
      {"%@@en%", true, "\xC5ska"},
      {"%tom%", false, "[tom#ERROR_NOVARIABLE#]"},
      {"%ok\xE4nd%", false, "[ok\xE4nd#ERROR_NOVARIABLE#]"},
      {"%/nonexistent/x|en%", false,
       "[#ERROR_VARIABELCANTOPENFILE# /nonexistent/x ]"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.variable);
    std::string variable = row.variable;
    EXPECT_EQ(m_engine.EvaluateVariable(variable), row.result);
    EXPECT_EQ(variable, row.value);
  }
}

}  // namespace
}  // namespace pladdo
