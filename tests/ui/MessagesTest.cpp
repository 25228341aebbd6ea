// The tables that turn message codes into Swedish texts: the engine's codes
// in replies and the string table. The checker's report as the user reads it
// is the end-to-end tests' (tests/e2e).
#include <gtest/gtest.h>

#include <string>

#include "ui/ChatDlg.h"
#include "ui/Messages.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

// clang-format off
TEST(TranslateCodes, ReplacesTheFirstOccurrenceOfEachCodeOnly) {
  const struct { const char* what; std::string text, expected; } rows[] = {
      {"codes alone, before a variable, after a word",
       "#ERROR_NOPROFILE# [#ERROR_LOOPPROTECTION# %a%] [namn#ERROR_NOVARIABLE#]",
       "Ingen profil hittades. [Lop-fel i %a%] [namn-variabeln finns inte]"},
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
// clang-format on

// An argument is put in as it is, never read for arguments itself.
TEST(StringTable, FormatsEachArgumentOnce) {
  EXPECT_EQ(FormatString(IDS_SAVE_FAILED, "%2", "x"),
            "Samtalet kunde inte sparas i \"%2\": x.");
}

}  // namespace
}  // namespace pladdo
