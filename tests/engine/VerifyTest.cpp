// The verifier on small profiles: shadowed rows, samples, variables, blocks,
// and the answers to a list of input lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/Random.h"
#include "engine/Shadow.h"
#include "engine/Verify.h"
#include "tests/TestUtil.h"

namespace pladdo {
namespace {

using Texts = std::vector<std::string>;

// Each row's first earlier row proven to take every input of it, or -1.
TEST(FindShadowingRows, NamesTheFirstEarlierRowThatTakesEveryInput) {
  // clang-format off
  const struct { Texts patterns; std::vector<int> expected; const char* what; } rows[] = {
      {{"fisk", "jag tycker inte om fisk"}, {-1, 0}, "a word at the end of the later phrase"},
      {{"fisk", "fiskpinne"}, {-1, -1}, "a letter after it"},
      {{"fisk", "sv\xE4rdfisk"}, {-1, -1}, "a letter before it"},
      {{"", "hej"}, {-1, 0}, "the empty pattern matches every input"},
      {{"hej", ""}, {-1, -1}, "the later row matches every input"},
      {{"fisk", "fi?k"}, {-1, -1}, "a ? of the later row can be any byte"},
      {{"fi?k", "jag gillar fisk"}, {-1, 0}, "a ? of the earlier row matches the byte"},
      {{"?", "hej"}, {-1, -1}, "a first piece of ? only is found at the start of the line"},
      {{"jag*dig", "jag tycker om digital dig"}, {-1, -1}, "WildFind takes the first dig"},
      {{"jag*dig", "jag*tycker om dig"}, {-1, -1}, "the text between two pieces may hold dig"},
      {{"jag tycker", "jag tycker *om dig"}, {-1, 0}, "a blank ends the piece"},
      {{"d\xE5", "hej", "hej d\xE5"}, {-1, -1, 0}, "the first in the file, not the first key found"},
      {{"hej", "*", "vad", "hej"}, {-1, -1, 1, 0}, "an empty pattern takes every row after it"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::vector<std::string_view> patterns(row.patterns.begin(),
                                                 row.patterns.end());
    EXPECT_EQ(FindShadowingRows(patterns), row.expected);
  }
}

// The kinds of finding in the order of FindingKind.
// clang-format off
const char* const kKindNames[] = {
    "other-group", "block", "own-needs-capture", "own-no-answers", "other-needs-capture",
    "other-no-answers", "no-pattern", "sample-before-speak", "sample-no-speak", "empty",
    "unanswered", "shadowed", "before-speak", "no-speak", "no-block", "empty-block", "no-file",
    "no-block-in-file", "empty-block-in-file", "unused", "duplicate"};
// clang-format on

// One finding on one line: "line kind «text»", then what it refers to.
std::string Describe(const VerifyFinding& f) {
  std::string text =
      std::to_string(f.nLine) + " " + kKindNames[static_cast<int>(f.kind)];
  if (!f.strText.empty()) text += " \xAB" + f.strText + "\xBB";
  if (f.other.nLine > 0) text += " by " + std::to_string(f.other.nLine);
  if (f.nGroupLine > 0) text += " group " + std::to_string(f.nGroupLine);
  if (f.nOtherLine > 0) text += " line " + std::to_string(f.nOtherLine);
  if (f.kind == FindingKind::SampleOtherBlock) text += " [" + f.strBlock + "]";
  return text;
}

class Verify : public ::testing::Test {
 protected:
  Verify() { PinRandomSeed(1); }
  ~Verify() override { UnpinRandomSeed(); }
  CChatEngine& On(std::string_view bytes) {  // no language table
    m_engine.SetLanguageFile(m_dir.Write("language.dat", ""));
    m_engine.SetProfile(
        m_dir.Write("bot" + std::to_string(++m_nProfiles) + ".ppf", bytes));
    return m_engine;
  }
  // The findings and "reached N of M" last.
  Texts Findings(std::string_view bytes) {
    const VerifyResult result = On(bytes).VerifyProfile();
    Texts texts;
    for (const VerifyFinding& finding : result.findings)
      texts.push_back(Describe(finding));
    texts.push_back("reached " + std::to_string(result.nSamplesReached) +
                    " of " + std::to_string(result.nSamples));
    return texts;
  }

  test::TempDir m_dir;
  CChatEngine m_engine;
  int m_nProfiles = 0;
};

// A sample belongs to the first pattern row below it and that row's group;
// every variable must reach a block, and every other block a variable.
TEST_F(Verify, NamesEachFindingOnItsLineAndCountsTheSamplesReached) {
  const std::string group = "[SPEAK]\n?fisk\n?lax\n?torsk\n!Gott.\n";
  const std::string words =
      m_dir.Write("ord.txt", "[f\xE4rg]\n!bl\xE5\n[tom]\n[form]\n!rund\n");
  const std::string missing = m_dir.File("saknas.txt");
  // The samples' letters are read as the engine reads them.
  const std::string utf8 =
      "[SPEAK]\n#> Jag \xC3\xA4r GLAD\n?jag \xC3\xA4r glad\n!Bra!\n#> "
      "\xC3\x85h\n?nej\n!Jo.\n";
  // clang-format off
  const struct { const char* what; std::string profile; Texts expected; } rows[] = {
      // Samples above the first and third row of a group; blanks before #>.
      {"group edges", "[SPEAK]\n#> jag gillar fisk\n?fisk\n?lax\n#> lax och torsk\n \t#>   torsk  \n?torsk\n"
       "!Gott.\n# > hej\n#hej\n", {"reached 3 of 3"}},
      {"an empty sample; one at the end", group + "#>\n#> jag gillar fisk",
       {"6 empty", "7 no-pattern \xABjag gillar fisk\xBB", "reached 0 of 2"}},
      {"above an answer row", "[SPEAK]\n?hej\n#> hej\n!Hej!\n?fisk\n!Gott.\n",
       {"3 other-group \xABhej\xBB by 2 group 5", "reached 0 of 1"}},
      {"in a block after SPEAK", "[SPEAK]\n?hej\n!Hej!\n[NOTFOUND]\n!%annat%\n[annat]\n#> fisk\n?fisk\n!Gott.\n",
       {"reached 1 of 1"}},
      {"in a block before SPEAK", "[START]\n#> hej\n?hej\n!Hej!\n[SPEAK]\n?x\n!y\n",
       {"2 sample-before-speak \xABhej\xBB group 3 line 3", "3 before-speak \xAB?hej\xBB", "reached 0 of 1"}},
      {"a general row above", "[SPEAK]\n?fisk\n!Gott.\n#> inte fisk\n?inte fisk\n!Nej.\n",
       {"4 other-group \xABinte fisk\xBB by 2 group 5", "5 shadowed \xAB?inte fisk\xBB by 2", "reached 0 of 1"}},
      {"no row matches", "[SPEAK]\n#> bl\xE4\n?hej\n!Hej!\n[NOTFOUND]\n!Jas\xE5.\n",
       {"2 block \xAB" "bl\xE4\xBB group 3 [NOTFOUND]", "reached 0 of 1"}},
      {"its answers need a capture", "[SPEAK]\n#> jag \xE4r 25\n?jag \xE4r*\n!Du \xE4r %FE%.\n",
       {"2 own-needs-capture \xABjag \xE4r 25\xBB group 3", "reached 0 of 1"}},
      {"its group has no answer row", "[SPEAK]\n#> hej\n?hej\n[NOTFOUND]\n!Jas\xE5.\n",
       {"2 own-no-answers \xABhej\xBB group 3", "reached 0 of 1"}},
      {"another group needing a capture", "[SPEAK]\n?jag*\n!Du %FE%.\n#> jag 2\n?2\n!Tv\xE5.\n",
       {"4 other-needs-capture \xABjag 2\xBB by 2 group 5", "reached 0 of 1"}},
      {"another group without answers", "[SPEAK]\n?hej\n[x]\n!%x%\n[SPEAK2]\n#> hej d\xE5\n?hej d\xE5\n!Hej!\n",
       {"5 unused \xABSPEAK2\xBB", "6 other-no-answers \xABhej d\xE5\xBB by 2 group 7",
        "7 shadowed \xAB?hej d\xE5\xBB by 2", "reached 0 of 1"}},
      {"START echoes the name: IMITATE", "[START]\n!%NAME_USER%\n[IMITATE]\n!Ekar du?\n[SPEAK]\n#> hej\n?hej\n!Hej!\n",
       {"6 block \xABhej\xBB group 7 [IMITATE]", "reached 0 of 1"}},
      {"no user name equals a sample", "[REPEAT]\n!Igen?\n[SPEAK]\n#> Provaren\n?provaren\n!Ja.\n",
       {"reached 1 of 1"}},
      {"UTF-8", utf8, {"5 block \xAB\xC5h\xBB group 6 [NOTFOUND]", "reached 1 of 2"}},
      {"Windows-1252", Utf8ToCp1252(utf8), {"5 block \xAB\xC5h\xBB group 6 [NOTFOUND]", "reached 1 of 2"}},
      // Variables: own blocks, built-ins, case, blanks, wildcards, capitals.
      {"reached", "[INFO]\nname=x\n[NAME]\n!x\n[WELCOME]\n!x\n[START]\n!x\n[REPEAT]\n!x\n[IMITATE]\n!x\n[SPEAK]\n"
       "?x\n!x\n[NOTFOUND]\n!%NAME_USER% %@FE% %% %SYS_TIME_HH% % Svar % %@h?lsning% %FORM*%\n"
       "[svar]\n!a\n[h\xE4lsning]\n!hej\n[formul\xE4r]\n!b\n", {"reached 0 of 0"}},
      {"misspelt", "[NOTFOUND]\n!%h\xE4lsnign%\n[h\xE4lsnig]\n!hej\n",
       {"2 no-block \xAB%h\xE4lsnign%\xBB", "3 unused \xABh\xE4lsnig\xBB", "reached 0 of 0"}},
      {"empty and twice", "[NOTFOUND]\n!%tom% %svar%\n[tom]\n[svar]\n!a\n[Svar]\n!b\n",
       {"2 empty-block \xAB%tom%\xBB", "6 duplicate \xABSvar\xBB line 4", "reached 0 of 0"}},
      {"file variables", "[NOTFOUND]\n!%" + words + "|f\xE4rg% %" + words + "|@form%\n!%" + words + "|rund%\n"
       "!%" + words + "|tom% %" + missing + "|x%\n",
       {"3 no-block-in-file \xAB%" + words + "|rund%\xBB", "4 empty-block-in-file \xAB%" + words + "|tom%\xBB",
        "4 no-file \xAB%" + missing + "|x%\xBB", "reached 0 of 0"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(Findings(row.profile), row.expected);
  }
}

// Each line: "input: how it was answered; also: later rows".
Texts Answers(const CorpusResult& result) {
  Texts texts;
  for (const CorpusLine& line : result.lines) {
    std::string text = line.strInput + ": ";
    text += line.pattern.nLine > 0 ? std::to_string(line.pattern.nLine)
                                   : "[" + line.strBlock + "]";
    if (line.passedOver.nLine > 0) {
      text += " passed over " + std::to_string(line.passedOver.nLine) +
              (line.bPassedNoAnswers ? " (no answers)" : " (needs capture)");
    }
    for (const TraceRow& also : line.alsoMatching)
      text += " also " + std::to_string(also.nLine);
    texts.push_back(text);
  }
  for (const CorpusGroup& group : result.groups) {
    texts.push_back("group " + std::to_string(group.first.nLine) + ": " +
                    std::to_string(group.nAnswered));
  }
  return texts;
}

TEST_F(Verify, InputsNameTheirRowAndTheLaterGroupsThatWouldMatchToo) {
  const std::string profile =
      "[START]\n?start\n!Hej %NAME_USER%.\n"  // 2: never tried
      "[SPEAK]\n"
      "?fisk\n?lax\n!Gott.\n"                   // 5, 6
      "?jag \xE4r*\n!Du \xE4r %FE%.\n"          // 8
      "?jag tycker inte om fisk\n!Inte jag.\n"  // 10
      "?jag*\n?fisk\n!Du.\n"                    // 12, 13
      "[NOTFOUND]\n!Jas\xE5.\n";
  const CorpusResult result = On(profile).RunInputs(
      {"Jag tycker inte om fisk", "lax", "jag \xE4r 25", "blaha", "lax"});
  EXPECT_TRUE(result.bOpened);
  EXPECT_EQ(
      Answers(result),
      (Texts{"Jag tycker inte om fisk: 5 also 10 also 12", "lax: 6",
             "jag \xE4r 25: [NOTFOUND] passed over 8 (needs capture) also 12",
             "blaha: [NOTFOUND]", "lax: 6", "group 5: 3", "group 8: 0",
             "group 10: 0", "group 12: 0"}));
}

}  // namespace
}  // namespace pladdo
