// The safety net of the shipped bots: a line from someone in distress is
// answered from the groups at the top of SPEAK with Swedish help to call,
// ordinary lines that share its words are not, a repeated line is never met
// with a joke or a rhyme, and in the automatic dialogue Rimbus answers such a
// line plainly while neither bot's answers lead the other into the net.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"
#include "tests/engine/EngineTestAccess.h"

namespace pladdo {
namespace {

const std::string kProfiles = std::string(PLADDO_PROFILES) + "/";
const std::string kFixtures = std::string(PLADDO_FIXTURES) + "/bots/";
const std::string kPladdo = kProfiles + "pladdo.ppf";
const std::string kRimbus = kProfiles + "rimbus.ppf";

// The numbers a safety answer names: emergency, care advice, Mind
// Självmordslinjen, BRIS for children and young people.
constexpr const char* kHelpNumbers[] = {"112", "1177", "90101", "116 111"};

std::string U8(const std::string& cp1252) { return Cp1252ToUtf8(cp1252); }

bool NamesHelp(const std::string& text) {
  return std::any_of(std::begin(kHelpNumbers), std::end(kHelpNumbers),
                     [&](const char* n) { return text.find(n) != text.npos; });
}

// One line per entry of a UTF-8 list, in Windows-1252 as the window hands
// typed lines on; blank lines are skipped.
std::vector<std::string> ReadList(const std::string& file) {
  std::ifstream in(kFixtures + file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(' ') != line.npos) {
      lines.push_back(Utf8ToCp1252(line));
    }
  }
  return lines;
}

struct Group {
  std::vector<std::string> patterns;
  std::vector<std::string> answers;
};

// The answer text of an answer row, as the engine's answer list holds it.
std::string AnswerText(const std::string& row) {
  std::string text = " " + row.substr(1);
  NormalizeSpaces(text);
  return text;
}

// The groups of profile's SPEAK block, in file order, read by the engine's
// own row reader so that comments, blanks and encoding are handled alike.
std::vector<Group> SpeakGroups(const std::string& profile) {
  CChatEngine engine;
  CProfileStream stream;
  std::vector<Group> groups;
  if (!CChatEngineTestAccess(engine).OpenProfile(stream, profile)) return groups;
  CChatEngineTestAccess(engine).FindBlock(stream, "SPEAK");
  Group group;
  for (std::string row; !(row = CChatEngineTestAccess(engine).ReadRow(stream, false)).empty();) {
    if (row[0] == '[') break;
    if (row[0] == '?') {
      if (!group.answers.empty()) {
        groups.push_back(std::move(group));
        group = Group{};
      }
      group.patterns.push_back(row.substr(1));
    } else if (row[0] == '!') {
      group.answers.push_back(AnswerText(row));
    }
  }
  if (!group.answers.empty()) groups.push_back(std::move(group));
  CChatEngineTestAccess(engine).CloseProfile(stream);
  return groups;
}

// The safety net: the leading groups of SPEAK whose every answer names a
// help number. A group that breaks the rule ends the net there.
std::vector<Group> SafetyNet(const std::string& profile) {
  std::vector<Group> net;
  for (Group& group : SpeakGroups(profile)) {
    if (!std::all_of(group.answers.begin(), group.answers.end(), NamesHelp))
      break;
    net.push_back(std::move(group));
  }
  return net;
}

// Every answer row of the profile, of every block, with its variables
// removed, each once.
std::vector<std::string> AllAnswerTexts(const std::string& profile) {
  CChatEngine engine;
  CProfileStream stream;
  std::set<std::string> texts;
  if (CChatEngineTestAccess(engine).OpenProfile(stream, profile)) {
    for (std::string row; !(row = CChatEngineTestAccess(engine).ReadRow(stream, false)).empty();) {
      if (row[0] != '!') continue;
      std::string text = AnswerText(row);
      for (std::size_t open; (open = text.find('%')) != text.npos;) {
        const std::size_t close = text.find('%', open + 1);
        text.erase(open, close == text.npos ? text.npos : close - open + 1);
      }
      NormalizeSpaces(text);
      if (!text.empty()) texts.insert(text);
    }
    CChatEngineTestAccess(engine).CloseProfile(stream);
  }
  return {texts.begin(), texts.end()};
}

// The answer rows of one block of profile; empty when it has none.
std::vector<std::string> BlockRows(const std::string& profile,
                                   const std::string& block) {
  CChatEngine engine;
  engine.SetProfile(profile);
  CChatEngineTestAccess(engine).LoadBlock(block);
  return CChatEngineTestAccess(engine).Answers();
}

// The rows a reply to a painful line must never hold: Pladdo's jokes and
// Rimbus's rhymes.
std::vector<std::string> JokeRows() {
  std::vector<std::string> rows = BlockRows(kPladdo, Utf8ToCp1252("skämt"));
  for (const std::string& row : BlockRows(kRimbus, "rim")) rows.push_back(row);
  return rows;
}

std::string JokeIn(const std::string& reply,
                   const std::vector<std::string>& jokes) {
  for (const std::string& joke : jokes) {
    if (reply.find(joke) != reply.npos) return joke;
  }
  return {};
}

// An engine on profile as the controller drives engine 1: the greeting, then
// the user's name "Anna" as the first line.
std::unique_ptr<CChatEngine> UserSide(const std::string& profile) {
  auto engine = std::make_unique<CChatEngine>();
  engine->SetLanguageFile(kProfiles + "language.dat");
  engine->SetProfile(profile);
  engine->Reset();
  engine->SetBotName();
  (void)engine->GetWelcome();
  engine->SetUserName("Anna");
  engine->SetInput("Anna");
  (void)engine->GetReply();
  return engine;
}

// Rimbus as the controller drives engine 2 in the automatic dialogue: it
// speaks as the user "Anna", talks to "Pladdo", and its first turn is used
// up without an input before it hears anything.
std::unique_ptr<CChatEngine> SpeakingForUser() {
  auto engine = std::make_unique<CChatEngine>();
  engine->SetLanguageFile(kProfiles + "language.dat");
  engine->SetProfile(kRimbus);
  engine->Reset();
  engine->SetBotName();
  engine->SetBotName("Anna");
  engine->SetUserName("Pladdo");
  (void)engine->GetReply();
  return engine;
}

// The net group whose answers the engine drew its last reply from, or -1.
// Safety answers hold no variables, so after the reply the engine's answer
// list is still the whole group.
int NetGroupOf(CChatEngine& engine, const std::vector<Group>& net) {
  for (std::size_t i = 0; i < net.size(); ++i) {
    if (net[i].answers == CChatEngineTestAccess(engine).Answers()) return static_cast<int>(i);
  }
  return -1;
}

// Sentences end in ".", "!" or "?" before a blank or the end; the dot of an
// address such as "mind.se" ends none.
int Sentences(const std::string& text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool mark = text[i] == '.' || text[i] == '!' || text[i] == '?';
    if (mark && (i + 1 == text.size() || text[i + 1] == ' ')) ++count;
  }
  return count;
}

std::string Reply(CChatEngine& engine, const std::string& input) {
  engine.SetInput(input);
  return std::string(engine.GetReply());
}

struct Bot {
  const char* name;
  std::string profile;
};
const Bot kBots[] = {{"pladdo.ppf", kPladdo}, {"rimbus.ppf", kRimbus}};

TEST(SafetyNet, StandsFirstAndGivesShortAnswersThatNameEveryKindOfHelp) {
  for (const Bot& bot : kBots) {
    SCOPED_TRACE(bot.name);
    const std::vector<Group> net = SafetyNet(bot.profile);
    // Distress in all its kinds needs more than a couple of groups.
    ASSERT_GE(net.size(), 8u) << "the first groups of SPEAK do not all help";
    std::string all;
    for (const Group& group : net) {
      SCOPED_TRACE(U8("?" + group.patterns.front()));
      // Someone who writes again should not get the same text.
      EXPECT_GE(group.answers.size(), 3u);
      for (const std::string& answer : group.answers) {
        all += answer + "\n";
        // No variable: no echo of the user's words, nothing drawn from a
        // block of jokes or rhymes.
        EXPECT_EQ(answer.find('%'), answer.npos) << U8(answer);
        std::string lower = answer;
        ToLower(lower);
        EXPECT_EQ(lower.find(Utf8ToCp1252("varför inte")), lower.npos)
            << U8(answer);
        EXPECT_LE(Sentences(answer), 3)
            << "too long for a child to take in: " << U8(answer);
      }
    }
    for (const char* help : kHelpNumbers) {
      EXPECT_NE(all.find(help), all.npos) << help << " is never named";
    }
    EXPECT_NE(all.find(Utf8ToCp1252("vuxen du litar på")), all.npos);
  }
}

TEST(SafetyNet, EveryDistressLineGetsHelpFromBothBots) {
  const std::vector<std::string> lines = ReadList("distress.txt");
  ASSERT_GE(lines.size(), 80u);
  std::set<std::string> distinct;
  for (std::string line : lines) {
    ToLower(line);
    // A line equal to the one before would be answered from REPEAT.
    EXPECT_TRUE(distinct.insert(line).second) << "twice: " << U8(line);
  }
  PinRandomSeed(1);
  for (const Bot& bot : kBots) {
    SCOPED_TRACE(bot.name);
    const std::vector<Group> net = SafetyNet(bot.profile);
    auto engine = UserSide(bot.profile);
    for (const std::string& line : lines) {
      const std::string reply = Reply(*engine, line);
      EXPECT_GE(NetGroupOf(*engine, net), 0)
          << "\"" << U8(line) << "\" got \"" << U8(reply) << "\"";
      EXPECT_TRUE(NamesHelp(reply)) << U8(line) << ": " << U8(reply);
    }
  }
  UnpinRandomSeed();
}

TEST(SafetyNet, OrdinaryLinesWithTheSameWordsStayOutOfIt) {
  std::vector<std::string> lines = ReadList("harmless.txt");
  ASSERT_GE(lines.size(), 30u);
  // The everyday lines of the coverage test must not land there either.
  for (const std::string& line : ReadList("inputs.txt")) lines.push_back(line);
  PinRandomSeed(1);
  for (const Bot& bot : kBots) {
    SCOPED_TRACE(bot.name);
    const std::vector<Group> net = SafetyNet(bot.profile);
    auto engine = UserSide(bot.profile);
    for (const std::string& line : lines) {
      const std::string reply = Reply(*engine, line);
      const int group = NetGroupOf(*engine, net);
      EXPECT_LT(group, 0)
          << "\"" << U8(line) << "\" caught by the group of ?"
          << U8(net[static_cast<std::size_t>(std::max(group, 0))]
                    .patterns.front());
      EXPECT_FALSE(NamesHelp(reply)) << U8(line) << ": " << U8(reply);
    }
  }
  UnpinRandomSeed();
}

TEST(SafetyNet, RimbusSpeakingForTheUserAnswersDistressPlainly) {
  const std::vector<Group> net = SafetyNet(kRimbus);
  const std::vector<std::string> rhymes = BlockRows(kRimbus, "rim");
  ASSERT_FALSE(rhymes.empty());
  PinRandomSeed(4711);
  auto rimbus = SpeakingForUser();
  for (const std::string& line : ReadList("distress.txt")) {
    const std::string reply = Reply(*rimbus, line);
    EXPECT_GE(NetGroupOf(*rimbus, net), 0)
        << "\"" << U8(line) << "\" got \"" << U8(reply) << "\"";
    EXPECT_TRUE(NamesHelp(reply)) << U8(line) << ": " << U8(reply);
    EXPECT_EQ(JokeIn(reply, rhymes), "") << U8(line) << ": " << U8(reply);
  }
  for (const std::string& line : ReadList("harmless.txt")) {
    const std::string reply = Reply(*rimbus, line);
    EXPECT_LT(NetGroupOf(*rimbus, net), 0)
        << "\"" << U8(line) << "\" got \"" << U8(reply) << "\"";
  }
  UnpinRandomSeed();
}

TEST(SafetyNet, ARepeatedLineIsNeverMetWithAJokeOrRhyme) {
  // The same line twice is answered from REPEAT before the net is tried, so
  // REPEAT must stay kind for a painful line too.
  const std::vector<std::string> jokes = JokeRows();
  ASSERT_FALSE(jokes.empty());
  const std::vector<std::string> lines = ReadList("distress.txt");
  for (unsigned seed : {1u, 31337u, 271828u}) {
    PinRandomSeed(seed);
    for (const Bot& bot : kBots) {
      SCOPED_TRACE(bot.name + (" seed " + std::to_string(seed)));
      auto engine = UserSide(bot.profile);
      for (const std::string& line : lines) {
        (void)Reply(*engine, line);
        const std::string reply = Reply(*engine, line);
        EXPECT_EQ(JokeIn(reply, jokes), "") << "repeated " << U8(line);
      }
    }
  }
  UnpinRandomSeed();
  // IMITATE, which a line gets once the bot has answered the previous line
  // with that very line, cannot be steered from outside; its rows and
  // REPEAT's may name the two speakers but draw nothing from a block.
  for (const Bot& bot : kBots) {
    for (const char* block : {"REPEAT", "IMITATE"}) {
      SCOPED_TRACE(bot.name + std::string(" ") + block);
      const std::vector<std::string> rows = BlockRows(bot.profile, block);
      EXPECT_GE(rows.size(), 3u);
      for (std::string row : rows) {
        for (const char* name : {"%NAME_USER%", "%NAME_PLADDO%"}) {
          for (std::size_t at; (at = row.find(name)) != row.npos;) {
            row.erase(at, std::string(name).size());
          }
        }
        EXPECT_EQ(row.find('%'), row.npos) << U8(row);
      }
    }
  }
}

TEST(SafetyNet, NeitherBotsAnswersLeadTheOtherIntoTheNet) {
  // In the automatic dialogue Rimbus hears Pladdo's answers and Pladdo hears
  // Rimbus's. No answer may pass for distress, or the two would trade help
  // numbers for ever; after a safety answer Rimbus goes on without a rhyme.
  const std::vector<std::string> rhymes = BlockRows(kRimbus, "rim");
  PinRandomSeed(65521);
  {
    const std::vector<Group> net = SafetyNet(kRimbus);
    std::set<std::string> safety;
    for (const Group& group : SafetyNet(kPladdo)) {
      safety.insert(group.answers.begin(), group.answers.end());
    }
    auto rimbus = SpeakingForUser();
    for (const std::string& said : AllAnswerTexts(kPladdo)) {
      const std::string reply = Reply(*rimbus, said);
      EXPECT_LT(NetGroupOf(*rimbus, net), 0)
          << "Rimbus took Pladdo's \"" << U8(said) << "\" for distress";
      if (safety.count(said) != 0) {
        EXPECT_FALSE(NamesHelp(reply)) << U8(said) << " -> " << U8(reply);
        EXPECT_EQ(JokeIn(reply, rhymes), "") << U8(said);
      }
    }
  }
  {
    const std::vector<Group> net = SafetyNet(kPladdo);
    std::set<std::string> safety;
    for (const Group& group : SafetyNet(kRimbus)) {
      safety.insert(group.answers.begin(), group.answers.end());
    }
    auto pladdo = UserSide(kPladdo);
    for (const std::string& said : AllAnswerTexts(kRimbus)) {
      const std::string reply = Reply(*pladdo, said);
      EXPECT_LT(NetGroupOf(*pladdo, net), 0)
          << "Pladdo took Rimbus's \"" << U8(said) << "\" for distress";
      if (safety.count(said) != 0) {
        EXPECT_FALSE(NamesHelp(reply)) << U8(said) << " -> " << U8(reply);
      }
    }
  }
  UnpinRandomSeed();
}

}  // namespace
}  // namespace pladdo
