// Hostile files and input, each in a child process killed when it hangs:
// unusable paths, binary and huge profiles, pladdo fed hostile lines, valgrind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/ProfileStream.h"
#include "engine/Random.h"
#include "tests/TestUtil.h"

namespace pladdo {
namespace {

using test::RunChild;
using Texts = std::vector<std::string>;

const test::TempDir kDir;
std::string File(std::string_view name) { return kDir.File(name); }

std::string Join(const Texts& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += " | " + text;
  return joined;
}

// One answer per block.
constexpr char kProfile[] =
    "[INFO]\nname=Test\nlanguage=svenska\n[NAME]\n!Testbot\n[WELCOME]\n!Hej!\n"
    "[START]\n!Trevligt att träffas, %NAME_USER%!\n[REPEAT]\n!Upprepar du?\n"
    "[IMITATE]\n!Härmar du?\n[SPEAK]\n?jag heter*\n!Hej %FE%!\n?alfa\n"
    "!Svar alfa\n[NOTFOUND]\n!Inget\n";
constexpr char kLanguage[] = "[svenska]\n\"jag\" \"du\"\n\"mig\" \"dig\"\n";

// The welcome and the replies to the inputs, the first also the user's name.
Texts Converse(CChatEngine& engine, const std::string& profile,
               const std::string& language, const Texts& inputs) {
  PinRandomSeed(1);
  engine.SetLanguageFile(language);
  engine.SetProfile(profile);
  engine.Reset();
  engine.SetBotName();
  Texts shown{std::string(engine.GetWelcome())};
  for (const std::string& input : inputs) {
    if (!engine.HasUserName()) engine.SetUserName(input);
    engine.SetInput(input);
    shown.emplace_back(engine.GetReply());
  }
  return shown;
}

// The checker's report after the last mark.
std::string ReportEnd(CChatEngine& engine, std::string_view mark = "\n\n") {
  const std::string report = engine.CheckProfile().strReport;
  return report.substr(report.rfind(mark) + mark.size());
}

TEST(HostilePath, UnusableFileIsRefusedWithItsCodeWithoutBlocking) {
  std::filesystem::create_directory(File("mapp"));
  mkfifo(File("fifo").c_str(), 0600);
  const std::string language = kDir.Write("language.dat", kLanguage);
  for (const std::string& path : {std::string(), File("saknas"), File("mapp"),
                                  File("fifo"), std::string("/dev/zero")}) {
    SCOPED_TRACE(path);
    // The same path as a block variable's file and as the language table.
    const std::string variable = kDir.Write(
        "var.ppf", "[INFO]\nlanguage=svenska\n[WELCOME]\n!%" + path + "|r%.\n");
    EXPECT_EQ(RunChild([&] {
                CChatEngine engine;
                auto texts = Converse(engine, path, language, {"Anna"});
                texts.push_back(engine.GetBotName());
                texts.emplace_back(engine.GetInfo(InfoField::Name));
                texts.push_back(engine.CheckProfile().strReport);
                CChatEngine other;
                texts.push_back(Converse(other, variable, path, {})[0]);
                texts.push_back(std::to_string(other.GetFromWords().size()));
                return Join(texts);
              }).Result(),
              Join({"#ERROR_CANTOPENFILE#", "#ERROR_NOPROFILE#", "Pladdo", " ",
                    "#FILENAME# " + path + "\n#DEBUG_COLDNTOPENFILE#\n",
                    "[#ERROR_VARIABELCANTOPENFILE# " + path + " ].", "0"}));
  }
}

TEST(HostileProfile, OddBytesGiveAnAnswerOrACodeAndTheCheckerFinishes) {
  // Fixed pseudo-random bytes without "[": no block header.
  std::string noise;
  for (std::uint32_t state = 12345; noise.size() < 65536;) {
    state = state * 1103515245u + 12345u;
    noise.push_back(static_cast<char>(state >> 16 & 0xFF));
    if (noise.back() == '[') noise.back() = 'x';
  }
  // Welcome | bot name | checker's verdict (a missing language is one fault).
  // clang-format off
  const std::pair<std::string, std::string> rows[] = {
      // 67 rows with an odd number of "%", no language, no answer at all.
      {noise, " | #ERROR_WELCOMEEMPTY# | #ERROR_NOVARIABLEANSWER# | 69 #ERRORFOUND#"},
      // NUL bytes read as blanks; a Windows-1252 letter is kept.
      {std::string("\0[WELCOME]\0\n!Hej\0d\xE4r\n[NAME]\n\0!Nolla\n", 36),
       " | Hej d\xE4r | Nolla | 1 #ERRORFOUND#"},
  };
  // clang-format on
  for (const auto& [bytes, expected] : rows) {
    SCOPED_TRACE(expected);
    const std::string path = kDir.Write("odd.ppf", bytes);
    EXPECT_EQ(RunChild([&] {
                CChatEngine engine;
                auto texts = Converse(engine, path, File("ingen.dat"), {});
                texts.push_back(engine.GetBotName());
                texts.push_back(ReportEnd(engine));
                return Join(texts);
              }).Result(),
              expected);
  }
}

TEST(HugeProfile, FiftyMegabyteLineIsCutAndTwoHundredThousandBlocksReached) {
  std::string bytes = "[INFO]\nlanguage=svenska\n[SPEAK]\n?lang\n!";
  bytes.append(50u << 20, 'x');
  bytes += "\n?sista\n!Sista %B199999%\n";
  for (int i = 0; i < 200000; ++i)
    bytes += "[B" + std::to_string(i) + "]\n!svar " + std::to_string(i) + "\n";
  bytes +=
      "[START]\n!Start %B123456%\n[WELCOME]\n!V\xE4lkommen %@B7%\n"
      "[NOTFOUND]\n!Inget %B0%\nhej\n";
  // The illegal last row's number: every line before it counted once.
  const auto row = std::count(bytes.begin(), bytes.end(), '\n');
  const std::string path = kDir.Write("huge.ppf", bytes);
  bytes = std::string();
  EXPECT_EQ(RunChild([&] {
              // No cache margin: the second pass replays the kept lines.
              CProfileStream::SetCacheMargin({});
              CChatEngine engine;
              auto texts =
                  Converse(engine, path, kDir.Write("language.dat", kLanguage),
                           {"Anna", "sista", "annat", "lang"});
              texts.push_back(ReportEnd(engine, "[NOTFOUND]"));
              return Join(texts);
            }).Result(),
            Join({"V\xE4lkommen Svar 7", "Start svar 123456",
                  "Sista svar 199999", "Inget svar 0", std::string(1022, 'x'),
                  "\n[" + std::to_string(row) +
                      "] hej\n#ILLEGALROW#\n\n1 #ERRORFOUND#"}));
}

// The built program with the test profile as both bots; {} when unbuilt.
Texts Pladdo() {
  const std::string program = std::string(PLADDO_BUILD_DIR) + "/pladdo";
  if (access(program.c_str(), X_OK) != 0) return {};
  const std::string profile = kDir.Write("test.ppf", kProfile);
  const std::string language = kDir.Write("language.dat", kLanguage);
  return {program, "--terminal", "--seed", "1",          "--profile1",
          profile, "--profile2", profile,  "--language", language};
}

TEST(Terminal, HostileLinesAreAnsweredAndTheConversationGoesOn) {
  const Texts pladdo = Pladdo();
  if (pladdo.empty()) GTEST_SKIP() << "pladdo has not been built yet";
  std::string words = "jag heter", swapped = "Hej";
  for (; words.size() < 1u << 20; swapped += " anna dig") words += " anna mig";
  // What the user types, and the exchange shown ("": none).
  const std::pair<std::string, std::string> rows[] = {
      {words, words + "\n" + swapped + "!"},
      // One substitute per byte that is not UTF-8.
      {"tr\xC3(d \xFF\xFE a\x80-b", "tr\x1A(d \x1A\x1A a\x1A-b\nInget"},
      {std::string("ett\0tv\xC3\xA5\0", 9), "etttv\xC3\xA5\nInget"},
      {std::string(3, '\0'), ""},  // blank once its NUL bytes are dropped
  };
  std::string input = "Anna\n";
  std::string expected = "Hej!\n> Anna\nTrevligt att träffas, Anna!\n";
  for (const auto& [line, shown] : rows) {
    input += line + "\n";
    expected += shown.empty() ? "" : "> " + shown + "\n";
  }
  const test::ChildRun run = test::RunProgram(pladdo, input + "alfa\n");
  expected += "> alfa\nSvar alfa\n";  // and the conversation goes on
  EXPECT_EQ(run.failure, "") << run.err.substr(0, 400);
  EXPECT_TRUE(run.out == expected) << "not printed: 4 MB of text";
}

TEST(Terminal, TwoHundredExchangesUnderValgrindLeakNothing) {
#if defined(PLADDO_SANITIZED)
  GTEST_SKIP() << "valgrind does not run sanitized programs";
#endif
  Texts args = Pladdo();
  if (args.empty()) GTEST_SKIP() << "pladdo has not been built yet";
  if (access("/usr/bin/valgrind", X_OK) != 0) GTEST_SKIP() << "no valgrind";
  // Typed lines, now and then two automatic turns; the checker, a restart.
  std::string script = "Anna\n";
  const char* typed[] = {"jag heter Anna", "alfa", "vad säger du", "hej"};
  for (int i = 1; i < 200; ++i) {
    script += i % 20 == 10
                  ? "/auto\nalfa " + std::to_string(i) + "\n\n\n/auto\n"
                  : typed[i % 4] + (" " + std::to_string(i)) + "\n";
  }
  script += "/felsök\n/omstart\nBerit\n/avsluta\n";
  args.insert(args.begin(), {"/usr/bin/valgrind", "--error-exitcode=1",
                             "--leak-check=full", "--quiet"});
  const test::ChildRun run = test::RunProgram(args, script, {}, "", 240);
  if (run.err.find("unhandled dwarf2 abbrev form") != run.err.npos) {
    // Debian 12's valgrind cannot read clang 14's DWARF 5 debug information.
    GTEST_SKIP() << "valgrind cannot read this build's debug information";
  }
  EXPECT_EQ(run.failure, "") << run.err.substr(0, 4000);
  // Every line the user typed is shown with its answer: two lines each.
  EXPECT_GE(std::count(run.out.begin(), run.out.end(), '\n'), 440);
}

}  // namespace
}  // namespace pladdo
