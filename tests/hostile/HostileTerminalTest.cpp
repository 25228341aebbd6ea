// Hostile input to the terminal front end, run as the built program: a line
// of 1 MB, NUL bytes and invalid UTF-8, a first line made of variables, and a
// 200-exchange conversation under valgrind with no leak and no error.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "engine/Codepage.h"
#include "tests/hostile/HostileUtil.h"

namespace pladdo::hostile {
namespace {

constexpr int kRunSeconds = 60;

// UTF-8, as profiles are shipped; one answer per block, so the transcript
// does not depend on the random choice.
constexpr char kProfile[] =
    "[NAME]\n!Testbot\n"
    "[WELCOME]\n!Hej!\n"
    "[START]\n!Trevligt att tr\xC3\xA4" "ffas, %NAME_USER%!\n"
    "[REPEAT]\n!Du upprepar dig.\n"
    "[IMITATE]\n!H\xC3\xA4rmar du mig?\n"
    "[SPEAK]\n?jag heter*\n!Hej %@FE%!\n?alfa\n!Svar alfa\n"
    "[NOTFOUND]\n!Inget\n";
constexpr char kLanguage[] = "[svenska]\n\"jag\" \"du\"\n";

class TerminalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_strProgram = PladdoProgram();
    if (m_strProgram.empty()) {
      GTEST_SKIP() << "pladdo has not been built yet";
    }
    m_strProfile = m_dir.Write("test.ppf", kProfile);
    m_strLanguage = m_dir.Write("language.dat", kLanguage);
  }

  ProgramRun Chat(std::string_view input, int seconds = kRunSeconds) {
    return RunProgram(m_strProgram,
                      {"--terminal", "--seed", "1", "--profile1", m_strProfile,
                       "--profile2", m_strProfile, "--language", m_strLanguage},
                      input, seconds);
  }

  TempFolder m_dir;
  std::string m_strProgram;
  std::string m_strProfile;
  std::string m_strLanguage;
};

struct HostileLine {
  const char* what;
  std::string line;         // what the user types (without the line feed)
  std::string shown;        // how the transcript shows it, UTF-8 ("": no exchange)
};

std::string Megabyte(char c) { return std::string(1u << 20, c); }

const HostileLine kHostileLines[] = {
    {"a line of one megabyte", Megabyte('b'), Megabyte('b')},
    {"invalid UTF-8 becomes one substitute per bad byte",
     "tr\xC3\x28" "d \xFF\xFE slut", "tr\x1A(d \x1A\x1A slut"},
    {"a lone continuation byte", "a\x80" "b", "a\x1A" "b"},
    {"NUL bytes are dropped from the line", std::string("ett\0tv\xC3\xA5\0", 9),
     "etttv\xC3\xA5"},
    {"a line of NUL bytes only is blank and ignored", std::string(3, '\0'), ""},
};

class HostileLineTest : public TerminalTest,
                        public ::testing::WithParamInterface<HostileLine> {};

TEST_P(HostileLineTest, IsAnsweredAndTheConversationGoesOn) {
  const ProgramRun run = Chat("Anna\n" + GetParam().line + "\nalfa\n");
  ASSERT_TRUE(run.finished) << "pladdo did not end within " << kRunSeconds << " s";
  EXPECT_EQ(run.exitStatus, 0) << run.err.substr(0, 400);
  EXPECT_TRUE(IsValidUtf8(run.out));
  const std::string expected =
      "Hej!\n> Anna\nTrevligt att tr\xC3\xA4" "ffas, Anna!\n" +
      (GetParam().shown.empty() ? "" : "> " + GetParam().shown + "\nInget\n") +
      "> alfa\nSvar alfa\n";
  EXPECT_EQ(run.out.size(), expected.size());
  EXPECT_TRUE(run.out == expected) << run.out.substr(0, 400);
}

INSTANTIATE_TEST_SUITE_P(Lines, HostileLineTest, ::testing::ValuesIn(kHostileLines),
                         [](const auto& row) {
                           return "Row" + std::to_string(row.index);
                         });

TEST_F(TerminalTest, FirstLineMadeOfVariablesIsHeldByTheBudget) {
  std::string name;
  for (int i = 0; i < 2; ++i) name += "%NAME_USER%";
  const ProgramRun run = Chat(name + "\nalfa\n");
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitStatus, 0);
  const std::string head = "Hej!\n> " + name + "\nTrevligt att tr\xC3\xA4" "ffas, ";
  EXPECT_TRUE(run.out.starts_with(head)) << run.out.substr(0, 200);
  EXPECT_TRUE(run.out.ends_with("!\n> alfa\nSvar alfa\n"));
  // The first loop-protection note is translated for the user (later ones
  // of the same code stay as they are).
  EXPECT_NE(run.out.find("[Lop-fel i %NAME_USER%"), std::string::npos);
}

bool UnderSanitizer() {
#if defined(PLADDO_SANITIZED)
  return true;
#else
  return false;
#endif
}

TEST_F(TerminalTest, TwoHundredExchangesUnderValgrindLeakNothing) {
  if (UnderSanitizer()) {
    GTEST_SKIP() << "valgrind does not run sanitized programs";
  }
  if (access("/usr/bin/valgrind", X_OK) != 0) {
    GTEST_SKIP() << "valgrind is not installed";
  }
  // Over 200 exchanges: typed lines, and now and then a typed line followed
  // by two turns of the automatic dialogue (empty lines send profile 2's
  // suggestion), then the checker, a restart and the end.
  std::string script = "Anna\n";
  const char* typed[] = {"jag heter Anna", "alfa", "vad s\xC3\xA4ger du", "hej"};
  for (int i = 1; i < 200; ++i) {
    if (i % 20 == 10) {
      script += "/auto\nalfa auto " + std::to_string(i) + "\n\n\n/auto\n";
    } else {
      script += std::string(typed[i % 4]) + " " + std::to_string(i) + "\n";
    }
  }
  script += "/fels\xC3\xB6k\n/omstart\nBerit\n/avsluta\n";
  const ProgramRun run = RunProgram(
      "/usr/bin/valgrind",
      {"--error-exitcode=1", "--leak-check=full", "--quiet", m_strProgram, "--terminal", "--seed", "1", "--profile1",
       m_strProfile, "--profile2", m_strProfile, "--language", m_strLanguage},
      script, 240);
  ASSERT_TRUE(run.finished) << "valgrind run did not end within 240 s";
  if (run.err.find("unhandled dwarf2 abbrev form") != std::string::npos) {
    // Debian 12's valgrind cannot read clang 14's DWARF 5 debug information.
    GTEST_SKIP() << "valgrind cannot read this build's debug information";
  }
  EXPECT_EQ(run.exitStatus, 0) << run.err.substr(0, 4000);
  // Every line the user typed got its answer.
  std::size_t userLines = 0;
  for (std::size_t at = run.out.find("\n> "); at != std::string::npos;
       at = run.out.find("\n> ", at + 1)) {
    ++userLines;
  }
  EXPECT_GE(userLines, 200u);
}

}  // namespace
}  // namespace pladdo::hostile
