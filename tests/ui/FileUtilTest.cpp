// Path helpers, the program folder, and saving through a temporary file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "ui/FileUtil.h"

namespace pladdo {
namespace {

namespace fs = std::filesystem;

TEST(PathParts, SplitAtTheLastBackslashElseTheLastSlash) {
  // clang-format off
  const struct { const char *path, *folder, *file; } rows[] = {
      {"/home/anna/samtal.txt", "/home/anna/", "samtal.txt"},
      {"C:\\Pladdo\\pladdo.ppf", "C:\\Pladdo\\", "pladdo.ppf"},
      {"a\\b/c.ppf", "a\\", "b/c.ppf"},  // "\" wins even before a later "/"
      {"samtal.txt", "samtal.txt", "samtal.txt"},  // no separator: whole path
      {"/mapp/", "/mapp/", ""},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(GetFolderPart(row.path), row.folder);
    EXPECT_EQ(GetFileNamePart(row.path), row.file);
  }
}

TEST(ProgramFolder, IsTheExecutablesFolderWhenItHoldsProfiles) {
  EXPECT_EQ(GetProgramFolder(true), std::string(PLADDO_BUILD_DIR) + "/");
  EXPECT_EQ(GetProgramFolder(false),
            fs::read_symlink("/proc/self/exe").string());
}

std::string ReadFile(const fs::path& path) {
  std::ostringstream text;
  text << std::ifstream(path, std::ios::binary).rdbuf();
  return text.str();
}

// Saving through a link replaces the file it points to and keeps its mode;
// a pipe is refused and left alone; no temporary file is left behind.
TEST(SaveTextFile, ReplacesTheLinkedFileKeepingItsModeAndRefusesAPipe) {
  const fs::path dir =
      fs::temp_directory_path() / ("pladdo-save-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const auto mode =
      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  std::ofstream(dir / "gammal.txt") << "gammalt och l\xE4ngre";
  fs::permissions(dir / "gammal.txt", mode);
  fs::create_symlink(dir / "gammal.txt", dir / "genvag.txt");
  const std::string pipe = (dir / "ror").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::string error;
  EXPECT_TRUE(SaveTextFile((dir / "genvag.txt").string(), "nytt\n", error));
  EXPECT_EQ(ReadFile(dir / "gammal.txt"), "nytt\n");
  EXPECT_TRUE(fs::is_symlink(dir / "genvag.txt"));
  EXPECT_EQ(fs::status(dir / "gammal.txt").permissions() & fs::perms::all,
            mode);
  EXPECT_FALSE(SaveTextFile(pipe, "nytt\n", error));
  EXPECT_EQ(error, "Samtalet kunde inte sparas i \"" + pipe +
                       "\": det \xE4r ingen vanlig fil.");
  EXPECT_TRUE(fs::is_fifo(pipe));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 3);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace pladdo
