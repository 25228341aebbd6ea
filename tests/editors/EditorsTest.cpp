// The highlighting files for profiles, loaded by each editor's own tool:
// kate-syntax-highlighter for the KSyntaxHighlighting definition and Vim in
// batch mode for the Vim files, on a sample profile that holds every kind of
// row and variable.
#include <gtest/gtest.h>

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

// One place per kind in tests/fixtures/editors/sample.ppf: the first
// occurrence of text on line (counted from 1), which Vim puts in group.
// clang-format off
const struct Place { int line; const char *text, *kind, *group; } kPlaces[] = {
    {1, "# Exempelprofil", "comment", "ppfComment"},
    {2, "[INFO]", "header", "ppfHeader"},
    {10, "#> Jag heter Åsa", "sample", "ppfSample"},
    {3, "name=", "key", "ppfInfoKey"},
    {3, "Exempel", "plain", "ppfInfoBlock"},
    {11, "?jag heter", "pattern", "ppfPattern"},
    {17, "?*", "wildcard", "ppfWildcard"},  // "?" inside a pattern too
    {7, "!Hej! Jag heter ", "answer", "ppfAnswer"},
    {7, "%NAME_PLADDO%", "built-in", "ppfBuiltinVar"},
    {13, "%hälsning%", "block", "ppfBlockVar"},
    {14, "%ord.txt|", "file", "ppfFileVar"},
    {14, "@", "capital", "ppfCapital"},
    {23, "rad utan radtecken", "fault", "ppfIllegal"},
};
// Kinds whose looks must all differ.
const std::vector<Lines> kApart = {
    {"plain", "header", "pattern", "answer", "comment", "sample", "built-in", "block", "file"},
    {"pattern", "wildcard"},
    {"answer", "built-in", "block", "file", "capital"},
    {"plain", "key", "fault"},
};
// clang-format on

// looks: the look of each place, in the order of kPlaces.
void ExpectKindsApart(const Lines& looks) {
  std::map<std::string, std::string> byKind;
  for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
    byKind[kPlaces[i].kind] = looks.at(i);
  }
  for (const Lines& kinds : kApart) {
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      for (std::size_t j = i + 1; j < kinds.size(); ++j) {
        EXPECT_NE(byKind[kinds[i]], byKind[kinds[j]])
            << kinds[i] << " and " << kinds[j] << " look alike";
      }
    }
  }
}

// The lines of the tool's HTML, each byte with the style of the span around
// it ("" outside any span, that is plain text).
std::vector<std::pair<std::string, Lines>> ParseHtml(const std::string& html) {
  const std::size_t start = html.find("<pre>"), end = html.find("</pre>");
  if (start == std::string::npos || end == std::string::npos) return {};
  std::string pre = html.substr(start + 5, end - start - 5);
  if (pre.starts_with("\n")) pre.erase(0, 1);
  static const std::regex kToken(
      R"re(<span style="([^"]*)">|</span>|&(lt|gt|amp|quot);|[\s\S])re");
  const std::map<std::string, char> entities = {
      {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}};
  std::vector<std::pair<std::string, Lines>> lines(1);
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
      lines.back().first +=
          it->length(2) > 0 ? entities.at((*it)[2]) : token[0];
      lines.back().second.push_back(style);
    }
  }
  return lines;
}

// The definition is the only one besides the tool's built-in ones (an
// installed copy cannot stand in for it), chosen by the file's extension,
// with the library's warnings on, in Kate's default light and dark themes.
TEST(EditorTest, KateGivesEachKindItsOwnStyleOnTheRightText) {
  const test::TempDir dir;
  const fs::path syntax =
      dir.Path() / "data/org.kde.syntax-highlighting/syntax";
  fs::create_directories(syntax);
  fs::copy_file(kEditors / "pladdo.xml", syntax / "pladdo.xml");
  for (const char* theme : {"Breeze Light", "Breeze Dark"}) {
    SCOPED_TRACE(theme);
    const test::ChildRun run = test::RunProgram(
        {"kate-syntax-highlighter", "--theme", theme, kSample.string()}, "",
        {"XDG_DATA_HOME=" + dir.File("data"),
         "XDG_DATA_DIRS=" + dir.File("none"),
         "QT_LOGGING_RULES=kf.syntaxhighlighting.warning=true"});
    ASSERT_EQ(run.status, 0) << run.err << kInstallHint;
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Definition (Pladdo)"), std::string::npos);
    const auto lines = ParseHtml(run.out);
    Lines looks;
    for (const Place& place : kPlaces) {
      SCOPED_TRACE(std::to_string(place.line) + ": " + place.text);
      ASSERT_LT(std::size_t(place.line), lines.size());
      const auto& [text, styles] = lines[std::size_t(place.line) - 1];
      const std::size_t pos = text.find(place.text);
      ASSERT_NE(pos, std::string::npos) << text;
      looks.push_back(styles[pos]);
      for (std::size_t i = pos; i < pos + std::strlen(place.text); ++i) {
        EXPECT_EQ(styles[i], looks.back()) << "byte " << i << " of the line";
      }
    }
    ExpectKindsApart(looks);
  }
}

// Vim without any vimrc or plugin, with editors/vim before its own runtime:
// a profile, new or read, is detected and coloured, a text file is not, and
// every byte of a place is in its group, shown with that group's look.
TEST(EditorTest, VimDetectsProfilesAndGivesEachKindItsOwnGroup) {
  const test::TempDir dir;
  const auto quote = [](const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? "''" : std::string(1, c);
    return quoted + "'";
  };
  std::string script = "let g:found = []\nlet &runtimepath = " +
                       quote((kEditors / "vim").string()) +
                       " . ',' . $VIMRUNTIME\nfiletype on\nsyntax on\n";
  for (const std::string& file :
       {dir.File("ny bot.ppf"), dir.File("a.txt"), kSample.string()}) {
    script += "execute 'edit' fnameescape(" + quote(file) +
              ")\ncall add(g:found, &filetype . ' ' . "
              "get(b:, 'current_syntax', '-'))\n";
  }
  const Lines sample = SplitLines(test::ReadFile(kSample));
  Lines expected = {"ppf ppf", "text -", "ppf ppf"};
  for (const Place& place : kPlaces) {
    const std::size_t pos =
        sample.at(std::size_t(place.line) - 1).find(place.text);
    ASSERT_NE(pos, std::string::npos) << place.text;
    const std::string row = std::to_string(place.line);
    const std::string first = std::to_string(pos + 1);
    script +=
        "call add(g:found, join(map(range(" + first + ", " +
        std::to_string(pos + std::strlen(place.text)) +
        "), {_, c -> synIDattr(synID(" + row +
        ", c, 1), 'name')})))\ncall add(g:found, synIDattr(synIDtrans(synID(" +
        row + ", " + first + ", 1)), 'name'))\n";
    expected.push_back(place.group);
    for (std::size_t k = 1; k < std::strlen(place.text); ++k) {
      expected.back() += std::string(" ") + place.group;
    }
    expected.push_back("(look)");
  }
  script +=
      "call add(g:found, 'errors: ' . v:errmsg)\ncall writefile(g:found, " +
      quote(dir.File("found")) + ")\nqall!\n";
  dir.Write("script.vim", script);
  // No swap file (-n): tests that run side by side edit the same sample.
  const test::ChildRun run = test::RunProgram(
      {"vim", "-u", "NONE", "-N", "-n", "-es", "-S", dir.File("script.vim")});
  ASSERT_EQ(run.status, 0) << run.err << kInstallHint;
  EXPECT_EQ(run.out + run.err, "");
  Lines found = SplitLines(test::ReadFile(dir.File("found")));
  ASSERT_EQ(found.size(), expected.size() + 1) << "the script did not run";
  EXPECT_EQ(found.back(), "errors: ");
  Lines looks;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    if (expected[i] == "(look)") {
      looks.push_back(found[i]);
    } else {
      EXPECT_EQ(found[i], expected[i]) << "line " << i << " of the findings";
    }
  }
  ExpectKindsApart(looks);
}

}  // namespace
}  // namespace pladdo
