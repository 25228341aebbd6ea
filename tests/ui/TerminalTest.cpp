// The terminal front end: what typed lines and commands print on standard
// output (the transcript) and on standard error (everything else).
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/Random.h"
#include "ui/ChatDlg.h"
#include "ui/terminal/TerminalWindow.h"

namespace pladdo {
namespace {

const std::string kFixtures = PLADDO_FIXTURES "/ui/";
const std::string kWelcome = "V\xC3\xA4lkommen till Alfa.\n";

struct ChatRun {
  std::string out;
  std::string err;
  int status = -1;
};

// Starts the controller on the test profiles and feeds it input (UTF-8).
ChatRun Chat(const std::string& input, bool autoDialog = false) {
  PinRandomSeed(3);
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  CTerminalWindow window(out, err, "9.9");
  CChatDlg dlg(window);
  StartOptions options;
  options.strProfile1 = kFixtures + "alfa.ppf";
  options.strProfile2 = kFixtures + "beta.ppf";
  options.strLanguageFile = kFixtures + "language.dat";
  options.bAutoDialog = autoDialog;
  dlg.Start(options);
  const auto reader = MakeStreamReader(in);
  CTerminalChat chat(dlg, window, *reader);
  ChatRun run;
  run.status = chat.Run();
  run.out = out.str();
  run.err = err.str();
  return run;
}

struct ChatRow {
  const char* what;
  bool autoDialog;
  std::string input;
  std::string out;
  std::string err;
};

TEST(TerminalChat, PrintsTheTranscriptOnOutAndEverythingElseOnErr) {
  const std::string anna = kWelcome + "> Anna\nHej Anna.\n";
  const ChatRow rows[] = {
      {"no input: the welcome alone", false, "", kWelcome, ""},
      {"a line is typed in and answered", false, "Anna\n", anna, ""},
      {"CR LF input lines", false, "Anna\r\n/namn\r\nhej\r\n",
       anna + "Anna: hej\nAlfa: Jas\xC3\xA5.\n", "Skriv ut namn: p\xC3\xA5\n"},
      {"last line without a line feed", false, "Anna", anna, ""},
      {"an empty line with an empty input line does nothing", false, "\n\nAnna\n",
       anna, ""},
      {"empty lines let the two bots talk", true, "\n\n",
       kWelcome + "> Beta\nHej Beta.\n> Beta svarar p\xC3\xA5 hej.\nJas\xC3\xA5.\n", ""},
      {"a typed line replaces the suggestion", true, "Anna\n",
       kWelcome + "> Anna\nHej Anna.\n", ""},
      {"/auto toggles and says so", false, "Anna\n/auto\nhej\n\n/auto\n",
       anna + "> hej\nJas\xC3\xA5.\n> Beta undrar [SAKNAS2-variabeln finns inte].\n"
              "Jas\xC3\xA5.\n",
       "Automatisk dialog: p\xC3\xA5 (g\xC3\xA4ller fr\xC3\xA5n n\xC3\xA4sta svar)\n"
       "Automatisk dialog: av (g\xC3\xA4ller fr\xC3\xA5n n\xC3\xA4sta svar)\n"},
      {"/restart prints the refilled view", false, "Anna\n/restart\n",
       anna + kWelcome, ""},
      {"/omstart is the Swedish name", false, "Anna\n/omstart\n", anna + kWelcome, ""},
      {"/quit stops reading", false, "/quit\nAnna\n", kWelcome, ""},
      {"/avsluta stops reading", false, "/avsluta\nAnna\n", kWelcome, ""},
      {"unknown command hints at /hjälp", false, "/xyz\n", kWelcome,
       "Ok\xC3\xA4nt kommando: /xyz. Skriv /hj\xC3\xA4lp f\xC3\xB6r att se "
       "kommandona.\n"},
      {"a command taking no argument refuses one", false, "/omstart nu\n", kWelcome,
       "Kommandot /omstart tar inget argument.\n"},
      {"/spara without a file", false, "/spara\n", kWelcome,
       "Kommandot /spara beh\xC3\xB6ver ett filnamn, till exempel: /spara FIL\n"},
      {"a profile that does not exist changes nothing", false,
       "Anna\n/profil1 /saknas/x.ppf\nhej\n", anna + "> hej\nJas\xC3\xA5.\n",
       "Profilen \"/saknas/x.ppf\" kunde inte \xC3\xB6ppnas: No such file or "
       "directory. Inget har \xC3\xA4ndrats.\n"},
      {"a folder is no profile", false, "/profile2 /tmp\n", kWelcome,
       "Profilen \"/tmp\" kunde inte \xC3\xB6ppnas: Is a directory. Inget har "
       "\xC3\xA4ndrats.\n"},
      {"a character Windows-1252 lacks becomes the substitute", false,
       "Anna\n\xE4\xB8\xAD \xC3\xA5\n",
       anna + "> \x1A \xC3\xA5\nJas\xC3\xA5.\n", ""},
      {"invalid UTF-8 and NUL bytes do not break the line", false,
       std::string("Anna\nh\xFF" "e\0j\n", 11),
       anna + "> h\x1A" "ej\nJas\xC3\xA5.\n", ""},
  };
  for (const ChatRow& row : rows) {
    SCOPED_TRACE(row.what);
    const ChatRun run = Chat(row.input, row.autoDialog);
    EXPECT_EQ(run.out, row.out);
    EXPECT_EQ(run.err, row.err);
    EXPECT_EQ(run.status, 0);
  }
}

TEST(TerminalChat, CheckPrintsTheReportAndTheConversationGoesOnBelow) {
  const ChatRun run = Chat("Anna\n/felsök\nhej\n");
  EXPECT_EQ(run.out,
            kWelcome + "> Anna\nHej Anna.\n" + "Profilnamn: " + kFixtures +
                "alfa.ppf\n\nNamn: Alfa\nVersion: 2\nF\xC3\xB6rfattare: "
                "Testaren\nInfo: Svarar f\xC3\xB6rutsägbart.\nSpr\xC3\xA5k: "
                "test\n\n[SPEAK]\n[21] \"%SAKNAS%\"\nVariablen hittades inte.\n"
                "\n1 fel hittades.\n> hej\nJas\xC3\xA5.\n");
  EXPECT_EQ(run.err, "");
}

TEST(TerminalChat, ChoosingProfile1KeepsTheConversationUntilRestart) {
  const ChatRun run = Chat("Anna\n/profil1 " + kFixtures + "gamma.ppf\nhej\n/omstart\n");
  EXPECT_EQ(run.out, kWelcome + "> Anna\nHej Anna.\n> hej\nGamma svarar.\n"
                                "Gamma h\xC3\xA4lsar.\n");
  EXPECT_EQ(run.err, "Profil 1 \xC3\xA4r nu \"" + kFixtures +
                         "gamma.ppf\". Skriv /omstart f\xC3\xB6r att b\xC3\xB6rja "
                         "om med den.\n");
}

TEST(TerminalChat, InfoShowsBothProfilesWithTheirNamesSorted) {
  const ChatRun run = Chat("/profil2 " + kFixtures + "names.ppf\n/info\n");
  EXPECT_EQ(run.out, kWelcome);
  EXPECT_TRUE(run.err.ends_with(
      "Profil 1\n"
      "Filnamn: " + kFixtures + "alfa.ppf\n"
      "Namn: Alfa\nVersion: 2\nSkapare: Testaren\nSpr\xC3\xA5k: test\n"
      "Information: Svarar f\xC3\xB6rutsägbart.\n"
      "Namn i profilen: Alfa\n"
      "\n"
      "Profil 2 (f\xC3\xB6r autodialog)\n"
      "Filnamn: " + kFixtures + "names.ppf\n"
      "Namn: Namnlista\nVersion:  \nSkapare:  \nSpr\xC3\xA5k: test\n"
      "Information:  \n"
      "Namn i profilen: alfa, Bertil, Zeta, \xC3\x85sa, \xC3\x96rjan\n"))
      << run.err;
}

TEST(TerminalChat, SaveWritesTheTranscriptAndAddsTxtToANameWithoutOne) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("pladdo-term-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string base = (folder / "samtal").string();
  const ChatRun run = Chat("Anna\n/spara " + base + "\n/save " + base + "\n");
  std::ifstream file(base + ".txt", std::ios::binary);
  std::ostringstream saved;
  saved << file.rdbuf();
  std::filesystem::remove_all(folder);

  EXPECT_EQ(saved.str(), kWelcome + "> Anna\nHej Anna.\n");
  const std::string said = "Samtalet sparades i \"" + base + ".txt\".\n";
  EXPECT_EQ(run.err, said + said);
}

TEST(TerminalChat, SaveThatFailsSaysWhyOnErr) {
  const ChatRun run = Chat("/spara /saknas/mapp/a.txt\n");
  EXPECT_EQ(run.err,
            "Samtalet kunde inte sparas i \"/saknas/mapp/a.txt\": No such file "
            "or directory.\n");
}

TEST(TerminalChat, HelpAndAboutGoToErrOnly) {
  const ChatRun run = Chat("/hjälp\n/help\n/om\n");
  EXPECT_EQ(run.out, kWelcome);
  EXPECT_NE(run.err.find("/avsluta        (/quit)      avsluta\n"), std::string::npos);
  EXPECT_NE(run.err.find("Pladdo 9.9, en svensk pratbot.\n"), std::string::npos);
}

}  // namespace
}  // namespace pladdo
