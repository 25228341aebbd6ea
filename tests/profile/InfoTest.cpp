// Reading the fields of a profile's [INFO] block.
#include <gtest/gtest.h>

#include <string>

#include "engine/ChatEngine.h"
#include "tests/profile/Fixtures.h"

namespace pladdo {
namespace {

using test::FixturePath;
using test::MissingPath;

struct InfoRow {
  const char* what;
  std::string profile;
  int field;
  std::string expected;
};

void ExpectInfo(const std::vector<InfoRow>& rows) {
  for (const InfoRow& row : rows) {
    SCOPED_TRACE(row.what);
    CChatEngine engine;
    test::UseProfile(engine, row.profile);
    EXPECT_EQ(engine.GetInfo(row.field), row.expected);
  }
}

constexpr int kName = static_cast<int>(InfoField::Name);
constexpr int kVersion = static_cast<int>(InfoField::Version);
constexpr int kCreator = static_cast<int>(InfoField::Creator);
constexpr int kInfo = static_cast<int>(InfoField::Info);
constexpr int kLanguage = static_cast<int>(InfoField::Language);

TEST(GetInfo, ReadsEveryFieldAsTheRowReaderDeliversIt) {
  const std::string full = FixturePath("info_full.ppf");
  ExpectInfo({
      {"name", full, kName, "Test"},
      {"version", full, kVersion, "1.0"},
      {"creator keeps its inner blank", full, kCreator, "Anna Andersson"},
      {"info: comment cut, blanks folded and trimmed", full, kInfo,
       "En Liten testbot"},
      {"language", full, kLanguage, "svenska"},
  });
}

TEST(GetInfo, MissingValuesReadAsOneBlank) {
  ExpectInfo({
      {"profile without [INFO]", FixturePath("info_none.ppf"), kName, " "},
      {"file that does not exist", MissingPath(), kVersion, " "},
      {"key absent from the block", FixturePath("info_empty_value.ppf"),
       kCreator, " "},
      {"blank before the equals sign", FixturePath("info_spaced_key.ppf"),
       kName, " "},
      {"blank before the equals sign, value glued",
       FixturePath("info_spaced_key.ppf"), kVersion, " "},
      {"key only after the next header",
       FixturePath("info_key_after_header.ppf"), kName, " "},
      {"[INFO] is the last block and lacks the key",
       FixturePath("info_last_block.ppf"), kName, " "},
  });
}

TEST(GetInfo, KeyWithNothingAfterItIsTheEmptyText) {
  ExpectInfo({
      {"name= alone", FixturePath("info_empty_value.ppf"), kName, ""},
      {"the next row still reads", FixturePath("info_empty_value.ppf"),
       kVersion, "2"},
  });
}

TEST(GetInfo, KeyIgnoresCaseAndMayStandAnywhereInTheRow) {
  ExpectInfo({
      {"Name=TeSt: key case ignored, value case kept",
       FixturePath("info_key_case.ppf"), kName, "TeSt"},
      {"filename=x holds name=", FixturePath("info_filename.ppf"), kName, "x"},
      {"key in the middle of a row", FixturePath("info_lower_header.ppf"),
       kName, "Inne"},
      {"value runs to the end of the row", FixturePath("info_lower_header.ppf"),
       kInfo, "x name=Inne"},
      {"blank after the equals sign is kept",
       FixturePath("info_spaced_key.ppf"), kCreator, " Anna"},
      {"first row holding the key wins", FixturePath("info_twice.ppf"), kName,
       "Ett"},
  });
}

TEST(GetInfo, ReadingEndsAtTheNextHeaderAfterSearchingIt) {
  ExpectInfo({
      {"key on the next header row itself",
       FixturePath("info_key_on_header.ppf"), kName, "Rubrik"},
      {"rows before the header", FixturePath("info_key_on_header.ppf"),
       kVersion, "1"},
      {"[INFO] after another block, up to the end of the file",
       FixturePath("info_last_block.ppf"), kVersion, "3"},
      {"last line without a line feed", FixturePath("info_no_newline.ppf"),
       kName, "Sist"},
      {"lower-case [info] header is found",
       FixturePath("info_lower_header.ppf"), kName, "Inne"},
  });
}

TEST(GetInfo, FieldOutsideZeroToFourIsOneBlank) {
  const std::string full = FixturePath("info_full.ppf");
  ExpectInfo({
      {"field 5", full, 5, " "},
      {"field -1", full, -1, " "},
      {"field 1000", full, 1000, " "},
  });
}

}  // namespace
}  // namespace pladdo
