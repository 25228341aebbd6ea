// The profile checker's report: pieces, rules, phases and line numbers.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/ChatEngine.h"
#include "tests/profile/Fixtures.h"

namespace pladdo {
namespace {

using test::FixturePath;

struct CheckRow {
  const char* what;
  const char* profile;   // fixture file name
  std::string expected;  // the report after its head line
};

// The information lines of a profile whose [INFO] block names only the
// language svenska, which has pairs.
const std::string kSvenskaOnly =
    "\n#NAME#  \n#VERSION#  \n#AUTHOR#  \n#INFO#  \n#LANGUAGE# svenska\n";

std::string Head(const std::string& path) {
  return "#FILENAME# " + path + "\n";
}

void ExpectReports(const std::vector<CheckRow>& rows) {
  for (const CheckRow& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string path = FixturePath(row.profile);
    CChatEngine engine;
    test::UseProfile(engine, path);
    EXPECT_EQ(engine.CheckProfile(), Head(path) + row.expected);
  }
}

// The checker's seventeen codes and their Swedish texts, in the order the
// window replaces them.
const std::vector<std::pair<std::string, std::string>> kCheckerTexts = {
    {"#FILENAME#", "Profilnamn:"},
    {"#NAME#", "Namn:"},
    {"#VERSION#", "Version:"},
    {"#AUTHOR#", "F\xF6rfattare:"},
    {"#INFO#", "Info:"},
    {"#LANGUAGE#", "Spr\xE5k:"},
    {"#DEBUG_COLDNTOPENFILE#", "Filen kunde inte \xF6ppnas."},
    {"#ILLEGALROW#", "Ogiltig rad."},
    {"#NOLANGUAGE#", "ogiltigt spr\xE5k"},
    {"#NOANSWER#", "Inga svarsalternativ hittades."},
    {"#ILLEGALBLOCKNAME#", "Felaktigt blocknamn."},
    {"#DOUBLEASTERISK#", "Dubbla asterisker hittades, endast en anv\xE4nds."},
    {"#SPACEANDASTERISK#",
     "Mellanslag f\xF6re asterisk hittades, raden kanske inte fungerar "
     "korrekt."},
    {"#ODDPRECENT#", "Ett udda antal procenttecken hittades"},
    {"#NOERROR#", "Inga fel hittades."},
    {"#ERRORFOUND#", "fel hittades."},
    {"#NOVARIABLE#", "Variablen hittades inte."},
};

// The report as the user reads it: codes replaced in table order, split
// into lines at the line feeds.
std::vector<std::string> ShownLines(std::string report) {
  for (const auto& [code, text] : kCheckerTexts) {
    for (std::size_t pos = report.find(code); pos != std::string::npos;
         pos = report.find(code, pos + text.size())) {
      report.replace(pos, code.size(), text);
    }
  }
  std::vector<std::string> lines;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

TEST(CheckProfile, WorkedExampleReadsAsTheUserSeesIt) {
  const std::string path = FixturePath("check_example.ppf");
  CChatEngine engine;
  test::UseProfile(engine, path);
  const std::vector<std::string> expected = {
      "Profilnamn: " + path,
      "",
      "Namn: Test",
      "Version:  ",
      "F\xF6rfattare:  ",
      "Info:  ",
      "Spr\xE5k: test (ogiltigt spr\xE5k)",
      "",
      "[SPEAK]",
      "[7] ?hej **",
      "Dubbla asterisker hittades, endast en anv\xE4nds.",
      "[7] ?hej **",
      "Mellanslag f\xF6re asterisk hittades, raden kanske inte fungerar "
      "korrekt.",
      "Inga svarsalternativ hittades.",
      "",
      "[X]",
      "[9] hej",
      "Ogiltig rad.",
      "[10] !100%",
      "Ett udda antal procenttecken hittades",
      "",
      "6 fel hittades.",
  };
  EXPECT_EQ(ShownLines(engine.CheckProfile()), expected);
}

TEST(CheckProfile, WorkedExampleAsCodes) {
  ExpectReports({
      {"the ten-line example", "check_example.ppf",
       "\n#NAME# Test\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n"
       "#LANGUAGE# test (#NOLANGUAGE#)\n"
       "\n[SPEAK]\n[7] ?hej **\n#DOUBLEASTERISK#\n[7] ?hej **\n"
       "#SPACEANDASTERISK#\n#NOANSWER#\n"
       "\n[X]\n[9] hej\n#ILLEGALROW#\n[10] !100%\n#ODDPRECENT#\n"
       "\n6 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, EndsWithTheFaultCountOrNoFaults) {
  ExpectReports({
      {"no faults: variables with values, %% and a capital marker",
       "check_clean.ppf",
       "\n#NAME# Ren\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n#LANGUAGE# svenska\n"
       "\n#NOERROR#"},
      {"one fault has no singular form", "check_one_fault.ppf",
       kSvenskaOnly + "\n[SPEAK]\n[7] !Ja 50%\n#ODDPRECENT#\n" +
           "\n1 #ERRORFOUND#"},
      {"language without pairs is the only fault and lists no block",
       "check_only_language.ppf",
       "\n#NAME#  \n#VERSION#  \n#AUTHOR#  \n#INFO#  \n"
       "#LANGUAGE# franska (#NOLANGUAGE#)\n\n1 #ERRORFOUND#"},
      {"empty file: no language and an unnamed block without answers",
       "check_empty.ppf",
       "\n#NAME#  \n#VERSION#  \n#AUTHOR#  \n#INFO#  \n"
       "#LANGUAGE#   (#NOLANGUAGE#)\n\n\n#NOANSWER#\n\n2 #ERRORFOUND#"},
      {"a leading [INFO] block that is also the last needs an answer",
       "check_info_only.ppf",
       "\n#NAME# Bara info\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n"
       "#LANGUAGE# svenska\n\n[INFO]\n#NOANSWER#\n\n1 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, PatternAndPercentRules) {
  ExpectReports({
      {"?a **b counts a double asterisk and a blank before an asterisk",
       "check_double_space_asterisk.ppf",
       kSvenskaOnly + "\n[SPEAK]\n[4] ?a **b\n#DOUBLEASTERISK#\n[4] ?a **b\n"
                      "#SPACEANDASTERISK#\n\n2 #ERRORFOUND#"},
      {"%NAME_USER% alone is an illegal row with an even count; !100% is odd",
       "check_percent.ppf",
       kSvenskaOnly + "\n[WELCOME]\n[4] %NAME_USER%\n#ILLEGALROW#\n[5] !100%\n"
                      "#ODDPRECENT#\n\n2 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, ListsOnlyTheFirstVariableWithoutValueOfARow) {
  ExpectReports({
      {"search goes on after a good variable; second bad one is not listed; "
       "a file that cannot be opened has no value",
       "check_two_variables.ppf",
       kSvenskaOnly +
           "\n[WELCOME]\n[4] \"%ett%\"\n#NOVARIABLE#\n"
           "[5] \"%saknas.txt|ord%\"\n#NOVARIABLE#\n\n2 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, BlocksAndHeaders) {
  ExpectReports({
      {"[SPEAK and [SPEAK] x are illegal; their rows stay in [WELCOME]",
       "check_bad_headers.ppf",
       kSvenskaOnly + "\n[WELCOME]\n\n[4] [SPEAK \n#ILLEGALBLOCKNAME#\n"
                      "\n[6] [SPEAK] x \n#ILLEGALBLOCKNAME#\n\n2 #ERRORFOUND#"},
      {"lower-case [info] starts an ordinary block", "check_lower_info.ppf",
       "\n#NAME# Test\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n#LANGUAGE# svenska\n"
       "\n[info]\n[2] name=Test\n#ILLEGALROW#\n[3] language=svenska\n"
       "#ILLEGALROW#\n#NOANSWER#\n\n3 #ERRORFOUND#"},
      {"[INFO] after another block holds illegal rows and needs an answer",
       "check_info_later.ppf",
       kSvenskaOnly + "\n[INFO]\n[6] name=Test\n#ILLEGALROW#\n#NOANSWER#\n"
                      "\n2 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, FaultsOfTheFreeRowsWaitForTheNextFaultyBlock) {
  ExpectReports({
      {"listed under [SPEAK], the first block closed with a fault; the "
       "faultless [WELCOME] before it is passed over",
       "check_pending.ppf",
       "\n#NAME# 50%\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n#LANGUAGE# svenska\n"
       "\n[SPEAK]\n[1] ?a **\n#DOUBLEASTERISK#\n[1] ?a **\n"
       "#SPACEANDASTERISK#\n[4] name=50%\n#ODDPRECENT#\n"
       "[9] \"%nope%\"\n#NOVARIABLE#\n\n4 #ERRORFOUND#"},
      {"listed at the end of the file under a faultless last block",
       "check_pending_end.ppf",
       kSvenskaOnly + "\n[WELCOME]\n\n[3] [SPEAK \n#ILLEGALBLOCKNAME#\n"
                      "\n1 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, LineNumbersCountEveryPhysicalLine) {
  ExpectReports({
      {"comment, empty and blank lines above the row are counted",
       "check_line_numbers.ppf",
       "\n#NAME#  \n#VERSION#  \n#AUTHOR#  \n#INFO#  \n"
       "#LANGUAGE#   (#NOLANGUAGE#)\n"
       "\n[WELCOME]\n[5] hej d\xE5\n#ILLEGALROW#\n#NOANSWER#\n"
       "\n3 #ERRORFOUND#"},
      {"a UTF-8 row is reported in Windows-1252", "check_utf8.ppf",
       kSvenskaOnly +
           "\n[WELCOME]\n[4] hej p\xE5 dig\n#ILLEGALROW#\n\n1 #ERRORFOUND#"},
  });
}

TEST(CheckProfile, UnopenableFileGivesTheHeadAndOneLine) {
  const std::string path = test::MissingPath();
  CChatEngine engine;
  test::UseProfile(engine, path);
  EXPECT_EQ(engine.CheckProfile(),
            "#FILENAME# " + path + "\n#DEBUG_COLDNTOPENFILE#\n");
}

TEST(CheckProfile, SecondRunGivesTheSameReport) {
  const std::string path = FixturePath("check_pending.ppf");
  CChatEngine engine;
  test::UseProfile(engine, path);
  const std::string first = engine.CheckProfile();
  EXPECT_EQ(engine.CheckProfile(), first);
}

}  // namespace
}  // namespace pladdo
