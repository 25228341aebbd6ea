// Path helpers and the program folder.
#include <gtest/gtest.h>

#include <string>

#include "ui/FileUtil.h"

namespace pladdo {
namespace {

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
}

}  // namespace
}  // namespace pladdo
