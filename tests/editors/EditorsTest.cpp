// The highlighting files, loaded by kate-syntax-highlighter and by Vim in
// batch mode, colour a sample profile holding every kind of row and variable.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
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
// A missing tool is a failure, never a skip.
const char kInstallHint[] =
    " (tools/install-deps.sh installs libkf5syntaxhighlighting-tools and vim)";

Lines Split(const std::string& text, char end = '\n') {
  Lines parts;
  std::istringstream in(text);
  for (std::string part; std::getline(in, part, end);) parts.push_back(part);
  return parts;
}

// One place per kind in the sample: the first text on line (from 1).
// clang-format off
const struct Place { std::size_t line; const char *text, *kind; } kPlaces[] = {
    {1, "# Exempelprofil", "comment"}, {2, "[INFO]", "header"},
    {10, "#> Jag heter Åsa", "sample"}, {3, "name=", "key"}, {3, "Exempel", "plain"},
    {11, "?jag heter", "pattern"}, {17, "?*", "wildcard"},  // "?" in a pattern too
    {7, "!Hej! Jag heter ", "answer"}, {7, "%NAME_PLADDO%", "built-in"},
    {13, "%hälsning%", "block"}, {14, "%ord.txt|", "file"}, {14, "@", "capital"},
    {23, "rad utan radtecken", "fault"},
};
// Kinds whose looks must all differ.
const std::vector<Lines> kApart = {
    {"plain", "header", "pattern", "answer", "comment", "sample", "built-in", "block", "file"}, {"pattern", "wildcard"},
    {"answer", "built-in", "block", "file", "capital"}, {"plain", "key", "fault"}};
// clang-format on

// Expects one look for all bytes of a place and different looks for the
// kinds of each list in kApart; looks[line][byte] as the tool shows it.
void ExpectKindsApart(const std::vector<Lines>& looks) {
  const Lines sample = Split(test::ReadFile(kSample));
  std::map<std::string, std::string> byKind;
  for (const Place& place : kPlaces) {
    SCOPED_TRACE(std::to_string(place.line) + ": " + place.text);
    ASSERT_LE(place.line, looks.size());
    const Lines& line = looks[place.line - 1];
    const std::size_t first = sample.at(place.line - 1).find(place.text);
    const std::size_t size = std::strlen(place.text);
    ASSERT_LE(first + size, line.size());
    const Lines found(line.begin() + long(first),
                      line.begin() + long(first + size));
    EXPECT_EQ(found, Lines(size, found[0]));
    byKind[place.kind] = found[0];
  }
  for (const Lines& kinds : kApart) {
    std::set<std::string> apart;
    for (const std::string& kind : kinds) apart.insert(byKind[kind]);
    EXPECT_EQ(apart.size(), kinds.size()) << testing::PrintToString(kinds);
  }
}

// The style of each byte of each line of the tool's HTML ("" outside spans).
std::vector<Lines> ParseHtml(const std::string& html) {
  static const std::regex kToken(
      R"re(<span style="([^"]*)">|</span>|&(lt|gt|amp|quot);|[\s\S])re");
  const std::size_t start = html.find("<pre>\n"), end = html.find("</pre>");
  if (start == std::string::npos || end == std::string::npos) return {};
  std::vector<Lines> lines(1);
  std::string style;
  for (std::sregex_iterator
           it(html.begin() + long(start) + 6, html.begin() + long(end), kToken),
       last;
       it != last; ++it) {
    const std::string token = it->str();
    if (token == "\n") lines.emplace_back();
    if (token[0] == '<') style = (*it)[1];  // a span's start or end
    if (token[0] != '<' && token != "\n") lines.back().push_back(style);
  }
  return lines;
}

// Only this definition besides the built-in ones (never an installed copy),
// chosen by extension, warnings on, in Kate's light and dark themes.
TEST(EditorTest, KateGivesEachKindItsOwnStyle) {
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
    ExpectKindsApart(ParseHtml(run.out));
  }
}

// Vim without vimrc or plugins, editors/vim first: a profile, new or read,
// is detected, a text file is not; then the sample's highlight group of each
// byte, comma-ended. Any error ends Vim with status 1.
const char kVimScript[] = R"(let g:found = []
let &runtimepath = $PPF_RUNTIME . ',' . $VIMRUNTIME
filetype on
syntax on
for file in [$PPF_DIR . '/ny bot.ppf', $PPF_DIR . '/a.txt', $PPF_SAMPLE]
  execute 'edit' fnameescape(file)
  call add(g:found, &filetype . ' ' . get(b:, 'current_syntax', '-'))
endfor
for n in range(1, line('$'))
  call add(g:found, join(map(range(1, strlen(getline(n))),
        \ {_, c -> synIDattr(synIDtrans(synID(g:n, c, 1)), 'name')}), ',') . ',')
endfor
call writefile(g:found, $PPF_DIR . '/found')
qall!
)";

TEST(EditorTest, VimDetectsProfilesAndGivesEachKindItsOwnLook) {
  const test::TempDir dir;
  // No swap file (-n): tests that run side by side edit the same sample.
  const test::ChildRun run = test::RunProgram(
      {"vim", "-u", "NONE", "-N", "-n", "-es", "-S",
       dir.Write("script.vim", kVimScript)},
      "",
      {"PPF_RUNTIME=" + (kEditors / "vim").string(),
       "PPF_DIR=" + dir.Path().string(), "PPF_SAMPLE=" + kSample.string()});
  ASSERT_EQ(run.status, 0) << run.err << kInstallHint;
  EXPECT_EQ(run.out + run.err, "");
  const Lines found = Split(test::ReadFile(dir.File("found")));
  ASSERT_GE(found.size(), 4u) << "the script did not run";
  EXPECT_EQ(Lines(found.begin(), found.begin() + 3),
            (Lines{"ppf ppf", "text -", "ppf ppf"}));
  std::vector<Lines> looks;
  for (auto line = found.begin() + 3; line < found.end(); ++line) {
    looks.push_back(Split(*line, ','));
  }
  ExpectKindsApart(looks);
}

}  // namespace
}  // namespace pladdo
