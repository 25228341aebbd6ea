// The built pladdo program run as a user runs it: piped input, fixture
// profiles, the transcript byte for byte, the telling parts of the rest.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/TestUtil.h"

namespace pladdo {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using Texts = std::vector<std::string>;
using testing::HasSubstr;

const std::string kFix = PLADDO_FIXTURES "/ui/";
const std::string kWelcome = "Välkommen till Alfa.\n";
const std::string kAnna = kWelcome + "> Anna\nHej Anna.\n";
const std::string kJasa = "Jaså.\n";

// A terminal chat on the fixture profiles with a fixed seed.
Texts Chat(const Texts& extra = {}) {
  // clang-format off
  Texts args = {"--terminal", "--seed", "5", "--profile1", kFix + "alfa.ppf",
                "--profile2", kFix + "beta.ppf", "--language", kFix + "language.dat"};
  // clang-format on
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

// Each part is found in text; no parts: text is empty.
void ExpectParts(const std::string& text, const Texts& parts) {
  EXPECT_TRUE(!parts.empty() || text.empty()) << text;
  for (const std::string& part : parts) EXPECT_THAT(text, HasSubstr(part));
}

class E2e : public testing::Test {
 protected:
  E2e() { m_dir.Write("language.dat", "[test]\n\"jag\" \"mig\"\n"); }

  // Without a display, in a folder whose language.dat must never be read.
  test::ChildRun Pladdo(const Texts& args, const std::string& input,
                        const std::string& program = PLADDO_BUILD_DIR
                        "/pladdo") {
    Texts argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    return test::RunProgram(argv, input, {"DISPLAY", "WAYLAND_DISPLAY"},
                            m_dir.Path().string());
  }

  test::TempDir m_dir;
};

TEST_F(E2e, ChatPrintsTheTranscriptOnOutputAndEverythingElseOnError) {
  // clang-format off
  const struct { const char* what; Texts args; std::string input, out; Texts err; } rows[] = {
      {"an empty line first; codes; what Windows-1252 lacks, bad UTF-8, NUL; /avsluta",
       Chat(), "\nAnna\nkod\n中 å h\xFF" "e\0j\n/avsluta\nhej\n"s,
       kAnna + "> kod\nSe [SAKNAS-variabeln finns inte] här\n> \x1A å h\x1A" "ej\n" + kJasa, {}},
      {"automatic dialogue: an empty line sends the suggestion", Chat({"--auto"}), "\n/omstart\nAnna\n\n",
       kWelcome + "> Beta\nHej Beta.\n" + kAnna + "> Beta svarar på hej.\n" + kJasa, {}},
      {"names; CR LF lines; /namn; no last line feed", Chat({"--names"}), "Anna\r\n/namn\r\nhej",
       "Alfa: " + kWelcome + "Anna: Anna\nAlfa: Hej Anna.\n> hej\n" + kJasa, {"Skriv ut namn: av\n"}},
      {"/auto from the next answer; /restart; /quit", Chat(), "Anna\n/auto\nhej\n\n/auto\n/restart\n/quit\nBo\n",
       kAnna + "> hej\n" + kJasa + "> Beta undrar [SAKNAS2-variabeln finns inte].\n" + kJasa + kWelcome,
       {"Automatisk dialog: på (gäller från nästa svar)\n"}},
      {"command mistakes", Chat(), "/xyz\n/omstart nu\n/spara\n", kWelcome,
       {"Okänt kommando: /xyz.", "/omstart tar inget argument.\n", "/spara behöver ett filnamn"}},
      {"a profile that cannot be read changes nothing", Chat(),
       "Anna\n/profil1 /saknas/x.ppf\n/profile2 /tmp\n/profil1 " + kFix + "gamma.ppf\nhej\n/omstart\n",
       kAnna + "> hej\nGamma svarar.\nGamma hälsar.\n", {"\"/tmp\" kunde inte öppnas: det är en mapp. Inget"}},
      {"/varför: a keyword reply, and the suggestion", Chat(), "Anna\n/auto\njag säger att jag vet\n/varför\n",
       kAnna + "> jag säger att jag vet\nDu säger att du vet.\n",
       {"  Mönster: alfa.ppf:22 ?jag säger*\n"
        "  Efter mönstret: «att jag vet», efter ordbytet: «att du vet» (%FE%)\n",
        "Förslaget på raden (profil 2, beta.ppf):\n"}},
      {"/varför: a group passed over for want of a capture", Chat(), "Anna\njag säger\n/varför\n",
       kAnna + "> jag säger\nJaså.\n",
       {"Mönstret alfa.ppf:22 ?jag säger* passade men fångade inga ord"}},
      {"/info with the names sorted", Chat({"--profile2", kFix + "names.ppf"}), "/info\n", kWelcome,
       {"Namn: Alfa\nVersion: 2\n", "Namn i profilen: alfa, Bertil, Émil, Erik, Zeta, Åsa, Örjan\n"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const test::ChildRun run = Pladdo(row.args, row.input);
    EXPECT_EQ(run.out, row.out);
    ExpectParts(run.err, row.err);
    EXPECT_EQ(run.status, 0);
  }
}

// check and verify: 0 when nothing is found, 1 with findings, 2 when a file
// cannot be read or the arguments are wrong; verify --inputs ends with 0.
TEST_F(E2e, SubcommandsAndOptionsExitWithTheirStatus) {
  const std::string lang = kFix + "language.dat", cp1252 = kFix + "cp1252.ppf",
                    faulty = kFix + "faulty.ppf",
                    clean = kFix + "verify_clean.ppf",
                    planted = kFix + "verify_planted.ppf";
  // clang-format off
  const struct { Texts args; int status; Texts out, err; } rows[] = {
      {{"check", "--language", lang, cp1252}, 0,  // Windows-1252, CR LF
       {"Profilnamn: " + cp1252 + "\n\nNamn: Åsa\n", "Språk: test\n\nInga fel hittades.\n"}, {}},
      {{"check", "--language", lang, cp1252, faulty}, 1,
       {"Inga fel hittades.\n\nProfilnamn: " + faulty, "[9] hej\nOgiltig rad.\n[10] hopp\nOgiltig rad.\n",
        "\n8 fel hittades.\n"}, {}},
      {{"check", "--language", lang, faulty, kFix + "saknas.ppf"}, 2,
       {"8 fel hittades.\n\nProfilnamn: " + kFix + "saknas.ppf\nFilen kunde inte öppnas.\n"}, {}},
      {{"--bogus"}, 2, {}, {"pladdo: okänd flagga \"--bogus\". Skriv pladdo --help"}},
      {{"--version"}, 0, {"pladdo 2.01\n"}, {}},
      {{"verify", "--language", lang, clean}, 0, {"inget att anmärka.\n"}, {}},
      {{"verify", "--language", lang, planted}, 1, {"7 anmärkningar.\n"}, {}},
      {{"verify", "--language", lang, clean, kFix + "saknas.ppf"}, 2,
       {"saknas.ppf: filen kunde inte öppnas.\n"}, {}},
      {{"verify", "--language", lang, "--inputs", kFix + "verify_inputs.txt", planted}, 0,
       {"        verify_planted.ppf:30 «?hej då»\n"}, {}},
      {{"verify", "--inputs", kFix + "saknas.txt", planted}, 2, {}, {"saknas.txt\" kunde inte läsas.\n"}},
      {{"verify"}, 2, {}, {"pladdo verify: ange minst en profilfil"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::PrintToString(row.args));
    const test::ChildRun run = Pladdo(row.args, "");
    EXPECT_EQ(run.status, row.status);
    ExpectParts(run.out, row.out);
    ExpectParts(run.err, row.err);
  }
}

// A save replaces the file whole (through a link, the file it points to),
// keeping its mode; a failed save says why and damages nothing.
TEST_F(E2e, SaveReplacesAFileAndAFailedSaveDamagesNothing) {
  const std::string s = m_dir.File("s") + "/";
  const auto mode =
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::create_directories(s + "mapp.txt");
  std::ofstream(s + "mapp.txt/kvar") << "kvar";
  std::ofstream(s + "samtal.txt")
      << "ett gammalt samtal, längre än det nya\r\n";
  fs::permissions(s + "samtal.txt", mode);
  fs::create_symlink(s + "samtal.txt", s + "genvag.txt");
  ASSERT_EQ(::mkfifo((s + "ror.txt").c_str(), 0600), 0);
  const test::ChildRun run =
      Pladdo(Chat(), "Åsa\n/spara " + s + "samtal\n/save " + s +
                         "genvag.txt\n/spara " + s + "saknas/a.txt\n/spara " +
                         s + "mapp.txt\n/spara " + s + "ror.txt\n");
  EXPECT_EQ(run.out, "Välkommen till Alfa.\n> Åsa\nHej Åsa.\n");
  const std::string saved = "Samtalet sparades i \"" + s,
                    failed = "Samtalet kunde inte sparas i \"" + s;
  EXPECT_EQ(run.err, saved + "samtal.txt\".\n" + saved + "genvag.txt\".\n" +
                         failed +
                         "saknas/a.txt\": filen eller mappen finns inte.\n" +
                         failed + "mapp.txt\": det är en mapp.\n" + failed +
                         "ror.txt\": det är ingen vanlig fil.\n");
  EXPECT_EQ(test::ReadFile(s + "samtal.txt"), run.out);
  EXPECT_EQ(fs::status(s + "samtal.txt").permissions() & fs::perms::all, mode);
  EXPECT_TRUE(fs::is_symlink(s + "genvag.txt"));
  EXPECT_TRUE(fs::is_fifo(s + "ror.txt"));
  EXPECT_EQ(test::ReadFile(s + "mapp.txt/kvar"), "kvar");
  EXPECT_EQ(std::distance(fs::directory_iterator(s), {}), 4);
}

// An installed program finds its data in ../share/pladdo/ and reads the
// language table before the profiles, never the working folder's.
TEST_F(E2e, InstalledProgramUsesItsOwnDataNotTheWorkingFolders) {
  const fs::path dir = m_dir.Path(), share = dir / "prefix/share/pladdo";
  fs::create_directories(dir / "prefix/bin"),
      fs::create_directories(share / "profiles");
  fs::copy_file(PLADDO_BUILD_DIR "/pladdo", dir / "prefix/bin/pladdo");
  fs::copy_file(kFix + "alfa.ppf", share / "profiles/pladdo.ppf");
  fs::copy_file(kFix + "beta.ppf", share / "profiles/rimbus.ppf");
  fs::copy_file(kFix + "language.dat", share / "language.dat");
  const test::ChildRun run =
      Pladdo({"--seed", "1"}, "Anna\njag säger att jag går\n",
             (dir / "prefix/bin/pladdo").string());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, kAnna + "> jag säger att jag går\nDu säger att du går.\n");
}

}  // namespace
}  // namespace pladdo
