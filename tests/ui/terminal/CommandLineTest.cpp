// The command line: modes, options, values and the Swedish errors; the
// terminal's prompt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/terminal/CommandLine.h"
#include "ui/terminal/TerminalChat.h"

namespace pladdo {
namespace {

// Everything a parse gave, on one line: mode, paths, switches, seed, files.
std::string Describe(const CommandLine& r) {
  const char* modes[] = {"default", "terminal", "check",
                         "verify",  "help",     "version"};
  if (r.mode == RunMode::Error) return r.error;
  std::string text = modes[static_cast<int>(r.mode)];
  text += " " + r.options.strProfile1 + "|" + r.options.strProfile2 + "|" +
          r.options.strLanguageFile;
  if (r.options.bAutoDialog) text += " auto";
  if (r.options.bPrintNames) text += " names";
  if (r.seed) text += " seed=" + std::to_string(*r.seed);
  for (const std::string& file : r.files) text += " [" + file + "]";
  if (r.inputsFile) text += " inputs=" + *r.inputsFile;
  return text;
}

// clang-format off
TEST(CommandLineParse, ReadsModesOptionsAndValuesAndExplainsMistakes) {
  const std::string unknown = "pladdo: ok\xE4nd flagga \"";
  const std::string help = "\". Skriv pladdo --help f\xF6r att se flaggorna.";
  const std::string seed = "pladdo: --seed beh\xF6ver ett heltal fr\xE5n 0 till 4294967295, inte \"";
  const struct { std::vector<std::string> args; std::string expected; } rows[] = {
      {{}, "default ||"},
      {{"-t", "--profile1", "a.ppf", "--profile2", "b.ppf", "--language", "l.dat",
        "--auto", "--names", "--seed", "42"}, "terminal a.ppf|b.ppf|l.dat auto names seed=42"},
      {{"--profile1=\xC3\xA5.ppf", "--seed=4294967295"}, "default \xE5.ppf|| seed=4294967295"},
      {{"check", "--language", "l.dat", "a.ppf", "--", "-x.ppf"}, "check ||l.dat [a.ppf] [-x.ppf]"},
      {{"check", "a.ppf", "-h"}, "help || [a.ppf]"},
      {{"--bogus"}, unknown + "--bogus" + help},
      {{"--auto=1"}, unknown + "--auto=1" + help},
      {{"check", "--auto", "a.ppf"}, unknown + "--auto" + help},
      {{"-t", "check"}, "pladdo: ov\xE4ntat argument \"check" + help},
      {{"--profile1"}, "pladdo: flaggan --profile1 beh\xF6ver ett v\xE4rde."},
      {{"--seed", "12x"}, seed + "12x\"."},
      {{"--seed", "4294967296"}, seed + "4294967296\"."},
      {{"check"}, "pladdo check: ange minst en profilfil, till exempel: pladdo check min.ppf"},
      {{"verify"}, "pladdo verify: ange minst en profilfil, till exempel: pladdo verify min.ppf"},
      {{"verify", "--inputs", "r\xC3\xA5.txt", "a.ppf"}, "verify || [a.ppf] inputs=r\xE5.txt"},
      {{"verify", "--inputs", "r.txt", "a.ppf", "b.ppf"}, "pladdo verify: --inputs pr\xF6var raderna mot en profil; ange exakt en profilfil."},
      {{"--inputs", "r.txt"}, unknown + "--inputs" + help},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    EXPECT_EQ(Describe(ParseCommandLine(row.args)), row.expected);
  }
}

// The window's prompt without its mnemonic mark, Windows-1252 in, UTF-8 out.
TEST(TerminalPrompt, DropsOnlyTheMnemonicAndKeepsAnAmpersandInAName) {
  const struct { const char* prompt; const char* shown; } rows[] = {
      {"Du s&varar:", "Du svarar: "}, {"Tom & Jerry s&varar:", "Tom & Jerry svarar: "}, {"\xC5sa s&varar:", "Åsa svarar: "}};
  for (const auto& row : rows) EXPECT_EQ(PromptText(row.prompt), row.shown) << row.prompt;
}
// clang-format on

}  // namespace
}  // namespace pladdo
