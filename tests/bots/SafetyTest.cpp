// The safety net of the shipped bots: the groups at the top of SPEAK answer
// a line from someone in distress with Swedish help to call, and only they
// name help; ordinary lines that share its words stay out of it, a repeated
// line is never met with a joke or a rhyme, and neither bot's answers lead
// the other into the net in the automatic dialogue.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "engine/Random.h"
#include "tests/bots/BotsUtil.h"

namespace pladdo {
namespace {

// Emergency, care advice, Mind Självmordslinjen, BRIS for the young.
constexpr const char* kHelpNumbers[] = {"112", "1177", "90101", "116 111"};

bool NamesHelp(const std::string& text) {
  return std::any_of(std::begin(kHelpNumbers), std::end(kHelpNumbers),
                     [&](const char* n) { return text.find(n) != text.npos; });
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
  const struct {
    const std::string& profile;
    std::size_t groups;
  } bots[] = {{kPladdo, 450}, {kRimbus, 200}};
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
        if (i >= net) {
          EXPECT_FALSE(NamesHelp(answer)) << U8(answer);
          continue;
        }
        // A variable in the net could echo the user or draw a joke or rhyme.
        EXPECT_EQ(answer.find('%'), answer.npos) << U8(answer);
        netText += answer;
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
  for (const std::string& line : ReadList("inputs.txt")) {
    ordinary.push_back(line);
  }
  ASSERT_GE(distress.size(), 80u);
  ASSERT_GE(ordinary.size(), 100u);
  std::vector<std::string> jokes = Block(kPladdo, Utf8ToCp1252("skämt"));
  for (const std::string& rhyme : Block(kRimbus, "rim")) jokes.push_back(rhyme);
  ASSERT_GE(jokes.size(), 20u);
  const auto jokeIn = [&](const std::string& reply) {
    return std::any_of(jokes.begin(), jokes.end(), [&](const std::string& j) {
      return reply.find(j) != reply.npos;
    });
  };
  // Both bots as engine 1, and Rimbus as engine 2 of the automatic dialogue.
  const struct {
    const std::string& profile;
    bool engine2;
  } bots[] = {{kPladdo, false}, {kRimbus, false}, {kRimbus, true}};
  PinRandomSeed(1);
  for (const auto& bot : bots) {
    SCOPED_TRACE(bot.profile + (bot.engine2 ? " as engine 2" : ""));
    CChatEngine engine = Started(bot.profile, "Anna", bot.engine2);
    for (const std::string& line : distress) {
      const std::string reply = Reply(engine, line);
      EXPECT_TRUE(NamesHelp(reply) && !jokeIn(reply))
          << U8(line) << ": " << U8(reply);
      // The same line again is answered from REPEAT, which must stay kind.
      const std::string again = Reply(engine, line);
      EXPECT_FALSE(jokeIn(again))
          << "repeated " << U8(line) << ": " << U8(again);
    }
    for (const std::string& line : ordinary) {
      const std::string reply = Reply(engine, line);
      EXPECT_FALSE(NamesHelp(reply)) << U8(line) << ": " << U8(reply);
    }
  }
  UnpinRandomSeed();
}

TEST(SafetyNet, NeitherBotsAnswersLeadTheOtherIntoIt) {
  // In the automatic dialogue each bot hears the other's answers. Were one
  // taken for distress, the two would trade help numbers for ever.
  // clang-format off
  const struct { const std::string& said; const std::string& hearer; bool engine2; } pairs[] = {
      {kPladdo, kRimbus, true}, {kRimbus, kPladdo, false}};
  // clang-format on
  const std::regex variable("%[^%]*%?");
  PinRandomSeed(65521);
  for (const auto& pair : pairs) {
    SCOPED_TRACE(pair.hearer + " hears");
    CChatEngine hearer = Started(pair.hearer, "Rimbus", pair.engine2);
    for (std::string said : Rows(pair.said)) {
      if (said[0] != '!') continue;
      // An answer, said with its variables left out.
      said = std::regex_replace(said.substr(1), variable, "");
      if (said.find_first_not_of(' ') == said.npos) continue;
      const std::string reply = Reply(hearer, said);
      EXPECT_FALSE(NamesHelp(reply)) << U8(said) << " -> " << U8(reply);
    }
  }
  UnpinRandomSeed();
}

}  // namespace
}  // namespace pladdo
