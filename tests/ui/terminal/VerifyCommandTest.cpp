// `pladdo verify`: the report on fixture profiles, and the answers to a list
// of lines with their counts and per cents.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "ui/terminal/VerifyCommand.h"

namespace pladdo {
namespace {

const std::string kFix = PLADDO_FIXTURES "/ui/";
const std::string kLanguage = kFix + "language.dat";

// clang-format off
TEST(VerifyCommand, ReportsEachFindingWithItsLineAndExitsWithItsStatus) {
  const std::string planted =
      "verify_planted.ppf:15: blocket [hälsnig] används aldrig av någon variabel\n"
      "verify_planted.ppf:23: variabeln «%hälsnign%» pekar på ett block som inte finns\n"
      "verify_planted.ppf:24: provet «jag tycker inte om fisk» besvaras av "
      "verify_planted.ppf:19 «?fisk», inte av sin grupp på rad 25\n"
      "verify_planted.ppf:25: mönstret «?jag tycker inte om fisk» nås aldrig; "
      "verify_planted.ppf:19 «?fisk» tar alla dess rader\n"
      "verify_planted.ppf:27: provet «jag är 25 år» når sin grupp på rad 28, men inget fångas "
      "efter mönstret och alla gruppens svar använder %FE%, så [NOTFOUND] svarar\n"
      "verify_planted.ppf:30: mönstret «?hej då» nås aldrig; verify_planted.ppf:22 «?hej» tar "
      "alla dess rader\n"
      "verify_planted.ppf:32: provet «vad heter du» har ingen mönsterrad under sig\n"
      "verify_planted.ppf: 2 av 5 prov når sin grupp; 7 anmärkningar.\n";
  const std::string clean = "verify_clean.ppf: 2 av 2 prov når sin grupp; inget att anmärka.\n";
  const std::string missing = kFix + "saknas.ppf";
  const struct { std::vector<std::string> files; int status; std::string out; } rows[] = {
      {{kFix + "verify_clean.ppf"}, kVerifyClean, clean},
      {{kFix + "verify_planted.ppf", kFix + "verify_clean.ppf"}, kVerifyFindings, planted + "\n" + clean},
      {{missing, kFix + "verify_clean.ppf"}, kVerifyCannotOpen, missing + ": filen kunde inte öppnas.\n\n" + clean},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.files.back());
    std::ostringstream out;
    EXPECT_EQ(RunVerify(row.files, kLanguage, out), row.status);
    EXPECT_EQ(out.str(), row.out);
  }
}

// Each line's answering row and what else it tells; the summary with the per
// cent rounded (66,66... is 66,7); and a profile that cannot be read.
TEST(VerifyCommand, AnswersEachLineAndSumsThemUp) {
  PinRandomSeed(1);
  std::ostringstream out, err;
  const std::string inputs = kFix + "verify_inputs.txt";
  EXPECT_EQ(RunVerifyInputs(inputs, kFix + "verify_planted.ppf", kLanguage, out, err), kVerifyClean);
  UnpinRandomSeed();
  EXPECT_EQ(out.str(),
      "«Jag gillar fisk» besvaras av verify_planted.ppf:19 «?fisk»\n"
      "«Jag tycker inte om fisk» besvaras av verify_planted.ppf:19 «?fisk»\n"
      "    skulle också passa: verify_planted.ppf:25 «?jag tycker inte om fisk»\n"
      "«hej då» besvaras av verify_planted.ppf:22 «?hej»\n"
      "    skulle också passa: verify_planted.ppf:30 «?hej då»\n"
      "«vad heter du» besvaras av [NOTFOUND]\n"
      "«jag är 25» besvaras av [NOTFOUND]\n"
      "    verify_planted.ppf:28 «?jag är*» tog raden, men inget fångades och alla gruppens svar använder %FE%\n"
      "«fisk är gott» besvaras av verify_planted.ppf:19 «?fisk»\n"
      "\nSammanfattning för verify_planted.ppf:\n"
      "6 rader; en nyckelordsgrupp svarade på 4 av dem (66,7 %), andra block på 2.\n"
      "Grupperna som svarade oftast:\n"
      "     3  verify_planted.ppf:19 «?fisk»\n"
      "     1  verify_planted.ppf:22 «?hej»\n"
      "Grupper som ingen rad nådde: 3 av 5\n"
      "        verify_planted.ppf:25 «?jag tycker inte om fisk»\n"
      "        verify_planted.ppf:28 «?jag är*»\n"
      "        verify_planted.ppf:30 «?hej då»\n");
  EXPECT_EQ(err.str(), "");

  std::ostringstream missing;
  EXPECT_EQ(RunVerifyInputs(inputs, kFix + "saknas.ppf", kLanguage, missing, err), kVerifyCannotOpen);
  EXPECT_EQ(missing.str(), kFix + "saknas.ppf: filen kunde inte öppnas.\n");
}
// clang-format on

}  // namespace
}  // namespace pladdo
