// The built pladdo program run as a user runs it: piped input, fixture
// profiles, standard output compared byte for byte, and exit statuses.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::string kProgram = PLADDO_BUILD_DIR "/pladdo";
const std::string kFixtures = PLADDO_FIXTURES "/e2e/";

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') quoted += "'\\''";
    else quoted += c;
  }
  return quoted + "'";
}

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs program with args in folder, input on its standard input.
class E2e : public testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::temp_directory_path() /
               ("pladdo-e2e-" + std::to_string(::getpid()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
  }
  void TearDown() override { fs::remove_all(m_folder); }

  Result RunIn(const fs::path& folder, const std::string& program,
               const std::vector<std::string>& args, const std::string& input) {
    std::ofstream(m_folder / "stdin", std::ios::binary) << input;
    std::string command = "cd " + Quote(folder.string()) + " && env -u DISPLAY -u WAYLAND_DISPLAY " + Quote(program);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " < " + Quote((m_folder / "stdin").string()) + " > " +
               Quote((m_folder / "stdout").string()) + " 2> " +
               Quote((m_folder / "stderr").string());
    const int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(m_folder / "stdout");
    result.err = ReadFile(m_folder / "stderr");
    return result;
  }

  // A chat on the fixture profiles with a fixed seed.
  Result Chat(const std::string& input, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {
        "--terminal", "--seed", "5", "--profile1", kFixtures + "alfa.ppf",
        "--profile2", kFixtures + "beta.ppf", "--language",
        kFixtures + "language.dat"};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunIn(m_folder, kProgram, args, input);
  }

  fs::path m_folder;
};

const std::string kWelcome = "V\xC3\xA4lkommen till Alfa.\n";
const std::string kAnna = kWelcome + "> Anna\nHej Anna.\n";

TEST_F(E2e, ChatsThroughPipesWithTheTranscriptAloneOnStandardOutput) {
  const struct {
    const char* what;
    std::string input;
    std::vector<std::string> extra;
    std::string out;
  } rows[] = {
      {"a short conversation", "Anna\nkod\njag säger att du ljuger\n", {},
       kAnna + "> kod\nSe [SAKNAS-variabeln finns inte] h\xC3\xA4r\n"
               "> jag säger att du ljuger\nDu s\xC3\xA4ger att jag ljuger.\n"},
      {"automatic dialogue from the start", "\n\n", {"--auto"},
       kWelcome + "> Beta\nHej Beta.\n> Beta svarar p\xC3\xA5 hej.\nJas\xC3\xA5.\n"},
      {"names printed from the start", "Anna\n", {"--names"},
       "Alfa: " + kWelcome + "Anna: Anna\nAlfa: Hej Anna.\n"},
      {"restart prints the new view", "Anna\n/omstart\nBo\n", {},
       kAnna + kWelcome + "> Bo\nHej Bo.\n"},
      {"quit ends before the rest", "Anna\n/avsluta\nhej\n", {}, kAnna},
      {"NUL and invalid bytes", std::string("Anna\n\0\xFF\xFE\n", 9), {},
       kAnna + "> \x1A\x1A\nJas\xC3\xA5.\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Result result = Chat(row.input, row.extra);
    EXPECT_EQ(result.out, row.out);
    EXPECT_EQ(result.status, 0);
  }
}

TEST_F(E2e, CheckerCommandShowsTheReportInTheView) {
  const Result result = Chat("Anna\n/felsök\n");
  EXPECT_EQ(result.out, kAnna + "Profilnamn: " + kFixtures + "alfa.ppf\n\n"
                        "Namn: Alfa\nVersion: 2\nF\xC3\xB6rfattare: Testaren\n"
                        "Info: Svarar f\xC3\xB6ruts\xC3\xA4gbart.\n"
                        "Spr\xC3\xA5k: test\n\n[SPEAK]\n[21] \"%SAKNAS%\"\n"
                        "Variablen hittades inte.\n\n1 fel hittades.\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(E2e, CheckCommandExitsZeroOneOrTwo) {
  const std::string lang = kFixtures + "language.dat";
  const std::string clean = kFixtures + "clean.ppf";
  const std::string faulty = kFixtures + "faulty.ppf";
  const std::string missing = kFixtures + "saknas.ppf";
  const std::string cleanReport =
      "Profilnamn: " + clean + "\n\nNamn: Ren\nVersion: 1\n"
      "F\xC3\xB6rfattare: Testaren\nInfo: Inga fel.\nSpr\xC3\xA5k: test\n\n"
      "Inga fel hittades.\n";
  const std::string faultyReport =
      "Profilnamn: " + faulty + "\n\nNamn: Fel\nVersion:  \n"
      "F\xC3\xB6rfattare:  \nInfo:  \nSpr\xC3\xA5k: test\n\n[SPEAK]\n"
      "[7] ?hej **\nDubbla asterisker hittades, endast en anv\xC3\xA4nds.\n"
      "[7] ?hej **\nMellanslag f\xC3\xB6re asterisk hittades, raden kanske inte "
      "fungerar korrekt.\nInga svarsalternativ hittades.\n\n3 fel hittades.\n";
  const std::string missingReport =
      "Profilnamn: " + missing + "\nFilen kunde inte \xC3\xB6ppnas.\n";
  const struct {
    const char* what;
    std::vector<std::string> files;
    int status;
    std::string out;
  } rows[] = {
      {"no faults", {clean}, 0, cleanReport},
      {"faults", {faulty}, 1, faultyReport},
      {"cannot open", {missing}, 2, missingReport},
      {"two files, an empty line between", {clean, faulty}, 1,
       cleanReport + "\n" + faultyReport},
      {"cannot open outranks faults", {faulty, missing}, 2,
       faultyReport + "\n" + missingReport},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    std::vector<std::string> args = {"check", "--language", lang};
    args.insert(args.end(), row.files.begin(), row.files.end());
    const Result result = RunIn(m_folder, kProgram, args, "");
    EXPECT_EQ(result.status, row.status);
    EXPECT_EQ(result.out, row.out);
  }
}

TEST_F(E2e, CheckReadsWindows1252AndCrLfProfiles) {
  const std::string file = kFixtures + "cp1252.ppf";
  const Result result = RunIn(m_folder, kProgram,
                              {"check", "--language", kFixtures + "language.dat", file}, "");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Profilnamn: " + file + "\n\nNamn: \xC3\x85sa\nVersion:  \n"
                        "F\xC3\xB6rfattare:  \nInfo:  \nSpr\xC3\xA5k: test\n\n"
                        "Inga fel hittades.\n");
}

TEST_F(E2e, CommandLineMistakesAreExplainedInSwedishWithStatusTwo) {
  const struct {
    const char* what;
    std::vector<std::string> args;
    std::string err;
  } rows[] = {
      {"unknown option", {"--bogus"},
       "pladdo: ok\xC3\xA4nd flagga \"--bogus\". Skriv pladdo --help f\xC3\xB6r att "
       "se flaggorna.\n"},
      {"missing value", {"--seed"},
       "pladdo: flaggan --seed beh\xC3\xB6ver ett v\xC3\xA4rde.\n"},
      {"check without files", {"check"},
       "pladdo check: ange minst en profilfil, till exempel: pladdo check "
       "min.ppf\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const Result result = RunIn(m_folder, kProgram, row.args, "");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, row.err);
  }
}

TEST_F(E2e, HelpAndVersionPrintOnStandardOutput) {
  const Result version = RunIn(m_folder, kProgram, {"--version"}, "");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "pladdo 1.0.0\n");
  const Result help = RunIn(m_folder, kProgram, {"--help"}, "");
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("Anv\xC3\xA4ndning:\n")) << help.out;
}

// An installed program finds its data in ../share/pladdo/, and a
// language.dat in the working folder is never read.
TEST_F(E2e, InstalledProgramUsesItsOwnDataNotTheWorkingFolders) {
  const fs::path prefix = m_folder / "prefix";
  fs::create_directories(prefix / "bin");
  fs::create_directories(prefix / "share/pladdo/profiles");
  fs::copy_file(kProgram, prefix / "bin/pladdo");
  fs::copy_file(kFixtures + "alfa.ppf", prefix / "share/pladdo/profiles/pladdo.ppf");
  fs::copy_file(kFixtures + "beta.ppf", prefix / "share/pladdo/profiles/rimbus.ppf");
  fs::copy_file(kFixtures + "language.dat", prefix / "share/pladdo/language.dat");
  const fs::path work = m_folder / "arbete";
  fs::create_directories(work);
  std::ofstream(work / "language.dat") << "[test]\n\"jag\" \"mig\"\n";

  const Result result = RunIn(work, (prefix / "bin/pladdo").string(),
                              {"--seed", "1"}, "Anna\njag säger att jag går\n");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, kAnna + "> jag säger att jag går\n"
                                "Du s\xC3\xA4ger att du g\xC3\xA5r.\n");
}

}  // namespace
