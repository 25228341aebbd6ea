// The command line: modes, options, values and the Swedish errors.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/terminal/CommandLine.h"

namespace pladdo {
namespace {

struct Row {
  const char* what;
  std::vector<std::string> args;
  RunMode mode;
  std::string profile1;
  std::string profile2;
  std::string language;
  bool autoDialog;
  bool printNames;
  long seed;  // -1: none
  std::vector<std::string> files;
  std::string error;
};

TEST(CommandLineParse, ReadsModesOptionsAndValues) {
  const Row rows[] = {
      {"nothing: window or terminal", {}, RunMode::Default, "", "", "", false, false, -1, {}, ""},
      {"terminal", {"--terminal"}, RunMode::Terminal, "", "", "", false, false, -1, {}, ""},
      {"terminal short", {"-t"}, RunMode::Terminal, "", "", "", false, false, -1, {}, ""},
      {"every chat option",
       {"-t", "--profile1", "a.ppf", "--profile2", "b.ppf", "--language", "l.dat",
        "--auto", "--names", "--seed", "42"},
       RunMode::Terminal, "a.ppf", "b.ppf", "l.dat", true, true, 42, {}, ""},
      {"values after =", {"--profile1=a.ppf", "--seed=0"}, RunMode::Default,
       "a.ppf", "", "", false, false, 0, {}, ""},
      {"largest seed", {"--seed", "4294967295"}, RunMode::Default, "", "", "",
       false, false, 4294967295L, {}, ""},
      {"UTF-8 path to Windows-1252", {"--profile1", "\xC3\xA5.ppf"},
       RunMode::Default, "\xE5.ppf", "", "", false, false, -1, {}, ""},
      {"help", {"--help"}, RunMode::Help, "", "", "", false, false, -1, {}, ""},
      {"version", {"--version"}, RunMode::Version, "", "", "", false, false, -1, {}, ""},
      {"check with files", {"check", "a.ppf", "b.ppf"}, RunMode::Check, "", "",
       "", false, false, -1, {"a.ppf", "b.ppf"}, ""},
      {"check with language", {"check", "--language", "l.dat", "a.ppf"},
       RunMode::Check, "", "", "l.dat", false, false, -1, {"a.ppf"}, ""},
      {"check: after -- a file may start with -", {"check", "--", "-x.ppf"},
       RunMode::Check, "", "", "", false, false, -1, {"-x.ppf"}, ""},
      // Errors.
      {"unknown option", {"--bogus"}, RunMode::Error, "", "", "", false, false, -1, {},
       "pladdo: ok\xE4nd flagga \"--bogus\". Skriv pladdo --help f\xF6r att se "
       "flaggorna."},
      {"value given to a switch", {"--auto=1"}, RunMode::Error, "", "", "", false,
       false, -1, {},
       "pladdo: ok\xE4nd flagga \"--auto=1\". Skriv pladdo --help f\xF6r att se "
       "flaggorna."},
      {"missing value", {"--profile1"}, RunMode::Error, "", "", "", false, false, -1, {},
       "pladdo: flaggan --profile1 beh\xF6ver ett v\xE4rde."},
      {"seed not a number", {"--seed", "12x"}, RunMode::Error, "", "", "", false,
       false, -1, {},
       "pladdo: --seed beh\xF6ver ett heltal fr\xE5n 0 till 4294967295, inte "
       "\"12x\"."},
      {"seed negative", {"--seed", "-1"}, RunMode::Error, "", "", "", false, false,
       -1, {},
       "pladdo: --seed beh\xF6ver ett heltal fr\xE5n 0 till 4294967295, inte "
       "\"-1\"."},
      {"seed too large", {"--seed", "4294967296"}, RunMode::Error, "", "", "",
       false, false, -1, {},
       "pladdo: --seed beh\xF6ver ett heltal fr\xE5n 0 till 4294967295, inte "
       "\"4294967296\"."},
      {"stray argument", {"hej"}, RunMode::Error, "", "", "", false, false, -1, {},
       "pladdo: ov\xE4ntat argument \"hej\". Skriv pladdo --help f\xF6r att se "
       "flaggorna."},
      {"check without files", {"check"}, RunMode::Error, "", "", "", false, false,
       -1, {},
       "pladdo check: ange minst en profilfil, till exempel: pladdo check "
       "min.ppf"},
      {"check with a chat option", {"check", "--auto", "a.ppf"}, RunMode::Error,
       "", "", "", false, false, -1, {},
       "pladdo: ok\xE4nd flagga \"--auto\". Skriv pladdo --help f\xF6r att se "
       "flaggorna."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const CommandLine result = ParseCommandLine(row.args);
    EXPECT_EQ(result.mode, row.mode);
    EXPECT_EQ(result.options.strProfile1, row.profile1);
    EXPECT_EQ(result.options.strProfile2, row.profile2);
    EXPECT_EQ(result.options.strLanguageFile, row.language);
    EXPECT_EQ(result.options.bAutoDialog, row.autoDialog);
    EXPECT_EQ(result.options.bPrintNames, row.printNames);
    EXPECT_EQ(result.seed.has_value(), row.seed >= 0);
    if (result.seed && row.seed >= 0) {
      EXPECT_EQ(*result.seed, static_cast<unsigned>(row.seed));
    }
    EXPECT_EQ(result.checkFiles, row.files);
    EXPECT_EQ(result.error, row.error);
  }
}

}  // namespace
}  // namespace pladdo
