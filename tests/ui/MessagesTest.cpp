// The message-code tables, the string table and its formatting.
#include <gtest/gtest.h>

#include <string>

#include "ui/ChatDlg.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

// clang-format off
TEST(TranslateCodes, ReplacesTheFirstOccurrenceOfEachCodeOnly) {
  const struct { const char* what; std::string text, expected; } rows[] = {
      {"every code", "#ERROR_NOPROFILE# #ERROR_WELCOMEEMPTY# #ERROR_CANTOPENFILE# "
       "#ERROR_NOVARIABLEANSWER# [#ERROR_LOOPPROTECTION# %a%] "
       "[#ERROR_VARIABELCANTOPENFILE# ord.txt ] [namn#ERROR_NOVARIABLE#]",
       "Ingen profil hittades. Fel i profil! Inga poster under [WELCOME] \xE4r inskrivna. "
       "Filen kunde inte \xF6ppnas. [FEL. Inga svarsalternativ f\xF6r variabel.] "
       "[Lop-fel i %a%] [Fel vid variablekonvertering, kunde ej \xF6ppna filen: ord.txt ] "
       "[namn-variabeln finns inte]"},
      {"same code twice: only the first", "#ERROR_NOPROFILE##ERROR_NOPROFILE#",
       "Ingen profil hittades.#ERROR_NOPROFILE#"},
      {"lower case, unknown, checker and cut-short codes stay",
       "#error_noprofile# #ERROR_SOMETHING# #NOERROR# #ERROR_NOPROFILE",
       "#error_noprofile# #ERROR_SOMETHING# #NOERROR# #ERROR_NOPROFILE"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(CChatDlg::TranslateCodes(row.text), row.expected);
  }
}

TEST(StringTable, HasNoTextForAnUnknownIdAndFormatsEachArgumentOnce) {
  EXPECT_EQ(LoadString(12345), "");
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "%2", "x"),
            "Samtalet kunde inte sparas i \"%2\": x.");
}
// clang-format on

}  // namespace
}  // namespace pladdo
