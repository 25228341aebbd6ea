// The highlighting files for profiles, loaded by each editor's own tool:
// kate-syntax-highlighter for the KSyntaxHighlighting definition and Vim in
// batch mode for the Vim files, on a sample profile that holds every kind of
// row and variable; and their installation where the editors look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/TestUtil.h"

namespace pladdo {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using test::ChildRun;
using test::ReadFile;

const fs::path kEditors = PLADDO_EDITORS;
const fs::path kSample = PLADDO_FIXTURES "/editors/sample.ppf";
// Both tools come from Debian packages that tools/install-deps.sh installs;
// a missing tool is a failure, never a skip.
const char kInstallHint[] =
    " (tools/install-deps.sh installs libkf5syntaxhighlighting-tools and vim)";

Lines SplitLines(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool Holds(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Places in tests/fixtures/editors/sample.ppf: the first occurrence of text
// on line (counted from 1) is all of one kind, which Vim calls group.
struct Place {
  int line;
  const char* text;
  std::string kind;
  const char* group;
  const char* what;
};

// clang-format off
const Place kPlaces[] = {
    // Headers, comments and samples
    {1, "# Exempelprofil med varje slags rad.", "comment", "ppfComment", "a comment line"},
    {2, "[INFO]", "header", "ppfHeader", "the information block's header"},
    {9, "[SPEAK]", "header", "ppfHeader", "a header"},
    {9, "# nyckelorden", "comment", "ppfComment", "a comment after a header"},
    {20, "[hälsning]", "header", "ppfHeader", "a header with Swedish letters"},
    {10, "#> Jag heter Åsa", "sample", "ppfSample", "a sample"},
    {16, "#> vad?", "sample", "ppfSample", "a sample after blanks"},
    // The information block
    {3, "name=", "key", "ppfInfoKey", "a key"},
    {3, "Exempel", "plain text", "ppfInfoBlock", "a key's value"},
    {4, "language=", "key", "ppfInfoKey", "a key after a tab"},
    {4, "svenska", "plain text", "ppfInfoBlock", "a value before a comment"},
    {4, "# ordparen i language.dat", "comment", "ppfComment", "a comment after a key row"},
    // Pattern rows
    {11, "?jag heter", "pattern", "ppfPattern", "a pattern row"},
    {11, "*", "wildcard", "ppfWildcard", "an asterisk"},
    {12, "?mitt namn är", "pattern", "ppfPattern", "a pattern row after blanks"},
    {12, "# ett mönster till", "comment", "ppfComment", "a comment after a pattern"},
    {17, "?vad", "pattern", "ppfPattern", "the row's \"?\" is no wildcard"},
    {17, "?*", "wildcard", "ppfWildcard", "a question mark inside a pattern"},
    // Answer rows and variables
    {7, "!Hej! Jag heter ", "answer", "ppfAnswer", "an answer row"},
    {7, "%NAME_PLADDO%", "built-in variable", "ppfBuiltinVar", "a built-in variable"},
    {7, ". Vad heter du?", "answer", "ppfAnswer", "the answer after a variable"},
    {13, "@", "capital marker", "ppfCapital", "a capital marker in a built-in variable"},
    {13, "FE%", "built-in variable", "ppfBuiltinVar", "the built-in variable after the marker"},
    {13, "%hälsning%", "block variable", "ppfBlockVar", "a block variable"},
    {13, "%SYS_TIME_HH%", "built-in variable", "ppfBuiltinVar", "a clock variable"},
    {13, " klockan ", "answer", "ppfAnswer", "the answer between variables"},
    {14, "%ord.txt|", "file variable", "ppfFileVar", "a file variable"},
    {14, "@", "capital marker", "ppfCapital", "a capital marker after the file"},
    {14, "färg%", "file variable", "ppfFileVar", "the file variable's block"},
    {14, "%%", "built-in variable", "ppfBuiltinVar", "a percent sign"},
    {14, "# inte en variabel: %FE%", "comment", "ppfComment", "a comment after an answer"},
    {18, "%name_user%", "block variable", "ppfBlockVar", "a built-in name in small letters"},
    {18, "hälsning%", "block variable", "ppfBlockVar", "a block variable after its marker"},
    {18, "50% ett procenttecken. ", "answer", "ppfAnswer", "a lone percent sign"},
    {18, "# 20%", "comment", "ppfComment", "a comment ends a lone percent sign"},
    {21, "!hej", "answer", "ppfAnswer", "an answer row in a block of its own"},
    // Faults
    {20, "trevlig", "fault", "ppfHeaderRest", "text after a header"},
    {22, "[NOTFOUND", "fault", "ppfBadHeader", "a header without \"]\""},
    {23, "rad utan radtecken", "fault", "ppfIllegal", "a row of no kind"},
};

// Kinds whose looks must all differ: the six kinds of text and plain text,
// each kind of variable on its own; a wildcard within its pattern, a marker
// within its variable and answer, keys and faults from plain text.
const std::vector<Lines> kApart = {
    {"plain text", "header", "pattern", "answer", "comment", "sample", "built-in variable"},
    {"plain text", "header", "pattern", "answer", "comment", "sample", "block variable"},
    {"plain text", "header", "pattern", "answer", "comment", "sample", "file variable"},
    {"built-in variable", "block variable", "file variable"},
    {"pattern", "wildcard"},
    {"answer", "built-in variable", "block variable", "file variable", "capital marker"},
    {"plain text", "key"},
    {"plain text", "fault"},
};
// clang-format on

// Expects every place's kind to have one look, and the kinds of each list in
// kApart different looks; looks holds the look of each place in kPlaces.
void ExpectKindsApart(const Lines& looks) {
  std::map<std::string, std::string> byKind;
  for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
    const auto [known, added] = byKind.emplace(kPlaces[i].kind, looks[i]);
    EXPECT_EQ(known->second, looks[i])
        << "line " << kPlaces[i].line << ": another " << kPlaces[i].kind
        << " looks different";
  }
  for (const Lines& kinds : kApart)
    for (std::size_t i = 0; i < kinds.size(); ++i)
      for (std::size_t j = i + 1; j < kinds.size(); ++j)
        EXPECT_NE(byKind[kinds[i]], byKind[kinds[j]])
            << kinds[i] << " and " << kinds[j] << " look alike";
}

// A private folder for the tools' files.
class EditorTest : public testing::Test {
 protected:
  EditorTest() { fs::create_directories(m_dir.Path() / "empty"); }
  std::string Dir(const char* name) const { return m_dir.File(name); }

  ChildRun Kate(const Lines& args, const std::string& dataHome,
                const std::string& dataDirs) {
    Lines argv = {"kate-syntax-highlighter"};
    argv.insert(argv.end(), args.begin(), args.end());
    // The warnings of the library are on.
    const ChildRun run = test::RunProgram(
        argv, "",
        {"XDG_DATA_HOME=" + dataHome, "XDG_DATA_DIRS=" + dataDirs,
         "QT_LOGGING_RULES=kf.syntaxhighlighting.warning=true"});
    EXPECT_EQ(run.status, 0) << run.err << kInstallHint;
    EXPECT_EQ(run.err, "");
    return run;
  }

  // Vim without any vimrc or plugin, with runtime and Vim's own runtime as
  // its 'runtimepath' (g:ownPath holds the one it started with). The
  // script's lines run in order and add what they find to g:found, which
  // this returns; any error fails.
  Lines Vim(const fs::path& runtime, const Lines& script) {
    std::string text =
        "let g:found = []\nlet g:ownPath = &runtimepath\n"
        "let &runtimepath = " +
        Quote(runtime.string()) +
        " . ',' . $VIMRUNTIME\nfiletype on\nsyntax on\n";
    for (const std::string& line : script) text += line + "\n";
    text +=
        "call add(g:found, 'errors: ' . v:errmsg)\ncall writefile(g:found, " +
        Quote(Dir("found")) + ")\nqall!\n";
    m_dir.Write("script.vim", text);
    // No swap file (-n): tests that run side by side edit the same sample.
    const ChildRun run = test::RunProgram(
        {"vim", "-u", "NONE", "-N", "-n", "-es", "-S", Dir("script.vim")});
    EXPECT_EQ(run.status, 0) << run.err << kInstallHint;
    EXPECT_EQ(run.out + run.err, "");
    Lines found = SplitLines(ReadFile(Dir("found")));
    EXPECT_FALSE(found.empty()) << "the script did not run";
    if (!found.empty()) {
      EXPECT_EQ(found.back(), "errors: ");
      found.pop_back();
    }
    return found;
  }
  static std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? "''" : std::string(1, c);
    return quoted + "'";
  }
  static std::string Edit(const fs::path& file) {
    return "execute 'edit' fnameescape(" + Quote(file.string()) + ")";
  }

  test::TempDir m_dir;
};

// One line of the tool's HTML: its bytes, each with the style of the span
// around it ("" outside any span, that is plain text).
struct StyledLine {
  std::string text;
  Lines styles;
};

std::vector<StyledLine> ParseHtml(const std::string& html) {
  const std::size_t start = html.find("<pre>"), end = html.find("</pre>");
  if (start == std::string::npos || end == std::string::npos) return {};
  std::string pre = html.substr(start + 5, end - start - 5);
  if (pre.starts_with("\n")) pre.erase(0, 1);
  static const std::regex kToken(
      R"re(<span style="([^"]*)">|</span>|&(lt|gt|amp|quot);|[\s\S])re");
  const std::map<std::string, char> entities = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}};
  std::vector<StyledLine> lines(1);
  std::string style;
  for (std::sregex_iterator it(pre.begin(), pre.end(), kToken), last;
       it != last; ++it) {
    const std::string token = it->str();
    if (token.starts_with("<span")) {
      style = (*it)[1];
    } else if (token == "</span>") {
      style.clear();
    } else if (token == "\n") {
      lines.emplace_back();
    } else {
      lines.back().text += it->length(2) > 0 ? entities.at((*it)[2]) : token[0];
      lines.back().styles.push_back(style);
    }
  }
  return lines;
}

// kate-syntax-highlighter with the definition as the only one besides the
// tool's built-in ones (XDG_DATA_DIRS holds nothing, so an installed copy
// cannot stand in for it), choosing it by the file's extension.
TEST_F(EditorTest, KateGivesEachKindItsOwnStyleOnTheRightText) {
  const fs::path syntax =
      m_dir.Path() / "data/org.kde.syntax-highlighting/syntax";
  fs::create_directories(syntax);
  fs::copy_file(kEditors / "pladdo.xml", syntax / "pladdo.xml");
  // Kate's default themes for light and dark colours.
  for (const char* theme : {"Breeze Light", "Breeze Dark"}) {
    SCOPED_TRACE(theme);
    const ChildRun run =
        Kate({"--theme", theme, kSample.string()}, Dir("data"), Dir("empty"));
    EXPECT_NE(run.out.find("Definition (Pladdo)"), std::string::npos);
    const std::vector<StyledLine> lines = ParseHtml(run.out);
    // and the empty line after the last line feed
    ASSERT_EQ(lines.size(), SplitLines(ReadFile(kSample)).size() + 1)
        << run.out.substr(0, 400);
    Lines looks;
    for (const Place& place : kPlaces) {
      SCOPED_TRACE(std::to_string(place.line) + ": " + place.text + " (" +
                   place.what + ")");
      const StyledLine& line = lines.at(place.line - 1);
      const std::size_t pos = line.text.find(place.text);
      ASSERT_NE(pos, std::string::npos) << line.text;
      looks.push_back(line.styles[pos]);
      for (std::size_t i = pos; i < pos + std::strlen(place.text); ++i)
        EXPECT_EQ(line.styles[i], looks.back())
            << "byte " << i << " of the line";
    }
    ExpectKindsApart(looks);
  }
}

TEST_F(EditorTest, VimGivesEachKindItsOwnGroupOnTheRightText) {
  Lines script = {Edit(kSample)};
  const Lines lines = SplitLines(ReadFile(kSample));
  for (const Place& place : kPlaces) {
    const std::size_t pos = lines.at(place.line - 1).find(place.text);
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
  const Lines found = Vim(kEditors / "vim", script);
  ASSERT_EQ(found.size(), 2 * std::size(kPlaces));
  Lines looks;
  for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
    const Place& place = kPlaces[i];
    SCOPED_TRACE(std::to_string(place.line) + ": " + place.text + " (" +
                 place.what + ")");
    std::string expected = place.group;
    for (std::size_t k = 1; k < std::strlen(place.text); ++k)
      expected += std::string(" ") + place.group;
    EXPECT_EQ(found[2 * i], expected);
    looks.push_back(found[2 * i + 1]);
  }
  ExpectKindsApart(looks);
}

TEST_F(EditorTest, VimDetectsProfilesByTheirExtension) {
  // clang-format off
  const struct { fs::path file; std::string found; const char* what; } rows[] = {
      {kSample, "ppf ppf", "a profile read from disk"},
      {m_dir.Path() / "ny bot.ppf", "ppf ppf", "a new profile"},
      {m_dir.Path() / "anteckningar.txt", "text -", "a text file stays text"},
  };
  // clang-format on
  Lines script;
  for (const auto& row : rows) {
    script.push_back(Edit(row.file));
    script.push_back(
        "call add(g:found, &filetype . ' ' . get(b:, 'current_syntax', '-'))");
  }
  const Lines found = Vim(kEditors / "vim", script);
  ASSERT_EQ(found.size(), std::size(rows));
  for (std::size_t i = 0; i < found.size(); ++i)
    EXPECT_EQ(found[i], rows[i].found) << rows[i].what;
}

// `cmake --install` of the editors component into a private prefix: the
// files land where KSyntaxHighlighting looks in an XDG data folder (the
// prefix's share/, as /usr/share is one) and in the Vim add-on folder that
// Debian's vim has in its runtimepath when the prefix is /usr.
TEST_F(EditorTest, InstallPutsTheFilesWhereTheEditorsLook) {
  const fs::path prefix = m_dir.Path() / "prefix";
  const ChildRun install =
      test::RunProgram({PLADDO_CMAKE, "--install", PLADDO_BUILD_DIR, "--prefix",
                        prefix.string(), "--component", "editors"});
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
  EXPECT_TRUE(Holds(
      SplitLines(
          Kate({"--list"}, Dir("empty"), (prefix / "share").string()).out),
      "Pladdo"));
  // Vim's own runtimepath, with nothing read at start, holds the add-on
  // folder of the prefix /usr, and the installed files in that place detect
  // and colour a profile.
  const Lines found =
      Vim(prefix / "share/vim/vimfiles",
          {"call extend(g:found, split(g:ownPath, ','))", Edit(kSample),
           "call add(g:found, &filetype . ' ' . b:current_syntax)"});
  EXPECT_TRUE(Holds(found, "/usr/share/vim/vimfiles"));
  EXPECT_TRUE(Holds(found, "ppf ppf"));
}

}  // namespace
}  // namespace pladdo
