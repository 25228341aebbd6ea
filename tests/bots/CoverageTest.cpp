// What people actually type, against the shipped Pladdo as `pladdo verify
// --inputs` answers it (each line the first after the user's name).
#include <gtest/gtest.h>

#include "engine/Verify.h"
#include "tests/bots/BotsUtil.h"

namespace pladdo {
namespace {

std::vector<CorpusLine> AnswerEach(const std::vector<std::string>& lines) {
  CChatEngine engine;
  engine.SetLanguageFile(kProfiles + "language.dat");
  engine.SetProfile(kPladdo);
  std::vector<CorpusLine> answered = engine.RunInputs(lines).lines;
  answered.resize(lines.size());  // none when the profile cannot be read
  return answered;
}

TEST(KeywordCoverage, EverydayLinesReachAKeywordGroupAndTheOneThatFits) {
  // 302 lines from a teenager, an adult asking facts, a child, someone after
  // a breakup, a troll and someone typing without å, ä and ö; the everyday
  // lines of the older bot tests; and two lists of the same six kinds, each
  // written after a round of work on the profile and never tuned against.
  // clang-format off
  const struct { const char* file; std::size_t minimum; int percent; } lists[] = {
      {"lines300.txt", 300, 90}, {"inputs.txt", 60, 90},
      {"fresh100.txt", 100, 85}, {"fresh2.txt", 100, 85}};
  // clang-format on
  for (const auto& list : lists) {
    SCOPED_TRACE(list.file);
    const std::vector<std::string> lines = ReadList(list.file);
    ASSERT_GE(lines.size(), list.minimum);
    std::vector<std::string> missed;
    for (const CorpusLine& line : AnswerEach(lines)) {
      if (line.situation != TraceSituation::Keyword) {
        missed.push_back(U8(line.strInput));
      }
    }
    EXPECT_LE(missed.size() * 100, lines.size() * (100 - list.percent))
        << ::testing::PrintToString(missed);
  }
  // What a line does (feels, says no, asks about the bot, asks why, asks a
  // fact) wins over a topic word it happens to contain.
  // clang-format off
  const struct { const char* line; const char* row; } rows[] = {
    {"min pojkvän gjorde slut igår", "?gjorde slut"},
    {"jag tycker inte om fisk", "?jag tycker inte om"},
    {"du är bara ett program, du förstår inte", "?du är bara ett program"},
    {"varför lämnade han mig", "?varför lämnade"},
    {"mina föräldrar e så jobbiga", "?föräldrar*jobbiga"},
    {"Hur många språk talas i Indien?", "?hur många"},
    {"Ord på ord, som bröd på bord. Vad drömde du om i natt?", "?vad drömde du"},
  };
  // clang-format on
  std::vector<std::string> lines;
  for (const auto& row : rows) lines.push_back(Utf8ToCp1252(row.line));
  const std::vector<CorpusLine> answered = AnswerEach(lines);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(U8(answered[i].pattern.strText), rows[i].row) << rows[i].line;
  }
}

}  // namespace
}  // namespace pladdo
