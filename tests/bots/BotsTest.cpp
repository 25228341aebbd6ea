// The shipped bots pass the checker and `pladdo verify`, echo the user's
// words with their pronouns swapped, answer what people type from a keyword
// group, and their safety net answers distress with help and only distress.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <sstream>

#include "engine/Random.h"
#include "engine/TextUtil.h"
#include "engine/Verify.h"
#include "tests/bots/BotsUtil.h"
#include "ui/terminal/VerifyCommand.h"

namespace pladdo {
namespace {

TEST(ShippedProfiles, PassTheCheckerAndVerifyFindsNothing) {
  for (const std::string& profile : {kPladdo, kRimbus}) {
    SCOPED_TRACE(profile);
    CChatEngine engine = Started(profile, "Anna");
    const CheckResult check = engine.CheckProfile();
    EXPECT_EQ(check.nFaults, 0) << U8(check.strReport);
    std::ostringstream report;
    EXPECT_EQ(RunVerify({profile}, kProfiles + "language.dat", report),
              kVerifyClean)
        << report.str();
  }
}

// text lower-cased, non-letters blank, blank-framed: " word " is whole-word.
std::string Spaced(std::string text) {
  ToLower(text);
  for (char& c : text) c = IsLetter(c) ? c : ' ';
  return " " + text + " ";
}

TEST(Echo, CaptureHasItsPronounsSwappedAndIsEchoed) {
  // Pladdo's echoing groups, and bots echoing with language.dat's pairs.
  const std::string echo = std::string(PLADDO_FIXTURES) + "/bots/echo_";
  // clang-format off
  const struct { std::string profile; const char* input; const char* capture; } rows[] = {
    {kPladdo, "Jag tror att du glömmer mig", "jag glömmer dig"},
    {kPladdo, "Jag behöver din åsikt om mitt förslag", "min åsikt om ditt förslag"},
    // Both ways in one pass, whole words only, the first pair of a word wins
    // ("er" is "oss"); the capture ends at the comma.
    {echo + "sv.ppf", "eko jag gillar er, inte dig", "du gillar oss"},
    {echo + "sv.ppf", "eko vi ger dej vår katt och vårt hus och våra barn", "ni ger mej er katt och ert hus och era barn"},
    {echo + "sv.ppf", "eko ni hjälper oss och jagar du mig", "vi hjälper er och jagar jag dig"},
    {echo + "sv.ppf", "eko my friend and i", "my friend and i"},  // the English pairs stay out
    {echo + "en.ppf", "echo you are my friend and help me", "I am your friend and help you"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    bool echoed = false;
    for (unsigned seed : {1u, 4711u, 31337u, 65521u}) {
      PinRandomSeed(seed);
      CChatEngine engine = Started(row.profile, "Anna");
      const std::string reply = Reply(engine, Utf8ToCp1252(row.input));
      EXPECT_EQ(U8(engine.GetCapture()), row.capture) << "seed " << seed;
      echoed = echoed || Spaced(reply).find(Spaced(engine.GetCapture())) !=
                             std::string::npos;
    }
    EXPECT_TRUE(echoed) << "no seed chose an answer that echoes the capture";
  }
  UnpinRandomSeed();
}

// Each line answered as the first after the user's name.
std::vector<CorpusLine> AnswerEach(const std::vector<std::string>& lines) {
  CChatEngine engine;
  engine.SetLanguageFile(kProfiles + "language.dat");
  engine.SetProfile(kPladdo);
  std::vector<CorpusLine> answered = engine.RunInputs(lines).lines;
  answered.resize(lines.size());  // none when the profile cannot be read
  return answered;
}

TEST(KeywordCoverage, EverydayLinesReachAKeywordGroupAndTheOneThatFits) {
  // A teenager, an adult, a child, someone after a breakup, a troll, someone
  // typing without å, ä and ö; the fresh lists were never tuned against.
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

// The answers of each keyword group of SPEAK, in file order.
std::vector<std::vector<std::string>> SpeakGroups(const std::string& profile) {
  std::vector<std::vector<std::string>> groups;
  bool in = false;
  for (const std::string& row : Rows(profile)) {
    if (row[0] == '[') in = row == "[SPEAK]";
    if (in && row[0] == '?' && (groups.empty() || !groups.back().empty()))
      groups.emplace_back();
    if (in && row[0] == '!' && !groups.empty())
      groups.back().push_back(row.substr(1));
  }
  return groups;
}

TEST(SafetyNet, StandsFirstAndOnlyItNamesHelp) {
  // clang-format off
  const struct { const std::string& profile; std::size_t groups; } bots[] = {{kPladdo, 450}, {kRimbus, 200}};
  // clang-format on
  for (const auto& bot : bots) {
    SCOPED_TRACE(bot.profile);
    const auto groups = SpeakGroups(bot.profile);
    EXPECT_GE(groups.size(), bot.groups);
    // The net: the leading groups whose every answer names help.
    std::size_t net = 0;
    while (net < groups.size() &&
           std::all_of(groups[net].begin(), groups[net].end(), NamesHelp))
      ++net;
    EXPECT_GE(net, 8u) << "distress in all its kinds needs more groups";
    std::string netText;
    for (std::size_t i = 0; i < groups.size(); ++i) {
      // Someone who writes a similar line again should not get the same text.
      EXPECT_GE(groups[i].size(), 3u) << U8(groups[i][0]);
      for (const std::string& answer : groups[i]) {
        EXPECT_EQ(NamesHelp(answer), i < net) << U8(answer);
        // A variable in the net could echo the user or draw a joke or rhyme.
        EXPECT_TRUE(i >= net || answer.find('%') == answer.npos) << U8(answer);
        if (i < net) netText += answer;
      }
    }
    for (const char* number : kHelpNumbers) {
      EXPECT_NE(netText.find(number), netText.npos) << number;
    }
  }
}

TEST(SafetyNet, DistressLinesGetHelpAndOrdinaryLinesWithItsWordsDoNot) {
  const std::vector<std::string> distress = ReadList("distress.txt");
  std::vector<std::string> ordinary = ReadList("harmless.txt");
  std::ranges::copy(ReadList("inputs.txt"), std::back_inserter(ordinary));
  ASSERT_GE(distress.size(), 80u);
  ASSERT_GE(ordinary.size(), 100u);
  std::vector<std::string> jokes = Block(kPladdo, Utf8ToCp1252("skämt"));
  std::ranges::copy(Block(kRimbus, "rim"), std::back_inserter(jokes));
  ASSERT_GE(jokes.size(), 20u);
  const auto jokeIn = [&](const std::string& reply) {
    return std::ranges::any_of(
        jokes, [&](auto& j) { return reply.find(j) != reply.npos; });
  };
  // Both bots as engine 1, and Rimbus as engine 2 of the automatic dialogue.
  // clang-format off
  const struct { const std::string& profile; bool engine2; } bots[] = {{kPladdo, false}, {kRimbus, false}, {kRimbus, true}};
  // clang-format on
  PinRandomSeed(1);
  for (const auto& bot : bots) {
    SCOPED_TRACE(bot.profile + (bot.engine2 ? " as engine 2" : ""));
    CChatEngine engine = Started(bot.profile, "Anna", bot.engine2);
    for (const std::string& line : distress) {
      // The same line again is answered from REPEAT, which must stay kind.
      const std::string reply = Reply(engine, line),
                        again = Reply(engine, line);
      EXPECT_TRUE(NamesHelp(reply) && !jokeIn(reply) && !jokeIn(again))
          << U8(line) << ": " << U8(reply) << " / again: " << U8(again);
    }
    for (const std::string& line : ordinary) {
      const std::string reply = Reply(engine, line);
      EXPECT_FALSE(NamesHelp(reply)) << U8(line) << ": " << U8(reply);
    }
  }
  UnpinRandomSeed();
}

}  // namespace
}  // namespace pladdo
