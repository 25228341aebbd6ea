// `pladdo verify` worded for the author: the report on fixture profiles, the
// answers to a list of lines, and the corpus summary's counts and per cents.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/Codepage.h"
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
      {{kFix + "verify_planted.ppf"}, kVerifyFindings, planted},
      {{kFix + "verify_planted.ppf", kFix + "verify_clean.ppf"}, kVerifyFindings,
       planted + "\n" + clean},
      {{missing, kFix + "verify_clean.ppf"}, kVerifyCannotOpen,
       missing + ": filen kunde inte öppnas.\n\n" + clean},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.files.back());
    std::ostringstream out;
    EXPECT_EQ(RunVerify(row.files, kLanguage, out), row.status);
    EXPECT_EQ(out.str(), row.out);
  }
}

// Each line, the row or block that answers it and what else it tells; then
// the counts (the rest of the summary is the next test's).
TEST(VerifyCommand, AnswersEachLineAndSumsThemUp) {
  PinRandomSeed(1);
  std::ostringstream out, err;
  EXPECT_EQ(RunVerifyInputs(kFix + "verify_inputs.txt", kFix + "verify_planted.ppf", kLanguage,
                            out, err),
            kVerifyClean);
  UnpinRandomSeed();
  EXPECT_EQ(out.str().substr(0, out.str().find("Grupperna")),
      "«Jag gillar fisk» besvaras av verify_planted.ppf:19 «?fisk»\n"
      "«Jag tycker inte om fisk» besvaras av verify_planted.ppf:19 «?fisk»\n"
      "    skulle också passa: verify_planted.ppf:25 «?jag tycker inte om fisk»\n"
      "«hej då» besvaras av verify_planted.ppf:22 «?hej»\n"
      "    skulle också passa: verify_planted.ppf:30 «?hej då»\n"
      "«vad heter du» besvaras av [NOTFOUND]\n"
      "«jag är 25» besvaras av [NOTFOUND]\n"
      "    verify_planted.ppf:28 «?jag är*» tog raden, men inget fångades och alla gruppens svar "
      "använder %FE%\n"
      "\n"
      "Sammanfattning för verify_planted.ppf:\n"
      "5 rader; en nyckelordsgrupp svarade på 3 av dem (60,0 %), andra block på 2.\n");
  EXPECT_EQ(err.str(), "");

  std::ostringstream out2, err2;
  EXPECT_EQ(RunVerifyInputs(kFix + "saknas.txt", kFix + "verify_planted.ppf", kLanguage, out2,
                            err2),
            kVerifyCannotOpen);
  EXPECT_EQ(err2.str(), "pladdo verify: raderna i \"" + kFix + "saknas.txt\" kunde inte läsas.\n");
  std::ostringstream out3;
  EXPECT_EQ(RunVerifyInputs(kFix + "verify_inputs.txt", kFix + "saknas.ppf", kLanguage, out3,
                            err2),
            kVerifyCannotOpen);
  EXPECT_EQ(out3.str(), kFix + "saknas.ppf: filen kunde inte öppnas.\n");
}
// clang-format on

// The summary of hand-made results: per cents rounded to one decimal with a
// decimal comma, the ten groups that answered most (ties in file order),
// and the groups no line reached.
TEST(VerifyCommand, SummarisesCountsPerCentsAndGroups) {
  CorpusLine keyword;
  keyword.situation = TraceSituation::Keyword;
  keyword.pattern = {"p.ppf", 100, "?g0"};
  CorpusResult result{true, {keyword, keyword, CorpusLine{}}, {}};
  for (int g = 0; g < 13; ++g) {
    result.groups.push_back({{"/x/p.ppf", 100 + g, "?g" + std::to_string(g)},
                             g == 12 ? 0 : 1 + g % 3});
  }
  const std::string report = Cp1252ToUtf8(FormatCorpusReport("p.ppf", result));
  EXPECT_NE(report.find("3 rader; en nyckelordsgrupp svarade på 2 av dem "
                        "(66,7 %), andra block på 1.\n"
                        "Grupperna som svarade oftast:\n"
                        "     3  p.ppf:102 «?g2»\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("     1  p.ppf:100 «?g0»\n     1  p.ppf:103 «?g3»\n"
                        "Grupper som ingen rad nådde: 1 av 13\n"
                        "        p.ppf:112 «?g12»\n"),
            std::string::npos)
      << report;
}

}  // namespace
}  // namespace pladdo
