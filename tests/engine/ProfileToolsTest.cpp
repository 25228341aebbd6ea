// The profile tools on fixture profiles: [INFO] fields, the language table,
// the NAME listing and the checker's report.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/ChatEngine.h"
#include "engine/NameOrder.h"

namespace pladdo {
namespace {

using Words = std::vector<std::string>;

std::string Fx(const std::string& name) {
  return std::string(PLADDO_FIXTURES) + "/engine/" + name;
}

// An engine on the fixture profile and the fixture word pairs.
std::unique_ptr<CChatEngine> On(const std::string& profile) {
  auto engine = std::make_unique<CChatEngine>();
  engine->SetLanguageFile(Fx("lang_pairs.dat"));
  engine->SetProfile(Fx(profile));
  return engine;
}

TEST(GetInfo, ReadsTheFirstRowHoldingTheKeyInsideTheInfoBlock) {
  // clang-format off
  const struct { const char* profile; InfoField field; const char* expected; } rows[] = {
      {"info_full.ppf", InfoField::Name, "Test"},  // CR LF line ends
      {"info_full.ppf", InfoField::Info, "En Liten testbot"},  // comment cut, blanks folded
      {"saknas.ppf", InfoField::Version, " "},
      {"info_key_case.ppf", InfoField::Name, "TeSt"},
      {"info_filename.ppf", InfoField::Name, "x"},  // "filename=x" before "name=y"
      {"info_key_after_header.ppf", InfoField::Name, " "},
      {"info_lower_header.ppf", InfoField::Name, "Inne"},  // "[info]", mid-row key
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile + (" field " + std::to_string(int(row.field))));
    EXPECT_EQ(On(row.profile)->GetInfo(row.field), row.expected);
  }
}

TEST(LanguageTable, LoadsEachRowAsAToBThenBToAUpToTheNextHeader) {
  // Quotes 1-2 and 3-4 count, three skip the row; an empty side only replaces.
  const Words sv = {"jag", "du", "mig", "dig", "ett", "tv\xE5", "bort", "kvar"};
  const Words svTo = {"du", "jag", "dig", "mig", "tv\xE5", "ett", "", ""};
  // clang-format off
  const struct { const char* profile; const char* lang; const char* language; Words from, to; } rows[] = {
      {"lang_svenska.ppf", "lang_pairs.dat", "svenska", sv, svTo},
      {"lang_unknown.ppf", "lang_pairs.dat", "franska", {}, {}},
      // The pairs under [] after [english] are not read.
      {"lang_english.ppf", "lang_pairs.dat", "english", {"i", "you"}, {"you", "i"}},
      {"lang_svenska.ppf", "lang_utf8.dat", "svenska", {"jag \xE4r", "du \xE4r", "bl\xE5", "gr\xF6n",
       "\xD6ST", "V\xC4ST"}, {"du \xE4r", "jag \xE4r", "gr\xF6n", "bl\xE5", "V\xC4ST", "\xD6ST"}},
      {"lang_svenska.ppf", "saknas.dat", "svenska", {}, {}},
  };
  // clang-format on
  // One engine throughout, so a table left over from the row before shows.
  CChatEngine engine;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile + (" with " + std::string(row.lang)));
    engine.SetLanguageFile(Fx(row.lang));
    engine.SetProfile(Fx(row.profile));
    EXPECT_EQ(engine.GetLanguage(), row.language);
    EXPECT_EQ(engine.GetFromWords(), row.from);
    EXPECT_EQ(engine.GetToWords(), row.to);
  }
}

TEST(NameListing, ListsTheAnswerRowsOfNameInFileOrder) {
  EXPECT_EQ(On("names_two.ppf")->GetNames(), (Words{"Zeta", "Alfa"}));
  // The pattern row skipped, the comment cut.
  EXPECT_EQ(On("names_empty_row.ppf")->GetNames(), (Words{"", "Bot"}));
  EXPECT_EQ(On("saknas.ppf")->GetNames(), Words{});
}

TEST(NameOrder, SortsAsASwedishListDoes) {
  // clang-format off
  const struct { const char* what; Words names, sorted; } rows[] = {
      {"case ignored, an accent on its base letter, \xDC with Y, \xC5 \xC4 \xD6 after Z, \xC6 with \xC4",
       {"Zara", "\xC9mil", "Erik", "\xC5sa", "\xD6rjan", "\xC6sa", "\xC4rla", "anna", "Yngve", "\xDCla", "Bo", "Vera"},
       {"anna", "Bo", "\xC9mil", "Erik", "Vera", "\xDCla", "Yngve", "Zara", "\xC5sa", "\xC4rla", "\xC6sa", "\xD6rjan"}},
      {"same letters: the plain one, then small before capital",
       {"\xC9va", "Eva", "eva"}, {"eva", "Eva", "\xC9va"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Words names = row.names;
    SortSwedish(names);
    EXPECT_EQ(names, row.sorted);
  }
}

TEST(CheckProfile, ReportsEachFaultUnderItsBlockAndCountsThem) {
  const auto head = [](const std::string& name, const std::string& language) {
    return "\n#NAME# " + name +
           "\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n#LANGUAGE# " + language + "\n";
  };
  const std::string sv = head(" ", "svenska");
  // clang-format off
  const struct { const char* profile; int faults; std::string expected; } rows[] = {
      {"check_example.ppf", 6, head("Test", "test (#NOLANGUAGE#)") +
       "\n[SPEAK]\n[7] ?hej **\n#DOUBLEASTERISK#\n[7] ?hej **\n#SPACEANDASTERISK#\n#NOANSWER#\n"
       "\n[X]\n[9] hej\n#ILLEGALROW#\n[10] !100%\n#ODDPRECENT#\n\n6 #ERRORFOUND#"},
      {"check_clean.ppf", 0, head("Ren", "svenska") + "\n#NOERROR#"},
      {"check_pending.ppf", 4,  // faultless [WELCOME] passed over
       head("50%", "svenska") + "\n[SPEAK]\n[1] ?a **\n#DOUBLEASTERISK#\n[1] ?a **\n#SPACEANDASTERISK#\n"
       "[4] name=50%\n#ODDPRECENT#\n[9] \"%nope%\"\n#NOVARIABLE#\n\n4 #ERRORFOUND#"},
      {"check_pending_end.ppf", 1,  // listed at the end under a faultless block
       sv + "\n[WELCOME]\n\n[3] [SPEAK \n#ILLEGALBLOCKNAME#\n\n1 #ERRORFOUND#"},
      {"check_line_numbers.ppf", 3,  // comment, empty and blank lines counted
       head(" ", "  (#NOLANGUAGE#)") + "\n[WELCOME]\n[5] hej d\xE5\n#ILLEGALROW#\n#NOANSWER#\n\n3 #ERRORFOUND#"},
      {"saknas.ppf", 0, "#DEBUG_COLDNTOPENFILE#\n"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile);
    auto engine = On(row.profile);
    const std::string expected =
        "#FILENAME# " + Fx(row.profile) + "\n" + row.expected;
    const CheckResult result = engine->CheckProfile();
    EXPECT_EQ(result.strReport, expected);
    EXPECT_EQ(engine->CheckProfile().strReport, expected) << "second run";
    EXPECT_EQ(result.nFaults, row.faults);
    EXPECT_EQ(result.bOpened, std::string(row.profile) != "saknas.ppf");
  }
}

}  // namespace
}  // namespace pladdo
