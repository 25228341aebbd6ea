// The safety net of the shipped bots: the groups at the top of SPEAK answer
// distress with Swedish help to call and only they name help; ordinary lines
// with its words stay out, and a repeated line never gets a joke or rhyme.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "engine/Random.h"
#include "tests/bots/BotsUtil.h"

namespace pladdo {
namespace {

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
  std::ranges::copy(ReadList("inputs.txt"), std::back_inserter(ordinary));
  ASSERT_GE(distress.size(), 80u);
  ASSERT_GE(ordinary.size(), 100u);
  std::vector<std::string> jokes = Block(kPladdo, Utf8ToCp1252("skämt"));
  std::ranges::copy(Block(kRimbus, "rim"), std::back_inserter(jokes));
  ASSERT_GE(jokes.size(), 20u);
  const auto jokeIn = [&](const std::string& reply) {
    return std::any_of(jokes.begin(), jokes.end(), [&](const std::string& j) {
      return reply.find(j) != reply.npos;
    });
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

}  // namespace
}  // namespace pladdo
