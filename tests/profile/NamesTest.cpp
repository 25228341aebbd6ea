// Listing the bot names of a profile's NAME block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "tests/profile/Fixtures.h"

namespace pladdo {
namespace {

using test::FixturePath;

struct NamesRow {
  const char* what;
  std::string profile;
  std::vector<std::string> names;
};

TEST(NameListing, ListsTheAnswerRowsOfNameInFileOrder) {
  const std::vector<NamesRow> rows = {
      {"two names, blanks removed",
       FixturePath("names_two.ppf"),
       {"Zeta", "Alfa"}},
      {"leading pattern row skipped, empty row kept, comment cut",
       FixturePath("names_empty_row.ppf"),
       {"", "Bot"}},
      {"no NAME block", FixturePath("names_none.ppf"), {}},
      {"profile that cannot be opened", test::MissingPath(), {}},
  };
  for (const NamesRow& row : rows) {
    SCOPED_TRACE(row.what);
    CChatEngine engine;
    test::UseProfile(engine, row.profile);
    const int count = engine.GetNameCount();
    ASSERT_EQ(count, static_cast<int>(row.names.size()));
    for (int i = 0; i < count; ++i) {
      EXPECT_EQ(engine.GetNameAt(i), row.names[static_cast<std::size_t>(i)]);
    }
  }
}

TEST(NameListing, IndexOutsideTheListIsTheEmptyText) {
  CChatEngine engine;
  test::UseProfile(engine, FixturePath("names_two.ppf"));
  EXPECT_EQ(engine.GetNameAt(2), "");
  EXPECT_EQ(engine.GetNameAt(-1), "");
  EXPECT_EQ(engine.GetNameAt(1), "Alfa");
}

TEST(NameListing, UnopenableProfileKeepsTheNamesLastRead) {
  CChatEngine engine;
  test::UseProfile(engine, FixturePath("names_two.ppf"));
  ASSERT_EQ(engine.GetNameCount(), 2);
  engine.SetProfile(test::MissingPath());
  EXPECT_EQ(engine.GetNameCount(), 2);
  EXPECT_EQ(engine.GetNameAt(0), "Zeta");
}

}  // namespace
}  // namespace pladdo
