// The Debian package, read with dpkg-deb and run unpacked; the desktop files,
// manual pages and bash completion through the tools that read them.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/TestUtil.h"

namespace pladdo {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

const fs::path kBuild = PLADDO_BUILD_DIR;
const fs::path kDist = PLADDO_DIST;
const std::string kVersion = PLADDO_VERSION;
constexpr bool kWithWindow = PLADDO_WITH_WINDOW;
// The desktop entry's and the metainfo's id; the window hands it to Qt.
const std::string kDesktopId = "se.pladdo.Pladdo";

// Skips the test when a tool is missing, naming its Debian package.
#define REQUIRE_TOOL(tool, package)                                          \
  if (test::RunProgram({"sh", "-c", "command -v \"$0\"", tool}).out.empty()) \
  GTEST_SKIP() << tool << " is missing (tools/install-deps.sh installs "     \
               << package << ")"

Texts Lines(const std::string& text) {
  Texts lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Runs argv and expects it to succeed; returns its standard output.
std::string Output(const Texts& argv, const std::string& folder = "") {
  const test::ChildRun run = test::RunProgram(argv, "", {}, folder);
  EXPECT_EQ(run.failure, "") << run.out << run.err;
  return run.out;
}

// CPack builds the package into a folder of its own; it holds exactly the
// program, its data and what the desktop reads, depends on what they need,
// and its unpacked program is stripped and chats with its own data.
TEST(Package, HoldsItsFilesAndDependsAndItsUnpackedProgramChats) {
  REQUIRE_TOOL("dpkg-deb", "dpkg");
  REQUIRE_TOOL("dpkg-shlibdeps", "dpkg-dev");
  const test::TempDir dir;
  const test::ChildRun cpack = test::RunProgram(
      {PLADDO_CPACK, "--config", (kBuild / "CPackConfig.cmake").string(), "-B",
       dir.Path().string()},
      "", {}, "", 120);
  ASSERT_EQ(cpack.failure, "") << cpack.out << cpack.err;
  // The name apt and people expect: pladdo_<version>_<architecture>.deb.
  const Texts arch = Lines(Output({"dpkg", "--print-architecture"}));
  ASSERT_EQ(arch.size(), 1u);
  const std::string deb =
      dir.File("pladdo_" + kVersion + "_" + arch[0] + ".deb");
  ASSERT_TRUE(fs::is_regular_file(deb)) << cpack.out;
  const fs::path root = dir.Path() / "root";
  Output({"dpkg-deb", "--extract", deb, root.string()});
  const auto field = [&deb](const std::string& name) {
    const Texts value = Lines(Output({"dpkg-deb", "--field", deb, name}));
    return value.empty() ? "" : value[0];
  };

  // clang-format off
  std::set<std::string> expected = {
      "usr/bin/pladdo",
      "usr/share/pladdo/profiles/pladdo.ppf", "usr/share/pladdo/profiles/rimbus.ppf",
      "usr/share/pladdo/language.dat", "usr/share/pladdo/readme.txt",
      "usr/share/man/man1/pladdo.1.gz", "usr/share/man/sv/man1/pladdo.1.gz",
      "usr/share/bash-completion/completions/pladdo",
      "usr/share/org.kde.syntax-highlighting/syntax/pladdo.xml",
      "usr/share/vim/vimfiles/syntax/ppf.vim", "usr/share/vim/vimfiles/ftdetect/ppf.vim",
  };
  if (kWithWindow) {
    expected.insert({
        "usr/share/applications/" + kDesktopId + ".desktop",
        "usr/share/metainfo/" + kDesktopId + ".metainfo.xml",
        "usr/share/icons/hicolor/scalable/apps/pladdo.svg",
    });
    for (const char* size : {"16x16", "32x32", "48x48", "256x256"})
      expected.insert("usr/share/icons/hicolor/" + std::string(size) + "/apps/pladdo.png");
  }
  // clang-format on
  // Exactly these files: no test program, benchmark or build file.
  std::set<std::string> files;
  for (const std::string& line :
       Lines(Output({"dpkg-deb", "--contents", deb}))) {
    const std::size_t path = line.find(" ./");
    if (line.starts_with("-") && path != std::string::npos)
      files.insert(line.substr(path + 3));
  }
  EXPECT_EQ(files, expected);

  EXPECT_EQ(field("Package"), "pladdo");
  EXPECT_EQ(field("Version"), kVersion);
  // What the program links, and what Qt loads at run time unseen by linkers.
  Texts needed = {"libc6", "libstdc++6", "libreadline8"};
  if (kWithWindow) {
    needed.insert(needed.end(), {"libqt6widgets6", "qt6-qpa-plugins",
                                 "qt6-translations-l10n"});
  }
  const std::string depends = ", " + field("Depends") + ",";
  for (const std::string& package : needed) {
    EXPECT_TRUE(depends.find(", " + package + ",") != std::string::npos ||
                depends.find(", " + package + " (") != std::string::npos)
        << package << " not in " << depends;
  }

  const std::string program = (root / "usr/bin/pladdo").string();
  const std::string sections =
      Output({"readelf", "--section-headers", "--wide", program});
  for (const char* section : {".symtab", ".debug_info"})
    EXPECT_EQ(sections.find(section), std::string::npos) << "not stripped";
  const test::ChildRun version = test::RunProgram({program, "--version"});
  EXPECT_EQ(version.Result(), "pladdo " + kVersion + "\n");

  // Run elsewhere, it finds its packaged data and chats as the built one.
  const test::TempDir folder;
  const auto chat = [&folder](const std::string& pladdo) {
    return test::RunProgram({pladdo, "-t", "--seed", "11"}, "Anna\nhej\n",
                            {"DISPLAY", "WAYLAND_DISPLAY"}, folder.Path());
  };
  const test::ChildRun run = chat(program);
  EXPECT_EQ(run.Result(), chat(kBuild / "pladdo").Result());
  EXPECT_EQ(run.err, "");
  const Texts lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 5u) << run.out;
  EXPECT_EQ(lines[3], "> hej");
}

// The desktop entry, the metainfo and the manual pages pass the tools that
// read them (warnings fail) and name this version.
TEST(DistFiles, TheirToolsAcceptThemForThisVersion) {
  const std::string release = "<release version=\"" + kVersion + "\"";
  const std::string title = "\"Pladdo " + kVersion + "\"";
  // preconv turns UTF-8 letters into groff's escapes, as man does.
  const std::string groff = "preconv \"$0\" | groff -man -Tutf8 -ww -z";
  // clang-format off
  const struct { const char* tool; const char* package; std::string command, file, version; } rows[] = {
      {"desktop-file-validate", "desktop-file-utils", "desktop-file-validate \"$0\"", kDesktopId + ".desktop", ""},
      // Infos and pedantic notes come with status 0 and do not fail.
      {"appstreamcli", "appstream", "appstreamcli validate --no-net --no-color \"$0\" >/dev/null", kDesktopId + ".metainfo.xml", release},
      {"groff", "groff-base", groff, "man/pladdo.1", title},
      {"groff", "groff-base", groff, "man/sv/pladdo.1", title},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    REQUIRE_TOOL(row.tool, row.package);
    const std::string path = (kDist / row.file).string();
    const test::ChildRun run =
        test::RunProgram({"sh", "-c", row.command, path});
    EXPECT_EQ(run.Result() + run.err, "");
    EXPECT_NE(test::ReadFile(path).find(row.version), std::string::npos)
        << "no " << row.version;
  }
}

TEST(Completion, OffersOptionsSubcommandsAndProfiles) {
  REQUIRE_TOOL("bash", "bash");
  const test::TempDir dir;
  for (const char* name :
       {"bot.ppf", "Gammal.PPF", "med mellanslag.ppf", "rader.txt", "-x.ppf"})
    dir.Write(name, "");
  fs::create_directory(dir.Path() / "mapp");

  // clang-format off
  const struct Row { Texts words; Texts offered; } kRows[] = {
      {{""}, {"check", "verify"}},
      {{"--pro"}, {"--profile1", "--profile2"}},
      {{"-t", "x"}, {}},  // the chat takes no file
      {{"--profile1", ""}, {"-x.ppf", "Gammal.PPF", "bot.ppf", "mapp", "med mellanslag.ppf"}},
      {{"--profile2", "=", "b"}, {"bot.ppf"}},  // --profile2=b
      {{"--language", "r"}, {"rader.txt"}},
      {{"verify", "--"}, {"--help", "--inputs", "--language"}},
      {{"check", "m"}, {"mapp", "med mellanslag.ppf"}},
      {{"check", "--", "-"}, {"-x.ppf"}},
  };
  // clang-format on
  const std::string script =
      "source \"$0\" && complete -p pladdo > /dev/null || exit 3\n"
      "COMP_WORDS=(pladdo \"$@\"); COMP_CWORD=$#\n"
      "_pladdo\n"
      "((${#COMPREPLY[@]})) && printf '%s\\n' \"${COMPREPLY[@]}\" | "
      "LC_ALL=C sort\n"
      "exit 0\n";
  for (const Row& row : kRows) {
    SCOPED_TRACE(testing::PrintToString(row.words));
    Texts argv = {"bash",        "--norc",
                  "--noprofile", "-c",
                  script,        (kDist / "bash-completion/pladdo").string()};
    argv.insert(argv.end(), row.words.begin(), row.words.end());
    const test::ChildRun run =
        test::RunProgram(argv, "", {}, dir.Path().string());
    EXPECT_EQ(run.failure, "") << run.err;
    EXPECT_EQ(Lines(run.out), row.offered);
  }
}

}  // namespace
}  // namespace pladdo
