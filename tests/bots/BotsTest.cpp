// The shipped bots pass the checker and `pladdo verify`, and they and
// language.dat echo the user's words back with their pronouns swapped.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/Random.h"
#include "engine/TextUtil.h"
#include "tests/bots/BotsUtil.h"
#include "ui/terminal/VerifyCommand.h"

namespace pladdo {
namespace {

TEST(ShippedProfiles, PassTheCheckerAndVerifyFindsNothing) {
  // Verify: every #> sample reaches its own group (the distress lines reach
  // the safety net), no pattern row is shadowed by an earlier one, every
  // block variable names a block and every block is used.
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

// text lower-cased with every non-letter a blank, and a blank on each side,
// so that " word " finds whole words only.
std::string Spaced(std::string text) {
  ToLower(text);
  for (char& c : text) c = IsLetter(c) ? c : ' ';
  return " " + text + " ";
}

TEST(Echo, CaptureHasItsPronounsSwappedAndIsEchoed) {
  // Pladdo's echoing groups, and bots that echo all after their keyword with
  // the Swedish or the English pairs; the value of %FE% afterwards.
  const std::string echo = std::string(PLADDO_FIXTURES) + "/bots/echo_";
  // clang-format off
  const struct { std::string profile; const char* input; const char* capture; } rows[] = {
    {kPladdo, "Jag tror att du glömmer mig", "jag glömmer dig"},
    {kPladdo, "Jag behöver din åsikt om mitt förslag", "min åsikt om ditt förslag"},
    {kPladdo, "Du är en bra lyssnare för mig", "en bra lyssnare för dig"},
    // Each pair swaps both ways in one pass, whole words only, and the first
    // pair of a word wins ("er" is "oss"); the capture ends at the comma.
    {echo + "sv.ppf", "eko jag gillar er, inte dig", "du gillar oss"},
    {echo + "sv.ppf", "eko min bok och ditt hus och mina skor", "din bok och mitt hus och dina skor"},
    {echo + "sv.ppf", "eko vi ger dej vår katt och vårt hus och våra barn", "ni ger mej er katt och ert hus och era barn"},
    {echo + "sv.ppf", "eko ni hjälper oss och jagar du mig", "vi hjälper er och jagar jag dig"},
    // The Swedish block stops at the English one: "i" (in) stays.
    {echo + "sv.ppf", "eko my friend and i", "my friend and i"},
    {echo + "en.ppf", "echo you are my friend and help me", "I am your friend and help you"},
    {echo + "en.ppf", "echo i hate myself and our house", "you hate yourself and your house"},
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

}  // namespace
}  // namespace pladdo
