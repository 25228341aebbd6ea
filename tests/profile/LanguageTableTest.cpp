// Loading the word pairs of a profile's language from the language table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "tests/profile/Fixtures.h"

namespace pladdo {
namespace {

using test::FixturePath;
using Words = std::vector<std::string>;

struct LanguageRow {
  const char* what;
  std::string profile;
  std::string languageFile;
  std::string language;  // m_strLanguage after loading
  Words from;
  Words to;
};

void ExpectTables(const std::vector<LanguageRow>& rows) {
  for (const LanguageRow& row : rows) {
    SCOPED_TRACE(row.what);
    CChatEngine engine;
    test::UseProfile(engine, row.profile, row.languageFile);
    EXPECT_EQ(engine.GetLanguage(), row.language);
    EXPECT_EQ(engine.GetFromWords(), row.from);
    EXPECT_EQ(engine.GetToWords(), row.to);
  }
}

const std::string kPairs = FixturePath("lang_pairs.dat");

// The pairs of [svenska] in lang_pairs.dat, in load order.
const Words kSvenskaFrom = {"jag", "du",     "mig",  "dig",
                            "ett", "tv\xE5", "bort", "kvar"};
const Words kSvenskaTo = {"du", "jag", "dig", "mig", "tv\xE5", "ett", "", ""};

TEST(LanguageTable, EachRowAddsAToBThenBToA) {
  ExpectTables({
      {"quotes 1-2 and 3-4 count, three quotes skip the row, five use the "
       "first four, an empty side is only a replacement",
       FixturePath("lang_svenska.ppf"), kPairs, "svenska", kSvenskaFrom,
       kSvenskaTo},
  });
}

TEST(LanguageTable, StopsAtTheNextBlockHeader) {
  ExpectTables({
      {"first block: the pairs of [english] after it are not loaded",
       FixturePath("lang_svenska.ppf"), kPairs, "svenska", kSvenskaFrom,
       kSvenskaTo},
      {"middle block: the pairs of [] after it are not loaded",
       FixturePath("lang_english.ppf"),
       kPairs,
       "english",
       {"i", "you"},
       {"you", "i"}},
  });
}

TEST(LanguageTable, NameIsComparedWithoutRegardToCase) {
  ExpectTables({
      {"SVENSKA finds [svenska]", FixturePath("lang_capitals.ppf"), kPairs,
       "SVENSKA", kSvenskaFrom, kSvenskaTo},
      {"capital A-ring written in UTF-8 finds the small one written in "
       "Windows-1252",
       FixturePath("lang_sprak_utf8.ppf"),
       FixturePath("lang_sprak.dat"),
       "Spr\xC5k",
       {"h\xE4r", "d\xE4r"},
       {"d\xE4r", "h\xE4r"}},
  });
}

TEST(LanguageTable, StaysEmptyWhenThereIsNothingToLoad) {
  ExpectTables({
      {"no language= row: the name is one blank",
       FixturePath("lang_no_row.ppf"),
       kPairs,
       " ",
       {},
       {}},
      {"language= with nothing after it does not read the [] block",
       FixturePath("lang_empty_value.ppf"),
       kPairs,
       "",
       {},
       {}},
      {"language without a block",
       FixturePath("lang_unknown.ppf"),
       kPairs,
       "franska",
       {},
       {}},
      {"language file that does not exist",
       FixturePath("lang_svenska.ppf"),
       FixturePath("saknas.dat"),
       "svenska",
       {},
       {}},
      {"profile that does not exist", test::MissingPath(), kPairs, " ", {}, {}},
  });
}

TEST(LanguageTable, Utf8AndWindows1252FilesGiveTheSameBytes) {
  const Words from = {"jag \xE4r", "du \xE4r", "bl\xE5",
                      "gr\xF6n",   "\xD6ST",   "V\xC4ST"};
  const Words to = {"du \xE4r", "jag \xE4r", "gr\xF6n",
                    "bl\xE5",   "V\xC4ST",   "\xD6ST"};
  ExpectTables({
      {"UTF-8 language file", FixturePath("lang_svenska.ppf"),
       FixturePath("lang_utf8.dat"), "svenska", from, to},
      {"Windows-1252 language file", FixturePath("lang_svenska.ppf"),
       FixturePath("lang_cp1252.dat"), "svenska", from, to},
  });
}

TEST(LanguageTable, SettingAnotherProfileReplacesTheTable) {
  CChatEngine engine;
  test::UseProfile(engine, FixturePath("lang_svenska.ppf"));
  ASSERT_EQ(engine.GetFromWords(), kSvenskaFrom);
  engine.SetProfile(FixturePath("lang_english.ppf"));
  EXPECT_EQ(engine.GetFromWords(), (Words{"i", "you"}));
  engine.SetProfile(FixturePath("lang_unknown.ppf"));
  EXPECT_EQ(engine.GetFromWords(), Words{});
  EXPECT_EQ(engine.GetToWords(), Words{});
}

}  // namespace
}  // namespace pladdo
