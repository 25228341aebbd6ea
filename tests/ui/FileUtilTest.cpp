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
  const struct {
    const char* path;
    const char* folder;
    const char* file;
  } rows[] = {
      {"/home/anna/samtal.txt", "/home/anna/", "samtal.txt"},
      {"C:\\Pladdo\\profiles\\pladdo.ppf", "C:\\Pladdo\\profiles\\", "pladdo.ppf"},
      {"a\\b/c.ppf", "a\\", "b/c.ppf"},  // "\" wins even before a later "/"
      {"a/b\\c.ppf", "a/b\\", "c.ppf"},
      {"samtal.txt", "samtal.txt", "samtal.txt"},  // no separator: whole path
      {"/mapp/", "/mapp/", ""},
      {"/", "/", ""},
      {"", "", ""},
      {"/h\xE4r/\xF6.ppf", "/h\xE4r/", "\xF6.ppf"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(GetFolderPart(row.path), row.folder);
    EXPECT_EQ(GetFileNamePart(row.path), row.file);
  }
}

TEST(ProgramFolder, IsTheExecutablesFolderWhenItHoldsProfiles) {
  // The tests run from the build folder, beside the copied profiles/.
  EXPECT_EQ(GetProgramFolder(true), std::string(PLADDO_BUILD_DIR) + "/");
  EXPECT_EQ(GetProgramFolder(false), fs::read_symlink("/proc/self/exe").string());
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class SaveTextFileTest : public testing::Test {
 protected:
  void SetUp() override {
    m_folder = fs::temp_directory_path() /
               ("pladdo-save-" + std::to_string(::getpid()));
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
  }
  void TearDown() override {
    fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(m_folder);
  }
  // Every file in the folder: a failed save must leave no temporary behind.
  int FileCount() const {
    return static_cast<int>(std::distance(fs::directory_iterator(m_folder),
                                          fs::directory_iterator()));
  }

  fs::path m_folder;
};

TEST_F(SaveTextFileTest, WritesTheTextAsGivenAndReplacesAnOldFile) {
  const fs::path target = m_folder / "samtal.txt";
  std::ofstream(target) << "gammalt innehåll som är längre än det nya\n";
  std::string error = "orört";
  ASSERT_TRUE(SaveTextFile(target.string(), "Hej \xC3\xA5\n> Anna\n", error));
  EXPECT_EQ(ReadFile(target), "Hej \xC3\xA5\n> Anna\n");
  EXPECT_EQ(error, "orört");
  EXPECT_EQ(FileCount(), 1);
}

TEST_F(SaveTextFileTest, EmptyTextGivesAnEmptyFile) {
  const fs::path target = m_folder / "tom.txt";
  std::string error;
  ASSERT_TRUE(SaveTextFile(target.string(), "", error));
  EXPECT_TRUE(fs::exists(target));
  EXPECT_EQ(fs::file_size(target), 0u);
}

TEST_F(SaveTextFileTest, KeepsTheModeOfTheFileItReplaces) {
  const fs::path target = m_folder / "samtal.txt";
  std::ofstream(target) << "x";
  fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write |
                              fs::perms::group_read);
  std::string error;
  ASSERT_TRUE(SaveTextFile(target.string(), "y", error));
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(SaveTextFileTest, SavingThroughALinkReplacesTheFileItPointsTo) {
  const fs::path real = m_folder / "riktig.txt";
  const fs::path link = m_folder / "genvag.txt";
  std::ofstream(real) << "gammalt";
  fs::create_symlink(real, link);
  std::string error;
  ASSERT_TRUE(SaveTextFile(link.string(), "nytt", error));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadFile(real), "nytt");
}

TEST_F(SaveTextFileTest, FailuresAreReportedWithPathAndReasonAndDamageNothing) {
  const fs::path folderTarget = m_folder / "mapp";
  fs::create_directories(folderTarget);
  const fs::path fifo = m_folder / "ror";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path lockedFolder = m_folder / "last";
  fs::create_directories(lockedFolder);
  std::ofstream(lockedFolder / "gammal.txt") << "gammalt";
  fs::permissions(lockedFolder, fs::perms::owner_read | fs::perms::owner_exec);

  const struct {
    const char* what;
    std::string path;
    std::string error;
    bool needsNonRoot;
  } rows[] = {
      {"folder that does not exist", (m_folder / "saknas" / "a.txt").string(),
       "Samtalet kunde inte sparas i \"" + (m_folder / "saknas/a.txt").string() +
           "\": No such file or directory.",
       false},
      {"target is a folder", folderTarget.string(),
       "Samtalet kunde inte sparas i \"" + folderTarget.string() +
           "\": det \xE4r en mapp.",
       false},
      {"target is a pipe", fifo.string(),
       "Samtalet kunde inte sparas i \"" + fifo.string() +
           "\": det \xE4r ingen vanlig fil.",
       false},
      {"empty path", "", "Samtalet kunde inte sparas i \"\": No such file or directory.",
       false},
      {"read-only folder, existing file kept",
       (lockedFolder / "gammal.txt").string(),
       "Samtalet kunde inte sparas i \"" + (lockedFolder / "gammal.txt").string() +
           "\": Permission denied.",
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    // Root may write anywhere, so a read-only folder proves nothing then.
    if (row.needsNonRoot && ::geteuid() == 0) continue;
    std::string error;
    EXPECT_FALSE(SaveTextFile(row.path, "nytt\n", error));
    EXPECT_EQ(error, row.error);
  }
  EXPECT_TRUE(fs::is_directory(folderTarget));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(ReadFile(lockedFolder / "gammal.txt"), "gammalt");
  EXPECT_EQ(FileCount(), 3);  // mapp, ror and last, no temporary file left
}

TEST_F(SaveTextFileTest, APathThroughAFileIsReportedAndTheFileKept) {
  const fs::path notAFolder = m_folder / "fil";
  std::ofstream(notAFolder) << "x";
  std::string error;
  EXPECT_FALSE(SaveTextFile((notAFolder / "a.txt").string(), "nytt", error));
  EXPECT_EQ(error, "Samtalet kunde inte sparas i \"" +
                       (notAFolder / "a.txt").string() + "\": Not a directory.");
  EXPECT_EQ(ReadFile(notAFolder), "x");
}

}  // namespace
}  // namespace pladdo
