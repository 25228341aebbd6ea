// The shipped bots Pladdo and Rimbus and language.dat: both pass the checker,
// answer everyday Swedish lines without codes or unexpanded variables, and
// echo the user's words back with their pronouns swapped.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/Codepage.h"
#include "engine/Random.h"
#include "engine/TextUtil.h"

namespace pladdo {
namespace {

const std::string kProfiles = std::string(PLADDO_PROFILES) + "/";
const std::string kFixtures = std::string(PLADDO_FIXTURES) + "/bots/";
constexpr unsigned kSeeds[] = {1, 4711, 31337, 65521, 100003, 271828, 314159};

// Windows-1252 to UTF-8, so that failure messages read right.
std::string U8(std::string_view cp1252) { return Cp1252ToUtf8(cp1252); }

// The everyday lines of inputs.txt and lines300.txt in Windows-1252, as the
// window hands typed lines on.
std::vector<std::string> Inputs() {
  std::vector<std::string> lines;
  for (const char* file : {"inputs.txt", "lines300.txt"}) {
    std::ifstream in(kFixtures + file);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty()) lines.push_back(Utf8ToCp1252(line));
    }
  }
  return lines;
}

// Marks of a variable left unexpanded, a message code or an error note.
constexpr const char* kMarkup = "%#[";

// text lower-cased with every non-letter a blank, and a blank on each side,
// so that " word " finds whole words only.
std::string Spaced(std::string text) {
  ToLower(text);
  for (char& c : text) c = IsLetter(c) ? c : ' ';
  return " " + text + " ";
}

// When reply echoes the capture, each captured word the language table puts
// in must stand for a word the user typed: an echoed "du" needs a "jag".
void ExpectEchoFits(const CChatEngine& engine, const std::string& input,
                    const std::string& reply) {
  const std::string capture = Spaced(engine.GetCapture());
  if (engine.GetCapture().empty() ||
      Spaced(reply).find(capture) == std::string::npos)
    return;
  std::istringstream words(capture);
  for (std::string word; words >> word;) {
    bool putIn = false, typed = false;
    for (std::size_t i = 0; i < engine.GetToWords().size(); ++i) {
      if (Spaced(engine.GetToWords()[i]) != " " + word + " ") continue;
      putIn = true;
      typed = typed || Spaced(input).find(Spaced(engine.GetFromWords()[i])) !=
                           std::string::npos;
    }
    EXPECT_TRUE(!putIn || typed) << "\"" << U8(word) << "\" echoed in \""
                                 << U8(reply) << "\" for \"" << U8(input);
  }
}

// An engine on profile as the controller drives engine 1: a bot name, the
// greeting, the user's name "Anna" as the first input. shown gets the
// greeting and the answer to the name, a line feed between them.
std::unique_ptr<CChatEngine> Talk(const std::string& profile,
                                  std::string* shown = nullptr) {
  auto engine = std::make_unique<CChatEngine>();
  engine->SetLanguageFile(kProfiles + "language.dat");
  engine->SetProfile(profile);
  engine->Reset();
  engine->SetBotName();
  std::string both = std::string(engine->GetWelcome()) + "\n";
  engine->SetUserName("Anna");
  engine->SetInput("Anna");
  both += engine->GetReply();
  if (shown) *shown = both;
  return engine;
}

TEST(ShippedBots, PassTheCheckerAndAnswerTypicalLinesCleanly) {
  const std::vector<std::string> inputs = Inputs();
  ASSERT_GE(inputs.size(), 360u);
  for (unsigned seed : kSeeds) {
    for (const char* bot : {"pladdo.ppf", "rimbus.ppf"}) {
      SCOPED_TRACE(bot + (" seed " + std::to_string(seed)));
      PinRandomSeed(seed);
      std::string shown;
      auto engine = Talk(kProfiles + bot, &shown);
      const CheckResult check = engine->CheckProfile();
      EXPECT_EQ(check.nFaults, 0) << U8(check.strReport);
      EXPECT_EQ(shown.find_first_of(kMarkup), shown.npos) << U8(shown);
      EXPECT_NE(shown.find("Anna", shown.find('\n')), std::string::npos)
          << U8(shown);
      for (const std::string& input : inputs) {
        engine->SetInput(input);
        const std::string reply(engine->GetReply());
        EXPECT_TRUE(!reply.empty() &&
                    reply.find_first_of(kMarkup) == reply.npos)
            << "\"" << U8(input) << "\": \"" << U8(reply) << "\"";
        ExpectEchoFits(*engine, input, reply);
      }
    }
  }
  UnpinRandomSeed();
}

TEST(Echo, CaptureHasItsPronounsSwappedAndIsEchoed) {
  // The shipped Pladdo or a fixture bot echoing all after its keyword; the
  // input and the value of %FE% afterwards, in UTF-8.
  // clang-format off
  const struct { const char* profile; const char* input; const char* capture; } rows[] = {
    // Pladdo's echoing groups speak as Pladdo: subject, object, possessive,
    // plural persons, reflexive, and a "du är" line turned round.
    {"pladdo.ppf", "Jag tror att du glömmer mig", "jag glömmer dig"},
    {"pladdo.ppf", "Jag behöver din åsikt om mitt förslag", "min åsikt om ditt förslag"},
    {"pladdo.ppf", "Min moster lånar min stege", "moster lånar din stege"},
    {"pladdo.ppf", "Jag har lånat dina pennor", "lånat mina pennor"},
    {"pladdo.ppf", "Jag känner mig glömd av er", "glömd av oss"},
    {"pladdo.ppf", "Jag saknar vårt gamla kvarter", "ert gamla kvarter"},
    {"pladdo.ppf", "Jag är stolt över mig själv", "stolt över dig själv"},
    {"pladdo.ppf", "Du är en bra lyssnare för mig", "en bra lyssnare för dig"},
    // Each Swedish pair swaps both ways in one pass, whole words only.
    {"echo_sv.ppf", "eko jag och du", "du och jag"},
    {"echo_sv.ppf", "eko hjälp mig, inte dig", "hjälp dig"},  // to the comma
    {"echo_sv.ppf", "eko ge mej", "ge dej"},
    {"echo_sv.ppf", "eko min bok och din penna", "din bok och min penna"},
    {"echo_sv.ppf", "eko mitt hus och ditt tak", "ditt hus och mitt tak"},
    {"echo_sv.ppf", "eko mina skor och dina", "dina skor och mina"},
    {"echo_sv.ppf", "eko vi ses och ni också", "ni ses och vi också"},
    {"echo_sv.ppf", "eko jag gillar er", "du gillar oss"},
    {"echo_sv.ppf", "eko ge oss mat", "ge er mat"},
    {"echo_sv.ppf", "eko vår katt vårt hus våra barn", "er katt ert hus era barn"},
    {"echo_sv.ppf", "eko jagar du mindre", "jagar jag mindre"},
    // The Swedish block stops at the English one: "i" (in) stays.
    {"echo_sv.ppf", "eko my friend and i", "my friend and i"},
    {"echo_en.ppf", "echo i am happy", "you are happy"},
    {"echo_en.ppf", "echo you are my friend", "I am your friend"},
    {"echo_en.ppf", "echo help me", "help you"},
    {"echo_en.ppf", "echo i hate myself", "you hate yourself"},
    {"echo_en.ppf", "echo our house", "your house"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.input);
    bool echoed = false;
    for (unsigned seed : kSeeds) {
      PinRandomSeed(seed);
      auto engine =
          Talk((row.profile[0] == 'p' ? kProfiles : kFixtures) + row.profile);
      const std::string input = Utf8ToCp1252(row.input);
      engine->SetInput(input);
      const std::string reply(engine->GetReply());
      EXPECT_EQ(U8(engine->GetCapture()), row.capture) << "seed " << seed;
      ExpectEchoFits(*engine, input, reply);
      echoed = echoed || Spaced(reply).find(Spaced(engine->GetCapture())) !=
                             std::string::npos;
    }
    EXPECT_TRUE(echoed) << "no seed chose an answer that echoes the capture";
  }
  UnpinRandomSeed();
}

}  // namespace
}  // namespace pladdo
