// The profile tools: [INFO] fields, the language table, the NAME listing and
// the checker's report, each read from small fixture profiles.
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

// An engine on the fixture profile, its word pairs read from the fixture lang.
std::unique_ptr<CChatEngine> On(const std::string& profile,
                                const std::string& lang = "lang_pairs.dat") {
  auto engine = std::make_unique<CChatEngine>();
  engine->SetLanguageFile(Fx(lang));
  engine->SetProfile(Fx(profile));
  return engine;
}

TEST(GetInfo, ReadsTheFirstRowHoldingTheKeyInsideTheInfoBlock) {
  // clang-format off
  const struct { const char* profile; int field; const char* expected; } rows[] = {
      {"info_full.ppf", 0, "Test"},  // CR LF line ends
      {"info_full.ppf", 1, "1.0"},
      {"info_full.ppf", 2, "Anna Andersson"},
      {"info_full.ppf", 3, "En Liten testbot"},  // comment cut, blanks folded
      {"info_full.ppf", 4, "svenska"},
      {"info_full.ppf", 5, " "},
      {"info_full.ppf", -1, " "},
      {"info_none.ppf", 0, " "},
      {"saknas.ppf", 1, " "},
      {"info_empty_value.ppf", 0, ""},  // "name=" alone
      {"info_empty_value.ppf", 1, "2"},
      {"info_empty_value.ppf", 2, " "},  // key absent
      {"info_key_case.ppf", 0, "TeSt"},
      {"info_filename.ppf", 0, "x"},    // "filename=x" before "name=y"
      {"info_spaced_key.ppf", 0, " "},  // "name = Test"
      {"info_spaced_key.ppf", 2, " Anna"},
      {"info_key_after_header.ppf", 0, " "},
      {"info_key_on_header.ppf", 0, "Rubrik"},  // header row itself searched
      {"info_last_block.ppf", 1, "3"},
      {"info_last_block.ppf", 0, " "},
      {"info_no_newline.ppf", 0, "Sist"},
      {"info_lower_header.ppf", 0, "Inne"},  // key in the middle of a row
      {"info_lower_header.ppf", 3, "x name=Inne"},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile + (" field " + std::to_string(row.field)));
    EXPECT_EQ(On(row.profile)->GetInfo(static_cast<InfoField>(row.field)),
              row.expected);
  }
}

TEST(LanguageTable, LoadsEachRowAsAToBThenBToAUpToTheNextHeader) {
  // lang_pairs.dat: quotes 1-2 and 3-4 count, three quotes skip the row, five
  // use the first four, an empty side is only a replacement.
  const Words sv = {"jag", "du", "mig", "dig", "ett", "tv\xE5", "bort", "kvar"};
  const Words svTo = {"du", "jag", "dig", "mig", "tv\xE5", "ett", "", ""};
  // clang-format off
  const Words u = {"jag \xE4r", "du \xE4r", "bl\xE5", "gr\xF6n", "\xD6ST", "V\xC4ST"};
  const Words uTo = {"du \xE4r", "jag \xE4r", "gr\xF6n", "bl\xE5", "V\xC4ST", "\xD6ST"};
  const struct { const char* profile; const char* lang; const char* language; Words from, to; } rows[] = {
      {"saknas.ppf", "lang_pairs.dat", " ", {}, {}},
      {"lang_svenska.ppf", "lang_pairs.dat", "svenska", sv, svTo},
      // The pairs under [] after [english] are not read.
      {"lang_english.ppf", "lang_pairs.dat", "english", {"i", "you"}, {"you", "i"}},
      {"lang_capitals.ppf", "lang_pairs.dat", "SVENSKA", sv, svTo},
      {"lang_no_row.ppf", "lang_pairs.dat", " ", {}, {}},
      // A capital A-ring in UTF-8 finds a small one in Windows-1252.
      {"lang_sprak_utf8.ppf", "lang_sprak.dat", "Spr\xC5k", {"h\xE4r", "d\xE4r"}, {"d\xE4r", "h\xE4r"}},
      {"lang_empty_value.ppf", "lang_pairs.dat", "", {}, {}},
      {"lang_svenska.ppf", "lang_utf8.dat", "svenska", u, uTo},
      {"lang_unknown.ppf", "lang_pairs.dat", "franska", {}, {}},
      {"lang_svenska.ppf", "lang_cp1252.dat", "svenska", u, uTo},
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
  // clang-format off
  const struct { const char* profile; Words names; } rows[] = {
      {"names_two.ppf", {"Zeta", "Alfa"}},   // blanks removed
      {"names_empty_row.ppf", {"", "Bot"}},  // pattern skipped, comment cut
      {"names_none.ppf", {}},
      {"saknas.ppf", {}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.profile);
    EXPECT_EQ(On(row.profile)->GetNames(), row.names);
  }
}

TEST(NameOrder, SortsAsASwedishListDoes) {
  // clang-format off
  const struct { const char* what; Words names, sorted; } rows[] = {
      {"case ignored, an accent on its base letter, Å Ä Ö after Z",
       {"Zara", "\xC9mil", "Erik", "\xC5sa", "\xD6rjan", "\xC4rla", "anna", "Bo", "Adam"},
       {"Adam", "anna", "Bo", "\xC9mil", "Erik", "Zara", "\xC5sa", "\xC4rla", "\xD6rjan"}},
      {"\xDC with Y, \xC6 with \xC4, \xD8 with \xD6",
       {"Yngve", "\xDC" "la", "Vera", "\xC6sa", "\xC4rla", "\xD8st", "\xD6" "dla"},
       {"Vera", "\xDC" "la", "Yngve", "\xC4rla", "\xC6sa", "\xD6" "dla", "\xD8st"}},
      {"same letters: the plain one, then small before capital",
       {"\xC9va", "Eva", "eva"}, {"eva", "Eva", "\xC9va"}},
      {"signs and digits before letters, the shorter first",
       {"Ola2", "Ola-B", "Ola", "Ola 3"}, {"Ola", "Ola 3", "Ola-B", "Ola2"}},
  };
  // clang-format on
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Words names = row.names;
    SortSwedish(names);
    EXPECT_EQ(names, row.sorted);
  }
}

// The report's information lines, for a profile of that name and language.
std::string Head(const std::string& name, const std::string& language) {
  return "\n#NAME# " + name +
         "\n#VERSION#  \n#AUTHOR#  \n#INFO#  \n#LANGUAGE# " + language + "\n";
}

TEST(CheckProfile, ReportsEachFaultUnderItsBlockAndCountsThem) {
  const std::string sv = Head(" ", "svenska"),
                    none = Head(" ", "  (#NOLANGUAGE#)");
  // The report after its "#FILENAME#" line.
  // clang-format off
  const struct { const char* profile; std::string expected; } rows[] = {
      {"check_example.ppf", Head("Test", "test (#NOLANGUAGE#)") +
       "\n[SPEAK]\n[7] ?hej **\n#DOUBLEASTERISK#\n[7] ?hej **\n#SPACEANDASTERISK#\n#NOANSWER#\n"
       "\n[X]\n[9] hej\n#ILLEGALROW#\n[10] !100%\n#ODDPRECENT#\n\n6 #ERRORFOUND#"},
      {"check_clean.ppf", Head("Ren", "svenska") + "\n#NOERROR#"},
      {"check_one_fault.ppf", sv + "\n[SPEAK]\n[7] !Ja 50%\n#ODDPRECENT#\n\n1 #ERRORFOUND#"},
      {"check_only_language.ppf", Head(" ", "franska (#NOLANGUAGE#)") + "\n1 #ERRORFOUND#"},
      {"check_empty.ppf", none + "\n\n#NOANSWER#\n\n2 #ERRORFOUND#"},
      {"check_info_only.ppf", Head("Bara info", "svenska") + "\n[INFO]\n#NOANSWER#\n\n1 #ERRORFOUND#"},
      {"check_double_space_asterisk.ppf",
       sv + "\n[SPEAK]\n[4] ?a **b\n#DOUBLEASTERISK#\n[4] ?a **b\n#SPACEANDASTERISK#\n\n2 #ERRORFOUND#"},
      {"check_percent.ppf",  // "%NAME_USER%" alone: illegal, yet even
       sv + "\n[WELCOME]\n[4] %NAME_USER%\n#ILLEGALROW#\n[5] !100%\n#ODDPRECENT#\n\n2 #ERRORFOUND#"},
      {"check_two_variables.ppf",  // first unknown variable of a row only
       sv + "\n[WELCOME]\n[4] \"%ett%\"\n#NOVARIABLE#\n[5] \"%saknas.txt|ord%\"\n#NOVARIABLE#\n"
       "\n2 #ERRORFOUND#"},
      {"check_bad_headers.ppf", sv + "\n[WELCOME]\n\n[4] [SPEAK \n#ILLEGALBLOCKNAME#\n"
       "\n[6] [SPEAK] x \n#ILLEGALBLOCKNAME#\n\n2 #ERRORFOUND#"},
      {"check_lower_info.ppf", Head("Test", "svenska") + "\n[info]\n[2] name=Test\n#ILLEGALROW#\n"
       "[3] language=svenska\n#ILLEGALROW#\n#NOANSWER#\n\n3 #ERRORFOUND#"},
      {"check_info_later.ppf", sv + "\n[INFO]\n[6] name=Test\n#ILLEGALROW#\n#NOANSWER#\n\n2 #ERRORFOUND#"},
      {"check_pending.ppf",  // faultless [WELCOME] passed over
       Head("50%", "svenska") + "\n[SPEAK]\n[1] ?a **\n#DOUBLEASTERISK#\n[1] ?a **\n#SPACEANDASTERISK#\n"
       "[4] name=50%\n#ODDPRECENT#\n[9] \"%nope%\"\n#NOVARIABLE#\n\n4 #ERRORFOUND#"},
      {"check_pending_end.ppf",  // listed at the end under a faultless block
       sv + "\n[WELCOME]\n\n[3] [SPEAK \n#ILLEGALBLOCKNAME#\n\n1 #ERRORFOUND#"},
      {"check_line_numbers.ppf",  // comment, empty and blank lines counted
       none + "\n[WELCOME]\n[5] hej d\xE5\n#ILLEGALROW#\n#NOANSWER#\n\n3 #ERRORFOUND#"},
      {"check_utf8.ppf",  // reported in Windows-1252
       sv + "\n[WELCOME]\n[4] hej p\xE5 dig\n#ILLEGALROW#\n\n1 #ERRORFOUND#"},
      {"saknas.ppf", "#DEBUG_COLDNTOPENFILE#\n"},
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
    EXPECT_EQ(result.bOpened, std::string(row.profile) != "saknas.ppf");
    // The count is the one the report's last line gives.
    EXPECT_TRUE(result.nFaults == 0
                    ? !result.bOpened || expected.ends_with("\n#NOERROR#")
                    : expected.ends_with("\n" + std::to_string(result.nFaults) +
                                         " #ERRORFOUND#"))
        << result.nFaults;
  }
}

}  // namespace
}  // namespace pladdo
