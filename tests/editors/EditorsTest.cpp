// The highlighting files for profiles, loaded by each editor's own tool:
// kate-syntax-highlighter for the KSyntaxHighlighting definition and Vim in
// batch mode for the Vim files, on a sample profile that holds every kind of
// row and variable; and their installation where the editors look.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const fs::path kEditors = PLADDO_EDITORS;
const fs::path kSampleProfile = PLADDO_FIXTURES "/editors/sample.ppf";
const char kKate[] = "kate-syntax-highlighter";
const char kVim[] = "vim";
// Both tools come from Debian packages that tools/install-deps.sh installs;
// a missing tool is a failure, never a skip.
const char kInstallHint[] =
    " (tools/install-deps.sh installs libkf5syntaxhighlighting-tools and vim)";

std::string ReadFile(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct Result {
  int status = -1;  // the exit status, or -1 when the program did not end
  std::string out, err;
};

// Runs args[0] from the PATH with the environment changed by env ("NAME=value"
// entries replace or add), standard input empty, standard output and error
// into files in dir. A program that cannot be started gives status -1 and the
// reason in err.
Result RunTool(const Args& args, const Args& env, const fs::path& dir) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    bool replaced = false;
    for (const std::string& change : env)
      replaced = replaced || change.compare(0, name.size(), name) == 0;
    if (!replaced) environment.push_back(text);
  }
  environment.insert(environment.end(), env.begin(), env.end());
  std::vector<char*> argv, envp;
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  for (std::string& entry : environment) envp.push_back(entry.data());
  argv.push_back(nullptr);
  envp.push_back(nullptr);

  const std::string out = (dir / "stdout").string(),
                    err = (dir / "stderr").string();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = 0;
  const int failed =
      posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0)
    return {-1, "",
            "cannot start " + args[0] + ": " + std::strerror(failed) +
                kInstallHint};
  int raw = 0;
  while (waitpid(pid, &raw, 0) < 0 && errno == EINTR) {
  }
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(out), ReadFile(err)};
}

// The kinds of text in a profile that the highlighting tells apart.
enum Kind {
  kNormal,
  kHeader,
  kInfoKey,
  kPattern,
  kWildcard,
  kAnswer,
  kBuiltin,
  kBlockVar,
  kFileVar,
  kCapital,
  kComment,
  kSample,
  kError,
};

// Places in tests/fixtures/editors/sample.ppf: the first occurrence of text
// on line (counted from 1) is all of one kind, which Vim calls group.
struct Place {
  int line;
  const char* text;
  Kind kind;
  const char* group;
  const char* what;
};

// clang-format off
const Place kPlaces[] = {
    // Headers, comments and samples
    {1, "# Exempelprofil med varje slags rad.", kComment, "ppfComment", "a comment line"},
    {2, "[INFO]", kHeader, "ppfHeader", "the information block's header"},
    {9, "[SPEAK]", kHeader, "ppfHeader", "a header"},
    {9, "# nyckelorden", kComment, "ppfComment", "a comment after a header"},
    {20, "[hälsning]", kHeader, "ppfHeader", "a header with Swedish letters"},
    {10, "#> Jag heter Åsa", kSample, "ppfSample", "a sample"},
    {16, "#> vad?", kSample, "ppfSample", "a sample after blanks"},
    // The information block
    {3, "name=", kInfoKey, "ppfInfoKey", "a key"},
    {3, "Exempel", kNormal, "ppfInfoBlock", "a key's value"},
    {4, "language=", kInfoKey, "ppfInfoKey", "a key after a tab"},
    {4, "svenska", kNormal, "ppfInfoBlock", "a value before a comment"},
    {4, "# ordparen i language.dat", kComment, "ppfComment", "a comment after a key row"},
    // Pattern rows
    {11, "?jag heter", kPattern, "ppfPattern", "a pattern row"},
    {11, "*", kWildcard, "ppfWildcard", "an asterisk"},
    {12, "?mitt namn är", kPattern, "ppfPattern", "a pattern row after blanks"},
    {12, "# ett mönster till", kComment, "ppfComment", "a comment after a pattern"},
    {17, "?vad", kPattern, "ppfPattern", "the row's \"?\" is no wildcard"},
    {17, "?*", kWildcard, "ppfWildcard", "a question mark inside a pattern"},
    // Answer rows and variables
    {7, "!Hej! Jag heter ", kAnswer, "ppfAnswer", "an answer row"},
    {7, "%NAME_PLADDO%", kBuiltin, "ppfBuiltinVar", "a built-in variable"},
    {7, ". Vad heter du?", kAnswer, "ppfAnswer", "the answer after a variable"},
    {13, "@", kCapital, "ppfCapital", "a capital marker in a built-in variable"},
    {13, "FE%", kBuiltin, "ppfBuiltinVar", "the built-in variable after the marker"},
    {13, "%hälsning%", kBlockVar, "ppfBlockVar", "a block variable"},
    {13, "%SYS_TIME_HH%", kBuiltin, "ppfBuiltinVar", "a clock variable"},
    {13, " klockan ", kAnswer, "ppfAnswer", "the answer between variables"},
    {14, "%ord.txt|", kFileVar, "ppfFileVar", "a file variable"},
    {14, "@", kCapital, "ppfCapital", "a capital marker after the file"},
    {14, "färg%", kFileVar, "ppfFileVar", "the file variable's block"},
    {14, "%%", kBuiltin, "ppfBuiltinVar", "a percent sign"},
    {14, "# inte en variabel: %FE%", kComment, "ppfComment", "a comment after an answer"},
    {18, "%name_user%", kBlockVar, "ppfBlockVar", "a built-in name in small letters"},
    {18, "hälsning%", kBlockVar, "ppfBlockVar", "a block variable after its marker"},
    {18, "50% ett procenttecken. ", kAnswer, "ppfAnswer", "a lone percent sign"},
    {18, "# 20%", kComment, "ppfComment", "a comment ends a lone percent sign"},
    {21, "!hej", kAnswer, "ppfAnswer", "an answer row in a block of its own"},
    // Faults
    {20, "trevlig", kError, "ppfHeaderRest", "text after a header"},
    {22, "[NOTFOUND", kError, "ppfBadHeader", "a header without \"]\""},
    {23, "rad utan radtecken", kError, "ppfIllegal", "a row of no kind"},
};
// clang-format on

// Kinds whose styles must all differ: the six kinds of text and plain text,
// each kind of variable on its own; a wildcard within its pattern, a marker
// within its variable and answer, keys and faults from plain text.
const std::vector<std::vector<Kind>> kApart = {
    {kNormal, kHeader, kPattern, kAnswer, kComment, kSample, kBuiltin},
    {kNormal, kHeader, kPattern, kAnswer, kComment, kSample, kBlockVar},
    {kNormal, kHeader, kPattern, kAnswer, kComment, kSample, kFileVar},
    {kBuiltin, kBlockVar, kFileVar},
    {kPattern, kWildcard},
    {kAnswer, kBuiltin, kBlockVar, kFileVar, kCapital},
    {kNormal, kInfoKey},
    {kNormal, kError},
};

const char* KindName(Kind kind) {
  static const char* const kNames[] = {"plain text",
                                       "header",
                                       "key",
                                       "pattern",
                                       "wildcard",
                                       "answer",
                                       "built-in variable",
                                       "block variable",
                                       "file variable",
                                       "capital marker",
                                       "comment",
                                       "sample",
                                       "fault"};
  return kNames[kind];
}

// Expects the kinds of each list in kApart to have different looks.
void ExpectApart(const std::map<Kind, std::string>& looks) {
  for (const std::vector<Kind>& kinds : kApart)
    for (size_t i = 0; i < kinds.size(); ++i)
      for (size_t j = i + 1; j < kinds.size(); ++j)
        EXPECT_NE(looks.at(kinds[i]), looks.at(kinds[j]))
            << KindName(kinds[i]) << " and " << KindName(kinds[j])
            << " look alike";
}

// A private folder for the tools' files, removed at the end of the test.
class EditorTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(dir);
    fs::create_directories(dir / "empty");
  }
  void TearDown() override { fs::remove_all(dir); }

  const fs::path dir = fs::temp_directory_path() /
                       ("pladdo-editors-" + std::to_string(::getpid()));
};

// kate-syntax-highlighter with the definition as the only one besides the
// tool's built-in ones: XDG_DATA_HOME holds it, XDG_DATA_DIRS nothing, so an
// installed copy cannot stand in for it. Warnings of the library are on.
class KateDefinition : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    const fs::path syntax = dir / "data/org.kde.syntax-highlighting/syntax";
    fs::create_directories(syntax);
    fs::copy_file(kEditors / "pladdo.xml", syntax / "pladdo.xml");
  }

  Result Kate(Args args) {
    args.insert(args.begin(), kKate);
    return RunTool(args,
                   {"XDG_DATA_HOME=" + (dir / "data").string(),
                    "XDG_DATA_DIRS=" + (dir / "empty").string(),
                    "QT_LOGGING_RULES=kf.syntaxhighlighting.warning=true"},
                   dir);
  }
};

TEST_F(KateDefinition, LoadsWithoutWarningsAndIsChosenForPpfFiles) {
  const Result list = Kate({"--list"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.err, "");
  const std::vector<std::string> names = SplitLines(list.out);
  EXPECT_NE(std::find(names.begin(), names.end(), "Pladdo"), names.end())
      << list.out;

  // No --syntax: the tool picks the definition by the file's extension.
  const Result html = Kate({kSampleProfile.string()});
  ASSERT_EQ(html.status, 0) << html.err;
  EXPECT_EQ(html.err, "");
  EXPECT_NE(html.out.find("Definition (Pladdo)"), std::string::npos)
      << html.out.substr(0, 400);
}

// One line of the tool's HTML: its bytes, each with the style of the span
// around it ("" outside any span, that is plain text).
struct StyledLine {
  std::string text;
  std::vector<std::string> styles;
};

std::vector<StyledLine> ParseHtml(const std::string& html) {
  std::vector<StyledLine> lines;
  size_t at = html.find("<pre>");
  const size_t end = html.find("</pre>");
  if (at == std::string::npos || end == std::string::npos) return lines;
  at += 5;
  if (html[at] == '\n') ++at;
  static const std::pair<std::string, char> kEntities[] = {
      {"&lt;", '<'}, {"&gt;", '>'}, {"&amp;", '&'}, {"&quot;", '"'}};
  const std::string open = "<span style=\"", close = "</span>";
  std::string style;
  lines.emplace_back();
  while (at < end) {
    if (html.compare(at, open.size(), open) == 0) {
      const size_t quote = html.find('"', at + open.size());
      style = html.substr(at + open.size(), quote - at - open.size());
      at = html.find('>', quote) + 1;
    } else if (html.compare(at, close.size(), close) == 0) {
      style.clear();
      at += close.size();
    } else if (html[at] == '\n') {
      lines.emplace_back();
      ++at;
    } else {
      char byte = html[at];
      size_t length = 1;
      for (const auto& [entity, character] : kEntities)
        if (html.compare(at, entity.size(), entity) == 0) {
          byte = character;
          length = entity.size();
        }
      lines.back().text += byte;
      lines.back().styles.push_back(style);
      at += length;
    }
  }
  return lines;
}

TEST_F(KateDefinition, GivesEachKindItsOwnStyleOnTheRightText) {
  // Kate's default themes for light and dark colours.
  for (const char* theme : {"Breeze Light", "Breeze Dark"}) {
    SCOPED_TRACE(theme);
    const Result run = Kate({"--theme", theme, kSampleProfile.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::vector<StyledLine> lines = ParseHtml(run.out);
    ASSERT_EQ(lines.size(), SplitLines(ReadFile(kSampleProfile)).size() + 1)
        << run.out;  // and the empty line after the last line feed

    std::map<Kind, std::string> looks;
    for (const Place& place : kPlaces) {
      SCOPED_TRACE(std::to_string(place.line) + ": " + place.text + " (" +
                   place.what + ")");
      const StyledLine& line = lines.at(place.line - 1);
      const size_t pos = line.text.find(place.text);
      ASSERT_NE(pos, std::string::npos) << line.text;
      const std::string& style = line.styles[pos];
      for (size_t i = pos; i < pos + std::strlen(place.text); ++i)
        EXPECT_EQ(line.styles[i], style) << "byte " << i << " of the line";
      const auto [known, added] = looks.emplace(place.kind, style);
      EXPECT_EQ(known->second, style)
          << "another " << KindName(place.kind) << " looks different";
    }
    ExpectApart(looks);
  }
}

// Vim without any vimrc or plugin, with only the given 'runtimepath' folder
// and Vim's own runtime. The script's lines run in order; it writes what it
// finds with writefile() into the file "found", which this returns as lines.
// A script that meets any error makes Vim end with status 1.
class VimFiles : public EditorTest {
 protected:
  static std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? "''" : std::string(1, c);
    return quoted + "'";
  }

  std::vector<std::string> Vim(const fs::path& runtime,
                               const std::vector<std::string>& script) {
    std::ofstream file(dir / "script.vim");
    file << "let g:found = []\n"
         << "let &runtimepath = " << Quote(runtime.string())
         << " . ',' . $VIMRUNTIME\n"
         << "filetype on\nsyntax on\n";
    for (const std::string& line : script) file << line << "\n";
    file << "call add(g:found, 'errors: ' . v:errmsg)\n"
         << "call writefile(g:found, " << Quote((dir / "found").string())
         << ")\nqall!\n";
    file.close();
    const Result run = RunTool(
        {kVim, "-u", "NONE", "-N", "-es", "-S", (dir / "script.vim").string()},
        {}, dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
    std::vector<std::string> found = SplitLines(ReadFile(dir / "found"));
    EXPECT_FALSE(found.empty()) << "the script did not run";
    if (!found.empty()) {
      EXPECT_EQ(found.back(), "errors: ");
      found.pop_back();
    }
    return found;
  }

  static std::string Edit(const fs::path& file) {
    return "execute 'edit' fnameescape(" + Quote(file.string()) + ")";
  }
};

TEST_F(VimFiles, GiveEachKindItsOwnGroupOnTheRightText) {
  std::vector<std::string> script = {Edit(kSampleProfile)};
  const std::vector<std::string> lines = SplitLines(ReadFile(kSampleProfile));
  for (const Place& place : kPlaces) {
    const size_t pos = lines.at(place.line - 1).find(place.text);
    ASSERT_NE(pos, std::string::npos) << place.text;
    const std::string row = std::to_string(place.line);
    const std::string first = std::to_string(pos + 1);
    const std::string last = std::to_string(pos + std::strlen(place.text));
    // The group at every byte of the text, and the highlight group that the
    // first one is finally shown with.
    script.push_back("call add(g:found, join(map(range(" + first + ", " + last +
                     "), {_, c -> synIDattr(synID(" + row +
                     ", c, 1), 'name')})))");
    script.push_back("call add(g:found, synIDattr(synIDtrans(synID(" + row +
                     ", " + first + ", 1)), 'name'))");
  }
  const std::vector<std::string> found = Vim(kEditors / "vim", script);
  ASSERT_EQ(found.size(), 2 * std::size(kPlaces));

  std::map<Kind, std::string> looks;
  for (size_t i = 0; i < std::size(kPlaces); ++i) {
    const Place& place = kPlaces[i];
    SCOPED_TRACE(std::to_string(place.line) + ": " + place.text + " (" +
                 place.what + ")");
    std::istringstream groups(found[2 * i]);
    size_t count = 0;
    for (std::string group; groups >> group; ++count)
      EXPECT_EQ(group, place.group) << "byte " << count << " of the text";
    EXPECT_EQ(count, std::strlen(place.text)) << found[2 * i];
    const auto [known, added] = looks.emplace(place.kind, found[2 * i + 1]);
    EXPECT_EQ(known->second, found[2 * i + 1])
        << "another " << KindName(place.kind) << " is shown differently";
  }
  ExpectApart(looks);
}

TEST_F(VimFiles, DetectProfilesByTheirExtension) {
  // clang-format off
  const struct { fs::path file; std::string filetype; const char* what; } rows[] = {
      {kSampleProfile, "ppf", "a profile read from disk"},
      {dir / "ny bot.ppf", "ppf", "a new profile"},
      {dir / "anteckningar.txt", "text", "a text file stays text"},
  };
  // clang-format on
  std::vector<std::string> script;
  for (const auto& row : rows) {
    script.push_back(Edit(row.file));
    script.push_back(
        "call add(g:found, &filetype . ' ' . get(b:, 'current_syntax', '-'))");
  }
  const std::vector<std::string> found = Vim(kEditors / "vim", script);
  ASSERT_EQ(found.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(rows[i].what);
    const std::string syntax = rows[i].filetype == "ppf" ? "ppf" : "-";
    EXPECT_EQ(found[i], rows[i].filetype + " " + syntax);
  }
}

// `cmake --install` of the editors component into a private prefix: the
// files land where KSyntaxHighlighting looks in an XDG data folder (the
// prefix's share/, as /usr/share is one) and in the Vim add-on folder that
// Debian's vim has in its runtimepath when the prefix is /usr.
class Install : public VimFiles {};

TEST_F(Install, PutsTheFilesWhereTheEditorsLook) {
  const fs::path prefix = dir / "prefix";
  const Result install =
      RunTool({PLADDO_CMAKE, "--install", PLADDO_BUILD_DIR, "--prefix",
               prefix.string(), "--component", "editors"},
              {}, dir);
  ASSERT_EQ(install.status, 0) << install.out << install.err;
  // clang-format off
  const struct { const char* installed; const char* source; } files[] = {
      {"share/org.kde.syntax-highlighting/syntax/pladdo.xml", "pladdo.xml"},
      {"share/vim/vimfiles/syntax/ppf.vim", "vim/syntax/ppf.vim"},
      {"share/vim/vimfiles/ftdetect/ppf.vim", "vim/ftdetect/ppf.vim"},
  };
  // clang-format on
  for (const auto& file : files) {
    SCOPED_TRACE(file.installed);
    EXPECT_TRUE(fs::is_regular_file(prefix / file.installed));
    EXPECT_EQ(ReadFile(prefix / file.installed),
              ReadFile(kEditors / file.source));
  }

  const Result list = RunTool({kKate, "--list"},
                              {"XDG_DATA_HOME=" + (dir / "empty").string(),
                               "XDG_DATA_DIRS=" + (prefix / "share").string()},
                              dir);
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.err, "");
  const std::vector<std::string> names = SplitLines(list.out);
  EXPECT_NE(std::find(names.begin(), names.end(), "Pladdo"), names.end());

  // Vim's own runtimepath, with nothing read at start, holds the add-on
  // folder of the prefix /usr ...
  std::ofstream(dir / "script.vim")
      << "call writefile(split(&runtimepath, ','), "
      << Quote((dir / "found").string()) << ")\nqall!\n";
  const Result vim = RunTool(
      {kVim, "-u", "NONE", "-N", "-es", "-S", (dir / "script.vim").string()},
      {}, dir);
  ASSERT_EQ(vim.status, 0) << vim.err;
  const std::vector<std::string> paths = SplitLines(ReadFile(dir / "found"));
  EXPECT_NE(std::find(paths.begin(), paths.end(), "/usr/share/vim/vimfiles"),
            paths.end())
      << ReadFile(dir / "found");
  // ... and the installed files in that place detect and colour a profile.
  EXPECT_EQ(Vim(prefix / "share/vim/vimfiles",
                {Edit(kSampleProfile),
                 "call add(g:found, &filetype . ' ' . b:current_syntax)"}),
            std::vector<std::string>{"ppf ppf"});
}

}  // namespace
