// The Debian package that CPack builds from this build tree, read with
// dpkg-deb and run from its unpacked files; the desktop entry, the metainfo
// and the manual pages through the tools that read them; the bash completion
// in a real bash.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
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
using testing::HasSubstr;

const fs::path kBuild = PLADDO_BUILD_DIR;
const fs::path kDist = PLADDO_DIST;
const std::string kVersion = PLADDO_VERSION;
constexpr bool kWithWindow = PLADDO_WITH_WINDOW;
// The desktop entry's and the metainfo's id; the window hands it to Qt.
const std::string kDesktopId = "se.pladdo.Pladdo";

bool HasProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::istringstream folders(path != nullptr ? path : "");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (::access((fs::path(folder) / name).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Skips the test when a tool is missing, naming the Debian package that
// tools/install-deps.sh installs for it.
#define REQUIRE_TOOL(tool, package)                                      \
  if (!HasProgram(tool))                                                 \
  GTEST_SKIP() << tool << " is missing (tools/install-deps.sh installs " \
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

class Package : public testing::Test {
 protected:
  // Builds the package of this build tree with CPack into a folder of its
  // own and unpacks it into root/.
  void SetUp() override {
    REQUIRE_TOOL("dpkg-deb", "dpkg");
    REQUIRE_TOOL("dpkg-shlibdeps", "dpkg-dev");
    const test::ChildRun cpack = test::RunProgram(
        {PLADDO_CPACK, "--config", (kBuild / "CPackConfig.cmake").string(),
         "-B", m_dir.Path().string()},
        "", {}, "", 120);
    ASSERT_EQ(cpack.failure, "") << cpack.out << cpack.err;
    // The name apt and people expect: pladdo_<version>_<architecture>.deb.
    const Texts arch = Lines(Output({"dpkg", "--print-architecture"}));
    ASSERT_EQ(arch.size(), 1u);
    m_deb = m_dir.File("pladdo_" + kVersion + "_" + arch[0] + ".deb");
    ASSERT_TRUE(fs::is_regular_file(m_deb)) << cpack.out;
    m_root = m_dir.Path() / "root";
    Output({"dpkg-deb", "--extract", m_deb, m_root.string()});
  }

  std::string Field(const std::string& name) {
    const Texts value = Lines(Output({"dpkg-deb", "--field", m_deb, name}));
    return value.empty() ? "" : value[0];
  }

  test::TempDir m_dir;
  std::string m_deb;
  fs::path m_root;
};

TEST_F(Package, HoldsTheProgramItsDataAndWhatTheDesktopReads) {
  // clang-format off
  std::set<std::string> expected = {
      "usr/bin/pladdo",
      // The program folder of an installed pladdo: ../share/pladdo.
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
        "usr/share/icons/hicolor/16x16/apps/pladdo.png",
        "usr/share/icons/hicolor/32x32/apps/pladdo.png",
        "usr/share/icons/hicolor/48x48/apps/pladdo.png",
        "usr/share/icons/hicolor/256x256/apps/pladdo.png",
    });
  }
  // clang-format on
  // Exactly these files: no test program, benchmark or build file.
  std::set<std::string> files;
  for (const std::string& line :
       Lines(Output({"dpkg-deb", "--contents", m_deb}))) {
    const std::size_t path = line.find(" ./");
    if (line.starts_with("-") && path != std::string::npos)
      files.insert(line.substr(path + 3));
  }
  EXPECT_EQ(files, expected);

  EXPECT_EQ(Field("Package"), "pladdo");
  EXPECT_EQ(Field("Version"), kVersion);
  // apt pulls what the program links (dpkg-shlibdeps) and what Qt loads at
  // run time, which no linker sees.
  Texts needed = {"libc6", "libstdc++6", "libreadline8"};
  if (kWithWindow) {
    needed.insert(needed.end(), {"libqt6widgets6", "qt6-qpa-plugins",
                                 "qt6-translations-l10n"});
  }
  const std::string depends = ", " + Field("Depends") + ",";
  for (const std::string& package : needed) {
    EXPECT_TRUE(depends.find(", " + package + ",") != std::string::npos ||
                depends.find(", " + package + " (") != std::string::npos)
        << package << " not in " << depends;
  }
}

TEST_F(Package, UnpackedProgramIsStrippedAndChatsWithItsOwnData) {
  const std::string program = (m_root / "usr/bin/pladdo").string();
  const std::string sections =
      Output({"readelf", "--section-headers", "--wide", program});
  for (const char* section : {".symtab", ".debug_info"})
    EXPECT_EQ(sections.find(section), std::string::npos) << "not stripped";
  if (kWithWindow) {
    // The window tells Qt the desktop file's name, so that the desktop
    // finds the running window's entry and icon; Qt keeps it as UTF-16.
    std::string utf16;
    for (const char c : kDesktopId) utf16 += std::string{c, '\0'};
    EXPECT_NE(test::ReadFile(program).find(utf16), std::string::npos)
        << "the window names another desktop file than " << kDesktopId;
  }

  const test::ChildRun version = test::RunProgram({program, "--version"});
  EXPECT_EQ(version.Result(), "pladdo " + kVersion + "\n");

  // Run from a folder of its own, the unpacked program finds the packaged
  // profiles and language table: it says exactly what the build tree's
  // program says on the same seed.
  const test::TempDir folder;
  const Texts args = {"-t", "--seed", "11"};
  Texts unpacked = {program}, built = {(kBuild / "pladdo").string()};
  unpacked.insert(unpacked.end(), args.begin(), args.end());
  built.insert(built.end(), args.begin(), args.end());
  const Texts noDisplay = {"DISPLAY", "WAYLAND_DISPLAY"};
  const test::ChildRun run = test::RunProgram(
      unpacked, "Anna\nhej\n", noDisplay, folder.Path().string());
  const test::ChildRun reference =
      test::RunProgram(built, "Anna\nhej\n", noDisplay, folder.Path().string());
  EXPECT_EQ(run.Result(), reference.Result());
  EXPECT_EQ(run.err, "");
  const Texts lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 5u) << run.out;
  EXPECT_THAT(lines[0], HasSubstr("Pladdo"));  // every greeting names it
  EXPECT_EQ(lines[1], "> Anna");
  EXPECT_EQ(lines[3], "> hej");
  EXPECT_NE(lines[4], "");
}

// ---------------------------------------------------------------------------
// The desktop entry, the metainfo and the manual pages

TEST(DesktopFiles, DesktopFileValidateAcceptsTheEntry) {
  REQUIRE_TOOL("desktop-file-validate", "desktop-file-utils");
  const test::ChildRun run = test::RunProgram(
      {"desktop-file-validate", (kDist / (kDesktopId + ".desktop")).string()});
  // It prints its warnings with status 0.
  EXPECT_EQ(run.Result() + run.err, "");
}

TEST(DesktopFiles, AppstreamcliAcceptsTheMetainfoWithThisRelease) {
  REQUIRE_TOOL("appstreamcli", "appstream");
  const std::string path = (kDist / (kDesktopId + ".metainfo.xml")).string();
  // Warnings and errors fail; infos and pedantic notes do not.
  const test::ChildRun run = test::RunProgram(
      {"appstreamcli", "validate", "--no-net", "--no-color", path});
  EXPECT_EQ(run.failure, "") << run.out << run.err;
  // A new version needs its release entry.
  EXPECT_THAT(test::ReadFile(path),
              HasSubstr("<release version=\"" + kVersion + "\""));
}

TEST(ManualPages, GroffFormatsThemWithoutWarningsForThisVersion) {
  REQUIRE_TOOL("groff", "groff-base");
  for (const char* page : {"man/pladdo.1", "man/sv/pladdo.1"}) {
    SCOPED_TRACE(page);
    const std::string path = (kDist / page).string();
    // preconv turns the UTF-8 letters into groff's own escapes, as man does.
    const test::ChildRun run = test::RunProgram(
        {"sh", "-c", "preconv \"$0\" | groff -man -Tutf8 -ww -z", path});
    EXPECT_EQ(run.Result() + run.err, "");
    EXPECT_THAT(Lines(test::ReadFile(path)),
                testing::Contains(HasSubstr("\"Pladdo " + kVersion + "\"")));
  }
}

// ---------------------------------------------------------------------------
// The bash completion

TEST(Completion, OffersOptionsSubcommandsAndProfiles) {
  REQUIRE_TOOL("bash", "bash");
  const test::TempDir dir;
  for (const char* name :
       {"bot.ppf", "Gammal.PPF", "med mellanslag.ppf", "rader.txt", "-x.ppf"})
    dir.Write(name, "");
  fs::create_directory(dir.Path() / "mapp");

  // clang-format off
  const struct Row { Texts words; Texts offered; } kRows[] = {
      // The first word: a sub-command, or the chat's options.
      {{""}, {"check", "verify"}},
      {{"--pro"}, {"--profile1", "--profile2"}},
      {{"-t", "x"}, {}},  // the chat takes no file
      // Option values: profiles and folders, any file, a number.
      {{"--profile1", ""}, {"-x.ppf", "Gammal.PPF", "bot.ppf", "mapp", "med mellanslag.ppf"}},
      {{"--profile2", "=", "b"}, {"bot.ppf"}},  // --profile2=b
      {{"--language", "r"}, {"rader.txt"}},
      {{"--seed", ""}, {}},
      // The sub-commands: their own options, profiles, and after "--" only
      // profiles.
      {{"check", "-"}, {"--help", "--language"}},
      {{"verify", "--"}, {"--help", "--inputs", "--language"}},
      {{"verify", "--inputs", "r"}, {"rader.txt"}},
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
